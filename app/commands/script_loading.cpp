#include "app/commands/script_loading.h"

#include "kernel/assemble_runs.h"
#include "app/commands/entity_assembly.h"
#include "app/commands/kernel_run_settings.h"
#include "app/commands/script_reload.h"
#include "kernel/parse_report_builder.h"
#include "kernel/parse_runs.h"
#include "state/application.h"
#include "panels/console_channels.h"
#include "panels/dir_listing.h"
#include "panels/directive_menus.h"
#include "panels/entity_colouring.h"
#include "panels/info_texts.h"
#include "state/pane_state.h"
#include "panels/entity_rows.h"
#include "panels/parameter_rows.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

// Loads a new script or re-assembles the entity already open from it; false
// when there is no current environment, which ends the command.
bool open_one_path(Application& app, const std::string& path, const std::string& name)
{
    if (!is_script_file_name(path)) {
        if (!path.empty()) {
            console_line(app, "Error: Invalid File Path");
            console_line(app, "  \t " + path);
        }
        return true;
    }
    if (app.current_entity_list == nullptr) return false;
    if (contains_entity_path(*app.current_entity_list, path)) {
        console_line(app, "Note: Script Already Loaded: " + path);
        std::int32_t mode = app.view_settings.execution_mode;
        reload_script_entity(app, *find_entity_by_path(*app.current_entity_list, path), mode);
        return true;
    }
    console_line(app, "Script-File Opened: " + name);
    load_script_entity(app, path);
    return true;
}

void close_open_pane(Application& app)
{
    app.redraw_requested = 1;
    hide_opening_pane(app);
}

void show_syntax_errors(Application& app, const ParseReport& report, const std::string& name,
                        std::int64_t count)
{
    if (report.output_unreadable != 0) console_line(app, k_unreadable_parse_line);
    console_line(app, syntax_error_line(count));
    show_pane(app, syntax_error_pane(name, count));
}

void show_critical_assembly(Application& app, const std::string& name)
{
    console_line(app, k_critical_assembly_line);
    show_pane(app, critical_assembly_pane(name));
    console_append_kernel_run_errors(app);
}

// What every successful load does once its entity (or group) is built.
void add_loaded_entity(Application& app, Entity& entity, std::int64_t started_ms)
{
    if (app.current_scene_state != nullptr) add_entity_unique(*app.current_scene_state, entity);
    grow_parameter_list(app, entity);
    update_environment_totals(app);
    build_script_list_text(app);
    build_status_line(app);
    if (needs_colouring(app)) colour_entity(app, entity);
    console_line(app, timing_line(now_ms() - started_ms));
    console_show_kernel_run(app);
    // The environment now shows a script of its own instead of the sample model.
    if (app.builtin_mesh != nullptr) app.builtin_mesh->visible = 0;
}

void load_single(Application& app, const KernelSettings& kernel, const ParseReport& report,
                 const std::string& name)
{
    const std::int64_t started_ms = now_ms();
    console_line(app, "Assembling: " + name);
    std::int32_t mode = app.view_settings.execution_mode;
    Mesh* mesh =
        run_assemble(kernel, parse_statement_text(report), mode, app.view_settings.profiler != 0);
    if (!is_finished_mesh(mesh)) {
        release_mesh_queued(app, mesh);
        show_critical_assembly(app, name);
        return;
    }
    if (mesh->assembly_error_count >= 1) {
        console_line(app, assembly_error_line(mesh->assembly_error_count));
        show_pane(app, assembly_error_pane(name, mesh->assembly_error_count));
        console_show_kernel_run(app);
        release_mesh_queued(app, mesh);
        return;
    }
    Entity entity = build_single_entity(mesh, report);
    add_loaded_entity(app, entity, started_ms);
}

void load_parallel(Application& app, const KernelSettings& kernel, const ParseReport& report,
                   const std::string& name)
{
    const ViewSettings& settings = app.view_settings;
    const std::int64_t started_ms = now_ms();
    const ParsedElements parsed = parse_parallel_elements(kernel, report);
    if (!check_parsed_elements(app, parsed, name)) return;
    console_line(app, "Assembling: " + name);
    const bool profiling = settings.profiler != 0;
    if (settings.ccpp != 0)
        run_ccpp_compute(kernel, get_parallel_global_prefix(report), settings.execution_mode,
                         profiling);
    const ElementResults results = assemble_script(
        kernel, report.script_path, settings.execution_mode, settings.multi_core != 0 ? 1 : 0,
        settings.invocation_groups != 0, settings.ccpp != 0, profiling);
    const ResultCheck check = check_results(results);
    if (check.critical || check.errors >= 1) {
        release_results(app, results);
        if (check.critical) {
            show_critical_assembly(app, name);
            return;
        }
        console_line(app, assembly_error_line(check.errors));
        show_pane(app, assembly_error_pane(name, check.errors));
        console_show_kernel_run(app);
        return;
    }
    Entity group = build_group_entity(report, parsed.reports, results, settings.execution_mode,
                                      static_cast<std::int32_t>(now_ms() - started_ms));
    add_loaded_entity(app, group, started_ms);
}

} // namespace

void rebuild_entity_panels(Application& app)
{
    rebuild_entity_rows(app);
    rebuild_parameter_rows(app);
    rebuild_entity_details(app);
    rebuild_parameter_details(app);
    build_camera_directive_menu(app);
    build_parametric_variant_menu(app);
    count_animation_directives(app);
}

void open_selected_scripts(Application& app)
{
    const FileNavigator& navigator = app.navigator;
    for (std::int32_t entry : navigator.display_order) {
        const auto at = static_cast<std::size_t>(entry);
        if (entry < 0 || at >= navigator.entries.size() || at >= navigator.selected.size() ||
            navigator.selected[at] == 0)
            continue;
        const std::string& name = navigator.entries[at].name;
        if (!open_one_path(app, navigator.directory + name, name)) {
            close_open_pane(app); // nothing to open into; the window stays usable
            return;
        }
    }
    rebuild_entity_panels(app);
    close_open_pane(app);
}

void open_script_paths(Application& app)
{
    if (app.pending_path_count < 1) {
        close_open_pane(app);
        return;
    }
    const std::size_t count =
        std::min(static_cast<std::size_t>(app.pending_path_count), app.pending_paths.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = app.pending_paths[i];
        if (!open_one_path(app, path, path_file_name(path))) {
            close_open_pane(app); // nothing to open into; the window stays usable
            return;
        }
    }
    rebuild_entity_panels(app);
    close_open_pane(app);
}

void load_script_entity(Application& app, const std::string& path)
{
    const std::string name = path_file_name(path);
    const KernelSettings kernel = kernel_run_settings(app);
    if (kernel.workspace_path.empty()) {
        console_line(app, k_workspace_not_set_line);
        show_pane(app, workspace_not_set_pane(name));
        return;
    }
    const std::int64_t started_ms = now_ms();
    console_line(app, "Parsing: " + name);
    const ParseReport report = parse_script_file(kernel, path);
    console_line(app, timing_line(now_ms() - started_ms));
    console_show_kernel_run(app);
    const std::int32_t errors = report.section_line_counts[SECTION_ERRORS];
    if (errors >= 1) {
        show_syntax_errors(app, report, name, errors);
        return;
    }
    if (report.parallel != 0)
        load_parallel(app, kernel, report, name);
    else
        load_single(app, kernel, report, name);
}
