#include "export/comment_block.h"

#include "platform/export_banner.h"
#include "platform/paths.h"

const char* topology_word(std::int32_t topology)
{
    switch (topology) {
    case 3:
        return "triangles";
    case 4:
        return "quads";
    case 0:
        return "polygons";
    default:
        return "points";
    }
}

std::string comment_block(std::string_view prefix, const std::string& file_name,
                          const CommentBlockFacts& facts)
{
    std::string block;
    const auto line = [&](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        block.append(prefix).append(a).append(b).append(c).push_back('\n');
    };
    const std::string topology = std::to_string(facts.topology);
    line(path_file_name(file_name));
    line(g_export_generator_line);
    line(g_export_banner);
    line("  - vertex : ", std::to_string(facts.vertices));
    line("  - faces : ", std::to_string(facts.faces));
    line("  - topology : ", topology, std::string(" (") + topology_word(facts.topology) + ")");
    line("  - dimension : 3");
    line("  - normals : ", facts.normals ? "per-vertex-NXYZ" : "none");
    const char* colour_layout = facts.colour_alpha ? "per-vertex-RGBA" : "per-vertex-RGB";
    line("  - colours : ", facts.colours ? colour_layout : "none");
    return block;
}
