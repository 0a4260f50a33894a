#include "lumo/view_layout.h"

#include <algorithm>
#include <cmath>

#include "lumo/draw_list.h"

namespace lumo {

namespace {

// The split tree that a history builds: leaves are panes, inner nodes splits.
struct SplitNode {
    int code = 0; // 0 for a leaf
    double ratio = 0.5;
    int first = -1;
    int second = -1;
};

struct SplitTree {
    std::vector<SplitNode> nodes{SplitNode{}};
    std::vector<int> leaves{0}; // node of each pane, in pane order
};

SplitTree tree_from_history(const VL& view)
{
    SplitTree tree;
    for (int k = 0; k < view.split_count; ++k) {
        const int pane = view.split_panes[k];
        if (pane < 0 || pane >= static_cast<int>(tree.leaves.size())) continue;
        const int node = tree.leaves[pane];
        const int first = static_cast<int>(tree.nodes.size());
        tree.nodes.push_back(SplitNode{});
        tree.nodes.push_back(SplitNode{});
        tree.nodes[node] =
            SplitNode{view.split_orientations[k], view.split_ratios[k], first, first + 1};
        tree.leaves[pane] = first;
        tree.leaves.insert(tree.leaves.begin() + pane + 1, first + 1);
    }
    return tree;
}

int leaf_count(const SplitTree& tree, int node)
{
    const SplitNode& n = tree.nodes[node];
    if (n.code == 0) return 1;
    return leaf_count(tree, n.first) + leaf_count(tree, n.second);
}

// Writes the splits of a subtree whose first pane has index `pane`, in an
// order whose replay yields the same panes.
void emit_history(const SplitTree& tree, int node, int pane, VL& view)
{
    const SplitNode& n = tree.nodes[node];
    if (n.code == 0) return;
    view.split_panes.push_back(pane);
    view.split_orientations.push_back(n.code);
    view.split_ratios.push_back(n.ratio);
    ++view.split_count;
    emit_history(tree, n.first, pane, view);
    emit_history(tree, n.second, pane + leaf_count(tree, n.first), view);
}

void keep_index_after_removal(int& index, int removed, int count)
{
    if (index > removed) --index;
    index = std::clamp(index, 0, std::max(count - 1, 0));
}

enum PaneButton { kButtonSplitX = 0, kButtonSplitY = 1, kButtonClose = 2 };

} // namespace

VL::VL() : panes{PaneRect{}}, pane_views{ViewRecord{}} {}

VL::~VL() = default;

void VL::duplicate_viewport_pane_state(int pane)
{
    if (pane < 0 || pane >= static_cast<int>(pane_views.size())) return;
    const ViewRecord copy = pane_views[pane];
    pane_views.insert(pane_views.begin() + pane + 1, copy);
}

void VL::remove_viewport_pane_state(int pane)
{
    if (pane < 0 || pane >= static_cast<int>(pane_views.size())) return;
    pane_views.erase(pane_views.begin() + pane);
}

bool VL::split_viewport_pane(int pane, int code, double ratio, int record, int rebuild)
{
    if (pane < 0 || pane >= pane_count() || (code != kSplitX && code != kSplitY)) return false;
    ratio = std::clamp(ratio, 0.05, 0.95);
    PaneRect first = panes[pane];
    PaneRect second = first;
    if (code == kSplitX) {
        first.x1 = second.x0 = first.x0 + (first.x1 - first.x0) * ratio;
    } else {
        first.y1 = second.y0 = first.y0 + (first.y1 - first.y0) * ratio;
    }
    panes[pane] = first;
    panes.insert(panes.begin() + pane + 1, second);
    if (record != 0) {
        split_panes.push_back(pane);
        split_orientations.push_back(code);
        split_ratios.push_back(ratio);
        ++split_count;
    }
    if (rebuild != 0) viewport_layout_rebuild(*this);
    return true;
}

bool VL::close_viewport_pane(int pane)
{
    if (pane_count() < 2 || pane < 0 || pane >= pane_count()) return false;
    SplitTree tree = tree_from_history(*this);
    if (static_cast<int>(tree.leaves.size()) != pane_count()) return false;
    const int leaf = tree.leaves[pane];
    for (SplitNode& parent : tree.nodes) {
        if (parent.code == 0 || (parent.first != leaf && parent.second != leaf)) continue;
        parent = tree.nodes[parent.first == leaf ? parent.second : parent.first];
        break;
    }
    split_count = 0;
    split_panes.clear();
    split_orientations.clear();
    split_ratios.clear();
    emit_history(tree, 0, 0, *this);
    int selected = selected_pane;
    int active = active_pane;
    viewport_layout_reset(*this);
    keep_index_after_removal(selected, pane, pane_count());
    keep_index_after_removal(active, pane, pane_count());
    selected_pane = selected;
    active_pane = active;
    viewport_layout_rebuild(*this);
    return true;
}

void VL::store_pane_view_state(int mode, const double eye[3], const double target[3], double zoom,
                               const double angles[3], const double saved_eye_target[3][6])
{
    if (selected_pane < 0 || selected_pane >= static_cast<int>(pane_views.size())) return;
    ViewRecord& record = pane_views[selected_pane];
    for (int m = 0; m < kViewRecordModes; ++m) {
        std::copy_n(saved_eye_target[m], 3, view_eye(record, m).begin());
        std::copy_n(saved_eye_target[m] + 3, 3, view_target(record, m).begin());
    }
    if (mode >= 0 && mode < kViewRecordModes) {
        std::copy_n(eye, 3, view_eye(record, mode).begin());
        std::copy_n(target, 3, view_target(record, mode).begin());
    }
    view_zoom(record) = zoom;
    std::copy_n(angles, 3, view_angles(record).begin());
}

void viewport_layout_reset(VL& view)
{
    view.panes.assign(1, PaneRect{});
    const int count = std::min({view.split_count, static_cast<int>(view.split_panes.size()),
                                static_cast<int>(view.split_orientations.size()),
                                static_cast<int>(view.split_ratios.size())});
    view.split_count = count;
    for (int k = 0; k < count; ++k)
        view.split_viewport_pane(view.split_panes[k], view.split_orientations[k],
                                 view.split_ratios[k], 0, 0);
    view.selected_pane = std::clamp(view.selected_pane, 0, view.pane_count() - 1);
    view.active_pane = std::clamp(view.active_pane, 0, view.pane_count() - 1);
}

void viewport_layout_rebuild(VL& view)
{
    const int inner_w = view.width - view.insets.left - view.insets.right;
    const int inner_h = view.height - view.insets.top - view.insets.bottom;
    view.pane_widgets.assign(view.panes.size(), P{});
    view.pane_buttons.assign(view.panes.size() * 3, P{});
    static const char* const kButtonLabels[3] = {"|", "-", "x"};
    for (int i = 0; i < view.pane_count(); ++i) {
        const PaneRect& r = view.panes[i];
        P& frame = view.pane_widgets[i];
        frame.x = view.insets.left + static_cast<int>(std::lround(r.x0 * inner_w));
        frame.y = view.insets.top + static_cast<int>(std::lround(r.y0 * inner_h));
        frame.width = view.insets.left + static_cast<int>(std::lround(r.x1 * inner_w)) - frame.x;
        frame.height = view.insets.top + static_cast<int>(std::lround(r.y1 * inner_h)) - frame.y;
        frame.row_id = i;
        const bool chosen = i == view.selected_pane && view.pane_count() > 1;
        const std::uint32_t edge = chosen ? 0xFF3F7FFF : 0x80808080;
        frame.border_left = frame.border_top = frame.border_right = frame.border_bottom =
            Border{1, nullptr, edge};
        for (int b = 0; b < 3; ++b) {
            P& button = view.pane_buttons[i * 3 + b];
            button.width = button.height = view.button_size;
            button.x = frame.x + frame.width - (3 - b) * (view.button_size + 2) - 2;
            button.y = frame.y + 2;
            button.row_id = i;
            button.background_colour = kPaneButtonBacking;
            button.text_colour = kPaneButtonText;
            button.font = 9;
            button.set_label(kButtonLabels[b]);
            button.visible = b != kButtonClose || view.pane_count() > 1;
        }
    }
}

void VL::layout()
{
    KL::layout();
    viewport_layout_rebuild(*this);
}

int VL::pane_at(int px, int py) const
{
    for (int i = 0; i < static_cast<int>(pane_widgets.size()); ++i)
        if (pane_widgets[i].contains(px, py)) return i;
    return -1;
}

bool VL::on_mouse_down(int px, int py, int button)
{
    const PressOutcome outcome = run_press_callback(px, py, button);
    if (outcome != kPressPassed) return outcome == kPressConsumed;
    const int pane = pane_at(px, py);
    if (pane < 0) return false;
    active_pane = pane;
    for (int b = 0; b < 3; ++b) {
        const P& knob = pane_buttons[pane * 3 + b];
        if (!knob.visible || !knob.contains(px, py)) continue;
        const ActionFn action = b == kButtonSplitX   ? on_split_x
                                : b == kButtonSplitY ? on_split_y
                                                     : on_close;
        if (action) action();
        return true;
    }
    if (pane != selected_pane && on_pane_change) on_pane_change();
    if (on_repaint) on_repaint();
    // The view follows the drag that starts here (camera drags); the press
    // still goes on to the widgets below.
    if (on_drag_callback) g_drag_widget = this;
    return false;
}

void VL::draw(DrawList& list, const DrawContext& context)
{
    if (!visible) return;
    const DrawContext own = child_context(context);
    if (own.opacity <= 0.0) return;
    paint_widget(list, *this, own);
    if (pane_count() > 1)
        for (P& frame : pane_widgets)
            frame.draw(list, own);
    for (P& button : pane_buttons)
        button.draw(list, own);
    draw_children(list, own);
}

} // namespace lumo
