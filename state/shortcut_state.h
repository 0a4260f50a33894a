#pragma once

// State of the menu dispatch and the keyboard that no other part keeps: the
// program-wide switch of a menu row without a field of its own, the Tab step
// through the saved views and the derived visibility of the floating panels.

#include <cstdint>

// Switches of settings rows that belong to the program, not to an
// environment; the start values match the rows' initial check marks.
struct MenuSwitches {
    std::uint8_t ui_animations = 1;
};

// Tab and Shift+Tab: the view the 3-D view shows, the one it is asked to
// load, and how many there are.
struct SavedViewStep {
    std::int32_t current = 0;
    std::int32_t pending = 0;
    std::int32_t count = 0;
};

// Which floating panel widgets show, derived from the panel switches.
struct PanelVisibility {
    std::uint8_t camera_views = 0;
    std::uint8_t parallel_flags = 0;
    std::uint8_t variants = 0;
    std::uint8_t inspector = 0;
    std::uint8_t animator = 0;
    std::uint8_t parallel_pane = 0;
    std::uint8_t inspector_pane = 0;
    std::uint8_t minimal_panels[3]{};
    std::uint8_t floating_container = 1;
    std::uint8_t camera_views_pane = 0;

    bool operator==(const PanelVisibility&) const = default;
};
