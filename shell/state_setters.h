#pragma once

// Setters of the interface state: each stores the value in the Application,
// brings the widgets showing it into line and refreshes.

#include <cstdint>

#include "app/state/application.h"

// Re-applies only when the index differs from the current theme.
void select_theme(Application& app, std::int32_t theme);
void set_settings_bar_visible(Application& app, bool on);
// -1 or the open drop-down closes it; FULLSCREEN, LOCK and SLIDERS act at once.
void select_settings_menu_item(Application& app, std::int32_t item);
// -1 or the open menu closes it.
void toggle_tool_menu(Application& app, std::int32_t menu);
// -1 or the open panel closes it; 0 console, 1 entity inspector, 2 parameters.
void select_side_panel(Application& app, std::int32_t panel);
// The flip and quick-hide setters act only on a change of their flag.
void set_vertical_flip_mode(Application& app, bool on);
void set_quick_hide(Application& app, bool on);
void select_execution_mode(Application& app, std::int32_t mode);
// Shows trace channel 0 to 3 of the current console.
void select_console_channel(Application& app, std::int32_t channel);
// The console's two text widgets use the regular font when set, the small
// one otherwise.
void select_text_view_font(Application& app, bool regular_font);
// Copies the hovered widget's hint into the hint bar when it changed.
void update_hover_hint(Application& app);
