#include "platform/window_callbacks.h"

#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

// Key tables are reset, with the slot calls, by the file dialogs' tests.
TEST(WindowRegistry, EightEntriesAndTheTraceLineBeyondThem)
{
    reset_key_tables(); // without a window: no slot to call, no crash
    WindowCallbacks record;
    TraceCapture trace;
    register_window(&record, 0);
    register_window(&record, 7);
    EXPECT_EQ(trace.text(), "");
    register_window(&record, 8);
    register_window(&record, -1);
    EXPECT_EQ(trace.text(), "ZARNO-8-WINDOW-MAX!\nZARNO-8-WINDOW-MAX!\n");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(g_windows[i], i == 0 || i == 7 ? &record : nullptr) << i;
    g_windows[0] = g_windows[7] = nullptr;
}
