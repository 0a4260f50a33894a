#pragma once

// The models of the error, warning, information and directive panes: what
// each shows and whether it is open. The state lives in the Application;
// these open and fill the panes.

#include <cstdint>
#include <string>

#include "app/state/pane_state.h"

struct Application;

// Each opens its pane as a modal state with the interface dimmed; a later
// pane of the same kind replaces an earlier one.
void show_error_pane(Application& app, const std::string& title, const std::string& text);
void show_warning_pane(Application& app, const std::string& title, const std::string& text);
void show_info_pane(Application& app, const std::string& title, const std::string& text);
// Opens the directive pane when closed and closes it when open.
void toggle_directive_pane(Application& app, const std::string& title, const std::string& text,
                           std::int32_t title_icon);
