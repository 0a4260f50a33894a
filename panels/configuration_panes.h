#pragma once

// The "Program Configuration" box's settings: the appliers that store a
// choice and show its state, and the export location's setter. The
// navigator's OK ends in them, so they sit below it.

#include <string>

struct Application;

// Store and classify the setting, then show it, its state and whether both
// settings are VALID ("OK") or not ("!").
void apply_kernel_path(Application& app, const std::string& path);
void apply_workspace_path(Application& app, const std::string& directory);
// Shows the paths and states the program holds, as the appliers do; the
// command line sets them before the box is first shown.
void show_held_settings(Application& app);
// The export location as a directory path ending in '/'; the location
// field's hint shows while it is empty.
void set_export_location(Application& app, const std::string& location);

// `path` with a '/' appended when it is not empty and does not end in one.
std::string with_trailing_separator(std::string path);
