#pragma once

#include "lumo/widget.h"

namespace lumo {

// A horizontal slider holding a value from 0 to 1. The track is the widget
// less its margins; the knob slides along it. A press calls the pre-press
// callback, moves the knob to the pointer and starts a drag; the release
// calls the release callback before the drag widget is cleared, so that the
// callback still finds its slider through g_drag_widget.
class SB : public P {
public:
    SB();

    double value = 0.0;
    int step_count = 0; // discrete positions 0..step_count, 0 for continuous
    int knob_size = 12;
    P knob; // the knob's look: fill, borders, depth offset

    ValueFn on_value_changed = nullptr;
    ValueFn on_pre_press = nullptr;
    ValueFn on_release_value = nullptr;

    // Sets the value (clamped and snapped to the steps) without callbacks.
    void set_value(double new_value);
    // The value under a pointer x in widget coordinates.
    double value_at(int px) const;
    // The knob's rectangle in widget coordinates.
    int knob_x() const;

    void draw(DrawList& list, const DrawContext& context) override;
    bool on_mouse_down(int px, int py, int button) override;
    bool on_drag(int px, int py, int button) override;
    bool on_mouse_up(int px, int py, int button) override;

private:
    double snap(double raw) const;
    void move_to(double new_value);
};

} // namespace lumo
