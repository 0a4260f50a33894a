// The application's slot functions, called as the window layer would.

#include <gtest/gtest.h>

#include "lumo/widget.h"
#include "model/app/application.h"
#include "platform/input_codes.h"
#include "platform/x11/app/app_slots.h"
#include "tests/platform/x11/recording_record.h"

namespace {

const FillStyle kHoverStyle({1.0, 1.0, 1.0, 1.0}, kFillFlat);

class AppSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    g_app_ptr = &create_application();
    g_app_ptr->root.width = 720;
    g_app_ptr->root.height = 480;
    g_slot_log.clear();
  }

  void TearDown() override {
    g_windows[0] = nullptr;
    for (std::uint32_t& count : lumo::g_held_key_counts) count = 0;
    destroy_application();
  }

  Application& app() { return *g_app_ptr; }
  WindowCallbacks* window() { return &g_app_window; }
};

}  // namespace

TEST_F(AppSlots, StartStampsTheStartTime) {
  EXPECT_TRUE(app_on_start(window()));
  EXPECT_GT(app().startup_start_ms, 0);
}

TEST_F(AppSlots, ResizeSizesTheRoot) {
  EXPECT_FALSE(app_on_resize(window(), 800, 600)) << "no resize callback consumes it yet";
  EXPECT_EQ(app().root.width, 800);
  EXPECT_EQ(app().root.height, 600);
}

TEST_F(AppSlots, ModifierBitsSetAndClearTheHeldKeyCounters) {
  app_on_modifiers(window(), MOD_SHIFT | MOD_CTRL);
  EXPECT_EQ(lumo::g_held_key_counts[0], 0u);  // Alt
  EXPECT_EQ(lumo::g_held_key_counts[1], 1u);  // Shift
  EXPECT_EQ(lumo::g_held_key_counts[2], 1u);  // Ctrl
  app_on_modifiers(window(), MOD_ALT);
  EXPECT_EQ(lumo::g_held_key_counts[0], 1u);
  EXPECT_EQ(lumo::g_held_key_counts[1], 0u);
  EXPECT_EQ(lumo::g_held_key_counts[2], 0u);
}

TEST_F(AppSlots, PointerMovesAreStoredAndHoverTheWidgetUnderThePointer) {
  lumo::P button;
  button.x = 100;
  button.y = 50;
  button.width = 40;
  button.height = 20;
  button.hover_style = &kHoverStyle;
  app().root.add_child(&button);

  app_on_mouse_move(window(), 110, 60);
  EXPECT_EQ(app().pointer_position, (std::array<std::int32_t, 2>{110, 60}));
  EXPECT_TRUE(button.hovered);

  app_on_mouse_drag(window(), 5, 6);
  EXPECT_EQ(app().pointer_position, (std::array<std::int32_t, 2>{5, 6}));

  app_on_mouse_move(window(), 300, 300);
  EXPECT_FALSE(button.hovered);
  app().root.children.clear();
}

TEST_F(AppSlots, LeavingTheWindowIsAMoveToMinusOneThroughWindowZero) {
  WindowCallbacks record = recording_record();
  register_window(&record, 0);
  app_on_mouse_exit(window());
  EXPECT_EQ(g_slot_log, std::vector<std::string>{"motion -1 -1"});
}

TEST_F(AppSlots, BeforeStartUpHasFinishedTheSlotsDoNothing) {
  Application* const app_object = g_app_ptr;
  g_app_ptr = nullptr;
  EXPECT_FALSE(app_on_start(window()));
  EXPECT_FALSE(app_on_mouse_move(window(), 1, 2));
  EXPECT_FALSE(app_on_resize(window(), 800, 600));
  EXPECT_FALSE(app_on_paint(window()));
  g_app_ptr = app_object;
  EXPECT_EQ(app().startup_start_ms, -1);
  EXPECT_EQ(app().pointer_position, (std::array<std::int32_t, 2>{-1, -1}));
  EXPECT_EQ(app().root.width, 720);
}
