#pragma once

// The rows of the eight tool menus and the ten settings menus (the bars that
// open them are app/commands/menu_bars.h). Each row calls a dispatcher with
// its (menu, item) pair; the dispatcher changes the Application's flags,
// keeps the menu's check marks and mirrors them into the rows' selected flags.

#include <cstdint>

struct Application;

// Menu or item numbers outside the tables change nothing.
void handle_tool_menu_item(Application& app, std::int32_t menu, std::int32_t item);
void handle_settings_menu_item(Application& app, std::int32_t menu, std::int32_t item);
