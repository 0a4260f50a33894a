#include "panels/console_channels.h"

#include "platform/kernel_config.h"
#include "shell/state_setters.h"
#include "tests/panels/panel_fixture.h"

namespace {

TEST_F(PanelTest, TheMainLogStampsOnlyWhenTheTimeServiceIsInstalled)
{
    console_log(app, "Parsing: a.plim", true);
    app.platform.time_text = [] { return std::string("12:34:56"); };
    console_log(app, "Parsing: b.plim", true);
    console_log(app, "plain", false);
    EXPECT_EQ(std::vector<std::string>(console().lines.begin(), console().lines.begin() + 3),
              (std::vector<std::string>{"Parsing: a.plim", "12:34:56 | Parsing: b.plim", "plain"}));
    EXPECT_EQ(console().widest_line, 26 * 7);
    EXPECT_EQ(console().total_height, 3 * 14);
    EXPECT_EQ(app.text_views[0].label.substr(0, 22), "Parsing: a.plim\n12:34:");
}

TEST_F(PanelTest, ChannelCapacityGrowsTo420AndAResetStartsOverAt64)
{
    append_console_channel(console(), CHANNEL_ERROR, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", "");
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "l\n";
    append_console_channel(console(), CHANNEL_ERROR, many, "");
    EXPECT_EQ(console().channel_capacity[CHANNEL_ERROR], 420);
    EXPECT_EQ(console().channel_lines[CHANNEL_ERROR].size(), 420u);

    console_show_kernel_trace(app, many.substr(0, 200));
    EXPECT_EQ(console().channel_capacity[CHANNEL_KERNEL], 128);
    console_show_kernel_trace(app, "short");
    EXPECT_EQ(console().channel_capacity[CHANNEL_KERNEL], 64);
    EXPECT_EQ(console().channel_lines[CHANNEL_KERNEL].size(), 64u);
    EXPECT_EQ(console().channel_widest[CHANNEL_KERNEL], 5 * 7);
}

TEST_F(PanelTest, ChannelLinesSplitKeepingEmptyOnesAndOnlyTheShownOneMirrors)
{
    append_console_channel(console(), CHANNEL_FILE_IO, "first\n\nthird", "09:00:00");
    EXPECT_EQ(channel(CHANNEL_FILE_IO), (std::vector<std::string>{"first", "", "third"}));
    EXPECT_EQ(console().channel_height[CHANNEL_FILE_IO], 3 * 14);
    append_console_channel(console(), CHANNEL_FILE_IO, "wrote a.obj\n", "09:00:01");
    EXPECT_EQ(channel(CHANNEL_FILE_IO).back(), "09:00:01 | wrote a.obj\n");

    // Only the shown channel (the kernel's) updates the shown fields.
    console().channel_view_1[CHANNEL_KERNEL] = 0.5;
    append_console_channel(console(), CHANNEL_KERNEL, "", "");
    EXPECT_EQ(console().channel_count[CHANNEL_KERNEL], 0) << "an empty text stores nothing";
    EXPECT_EQ(console().channel_shown_1, 0.5) << "but still mirrors the shown channel";
    append_console_channel(console(), CHANNEL_SCRIPT, "script output", "");
    EXPECT_EQ(console().channel_content_width, 0);
    append_console_channel(console(), CHANNEL_KERNEL, "kernel", "");
    EXPECT_EQ(console().channel_content_width, 6 * 7);
    EXPECT_EQ(console().channel_content_height, 14);
}

TEST_F(PanelTest, TheKernelRunReplacesKernelAndScriptAndAppendsTheOthers)
{
    g_kernel_output_texts = {"run one\nparsed", "", "saved", "oops"};
    console_show_kernel_run(app);
    g_kernel_output_texts = {"run two", "", "saved again\nand more", ""};
    console_show_kernel_run(app);
    EXPECT_EQ(channel(CHANNEL_KERNEL), (std::vector<std::string>{"run two"}));
    EXPECT_EQ(channel(CHANNEL_SCRIPT), (std::vector<std::string>{}));
    EXPECT_EQ(channel(CHANNEL_FILE_IO),
              (std::vector<std::string>{"saved", "saved again", "and more"}));
    EXPECT_EQ(channel(CHANNEL_ERROR), (std::vector<std::string>{"oops"}));
    EXPECT_EQ(app.text_views[1].label, "run two");
    g_kernel_output_texts = {};
}

// What a person sees in the channel view after choosing each tab, with the
// channels written while another one was shown.
TEST_F(PanelTest, EachChosenChannelShowsItsOwnLinesEvenWhenWrittenWhileHidden)
{
    const std::pair<std::int32_t, const char*> shown[] = {
        {CHANNEL_ERROR, "syntax error"},
        {CHANNEL_SCRIPT, "print 1\nprint 2"},
        {CHANNEL_FILE_IO, "read a.plim"},
        {CHANNEL_KERNEL, "EXEC:[plim -interop]"},
    };
    console_show_kernel_trace(app, shown[3].second);
    console_show_script_trace(app, shown[1].second);
    console_append_file_io_trace(app, shown[2].second);
    console_append_error_trace(app, shown[0].second);
    for (const auto& [channel_id, text] : shown) {
        select_console_channel(app, channel_id);
        EXPECT_EQ(app.text_views[1].label, text) << channel_id;
    }
    select_console_channel(app, CHANNEL_ERROR);
    console_append_error_trace(app, "second error");
    EXPECT_EQ(app.text_views[1].label, "syntax error\nsecond error");
    console_show_kernel_trace(app, "a hidden run");
    EXPECT_EQ(app.text_views[1].label, "syntax error\nsecond error");
}

} // namespace
