#pragma once

// Files dropped on the window: the drop text is one "file://" + path line
// per file. The paths are traced and, while drag-and-drop input is on,
// opened by the frame tick's deferred step.

#include <cstdint>
#include <string>
#include <vector>

struct Application;
struct WindowCallbacks;

// The window's drop slot; the position is not used. False when nothing was
// handed on.
bool handle_dropped_file(WindowCallbacks* window, std::int32_t x, std::int32_t y,
                         const std::string& text);
// The drag-and-drop gate: records the paths when the setting is on, else
// warns. True when the paths were recorded.
bool handle_drop_request(Application& app, const std::vector<std::string>& paths);
// Replaces the pending path list and starts the deferred open. Always true.
bool record_dropped_files(Application& app, const std::vector<std::string>& paths);

// The trimmed paths of the drop text's "file://" lines, each traced.
std::vector<std::string> dropped_paths(const std::string& text);
