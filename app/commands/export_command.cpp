#include "app/commands/export_command.h"

#include "panels/configuration_panes.h"
#include "panels/navigator_openers.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "state/application.h"
#include "export/export_names.h"
#include "export/export_options.h"
#include "export/obj_writer.h"
#include "export/off_writer.h"
#include "export/ply_writer.h"
#include "export/stl_writer.h"
#include "lumo/widget.h"
#include "panels/console_channels.h"
#include "panels/message_panes.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "platform/text.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

namespace {

constexpr std::int32_t POLYGON_TOPOLOGY = 0;
constexpr std::int32_t TRIANGLE_TOPOLOGY = 3;
constexpr std::uint32_t EXPORT_CONFIRM_ICON = 4;

ExportOptions export_options_of(const ViewSettings& settings)
{
    return {settings.export_formats, settings.export_topologies, settings.export_attributes};
}

// The counts of the visible entities; hidden ones are left out of the files.
ExportCounts visible_counts(const EntityList* list)
{
    ExportCounts counts;
    if (list == nullptr) return counts;
    for (const Entity& entity : list->entities) {
        if (entity.visible == 0) continue;
        counts.vertices += entity.vertex_count;
        counts.polygon_indices += entity.index_count;
        counts.triangle_indices += entity.triangle_index_count;
        counts.triangles += entity.triangle_count;
    }
    return counts;
}

struct FormatTexts {
    ExportFormat format;
    const char* tag;
    const char* success;
    const char* failure;
    const char* error;
};

constexpr FormatTexts FORMAT_TEXTS[] = {
    {ExportFormat::obj, "OBJ",
     "OBJ-Write-Success: ", "OBJ-Write-Failure: ", "Error Exporting OBJ File: "},
    {ExportFormat::off, "OFF",
     "OFF-Write-Success: ", "OFF-Write-Failure: ", "Error Exporting OFF File: "},
    {ExportFormat::ply, "PLY",
     "PLY-Write-Success: ", "PLY-Write-Failure: ", "Error Exporting PLY File: "},
    {ExportFormat::stl, "STL",
     "STL-Write-Success: ", "STL-Write-Failure: ", "Error Exporting STL File: "},
};

// OFF is always written in its text form from here; PLY follows the option.
bool write_polygon_file(const EntityList& list, ExportFormat format, const std::string& file,
                        std::int32_t topology, const ExportOptions& options)
{
    const bool normals = options.attributes[EXPORT_NORMALS] != 0;
    const bool colours = options.attributes[EXPORT_COLOURS] != 0;
    switch (format) {
    case ExportFormat::obj:
        return write_obj(list, file, topology, normals, colours);
    case ExportFormat::off:
        return write_off(list, file, topology, normals, colours, false);
    case ExportFormat::ply:
        return write_ply(list, file, topology, normals, colours,
                         options.attributes[EXPORT_BINARY] != 0);
    case ExportFormat::stl:
        break;
    }
    return false;
}

bool write_format(const EntityList& list, const FormatTexts& texts, const std::string& base,
                  const ExportOptions& options)
{
    if (texts.format == ExportFormat::stl)
        return write_stl(list, export_file_name(base, ExportFormat::stl, TRIANGLE_TOPOLOGY),
                         options.attributes[EXPORT_BINARY] != 0);
    const bool ngon = options.topologies[EXPORT_NGON] != 0;
    const bool tess = options.topologies[EXPORT_TESS] != 0;
    bool polygons_written = true;
    bool triangles_written = true;
    if (ngon)
        polygons_written = write_polygon_file(
            list, texts.format, export_file_name(base, texts.format, POLYGON_TOPOLOGY),
            POLYGON_TOPOLOGY, options);
    if (tess)
        triangles_written = write_polygon_file(
            list, texts.format, export_file_name(base, texts.format, TRIANGLE_TOPOLOGY),
            TRIANGLE_TOPOLOGY, options);
    return polygons_written && triangles_written && (ngon || tess);
}

void show_export_pane_again(Application& app)
{
    app.export_pane.visible = 1;
    refresh_root(app);
}

void run_accepted_export(Application& app)
{
    app.modal[MODAL_EXPORT] = 0;
    app.export_pane.visible = 0;
    export_environment_mesh(app);
}

void report_export_outcome(Application& app, const std::string& base,
                           const std::vector<std::string>& failed, std::int64_t elapsed_ms)
{
    if (failed.empty()) {
        show_info_pane(app, "Environment Mesh File Export Complete",
                       "Environment mesh written in " +
                           fixed_to_text(static_cast<double>(elapsed_ms) / 1000.0, 2) +
                           " seconds.");
        return;
    }
    std::string formats;
    for (const std::string& tag : failed)
        formats += (formats.empty() ? "" : ", ") + tag;
    show_error_pane(app, "Environment Mesh File Export Failure",
                    "The environment mesh could not be written as: " + formats +
                        ".\n\nNote: check that the output location exists and is writable.\n\n"
                        "\t Path: " +
                        base);
}

std::string process_directory()
{
    return with_trailing_separator(trim_text(current_directory()));
}

} // namespace

void export_command(Application& app)
{
    if (app.current_entity_list == nullptr || app.current_entity_list->count == 0) {
        show_warning_pane(app, "Warning: Nothing to Export",
                          "Assemble one or more mesh to use the export function.");
        return;
    }
    show_export_size_estimate(app);
    app.modal[MODAL_EXPORT] = 1;
    app.export_pane.visible = 1;
    set_modal_masks(app, true);
    refresh_root(app);
}

bool show_export_size_estimate(Application& app)
{
    const ExportOptions options = export_options_of(app.view_settings);
    ExportPaneState& pane = app.export_pane;
    pane.size_estimate = estimate_export_size(options, visible_counts(app.current_entity_list));
    pane.size_text = export_size_text(pane.size_estimate);
    pane.enabled = export_options_enabled(options, pane.size_estimate) ? 1 : 0;
    pane.button_label = pane.enabled != 0 ? "Export" : "!";
    return pane.enabled != 0;
}

void confirm_export(Application& app)
{
    if (app.export_pane.enabled == 0) {
        show_warning_pane(
            app, "Warning: Invalid Export Options",
            "The specified export configuration is not valid.\n\nNote: that at least one "
            "3D-model file format must be\nselected and (unless exporting only STL format)\n"
            "polygons and/or tesselations selected.\n\nNote: additionally check that there is "
            "at least\none visible entity in the environment.");
        return;
    }
    if (!export_target_exists(app)) {
        show_warning_pane(app, "Warning: Invalid Export File",
                          "The specified export configuration is not valid.\n\nNote: the "
                          "concatenated output file path is not valid.");
        return;
    }
    app.export_pane.visible = 0;
    show_confirm_dialog(app, "Confirm Environment Mesh File Export Operation",
                        "Note: this operation may take some time.", EXPORT_CONFIRM_ICON,
                        show_export_pane_again, run_accepted_export);
}

bool export_target_exists(const Application& app)
{
    const ViewSettings& settings = app.view_settings;
    if (settings.export_name.empty() || settings.export_location.empty()) return false;
    // The location is a prefix of file names: a file there would be written
    // beside, not into, so only a directory qualifies.
    std::error_code error;
    return std::filesystem::is_directory(settings.export_location, error);
}

void export_environment_mesh(Application& app)
{
    if (app.current_entity_list == nullptr) return;
    const EntityList& list = *app.current_entity_list;
    const ViewSettings& settings = app.view_settings;
    const ExportOptions options = export_options_of(settings);
    const std::int64_t start_ms = now_ms();
    const std::string base =
        export_base_name(with_trailing_separator(settings.export_location), settings.export_name,
                         settings.export_option != 0 ? query_local_datetime_text(app) : "");
    std::vector<std::string> failed;
    for (const FormatTexts& texts : FORMAT_TEXTS) {
        if (options.formats[static_cast<std::size_t>(texts.format)] == 0) continue;
        if (write_format(list, texts, base, options)) {
            console_append_file_io_trace(app, texts.success + base);
            continue;
        }
        console_append_file_io_trace(app, texts.failure + base);
        console_append_error_trace(app, texts.error + base);
        failed.emplace_back(texts.tag);
    }
    const std::int64_t elapsed_ms = now_ms() - start_ms;
    app.modal[MODAL_BUSY] = 0;
    app.load_pane.visible = false;
    refresh_root(app);
    report_export_outcome(app, base, failed, elapsed_ms);
}

void show_export_location_navigator(Application& app)
{
    const std::string& location = app.view_settings.export_location;
    const std::string start = location.empty() ? process_directory() : location;
    const bool native =
        app.native_io != 0 && (app.inline_io == 0 || lumo::g_held_key_counts[1] != 0);
    if (app.inline_io == 0 && app.native_io == 0) {
        show_warning_pane(app, "Warning: Inline & Native Input are Disabled",
                          "Note: both internal and external output methods are disabled.\n\n"
                          "Note: enable Inline-IO and/or Native-IO to dismiss the warning.");
        return;
    }
    if (native) {
        app.view_settings.export_location = start;
        app.deferred[DEFERRED_NATIVE_FOLDER_DIALOG] = 1;
        app.deferred_countdown = DEFERRED_FRAMES;
        set_opening_busy_style(app, true);
        show_opening_pane(app);
        return;
    }
    // The navigator hides the export pane while it is open; its OK hands
    // the chosen directory to set_export_location and closes back to it.
    show_export_location_selection(app, with_trailing_separator(start));
}
