#pragma once

// Every keyboard shortcut is decided here: the Application's key-down
// handler, which the root calls for each key that reaches it, the key-up
// handler and the root's key-up entry.

#include <cstdint>

struct Application;

// The root's key-down callback: true when the key was used. While a widget
// has the focus after start-up no shortcut applies; while the window is too
// small nothing is used.
bool handle_application_key(Application& app, std::int32_t key, std::int32_t modifiers);
// The root's key-up callback: without a focused widget the key leaves the
// key table.
bool handle_app_key_up(Application& app, std::int32_t key, std::int32_t modifiers);
// A key from the platform: after start-up the root's dispatch gives it to the
// focused widget first, then to handle_application_key; before, and while
// the window is too small, only handle_application_key sees it.
bool root_key_down(Application& app, std::int32_t key, std::int32_t modifiers);
// Alt, Shift and Ctrl (510, 511, 512) count down their held counters;
// every other key goes through the root's key-up dispatch.
bool root_key_up(Application& app, std::int32_t key, std::int32_t modifiers);
// Marks a key down in the Application's key table (a letter in both cases)
// or, for the arrows, in the arrow flags.
void mark_key_down(Application& app, std::int32_t key);
