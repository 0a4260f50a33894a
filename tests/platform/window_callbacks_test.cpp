#include "platform/window_callbacks.h"

#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

namespace {

int g_keys_reset_calls = 0;

class WindowRegistry : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (WindowCallbacks*& entry : g_windows)
            entry = nullptr;
    }
};

} // namespace

TEST_F(WindowRegistry, EightEntriesAndTheTraceLineBeyondThem)
{
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
}

TEST_F(WindowRegistry, ResetKeyTablesClearsBothTablesAndTellsWindowZero)
{
    reset_key_tables(); // without a window: no slot to call, no crash
    WindowCallbacks record;
    record.on_keys_reset = [](WindowCallbacks*) {
        ++g_keys_reset_calls;
        return false;
    };
    register_window(&record, 0);
    g_key_states['a'] = g_key_states[255] = g_arrow_key_states[3] = 1;
    g_keys_reset_calls = 0;
    reset_key_tables();
    EXPECT_EQ(g_key_states['a'] + g_key_states[255] + g_arrow_key_states[3], 0);
    EXPECT_EQ(g_keys_reset_calls, 1);
}
