// Text field editing, slider values and callback order, scroll offsets.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lumo/font.h"
#include "lumo/root.h"
#include "lumo/scroll_pane.h"
#include "lumo/slider.h"
#include "lumo/text.h"

namespace lumo {
namespace {

std::vector<std::string> g_events;

void on_enter() {
  g_events.push_back("enter focused=" + std::to_string(g_focused_widget != nullptr));
}
void on_escape() {
  g_events.push_back("escape focused=" + std::to_string(g_focused_widget != nullptr));
}

struct Field : ::testing::Test {
  F field;
  void SetUp() override {
    g_events.clear();
    field.width = 120;
    field.height = 24;
    field.on_enter = on_enter;
    field.on_escape = on_escape;
    field.take_focus();
  }
  void type(const std::string& text) {
    for (char c : text) field.on_key_down(static_cast<unsigned char>(c), 0);
  }
};

TEST_F(Field, TypingInsertsAtTheCursorAndMirrorsIntoTheLabel) {
  type("12.5");
  EXPECT_EQ(field.edit_text, "12.5");
  EXPECT_EQ(field.label, "12.5");
  EXPECT_EQ(field.cursor, 4);
  field.on_key_down(kKeyLeft, 0);
  field.on_key_down(kKeyLeft, 0);
  type("0");
  EXPECT_EQ(field.label, "120.5");
  field.on_key_down(kKeyBackspace, 0);
  field.on_key_down(kKeyBackspace, 0);
  EXPECT_EQ(field.label, "1.5");
  EXPECT_EQ(field.cursor, 1);
  field.on_key_down(kKeyHome, 0);
  field.on_key_down(kKeyBackspace, 0);  // nothing left of the cursor
  EXPECT_EQ(field.label, "1.5");
  EXPECT_EQ(field.label_width, text_width(g_font_handles[field.font], "1.5"));
}

TEST_F(Field, HomeEndAndShiftSelectionReplaceTheSelectedText) {
  type("abcdef");
  field.on_key_down(kKeyHome, 0);
  EXPECT_EQ(field.cursor, 0);
  field.on_key_down(kKeyRight, kModShift);
  field.on_key_down(kKeyRight, kModShift);
  EXPECT_EQ(field.selection_start, 0);
  EXPECT_EQ(field.selection_end, 2);
  type("X");
  EXPECT_EQ(field.label, "Xcdef");
  field.on_key_down(kKeyEnd, kModShift);
  EXPECT_EQ(field.selection_start, 1);
  EXPECT_EQ(field.selection_end, 5);
  field.on_key_down(kKeyBackspace, 0);
  EXPECT_EQ(field.label, "X");
  // The held-key counter counts as Shift too.
  field.on_key_down(kKeyHome, 0);
  g_held_key_counts[1] = 1;
  field.on_key_down(kKeyEnd, 0);
  g_held_key_counts[1] = 0;
  EXPECT_TRUE(field.has_selection());
  field.on_key_down(kKeyLeft, 0);
  EXPECT_FALSE(field.has_selection());
  // Cursor keys stop at both ends.
  field.on_key_down(kKeyLeft, 0);
  field.on_key_down(kKeyLeft, 0);
  EXPECT_EQ(field.cursor, 0);
}

TEST_F(Field, EnterKeepsTheFocusAndEscapeDropsItAfterItsCallback) {
  field.on_key_down(kKeyEnter, 0);
  EXPECT_TRUE(field.focused);
  field.on_key_down(kKeyEscape, 0);
  EXPECT_FALSE(field.focused);
  EXPECT_EQ(g_focused_widget, nullptr);
  EXPECT_EQ(g_events, (std::vector<std::string>{"enter focused=1", "escape focused=1"}));
  // Without the focus the field takes no keys.
  EXPECT_FALSE(field.on_key_down('a', 0));
}

TEST_F(Field, LongTextScrollsToKeepTheCursorInView) {
  type(std::string(40, 'W'));
  EXPECT_GT(field.text_scroll, 0);
  field.on_key_down(kKeyHome, 0);
  EXPECT_EQ(field.text_scroll, 0);
  field.drop_focus();
}

TEST_F(Field, APressPlacesTheCursorAndAReadOnlyFieldIgnoresIt) {
  type("hello");
  field.on_mouse_down(field.padding.left + 1, 5, 0);
  EXPECT_EQ(field.cursor, 0);
  F readonly;
  readonly.editable = false;
  readonly.width = 50;
  readonly.height = 20;
  EXPECT_FALSE(readonly.on_mouse_down(3, 3, 0));
  EXPECT_EQ(g_focused_widget, &field);
  field.drop_focus();
}

std::vector<std::string> g_slider_log;
void slider_changed(double v) { g_slider_log.push_back("changed " + std::to_string(v).substr(0, 4)); }
void slider_pre_press(double) { g_slider_log.push_back("pre-press"); }
void slider_released(double) {
  g_slider_log.push_back(g_drag_widget != nullptr ? "release while dragged" : "release after drag");
}

struct Slider : ::testing::Test {
  UI root;
  SB slider;
  void SetUp() override {
    g_slider_log.clear();
    root.width = 300;
    root.height = 100;
    slider.x = 10;
    slider.width = 110;  // track of 100 with a 10-pixel knob
    slider.height = 20;
    slider.knob_size = 10;
    slider.on_value_changed = slider_changed;
    slider.on_pre_press = slider_pre_press;
    slider.on_release_value = slider_released;
    root.add_child(&slider);
  }
  void TearDown() override { g_active_widget_id = -1; }
};

TEST_F(Slider, PointerSetsTheValueAndReleaseComesBeforeTheDragEnds) {
  root.dispatch_mouse_down(10 + 5 + 25, 10, 0);
  EXPECT_DOUBLE_EQ(slider.value, 0.25);
  EXPECT_EQ(g_drag_widget, &slider);
  root.dispatch_drag(10 + 5 + 500, 50, 0);
  EXPECT_DOUBLE_EQ(slider.value, 1.0);
  root.dispatch_drag(10 + 5 + 520, 50, 0);  // no change, no callback
  root.dispatch_mouse_up(0, 0, 0);
  EXPECT_EQ(g_drag_widget, nullptr);
  EXPECT_EQ(g_slider_log, (std::vector<std::string>{"pre-press", "changed 0.25", "changed 1.00",
                                                    "release while dragged"}));
}

TEST_F(Slider, DiscreteStepsSnapTheValue) {
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

TEST_F(Slider, TheShellsDragEndOnAFinishedDragDoesNothing) {
  root.dispatch_mouse_down(20, 10, 0);
  root.dispatch_mouse_up(20, 10, 0);
  const std::size_t calls = g_slider_log.size();
  EXPECT_FALSE(slider.on_mouse_up(0, 0, 0));
  EXPECT_EQ(g_slider_log.size(), calls);
}

TEST(ScrollRule, OffsetIsSizeLessExtentTimesFractionWhenContentOverflows) {
  EXPECT_EQ(scroll_offset(100, 300, 0.0), 0);
  EXPECT_EQ(scroll_offset(100, 300, 1.0), -200);
  EXPECT_EQ(scroll_offset(100, 300, 0.5), -100);
  EXPECT_EQ(scroll_offset(100, 301, 0.5), -100);  // truncated towards zero
  EXPECT_EQ(scroll_offset(300, 100, 1.0), 0);
  EXPECT_EQ(scroll_offset(100, 100, 1.0), 0);
  EXPECT_EQ(scroll_offset(100, 100, 1.0, true), 0);
}

TEST(ScrollPane, WheelStepsTheOverflowingAxisAndLayoutOffsetsTheContent) {
  SP pane;
  pane.width = 100;
  pane.height = 100;
  P content;
  content.width = 80;
  content.height = 500;
  pane.add_child(&content);
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

TEST(ScrollPane, PressOnTheBarDragsTheThumb) {
  UI root;
  root.width = 200;
  root.height = 200;
  SP pane;
  pane.width = 100;
  pane.height = 100;
  pane.content_height = 1000;
  root.add_child(&pane);
  root.layout();
  EXPECT_TRUE(root.dispatch_mouse_down(96, 99, 0));
  EXPECT_DOUBLE_EQ(pane.fraction_y, 1.0);
  root.dispatch_drag(96, -50, 0);
  EXPECT_DOUBLE_EQ(pane.fraction_y, 0.0);
  root.dispatch_mouse_up(96, 0, 0);
  EXPECT_EQ(g_drag_widget, nullptr);
  g_active_widget_id = -1;
}

}  // namespace
}  // namespace lumo
