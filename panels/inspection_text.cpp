#include "panels/inspection_text.h"

#include <cctype>
#include <optional>
#include <sstream>

#include "state/application.h"
#include "model/entity.h"
#include "model/mesh.h"
#include "platform/paths.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

// Atlas slot of the SELECT icon the indicator's hint shows.
constexpr int SELECT_ICON = 6;

const char* const REPORT_RULE = "----------------------------------------------\n";

template <typename Array> bool holds(const Array* array, std::int64_t index)
{
    return array != nullptr && index >= 0 && static_cast<std::uint64_t>(index) < array->size();
}

const Entity* flat_entity(EntityList& list, std::int32_t index)
{
    const EntityPointers& flat = collect_entity_pointers(list);
    if (!holds(&flat, index)) return nullptr;
    return flat[static_cast<std::size_t>(index)];
}

std::optional<std::int64_t> polygon_of(const Mesh* mesh, std::int32_t triangle)
{
    if (mesh == nullptr || !holds(mesh->triangle_polygons, triangle)) return std::nullopt;
    return (*mesh->triangle_polygons)[static_cast<std::size_t>(triangle)];
}

// A per-polygon id as the kernel writes it (i32), -1 when the map is absent
// or does not reach the polygon.
std::int64_t polygon_id(const U32Array* map, std::int64_t polygon)
{
    if (!holds(map, polygon)) return -1;
    return static_cast<std::int32_t>((*map)[static_cast<std::size_t>(polygon)]);
}

// The user type table: per user id an offset and a length into the label text.
std::optional<std::string> type_name(const Mesh& mesh, std::int64_t user_id)
{
    if (!holds(mesh.label_words_1, user_id) || !holds(mesh.label_words_2, user_id) ||
        mesh.label_text == nullptr)
        return std::nullopt;
    const std::uint64_t offset = (*mesh.label_words_1)[static_cast<std::size_t>(user_id)];
    const std::uint64_t length = (*mesh.label_words_2)[static_cast<std::size_t>(user_id)];
    if (offset + length > mesh.label_text->size()) return std::nullopt;
    const auto first = mesh.label_text->begin() + static_cast<std::ptrdiff_t>(offset);
    return std::string(first, first + static_cast<std::ptrdiff_t>(length));
}

std::string hint_prefix(char mode)
{
    switch (mode) {
    case 'E':
        return "index : ";
    case 'G':
        return "group : ";
    case 'O':
        return "operand : ";
    case 'P':
        return "polygon : ";
    case 'T':
        return "triangle : ";
    default:
        return "";
    }
}

std::string report_title(char mode)
{
    switch (mode) {
    case 'T':
        return "LLMI:[T] \t Triangle Picking-Mode";
    case 'P':
        return "LLMI:[P] \t Polygon Picking-Mode";
    case 'G':
        return "LLMI:[G] \t Gouraud-Group Picking-Mode";
    case 'O':
        return "LLMI:[O] \t Operand Picking-Mode";
    case 'E':
        return "LLMI:[E] \t Entity Picking-Mode";
    case 'U':
        return "LLMI:[U] \t User-Defined Picking-Mode";
    default:
        return "";
    }
}

std::string script_name(const Entity* entity)
{
    return entity != nullptr ? path_file_name(entity->parse_report.script_path) : "?";
}

char upper_mode(char mode)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(mode)));
}

// `count` values of `array` from `first`, joined by ","; a value outside
// the array prints as "?".
template <typename Array>
void write_values(std::ostringstream& out, const Array* array, std::int64_t first, int count)
{
    for (int k = 0; k < count; ++k) {
        if (k > 0) out << ',';
        if (first >= 0 && holds(array, first + k))
            out << (*array)[static_cast<std::size_t>(first + k)];
        else
            out << '?';
    }
}

void write_polygon_line(std::ostringstream& out, const Mesh& mesh, std::int64_t polygon, char mode)
{
    switch (mode) {
    case 'G':
        out << "\t Gouraud-Group: " << polygon_id(mesh.group_ids, polygon) << '\n';
        break;
    case 'O':
        out << "\t Operand: " << polygon_id(mesh.operand_ids, polygon) << '\n';
        break;
    case 'P':
        out << "\t Polygon: " << polygon << " of ";
        write_values(out, mesh.index_data, 0, 1);
        out << '\n';
        break;
    case 'U': {
        const std::int64_t user_id = polygon_id(mesh.label_ids, polygon);
        const std::optional<std::string> name = type_name(mesh, user_id);
        out << "\t Type: ";
        if (user_id > -1 && name) out << '"' << *name << "\" | ";
        out << user_id << '\n';
        break;
    }
    default:
        break;
    }
}

void write_triangle_block(std::ostringstream& out, const Mesh& mesh, std::int32_t triangle)
{
    const U32Array* indices = mesh.triangle_indices;
    const std::size_t triangle_count = indices != nullptr ? indices->size() / 3 : 0;
    const std::int64_t first = 3 * static_cast<std::int64_t>(triangle);
    out << "\t Triangle: " << triangle << " of " << triangle_count << " [";
    write_values(out, indices, first, 3);
    out << "]\n";
    for (int corner = 0; corner < 3; ++corner) {
        const std::int64_t vertex = holds(indices, first + corner)
                                        ? (*indices)[static_cast<std::size_t>(first + corner)]
                                        : -1;
        out << "     V[";
        write_values(out, mesh.vertex_data, vertex < 0 ? -1 : 3 * vertex, 3);
        out << "] C[";
        write_values(out, mesh.vertex_colours, vertex < 0 ? -1 : 4 * vertex, 4);
        out << "] N[";
        write_values(out, mesh.normal_data, vertex < 0 ? -1 : 3 * vertex, 3);
        out << "]\n";
    }
}

} // namespace

InspectionLines format_inspection_lines(EntityList* list, std::int32_t entity,
                                        std::int32_t triangle, char mode)
{
    InspectionLines lines;
    if (entity < 0 || entity >= NO_PICK || triangle >= NO_PICK) return lines;
    lines.picked = true;
    if (list == nullptr) {
        lines.title = "entity \t " + std::to_string(entity);
        lines.text = "triangle : " + std::to_string(triangle);
        return lines;
    }
    const char m = upper_mode(mode);
    std::string prefix = hint_prefix(m);
    std::int64_t shown = triangle;
    const Entity* picked = flat_entity(*list, entity);
    const Mesh* mesh = picked != nullptr ? picked->mesh : nullptr;
    if (const std::optional<std::int64_t> polygon = polygon_of(mesh, triangle)) {
        if (m == 'E') shown = entity;
        if (m == 'G') shown = polygon_id(mesh->group_ids, *polygon);
        if (m == 'O') shown = polygon_id(mesh->operand_ids, *polygon);
        if (m == 'P') shown = *polygon;
        if (m == 'U') {
            shown = polygon_id(mesh->label_ids, *polygon);
            if (const std::optional<std::string> name = type_name(*mesh, shown)) prefix = *name;
        }
    }
    lines.title = "\t " + script_name(picked);
    if (m == 'U')
        lines.text = "\"" + prefix + "\" | " + std::to_string(shown);
    else
        lines.text = prefix + std::to_string(shown);
    return lines;
}

LlmiReport format_llmi_report(EntityList* list, std::int32_t entity, std::int32_t triangle,
                              char mode)
{
    LlmiReport report;
    const char m = upper_mode(mode);
    if (m == '!' || list == nullptr || triangle < 0) return report;
    const Entity* picked = flat_entity(*list, entity);
    if (picked == nullptr) return report;
    report.shown = true;
    report.title = report_title(m);
    std::ostringstream out;
    out << REPORT_RULE << "LLMI \t Low-Level-Mesh-Inspector\n" << REPORT_RULE;
    out << "\t Entity: " << script_name(picked) << " | " << entity << '\n';
    const Mesh* mesh = picked->mesh;
    if (const std::optional<std::int64_t> polygon = polygon_of(mesh, triangle)) {
        write_polygon_line(out, *mesh, *polygon, m);
        write_triangle_block(out, *mesh, triangle);
    }
    report.text = out.str();
    return report;
}

void format_inspection_text(Application& app)
{
    const InspectionLines lines = format_inspection_lines(
        app.current_entity_list, app.picked_element[0], app.picked_element[1],
        static_cast<char>(app.view_settings.pick_mode));
    lumo::P& indicator = app.llmi_indicator;
    if (lines.picked) {
        app.picked_element_lines = {lines.title, lines.text};
        indicator.hint_title = &app.picked_element_lines[0];
        indicator.hint_text = &app.picked_element_lines[1];
        indicator.hint_icon = SELECT_ICON;
    } else {
        indicator.hint_title = nullptr;
        indicator.hint_text = nullptr;
        indicator.hint_icon = -1;
    }
    if (lumo::g_tooltip_widget != &indicator) return;
    if (lines.picked)
        app.hint_bar.last_tooltip = nullptr; // shows the new lines at once
    else
        lumo::g_tooltip_widget = nullptr;
    update_hover_hint(app);
}

void show_llmi_report(Application& app)
{
    const LlmiReport report =
        format_llmi_report(app.current_entity_list, app.picked_element[0], app.picked_element[1],
                           static_cast<char>(app.view_settings.pick_mode));
    if (!report.shown) return;
    show_info_pane(app, report.title, report.text);
    refresh_root(app);
}
