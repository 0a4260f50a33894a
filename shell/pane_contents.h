#pragma once

// The contents of the modal panes, the start-up pane and the configuration
// pane: where their widgets sit, and the widgets' texts and visibility taken
// from the state the commands and panels change. The sync runs with every
// refresh of the root, so a pane shows its state as soon as it changed.

struct Application;

void lay_out_startup_panes(Application& app, int width, int height);
void lay_out_confirm_box(Application& app, int width, int height);
void lay_out_navigator_pane(Application& app, int width, int height);
void lay_out_run_contents(Application& app, int width, int height);
void lay_out_export_contents(Application& app, int width, int height);
void lay_out_profile_contents(Application& app, int width, int height);

void sync_message_panes(Application& app);
void sync_configuration_pane(Application& app);
void sync_navigator_pane(Application& app);
void sync_export_pane(Application& app);
void sync_profile_pane(Application& app);
// All of the above.
void sync_pane_widgets(Application& app);
