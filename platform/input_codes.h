#pragma once

// The codes the window layer hands to the input slots. They are the
// application's own, independent of any windowing system.

#include <cstdint>

// Mouse buttons; the wheel arrives as two extra buttons, one call per notch.
constexpr std::int32_t MOUSE_LEFT = 0;
constexpr std::int32_t MOUSE_MIDDLE = 1;
constexpr std::int32_t MOUSE_RIGHT = 2;
constexpr std::int32_t MOUSE_WHEEL_UP = 3;
constexpr std::int32_t MOUSE_WHEEL_DOWN = 4;

constexpr std::int32_t BUTTON_PRESSED = 0;
constexpr std::int32_t BUTTON_RELEASED = 1;

// Modifier bits, each set while its key is held. Bit 1 is never used.
constexpr std::int32_t MOD_ALT = 2;
constexpr std::int32_t MOD_SHIFT = 4;
constexpr std::int32_t MOD_CTRL = 8;

// Key codes: printable characters by their ASCII code, plus these.
constexpr std::int32_t KEY_BACKSPACE = 8;
constexpr std::int32_t KEY_TAB = 9;
constexpr std::int32_t KEY_ENTER = 13;
constexpr std::int32_t KEY_ESCAPE = 27;
constexpr std::int32_t KEY_SPACE = 32;
constexpr std::int32_t KEY_LEFT = 500;
constexpr std::int32_t KEY_UP = 501;
constexpr std::int32_t KEY_RIGHT = 502;
constexpr std::int32_t KEY_DOWN = 503;
constexpr std::int32_t KEY_HOME = 520;
constexpr std::int32_t KEY_END = 521;
constexpr std::int32_t KEY_PAGE_DOWN = 522;
constexpr std::int32_t KEY_PAGE_UP = 523;
