#include "platform/window_callbacks.h"

#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

namespace {

int g_keys_reset_calls = 0;

bool count_keys_reset(WindowCallbacks*)
{
    ++g_keys_reset_calls;
    return false;
}

class WindowRegistry : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (WindowCallbacks*& entry : g_windows) {
            entry = nullptr;
        }
    }
};

} // namespace

TEST_F(WindowRegistry, EightEntriesAndTheTraceLineBeyondThem)
{
    WindowCallbacks record;
    TraceCapture trace;
    register_window(&record, 0);
    register_window(&record, 7);
    EXPECT_EQ(g_windows[0], &record);
    EXPECT_EQ(g_windows[7], &record);
    EXPECT_EQ(trace.text(), "");

    register_window(&record, 8);
    register_window(&record, -1);
    EXPECT_EQ(trace.text(), "ZARNO-8-WINDOW-MAX!\nZARNO-8-WINDOW-MAX!\n");
    for (int i = 1; i < 7; ++i) {
        EXPECT_EQ(g_windows[i], nullptr);
    }
}

TEST_F(WindowRegistry, ResetKeyTablesClearsBothTablesAndTellsWindowZero)
{
    reset_key_tables(); // without a window: no slot to call, no crash

    WindowCallbacks record;
    record.on_keys_reset = count_keys_reset;
    register_window(&record, 0);
    g_key_states['a'] = 1;
    g_key_states[255] = 1;
    g_arrow_key_states[3] = 1;
    g_keys_reset_calls = 0;
    reset_key_tables();
    EXPECT_EQ(g_key_states['a'], 0);
    EXPECT_EQ(g_key_states[255], 0);
    EXPECT_EQ(g_arrow_key_states[3], 0);
    EXPECT_EQ(g_keys_reset_calls, 1);
}
