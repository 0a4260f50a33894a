// Text field editing, slider values and callback order, scroll offsets.

#include <gtest/gtest.h>

#include <tuple>

#include "lumo_test_support.h"

namespace lumo {
namespace {

std::vector<std::string> g_events;

void log_event(const char* name)
{
    g_events.push_back(name + std::string(" focused=") +
                       std::to_string(g_focused_widget != nullptr));
}

struct Field : ::testing::Test {
    F field;
    void SetUp() override
    {
        g_events.clear();
        place(field, 0, 0, 120, 24);
        field.on_enter = [] { log_event("enter"); };
        field.on_escape = [] { log_event("escape"); };
        field.take_focus();
    }
    void TearDown() override { field.drop_focus(); }
    void type(const std::string& text)
    {
        for (char c : text)
            field.on_key_down(static_cast<unsigned char>(c), 0);
    }
    void keys(std::initializer_list<int> codes, int modifiers = 0)
    {
        for (int code : codes)
            field.on_key_down(code, modifiers);
    }
};

TEST_F(Field, TypingInsertsAtTheCursorMirrorsIntoTheLabelAndScrollsToTheCursor)
{
    type("12.5");
    EXPECT_EQ(std::tuple(field.edit_text, field.label, field.cursor),
              std::tuple("12.5", "12.5", 4));
    keys({kKeyLeft, kKeyLeft});
    type("0");
    EXPECT_EQ(field.label, "120.5");
    keys({kKeyBackspace, kKeyBackspace});
    EXPECT_EQ(std::tuple(field.label, field.cursor), std::tuple("1.5", 1));
    keys({kKeyHome, kKeyBackspace}); // nothing left of the cursor
    EXPECT_EQ(field.label, "1.5");
    EXPECT_EQ(field.label_width, text_width(g_font_handles[field.font], "1.5"));
    type(std::string(40, 'W'));
    EXPECT_GT(field.text_scroll, 0);
    keys({kKeyHome});
    EXPECT_EQ(field.text_scroll, 0);
}

TEST_F(Field, HomeEndAndShiftSelectionReplaceTheSelectedText)
{
    type("abcdef");
    keys({kKeyHome});
    EXPECT_EQ(field.cursor, 0);
    keys({kKeyRight, kKeyRight}, kModShift);
    EXPECT_EQ(std::pair(field.selection_start, field.selection_end), std::pair(0, 2));
    type("X");
    EXPECT_EQ(field.label, "Xcdef");
    keys({kKeyEnd}, kModShift);
    EXPECT_EQ(std::pair(field.selection_start, field.selection_end), std::pair(1, 5));
    keys({kKeyBackspace});
    EXPECT_EQ(field.label, "X");
    // The held-key counter counts as Shift too.
    keys({kKeyHome});
    g_held_key_counts[1] = 1;
    keys({kKeyEnd});
    g_held_key_counts[1] = 0;
    EXPECT_TRUE(field.has_selection());
    keys({kKeyLeft});
    EXPECT_FALSE(field.has_selection());
    keys({kKeyLeft, kKeyLeft}); // cursor keys stop at both ends
    EXPECT_EQ(field.cursor, 0);
}

TEST_F(Field, APressPlacesTheCursorAndEnterKeepsTheFocusButEscapeDropsIt)
{
    type("hello");
    field.on_mouse_down(field.padding.left + 1, 5, 0);
    EXPECT_EQ(field.cursor, 0);
    F readonly;
    readonly.editable = false;
    EXPECT_FALSE(place(readonly, 0, 0, 50, 20).on_mouse_down(3, 3, 0));
    EXPECT_EQ(g_focused_widget, &field);

    keys({kKeyEnter});
    EXPECT_TRUE(field.focused);
    keys({kKeyEscape});
    EXPECT_EQ(std::tuple(field.focused, g_focused_widget), std::tuple(false, nullptr));
    EXPECT_EQ(g_events, (std::vector<std::string>{"enter focused=1", "escape focused=1"}));
    EXPECT_FALSE(field.on_key_down('a', 0)); // without the focus
}

std::vector<std::string> g_slider_log;

struct Slider : ::testing::Test { // track of 100 with a 10-pixel knob at x 10
    UI root;
    SB slider;
    void SetUp() override
    {
        g_slider_log.clear();
        place(root, 0, 0, 300, 100);
        root.add_child(&place(slider, 10, 0, 110, 20));
        slider.knob_size = 10;
        slider.on_value_changed = [](double v) {
            g_slider_log.push_back("changed " + std::to_string(v).substr(0, 4));
        };
        slider.on_pre_press = [](double) { g_slider_log.push_back("pre-press"); };
        slider.on_release_value = [](double) {
            g_slider_log.push_back(g_drag_widget ? "release while dragged" : "release after drag");
        };
    }
    void TearDown() override { clear_pointer_globals(); }
};

TEST_F(Slider, PointerSetsTheValueReleaseComesBeforeTheDragEndsAndStepsSnap)
{
    root.dispatch_mouse_down(10 + 5 + 25, 10, 0);
    EXPECT_DOUBLE_EQ(slider.value, 0.25);
    EXPECT_EQ(g_drag_widget, &slider);
    root.dispatch_drag(10 + 5 + 500, 50, 0);
    EXPECT_DOUBLE_EQ(slider.value, 1.0);
    root.dispatch_drag(10 + 5 + 520, 50, 0); // no change, no callback
    root.dispatch_mouse_up(0, 0, 0);
    EXPECT_EQ(g_drag_widget, nullptr);
    EXPECT_EQ(g_slider_log, (std::vector<std::string>{"pre-press", "changed 0.25", "changed 1.00",
                                                      "release while dragged"}));
    // The shell's drag end on a finished drag does nothing.
    EXPECT_FALSE(slider.on_mouse_up(0, 0, 0));
    EXPECT_EQ(g_slider_log.size(), 4u);

    // Discrete steps snap the value.
    slider.step_count = 10;
    root.dispatch_mouse_down(10 + 5 + 33, 10, 0);
    EXPECT_DOUBLE_EQ(slider.value, 0.3);
    root.dispatch_mouse_up(0, 0, 0);
    slider.set_value(0.86);
    EXPECT_DOUBLE_EQ(slider.value, 0.9);
    slider.set_value(-2.0);
    EXPECT_DOUBLE_EQ(slider.value, 0.0);
    EXPECT_EQ(slider.knob_x(), 0);
    slider.set_value(1.0);
    EXPECT_EQ(slider.knob_x(), 100);
}

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
