#include "app/frame/input_handlers.h"

#include <gtest/gtest.h>

#include "state/application.h"
#include "platform/input_codes.h"
#include "platform/window_callbacks.h"

namespace {

int g_root_keys = 0;
int g_clicks = 0;

class InputHandlersTest : public testing::Test {
protected:
    void SetUp() override
    {
        create_application();
        g_app->startup_finished = 1;
        install_application_handlers(*g_app);
        g_app->root.width = 720;
        g_app->root.height = 480;
        g_app->root.on_key_down_callback = [](int, int) { return ++g_root_keys > 0; };
        g_app->root.on_click = [] { return ++g_clicks > 0; };
        g_root_keys = 0;
        g_clicks = 0;
        clear_key_states(nullptr);
    }
    void TearDown() override { destroy_application(); }
};

TEST_F(InputHandlersTest, HeldKeysReachTheRootOnce)
{
    EXPECT_TRUE(handle_platform_key_down(nullptr, 'A', MOD_SHIFT));
    EXPECT_FALSE(handle_platform_key_down(nullptr, 'A', MOD_SHIFT)) << "auto-repeat";
    EXPECT_FALSE(handle_platform_key_down(nullptr, 'a', 0)) << "the other case is held too";
    handle_platform_key_down(nullptr, KEY_LEFT, 0);
    handle_platform_key_down(nullptr, KEY_LEFT, 0);
    EXPECT_EQ(g_root_keys, 2);
    EXPECT_FALSE(handle_platform_key_down(nullptr, lumo::kKeyCtrl, 0));
    EXPECT_EQ(lumo::g_held_key_counts[2], 1u);

    clear_key_states(nullptr);
    EXPECT_EQ(lumo::g_held_key_counts[2], 0u);
    g_app->held_keys.keys['q'] = 1;
    EXPECT_FALSE(handle_platform_key_up(nullptr, 'q', 0)) << "never seen down";
    EXPECT_EQ(g_app->held_keys.keys['q'], 1) << "not passed on";
}

TEST_F(InputHandlersTest, ReleaseWithinFivePixelsIsAClick)
{
    struct Case {
        std::int32_t x, y;
        int clicks;
    };
    for (const Case& c : {Case{105, 95, 1}, Case{106, 100, 0}, Case{100, 105, 1}}) {
        g_clicks = 0;
        handle_platform_mouse_button(nullptr, MOUSE_LEFT, BUTTON_PRESSED, 100, 100);
        handle_platform_mouse_button(nullptr, MOUSE_LEFT, BUTTON_RELEASED, c.x, c.y);
        EXPECT_EQ(g_clicks, c.clicks) << c.x << "," << c.y;
    }
    handle_platform_mouse_button(nullptr, MOUSE_RIGHT, BUTTON_PRESSED, 10, 10);
    handle_platform_mouse_button(nullptr, MOUSE_LEFT, BUTTON_RELEASED, 10, 10);
    EXPECT_EQ(g_clicks, 1) << "the press before was not the left button's";
    EXPECT_EQ(lumo::g_active_widget_id, -1);
}

TEST_F(InputHandlersTest, TooSmallWindowBlocksKeys)
{
    struct Case {
        std::int32_t w, h;
        bool blocked;
    };
    install_application_handlers(*g_app); // the program's root key handler, not the counter
    for (const Case& c : {Case{479, 600, true}, Case{480, 360, false}, Case{600, 359, true}}) {
        g_app->root.dispatch_aux_event(lumo::kAuxResize, c.w, c.h);
        EXPECT_EQ(g_app->window_width, c.w);
        EXPECT_EQ(g_app->resize_notice.notice.visible, c.blocked);
        clear_key_states(nullptr);
        EXPECT_EQ(handle_platform_key_down(nullptr, '1', 0), !c.blocked);
    }
}

lumo::P* g_moving_row = nullptr;
int g_row_y = 0;

// Each routed button and notch meets the tree as it stands: laid out first
// and hovered at its point, so a row that moved under a resting pointer is
// the one it finds. A changed hover asks for a paint, and so does a notch
// taken or any left-button event; a notch nothing takes over an unchanged
// hover does not.
TEST_F(InputHandlersTest, EveryButtonAndNotchIsRoutedAfterALayoutAndAtItsHover)
{
    static int layouts = 0;
    static int repaints = 0;
    lumo::P row;
    row.width = 100;
    row.height = 20;
    row.hover_colour = 0x20FFFFFF;
    g_moving_row = &row;
    g_app->root.add_child(&row);
    g_app->platform.request_repaint = [] { ++repaints; };
    g_app->root.on_layout = [](int, int) {
        ++layouts;
        g_moving_row->y = g_row_y;
    };
    struct Case {
        std::int32_t button, state;
        lumo::WheelFn wheel;
        int row_y;
        bool hovered;
        int repaints;
    };
    const lumo::WheelFn takes = [](int, int, int) { return true; };
    const Case cases[] = {
        {MOUSE_WHEEL_DOWN, BUTTON_PRESSED, nullptr, 0, true, 1},
        {MOUSE_WHEEL_DOWN, BUTTON_PRESSED, nullptr, 0, true, 0},
        {MOUSE_WHEEL_UP, BUTTON_PRESSED, takes, 0, true, 1},
        {MOUSE_WHEEL_UP, BUTTON_PRESSED, nullptr, 50, false, 1},
        {MOUSE_LEFT, BUTTON_PRESSED, nullptr, 0, true, 2},
        {MOUSE_LEFT, BUTTON_RELEASED, nullptr, 50, false, 2},
    };
    for (const Case& c : cases) {
        layouts = repaints = 0;
        g_row_y = c.row_y;
        g_app->root.on_wheel_callback = c.wheel;
        handle_platform_mouse_button(nullptr, c.button, c.state, 10, 10);
        EXPECT_EQ(layouts, 1) << c.button << " at " << c.row_y;
        EXPECT_EQ(lumo::g_hovered_widget == &row, c.hovered) << c.button << " at " << c.row_y;
        EXPECT_EQ(row.hovered, c.hovered) << c.button << " at " << c.row_y;
        EXPECT_EQ(repaints, c.repaints) << c.button << " at " << c.row_y;
    }
    g_app->root.children.clear();
}

} // namespace
