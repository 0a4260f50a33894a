// Scroll offsets from the fractions, the wheel and the bars.

#include "lumo/scroll_pane.h"

#include <gtest/gtest.h>

#include "lumo_test_support.h"

namespace lumo {
namespace {

TEST(ScrollRule, OffsetIsSizeLessExtentTimesFractionWhenContentOverflows)
{
    const struct {
        int size, extent;
        double fraction;
        int offset;
    } cases[] = {{100, 300, 0.0, 0},    {100, 300, 1.0, -200},
                 {100, 300, 0.5, -100}, {100, 301, 0.5, -100}, // truncated towards zero
                 {300, 100, 1.0, 0},    {100, 100, 1.0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(scroll_offset(c.size, c.extent, c.fraction), c.offset)
            << c.size << " " << c.extent;
    }
    EXPECT_EQ(scroll_offset(100, 100, 1.0, true), 0);
}

TEST(ScrollPane, WheelStepsTheOverflowingAxisAndLayoutOffsetsTheContent)
{
    SP pane;
    place(pane, 0, 0, 100, 100);
    P content;
    pane.add_child(&place(content, 0, 0, 80, 500));
    pane.layout();
    EXPECT_TRUE(pane.parts[SP::kTrackY].visible);
    EXPECT_FALSE(pane.parts[SP::kTrackX].visible);
    EXPECT_TRUE(pane.dispatch_wheel(50, 50, 2));
    EXPECT_DOUBLE_EQ(pane.fraction_y, 0.25);
    EXPECT_EQ(pane.content_offset_y, -100);
    pane.dispatch_wheel(50, 50, 100);
    EXPECT_DOUBLE_EQ(pane.fraction_y, 1.0);
    EXPECT_EQ(pane.content_offset_y, -400);
    // The content is hit where it is drawn, shifted by the offset.
    std::vector<HitStep> path;
    pane.hit_test(10, 10, 0, 0, path);
    ASSERT_EQ(path.size(), 2u);
    EXPECT_EQ(path.back().origin_y, -400);
    // Content that fits does not scroll.
    content.height = 50;
    pane.layout();
    EXPECT_EQ(pane.content_offset_y, 0);
    EXPECT_FALSE(pane.dispatch_wheel(50, 50, 1));
}

TEST(ScrollPane, PressOnTheBarDragsTheThumb)
{
    UI root;
    place(root, 0, 0, 200, 200);
    SP pane;
    root.add_child(&place(pane, 0, 0, 100, 100));
    pane.content_height = 1000;
    root.layout();
    EXPECT_TRUE(root.dispatch_mouse_down(96, 99, 0));
    EXPECT_DOUBLE_EQ(pane.fraction_y, 1.0);
    root.dispatch_drag(96, -50, 0);
    EXPECT_DOUBLE_EQ(pane.fraction_y, 0.0);
    root.dispatch_mouse_up(96, 0, 0);
    EXPECT_EQ(g_drag_widget, nullptr);
    clear_pointer_globals();
}

} // namespace
} // namespace lumo
