#include "export/ply_writer.h"

#include "export/comment_block.h"
#include "export/export_frame.h"
#include "export/output_encoding.h"
#include "export/shared_sections.h"

namespace {

// Binary values are written in the host's byte order, which the format line
// names.
constexpr std::endian kBinaryOrder = std::endian::native;

std::string_view format_line(bool binary)
{
    if (!binary) return "format ascii 1.0\n";
    return kBinaryOrder == std::endian::big ? "format binary_big_endian 1.0\n"
                                            : "format binary_little_endian 1.0\n";
}

struct PlyLayout {
    std::int32_t topology;
    bool normals;
    bool colours;
    bool binary;
};

std::string header_text(const std::string& file_name, const PlyLayout& layout,
                        std::uint64_t vertices, std::uint64_t faces)
{
    std::string header = "ply\n";
    header += format_line(layout.binary);
    const CommentBlockFacts facts{vertices, faces, layout.topology, layout.normals, layout.colours};
    header += comment_block("comment ", file_name, facts);
    header += "element vertex " + std::to_string(vertices) + "\n";
    header += "property double x\nproperty double y\nproperty double z\n";
    if (layout.normals) header += "property double nx\nproperty double ny\nproperty double nz\n";
    if (layout.colours) {
        header +=
            "property uchar red\nproperty uchar green\nproperty uchar blue\nproperty uchar alpha\n";
    }
    header += "element face " + std::to_string(faces) + "\n";
    header += "property list int int vertex_index\n";
    header += "end_header\n";
    return header;
}

} // namespace

bool write_ply(const EntityList& container, const std::string& file_name, std::int32_t topology,
               bool normals, bool colours, bool binary)
{
    const std::vector<PlacedMesh> meshes = collect_visible_meshes(container);
    const PlyLayout layout{topology, normals, colours, binary};
    const std::string header =
        header_text(file_name, layout, count_vertices(meshes), count_faces(meshes, topology));
    OutputFile out;
    if (!open_output(out, file_name)) return false;
    append_text(out, header);
    if (binary) {
        const BinaryVertexForm form{topology, normals, colours, BinaryVertexEncoding::ply_doubles};
        write_binary_vertices(out, meshes, form);
        write_counted_faces_binary(out, meshes, topology, kBinaryOrder, false);
    } else {
        write_vertex_lines(out, meshes, topology, normals, colours);
        write_counted_faces_text(out, meshes, topology);
    }
    return finish_output(out);
}
