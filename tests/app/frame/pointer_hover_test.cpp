// The hover worked out again at each frame's layout, from where the pointer
// rests.

#include "app/frame/pointer_hover.h"

#include "tests/app/frame/app_fixture.h"

// A row under the resting pointer becomes hovered at the frame's layout,
// unless a press holds a widget; a pointer that left the window hovers
// nothing.
TEST_F(App, AFrameHoversTheRowUnderTheRestingPointerUnlessAPressHoldsAWidget)
{
    lumo::P row;
    row.x = 100;
    row.y = 50;
    row.width = 200;
    row.height = 30;
    row.hover_colour = 0x20FFFFFF;
    lumo::P held;
    app().root.width = 720;
    app().root.height = 480;
    app().root.add_child(&row);
    const struct {
        const char* what;
        std::array<std::int32_t, 2> pointer;
        lumo::P* drag;
        int active;
        bool hovered_before, hovered_after;
    } cases[] = {
        {"at rest on the row", {150, 60}, nullptr, -1, false, true},
        {"a drag holds its widget", {150, 60}, &held, -1, false, false},
        {"a captured press", {150, 60}, nullptr, held.id, false, false},
        {"the pointer left the window", {-1, -1}, nullptr, -1, true, false},
    };
    for (const auto& c : cases) {
        lumo::settle_hover(app().root, c.hovered_before ? 150 : 500, 60);
        app().pointer_position = c.pointer;
        lumo::g_drag_widget = c.drag;
        lumo::g_active_widget_id = c.active;
        settle_hover_after_layout(app());
        EXPECT_EQ(lumo::g_hovered_widget == &row, c.hovered_after) << c.what;
        EXPECT_EQ(row.hovered, c.hovered_after) << c.what;
    }
    lumo::g_drag_widget = nullptr;
    lumo::g_active_widget_id = -1;
    app().root.children.clear();
}
