#pragma once

// Opening the file navigator for each thing it chooses: the kernel
// executable and the entity workspace (from the "Program Configuration"
// box, which steps aside), scripts to open, and the export location. Each
// sets the navigator's mode, lists where that mode starts and shows the
// mode's title, hint and OK label.

#include <string>

struct Application;

void open_kernel_path_selection(Application& app);
void open_workspace_selection(Application& app);
// Lists the directory the navigator was last left in.
void show_open_script_navigator(Application& app);
// Lists `start` for choosing the directory the export writes into.
void show_export_location_selection(Application& app, const std::string& start);
