// Hit testing and the routing of pointer and key events through the tree.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lumo/container.h"
#include "lumo/root.h"
#include "lumo/text.h"

namespace lumo {
namespace {

std::vector<std::string> g_log;
int g_last_x = 0;
int g_last_y = 0;

bool press_consumed(int x, int y, int) {
  g_log.push_back("press");
  g_last_x = x;
  g_last_y = y;
  return true;
}
bool press_passed(int, int, int) {
  g_log.push_back("press-passed");
  return false;
}
bool click_row() {
  g_log.push_back("click-row");
  return true;
}
bool click_list() {
  g_log.push_back("click-list");
  return true;
}
bool release_logged(int, int, int) {
  g_log.push_back("release");
  return false;
}
bool drag_logged(int x, int y, int) {
  g_log.push_back("drag");
  g_last_x = x;
  g_last_y = y;
  return true;
}
bool wheel_logged(int, int, int steps) {
  g_log.push_back("wheel " + std::to_string(steps));
  return true;
}
bool move_logged(int x, int y, int) {
  g_last_x = x;
  g_last_y = y;
  return false;
}
bool root_key(int key, int) {
  g_log.push_back("root-key " + std::to_string(key));
  return true;
}

// A root with a list at (10, 20) holding two rows of 100 x 30, each with
// a label; the rows carry a hover colour, the second a hint.
struct Tree : ::testing::Test {
  UI root;
  KL list;
  KL rows[2];
  T labels[2];
  std::string hint = "a hint";

  void SetUp() override {
    g_log.clear();
    root.width = 400;
    root.height = 300;
    list.x = 10;
    list.y = 20;
    list.width = 200;
    list.height = 100;
    for (int i = 0; i < 2; ++i) {
      rows[i].y = 30 * i;
      rows[i].width = 100;
      rows[i].height = 30;
      rows[i].row_id = i;
      rows[i].hover_colour = 0x20FFFFFF;
      labels[i].width = 50;
      labels[i].height = 30;
      rows[i].add_child(&labels[i]);
      list.add_child(&rows[i]);
    }
    rows[1].hint_text = &hint;
    root.add_child(&list);
  }
  void TearDown() override {
    g_active_widget_id = -1;
    g_drag_widget = nullptr;
    g_focused_widget = nullptr;
  }

  P* hit(int x, int y) {
    std::vector<HitStep> path;
    root.hit_test(x, y, 0, 0, path);
    return path.empty() ? nullptr : path.back().widget;
  }
};

TEST_F(Tree, HitTestFindsTheDeepestVisibleEnabledOpaqueWidget) {
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
  rows[0].opacity = 0.0;  // a faded-out overlay does not catch the pointer
  EXPECT_EQ(hit(15, 25), &list);
}

TEST_F(Tree, OverlappingSiblingsAreHitByDepthThenOrder) {
  rows[1].y = 0;  // both rows now cover the same place
  EXPECT_EQ(hit(80, 25), &rows[1]);
  rows[0].depth_offset = 0.1;
  EXPECT_EQ(hit(80, 25), &rows[0]);
}

TEST_F(Tree, PressBubblesUntilConsumedAndCapturesInWidgetCoordinates) {
  list.on_press = press_consumed;
  rows[0].on_press = press_passed;
  EXPECT_TRUE(root.dispatch_mouse_down(25, 27, 0));
  EXPECT_EQ(g_log, (std::vector<std::string>{"press-passed", "press"}));
  EXPECT_EQ(g_last_x, 15);
  EXPECT_EQ(g_last_y, 7);
  EXPECT_EQ(g_active_widget_id, list.id);
}

TEST_F(Tree, UnconsumedPressLeavesNoCapture) {
  EXPECT_FALSE(root.dispatch_mouse_down(25, 27, 0));
  EXPECT_EQ(g_active_widget_id, -1);
}

TEST_F(Tree, ClickGoesToTheInnermostClickCallback) {
  list.on_click = click_list;
  EXPECT_TRUE(root.dispatch_click(15, 55));
  rows[1].on_click = click_row;
  EXPECT_TRUE(root.dispatch_click(15, 55));
  EXPECT_FALSE(root.dispatch_click(300, 250));
  EXPECT_EQ(g_log, (std::vector<std::string>{"click-list", "click-row"}));
}

bool rebuild_rows_on_press(int, int, int);
std::unique_ptr<KL> g_rebuilt_row;
KL* g_list_under_test = nullptr;
bool rebuild_rows_on_press(int, int, int) {
  // Destroys the row under the pointer, as list rebuilds do.
  g_list_under_test->children.clear();
  g_rebuilt_row.reset();
  return false;
}

TEST_F(Tree, BubblingStopsWhenAHandlerDestroysWidgetsOnThePath) {
  g_rebuilt_row = std::make_unique<KL>();
  g_rebuilt_row->width = 100;
  g_rebuilt_row->height = 30;
  g_rebuilt_row->y = 70;
  g_rebuilt_row->on_press = rebuild_rows_on_press;
  list.add_child(g_rebuilt_row.get());
  g_list_under_test = &list;
  list.on_press = press_consumed;
  EXPECT_FALSE(root.dispatch_mouse_down(15, 95, 0));
  EXPECT_TRUE(g_log.empty());
}

TEST_F(Tree, MoveTracksHoverAndTooltipThroughAncestors) {
  rows[0].on_move = move_logged;
  root.dispatch_mouse_move(20, 30);
  EXPECT_EQ(g_hovered_widget, &rows[0]);
  EXPECT_TRUE(rows[0].hovered);
  EXPECT_EQ(g_tooltip_widget, nullptr);
  EXPECT_EQ(g_last_x, 10);
  root.dispatch_mouse_move(20, 60);
  EXPECT_EQ(g_hovered_widget, &rows[1]);
  EXPECT_FALSE(rows[0].hovered);
  EXPECT_TRUE(rows[1].hovered);
  EXPECT_EQ(g_tooltip_widget, &rows[1]);
  root.dispatch_mouse_move(-1, -1);  // pointer left the window
  EXPECT_EQ(g_hovered_widget, nullptr);
  EXPECT_FALSE(rows[1].hovered);
  EXPECT_EQ(g_tooltip_widget, nullptr);
}

TEST_F(Tree, DragFollowsTheDragWidgetAndReleaseEndsIt) {
  rows[1].on_drag_callback = drag_logged;
  rows[1].on_release = release_logged;
  EXPECT_TRUE(root.dispatch_mouse_down(20, 60, 0));
  EXPECT_EQ(g_drag_widget, &rows[1]);
  // Dragging far outside the row still reaches it, in its coordinates.
  EXPECT_TRUE(root.dispatch_drag(300, 10, 0));
  EXPECT_EQ(g_last_x, 290);
  EXPECT_EQ(g_last_y, -40);
  EXPECT_TRUE(root.dispatch_mouse_up(300, 10, 0));
  EXPECT_EQ(g_drag_widget, nullptr);
  EXPECT_EQ(g_log, (std::vector<std::string>{"drag", "release"}));
  EXPECT_FALSE(root.dispatch_drag(300, 10, 0));
}

TEST_F(Tree, WheelBubblesToTheNearestWheelCallback) {
  list.on_wheel_callback = wheel_logged;
  EXPECT_TRUE(root.dispatch_wheel(20, 60, -1));
  EXPECT_FALSE(root.dispatch_wheel(300, 250, 1));
  EXPECT_EQ(g_log, (std::vector<std::string>{"wheel -1"}));
}

TEST_F(Tree, KeysGoToTheFocusedFieldFirstThenToTheRoot) {
  root.on_key_down_callback = root_key;
  F field;
  field.width = 80;
  field.height = 20;
  field.y = 200;
  root.add_child(&field);
  EXPECT_TRUE(root.dispatch_key_down('a', 0));
  EXPECT_EQ(g_log.back(), "root-key 97");
  EXPECT_TRUE(root.dispatch_mouse_down(5, 205, 0));
  EXPECT_EQ(g_focused_widget, &field);
  EXPECT_TRUE(root.dispatch_key_down('a', 0));
  EXPECT_EQ(field.label, "a");
  // Shortcuts pass through a focused field.
  EXPECT_TRUE(root.dispatch_key_down('o', kModCtrl));
  EXPECT_EQ(g_log.back(), "root-key 111");
  // Pressing elsewhere takes the focus away.
  root.dispatch_mouse_down(300, 250, 0);
  EXPECT_EQ(g_focused_widget, nullptr);
  EXPECT_FALSE(field.focused);
}

int g_resized_width = 0;
bool on_resize(int code, int width, int) {
  if (code == kAuxResize) g_resized_width = width;
  return true;
}

TEST_F(Tree, ResizeArrivesAsTheAuxiliaryEventAndSizesTheRoot) {
  root.on_aux = on_resize;
  EXPECT_TRUE(root.dispatch_aux_event(kAuxResize, 640, 360));
  EXPECT_EQ(root.width, 640);
  EXPECT_EQ(root.height, 360);
  EXPECT_EQ(g_resized_width, 640);
}

}  // namespace
}  // namespace lumo
