#include "export/obj_writer.h"

#include "export/comment_block.h"
#include "export/export_frame.h"
#include "export/output_encoding.h"

namespace {

void write_vertex_lines(OutputFile& out, const std::vector<PlacedMesh>& meshes, bool colours)
{
    for (const PlacedMesh& mesh : meshes) {
        for (std::uint32_t k = 0; k < mesh.vertex_count; ++k) {
            const Vec3 p = placed_position(mesh, k);
            append_text(out, "v ");
            append_real_triple(out, p.x, p.y, p.z);
            if (colours) {
                // Three components: common readers reject a fourth (alpha) value.
                const Rgba c = vertex_colour(mesh, k);
                append_char(out, ' ');
                append_real_triple(out, c.red, c.green, c.blue);
            }
            append_char(out, '\n');
        }
    }
}

void write_normal_lines(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                        std::int32_t topology)
{
    for (const PlacedMesh& mesh : meshes) {
        for (std::uint32_t k = 0; k < mesh.vertex_count; ++k) {
            const Vec3 n = placed_normal(mesh, topology, k);
            append_text(out, "vn ");
            append_real_triple(out, n.x, n.y, n.z);
            append_char(out, '\n');
        }
    }
}

// Normal line k belongs to vertex line k, so a face names both by one index.
void write_face_lines(OutputFile& out, const std::vector<PlacedMesh>& meshes, std::int32_t topology,
                      bool normals)
{
    const std::string_view start = topology == EXPORT_POLYGONS ? "f " : "f";
    std::uint64_t first_index = 1;
    for (const PlacedMesh& mesh : meshes) {
        for_each_face(mesh, topology, [&](const std::uint32_t* indices, std::uint32_t count) {
            append_text(out, start);
            for (std::uint32_t i = 0; i < count; ++i) {
                const std::uint64_t index = indices[i] + first_index;
                append_char(out, ' ');
                append_uint(out, index);
                if (normals) {
                    append_text(out, "//");
                    append_uint(out, index);
                }
            }
            append_char(out, '\n');
        });
        first_index += mesh.vertex_count;
    }
}

} // namespace

bool write_obj(const EntityList& container, const std::string& file_name, std::int32_t topology,
               bool normals, bool colours)
{
    const std::vector<PlacedMesh> meshes = collect_visible_meshes(container);
    OutputFile out;
    if (!open_output(out, file_name)) return false;
    const CommentBlockFacts facts{
        count_vertices(meshes), count_faces(meshes, topology), topology, normals, colours, false};
    append_text(out, comment_block("# ", file_name, facts));
    write_vertex_lines(out, meshes, colours);
    if (normals) write_normal_lines(out, meshes, topology);
    write_face_lines(out, meshes, topology, normals);
    return finish_output(out);
}
