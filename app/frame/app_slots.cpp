#include "app/frame/app_slots.h"

#include <chrono>

#include "lumo/gl/textures.h"
#include "lumo/widget.h"
#include "app/frame/frame_tick.h"

#include "app/commands/dropped_files.h"

#include "app/frame/input_handlers.h"

#include "app/frame/image_capture.h"
#include "app/frame/pointer_hover.h"
#include "app/frame/render_scene_input.h"
#include "state/application.h"
#include "platform/clock.h"
#include "platform/input_codes.h"
#include "render/gl/frame.h"
#include "shell/refresh.h"

WindowCallbacks g_app_window;

namespace {

std::int64_t steady_ns()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void store_pointer(Application& app, std::int32_t x, std::int32_t y)
{
    app.pointer_position = {x, y};
}

} // namespace

bool app_on_start(WindowCallbacks*)
{
    if (g_app == nullptr) return false;
    g_app->startup_start_ms = now_ms();
    return true;
}

bool app_on_init(WindowCallbacks*)
{
    lumo::create_icon_atlas_texture();
    lumo::create_logo_texture();
    lumo::create_font_texture();
    return true;
}

bool app_on_paint(WindowCallbacks*)
{
    if (g_app == nullptr) return false;
    paint_frame_timed(*g_app);
    return true;
}

bool app_on_idle(WindowCallbacks*)
{
    if (g_app == nullptr) return false;
    run_frame_tick(*g_app);
    return true;
}

bool app_on_mouse_move(WindowCallbacks*, std::int32_t x, std::int32_t y)
{
    if (g_app == nullptr) return false;
    store_pointer(*g_app, x, y);
    const lumo::P* hovered = lumo::g_hovered_widget;
    const lumo::P* tooltip = lumo::g_tooltip_widget;
    const bool handled = g_app->root.dispatch_mouse_move(x, y);
    keep_pick_hint(*g_app, tooltip, x, y);
    // The pick follows the pointer: it runs in the paint path. A hover
    // style shows only once painted, and rows without a hint (variants,
    // directives) change nothing else that would paint them.
    if (g_app->view_settings.pick_mode != '!' || lumo::g_hovered_widget != hovered)
        request_paint(*g_app);
    return handled;
}

bool app_on_mouse_exit(WindowCallbacks*)
{
    emit_event(&WindowCallbacks::on_motion, -1, -1);
    return true;
}

bool app_on_mouse_drag(WindowCallbacks*, std::int32_t x, std::int32_t y)
{
    if (g_app == nullptr) return false;
    store_pointer(*g_app, x, y);
    // The slot names no button; drags reach the widgets as left-button drags.
    const bool used = g_app->root.dispatch_drag(x, y, MOUSE_LEFT);
    // A thumb, a knob or a divider follows the pointer on its own, with no
    // callback that paints: each step of the drag asks for its frame.
    if (used) request_paint(*g_app);
    return used;
}

bool app_on_resize(WindowCallbacks*, std::int32_t width, std::int32_t height)
{
    if (g_app == nullptr) return false;
    return g_app->root.dispatch_aux_event(lumo::kAuxResize, width, height);
}

bool app_on_modifiers(WindowCallbacks*, std::int32_t modifiers)
{
    if (g_app == nullptr) return false;
    lumo::g_held_key_counts[0] = (modifiers & MOD_ALT) != 0 ? 1 : 0;
    lumo::g_held_key_counts[1] = (modifiers & MOD_SHIFT) != 0 ? 1 : 0;
    lumo::g_held_key_counts[2] = (modifiers & MOD_CTRL) != 0 ? 1 : 0;
    return true;
}

bool noop_false(WindowCallbacks*)
{
    return false;
}

void paint_frame_timed(Application& app)
{
    const std::int64_t begin = steady_ns();
    // The flag is sampled before the frame clears it: the frame time counts
    // only for frames that were asked for.
    const bool requested = app.redraw_requested != 0;
    app.redraw_requested = 0;
    // The scene's panes come from the laid-out view widget. What lies under
    // a resting pointer may have moved since the last frame: the hover
    // follows before anything is drawn.
    app.root.layout();
    settle_hover_after_layout(app);
    const RenderScene scene = build_render_scene(app);
    render_frame(
        app.root,
        {app.gl_vertex_arrays_to_delete, app.gl_buffers_to_delete, app.gl_index_buffers_to_delete},
        &scene);
    run_image_passes(app, scene);
    if (!requested) return;
    app.frame_times_ns[static_cast<std::size_t>(app.frame_time_index)] = steady_ns() - begin;
    app.frame_time_index = (app.frame_time_index + 1) % FRAME_TIME_COUNT;
}

void install_app_slots(WindowCallbacks& window)
{
    window.on_start = app_on_start;
    window.on_init = app_on_init;
    window.on_paint = app_on_paint;
    window.on_idle = app_on_idle;
    window.on_motion = app_on_mouse_move;
    window.on_drag = app_on_mouse_drag;
    window.on_resize = app_on_resize;
    window.on_enter = noop_false;
    window.on_exit = app_on_mouse_exit;
    window.on_focus = noop_false;
    window.on_modifiers = app_on_modifiers;
    window.on_drop = handle_dropped_file;

    window.on_mouse_button = handle_platform_mouse_button;
    window.on_key_down = handle_platform_key_down;
    window.on_key_up = handle_platform_key_up;
    window.on_keys_reset = zero_app_key_states;
    window.on_unfocus = clear_key_states;
}
