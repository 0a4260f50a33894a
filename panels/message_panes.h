#pragma once

// The directive pane's model: what it shows and whether it is open. The
// error, warning and information panes open through the modal panes.

#include <cstdint>
#include <string>

#include "state/pane_state.h"
#include "shell/modal_panes.h"

struct Application;

// The directive pane's title icon as the interface builds it; opening the
// pane through the toggle below shows the icon it is given instead.
inline constexpr std::int32_t DIRECTIVE_PANE_BUILT_ICON = 50;

// Opens the directive pane when closed and closes it when open.
void toggle_directive_pane(Application& app, const std::string& title, const std::string& text,
                           std::int32_t title_icon);
