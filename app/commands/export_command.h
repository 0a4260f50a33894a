#pragma once

// The export pane's commands: opening the pane, the size estimate, the
// confirmation, the choice of the output directory and the driver that writes
// the meshes of the current environment in the chosen formats.

#include <string>

struct Application;

// Opens the export pane, or warns when the environment holds no entity.
void export_command(Application& app);
// Recomputes the estimate, its text and the export button's label; true when
// the options can be exported.
bool show_export_size_estimate(Application& app);
// Checks options and target, then asks for confirmation; the accepted
// confirmation runs the driver after the busy pane has been shown.
void confirm_export(Application& app);
// A name and an existing directory as location.
bool export_target_exists(const Application& app);
// Writes every chosen format and topology, one console line per format, then
// the completion pane, or the error pane naming the formats that failed.
void export_environment_mesh(Application& app);
// Starts choosing the output directory: the in-app navigator or the native
// dialog, as the system settings allow.
void show_export_location_navigator(Application& app);
