#include "model/console_state.h"

#include <gtest/gtest.h>

#include "model/text_metrics.h"

TEST(ConsoleState, AppendStampsMeasuresAndGrowsBeforeFull)
{
    g_char_widths.assign(256, 1);
    g_default_line_height = 14;
    ConsoleState console = construct_console_state();
    console.mirror_1 = 3.0;
    append_console_line(console, "a long line", "");
    append_console_line(console, "short", "09:05:30");
    EXPECT_EQ(console.lines[1], "09:05:30 | short");
    append_console_line(console, "x", "");
    EXPECT_EQ(console.content_width, 16) << "the widest line ever, not the last";
    EXPECT_EQ(console.content_height, 3 * 14);
    EXPECT_EQ(console.view_1, 3.0);
    g_char_widths.clear();
    g_default_line_height = 0;

    for (int line = 3; line < 63; ++line)
        append_console_line(console, std::to_string(line), "");
    EXPECT_EQ(console.line_capacity, 64);
    const ConsoleState copy = console;
    append_console_line(console, "63", "");
    EXPECT_EQ(console.line_capacity, 128);
    EXPECT_EQ(console.lines.size(), 128u);
    EXPECT_EQ(console.lines[63], "63");
    EXPECT_EQ(copy.line_count, 63) << "a copy holds its own lines";
    EXPECT_EQ(copy.channel_lines[3].size(), 64u);
}

TEST(ConsoleState, ChannelMetrics)
{
    ConsoleState console;
    console.channel_widest = {10, 20, 30, 40};
    console.channel_height = {1, 2, 3, 4};
    console.channel_view_2[2] = 0.75;
    select_shown_channel(console, CHANNEL_FILE_IO);
    EXPECT_EQ(console.channel_content_width, 30);
    EXPECT_EQ(console.channel_content_height, 3);
    EXPECT_EQ(console.channel_shown_2, 0.75);
    select_shown_channel(console, 4);
    EXPECT_EQ(console.shown_channel, 2) << "an unknown channel keeps the shown one";
}
