#pragma once

// What the open command takes from the in-app file navigator: the listed
// directory, its entries, their display order and which are selected.

#include <cstdint>
#include <string>
#include <vector>

struct NavigatorSelection {
    std::string directory; // ends with "/"
    std::vector<std::string> entry_names;
    std::vector<std::int32_t> display_order; // list position -> entry index
    std::vector<std::uint8_t> selected;      // by entry index
};

extern NavigatorSelection g_navigator_selection;
