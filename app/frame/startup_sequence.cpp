#include "app/frame/startup_sequence.h"

#include <iomanip>
#include <sstream>

#include "app/commands/kernel_run_settings.h"
#include "app/commands/open_command.h"
#include "state/application.h"
#include "kernel/assemble_runs.h"
#include "model/entity.h"
#include "panels/console_channels.h"
#include "platform/kernel_config.h"
#include "shell/refresh.h"

namespace {

constexpr double LOGO_END = 2.0;
constexpr double FADE_SECONDS = 0.75;
constexpr double LABEL_SECONDS = 0.5;

// Execution modes of the grid, axis and ring scripts: the grid is a plain
// union, the others are optimal CSG like the sample model.
constexpr std::int32_t UNION_MODE = 0;
constexpr std::int32_t OPTIMAL_MODE = 2;
constexpr std::array<const char*, 3> WIDGET_NAMES{"grid", "axis", "ring"};

double& stamp(Application& app, StartupStamp which)
{
    return app.startup_stamps[static_cast<std::size_t>(which)];
}

void set_shown(lumo::P* widget, bool visible)
{
    if (widget != nullptr) widget->visible = visible;
}

void set_opacity(lumo::P* widget, double opacity)
{
    if (widget != nullptr) widget->opacity = opacity;
}

double logo_opacity(double t)
{
    if (t >= 0.25 && t <= 1.0) return (t - 0.25) / FADE_SECONDS;
    if (t > 1.0 && t <= 1.75) return 1.0 - (t - 1.0) / FADE_SECONDS;
    return 0.0;
}

// The logo phase of both variants; true while it lasts.
bool run_logo_phase(Application& app, double t)
{
    if (t > LOGO_END) return false;
    app.startup_logo.opacity = logo_opacity(t);
    refresh_root(app);
    return true;
}

void finish_startup(Application& app)
{
    app.startup_pane.visible = false;
    app.startup_finished = 1;
}

// After the assembly: the label fades out, a hold, the logo returns and the
// start-up pane fades away.
void run_closing_steps(Application& app, double t)
{
    const double d = t - stamp(app, STAMP_ASSEMBLY_END);
    if (d <= LABEL_SECONDS) {
        set_opacity(app.startup_label, 1.0 - 2.0 * d);
    } else if (d <= 1.0) {
        return;
    } else if (d <= 1.75) {
        set_shown(app.startup_label, false);
        app.startup_logo.visible = true;
        app.startup_logo.opacity = (d - 1.0) / FADE_SECONDS;
    } else if (d <= 2.5) {
        set_shown(app.configuration_pane, false);
        app.startup_pane.opacity = 1.0 - (d - 1.75) / FADE_SECONDS;
    } else {
        finish_startup(app);
        return;
    }
    refresh_root(app);
}

void hide_startup_pane(Application& app)
{
    if (!app.startup_pane.visible) return;
    app.startup_pane.visible = false;
    refresh_root(app);
}

void take_widget_meshes(Application& app, std::vector<Mesh*>& meshes)
{
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        if (i >= app.builtin_gizmo_meshes.size()) {
            discard_mesh(meshes[i]);
            continue;
        }
        discard_mesh(app.builtin_gizmo_meshes[i]);
        app.builtin_gizmo_meshes[i] = meshes[i];
        if (meshes[i] == nullptr)
            console_append_error_trace(app, "Start-up assembly: no " +
                                                std::string(WIDGET_NAMES[i]) +
                                                " widget mesh; the widget is not drawn.");
    }
}

void take_sample_mesh(Application& app, Mesh* mesh)
{
    if (mesh == nullptr) {
        console_append_error_trace(app, "Start-up assembly: no sample model mesh.");
        return;
    }
    Entity entity = construct_entity();
    attach_mesh_to_entity(entity, mesh);
    if (app.builtin_entity.mesh == app.builtin_mesh) app.builtin_mesh = nullptr;
    release_entity_resources(app.builtin_entity);
    discard_mesh(app.builtin_mesh);
    app.builtin_mesh = mesh;
    app.builtin_entity = entity;
}

void write_assembly_lines(Application& app)
{
    const double milliseconds =
        (stamp(app, STAMP_ASSEMBLY_END) - stamp(app, STAMP_ASSEMBLY_START)) * 1000.0;
    console_log(app, "Kernel-Path : " + get_kernel_path(), false);
    console_log(app, "Entity-Workspace : " + get_workspace_path(), false);
    console_log(app, assembly_time_line(milliseconds), false);
}

} // namespace

double startup_seconds(const Application& app)
{
    return static_cast<double>(app.clock_ms() - app.startup_start_ms) / 1000.0;
}

void stamp_workspace_applied(Application& app)
{
    stamp(app, STAMP_WORKSPACE) = startup_seconds(app);
}

void run_startup_sequence(Application& app)
{
    const double t = startup_seconds(app);
    if (run_logo_phase(app, t)) return;
    const double workspace = stamp(app, STAMP_WORKSPACE);
    if (workspace < 0.0) {
        // Applying makes the staging directory and points the navigator at
        // the workspace; the stamp is taken on this frame's clock.
        apply_entity_workspace(app);
        stamp_workspace_applied(app);
        set_shown(app.configuration_box, false);
        app.startup_logo.visible = false;
        set_shown(app.startup_label, true);
        set_opacity(app.startup_label, 0.0);
    } else if (t - workspace >= 0.0 && t - workspace <= LABEL_SECONDS) {
        set_opacity(app.startup_label, 2.0 * (t - workspace));
        refresh_root(app);
    } else if (stamp(app, STAMP_ASSEMBLY_START) < 0.0) {
        assemble_startup_environment(app);
    } else if (stamp(app, STAMP_ASSEMBLY_END) >= 0.0) {
        run_closing_steps(app, t);
    } else {
        hide_startup_pane(app);
    }
}

void run_config_startup_sequence(Application& app)
{
    const double t = startup_seconds(app);
    if (run_logo_phase(app, t)) return;
    const double workspace = stamp(app, STAMP_WORKSPACE);
    if (t <= 2.5) {
        app.startup_logo.visible = false;
        app.startup_pane.opacity = 1.0 - 2.0 * (t - LOGO_END);
        refresh_root(app);
    } else if (workspace >= 0.0 && t - workspace <= LABEL_SECONDS) {
        app.startup_pane.visible = true;
        set_shown(app.startup_label, false);
        app.startup_pane.opacity = 2.0 * (t - workspace);
        refresh_root(app);
    } else if (workspace >= 0.0 && t - workspace >= LABEL_SECONDS && t - workspace <= 1.0) {
        set_shown(app.configuration_box, false);
        set_shown(app.startup_label, true);
        set_opacity(app.startup_label, 2.0 * (t - workspace - LABEL_SECONDS));
        refresh_root(app);
    } else if (workspace >= 0.0 && stamp(app, STAMP_ASSEMBLY_START) < 0.0) {
        assemble_startup_environment(app);
    } else if (stamp(app, STAMP_ASSEMBLY_END) >= 0.0) {
        run_closing_steps(app, t);
    } else {
        hide_startup_pane(app);
    }
}

void assemble_startup_environment(Application& app)
{
    stamp(app, STAMP_ASSEMBLY_START) = startup_seconds(app);
    const TextList widget_scripts{app.builtin_scripts[0], app.builtin_scripts[1],
                                  app.builtin_scripts[2]};
    const KernelSettings kernel = kernel_run_settings(app);
    std::vector<Mesh*> meshes = run_assemble_scripts(
        kernel, widget_scripts, {UNION_MODE, OPTIMAL_MODE, OPTIMAL_MODE}, false);
    take_widget_meshes(app, meshes);
    take_sample_mesh(app, run_assemble_optimal(kernel, app.builtin_scripts[4]));
    stamp(app, STAMP_ASSEMBLY_END) = startup_seconds(app);
    write_assembly_lines(app);
    app.redraw_requested = 1;
}

std::string assembly_time_line(double milliseconds)
{
    std::ostringstream out;
    out << "Environment-Assembly : " << std::fixed << std::setprecision(0) << milliseconds << " ms";
    return out.str();
}
