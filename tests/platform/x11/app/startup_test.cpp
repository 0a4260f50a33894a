// The start-up pieces that need no window: the interface built so far and
// window 0's settings.

#include <gtest/gtest.h>

#include <cstring>

#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/font.h"
#include "model/app/application.h"
#include "platform/constants.h"
#include "platform/window_callbacks.h"
#include "platform/x11/app/startup.h"
#include "platform/x11/gl_window.h"
#include "tests/platform/trace_capture.h"

namespace {

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { app_ = &create_application(); }
  void TearDown() override { destroy_application(); }

  Application* app_ = nullptr;
};

}  // namespace

TEST_F(Startup, TheAvailableInterfaceHasAnEnvironmentCharacterWidthsAndARepaintingRoot) {
  build_available_interface(*app_);
  build_available_interface(*app_);
  ASSERT_NE(app_->current_environment, nullptr);
  EXPECT_EQ(app_->environment_store.records.size(), 1u) << "a second call adds no environment";
  ASSERT_EQ(g_char_widths.size(), 256u);
  EXPECT_EQ(g_char_widths['W'], lumo::g_font_handles[lumo::kDefaultFont].widths['W']);
  EXPECT_GT(g_char_widths['W'], g_char_widths['i']);
  EXPECT_EQ(app_->root.width, 720);
  EXPECT_EQ(app_->root.height, 480);
  g_repaint_requested = 0;
  app_->root.refresh();
  EXPECT_EQ(g_repaint_requested, 1) << "a refresh of the root asks the platform for a paint";
}

TEST_F(Startup, WindowZeroGetsTheApplicationSizeTitleArgumentsAndAnIconCopy) {
  {
    TraceCapture quiet;
    lumo::generate_icon_atlas();
  }
  char program[] = "PLIM-EI.exe";
  char* argv[] = {program, nullptr};
  WindowCallbacks window;
  std::vector<std::uint8_t> icon;
  app_->window_width = 800;
  fill_app_window(window, *app_, 1, argv, icon);
  EXPECT_EQ(window.width, 800u);
  EXPECT_EQ(window.height, 480u);
  EXPECT_EQ(window.title, "PLIM:EI");
  EXPECT_EQ(window.argc, 1);
  EXPECT_EQ(window.argv, argv);
  EXPECT_EQ(window.icon_width, 128);
  EXPECT_EQ(window.icon_height, 128);
  EXPECT_EQ(window.icon_stride, 128) << "the copy is packed";
  ASSERT_EQ(window.icon_pixels, icon.data());

  // Every row of the copy is the matching row of the atlas's last cell,
  // where the logo is drawn.
  const std::vector<std::uint8_t>& atlas = lumo::g_icon_atlas_pixels;
  for (int row : {0, 64, 127}) {
    const std::size_t from = (static_cast<std::size_t>(384 + row) * lumo::kIconAtlasSize + 384) * 4;
    EXPECT_EQ(std::memcmp(icon.data() + static_cast<std::size_t>(row) * 128 * 4, atlas.data() + from, 128 * 4), 0)
        << "row " << row;
  }
  int opaque = 0;
  for (std::size_t i = 3; i < icon.size(); i += 4) opaque += icon[i] > 128 ? 1 : 0;
  EXPECT_GT(opaque, 1000);
}
