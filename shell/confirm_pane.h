#pragma once

// The confirmation pane and the modal states: a confirmed action does not
// run at once but from the frame tick, after the busy pane has been shown.

#include <cstdint>
#include <string>

#include "state/application.h"

bool is_any_modal_open(const Application& app);
// Shows or hides MASKPANE and OVERLAY together.
void set_modal_masks(Application& app, bool visible);

void show_confirm_dialog(Application& app, const std::string& title, const std::string& text,
                         std::uint32_t icon, ApplicationAction cancel_action,
                         ApplicationAction accept_action);
// The three-way execution-mode option: writes the mode through the option
// target and marks its button.
void set_confirm_option(Application& app, std::int32_t option);
// Enter or OK: closes the pane, shows the busy pane and arms the deferred
// confirmed action.
void accept_confirm_dialog(Application& app);
// Escape or Cancel: closes the pane and runs the cancel action, if any.
void cancel_confirm_dialog(Application& app);
// The frame tick's deferred step: runs the accepted action, then ends busy.
void run_confirmed_action(Application& app);
