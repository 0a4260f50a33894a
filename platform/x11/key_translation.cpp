#include "platform/x11/key_translation.h"

#include "platform/input_codes.h"

#include <X11/X.h>
#include <X11/keysym.h>

std::int32_t translate_key(unsigned long keysym, bool shift_held)
{
    if (keysym >= XK_a && keysym <= XK_z) {
        keysym -= XK_a - XK_A;
    }
    if (keysym >= XK_A && keysym <= XK_Z) {
        const auto offset = static_cast<std::int32_t>(keysym - XK_A);
        return (shift_held ? 'A' : 'a') + offset;
    }
    switch (keysym) {
    case XK_BackSpace:
        return KEY_BACKSPACE;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return KEY_TAB; // what Shift+Tab produces
    case XK_Return:
    case XK_KP_Enter:
        return KEY_ENTER;
    case XK_Escape:
        return KEY_ESCAPE;
    case XK_space:
    case XK_KP_Space:
        return KEY_SPACE;
    case XK_Prior:
    case XK_KP_Prior:
        return KEY_PAGE_UP;
    case XK_Next:
    case XK_KP_Next:
        return KEY_PAGE_DOWN;
    case XK_End:
    case XK_KP_End:
        return KEY_END;
    case XK_Home:
    case XK_KP_Home:
        return KEY_HOME;
    case XK_Left:
    case XK_KP_Left:
        return KEY_LEFT;
    case XK_Up:
    case XK_KP_Up:
        return KEY_UP;
    case XK_Right:
    case XK_KP_Right:
        return KEY_RIGHT;
    case XK_Down:
    case XK_KP_Down:
        return KEY_DOWN;
    default:
        return 0;
    }
}

std::int32_t character_key_code(const std::string& text)
{
    if (text.size() != 1) {
        return 0;
    }
    const auto code = static_cast<unsigned char>(text[0]);
    const bool printable = code >= 33 && code <= 126;
    const bool letter = (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    return printable && !letter ? code : 0;
}

std::int32_t modifier_bits(unsigned int x_state)
{
    std::int32_t bits = 0;
    if (x_state & ControlMask) {
        bits |= MOD_CTRL;
    }
    if (x_state & ShiftMask) {
        bits |= MOD_SHIFT;
    }
    if (x_state & Mod1Mask) {
        bits |= MOD_ALT;
    }
    return bits;
}

std::int32_t translate_button(unsigned int x_button)
{
    switch (x_button) {
    case Button1:
        return MOUSE_LEFT;
    case Button2:
        return MOUSE_MIDDLE;
    case Button3:
        return MOUSE_RIGHT;
    case Button4:
        return MOUSE_WHEEL_UP;
    case Button5:
        return MOUSE_WHEEL_DOWN;
    case 6:
        return MOUSE_WHEEL_UP; // horizontal wheel, left
    case 7:
        return MOUSE_WHEEL_DOWN; // horizontal wheel, right
    default:
        return -1;
    }
}
