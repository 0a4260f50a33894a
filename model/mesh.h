#pragma once

// One assembled result as the kernel returned it. The interop reader is the
// only producer; entities point at meshes without owning them, and whoever
// holds the pointer releases the mesh explicitly: free_mesh_buffers, then
// delete_mesh.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

using F64Array = std::vector<double>;
using U32Array = std::vector<std::uint32_t>;
using U16Array = std::vector<std::uint16_t>;
using U8Array = std::vector<std::uint8_t>;

// Every constructed mesh takes the next value (meshes are never copied).
extern std::atomic<std::uint32_t> g_next_mesh_id;

// A compressed list of vertex indices grouped by item, as the kernel writes it.
struct IndexGroup {
    std::int32_t count = 0;
    U32Array* values = nullptr;
    U32Array* counts = nullptr;
    U16Array* locals = nullptr;
};

// Scratch arrays of the colouring and drawing code, kept with the mesh so
// they are sized once and released with it.
struct MeshRenderArrays {
    U32Array* words_1 = nullptr;
    U32Array* words_2 = nullptr;
    U8Array* bytes = nullptr;
    U32Array* words_3 = nullptr;
    U32Array* words_4 = nullptr;
};

// What the renderer's buffers of a mesh hold: the vertex buffer has the
// positions, the normals and the colours of `vertex_count` vertices one block
// after the other; the index buffer the triangle indices, then the three edge
// lists.
struct MeshUploadLayout {
    std::uint32_t vertex_count = 0;
    std::uint32_t triangle_index_count = 0;
    std::uint32_t edge_index_counts[3] = {0, 0, 0};
    bool translucent = false; // some vertex colour sent is not opaque
};

// Each array is owned by the mesh; a null pointer means the array is absent.
struct Mesh {
    std::uint8_t valid = 0;   // read whole by the reader
    std::uint8_t pending = 1; // still no result
    std::uint32_t id = g_next_mesh_id.fetch_add(1);
    std::uint8_t visible = 1; // mirrors the owning entity's flag

    F64Array* vertex_data = nullptr; // `dimension` values per vertex
    U32Array* index_data = nullptr;  // polygon index stream; word 0 = polygon count
    std::uint32_t header_h3 = 0;
    std::uint32_t dimension = 0; // 2 or 3

    F64Array* normal_data = nullptr;
    F64Array* vertex_colours = nullptr; // RGBA per vertex, 0 to 1
    F64Array* bounds = nullptr;         // min, max, centre, mean, extent
    U32Array* face_ids = nullptr;
    U32Array* label_ids = nullptr;
    U32Array* group_ids = nullptr;
    U32Array* operand_ids = nullptr;
    U32Array* triangle_indices = nullptr;
    F64Array* polygon_normals = nullptr;
    U32Array* triangle_polygons = nullptr;
    U32Array* edge_pairs_1 = nullptr;
    U32Array* edge_pairs_2 = nullptr;
    U32Array* edge_pairs_3 = nullptr;
    // Set once the renderer has checked the three lists above and derived
    // the missing ones; they are then never derived again.
    std::uint8_t edge_lists_complete = 0;
    U16Array* edge_pairs_1_16 = nullptr;
    U16Array* edge_pairs_2_16 = nullptr;
    U16Array* edge_pairs_3_16 = nullptr;
    IndexGroup index_groups[4];
    std::int32_t aux_count = 0;
    U32Array* extra_values = nullptr;
    U8Array* vertex_colour_bytes = nullptr; // RGBA bytes the renderer uploads
    MeshRenderArrays render_arrays;

    // Graphics object names; the callers queue them for deletion.
    std::uint32_t vertex_array_name = 0;
    std::uint32_t vertex_buffer_name = 0;
    std::uint32_t index_buffer_name = 0;
    std::uint8_t upload_pending = 1;
    std::uint8_t colours_pending = 0; // recoloured since the upload: colours only
    MeshUploadLayout uploaded;

    std::string mesh_name; // non-empty when the run carried profiling data
    U32Array* label_words_1 = nullptr;
    U32Array* label_words_2 = nullptr;
    U8Array* label_text = nullptr;

    std::uint32_t kernel_time_ms = 0; // all ones when not measured
    std::uint32_t read_time_ms = 0;   // all ones when not measured
    std::int32_t run_time_ms = 0;
    std::uint32_t execute_mode = 0; // 0 pure union, 1 basic CSG, 2 optimal CSG
    std::uint32_t algorithm = 0;    // index into g_mesh_algorithm_short_names
    std::uint8_t has_aux_count = 0;
    std::string element_name; // parallel element the mesh came from
    std::string element_logic;
    std::int32_t result_index = -1;
    std::int32_t batch_id = -1;
    std::int32_t group_member_count = -1;
    std::int32_t batch_count = -1;
    std::int32_t assembly_error_count = 0;

    Mesh() = default;
    // The arrays are owned through raw pointers: a copy would free them twice.
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    // Frees whatever free_mesh_buffers has not, so a skipped step leaks nothing.
    ~Mesh();
};

// Takes ownership of both arrays (either may be null) and the next id.
Mesh* construct_mesh(F64Array* vertex_data, U32Array* index_data, std::uint32_t header_h3,
                     std::uint32_t dimension);

// Frees every array and sets its pointer to null, so a second call, or the
// destructor afterwards, frees nothing twice.
void free_mesh_buffers(Mesh& mesh);

// Bit 0 of `flags`: free the mesh itself; otherwise only its texts are cleared.
void delete_mesh(Mesh* mesh, std::uint32_t flags);

// Colour value 0..1 to byte: clamped first (NaN counts as 0), then x 255 truncated.
std::uint8_t colour_to_byte(double value);

// The fills change red, green and blue of every RGBA byte entry; alpha stays.
// Nothing happens when the byte array is absent or empty.
Mesh& fill_vertex_grey(Mesh& mesh, double level);
Mesh& fill_vertex_rgb(Mesh& mesh, double red, double green, double blue);
Mesh& copy_vertex_colours(Mesh& mesh);

// Modes 0 to 2 also set `algorithm`; any other mode leaves it.
void set_assembly_mode(Mesh& mesh, std::uint32_t mode);
