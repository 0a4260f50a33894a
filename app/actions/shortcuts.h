#pragma once

// Every keyboard shortcut is decided here: the Application's key-down
// handler, which the root calls for each key that reaches it, the key-up
// handler and the root's key-up entry.

#include <cstdint>

struct Application;

// True when the key was used. Keys go to a focused widget first; while the
// window is too small nothing is used.
bool handle_application_key(Application& app, std::int32_t key, std::int32_t modifiers);
// A focused widget takes the key-up; otherwise the key leaves the key table.
bool handle_app_key_up(Application& app, std::int32_t key, std::int32_t modifiers);
// Alt, Shift and Ctrl (510, 511, 512) count down their held counters;
// every other key goes to the root's key-up operation.
bool root_key_up(Application& app, std::int32_t key, std::int32_t modifiers);
// Marks a key down in the Application's key table (a letter in both cases)
// or, for the arrows, in the arrow flags.
void mark_key_down(Application& app, std::int32_t key);
