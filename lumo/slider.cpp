#include "lumo/slider.h"

#include <algorithm>
#include <cmath>

#include "lumo/draw_list.h"

namespace lumo {

SB::SB()
{
    knob.fill = true;
    knob.background_colour = 0xFF808080;
}

double SB::snap(double raw) const
{
    double v = std::clamp(raw, 0.0, 1.0);
    if (step_count > 0) v = std::round(v * step_count) / step_count;
    return v;
}

void SB::set_value(double new_value)
{
    value = snap(new_value);
}

double SB::value_at(int px) const
{
    const int track = width - margin.left - margin.right - knob_size;
    if (track <= 0) return 0.0;
    return snap(static_cast<double>(px - margin.left - knob_size / 2) / track);
}

int SB::knob_x() const
{
    const int track = std::max(width - margin.left - margin.right - knob_size, 0);
    return margin.left + static_cast<int>(std::lround(value * track));
}

void SB::move_to(double new_value)
{
    const double snapped = snap(new_value);
    if (snapped == value) return;
    value = snapped;
    if (on_value_changed) on_value_changed(value);
}

bool SB::on_mouse_down(int px, int py, int button)
{
    const PressOutcome outcome = run_press_callback(px, py, button);
    if (outcome != kPressPassed) return outcome == kPressConsumed;
    if (button != 0) return false;
    if (on_pre_press) on_pre_press(value);
    g_drag_widget = this;
    move_to(value_at(px));
    return true;
}

bool SB::on_drag(int px, int /*py*/, int /*button*/)
{
    if (g_drag_widget != this) return false;
    move_to(value_at(px));
    return true;
}

bool SB::on_mouse_up(int /*px*/, int /*py*/, int /*button*/)
{
    if (g_drag_widget != this) return false;
    if (on_release_value) on_release_value(value);
    g_drag_widget = nullptr;
    return true;
}

void SB::draw(DrawList& list, const DrawContext& context)
{
    if (!visible) return;
    const DrawContext own = child_context(context);
    if (own.opacity <= 0.0) return;
    paint_widget(list, *this, own);
    knob.x = knob_x();
    knob.y = margin.top;
    knob.width = knob_size;
    knob.height = height - margin.top - margin.bottom;
    knob.draw(list, own);
}

} // namespace lumo
