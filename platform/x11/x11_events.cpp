// X events to slot calls, in the order the application expects: modifiers
// before each button, motion and key-path event; keys by the key table or
// the character path; the wheel as buttons 3 and 4, one call per notch.

#include "platform/x11/gl_window.h"
#include "platform/input_codes.h"
#include "platform/x11/key_translation.h"
#include "platform/window_callbacks.h"
#include "platform/x11/x11_state.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

namespace {

std::uint8_t g_mouse_held[3] = {}; // left, middle, right
struct PointerPosition {
    std::int32_t x;
    std::int32_t y;
};
PointerPosition g_last_mouse_position = {0, 0};
// Which key codes are down, so that auto-repeated presses skip the
// character path: a held digit types once.
std::uint8_t g_keycode_down[256] = {};

bool any_button_held()
{
    return g_mouse_held[MOUSE_LEFT] || g_mouse_held[MOUSE_MIDDLE] || g_mouse_held[MOUSE_RIGHT];
}

// Caps Lock must not change a letter and Ctrl must not turn keys into
// control bytes, so keys are looked up without either.
std::string lookup_key(const XKeyEvent& key, KeySym& keysym)
{
    XKeyEvent plain = key;
    plain.state &= ~static_cast<unsigned>(LockMask | ControlMask);
    char text[8] = {};
    const int length = XLookupString(&plain, text, sizeof text, &keysym, nullptr);
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

void handle_key_press(const XKeyEvent& key)
{
    const std::int32_t bits = modifier_bits(key.state);
    const bool repeated = g_keycode_down[key.keycode & 0xFF];
    g_keycode_down[key.keycode & 0xFF] = 1;
    KeySym keysym = NoSymbol;
    const std::string text = lookup_key(key, keysym);
    const std::int32_t code = translate_key(keysym, (key.state & ShiftMask) != 0);
    if (code != 0) {
        emit_event(&WindowCallbacks::on_modifiers, bits);
        emit_event(&WindowCallbacks::on_key_down, code, bits);
        return;
    }
    const std::int32_t character = character_key_code(text);
    if (character != 0 && !repeated) {
        emit_event(&WindowCallbacks::on_key_down, character, bits);
        emit_event(&WindowCallbacks::on_key_up, character, bits);
    }
}

void handle_key_release(const XKeyEvent& key)
{
    g_keycode_down[key.keycode & 0xFF] = 0;
    KeySym keysym = NoSymbol;
    lookup_key(key, keysym);
    const std::int32_t code = translate_key(keysym, (key.state & ShiftMask) != 0);
    if (code != 0) {
        const std::int32_t bits = modifier_bits(key.state);
        emit_event(&WindowCallbacks::on_modifiers, bits);
        emit_event(&WindowCallbacks::on_key_up, code, bits);
    }
}

void handle_button(const XButtonEvent& button, bool pressed)
{
    const std::int32_t code = translate_button(button.button);
    if (code < 0) {
        return;
    }
    if (code == MOUSE_WHEEL_UP || code == MOUSE_WHEEL_DOWN) {
        // A notch is a press; its release means nothing.
        if (pressed) {
            emit_event(&WindowCallbacks::on_mouse_button, code, BUTTON_PRESSED,
                       g_last_mouse_position.x, g_last_mouse_position.y);
        }
        return;
    }
    emit_event(&WindowCallbacks::on_modifiers, modifier_bits(button.state));
    g_mouse_held[code] = pressed ? 1 : 0;
    emit_event(&WindowCallbacks::on_mouse_button, code, pressed ? BUTTON_PRESSED : BUTTON_RELEASED,
               button.x, button.y);
}

void handle_motion(const XMotionEvent& motion)
{
    emit_event(&WindowCallbacks::on_modifiers, modifier_bits(motion.state));
    g_last_mouse_position = {motion.x, motion.y};
    if (any_button_held()) {
        emit_event(&WindowCallbacks::on_drag, motion.x, motion.y);
    } else {
        emit_event(&WindowCallbacks::on_motion, motion.x, motion.y);
    }
}

// Without a window manager nothing holds the size hints: a resize below
// the minimum is answered with a request for the minimum, and the
// application sees only the size the window gets then.
bool below_minimum_size(const XConfigureEvent& configure)
{
    if (configure.width >= static_cast<int>(MIN_CLIENT_WIDTH) &&
        configure.height >= static_cast<int>(MIN_CLIENT_HEIGHT)) {
        return false;
    }
    XResizeWindow(g_x11.display, g_x11.window,
                  static_cast<unsigned>(std::max<int>(configure.width, MIN_CLIENT_WIDTH)),
                  static_cast<unsigned>(std::max<int>(configure.height, MIN_CLIENT_HEIGHT)));
    XFlush(g_x11.display);
    return true;
}

void handle_configure(const XConfigureEvent& configure)
{
    if (configure.width == g_client_size.width && configure.height == g_client_size.height) {
        return; // a move, not a resize
    }
    if (below_minimum_size(configure)) {
        return;
    }
    g_client_size = {configure.width, configure.height};
    emit_event(&WindowCallbacks::on_resize, configure.width, configure.height);
    paint_window();
    // The GL driver may take the new drawable size only at this first swap,
    // and a shrinking window gets no exposure to paint it again: one more
    // paint on the next pass shows the frame at its new size.
    g_repaint_requested = 1;
}

void handle_client_message(const XClientMessageEvent& message)
{
    const bool close_request = message.message_type == g_x11.atoms.wm_protocols &&
                               static_cast<Atom>(message.data.l[0]) == g_x11.atoms.wm_delete_window;
    if (!close_request) {
        handle_drop_message(message);
        return;
    }
    // The window itself is destroyed only after the loop has ended.
    g_running = 0;
    emit_event(&WindowCallbacks::on_close);
}

// The keyboard has gone elsewhere: releases made there never reach us, so
// the keys held are forgotten, here and in the application.
void forget_held_keys()
{
    std::memset(g_keycode_down, 0, sizeof g_keycode_down);
    emit_event(&WindowCallbacks::on_unfocus);
}

// Whether keys go to the window wherever the pointer is. With the focus on
// the pointer's root (PointerRoot, where no window manager runs) or on an
// ancestor they follow the pointer, and the X server marks a leave as
// focused all the same, so only the server's focus tells.
bool keyboard_focus_on_window()
{
    Window focus = None;
    int revert_to = 0;
    XGetInputFocus(g_x11.display, &focus, &revert_to);
    return focus == g_x11.window;
}

void handle_crossing(const XCrossingEvent& crossing)
{
    // Only the pointer crossing the window's edge counts; a grab taking or
    // giving back the pointer does not move it.
    if (crossing.mode != NotifyNormal || crossing.detail == NotifyInferior) return;
    if (crossing.type == EnterNotify) {
        emit_event(&WindowCallbacks::on_enter);
        return;
    }
    emit_event(&WindowCallbacks::on_exit);
    // A keyboard that follows the pointer leaves with it, and no focus event
    // tells so.
    if (!keyboard_focus_on_window()) forget_held_keys();
}

} // namespace

void reset_input_state()
{
    std::memset(g_mouse_held, 0, sizeof g_mouse_held);
    std::memset(g_keycode_down, 0, sizeof g_keycode_down);
    g_last_mouse_position = {0, 0};
}

void handle_window_event(XEvent& event)
{
    switch (event.type) {
    case KeyPress:
        handle_key_press(event.xkey);
        break;
    case KeyRelease:
        handle_key_release(event.xkey);
        break;
    case ButtonPress:
        handle_button(event.xbutton, true);
        break;
    case ButtonRelease:
        handle_button(event.xbutton, false);
        break;
    case MotionNotify:
        handle_motion(event.xmotion);
        break;
    case ConfigureNotify:
        handle_configure(event.xconfigure);
        break;
    case Expose:
        if (event.xexpose.count == 0) {
            paint_window();
        }
        break;
    case ClientMessage:
        handle_client_message(event.xclient);
        break;
    case SelectionNotify:
        handle_drop_selection(event.xselection);
        break;
    case SelectionRequest:
        handle_selection_request(event.xselectionrequest);
        break;
    case SelectionClear:
        handle_selection_clear(event.xselectionclear);
        break;
    case EnterNotify:
    case LeaveNotify:
        handle_crossing(event.xcrossing);
        break;
    case FocusIn:
        if (event.xfocus.detail == NotifyInferior) break;
        emit_event(&WindowCallbacks::on_focus);
        break;
    case FocusOut:
        // The focus moving within the window leaves the keys alone.
        if (event.xfocus.detail == NotifyInferior) break;
        forget_held_keys();
        break;
    case MappingNotify:
        XRefreshKeyboardMapping(&event.xmapping);
        break;
    default:
        break;
    }
}
