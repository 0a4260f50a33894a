#pragma once

// The application's window record and the plain functions in its slots:
// each turns one platform event into a call on the application object.

#include "platform/window_callbacks.h"

#include <cstdint>

struct Application;

// Window 0 of the program, filled and started by the start-up wiring.
extern WindowCallbacks g_app_window;

// Start: stamps the start time the start-up animation counts from.
bool app_on_start(WindowCallbacks* window);
// First paint: the GL textures of the icon atlas, the logo and the font.
bool app_on_init(WindowCallbacks* window);
// Every paint: one frame, timed.
bool app_on_paint(WindowCallbacks* window);
// Every pass of the message loop: the frame tick.
bool app_on_idle(WindowCallbacks* window);
// Pointer moves: stored, then routed into the widget tree (hover states).
bool app_on_mouse_move(WindowCallbacks* window, std::int32_t x, std::int32_t y);
// The pointer left the window: a move to (-1, -1) through window 0's motion slot.
bool app_on_mouse_exit(WindowCallbacks* window);
// Moves with a button held: stored, then to the widget being dragged.
bool app_on_mouse_drag(WindowCallbacks* window, std::int32_t x, std::int32_t y);
// The client size, as the root's resize event.
bool app_on_resize(WindowCallbacks* window, std::int32_t width, std::int32_t height);
// Alt (2), Shift (4) and Ctrl (8) into the toolkit's held-key counters.
bool app_on_modifiers(WindowCallbacks* window, std::int32_t modifiers);
// Enter and focus: nothing to do, not consumed.
bool noop_false(WindowCallbacks* window);

// Renders one frame and, while a redraw is requested, records its duration
// in the application's ring of the last ten frame times.
void paint_frame_timed(Application& app);

// Installs the slots above, the frame tick, the drop handler and the input
// handlers (buttons, keys, keys reset, focus loss) into `window`; every
// other slot stays empty.
void install_app_slots(WindowCallbacks& window);
