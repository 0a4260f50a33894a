// The start-up wiring in-process in a real window, and the real program
// without a display. The real program's start-up output and clean exit are
// checked by the first end-to-end scenario.

#include "tests/platform/x11/display_fixture.h"

#include "app/frame/app_slots.h"
#include "app/frame/startup.h"
#include "state/application.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/gl/textures.h"
#include "platform/kernel_config.h"
#include "platform/x11/window_services.h"
#include "shell/themes.h"
#include "tests/app/frame/program_driver.h"
#include "tests/platform/trace_capture.h"

#include <array>
#include <cstring>
#include <string>
#include <tuple>

class StartApplication : public GlWindowTest<720, 480> {
protected:
    void SetUp() override
    {
        create_application();
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        show_gl_window();
    }

    void TearDown() override
    {
        lumo::delete_toolkit_textures();
        GlWindowTest::TearDown();
        destroy_application();
        g_app_window = WindowCallbacks{};
    }
};

TEST_F(StartApplication,
       WiresTheApplicationIntoWindowZeroAndItsFirstPaintsMakeTexturesAndTimeRedraws)
{
    {
        TraceCapture trace;
        EXPECT_TRUE(start_application({"PLIM-EI.exe"}));
        EXPECT_EQ(trace.text().rfind(std::string(50, '-') + "\n", 0), 0u)
            << "the banner comes first";
        EXPECT_NE(trace.text().find("ICN-GEN:"), std::string::npos);
    }
    EXPECT_EQ(g_windows[0], &g_app_window);
    EXPECT_EQ(g_window_started, 1);
    EXPECT_GT(g_app->startup_start_ms, 0) << "on_start ran";
    EXPECT_EQ(g_kernel_path_state, SettingState::UNDEFINED) << "no arguments, nothing set";
    const PlatformServices& s = g_app->platform;
    EXPECT_EQ(s.request_repaint, request_repaint);
    EXPECT_TRUE(s.set_fullscreen && s.resize_client_area && s.open_dialog && s.save_dialog &&
                s.write_image && s.date_text && s.time_text && s.datetime_text &&
                s.clipboard_read && s.clipboard_write && s.clear_colour)
        << "every platform service is wired";
    const WindowCallbacks& window = g_app_window;
    EXPECT_EQ(
        std::tuple(window.width, window.height, window.title, window.argc,
                   std::string(window.argv[0])),
        std::tuple(720u, 480u, std::string("PLIM:EI (WIN32)"), 1, std::string("PLIM-EI.exe")));
    const std::array<double, 4>& background = g_app->background_colour;
    EXPECT_EQ(window.clear_colour, argb_of(background));
    EXPECT_NEAR(g_clear_colour.green, background[1], 1.0 / 255)
        << "starting the window keeps the theme's background as the clear colour";
    // The icon is a packed copy of the atlas's last cell, where the logo is
    // drawn, and stays intact when the first paint frees the atlas.
    ASSERT_EQ(std::tuple(window.icon_width, window.icon_height, window.icon_stride),
              std::tuple(128, 128, 128));
    const std::vector<std::uint8_t> icon(window.icon_pixels, window.icon_pixels + 128 * 128 * 4);
    for (int row : {0, 64, 127}) {
        const std::size_t from =
            (static_cast<std::size_t>(384 + row) * lumo::kIconAtlasSize + 384) * 4;
        EXPECT_EQ(std::memcmp(&icon[static_cast<std::size_t>(row) * 128 * 4],
                              &lumo::g_icon_atlas_pixels[from], 128 * 4),
                  0)
            << "row " << row;
    }
    int opaque = 0;
    for (std::size_t i = 3; i < icon.size(); i += 4)
        opaque += icon[i] > 128 ? 1 : 0;
    EXPECT_GT(opaque, 1000);
    g_app->redraw_requested = 1;
    paint_window();
    const lumo::ToolkitTextures& textures = lumo::g_toolkit_textures;
    EXPECT_TRUE(textures.atlas != 0 && textures.font != 0 && textures.logo != 0)
        << "the textures are made";
    EXPECT_TRUE(lumo::g_icon_atlas_pixels.empty()) << "the atlas buffer is freed once uploaded";
    EXPECT_EQ(std::memcmp(window.icon_pixels, icon.data(), icon.size()), 0)
        << "the window's icon is its own copy";
    EXPECT_GT(g_app->frame_times_ns[0], 0) << "a requested redraw is timed";
    EXPECT_EQ(g_app->frame_time_index, 1);
    g_app->redraw_requested = 0;
    paint_window();
    EXPECT_EQ(g_app->frame_time_index, 1) << "a paint nobody asked a redraw for is not timed";
}

using program_driver::Program;

TEST(PlimEi, WithoutADisplayEndsWithCodeOneAndSaysWhy)
{
    Program program;
    ASSERT_TRUE(program.start("", "DISPLAY=:4095"));
    EXPECT_EQ(program.wait_for_exit(), 1);
    const std::string errors = program.errors();
    EXPECT_NE(errors.find("Cannot open the X display"), std::string::npos) << errors;
}
