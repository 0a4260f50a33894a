// The whole start-up wiring in-process, in a real window.

#include "tests/platform/x11/display_fixture.h"

#include <cstring>

#include "lumo/assets/icon_atlas.h"
#include "lumo/gl/textures.h"
#include "model/app/application.h"
#include "platform/kernel_config.h"
#include "platform/x11/app/app_slots.h"
#include "platform/x11/app/startup.h"
#include "platform/x11/window_services.h"
#include "tests/platform/trace_capture.h"

namespace {

class StartApplication : public GlWindowTest<720, 480> {
 protected:
  void SetUp() override {
    create_application();
    GlWindowTest::SetUp();
    show_gl_window();
  }

  void TearDown() override {
    lumo::delete_toolkit_textures();
    GlWindowTest::TearDown();
    destroy_application();
    g_app_window = WindowCallbacks{};
  }
};

}  // namespace

TEST_F(StartApplication, WiresTheApplicationIntoWindowZeroAndItsFirstPaintsMakeTexturesAndTimeRedraws) {
  {
    TraceCapture trace;
    EXPECT_TRUE(start_application({"PLIM-EI.exe"}));
    EXPECT_EQ(trace.text().rfind(std::string(50, '-') + "\n", 0), 0u) << "the banner comes first";
    EXPECT_NE(trace.text().find("ICN-GEN:"), std::string::npos);
  }
  EXPECT_EQ(g_app_ptr, g_app);
  EXPECT_EQ(g_windows[0], &g_app_window);
  EXPECT_EQ(g_window_started, 1);
  EXPECT_GT(g_app->startup_start_ms, 0) << "on_start ran";
  EXPECT_EQ(g_kernel_path_state, SettingState::UNDEFINED) << "no arguments, nothing set";
  const PlatformServices& s = g_app->platform;
  EXPECT_EQ(s.request_repaint, request_repaint);
  EXPECT_TRUE(s.set_fullscreen && s.resize_client_area && s.open_dialog && s.save_dialog && s.write_image &&
              s.date_text && s.time_text && s.datetime_text && s.clipboard_read && s.clipboard_write &&
              s.clear_colour)
      << "every platform service is wired";
  ASSERT_EQ(g_app_window.argc, 1);
  EXPECT_STREQ(g_app_window.argv[0], "PLIM-EI.exe");

  std::vector<std::uint8_t> icon_before(g_app_window.icon_pixels, g_app_window.icon_pixels + 128 * 128 * 4);
  g_app->redraw_requested = 1;
  paint_window();
  EXPECT_NE(lumo::g_toolkit_textures.atlas, 0u);
  EXPECT_NE(lumo::g_toolkit_textures.font, 0u);
  EXPECT_NE(lumo::g_toolkit_textures.logo, 0u);
  EXPECT_TRUE(lumo::g_icon_atlas_pixels.empty()) << "the atlas buffer is freed once uploaded";
  EXPECT_EQ(std::memcmp(g_app_window.icon_pixels, icon_before.data(), icon_before.size()), 0)
      << "the window's icon is its own copy";
  EXPECT_GT(g_app->frame_times_ns[0], 0) << "a requested redraw is timed";
  EXPECT_EQ(g_app->frame_time_index, 1);
  g_app->redraw_requested = 0;
  paint_window();
  EXPECT_EQ(g_app->frame_time_index, 1) << "a paint nobody asked a redraw for is not timed";
}
