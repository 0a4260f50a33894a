#include "lumo/container.h"

#include <algorithm>

#include "lumo/draw_list.h"

namespace lumo {

namespace {

bool find_path_from(P* widget, const P* target, int parent_x, int parent_y,
                    std::vector<HitStep>& path)
{
    const int ox = parent_x + widget->x;
    const int oy = parent_y + widget->y;
    path.push_back({widget, ox, oy});
    if (widget == target) return true;
    if (auto* box = dynamic_cast<KL*>(widget)) {
        for (P* child : box->children)
            if (child != nullptr && find_path_from(child, target, ox + box->content_offset_x,
                                                   oy + box->content_offset_y, path))
                return true;
    }
    path.pop_back();
    return false;
}

} // namespace

std::vector<HitStep> find_widget_path(P* from, const P* target)
{
    std::vector<HitStep> path;
    if (from != nullptr && target != nullptr) find_path_from(from, target, 0, 0, path);
    return path;
}

int scroll_offset(int size, int extent, double fraction, bool strict)
{
    const bool overflows = strict ? size < extent : size <= extent;
    if (!overflows) return 0;
    return static_cast<int>((size - extent) * std::clamp(fraction, 0.0, 1.0));
}

KL::KL() = default;
KL::~KL() = default;

void KL::refresh()
{
    P::refresh();
    for (std::size_t i = 0; i < children.size(); ++i)
        if (children[i] != nullptr) children[i]->refresh();
}

void KL::layout()
{
    P::layout();
    for (P* child : children)
        if (child != nullptr) child->layout();
}

bool KL::hit_test(int px, int py, int parent_x, int parent_y, std::vector<HitStep>& path)
{
    if (!takes_pointer()) return false;
    const int ox = parent_x + x;
    const int oy = parent_y + y;
    const bool inside = contains(px - parent_x, py - parent_y);
    if (clip_children && !inside) return false;
    // Children may reach beyond an unclipped container (drop-downs do).
    path.push_back({this, ox, oy});
    const std::vector<P*> order = drawing_order();
    for (auto child = order.rbegin(); child != order.rend(); ++child)
        if ((*child)->hit_test(px, py, ox + content_offset_x, oy + content_offset_y, path))
            return true;
    if (inside) return true;
    path.pop_back();
    return false;
}

std::vector<P*> KL::drawing_order() const
{
    std::vector<P*> order;
    order.reserve(children.size());
    for (P* child : children)
        if (child != nullptr) order.push_back(child);
    std::stable_sort(order.begin(), order.end(),
                     [](const P* a, const P* b) { return a->depth_offset < b->depth_offset; });
    return order;
}

void KL::draw_children(DrawList& list, const DrawContext& own) const
{
    DrawContext inner = own;
    inner.x += content_offset_x;
    inner.y += content_offset_y;
    if (clip_children) inner.clip = list.push_clip(own.x, own.y, width, height, own.clip);
    for (P* child : drawing_order())
        child->draw(list, inner);
}

void KL::draw(DrawList& list, const DrawContext& context)
{
    if (!visible) return;
    const DrawContext own = child_context(context);
    if (own.opacity <= 0.0) return;
    paint_widget(list, *this, own);
    draw_children(list, own);
}

} // namespace lumo
