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
// Buttons whose press a dialog dropped: their release has nothing to end.
std::uint8_t g_press_dropped[3] = {};
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
    const bool release_of_dropped_press = !pressed && g_press_dropped[code];
    g_press_dropped[code] = 0;
    if (release_of_dropped_press) {
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

bool is_close_request(const XClientMessageEvent& message)
{
    return message.message_type == g_x11.atoms.wm_protocols &&
           static_cast<Atom>(message.data.l[0]) == g_x11.atoms.wm_delete_window;
}

void handle_client_message(const XClientMessageEvent& message)
{
    if (!is_close_request(message)) {
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

// A button event while a dialog runs reaches nobody, but a press leaves its
// release to be dropped too, and a release lets go of the button.
void drop_button(const XButtonEvent& button, bool pressed)
{
    const std::int32_t code = translate_button(button.button);
    if (code < MOUSE_LEFT || code > MOUSE_RIGHT) {
        return;
    }
    g_mouse_held[code] = 0;
    g_press_dropped[code] = pressed ? 1 : 0;
}

} // namespace

void reset_input_state()
{
    std::memset(g_mouse_held, 0, sizeof g_mouse_held);
    std::memset(g_press_dropped, 0, sizeof g_press_dropped);
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

void handle_event_during_dialog(XEvent& event)
{
    switch (event.type) {
    case KeyPress:
    case MotionNotify:
    case EnterNotify:
    case LeaveNotify:
    case SelectionNotify: // a drop's file list
        break;
    case KeyRelease:
        g_keycode_down[event.xkey.keycode & 0xFF] = 0;
        break;
    case ButtonPress:
    case ButtonRelease:
        drop_button(event.xbutton, event.type == ButtonPress);
        break;
    case ClientMessage:
        // Drops are refused; a close request ends the loop once the dialog has.
        if (is_close_request(event.xclient)) {
            handle_client_message(event.xclient);
        }
        break;
    default:
        handle_window_event(event);
        break;
    }
}

void put_back_pointer_position()
{
    Window root = 0;
    Window child = 0;
    int root_x = 0, root_y = 0, x = 0, y = 0;
    unsigned int state = 0;
    const bool same_screen = XQueryPointer(g_x11.display, g_x11.window, &root, &child, &root_x,
                                           &root_y, &x, &y, &state) != False;
    const bool inside =
        same_screen && x >= 0 && y >= 0 && x < g_client_size.width && y < g_client_size.height;
    XEvent event = {};
    if (inside) {
        XMotionEvent& motion = event.xmotion;
        motion.type = MotionNotify;
        motion.x = x;
        motion.y = y;
        motion.state = state;
        motion.same_screen = True;
    } else {
        XCrossingEvent& leave = event.xcrossing;
        leave.type = LeaveNotify;
        leave.mode = NotifyNormal;
        leave.detail = NotifyNonlinear;
        leave.same_screen = same_screen;
        leave.state = state;
    }
    event.xany.send_event = True;
    event.xany.display = g_x11.display;
    event.xany.window = g_x11.window;
    XPutBackEvent(g_x11.display, &event);
}
