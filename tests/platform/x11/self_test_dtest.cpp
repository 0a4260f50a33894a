// The self-check window draws its orange triangle on grey; the pixels are
// read back from the frame the paint slot drew.

#include "tests/platform/x11/display_fixture.h"

#include "tests/platform/trace_capture.h"
#include "tools/gl-selftest/self_test.h"

#include <GL/gl.h>

#include <array>
#include <cstdlib>

using SelfTest = GlWindowTest<360, 360>;

TEST_F(SelfTest, WritesTheServiceTextsBuildsItsProgramOnceAndDrawsTheTriangle) {
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
    for (auto [x, y, red, green, blue] : {std::array{180, 180, 255, 191, 0}, std::array{2, 2, 128, 128, 128},
                                          std::array{180, 340, 128, 128, 128}}) {
        GLubyte rgba[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        EXPECT_LE(std::abs(rgba[0] - red), 1) << x << "," << y;
        EXPECT_LE(std::abs(rgba[1] - green), 1) << x << "," << y;
        EXPECT_LE(std::abs(rgba[2] - blue), 1) << x << "," << y;
    }

    const std::string text = trace.text();
    for (const char* prefix : {"TIME:", "DATE:", "DUAL:", "CLIPBOARD:\n", "GL-PROGRAM-INITIALISATION\n"}) {
        EXPECT_NE(text.find(prefix), std::string::npos) << prefix;
    }
    const std::size_t first = text.find("GL-PROGRAM-INITIALISATION");
    EXPECT_EQ(text.find("GL-PROGRAM-INITIALISATION", first + 1), std::string::npos) << "built once";
    EXPECT_EQ(text.find("ERROR"), std::string::npos) << text;
}
