#include "lumo/scroll_pane.h"

#include <algorithm>

#include "lumo/draw_list.h"

namespace lumo {

std::uint32_t g_scroll_thumb_colour = 0xFF6B6E73;

SP::SP()
{
    clip_children = true;
    for (P& part : parts)
        part.background_colour = 0x40808080;
}

SP::~SP() = default;

int SP::extent_x() const
{
    if (content_width > 0) return content_width;
    int extent = 0;
    for (const P* child : children)
        if (child != nullptr && child->visible) extent = std::max(extent, child->x + child->width);
    return extent;
}

int SP::extent_y() const
{
    if (content_height > 0) return content_height;
    int extent = 0;
    for (const P* child : children)
        if (child != nullptr && child->visible) extent = std::max(extent, child->y + child->height);
    return extent;
}

void SP::apply_scroll()
{
    fraction_x = std::clamp(fraction_x, 0.0, 1.0);
    fraction_y = std::clamp(fraction_y, 0.0, 1.0);
    const int ex = extent_x();
    const int ey = extent_y();
    content_offset_x = scroll_offset(width, ex, fraction_x, strict);
    content_offset_y = scroll_offset(height, ey, fraction_y, strict);
    const bool show_x = ex > width;
    const bool show_y = ey > height;
    parts[kTrackX].visible = show_x;
    parts[kThumbX].visible = show_x;
    parts[kTrackY].visible = show_y;
    parts[kThumbY].visible = show_y;
    if (show_x) {
        const int thumb = std::max(bar_size * 2, width * width / std::max(ex, 1));
        parts[kTrackX].x = 0;
        parts[kTrackX].y = height - bar_size;
        parts[kTrackX].width = width;
        parts[kTrackX].height = bar_size;
        parts[kThumbX].x = static_cast<int>((width - thumb) * fraction_x);
        parts[kThumbX].y = height - bar_size;
        parts[kThumbX].width = thumb;
        parts[kThumbX].height = bar_size;
    }
    if (show_y) {
        const int thumb = std::max(bar_size * 2, height * height / std::max(ey, 1));
        parts[kTrackY].x = width - bar_size;
        parts[kTrackY].y = 0;
        parts[kTrackY].width = bar_size;
        parts[kTrackY].height = height;
        parts[kThumbY].x = width - bar_size;
        parts[kThumbY].y = static_cast<int>((height - thumb) * fraction_y);
        parts[kThumbY].width = bar_size;
        parts[kThumbY].height = thumb;
    }
}

void SP::layout()
{
    KL::layout();
    apply_scroll();
}

void SP::draw(DrawList& list, const DrawContext& context)
{
    if (!visible) return;
    const DrawContext own = child_context(context);
    if (own.opacity <= 0.0) return;
    paint_widget(list, *this, own);
    draw_children(list, own);
    DrawContext bars = own;
    bars.clip = list.push_clip(own.x, own.y, width, height, own.clip);
    // The theme may have changed since the last frame.
    for (const Part thumb : {kThumbX, kThumbY})
        parts[thumb].background_colour = g_scroll_thumb_colour;
    for (P& part : parts)
        part.draw(list, bars);
}

bool SP::on_bar(int px, int py) const
{
    return (parts[kTrackY].visible && px >= width - bar_size) ||
           (parts[kTrackX].visible && py >= height - bar_size);
}

bool SP::hit_test(int px, int py, int parent_x, int parent_y, std::vector<HitStep>& path)
{
    if (takes_pointer() && contains(px - parent_x, py - parent_y) &&
        on_bar(px - parent_x - x, py - parent_y - y)) {
        path.push_back({this, parent_x + x, parent_y + y});
        return true;
    }
    return KL::hit_test(px, py, parent_x, parent_y, path);
}

void SP::scroll_to_pointer(int px, int py)
{
    if (drag_axis_ == 1) {
        const int travel = height - parts[kThumbY].height;
        if (travel > 0) fraction_y = static_cast<double>(py - parts[kThumbY].height / 2) / travel;
    } else if (drag_axis_ == 0) {
        const int travel = width - parts[kThumbX].width;
        if (travel > 0) fraction_x = static_cast<double>(px - parts[kThumbX].width / 2) / travel;
    }
    apply_scroll();
}

bool SP::on_mouse_down(int px, int py, int button)
{
    const PressOutcome outcome = run_press_callback(px, py, button);
    if (outcome != kPressPassed) return outcome == kPressConsumed;
    if (button != 0) return false;
    if (parts[kTrackY].visible && px >= width - bar_size)
        drag_axis_ = 1;
    else if (parts[kTrackX].visible && py >= height - bar_size)
        drag_axis_ = 0;
    else if (on_drag_callback == nullptr)
        return false;
    g_drag_widget = this;
    scroll_to_pointer(px, py);
    return true;
}

bool SP::on_drag(int px, int py, int button)
{
    if (drag_axis_ < 0) return P::on_drag(px, py, button);
    scroll_to_pointer(px, py);
    return true;
}

bool SP::on_mouse_up(int px, int py, int button)
{
    drag_axis_ = -1;
    return P::on_mouse_up(px, py, button);
}

bool SP::on_wheel(int px, int py, int steps)
{
    if (on_wheel_callback && on_wheel_callback(px, py, steps)) return true;
    if (overflows_y())
        fraction_y = std::clamp(fraction_y + wheel_step * steps, 0.0, 1.0);
    else if (overflows_x())
        fraction_x = std::clamp(fraction_x + wheel_step * steps, 0.0, 1.0);
    else
        return false;
    apply_scroll();
    return true;
}

} // namespace lumo
