// The window layer where no X server can be reached.

#include "platform/x11/gl_window.h"
#include "platform/x11/window_services.h"

#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(WithoutADisplay, CreationFailsAndSaysWhy) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    setenv("DISPLAY", ":no-such-display", 1);
    TraceCapture trace;
    EXPECT_FALSE(create_gl_window("PLIM:EI (WIN32)", 720, 480));
    EXPECT_EQ(gl_window_id(), 0u);
    EXPECT_EQ(trace.text().rfind("Error: XOpenDisplay() failed:", 0), 0u) << trace.text();
    destroy_gl_window();  // nothing to release, and no harm done
    display != nullptr ? setenv("DISPLAY", saved.c_str(), 1) : unsetenv("DISPLAY");
}

TEST(WithoutADisplay, FullscreenFlagReturnsTheOneItReplaces) {
    EXPECT_EQ(set_fullscreen_flag(1), 0);
    EXPECT_EQ(set_fullscreen_flag(1), 1);
    EXPECT_EQ(set_fullscreen_flag(0), 1);
    EXPECT_EQ(set_fullscreen_flag(0), 0);
}
