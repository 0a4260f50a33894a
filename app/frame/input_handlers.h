#pragma once

// The platform's input slots: key tables that swallow the system's key
// auto-repeat, mouse buttons turned into press, release, click and wheel
// events of the root, the key-state resets and the Application's resize.

#include <cstdint>

struct Application;
struct WindowCallbacks;

bool handle_platform_key_down(WindowCallbacks* window, std::int32_t key, std::int32_t modifiers);
bool handle_platform_key_up(WindowCallbacks* window, std::int32_t key, std::int32_t modifiers);
// Buttons 0-2 press and release (state 0 down, 1 up); 3 and 4 are wheel
// steps of -1 and +1. A left release within 5 pixels of its press clicks.
bool handle_platform_mouse_button(WindowCallbacks* window, std::int32_t button, std::int32_t state,
                                  std::int32_t x, std::int32_t y);
// After a system file dialog: the Application's key tables only.
bool zero_app_key_states(WindowCallbacks* window);
// Focus lost: every key table and the held-modifier counters.
bool clear_key_states(WindowCallbacks* window);
// Stores the size; below 480 x 360 the "Resize Window" notice blocks keys.
bool handle_app_resize(Application& app, std::int32_t width, std::int32_t height);
// The root's key-down, key-up and resize handlers of the Application.
void install_application_handlers(Application& app);
