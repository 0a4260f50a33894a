#include "app/frame/input_handlers.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "app/actions/shortcuts.h"
#include "app/frame/pointer_hover.h"
#include "state/application.h"
#include "panels/info_texts.h"
#include "shell/refresh.h"
#include "platform/input_codes.h"
#include "platform/trace.h"
#include "platform/window_callbacks.h"

namespace {

constexpr std::int32_t MIN_WIDTH = 480;
constexpr std::int32_t MIN_HEIGHT = 360;
constexpr std::int32_t CLICK_SLOP = 6; // a click moves less than this

// The previous button event, for click detection.
struct ButtonEvent {
    std::int32_t button = -1;
    std::int32_t state = -1;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
ButtonEvent g_last_button_event;

// Marks the key down in the platform tables; false when it already was.
bool mark_platform_key(std::int32_t key)
{
    if (key >= 0 && key < 256) {
        const bool letter = std::isalpha(key) != 0;
        const auto lower = static_cast<std::size_t>(letter ? std::tolower(key) : key);
        const auto upper = static_cast<std::size_t>(letter ? std::toupper(key) : key);
        if (g_key_states[lower] || g_key_states[upper]) return false;
        g_key_states[lower] = g_key_states[upper] = 1;
    } else if (key >= KEY_LEFT && key <= KEY_DOWN) {
        std::uint8_t& arrow = g_arrow_key_states[key - KEY_LEFT];
        if (arrow) return false;
        arrow = 1;
    }
    return true;
}

// Clears the key in the platform tables; true when it was down.
bool clear_platform_key(std::int32_t key)
{
    if (key >= 0 && key < 256) {
        const bool letter = std::isalpha(key) != 0;
        const auto lower = static_cast<std::size_t>(letter ? std::tolower(key) : key);
        const auto upper = static_cast<std::size_t>(letter ? std::toupper(key) : key);
        const bool was_down = g_key_states[lower] || g_key_states[upper];
        g_key_states[lower] = g_key_states[upper] = 0;
        return was_down;
    }
    if (key >= KEY_LEFT && key <= KEY_DOWN) {
        std::uint8_t& arrow = g_arrow_key_states[key - KEY_LEFT];
        const bool was_down = arrow != 0;
        arrow = 0;
        return was_down;
    }
    return true;
}

void clear_application_keys(Application& app)
{
    app.held_keys.keys.fill(0);
    app.held_keys.arrows.fill(0);
}

bool is_click(std::int32_t button, std::int32_t state, std::int32_t x, std::int32_t y)
{
    const ButtonEvent& last = g_last_button_event;
    return button == MOUSE_LEFT && state == BUTTON_RELEASED && last.button == MOUSE_LEFT &&
           last.state == BUTTON_PRESSED && std::abs(x - last.x) < CLICK_SLOP &&
           std::abs(y - last.y) < CLICK_SLOP;
}

bool route_button(Application& app, std::int32_t button, std::int32_t state, std::int32_t x,
                  std::int32_t y)
{
    const bool wheel = button == MOUSE_WHEEL_UP || button == MOUSE_WHEEL_DOWN;
    if (!wheel && (button < MOUSE_LEFT || button > MOUSE_RIGHT)) return false;
    // The event meets the tree as it stands now, even before a paint has
    // laid out the last notch, key or rebuild: a click on a row that
    // scrolled or was rebuilt under the resting pointer names that row.
    app.root.layout();
    if (settle_hover(app, x, y)) request_paint(app);
    if (wheel) {
        const bool used = app.root.dispatch_wheel(x, y, button == MOUSE_WHEEL_UP ? -1 : 1);
        // A scroll pane that takes the notch moves its content without a
        // callback of its own: the window shows it at the next paint.
        if (used) request_paint(app);
        return used;
    }
    // A press or a release changes what shows without a callback that
    // paints: a track press moves its thumb, a press elsewhere takes a
    // field's caret away, a release ends a drag where it was let go. Every
    // one asks for the frame that shows it, whether a widget took it or not.
    request_paint(app);
    if (state == BUTTON_PRESSED) return app.root.dispatch_mouse_down(x, y, button);
    const bool used = app.root.dispatch_mouse_up(x, y, button);
    if (lumo::g_drag_widget != nullptr) {
        lumo::P* dragged = lumo::g_drag_widget;
        dragged->on_mouse_up(0, 0, 0);
        lumo::g_drag_widget = nullptr;
    }
    lumo::g_active_widget_id = -1;
    if (is_click(button, state, x, y)) app.root.dispatch_click(x, y);
    return used;
}

bool on_root_key_down(int key, int modifiers)
{
    return g_app != nullptr && handle_application_key(*g_app, key, modifiers);
}

bool on_root_key_up(int key, int modifiers)
{
    return g_app != nullptr && handle_app_key_up(*g_app, key, modifiers);
}

bool on_root_aux(int code, int a, int b)
{
    if (g_app == nullptr || code != lumo::kAuxResize) return false;
    return handle_app_resize(*g_app, a, b);
}

} // namespace

bool handle_platform_key_down(WindowCallbacks*, std::int32_t key, std::int32_t modifiers)
{
    if (g_app == nullptr) return false;
    if (key >= lumo::kKeyAlt && key <= lumo::kKeyCtrl) {
        ++lumo::g_held_key_counts[key - lumo::kKeyAlt];
        return false;
    }
    if (!mark_platform_key(key)) return false; // an auto-repeat
    return root_key_down(*g_app, key, modifiers);
}

bool handle_platform_key_up(WindowCallbacks*, std::int32_t key, std::int32_t modifiers)
{
    if (g_app == nullptr) return false;
    if (!clear_platform_key(key)) return false;
    return root_key_up(*g_app, key, modifiers);
}

bool handle_platform_mouse_button(WindowCallbacks*, std::int32_t button, std::int32_t state,
                                  std::int32_t x, std::int32_t y)
{
    const bool used = g_app != nullptr && route_button(*g_app, button, state, x, y);
    g_last_button_event = {button, state, x, y};
    return used;
}

bool zero_app_key_states(WindowCallbacks*)
{
    trace_line("ZEROING-KEY-STATES");
    if (g_app != nullptr) clear_application_keys(*g_app);
    return false;
}

bool clear_key_states(WindowCallbacks*)
{
    if (g_app != nullptr) {
        clear_application_keys(*g_app);
        std::memset(lumo::g_held_key_counts, 0, sizeof lumo::g_held_key_counts);
    }
    std::memset(g_key_states, 0, sizeof g_key_states);
    std::memset(g_arrow_key_states, 0, sizeof g_arrow_key_states);
    return false;
}

bool handle_app_resize(Application& app, std::int32_t width, std::int32_t height)
{
    app.window_width = width;
    app.window_height = height;
    app.root.width = width;
    app.root.height = height;
    const bool too_small = width < MIN_WIDTH || height < MIN_HEIGHT;
    app.panel_layout.window_too_small = too_small ? 1 : 0;
    app.resize_notice.notice.visible = too_small;
    build_status_line(app);
    app.redraw_requested = 1;
    return true;
}

void install_application_handlers(Application& app)
{
    app.root.on_key_down_callback = on_root_key_down;
    app.root.on_key_up_callback = on_root_key_up;
    app.root.on_aux = on_root_aux;
}
