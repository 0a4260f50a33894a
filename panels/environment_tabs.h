#pragma once

// The strip of environment tabs along the bottom of the window: one tab per
// environment, 64 pixels apart, the current one drawn selected.

#include <cstdint>

struct Application;

constexpr std::int32_t ENVIRONMENT_TAB_WIDTH = 64;

// Rebuilds the tab widgets from the environment names and the current index.
void rebuild_environment_tabs(Application& app);
// Tab index under a strip x coordinate (it may lie outside the tabs).
std::int32_t environment_tab_at(std::int32_t x);
