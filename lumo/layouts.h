#pragma once

#include "lumo/container.h"

namespace lumo {

// A row list: places its visible children one after another, down a column
// or along a row, each keeping its own size; the content size follows.
class RL : public KL {
public:
    RL();
    bool vertical = true;
    int spacing = 0;
    void layout() override;
};

// A border layout: up to five regions. North and south take their size in
// height across the full width, west and east their size in width between
// them, the centre the rest. Regions are also children.
class BL : public KL {
public:
    enum Region { kNorth = 0, kSouth, kWest, kEast, kCentre, kRegionCount };
    BL();
    P* regions[kRegionCount] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    int sizes[kRegionCount] = {0, 0, 0, 0, 0}; // the centre's is unused

    void set_region(Region region, P* widget, int size);
    void layout() override;
};

// A split layout: the first two children share the widget along one axis by
// the ratio, with a divider between them that the pointer drags.
class SL : public KL {
public:
    SL();
    double ratio = 0.5;
    bool stacked = false; // false: side by side; true: one above the other
    int divider = 4;
    double min_ratio = 0.05;
    double max_ratio = 0.95;

    // Position of the divider's first pixel along the split axis.
    int divider_position() const;
    void layout() override;
    bool on_mouse_down(int px, int py, int button) override;
    bool on_drag(int px, int py, int button) override;
};

} // namespace lumo
