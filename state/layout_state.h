#pragma once

// What the window layout reads besides the panel flags of the view settings:
// which floating controls are shown and expanded, the scroll fractions that
// no environment keeps, and the 3-D view rectangle it computes for the
// renderer.

#include <array>
#include <cstdint>

#include "state/menu_state.h"

// The scroll fractions that belong to the window rather than to one
// environment; the bars' strips and the floating controls keep theirs in the
// environment's view settings.
struct ScrollFractions {
    double entity_details = 0.0;
    std::array<double, TOOL_MENU_COUNT> tool_menus{};
    std::array<double, SETTINGS_MENU_COUNT> settings_menus{};
};

struct PanelLayoutState {
    std::uint8_t parallel_flags_shown = 0;
    std::uint8_t parallel_flags_expanded = 0;
    std::uint8_t inspector_shown = 0;
    std::uint8_t inspector_expanded = 0;
    std::uint8_t directive_shown = 0;
    std::uint8_t directive_widened = 0;
    std::uint8_t variants_shown = 0;
    std::uint8_t variants_expanded = 0;
    std::uint8_t view_panes_enabled = 1;
    std::uint8_t window_too_small = 0; // narrower than 480 or lower than 360
    // The 3-D view rectangle (x, y, width, height) the renderer draws into.
    std::array<std::int32_t, 4> view_rect{0, 0, 720, 480};
};
