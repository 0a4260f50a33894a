// The self-check window draws its orange triangle on grey; the pixels are
// read back from the frame the paint slot drew.

#include <gtest/gtest.h>

#include "platform/x11/gl_window.h"
#include "platform/x11/message_loop.h"
#include "platform/window_callbacks.h"
#include "render/gl/gl_extensions.h"
#include "tests/platform/x11/gl_driver_pin.h"
#include "tests/platform/trace_capture.h"
#include "tools/gl-selftest/self_test.h"

#include <GL/gl.h>

#include <array>
#include <cstdlib>

namespace {

std::array<int, 3> pixel_at(int x, int y)
{
    GLubyte rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void expect_colour(const std::array<int, 3>& found, const std::array<int, 3>& wanted)
{
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(std::abs(found[i] - wanted[i]), 1) << "channel " << i;
    }
}

class SelfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(create_gl_window("ZARNO:Windows-Win32", 360, 360)) << "needs an X server (xvfb-run)";
        keep_gl_driver_loaded();
        load_gl_extensions();
        show_gl_window();
    }

    void TearDown() override
    {
        g_windows[0] = nullptr;
        destroy_gl_window();
    }
};

}  // namespace

TEST_F(SelfTest, WritesTheServiceTextsAndDrawsTheTriangleOnGrey)
{
    TraceCapture trace;
    char name[] = "plim-gl-selftest";
    char* argv[] = {name, nullptr};
    platform_self_test(1, argv);
    ASSERT_NE(g_windows[0], nullptr);
    EXPECT_EQ(g_windows[0]->argc, 1);
    EXPECT_EQ(g_window_started, 1);

    g_windows[0]->on_paint(g_windows[0]);
    expect_colour(pixel_at(180, 180), {255, 191, 0});
    expect_colour(pixel_at(2, 2), {128, 128, 128});
    expect_colour(pixel_at(180, 340), {128, 128, 128});  // above the apex

    const std::string text = trace.text();
    for (const char* prefix : {"TIME:", "DATE:", "DUAL:", "CLIPBOARD:\n", "GL-PROGRAM-INITIALISATION\n"}) {
        EXPECT_NE(text.find(prefix), std::string::npos) << prefix;
    }
    EXPECT_EQ(text.find("ERROR"), std::string::npos) << text;
}

TEST_F(SelfTest, BuildsItsProgramOnceAcrossPaints)
{
    TraceCapture trace;
    platform_self_test(0, nullptr);
    paint_window();
    paint_window();
    const std::string text = trace.text();
    const std::string tag = "GL-PROGRAM-INITIALISATION";
    const std::size_t first = text.find(tag);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(text.find(tag, first + 1), std::string::npos);
}
