#pragma once

// Pure translation of X key and pointer data into the application's codes
// (input_codes.h). No display is needed, so all of it is tested headless.

#include <cstdint>
#include <string>

// Key-path code of a keysym looked up without Caps Lock and Control:
// Backspace, Tab, Enter, Escape, Space, the arrows, Home, End and the page
// keys (keypad variants included), and letters, upper case only while Shift
// is held. 0 for every other key: digits and punctuation come through
// character_key_code instead, modifier and function keys not at all.
std::int32_t translate_key(unsigned long keysym, bool shift_held);

// Character-path code of the text a key press produced: the printable ASCII
// characters that are neither letters nor the blank (33-64, 91-96, 123-126),
// when the text is exactly that one byte; else 0.
std::int32_t character_key_code(const std::string& text);

// MOD_CTRL, MOD_SHIFT and MOD_ALT from an X event state mask.
std::int32_t modifier_bits(unsigned int x_state);

// Button code of an X pointer button (1 left, 2 middle, 3 right, 4 and 5 the
// vertical wheel, 6 and 7 the horizontal one, left giving wheel-up and right
// wheel-down), or -1 for buttons the application has no code for.
std::int32_t translate_button(unsigned int x_button);
