#include "panels/info_texts.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "state/application.h"
#include "panels/list_styles.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace {

const std::string k_no_scripts = "(open a brisk-form script file...)";

std::string script_path(const Entity& entity)
{
    return entity.parse_report.script_path;
}

// Distinct directories in order of first use.
std::vector<std::string> script_directories(const EntityList& list)
{
    std::vector<std::string> directories;
    std::unordered_set<std::string> seen;
    for (const Entity& entity : list.entities) {
        std::string directory = path_directory(script_path(entity));
        if (seen.insert(directory).second) directories.push_back(std::move(directory));
    }
    return directories;
}

std::string several_scripts_text(const EntityList& list)
{
    std::string text = std::to_string(list.entities.size()) + " Scripts: [";
    for (std::size_t i = 0; i < list.entities.size(); ++i) {
        if (i > 0) text += ", ";
        text += path_file_name(script_path(list.entities[i]));
    }
    text += "] in ";
    const std::vector<std::string> directories = script_directories(list);
    if (directories.size() == 1) return text + directories[0];
    text += std::to_string(directories.size()) + " Locations: [";
    for (std::size_t i = 0; i < directories.size(); ++i) {
        if (i > 0) text += ", ";
        text += "'" + directories[i] + "'";
    }
    return text + "]";
}

std::string script_list_text(const EntityList& list)
{
    if (list.entities.empty()) return k_no_scripts;
    if (list.entities.size() == 1) {
        const std::string path = script_path(list.entities[0]);
        return "Script: " + path_file_name(path) + " in " + path_directory(path);
    }
    return several_scripts_text(list);
}

void add_entity_to_totals(EnvironmentTotals& totals, const Entity& entity, bool first)
{
    totals.vertex_count += entity.vertex_count;
    totals.polygon_index_count += entity.index_count;
    totals.triangle_index_count += entity.triangle_index_count;
    totals.polygon_count += entity.polygon_count;
    totals.triangle_count += entity.triangle_count;
    totals.milliseconds += entity.run_time_ms;
    totals.bytes += entity.mesh_bytes;
    for (int axis = 0; axis < 3; ++axis) {
        const double low = entity.bounds[BOUNDS_MINIMUM][axis];
        const double high = entity.bounds[BOUNDS_MAXIMUM][axis];
        totals.minimum[axis] = first ? low : std::min(totals.minimum[axis], low);
        totals.maximum[axis] = first ? high : std::max(totals.maximum[axis], high);
    }
}

// `opening` ends in the first axis name: "extent [ w:" and the like.
std::string corner_text(const char* opening, const std::array<double, 3>& v)
{
    return opening + fixed_to_text(v[0], 2) + ",h:" + fixed_to_text(v[1], 2) +
           ",d:" + fixed_to_text(v[2], 2) + " ]";
}

void write_vector(std::ostream& out, const double v[3], double middle)
{
    out << fixed_to_text(v[0], 2) << ',' << fixed_to_text(middle, 2) << ','
        << fixed_to_text(v[2], 2);
}

void write_camera_part(std::ostream& out, const Application& app)
{
    const ViewSettings& settings = app.view_settings;
    const CameraSettings& camera = app.camera;
    const std::string size =
        " | " + std::to_string(app.window_width) + " x " + std::to_string(app.window_height);
    switch (app.camera_mode) {
    case CAMERA_OBJECT_ORBIT:
        out << size << " | object-orbit | zoom(" << settings.zoom * 100.0 << "%) | euler("
            << settings.euler_degrees[0] << ',' << settings.euler_degrees[1] << ','
            << settings.euler_degrees[2] << ')';
        break;
    case CAMERA_FREE_ROAM:
    case CAMERA_FIRST_PERSON: {
        const bool person = app.camera_mode == CAMERA_FIRST_PERSON;
        out << size << (person ? " | first-person | eye(" : " | free-roam | eye(");
        write_vector(out, camera.eye, person ? settings.eye_height : camera.eye[1]);
        out << ") | fwd(";
        write_vector(out, camera.forward, camera.forward[1]);
        out << ')';
        break;
    }
    default:
        break;
    }
}

const FpsColours* fps_colours_of_theme(std::int32_t theme)
{
    switch (theme) {
    case 0:
    case 3:
    case 4:
        return &FPS_COLOURS_DARK;
    case 1:
    case 2:
        return &FPS_COLOURS_LIGHT;
    default:
        return nullptr;
    }
}

std::uint32_t fps_text_colour(const FpsColours& colours, double rate)
{
    for (std::size_t k = 0; k < FPS_THRESHOLDS.size(); ++k)
        if (rate >= FPS_THRESHOLDS[k]) return colours.text[k];
    return colours.text.back();
}

} // namespace

void build_script_list_text(Application& app)
{
    if (app.current_entity_list == nullptr) return;
    app.script_list_text = script_list_text(*app.current_entity_list);
    app.script_list_scroll = 0.0;
    lumo::T& label = app.script_list_label;
    label.set_label(app.script_list_text);
    app.script_list_width = label.label_width;
    label.x = 0;
    label.y = 0;
    label.width = label.label_width + 2 * app.layout.gap;
    label.height = app.layout.row_height;
}

void update_environment_totals(Application& app)
{
    if (app.current_entity_list == nullptr) return;
    EnvironmentTotals totals;
    bool first = true;
    for (const Entity& entity : app.current_entity_list->entities) {
        add_entity_to_totals(totals, entity, first);
        first = false;
    }
    for (int axis = 0; axis < 3; ++axis)
        totals.extent[axis] = totals.maximum[axis] - totals.minimum[axis];
    totals.seconds = totals.milliseconds / 1000.0;
    totals.kilobytes = totals.bytes * 0.0009765625;
    totals.megabytes = totals.kilobytes * 0.0009765625;
    app.totals = totals;
    build_mesh_statistics_text(app);
}

void build_mesh_statistics_text(Application& app)
{
    const EnvironmentTotals& t = app.totals;
    app.mesh_statistics_lines = {
        uint_to_grouped_text(t.vertex_count) + " vertices",
        uint_to_grouped_text(t.polygon_index_count) + " indices \t " +
            uint_to_grouped_text(t.triangle_index_count),
        uint_to_grouped_text(t.polygon_count) + " ngons (" +
            uint_to_grouped_text(t.triangle_count) + " triangles)",
        corner_text("extent [ w:", t.extent),
        corner_text("min [ w:", t.minimum),
        corner_text("max [ w:", t.maximum),
        fixed_to_text(t.seconds, 2) + " seconds (" + fixed_to_text(t.milliseconds, 0) + " ms)",
        fixed_to_text(t.megabytes, 2) + " MB (" + fixed_to_text(t.kilobytes, 2) + " kb | " +
            std::to_string(t.bytes) + " bytes)"};
    const std::vector<std::string> lines(app.mesh_statistics_lines.begin(),
                                         app.mesh_statistics_lines.end());
    for (lumo::T& text : app.statistics_texts)
        text.set_text_list(lines);
}

void build_status_line(Application& app)
{
    std::ostringstream& out = app.trace_text;
    out.str("");
    out.clear();
    // The stream is shared: whatever notation its last user left must not
    // reach the orbit numbers, which are written in the default notation.
    out.flags(std::ios_base::dec | std::ios_base::skipws);
    out.precision(6);
    out.width(0);
    out.fill(' ');
    const auto index = static_cast<std::size_t>(app.current_environment_index);
    if (index < app.environment_tab_names.size()) out << app.environment_tab_names[index];
    const std::int32_t count =
        app.current_entity_list != nullptr ? app.current_entity_list->count : 0;
    out << " | " << count << (count == 1 ? " entity" : " entities");
    write_camera_part(out, app);
    app.status_line_text = out.str();
    lumo::T& label = app.status_label;
    label.set_label(app.status_line_text);
    app.status_width = label.label_width;
    label.x = 0;
    label.y = 0;
    label.width = label.label_width + 2 * app.layout.gap;
    label.height = app.layout.strip_height;
}

void build_fps_text(Application& app)
{
    if (app.view_settings.show_fps == 0) return;
    double mean_ms = 0.0;
    for (std::int64_t ns : app.frame_times_ns)
        mean_ms += static_cast<double>(ns) / 1000000.0 * 0.1;
    const double rate = mean_ms > 0.00001 ? 1000.0 / mean_ms : -1.0;
    lumo::P& readout = app.fps_readout;
    if (const FpsColours* colours = fps_colours_of_theme(app.view_settings.theme_index)) {
        readout.shape_colour = colours->shape;
        readout.text_colour = fps_text_colour(*colours, rate);
    }
    // Runs every frame: one stream for the whole run, emptied each time.
    static std::ostringstream out;
    out.str("");
    out.clear();
    out << (rate > 0.0 ? fixed_to_text(rate, 1) : "?") << " fps (" << fixed_to_text(mean_ms, 1)
        << " ms)";
    readout.set_label(out.str());
}
