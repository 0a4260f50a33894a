#include "export/off_writer.h"

#include "export/comment_block.h"
#include "export/export_frame.h"
#include "export/output_encoding.h"
#include "export/shared_sections.h"

namespace {

// Every binary value after the keyword line is big-endian.
constexpr std::endian kBinaryOrder = std::endian::big;

struct OffLayout {
    std::int32_t topology;
    bool normals;
    bool colours;
};

std::string_view keyword(const OffLayout& layout)
{
    if (layout.normals) return layout.colours ? "CNOFF" : "NOFF";
    return layout.colours ? "COFF" : "OFF";
}

void write_text_form(OutputFile& out, const std::string& file_name,
                     const std::vector<PlacedMesh>& meshes, const OffLayout& layout)
{
    const std::uint64_t vertices = count_vertices(meshes);
    const std::uint64_t faces = count_faces(meshes, layout.topology);
    append_text(out, keyword(layout));
    append_char(out, '\n');
    const CommentBlockFacts facts{vertices, faces, layout.topology, layout.normals, layout.colours};
    append_text(out, comment_block("# ", file_name, facts));
    append_uint(out, vertices);
    append_char(out, ' ');
    append_uint(out, faces);
    append_text(out, " 0\n");
    write_vertex_lines(out, meshes, layout.topology, layout.normals, layout.colours);
    write_counted_faces_text(out, meshes, layout.topology);
}

void write_binary_form(OutputFile& out, const std::vector<PlacedMesh>& meshes,
                       const OffLayout& layout)
{
    append_text(out, keyword(layout));
    append_text(out, " BINARY\n");
    append_u32(out, static_cast<std::uint32_t>(count_vertices(meshes)), kBinaryOrder);
    append_u32(out, static_cast<std::uint32_t>(count_faces(meshes, layout.topology)), kBinaryOrder);
    append_u32(out, 0, kBinaryOrder);
    const BinaryVertexForm form{layout.topology, layout.normals, layout.colours,
                                kBinaryOrder,    false,          false};
    write_binary_vertices(out, meshes, form);
    write_counted_faces_binary(out, meshes, layout.topology, kBinaryOrder, true);
}

} // namespace

bool write_off(const EntityList& container, const std::string& file_name, std::int32_t topology,
               bool normals, bool colours, bool binary)
{
    const std::vector<PlacedMesh> meshes = collect_visible_meshes(container);
    OutputFile out;
    if (!open_output(out, file_name)) return false;
    const OffLayout layout{topology, normals, colours};
    if (binary) {
        write_binary_form(out, meshes, layout);
    } else {
        write_text_form(out, file_name, meshes, layout);
    }
    return finish_output(out);
}
