#pragma once

// The actions of the panes' own controls: close boxes, the confirmation
// pane's answers and options, ABOUT and HELP, the navigator's header and OK,
// the configuration box, the export pane's buttons, the profiling pane's
// buttons and the OPEN and EXPORT tool-bar buttons; and the commands that
// the Enter key leaves to its caller.

#include "shell/modal_panes.h"

struct Application;

void wire_pane_callbacks(Application& app);

// Runs what Enter named after the modal dispatch had its turn.
void run_enter_follow_up(Application& app, EnterFollowUp follow_up);
