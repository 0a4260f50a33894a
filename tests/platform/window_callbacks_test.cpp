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

TEST_F(WindowRegistry, ConstructedRecordHasTheDefaultsAndNoSlot)
{
    const WindowCallbacks record = construct_window_record(720, 480, "PLIM:EI");
    EXPECT_EQ(record.width, 720u);
    EXPECT_EQ(record.height, 480u);
    EXPECT_EQ(record.title, "PLIM:EI");
    EXPECT_EQ(record.clear_colour, 0xFF000000u);
    EXPECT_EQ(record.min_width, 360u);
    EXPECT_EQ(record.min_height, 240u);
    EXPECT_EQ(record.icon_width, -1);
    EXPECT_EQ(record.icon_pixels, nullptr);
    EXPECT_EQ(record.on_start, nullptr);
    EXPECT_EQ(record.on_drop, nullptr);
    EXPECT_EQ(record.on_keys_reset, nullptr);
}

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
