// Slider values from the pointer and the order of its callbacks.

#include "lumo/slider.h"

#include <gtest/gtest.h>

#include "lumo_test_support.h"

namespace lumo {
namespace {

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

} // namespace
} // namespace lumo
