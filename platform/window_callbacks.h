#pragma once

// The record through which one platform window talks to the application:
// its settings and the plain function slots the window layer calls. The
// application never sees a windowing-system event, only slot calls.

#include <cstdint>
#include <string>

struct WindowCallbacks;

// Every slot gets the record first; the result tells whether the event was
// used, and the window layer ignores it.
using PlainSlot = bool (*)(WindowCallbacks* window);
using ButtonSlot = bool (*)(WindowCallbacks* window, std::int32_t button, std::int32_t state,
                            std::int32_t x, std::int32_t y);
using PointSlot = bool (*)(WindowCallbacks* window, std::int32_t x, std::int32_t y);
using KeySlot = bool (*)(WindowCallbacks* window, std::int32_t key, std::int32_t modifiers);
using SizeSlot = bool (*)(WindowCallbacks* window, std::int32_t width, std::int32_t height);
using DropSlot = bool (*)(WindowCallbacks* window, std::int32_t x, std::int32_t y,
                          const std::string& text);
using FlagSlot = bool (*)(WindowCallbacks* window, std::uint8_t flag);
using ModifierSlot = bool (*)(WindowCallbacks* window, std::int32_t modifiers);

constexpr std::uint32_t DEFAULT_CLEAR_COLOUR = 0xFF000000; // ARGB: opaque black
constexpr std::uint32_t MIN_CLIENT_WIDTH = 360;
constexpr std::uint32_t MIN_CLIENT_HEIGHT = 240;
constexpr int WINDOW_SLOT_COUNT = 8;

struct WindowCallbacks {
    std::int32_t argc = 0;
    char** argv = nullptr;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::string title;
    std::uint32_t clear_colour = DEFAULT_CLEAR_COLOUR;
    std::uint32_t min_width = MIN_CLIENT_WIDTH;
    std::uint32_t min_height = MIN_CLIENT_HEIGHT;
    // RGBA8 icon image; the window layer copies it when the window starts.
    std::int32_t icon_width = -1;
    std::int32_t icon_height = -1;
    std::int32_t icon_stride = -1; // in pixels
    const std::uint8_t* icon_pixels = nullptr;

    PlainSlot on_start = nullptr; // once, from start_window
    PlainSlot on_init = nullptr;  // first paint after start, default GL state set
    PlainSlot spare_0 = nullptr;
    PlainSlot on_paint = nullptr; // every paint after start, before the swap
    PlainSlot on_idle = nullptr;  // every pass of the message loop after start
    ButtonSlot on_mouse_button = nullptr;
    PointSlot on_motion = nullptr; // pointer moved, no button held
    PointSlot on_drag = nullptr;   // pointer moved with a button held
    KeySlot on_key_down = nullptr;
    KeySlot on_key_up = nullptr;
    SizeSlot on_resize = nullptr;
    PlainSlot on_enter = nullptr;
    PlainSlot on_exit = nullptr;
    PlainSlot on_focus = nullptr;
    PlainSlot on_unfocus = nullptr;
    DropSlot on_drop = nullptr; // "file://" + path lines joined by "\n"
    DropSlot spare_drop = nullptr;
    PlainSlot on_close = nullptr;
    FlagSlot spare_flag = nullptr;
    ModifierSlot on_modifiers = nullptr; // before each button, motion and key event
    PlainSlot spare_slots[12] = {};      // room for later platform paths
    PlainSlot on_keys_reset = nullptr;   // from reset_key_tables
};

// A record of the given size and title with every default and no slot set.
WindowCallbacks construct_window_record(std::uint32_t width, std::uint32_t height,
                                        const std::string& title);

// Room for eight windows; every event goes to entry 0.
extern WindowCallbacks* g_windows[WINDOW_SLOT_COUNT];

// Stores the record in entry `index` (0 to 7); any other index writes
// "ZARNO-8-WINDOW-MAX!" to the trace and stores nothing.
void register_window(WindowCallbacks* window, std::int32_t index);

// Key-down state kept by the application's key handlers: one byte per key
// code below 256, and Left, Up, Right, Down. The window layer only clears them.
extern std::uint8_t g_key_states[256];
extern std::uint8_t g_arrow_key_states[4];

// Clears both key tables and calls on_keys_reset of window 0; run before a
// file dialog takes the keyboard, so keys held then do not stay down.
void reset_key_tables();

// Calls slot `slot` of window 0 with the record and `args`, when window 0 is
// registered and the slot is set.
template <typename Slot, typename... Args>
void emit_event(Slot WindowCallbacks::*slot, Args... args)
{
    WindowCallbacks* window = g_windows[0];
    if (window != nullptr && window->*slot != nullptr) {
        (window->*slot)(window, args...);
    }
}
