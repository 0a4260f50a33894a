// Key translation without an X server: keysyms, characters, modifier bits
// and buttons to the program's codes.

#include "platform/x11/key_translation.h"

// gtest before X.h, which defines None.
#include <gtest/gtest.h>

#include "platform/input_codes.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <tuple>
#include <utility>

TEST(KeyTranslation, KeysymsToKeyCodes)
{
    // With Caps Lock on X reports the upper-case keysym: still lower case
    // unless Shift is held. Digits, punctuation and other keys give 0.
    const std::tuple<KeySym, bool, int> cases[] = {
        {XK_a, false, 'a'}, {XK_a, true, 'A'}, {XK_z, true, 'Z'}, {XK_Q, false, 'q'},
        {XK_Q, true, 'Q'}, {XK_BackSpace, false, KEY_BACKSPACE}, {XK_Tab, false, KEY_TAB},
        {XK_ISO_Left_Tab, true, KEY_TAB}, {XK_Return, false, KEY_ENTER},
        {XK_KP_Enter, false, KEY_ENTER}, {XK_Escape, false, KEY_ESCAPE},
        {XK_space, true, KEY_SPACE}, {XK_Left, false, KEY_LEFT}, {XK_Up, false, KEY_UP},
        {XK_Right, false, KEY_RIGHT}, {XK_Down, false, KEY_DOWN}, {XK_KP_Left, false, KEY_LEFT},
        {XK_Home, false, KEY_HOME}, {XK_End, false, KEY_END}, {XK_Prior, false, KEY_PAGE_UP},
        {XK_Next, false, KEY_PAGE_DOWN}, {XK_KP_Next, false, KEY_PAGE_DOWN}, {XK_1, false, 0},
        {XK_exclam, true, 0}, {XK_KP_7, false, 0}, {XK_Shift_L, false, 0},
        {XK_Control_L, false, 0}, {XK_F1, false, 0}, {XK_Delete, false, 0},
        {XK_Insert, false, 0}, {NoSymbol, false, 0}};
    for (auto [keysym, shift, code] : cases)
        EXPECT_EQ(translate_key(keysym, shift), code) << keysym << " " << shift;

    // The character path takes printables that are neither letters nor blank;
    // the edges of the ranges: '@' 64, '[' 91, '`' 96, '{' 123, '~' 126.
    for (const char* taken : {"1", "!", "@", "[", "`", "{", "~"})
        EXPECT_EQ(character_key_code(taken), taken[0]);
    for (const char* refused : {"a", "Z", " ", "\x7f", "\x1b", "", "12", "\xc3"})
        EXPECT_EQ(character_key_code(refused), 0) << static_cast<int>(refused[0]);
}

TEST(KeyTranslation, ModifierBitsAndButtons)
{
    // Locks and buttons are ignored.
    const std::pair<unsigned int, int> modifiers[] = {
        {0, 0}, {ControlMask, MOD_CTRL}, {ShiftMask, MOD_SHIFT}, {Mod1Mask, MOD_ALT},
        {ControlMask | ShiftMask | Mod1Mask, MOD_CTRL | MOD_SHIFT | MOD_ALT},
        {LockMask | Mod2Mask | Button1Mask, 0}};
    for (auto [state, bits] : modifiers)
        EXPECT_EQ(modifier_bits(state), bits) << state;
    const int buttons[] = {-1, MOUSE_LEFT, MOUSE_MIDDLE, MOUSE_RIGHT, MOUSE_WHEEL_UP,
                           MOUSE_WHEEL_DOWN, MOUSE_WHEEL_UP, MOUSE_WHEEL_DOWN, -1};
    for (unsigned int button = 0; button < 9; ++button)
        EXPECT_EQ(translate_button(button), buttons[button]) << button;
}
