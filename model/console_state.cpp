#include "model/console_state.h"

#include "model/text_metrics.h"

ConsoleState construct_console_state()
{
    return ConsoleState{};
}

void append_console_line(ConsoleState& console, const std::string& line, const std::string& stamp)
{
    if (console.line_count + 1 >= console.line_capacity) {
        console.line_capacity *= 2;
        console.lines.resize(static_cast<std::size_t>(console.line_capacity));
    }
    const std::string text = stamp.empty() ? line : stamp + " | " + line;
    console.lines[static_cast<std::size_t>(console.line_count)] = text;
    ++console.line_count;
    const std::int32_t width = measure_text_width(text);
    if (width > console.widest_line) console.widest_line = width;
    console.total_height += g_default_line_height;
    console.content_width = console.widest_line;
    console.content_height = console.total_height;
    console.view_1 = console.mirror_1;
    console.view_2 = console.mirror_2;
}

void select_shown_channel(ConsoleState& console, std::int32_t channel)
{
    if (channel < 0 || channel >= CHANNEL_COUNT) return;
    const auto at = static_cast<std::size_t>(channel);
    console.shown_channel = channel;
    console.channel_content_width = console.channel_widest[at];
    console.channel_content_height = console.channel_height[at];
    console.channel_shown_1 = console.channel_view_1[at];
    console.channel_shown_2 = console.channel_view_2[at];
}

