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

// The first line by the attribute flags: [normals][colours], text form then
// binary form.
constexpr std::string_view kKeywordLines[2][2][2] = {
    {{"OFF\n", "OFF BINARY\n"}, {"COFF\n", "COFF BINARY\n"}},
    {{"NOFF\n", "NOFF BINARY\n"}, {"CNOFF\n", "CNOFF BINARY\n"}}};

std::string_view keyword_line(const OffLayout& layout, bool binary)
{
    return kKeywordLines[layout.normals ? 1 : 0][layout.colours ? 1 : 0][binary ? 1 : 0];
}

void write_text_form(OutputFile& out, const std::string& file_name,
                     const std::vector<PlacedMesh>& meshes, const OffLayout& layout)
{
    const std::uint64_t vertices = count_vertices(meshes);
    const std::uint64_t faces = count_faces(meshes, layout.topology);
    append_text(out, keyword_line(layout, false));
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
    append_text(out, keyword_line(layout, true));
    append_u32<kBinaryOrder>(out, static_cast<std::uint32_t>(count_vertices(meshes)));
    append_u32<kBinaryOrder>(out, static_cast<std::uint32_t>(count_faces(meshes, layout.topology)));
    append_u32<kBinaryOrder>(out, 0);
    const BinaryVertexForm form{layout.topology, layout.normals, layout.colours,
                                BinaryVertexEncoding::off_floats};
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
