#pragma once

// The two menu bars: the tool bar's eight menu buttons and the settings
// bar's ten entries. Opening a drop-down is the bars' own business; the
// rows inside a drop-down go through the menu dispatch.

#include <cstdint>

struct Application;

// -1 or the open menu closes it, any other index opens that menu.
void toggle_tool_menu(Application& app, std::int32_t menu);
// FULLSCREEN, LOCK and SLIDERS act at once; the other entries open their
// drop-down, or close it when it is the open one (-1 closes it too).
void select_settings_menu_item(Application& app, std::int32_t item);
// The settings bar's FULLSCREEN: also Ctrl+F.
void flip_full_screen(Application& app);
