// The slot functions of window 0, called directly.

#include "app/frame/app_slots.h"

#include <utility>

#include "platform/input_codes.h"
#include "tests/app/frame/app_fixture.h"
#include "tests/app/frame/widget_tree.h"

TEST_F(App, SlotsDoNothingBeforeStartUpThenStartResizeAndSetTheHeldKeys)
{
    Application* const app_object = g_app;
    const auto root_width = app().root.width;
    g_app = nullptr;
    EXPECT_FALSE(app_on_start(window()));
    EXPECT_FALSE(app_on_mouse_move(window(), 1, 2));
    EXPECT_FALSE(app_on_resize(window(), 800, 600));
    EXPECT_FALSE(app_on_paint(window()));
    g_app = app_object;
    EXPECT_EQ(app().startup_start_ms, -1);
    EXPECT_EQ(app().pointer_position, (std::array<std::int32_t, 2>{-1, -1}));
    EXPECT_EQ(app().root.width, root_width);
    EXPECT_TRUE(app_on_start(window()));
    EXPECT_GT(app().startup_start_ms, 0);
    EXPECT_FALSE(app_on_resize(window(), 800, 600)) << "no resize callback consumes it yet";
    EXPECT_EQ(std::pair(app().root.width, app().root.height), std::pair(800, 600));
    // The counters are Alt, Shift, Ctrl.
    app_on_modifiers(window(), MOD_SHIFT | MOD_CTRL);
    EXPECT_EQ(std::vector(lumo::g_held_key_counts, lumo::g_held_key_counts + 3),
              (std::vector<std::uint32_t>{0, 1, 1}));
    app_on_modifiers(window(), MOD_ALT);
    EXPECT_EQ(std::vector(lumo::g_held_key_counts, lumo::g_held_key_counts + 3),
              (std::vector<std::uint32_t>{1, 0, 0}));
}

int g_repaints = 0;

// A row without a hint changes nothing but its hover style, and that shows
// only when the move asks for a paint.
TEST_F(App, PointerMovesAreStoredHoverTheWidgetUnderThePointerAndLeavingIsMinusOne)
{
    g_repaints = 0;
    app().platform.request_repaint = [] { ++g_repaints; };
    app().root.width = 720;
    app().root.height = 480;
    const FillStyle hover_style({1.0, 1.0, 1.0, 1.0}, kFillFlat);
    lumo::P button;
    button.x = 100;
    button.y = 50;
    button.width = 40;
    button.height = 20;
    button.hover_style = &hover_style;
    app().root.add_child(&button);
    app_on_mouse_move(window(), 110, 60);
    EXPECT_EQ(app().pointer_position, (std::array<std::int32_t, 2>{110, 60}));
    EXPECT_TRUE(button.hovered);
    app_on_mouse_move(window(), 112, 61);
    EXPECT_EQ(g_repaints, 1) << "a move within the hovered widget paints nothing new";
    app_on_mouse_drag(window(), 5, 6);
    EXPECT_EQ(app().pointer_position, (std::array<std::int32_t, 2>{5, 6}));
    app_on_mouse_move(window(), 300, 300);
    EXPECT_FALSE(button.hovered);
    EXPECT_EQ(g_repaints, 2);
    app().root.children.clear();
    // Leaving the window is a move to (-1, -1) through window 0.
    WindowCallbacks record = recording_record();
    register_window(&record, 0);
    app_on_mouse_exit(window());
    EXPECT_EQ(g_slot_log, Log{"motion -1 -1"});
}

// With a pick mode, the pick's lines stay in the hint bar while the pointer
// moves on over the 3-D view, for the pick of the next paint to replace;
// without one, or once the pointer leaves the view, they go at the move.
TEST_F(App, ThePickHintStaysWhileThePointerMovesOverTheView)
{
    Application& a = widget_tree::fresh_application();
    widget_tree::lay_out(a, 720, 480);
    lumo::P& indicator = a.llmi_indicator;
    indicator.hint_title = &a.picked_element_lines[0];
    const struct {
        char pick_mode;
        int x, y;
        bool kept;
    } moves[] = {
        {'T', 360, 240, true}, {'T', 500, 300, true}, {'!', 360, 240, false}, {'T', -1, -1, false}};
    for (const auto& move : moves) {
        a.view_settings.pick_mode = move.pick_mode;
        lumo::g_tooltip_widget = &indicator;
        app_on_mouse_move(window(), move.x, move.y);
        EXPECT_EQ(lumo::g_tooltip_widget == &indicator, move.kept)
            << move.pick_mode << " at " << move.x << "," << move.y;
    }
}
