#include "lumo/layouts.h"

#include <algorithm>
#include <cmath>

namespace lumo {

RL::RL() = default;

void RL::layout()
{
    P::layout();
    int pen = 0;
    int across = 0;
    for (P* child : children) {
        if (child == nullptr || !child->visible) continue;
        if (vertical) {
            child->x = 0;
            child->y = pen;
            pen += child->height + spacing;
            across = std::max(across, child->width);
        } else {
            child->x = pen;
            child->y = 0;
            pen += child->width + spacing;
            across = std::max(across, child->height);
        }
        child->layout();
    }
    if (pen > 0) pen -= spacing;
    content_width = vertical ? across : pen;
    content_height = vertical ? pen : across;
}

BL::BL() = default;

void BL::set_region(Region region, P* widget, int size)
{
    if (regions[region] != nullptr && regions[region] != widget)
        children.erase(std::remove(children.begin(), children.end(), regions[region]),
                       children.end());
    regions[region] = widget;
    sizes[region] = size;
    if (widget != nullptr && std::find(children.begin(), children.end(), widget) == children.end())
        children.push_back(widget);
}

void BL::layout()
{
    P::layout();
    auto place = [](P* w, int px, int py, int pw, int ph) {
        if (w == nullptr) return;
        w->x = px;
        w->y = py;
        w->width = std::max(pw, 0);
        w->height = std::max(ph, 0);
    };
    const int north = regions[kNorth] != nullptr ? sizes[kNorth] : 0;
    const int south = regions[kSouth] != nullptr ? sizes[kSouth] : 0;
    const int west = regions[kWest] != nullptr ? sizes[kWest] : 0;
    const int east = regions[kEast] != nullptr ? sizes[kEast] : 0;
    const int middle = height - north - south;
    place(regions[kNorth], 0, 0, width, north);
    place(regions[kSouth], 0, height - south, width, south);
    place(regions[kWest], 0, north, west, middle);
    place(regions[kEast], width - east, north, east, middle);
    place(regions[kCentre], west, north, width - west - east, middle);
    for (P* child : children)
        if (child != nullptr) child->layout();
}

SL::SL() = default;

int SL::divider_position() const
{
    const int span = (stacked ? height : width) - divider;
    return static_cast<int>(std::lround(std::max(span, 0) * ratio));
}

void SL::layout()
{
    P::layout();
    const int split = divider_position();
    const int rest = std::max((stacked ? height : width) - split - divider, 0);
    if (children.size() > 0 && children[0] != nullptr) {
        P& first = *children[0];
        first.x = 0;
        first.y = 0;
        first.width = stacked ? width : split;
        first.height = stacked ? split : height;
    }
    if (children.size() > 1 && children[1] != nullptr) {
        P& second = *children[1];
        second.x = stacked ? 0 : split + divider;
        second.y = stacked ? split + divider : 0;
        second.width = stacked ? width : rest;
        second.height = stacked ? rest : height;
    }
    for (P* child : children)
        if (child != nullptr) child->layout();
}

bool SL::on_mouse_down(int px, int py, int button)
{
    const PressOutcome outcome = run_press_callback(px, py, button);
    if (outcome != kPressPassed) return outcome == kPressConsumed;
    const int along = stacked ? py : px;
    const int split = divider_position();
    if (button != 0 || along < split || along >= split + divider) return false;
    g_drag_widget = this;
    return true;
}

bool SL::on_drag(int px, int py, int button)
{
    if (g_drag_widget != this) return P::on_drag(px, py, button);
    const int span = (stacked ? height : width) - divider;
    if (span <= 0) return true;
    const int along = (stacked ? py : px) - divider / 2;
    ratio = std::clamp(static_cast<double>(along) / span, min_ratio, max_ratio);
    layout();
    return true;
}

} // namespace lumo
