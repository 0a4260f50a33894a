#include "panels/entity_properties.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/entity.h"
#include "model/enum_names.h"
#include "model/text_metrics.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace {

using Lines = std::vector<std::string>;

std::string mode_title(std::uint32_t mode)
{
    return mode < g_mesh_algorithm_titles.size() ? g_mesh_algorithm_titles[mode] : "";
}

std::string triple(const char* title, const double v[3])
{
    return std::string(title) + "[ x:" + fixed_to_text(v[0], 4) + ", y:" + fixed_to_text(v[1], 4) +
           ", z:" + fixed_to_text(v[2], 4) + " ]";
}

std::string run_time_text(const Entity& entity)
{
    return fixed_to_text(entity.run_time_seconds, 2) + " seconds (" +
           unsigned_to_text(entity.run_time_ms) + " ms)";
}

void add_blank_lines(Lines& lines, int count)
{
    lines.insert(lines.end(), count, std::string());
}

// Name, path, size and type of the script: value lines 2 to 5.
void add_script_lines(Lines& lines, const Entity& entity, const char* type)
{
    const std::string& path = entity.parse_report.script_path;
    add_blank_lines(lines, 2);
    lines.push_back("\t Name: " + path_file_name(path));
    lines.push_back("\t Path: " + path_directory(path));
    lines.push_back("\t Size: " + uint_to_grouped_text(entity.parse_report.script_text.size()) +
                    " bytes");
    lines.push_back(std::string("\t Type: ") + type);
    add_blank_lines(lines, 3);
}

// Size, counts, bounds and the smoothing-groups line of the output mesh.
void add_mesh_lines(Lines& lines, const Entity& entity)
{
    lines.push_back("\t Size: " + fixed_to_text(entity.mesh_mb, 2) + " MB (" +
                    fixed_to_text(entity.mesh_kb, 2) + " kb | " +
                    uint_to_grouped_text(entity.mesh_bytes) + " bytes)");
    lines.push_back("\t Vertex: " + uint_to_grouped_text(entity.vertex_count));
    lines.push_back("\t Indices: " + uint_to_grouped_text(entity.index_count) + " \t " +
                    uint_to_grouped_text(entity.triangle_index_count));
    lines.push_back("\t Polygons: " + uint_to_grouped_text(entity.polygon_count) + " (" +
                    uint_to_grouped_text(entity.triangle_count) + " as triangles)");
    const double* extent = entity.bounds[BOUNDS_EXTENT];
    lines.push_back("\t AABB-Extent: [ width:" + fixed_to_text(extent[0], 4) + ", height:" +
                    fixed_to_text(extent[1], 4) + ", depth:" + fixed_to_text(extent[2], 4) + " ]");
    lines.push_back(triple("\t AABB-Minimum: ", entity.bounds[BOUNDS_MINIMUM]));
    lines.push_back(triple("\t AABB-Maximum: ", entity.bounds[BOUNDS_MAXIMUM]));
    lines.push_back(triple("\t AABB-Center: ", entity.bounds[BOUNDS_CENTRE]));
    lines.push_back(triple("\t Geometric-Mean: ", entity.bounds[BOUNDS_MEAN]));
    lines.push_back(std::string("\t Non-Planar Gouraud-Shading Smoothing-Groups Defined: ") +
                    (entity.mesh_flag != 0 ? "true" : "false"));
    add_blank_lines(lines, 2);
}

// A member's share of the group's total in percent; an empty total (a run
// quicker than a millisecond, a group without vertices) gives 0, not "nan".
double percent_of(double part, double whole)
{
    return whole != 0.0 ? part / whole * 100.0 : 0.0;
}

std::string member_line(const Entity& group, const Entity* member)
{
    if (member == nullptr) return "\t [!] : |V|=? | ? ms (NULL)";
    const std::string element = member->mesh != nullptr ? member->mesh->element_name : "";
    const double vertex_share = percent_of(member->vertex_count, group.vertex_count);
    const std::string vertices = "\t [" + element + "] : |V| " +
                                 std::to_string(member->vertex_count) + " (" +
                                 fixed_to_text(vertex_share, 2) + "%) | ";
    // Elements assembled in one run together have no time of their own.
    if (member->run_time_ms < 0) return vertices + "? ms (?)";
    const double time_share = percent_of(member->run_time_ms, group.run_time_ms);
    return vertices + unsigned_to_text(member->run_time_ms) + " ms (" +
           fixed_to_text(time_share, 2) + "%)";
}

Lines single_lines(const Entity& entity)
{
    Lines lines;
    add_script_lines(lines, entity, "MONOLITH");
    lines.push_back("\t Entity-Parameters: " + int_to_text(entity.parameters.count));
    // Without a mesh no run has told the mode, so none is named.
    const std::string mode = entity.mesh != nullptr ? mode_title(entity.mesh->execute_mode) : "";
    lines.push_back("\t Execution-Mode: " + mode);
    lines.push_back("\t Execution-Time: " + run_time_text(entity));
    add_blank_lines(lines, 3);
    add_mesh_lines(lines, entity);
    return lines;
}

Lines group_lines(const Entity& group)
{
    Lines lines;
    add_script_lines(lines, group, "PARALLEL");
    lines.push_back("\t Entity-Parameters: " + int_to_text(group.parameters.count));
    lines.push_back("\t Root-Execution-Mode: " + mode_title(group.root_execute_mode));
    lines.push_back("\t Root-Execution-Time: " + run_time_text(group));
    lines.push_back("\t Element-Count: " + std::to_string(group.members.size()));
    add_blank_lines(lines, 3);
    for (const Entity* member : group.members)
        lines.push_back(member_line(group, member));
    add_blank_lines(lines, 3);
    add_mesh_lines(lines, group);
    return lines;
}

} // namespace

void format_property_titles(Entity& entity)
{
    if (entity.kind != ENTITY_GROUP) {
        entity.property_titles = "Input-Script\n\n\n\n\n\n\nKernel-Process\n\n\n\n\n\nOutput-"
                                 "Mesh\n\n\n\n\n\n\n\n\n\n\n\n\n"
                                 "Runtime-Properties";
        return;
    }
    entity.property_titles =
        "Input-Script\n\n\n\n\n\n\nKernel-Process\n\n\n\n\n\n\nParallel-Elements\n\n" +
        std::string(entity.members.size(), '\n') +
        "\nOutput-Mesh\n\n\n\n\n\n\n\n\n\n\n\n\nRuntime-Properties";
}

void format_entity_properties(Entity& entity)
{
    entity.property_lines =
        entity.kind == ENTITY_GROUP ? group_lines(entity) : single_lines(entity);
    entity.property_width = 0;
    entity.property_height = 0;
    for (const std::string& line : entity.property_lines) {
        if (line.empty()) {
            entity.property_height += 4;
            continue;
        }
        entity.property_width =
            std::max(entity.property_width, static_cast<std::uint32_t>(measure_text_width(line)));
        entity.property_height += static_cast<std::uint32_t>(g_default_line_height);
    }
}

void update_entity_label(Entity& entity)
{
    entity.label = ": " + path_file_name(entity.parse_report.script_path);
    entity.label_width = static_cast<std::uint32_t>(measure_text_width(entity.label));
}
