// The view-pane layout: splits, closing, replay of the split history and
// the per-pane view records.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "lumo_test_support.h"

namespace lumo {
namespace {

// A fresh layout given `view`'s split history and reset: the panes must
// come out as `view` has them.
void expect_replay_matches(const VL& view)
{
    VL replayed;
    replayed.split_count = view.split_count;
    replayed.split_panes = view.split_panes;
    replayed.split_orientations = view.split_orientations;
    replayed.split_ratios = view.split_ratios;
    viewport_layout_reset(replayed);
    ASSERT_EQ(replayed.pane_count(), view.pane_count());
    for (int i = 0; i < view.pane_count(); ++i)
        for (double PaneRect::*side : {&PaneRect::x0, &PaneRect::y0, &PaneRect::x1, &PaneRect::y1})
            EXPECT_NEAR(view.panes[i].*side, replayed.panes[i].*side, 1e-12) << "pane " << i;
}

TEST(ViewLayout, SplitsInsertTheNewPaneAfterTheSplitOne)
{
    VL view;
    ASSERT_TRUE(view.split_viewport_pane(0, kSplitX, 0.5, 1, 1));
    ASSERT_TRUE(view.split_viewport_pane(0, kSplitY, 0.25, 1, 1));
    ASSERT_EQ(view.pane_count(), 3);
    // Top-left, bottom-left, right half.
    EXPECT_EQ((std::vector<double>{view.panes[0].y1, view.panes[1].y0, view.panes[1].x1,
                                   view.panes[2].x0}),
              (std::vector<double>{0.25, 0.25, 0.5, 0.5}));
    EXPECT_EQ(view.split_count, 2);
    // Unknown codes and panes are refused.
    EXPECT_FALSE(view.split_viewport_pane(0, 'Z', 0.5, 1, 1));
    EXPECT_FALSE(view.split_viewport_pane(3, kSplitX, 0.5, 1, 1));
    EXPECT_EQ(view.split_count, 2);
}

TEST(ViewLayout, ResetReplaysTheHistoryAndClosingGivesTheAreaBack)
{
    VL view;
    view.split_viewport_pane(0, kSplitX, 0.5, 1, 1);
    view.split_viewport_pane(1, kSplitY, 0.5, 1, 1);
    view.split_viewport_pane(0, kSplitY, 0.3, 1, 1);
    expect_replay_matches(view);
    // A history shorter than its count does not read past its end.
    view.split_count = 9;
    viewport_layout_reset(view);
    EXPECT_EQ(view.split_count, 3);

    // Closing gives the area back and survives a replay. Panes now: 0 top-left,
    // 1 bottom-left, 2 right top, 3 right bottom; close the left two.
    view.selected_pane = 3;
    ASSERT_TRUE(view.close_viewport_pane(0));
    ASSERT_TRUE(view.close_viewport_pane(0));
    ASSERT_EQ(view.pane_count(), 2);
    EXPECT_EQ((std::vector<double>{view.panes[0].x0, view.panes[0].y1, view.panes[1].y0}),
              (std::vector<double>{0.0, 0.5, 0.5}));
    EXPECT_EQ(view.selected_pane, 1); // still the same (bottom) pane
    expect_replay_matches(view);
    ASSERT_TRUE(view.close_viewport_pane(1));
    EXPECT_EQ(std::tuple(view.pane_count(), view.selected_pane, view.split_count),
              std::tuple(1, 0, 0));
    EXPECT_FALSE(view.close_viewport_pane(0)); // the last pane stays
}

TEST(ViewLayout, PaneRecordsAreDuplicatedRemovedAndStored)
{
    VL view;
    const double eye[3] = {1, 2, 3};
    const double target[3] = {4, 5, 6};
    const double angles[3] = {30, 40, 50};
    double saved[3][6] = {};
    for (int m = 0; m < 3; ++m)
        for (int k = 0; k < 6; ++k)
            saved[m][k] = 100 * m + k;
    view.store_pane_view_state(1, eye, target, 7.5, angles, saved);
    // Mode 0 from its saved state, mode 1 (from 6) from the live camera.
    const ViewRecord& r = view.pane_views[0];
    EXPECT_EQ((std::vector<double>{view_eye(r, 0)[0], view_target(r, 0)[2], view_eye(r, 1)[0],
                                   view_target(r, 1)[2], view_eye(r, 2)[0], view_zoom(r),
                                   view_angles(r)[2]}),
              (std::vector<double>{0, 5, 1, 6, 200, 7.5, 50}));
    view.duplicate_viewport_pane_state(0);
    ASSERT_EQ(view.pane_views.size(), 2u);
    EXPECT_EQ(view.pane_views[1], view.pane_views[0]);
    view_zoom(view.pane_views[1]) = 1.0;
    view.remove_viewport_pane_state(0);
    ASSERT_EQ(view.pane_views.size(), 1u);
    EXPECT_EQ(view_zoom(view.pane_views[0]), 1.0);
    view.remove_viewport_pane_state(5); // out of range: nothing
    EXPECT_EQ(view.pane_views.size(), 1u);
}

int g_split_x_calls = 0;
int g_pane_changes = 0;

TEST(ViewLayout, RebuildPlacesPaneWidgetsAndPressesPickPanesAndButtons)
{
    UI root;
    place(root, 0, 0, 400, 200);
    VL view;
    root.add_child(&place(view, 0, 0, 400, 200));
    view.insets.top = 20;
    view.on_split_x = [] { ++g_split_x_calls; };
    view.on_pane_change = [] { ++g_pane_changes; };
    view.split_viewport_pane(0, kSplitX, 0.5, 1, 0);
    root.layout();
    ASSERT_EQ(view.pane_widgets.size(), 2u);
    EXPECT_EQ(rect_of(view.pane_widgets[1]), (std::vector<int>{200, 20, 200, 180}));
    root.dispatch_mouse_down(300, 100, 0);
    EXPECT_EQ(view.active_pane, 1);
    EXPECT_EQ(g_pane_changes, 1);
    const P& button = view.pane_buttons[3]; // split X of pane 1
    EXPECT_TRUE(root.dispatch_mouse_down(button.x + 2, button.y + 2, 0));
    EXPECT_EQ(g_split_x_calls, 1);
    clear_pointer_globals();
}

} // namespace
} // namespace lumo
