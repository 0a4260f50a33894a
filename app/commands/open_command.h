#pragma once

// Opening scripts: the Open command chooses between the in-app navigator
// and the native open dialog; the dialog itself runs deferred, after the
// opening pane has been drawn. Also the workspace's staging directory, made
// ready once both settings are VALID.

struct Application;

// Creates "tmp/" in the workspace when kernel and workspace are VALID,
// points the navigator at the workspace and stamps the start-up sequence.
void apply_entity_workspace(Application& app);

// Ctrl+O and OPEN: the navigator (inline input), the native dialog (native
// input; with both on, Shift picks it), or a warning when both are off.
void open_script_command(Application& app);

// Deferred step: asks the platform's open dialog for scripts and hands the
// chosen paths to the deferred open. Without a dialog, or with nothing
// chosen, the opening state ends at once.
void open_native_file_dialog(Application& app);
