#pragma once

// Snapshots of the 3-D view (Ctrl+8, the CAPTURE button) and screenshots of
// the window (Ctrl+7, CAPTURE with a modifier held). Asking names the file
// and requests the capture, which the next frame takes and shows in its
// pane; Enter on that pane, as the pane says, writes the image into the
// workspace as PNG.

#include <string>

#include "shell/modal_panes.h"

struct Application;

// Name the file "plim_snapshot_" / "plim_screenshot_" + the local date-time
// + ".png" and ask the next frame for the capture.
void make_snapshot_name(Application& app);
void make_screenshot_name(Application& app);

// Write the captured image under its name in the workspace, close the pane
// and report in the console's file-io or error channel and an information
// or error pane. The image goes to a temporary name first and is renamed
// when whole, so a failed write leaves no file under the final name.
void save_environment_image(Application& app);
void save_application_screenshot(Application& app);

// Runs the capture follow-ups of Enter; false for any other follow-up.
bool run_capture_follow_up(Application& app, EnterFollowUp follow_up);

// The CAPTURE button: a snapshot, or with Alt, Shift or Ctrl held a screenshot.
bool on_capture_button_click();
