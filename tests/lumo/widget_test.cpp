// Construction, texts, refresh order, layouts and the globals a destroyed
// widget must not leave behind.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "lumo_test_support.h"

namespace lumo {
namespace {

TEST(WidgetConstruction, EveryClassConstructsAndDestroysAndRowVectorsReleaseThroughTheBase)
{
    // One of every class.
    const auto every = std::make_unique<std::tuple<P, T, KL, F, RL, BL, SL, SB, SP, VL, UI>>();
    EXPECT_NE(std::get<P>(*every).id, std::get<UI>(*every).id);
    EXPECT_EQ(std::get<VL>(*every).pane_views.size(), 1u) << "one view record for the one pane";

    // Row vectors resize and clear through the virtual destructor.
    std::vector<KL> rows(3);
    rows[1].selected = true;
    rows.resize(5);
    EXPECT_TRUE(rows[1].selected);
    EXPECT_FALSE(rows[4].selected);
    g_hovered_widget = &rows[4];
    rows.clear();
    EXPECT_EQ(g_hovered_widget, nullptr);
}

// The registry of live widgets: a widget, the parts it holds, a copy, an
// assigned one and the rows of a vector that grows are each entered once
// while they live, and gone once destroyed.
TEST(WidgetConstruction, TheRegistryHoldsEachLiveWidgetOnceAndNoDestroyedOne)
{
    const std::size_t before = live_widgets().size();
    {
        SP pane;
        F field;
        F copy = field;
        copy = field;
        std::vector<KL> rows(2);
        rows.resize(40);
        std::vector<const P*> expected = {&pane, &pane.parts[SP::kThumbX], &field, &copy};
        for (const KL& row : rows)
            expected.push_back(&row);
        const std::vector<P*> live = live_widgets();
        EXPECT_EQ(live.size(), before + 5 + 2 + 40) << "a pane of four parts, two fields, the rows";
        for (const P* widget : expected)
            EXPECT_EQ(std::count(live.begin(), live.end(), widget), 1) << "widget #" << widget->id;
    }
    EXPECT_EQ(live_widgets().size(), before);
}

TEST(WidgetText, SetLabelMeasuresEveryLineFieldsResetTheirBufferAndTextLinesJoin)
{
    P p;
    EXPECT_EQ(p.set_label("ab\nabcd"), &p);
    const FontHandle& font = g_font_handles[kDefaultFont];
    EXPECT_EQ(p.line_widths, (std::vector<int>{text_width(font, "ab"), text_width(font, "abcd")}));
    EXPECT_EQ(std::pair(p.label_width, p.label_height),
              std::pair(text_width(font, "abcd"), 2 * font.glyph_height));
    p.font = kFontSmall;
    p.measure_label();
    EXPECT_EQ(p.label_height, 2 * 14);

    F f;
    f.set_label("12345");
    f.cursor = 2;
    f.set_label_field("7");
    EXPECT_EQ(std::tuple(f.edit_text, f.label, f.cursor), std::tuple("7", "7", 1));
    EXPECT_FALSE(f.has_selection());

    // Text lines: none, one or several.
    const std::vector<std::string> lines = {"first", "second", "third"};
    const struct {
        int count;
        const char* label;
    } cases[] = {{3, "first\nsecond\nthird"},
                 {2, "first\nsecond"},
                 {1, "first"},
                 {0, ""},
                 {9, "first\nsecond\nthird"}}; // a count beyond the list uses what there is
    for (const auto& c : cases) {
        p.set_text_lines(lines, c.count);
        EXPECT_EQ(p.label, c.label) << c.count;
        EXPECT_EQ(p.label_height, std::min(c.count, 3) * g_font_handles[p.font].glyph_height)
            << c.count;
    }
    p.set_text_list({"x", "y"});
    EXPECT_EQ(p.label, "x\ny");
}

std::vector<std::string> g_refresh_log;

TEST(WidgetRefresh, RootRunsItsCallbackThenChildrenDepthFirstThenRepaints)
{
    g_refresh_log.clear();
    UI root;
    KL a;
    P a1, b;
    root.on_refresh = [] { g_refresh_log.push_back("root"); };
    root.on_repaint = [] { g_refresh_log.push_back("repaint"); };
    a.on_refresh = [] { g_refresh_log.push_back("a"); };
    a1.on_refresh = [] { g_refresh_log.push_back("a1"); };
    b.on_refresh = [] { g_refresh_log.push_back("b"); };
    a.add_child(&a1);
    root.add_child(&a);
    root.add_child(&b);
    root.refresh();
    EXPECT_EQ(g_refresh_log, (std::vector<std::string>{"root", "a", "a1", "b", "repaint"}));
}

TEST(WidgetGlobals, DestroyedWidgetClearsEveryGlobalAndDropFocusOnlyItsOwn)
{
    auto row = std::make_unique<F>();
    g_focused_widget = g_drag_widget = g_hovered_widget = g_tooltip_widget = row.get();
    g_active_widget_id = row->id;
    P other;
    row.reset();
    EXPECT_EQ(
        (std::vector<P*>{g_focused_widget, g_drag_widget, g_hovered_widget, g_tooltip_widget}),
        std::vector<P*>(4, nullptr));
    EXPECT_EQ(g_active_widget_id, -1);
    // Another widget's destruction leaves them alone.
    g_hovered_widget = &other;
    {
        P passer_by;
    }
    EXPECT_EQ(g_hovered_widget, &other);
    g_hovered_widget = nullptr;

    // Dropping the focus clears it only when it is this widget's.
    F a, b;
    a.take_focus();
    b.drop_focus();
    EXPECT_EQ(g_focused_widget, &a);
    b.take_focus();
    EXPECT_EQ(std::pair(a.focused, b.focused), std::pair(false, true));
    b.drop_focus();
    EXPECT_EQ(g_focused_widget, nullptr);
    F readonly;
    readonly.editable = false;
    readonly.take_focus();
    EXPECT_EQ(g_focused_widget, nullptr);
}

int g_layout_width = 0;
int g_layout_height = 0;

TEST(Layouts, CallbacksGetTheSizeRowListsStackVisibleChildrenBorderLayoutsFillRegions)
{
    UI root;
    KL pane;
    root.add_child(&place(pane, 0, 0, 300, 120));
    pane.set_layout_callback([](int width, int height) {
        g_layout_width = width;
        g_layout_height = height;
    });
    root.layout();
    EXPECT_EQ(std::pair(g_layout_width, g_layout_height), std::pair(300, 120));

    RL column;
    column.spacing = 2;
    P a, b, c;
    column.add_child(&place(a, 0, 0, 0, 10));
    column.add_child(&place(b, 0, 0, 0, 20));
    column.add_child(&place(c, 0, 0, 40, 5));
    b.visible = false;
    column.layout();
    EXPECT_EQ(std::tuple(c.y, column.content_height, column.content_width), std::tuple(12, 17, 40));

    BL border;
    place(border, 0, 0, 100, 80);
    P south, centre;
    border.set_region(BL::kSouth, &south, 30);
    border.set_region(BL::kCentre, &centre, 0);
    border.layout();
    EXPECT_EQ(rect_of(south), (std::vector<int>{0, 50, 100, 30}));
    EXPECT_EQ(rect_of(centre), (std::vector<int>{0, 0, 100, 50}));
}

TEST(Layouts, SplitSharesByRatioAndItsDividerDrags)
{
    SL split;
    place(split, 0, 0, 204, 50);
    P left, right;
    split.add_child(&left);
    split.add_child(&right);
    split.layout();
    EXPECT_EQ(rect_of(right), (std::vector<int>{104, 0, 100, 50})) << "after half and the divider";
    EXPECT_TRUE(split.dispatch_mouse_down(101, 10, 0));
    EXPECT_EQ(g_drag_widget, &split);
    split.dispatch_drag(52, 10, 0);
    EXPECT_DOUBLE_EQ(split.ratio, 0.25);
    EXPECT_EQ(left.width, 50);
    split.dispatch_drag(1000, 10, 0);
    EXPECT_DOUBLE_EQ(split.ratio, split.max_ratio);
    split.dispatch_mouse_up(0, 0, 0);
    EXPECT_EQ(g_drag_widget, nullptr);
    EXPECT_FALSE(split.dispatch_mouse_down(5, 10, 0)); // beside the divider: the panes'
    clear_pointer_globals();
}

} // namespace
} // namespace lumo
