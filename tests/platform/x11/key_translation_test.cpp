// gtest first: X.h defines None, which gtest also uses as a name.
#include <gtest/gtest.h>

#include "platform/input_codes.h"
#include "platform/x11/key_translation.h"

#include <X11/X.h>
#include <X11/keysym.h>

TEST(KeyTranslation, LettersFollowShiftOnly)
{
    EXPECT_EQ(translate_key(XK_a, false), 'a');
    EXPECT_EQ(translate_key(XK_a, true), 'A');
    EXPECT_EQ(translate_key(XK_z, true), 'Z');
    // What X reports with Caps Lock on: the upper-case keysym, still lower
    // case for the application unless Shift is held.
    EXPECT_EQ(translate_key(XK_Q, false), 'q');
    EXPECT_EQ(translate_key(XK_Q, true), 'Q');
}

TEST(KeyTranslation, ControlAndNavigationKeys)
{
    EXPECT_EQ(translate_key(XK_BackSpace, false), KEY_BACKSPACE);
    EXPECT_EQ(translate_key(XK_Tab, false), KEY_TAB);
    EXPECT_EQ(translate_key(XK_ISO_Left_Tab, true), KEY_TAB);
    EXPECT_EQ(translate_key(XK_Return, false), KEY_ENTER);
    EXPECT_EQ(translate_key(XK_KP_Enter, false), KEY_ENTER);
    EXPECT_EQ(translate_key(XK_Escape, false), KEY_ESCAPE);
    EXPECT_EQ(translate_key(XK_space, true), KEY_SPACE);
    EXPECT_EQ(translate_key(XK_Left, false), KEY_LEFT);
    EXPECT_EQ(translate_key(XK_Up, false), KEY_UP);
    EXPECT_EQ(translate_key(XK_Right, false), KEY_RIGHT);
    EXPECT_EQ(translate_key(XK_Down, false), KEY_DOWN);
    EXPECT_EQ(translate_key(XK_KP_Left, false), KEY_LEFT);
    EXPECT_EQ(translate_key(XK_Home, false), KEY_HOME);
    EXPECT_EQ(translate_key(XK_End, false), KEY_END);
    EXPECT_EQ(translate_key(XK_Prior, false), KEY_PAGE_UP);
    EXPECT_EQ(translate_key(XK_Next, false), KEY_PAGE_DOWN);
    EXPECT_EQ(translate_key(XK_KP_Next, false), KEY_PAGE_DOWN);
}

TEST(KeyTranslation, DigitsPunctuationAndOtherKeysStayOffTheKeyPath)
{
    EXPECT_EQ(translate_key(XK_1, false), 0);
    EXPECT_EQ(translate_key(XK_exclam, true), 0);
    EXPECT_EQ(translate_key(XK_KP_7, false), 0);
    EXPECT_EQ(translate_key(XK_Shift_L, false), 0);
    EXPECT_EQ(translate_key(XK_Control_L, false), 0);
    EXPECT_EQ(translate_key(XK_F1, false), 0);
    EXPECT_EQ(translate_key(XK_Delete, false), 0);
    EXPECT_EQ(translate_key(XK_Insert, false), 0);
    EXPECT_EQ(translate_key(NoSymbol, false), 0);
}

TEST(KeyTranslation, CharacterPathTakesPrintablesThatAreNeitherLettersNorBlank)
{
    EXPECT_EQ(character_key_code("1"), '1');
    EXPECT_EQ(character_key_code("!"), '!');
    EXPECT_EQ(character_key_code("@"), '@');  // 64, last of the first range
    EXPECT_EQ(character_key_code("["), '[');  // 91
    EXPECT_EQ(character_key_code("`"), '`');  // 96
    EXPECT_EQ(character_key_code("{"), '{');  // 123
    EXPECT_EQ(character_key_code("~"), '~');  // 126
    EXPECT_EQ(character_key_code("a"), 0);
    EXPECT_EQ(character_key_code("Z"), 0);
    EXPECT_EQ(character_key_code(" "), 0);
    EXPECT_EQ(character_key_code("\x7f"), 0);
    EXPECT_EQ(character_key_code("\x1b"), 0);
    EXPECT_EQ(character_key_code(""), 0);
    EXPECT_EQ(character_key_code("12"), 0);
    EXPECT_EQ(character_key_code("\xc3"), 0);
}

TEST(KeyTranslation, ModifierBitsIgnoreLocksAndButtons)
{
    EXPECT_EQ(modifier_bits(0), 0);
    EXPECT_EQ(modifier_bits(ControlMask), MOD_CTRL);
    EXPECT_EQ(modifier_bits(ShiftMask), MOD_SHIFT);
    EXPECT_EQ(modifier_bits(Mod1Mask), MOD_ALT);
    EXPECT_EQ(modifier_bits(ControlMask | ShiftMask | Mod1Mask), MOD_CTRL | MOD_SHIFT | MOD_ALT);
    EXPECT_EQ(modifier_bits(LockMask | Mod2Mask | Button1Mask), 0);
}

TEST(KeyTranslation, ButtonsAndWheels)
{
    EXPECT_EQ(translate_button(Button1), MOUSE_LEFT);
    EXPECT_EQ(translate_button(Button2), MOUSE_MIDDLE);
    EXPECT_EQ(translate_button(Button3), MOUSE_RIGHT);
    EXPECT_EQ(translate_button(Button4), MOUSE_WHEEL_UP);
    EXPECT_EQ(translate_button(Button5), MOUSE_WHEEL_DOWN);
    EXPECT_EQ(translate_button(6), MOUSE_WHEEL_UP);
    EXPECT_EQ(translate_button(7), MOUSE_WHEEL_DOWN);
    EXPECT_EQ(translate_button(8), -1);
    EXPECT_EQ(translate_button(0), -1);
}
