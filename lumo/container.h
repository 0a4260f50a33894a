#pragma once

#include <vector>

#include "lumo/widget.h"

namespace lumo {

// A container: its children are drawn in order (more depth on top) and hit
// from the top down. The child list does not own its widgets.
class KL : public P {
public:
    KL();
    ~KL() override;

    std::vector<P*> children;
    // Children are drawn shifted by the content offset (scrolling); the content
    // size is what a scroll rule compares with the container's size.
    int content_offset_x = 0;
    int content_offset_y = 0;
    int content_width = 0;
    int content_height = 0;
    bool clip_children = false;

    void add_child(P* child) { children.push_back(child); }

    void refresh() override;
    void layout() override;
    bool hit_test(int px, int py, int parent_x, int parent_y, std::vector<HitStep>& path) override;
    void draw(DrawList& list, const DrawContext& context) override;

protected:
    // Children in drawing order: by depth offset, then by list order.
    std::vector<P*> drawing_order() const;
    void draw_children(DrawList& list, const DrawContext& own) const;
};

// Path from `from` down to `target` (both included) with root origins;
// empty when target is not in the subtree.
std::vector<HitStep> find_widget_path(P* from, const P* target);

// The scroll rule: (size - extent) x fraction truncated when the content
// does not fit (size <= extent, or < with `strict`), else 0.
int scroll_offset(int size, int extent, double fraction, bool strict = false);

} // namespace lumo
