// Hit testing and the routing of pointer and key events through the tree.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "lumo_test_support.h"

namespace lumo {
namespace {

std::vector<std::string> g_log;
int g_last_x = 0;
int g_last_y = 0;

// Logs `name` and the widget coordinates; returns `consumed`.
template <bool consumed> bool logged(const char* name, int x, int y)
{
    g_log.push_back(name);
    g_last_x = x;
    g_last_y = y;
    return consumed;
}

// A root with a list at (10, 20) holding two rows of 100 x 30, each with
// a label; the rows carry a hover colour, the second a hint.
struct Tree : ::testing::Test {
    UI root;
    KL list;
    KL rows[2];
    T labels[2];
    std::string hint = "a hint";

    void SetUp() override
    {
        g_log.clear();
        place(root, 0, 0, 400, 300);
        place(list, 10, 20, 200, 100);
        for (int i = 0; i < 2; ++i) {
            place(rows[i], 0, 30 * i, 100, 30);
            rows[i].row_id = i;
            rows[i].hover_colour = 0x20FFFFFF;
            rows[i].add_child(&place(labels[i], 0, 0, 50, 30));
            list.add_child(&rows[i]);
        }
        rows[1].hint_text = &hint;
        root.add_child(&list);
    }
    void TearDown() override { clear_pointer_globals(); }

    P* hit(int x, int y)
    {
        std::vector<HitStep> path;
        root.hit_test(x, y, 0, 0, path);
        return path.empty() ? nullptr : path.back().widget;
    }
};

TEST_F(Tree, HitTestFindsTheDeepestVisibleEnabledOpaqueWidgetTopmostFirst)
{
    EXPECT_EQ(hit(15, 25), &labels[0]);
    EXPECT_EQ(hit(15, 55), &labels[1]);
    EXPECT_EQ(hit(80, 25), &rows[0]);
    EXPECT_EQ(hit(150, 25), &list);
    EXPECT_EQ(hit(300, 250), &root);
    labels[0].visible = false;
    EXPECT_EQ(hit(15, 25), &rows[0]);
    rows[0].enabled = false;
    EXPECT_EQ(hit(15, 25), &list);
    rows[0].enabled = true;
    rows[0].opacity = 0.0; // a faded-out overlay does not catch the pointer
    EXPECT_EQ(hit(15, 25), &list);
    rows[0].opacity = 1.0;
    // Overlapping siblings: depth first, then the later one.
    rows[1].y = 0;
    EXPECT_EQ(hit(80, 25), &rows[1]);
    rows[0].depth_offset = 0.1;
    EXPECT_EQ(hit(80, 25), &rows[0]);
}

TEST_F(Tree, PressBubblesUntilConsumedAndCapturesInWidgetCoordinates)
{
    EXPECT_FALSE(root.dispatch_mouse_down(25, 27, 0)); // nobody consumes: no capture
    EXPECT_EQ(g_active_widget_id, -1);
    list.on_press = [](int x, int y, int) { return logged<true>("press", x, y); };
    rows[0].on_press = [](int x, int y, int) { return logged<false>("press-passed", x, y); };
    EXPECT_TRUE(root.dispatch_mouse_down(25, 27, 0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"press-passed", "press"}));
    EXPECT_EQ(std::pair(g_last_x, g_last_y), std::pair(15, 7));
    EXPECT_EQ(g_active_widget_id, list.id);
}

TEST_F(Tree, ClickAndWheelGoToTheInnermostCallback)
{
    list.on_click = [] { return logged<true>("click-list", 0, 0); };
    EXPECT_TRUE(root.dispatch_click(15, 55));
    rows[1].on_click = [] { return logged<true>("click-row", 0, 0); };
    EXPECT_TRUE(root.dispatch_click(15, 55));
    EXPECT_FALSE(root.dispatch_click(300, 250));
    list.on_wheel_callback = [](int, int, int steps) { return logged<true>("wheel", steps, 0); };
    EXPECT_TRUE(root.dispatch_wheel(20, 60, -1));
    EXPECT_EQ(g_last_x, -1);
    EXPECT_FALSE(root.dispatch_wheel(300, 250, 1));
    EXPECT_EQ(g_log, (std::vector<std::string>{"click-list", "click-row", "wheel"}));
}

std::unique_ptr<KL> g_rebuilt_row;
KL* g_list_under_test = nullptr;
bool g_rebuild_consumes = false;

// A press whose handler rebuilds the list (destroying the row under the
// pointer) must neither bubble into freed widgets nor capture one.
TEST_F(Tree, BubblingStopsWhenAHandlerDestroysWidgetsOnThePath)
{
    g_list_under_test = &list;
    list.on_press = [](int x, int y, int) { return logged<true>("press", x, y); };
    for (const bool consumed : {false, true}) {
        g_rebuild_consumes = consumed;
        g_rebuilt_row = std::make_unique<KL>();
        list.add_child(&place(*g_rebuilt_row, 0, 70, 100, 30));
        g_rebuilt_row->on_press = [](int, int, int) {
            g_list_under_test->children.clear();
            g_rebuilt_row.reset();
            return g_rebuild_consumes;
        };
        EXPECT_EQ(root.dispatch_mouse_down(15, 95, 0), consumed);
        EXPECT_EQ(g_active_widget_id, -1) << consumed;
        EXPECT_TRUE(g_log.empty()) << consumed;
    }
}

TEST_F(Tree, MoveTracksHoverAndTooltipThroughAncestors)
{
    rows[0].on_move = [](int x, int y, int) { return logged<false>("move", x, y); };
    const auto state = [&] {
        return std::tuple(g_hovered_widget, rows[0].hovered, rows[1].hovered, g_tooltip_widget);
    };
    root.dispatch_mouse_move(20, 30);
    EXPECT_EQ(state(), std::tuple(&rows[0], true, false, nullptr));
    EXPECT_EQ(g_last_x, 10);
    root.dispatch_mouse_move(20, 60);
    EXPECT_EQ(state(), std::tuple(&rows[1], false, true, &rows[1])) << "the second row's hint";
    root.on_move = [](int x, int y, int) { return logged<false>("backdrop", x, y); };
    root.dispatch_mouse_move(-1, -1); // pointer left the window
    EXPECT_EQ(state(), std::tuple(nullptr, false, false, nullptr));
    EXPECT_EQ(g_log, (std::vector<std::string>{"move", "backdrop"}))
        << "the root hears of a pointer over none of its widgets";
}

TEST_F(Tree, DragFollowsTheDragWidgetAndReleaseEndsIt)
{
    rows[1].on_drag_callback = [](int x, int y, int) { return logged<true>("drag", x, y); };
    rows[1].on_release = [](int x, int y, int) { return logged<false>("release", x, y); };
    EXPECT_TRUE(root.dispatch_mouse_down(20, 60, 0));
    EXPECT_EQ(g_drag_widget, &rows[1]);
    // Dragging far outside the row still reaches it, in its coordinates.
    EXPECT_TRUE(root.dispatch_drag(300, 10, 0));
    EXPECT_EQ(std::pair(g_last_x, g_last_y), std::pair(290, -40));
    EXPECT_TRUE(root.dispatch_mouse_up(300, 10, 0));
    EXPECT_EQ(g_drag_widget, nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"drag", "release"}));
    EXPECT_FALSE(root.dispatch_drag(300, 10, 0));
}

// A press that acts at once (a scroll track jumps) still starts the drag
// that follows it, also when it rebuilt other rows on the way; a press that
// passes on does too.
TEST_F(Tree, APressOnAWidgetThatFollowsDragsStartsTheDragConsumedOrNot)
{
    rows[1].on_drag_callback = [](int x, int y, int) { return logged<true>("drag", x, y); };
    const PointerFn consumed = [](int x, int y, int) { return logged<true>("press", x, y); };
    const PointerFn passed = [](int x, int y, int) { return logged<false>("press", x, y); };
    const PointerFn rebuilds = [](int x, int y, int) {
        g_rebuilt_row.reset();
        return logged<true>("press", x, y);
    };
    for (const PointerFn press : {consumed, passed, rebuilds}) {
        g_rebuilt_row = std::make_unique<KL>();
        g_log.clear();
        rows[1].on_press = press;
        EXPECT_TRUE(root.dispatch_mouse_down(20, 60, 0));
        EXPECT_EQ(g_drag_widget, &rows[1]);
        root.dispatch_drag(20, 90, 0);
        root.dispatch_mouse_up(20, 90, 0);
        EXPECT_EQ(g_log, (std::vector<std::string>{"press", "drag"}));
        EXPECT_EQ(g_last_y, 40) << "the drag in the row's coordinates";
        EXPECT_EQ(g_drag_widget, nullptr);
    }
}

// A scroll pane of ten 100 x 30 rows in a 200 x 100 window onto them, and a
// pointer resting at (50, 45), over row 1. The pane's click acts on the
// hovered row, as the program's row lists do.
struct StillPointer : ::testing::Test {
    static constexpr int kX = 50, kY = 45;
    UI root;
    SP pane;
    std::vector<std::unique_ptr<KL>> rows;
    static inline int clicked = -2;
    static inline int moves = 0;

    void SetUp() override
    {
        place(root, 0, 0, 400, 300);
        place(pane, 0, 0, 200, 100);
        pane.on_click = [] {
            clicked = g_hovered_widget != nullptr ? g_hovered_widget->row_id : -1;
            return true;
        };
        pane.on_move = [](int, int, int) { return ++moves > 0; };
        root.add_child(&pane);
    }
    void TearDown() override { clear_pointer_globals(); }

    // The list at its top, the pointer moved onto row 1.
    void start()
    {
        clear_pointer_globals();
        pane.fraction_y = 0.0;
        rebuild({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        root.layout();
        root.dispatch_mouse_move(kX, kY);
        moves = 0;
    }

    // Destroys the rows and makes one per id, top to bottom.
    void rebuild(const std::vector<int>& ids)
    {
        pane.children.clear();
        rows.clear();
        for (std::size_t i = 0; i < ids.size(); ++i) {
            rows.push_back(std::make_unique<KL>());
            place(*rows.back(), 0, 30 * static_cast<int>(i), 100, 30);
            rows.back()->row_id = ids[i];
            rows.back()->hover_colour = 0x20FFFFFF;
            pane.add_child(rows.back().get());
        }
    }
};

TEST_F(StillPointer, AfterTheContentMovesTheHoverAndAClickNameTheRowUnderThePointer)
{
    struct Case {
        const char* change;
        void (*act)(StillPointer&);
        int under; // row id under the pointer afterwards, -1 none
    };
    const Case cases[] = {
        {"a wheel notch", [](StillPointer& t) { t.root.dispatch_wheel(kX, kY, 1); }, 2},
        {"a press on the track",
         [](StillPointer& t) {
             t.root.dispatch_mouse_down(195, 90, 0);
             t.root.dispatch_mouse_up(195, 90, 0);
         },
         8},
        {"a rebuild with fewer rows", [](StillPointer& t) { t.rebuild({7}); }, -1},
        {"a rebuild in another order",
         [](StillPointer& t) { t.rebuild({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}); }, 8},
    };
    for (const Case& c : cases) {
        start();
        ASSERT_EQ(g_hovered_widget, rows[1].get());
        c.act(*this);
        root.layout();
        const bool hovered_before = g_hovered_widget != nullptr;
        EXPECT_EQ(settle_hover(root, kX, kY), hovered_before || c.under >= 0) << c.change;
        ASSERT_EQ(g_hovered_widget != nullptr, c.under >= 0) << c.change;
        if (c.under >= 0) {
            EXPECT_EQ(g_hovered_widget->row_id, c.under) << c.change;
            EXPECT_TRUE(g_hovered_widget->hovered) << c.change;
        }
        EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](auto& r) { return r->hovered; }),
                  c.under >= 0 ? 1 : 0)
            << c.change;
        clicked = -2;
        root.dispatch_click(kX, kY);
        EXPECT_EQ(clicked, c.under) << c.change;
        EXPECT_EQ(moves, 0) << c.change << ": no move callback runs again";
        EXPECT_FALSE(settle_hover(root, kX, kY)) << c.change << ": settled";
    }
}

TEST_F(Tree, KeysGoToTheFocusedFieldFirstThenToTheRoot)
{
    root.on_key_down_callback = [](int key, int) {
        g_log.push_back("root-key " + std::to_string(key));
        return true;
    };
    F field;
    root.add_child(&place(field, 0, 200, 80, 20));
    EXPECT_TRUE(root.dispatch_key_down('a', 0));
    EXPECT_EQ(g_log.back(), "root-key 97");
    EXPECT_TRUE(root.dispatch_mouse_down(5, 205, 0));
    EXPECT_EQ(g_focused_widget, &field);
    EXPECT_TRUE(root.dispatch_key_down('a', 0));
    EXPECT_EQ(field.label, "a");
    EXPECT_TRUE(root.dispatch_key_down('o', kModCtrl)); // shortcuts pass through a field
    EXPECT_EQ(g_log.back(), "root-key 111");
    root.dispatch_mouse_down(300, 250, 0); // pressing elsewhere takes the focus away
    EXPECT_EQ(g_focused_widget, nullptr);
    EXPECT_FALSE(field.focused);
}

} // namespace
} // namespace lumo
