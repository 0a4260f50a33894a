#include "platform/x11/window_services.h"

#include "platform/x11/gl_window.h"
#include "platform/window_callbacks.h"
#include "platform/x11/clipboard.h"
#include "platform/x11/x11_state.h"

#include <algorithm>

namespace {

std::uint8_t g_fullscreen_flag = 0;

constexpr long NET_WM_STATE_REMOVE = 0;
constexpr long NET_WM_STATE_ADD = 1;

// The EWMH request to add or remove one or two states; without a window
// manager nobody answers and the window stays as it is.
void ask_for_states(long action, Atom first, Atom second)
{
    XEvent event = {};
    XClientMessageEvent& message = event.xclient;
    message.type = ClientMessage;
    message.window = g_x11.window;
    message.message_type = g_x11.atoms.net_wm_state;
    message.format = 32;
    message.data.l[0] = action;
    message.data.l[1] = static_cast<long>(first);
    message.data.l[2] = static_cast<long>(second);
    message.data.l[3] = 1; // request from a normal application
    XSendEvent(g_x11.display, DefaultRootWindow(g_x11.display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(g_x11.display);
}

// Whether the window manager holds the window maximised either way, as the
// window's _NET_WM_STATE tells.
bool held_maximised()
{
    return atom_list_holds(g_x11.window, g_x11.atoms.net_wm_state,
                           {g_x11.atoms.net_wm_state_maximized_vert,
                            g_x11.atoms.net_wm_state_maximized_horz});
}

} // namespace

void request_repaint()
{
    g_repaint_requested = 1;
}

std::uint8_t set_fullscreen_flag(std::uint8_t flag)
{
    const std::uint8_t previous = g_fullscreen_flag;
    g_fullscreen_flag = flag;
    if ((flag != 0) != (previous != 0) && g_x11.window != 0) {
        ask_for_states(flag != 0 ? NET_WM_STATE_ADD : NET_WM_STATE_REMOVE,
                       g_x11.atoms.net_wm_state_fullscreen, None);
    }
    return previous;
}

std::int32_t resize_client_area(std::int32_t width, std::int32_t height)
{
    if (g_x11.window == 0) {
        return 0;
    }
    // A window manager refuses to resize a window it holds maximised.
    if (held_maximised()) {
        ask_for_states(NET_WM_STATE_REMOVE, g_x11.atoms.net_wm_state_maximized_vert,
                       g_x11.atoms.net_wm_state_maximized_horz);
    }
    // Without a window manager nothing else enforces the minimum size.
    const auto clamped_width = std::max<std::int32_t>(width, MIN_CLIENT_WIDTH);
    const auto clamped_height = std::max<std::int32_t>(height, MIN_CLIENT_HEIGHT);
    XResizeWindow(g_x11.display, g_x11.window, static_cast<unsigned>(clamped_width),
                  static_cast<unsigned>(clamped_height));
    XFlush(g_x11.display);
    return 1;
}

void install_window_services(PlatformServices& services)
{
    services.request_repaint = request_repaint;
    services.set_fullscreen = set_fullscreen_flag;
    services.resize_client_area = resize_client_area;
    services.open_dialog = run_open_dialog;
    services.save_dialog = run_save_dialog;
    services.clipboard_write = set_x11_clipboard_text;
}
