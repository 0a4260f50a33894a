#pragma once

// The rows of the eight tool menus and the ten settings menus, and the two
// menu bars. Each row calls a dispatcher with its (menu, item) pair; the
// dispatcher changes the Application's flags, keeps the menu's check marks
// and mirrors them into the rows' selected flags.

#include <cstdint>

struct Application;

// Menu or item numbers outside the tables change nothing.
void handle_tool_menu_item(Application& app, std::int32_t menu, std::int32_t item);
void handle_settings_menu_item(Application& app, std::int32_t menu, std::int32_t item);
// -1 or the open menu closes it, any other index opens that menu.
void toggle_tool_menu(Application& app, std::int32_t menu);
// FULLSCREEN, LOCK and SLIDERS act at once; the other entries open their
// drop-down, or close it when it is the open one.
void select_settings_menu_item(Application& app, std::int32_t item);
// The settings bar's FULLSCREEN: also Ctrl+F.
void flip_full_screen(Application& app);
