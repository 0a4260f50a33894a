// The window, its context, its start and paints, the message loop, and the
// self-check window's triangle read back from the frame it drew.

#include "tests/platform/x11/display_fixture.h"

#include "platform/services.h"
#include "platform/x11/window_services.h"
#include "tests/platform/trace_capture.h"
#include "tools/gl-selftest/self_test.h"

#include <X11/Xutil.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

static std::pair<int, int> window_size(Display* display, Window window)
{
    XWindowAttributes attributes = {};
    XGetWindowAttributes(display, window, &attributes);
    return {attributes.width, attributes.height};
}

using GlWindow = DisplayTest;

TEST_F(GlWindow, AppearsWithItsTitleSizeHintsAndADoubleBufferedDepthContext)
{
    EXPECT_EQ(window_size(peer_, window_), std::pair(720, 480));
    EXPECT_EQ(std::pair(g_client_size.width, g_client_size.height), std::pair(720, 480));
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(peer_, window_, &name));
    EXPECT_STREQ(name, "PLIM:EI (WIN32)");
    XFree(name);
    XSizeHints hints = {};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(peer_, window_, &hints, &supplied));
    EXPECT_TRUE(hints.flags & PMinSize);
    EXPECT_EQ(std::pair(hints.min_width, hints.min_height), std::pair(360, 240));
    EXPECT_EQ(cardinal_property(peer_, window_, "WM_PROTOCOLS"),
              std::vector{std::uint32_t(atom("WM_DELETE_WINDOW"))});
    EXPECT_EQ(cardinal_property(peer_, window_, "XdndAware"), std::vector<std::uint32_t>{5});
    GLint depth_bits = 0;
    GLboolean double_buffered = GL_FALSE;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
    glGetBooleanv(GL_DOUBLEBUFFER, &double_buffered);
    EXPECT_GE(depth_bits, 16);
    EXPECT_EQ(double_buffered, GL_TRUE);
}

TEST_F(GlWindow, StartTakesTheClearColourAndIconAndTheFirstPaintSetsTheStateAndCallsInitOnce)
{
    paint_window();
    EXPECT_TRUE(g_slot_log.empty()) << "before start a paint only swaps";
    // A 2 x 1 icon inside a 3-pixel-wide image: the stride is honoured.
    const std::uint8_t pixels[] = {0x10, 0x20, 0x30, 0xFF, 0xA0, 0xB0, 0xC0, 0x80, 0, 0, 0, 0};
    record_.clear_colour = 0x80405060;
    record_.icon_width = 2;
    record_.icon_height = 1;
    record_.icon_stride = 3;
    record_.icon_pixels = pixels;
    start_window(&record_);
    settle();
    EXPECT_EQ(g_slot_log, Log{"start"});
    EXPECT_EQ(g_window_started, 1);
    EXPECT_DOUBLE_EQ(g_clear_colour.red, 0x40 / 255.0);
    EXPECT_DOUBLE_EQ(g_clear_colour.green, 0x50 / 255.0);
    EXPECT_DOUBLE_EQ(g_clear_colour.blue, 0x60 / 255.0);
    EXPECT_DOUBLE_EQ(g_clear_colour.alpha, 0x80 / 255.0);
    EXPECT_EQ(cardinal_property(peer_, window_, "_NET_WM_ICON"),
              (std::vector<std::uint32_t>{2, 1, 0xFF102030, 0x80A0B0C0}));
    g_slot_log.clear();
    paint_window();
    paint_window();
    EXPECT_EQ(g_slot_log, (Log{"init", "paint", "paint"}));
    for (GLenum enabled : {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_LIGHT0}) {
        EXPECT_TRUE(glIsEnabled(enabled)) << enabled;
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "lighting itself is the renderer's choice";
}

TEST_F(GlWindow, ClientResizeKeepsTheMinimumAndReachesTheResizeSlot)
{
    // Exposure may add paints of its own after the one a resize makes.
    record_.on_paint = [](WindowCallbacks*) {
        return g_slot_log.empty() || g_slot_log.back() != "paint" ? log_slot("paint") : true;
    };
    start();
    EXPECT_NE(resize_client_area(800, 600), 0);
    settle();
    EXPECT_EQ(g_slot_log, (Log{"resize 800 600", "init", "paint"}));
    EXPECT_EQ(g_client_size.width, 800);
    g_slot_log.clear();
    g_repaint_requested = 0;
    resize_client_area(100, 50);
    settle();
    EXPECT_EQ(g_slot_log, (Log{"resize 360 240", "paint"}));
    EXPECT_EQ(g_repaint_requested, 1)
        << "a shrunk window gets no exposure, so the next pass paints it again";
    EXPECT_EQ(window_size(peer_, window_), std::pair(360, 240));
    announce_client_size();
    EXPECT_EQ(g_slot_log.back(), "resize 360 240");
}

// Without a window manager another program may shrink the window at will;
// the window takes the minimum back and the application never sees less.
TEST_F(GlWindow, AResizeBelowTheMinimumByAnotherProgramIsTakenBack)
{
    record_.on_paint = nullptr;
    record_.on_init = nullptr;
    start();
    XResizeWindow(peer_, window_, 200, 150);
    settle();
    settle(); // the window's own request for the minimum, and its answer
    EXPECT_EQ(g_slot_log, (Log{"resize 360 240"}));
    EXPECT_EQ(window_size(peer_, window_), std::pair(360, 240));
    EXPECT_EQ(g_client_size.width, 360);
    EXPECT_EQ(g_client_size.height, 240);
}

using MessageLoop = DisplayTest;

TEST_F(MessageLoop, PaintsOnlyOnRequestAndOnlyOnceStarted)
{
    request_repaint();
    run_loop_pass();
    EXPECT_TRUE(g_slot_log.empty()) << "no idle and no paint before the start";
    record_.on_init = nullptr;
    g_repaint_requested = 0;
    start();
    run_loop_pass();
    run_loop_pass();
    EXPECT_EQ(g_slot_log, (Log{"idle", "idle"})) << "nothing painted without a request";
    // A request made during idle becomes one paint of the next pass.
    record_.on_idle = [](WindowCallbacks*) {
        request_repaint();
        return log_slot("idle");
    };
    g_slot_log.clear();
    run_loop_pass();
    EXPECT_EQ(g_slot_log, Log{"idle"});
    run_loop_pass();
    EXPECT_EQ(g_slot_log, (Log{"idle", "paint", "idle"}));
}

using SelfTest = GlWindowTest<360, 360>;

TEST_F(SelfTest, WritesTheServiceTextsBuildsItsProgramOnceAndDrawsTheTriangle)
{
    show_gl_window();
    TraceCapture trace;
    char name[] = "plim-gl-selftest";
    char* argv[] = {name, nullptr};
    platform_self_test(1, argv);
    ASSERT_NE(g_windows[0], nullptr);
    EXPECT_EQ(g_windows[0]->argc, 1);
    EXPECT_EQ(g_window_started, 1);
    paint_window();
    g_windows[0]->on_paint(g_windows[0]);
    // Orange at the centre; grey at a corner and just above the apex.
    for (auto [x, y, red, green, blue] :
         {std::array{180, 180, 255, 191, 0}, std::array{2, 2, 128, 128, 128},
          std::array{180, 340, 128, 128, 128}}) {
        GLubyte rgba[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        const int off = std::max(
            {std::abs(rgba[0] - red), std::abs(rgba[1] - green), std::abs(rgba[2] - blue)});
        EXPECT_LE(off, 1) << "at " << x << "," << y;
    }
    const std::string text = trace.text();
    for (const char* prefix :
         {"TIME:", "DATE:", "DUAL:", "CLIPBOARD:\n", "GL-PROGRAM-INITIALISATION\n"}) {
        EXPECT_NE(text.find(prefix), std::string::npos) << prefix;
    }
    const std::size_t first = text.find("GL-PROGRAM-INITIALISATION");
    EXPECT_EQ(text.find("GL-PROGRAM-INITIALISATION", first + 1), std::string::npos) << "built once";
    EXPECT_EQ(text.find("ERROR"), std::string::npos) << text;
}
