#include "app/frame/frame_tick.h"

#include <array>
#include <string>

#include "app/commands/environment_lifecycle.h"
#include "app/commands/open_command.h"
#include "app/commands/parameter_sync.h"
#include "app/commands/script_loading.h"
#include "app/frame/frame_tick_camera.h"
#include "app/frame/interface_construction.h"
#include "app/frame/startup_sequence.h"
#include "state/application.h"
#include "panels/file_navigator.h"
#include "panels/info_texts.h"
#include "shell/confirm_pane.h"
#include "shell/fade.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"

namespace {

constexpr std::int64_t NAVIGATOR_REPEAT_DELAY_MS = 500;
constexpr std::int64_t NAVIGATOR_REPEAT_STEP_MS = 50;

// Up or Down held in the navigator moves the cursor again once the key has
// been down for half a second, then at most every 50 ms: the key handlers
// see each press only once.
void repeat_navigator_arrows(Application& app, std::int64_t now)
{
    HeldKeys& held = app.held_keys;
    const bool up = held.arrows[ARROW_UP] != 0;
    const bool down = held.arrows[ARROW_DOWN] != 0;
    if (!app.modal[MODAL_NAVIGATOR] || (!up && !down)) return;
    if (now - held.last_repeat_ms <= NAVIGATOR_REPEAT_STEP_MS ||
        now - held.arrow_press_ms <= NAVIGATOR_REPEAT_DELAY_MS)
        return;
    held.last_repeat_ms = now;
    if (up) navigator_cursor_up(app);
    if (down) navigator_cursor_down(app);
    refresh_root(app);
}

// Runs the start-up frame of the variant the interface construction chose.
void run_startup_frame(Application& app)
{
    if (app.startup_variant == 0)
        run_startup_sequence(app);
    else if (app.startup_variant == 1)
        run_config_startup_sequence(app);
}

constexpr std::array<ApplicationAction, DEFERRED_OPERATION_COUNT> DEFERRED_ACTIONS{
    open_selected_scripts, open_script_paths, open_native_file_dialog, open_native_folder_dialog,
    run_confirmed_action};

void run_deferred_operations(Application& app)
{
    if (app.deferred_countdown > 0) {
        --app.deferred_countdown;
        return;
    }
    if (app.deferred_countdown < 0) return;
    for (std::size_t i = 0; i < DEFERRED_ACTIONS.size(); ++i) {
        if (!app.deferred[i]) continue;
        app.deferred[i] = 0;
        DEFERRED_ACTIONS[i](app);
    }
    // An operation may have armed the next one with a fresh countdown.
    if (app.deferred_countdown == 0) app.deferred_countdown = -1;
}

bool camera_motion_blocked(const Application& app)
{
    return app.camera_motion.camera_lock != 0 || is_any_modal_open(app);
}

// Everything the status line shows and sizes itself by. An idle window
// keeps them all, and its tick then formats no numbers at all.
struct StatusLineInputs {
    const Application* app = nullptr;
    std::int32_t environment = -1;
    std::string environment_name;
    std::int32_t entities = 0;
    std::int32_t window_width = 0;
    std::int32_t window_height = 0;
    std::int32_t camera_mode = 0;
    double zoom = 0.0;
    std::array<double, 3> euler{};
    std::array<double, 3> eye{};
    std::array<double, 3> forward{};
    double eye_height = 0.0;
    std::int32_t gap = 0;
    std::int32_t strip_height = 0;

    bool operator==(const StatusLineInputs&) const = default;
};

StatusLineInputs status_line_inputs(const Application& app)
{
    StatusLineInputs inputs;
    inputs.app = &app;
    inputs.environment = app.current_environment_index;
    const auto index = static_cast<std::size_t>(app.current_environment_index);
    if (index < app.environment_tab_names.size())
        inputs.environment_name = app.environment_tab_names[index];
    inputs.entities = app.current_entity_list != nullptr ? app.current_entity_list->count : 0;
    inputs.window_width = app.window_width;
    inputs.window_height = app.window_height;
    inputs.camera_mode = app.camera_mode;
    inputs.zoom = app.view_settings.zoom;
    inputs.euler = app.view_settings.euler_degrees;
    inputs.eye = {app.camera.eye[0], app.camera.eye[1], app.camera.eye[2]};
    inputs.forward = {app.camera.forward[0], app.camera.forward[1], app.camera.forward[2]};
    inputs.eye_height = app.view_settings.eye_height;
    inputs.gap = app.layout.gap;
    inputs.strip_height = app.layout.strip_height;
    return inputs;
}

// Rebuilds the status line when what it shows moved; true when its text changed.
bool follow_status_line(Application& app)
{
    static StatusLineInputs last;
    StatusLineInputs now = status_line_inputs(app);
    if (now == last && !app.status_line_text.empty()) return false;
    last = std::move(now);
    const std::string shown = app.status_line_text;
    build_status_line(app);
    return app.status_line_text != shown;
}

// While shown, rebuilds the frame-rate read-out when a frame was timed or
// the theme changed its colours; true when its text changed.
bool follow_fps_readout(Application& app)
{
    static std::array<std::int64_t, FRAME_TIME_COUNT> last_times{};
    static std::int32_t last_theme = -1;
    if (app.view_settings.show_fps == 0) return false;
    if (app.frame_times_ns == last_times && app.view_settings.theme_index == last_theme &&
        !app.fps_readout.label.empty())
        return false;
    last_times = app.frame_times_ns;
    last_theme = app.view_settings.theme_index;
    const std::string shown = app.fps_readout.label;
    build_fps_text(app);
    return app.fps_readout.label != shown;
}

} // namespace

void run_frame_tick(Application& app)
{
    const std::int64_t now = app.clock_ms();
    repeat_navigator_arrows(app, now);
    if (!app.startup_finished) {
        run_startup_frame(app);
        return;
    }
    if (app.fade.active) {
        advance_fade(app);
        return;
    }
    run_deferred_operations(app);
    tick_environment_switch(app);
    run_requested_syncs(app);
    follow_floating_controls(app);
    if (app.view_settings.hover_hints) update_hover_hint(app);
    const bool changed = !camera_motion_blocked(app) && run_camera_motion(app, now);
    // The next step counts from the end of this tick: time spent locked,
    // under a pane or in a kernel run this tick made is not motion, and a
    // key held across it must not make the camera jump.
    app.camera_motion.last_tick_ms = app.clock_ms();
    // Checked every frame, the status line follows every camera change
    // (presets, focus, directives, drags) without each of them asking, and
    // the frame-rate read-out the frames timed since; the interface repaints
    // only when a text moved.
    const bool status_moved = follow_status_line(app);
    const bool rate_moved = follow_fps_readout(app);
    if (changed) app.redraw_requested = 1;
    if (changed || status_moved || rate_moved) refresh_root(app);
}
