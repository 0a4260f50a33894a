#pragma once

#include <cstdint>

#include "lumo/container.h"

namespace lumo {

// The thumbs' colour (ARGB). Whoever applies a theme writes it so that a
// thumb stands out of its track and the panel around it; until then a grey
// for light panels.
extern std::uint32_t g_scroll_thumb_colour;

// A container that scrolls its children. Each axis keeps a fraction from 0
// to 1; layout turns it into the content offset by the scroll rule. The
// wheel steps the fraction of the overflowing axis (vertical first); a press
// on a bar moves its thumb there and drags it.
class SP : public KL {
public:
    SP();
    ~SP() override;

    double fraction_x = 0.0;
    double fraction_y = 0.0;
    double wheel_step = 0.125;
    int bar_size = 8;
    bool strict = false; // content scrolls only when strictly larger
    // The parts, in this order: horizontal track, vertical track, vertical
    // thumb, horizontal thumb. They carry the look; the pane places them.
    P parts[4];

    enum Part { kTrackX = 0, kTrackY = 1, kThumbY = 2, kThumbX = 3 };

    // Content extent: the content size when set, else the children's bounds.
    int extent_x() const;
    int extent_y() const;
    bool overflows_x() const { return extent_x() > width; }
    bool overflows_y() const { return extent_y() > height; }
    // Recomputes the content offsets and the parts from the fractions.
    void apply_scroll();

    void layout() override;
    // The bars lie above the content: a point on a shown bar hits the pane.
    bool hit_test(int px, int py, int parent_x, int parent_y, std::vector<HitStep>& path) override;
    void draw(DrawList& list, const DrawContext& context) override;
    bool on_mouse_down(int px, int py, int button) override;
    bool on_drag(int px, int py, int button) override;
    bool on_mouse_up(int px, int py, int button) override;
    bool on_wheel(int px, int py, int steps) override;

private:
    int drag_axis_ = -1; // 0 horizontal, 1 vertical, -1 none
    bool on_bar(int px, int py) const;
    void scroll_to_pointer(int px, int py);
};

} // namespace lumo
