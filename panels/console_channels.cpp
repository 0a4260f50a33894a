#include "panels/console_channels.h"

#include <algorithm>

#include "state/application.h"
#include "model/text_metrics.h"
#include "platform/kernel_config.h"
#include "platform/text.h"
#include "shell/console_views.h"

namespace {

bool is_channel(std::int32_t channel)
{
    return channel >= 0 && channel < CHANNEL_COUNT;
}

// The channel's metrics follow into the shown fields only while it is shown.
void mirror_shown_channel(ConsoleState& console, std::int32_t channel)
{
    if (console.shown_channel == channel) select_shown_channel(console, channel);
}

void store_channel_line(ConsoleState& console, std::size_t k, const std::string& line)
{
    console.channel_lines[k][static_cast<std::size_t>(console.channel_count[k])] = line;
    ++console.channel_count[k];
    console.channel_widest[k] = std::max(console.channel_widest[k], measure_text_width(line));
    console.channel_height[k] += g_default_line_height;
}

void grow_channel(ConsoleState& console, std::size_t k, std::int32_t added)
{
    std::int32_t& capacity = console.channel_capacity[k];
    const std::int32_t needed = console.channel_count[k] + added;
    if (needed < capacity) return;
    capacity *= 2;
    if (needed >= capacity) capacity = 2 * needed;
    console.channel_lines[k].resize(static_cast<std::size_t>(capacity));
}

// The application's one channel view shows whichever channel is selected; a
// channel written while hidden is loaded when it is chosen.
void refresh_channel_view(Application& app, std::int32_t channel)
{
    if (app.current_console->shown_channel == channel) show_console_channel(app);
}

void write_channel(Application& app, std::int32_t channel, const std::string& text, bool reset,
                   const std::string& prefix)
{
    if (app.current_console == nullptr) return;
    if (reset) reset_console_channel(*app.current_console, channel);
    append_console_channel(*app.current_console, channel, text, prefix);
    refresh_channel_view(app, channel);
}

} // namespace

void console_log(Application& app, const std::string& text, bool stamp)
{
    if (app.current_console == nullptr) return;
    ConsoleState& console = *app.current_console;
    append_console_line(console, text, stamp ? query_local_time_text(app) : std::string());
    show_console_log(app);
}

void console_show_kernel_trace(Application& app, const std::string& text)
{
    write_channel(app, CHANNEL_KERNEL, text, true, std::string());
}

void console_show_script_trace(Application& app, const std::string& text)
{
    write_channel(app, CHANNEL_SCRIPT, text, true, std::string());
}

void console_append_file_io_trace(Application& app, const std::string& text)
{
    write_channel(app, CHANNEL_FILE_IO, text, false, query_local_time_text(app));
}

void console_append_error_trace(Application& app, const std::string& text)
{
    write_channel(app, CHANNEL_ERROR, text, false, std::string());
}

void console_show_kernel_run(Application& app)
{
    console_show_kernel_trace(app, get_kernel_output_text());
    console_show_script_trace(app, get_kernel_aux_text_1());
    console_append_file_io_trace(app, get_kernel_aux_text_2());
    console_append_error_trace(app, get_kernel_aux_text_3());
}

void console_append_kernel_run_errors(Application& app)
{
    console_append_error_trace(app, get_kernel_aux_text_3());
}

void reset_console_channel(ConsoleState& console, std::int32_t channel)
{
    if (!is_channel(channel)) return;
    const auto k = static_cast<std::size_t>(channel);
    console.channel_capacity[k] = CONSOLE_START_CAPACITY;
    console.channel_count[k] = 0;
    console.channel_lines[k].assign(CONSOLE_START_CAPACITY, std::string());
    console.channel_widest[k] = 0;
    console.channel_height[k] = 0;
    console.channel_view_1[k] = 0.0;
    console.channel_view_2[k] = 0.0;
    mirror_shown_channel(console, channel);
}

void append_console_channel(ConsoleState& console, std::int32_t channel, const std::string& text,
                            const std::string& prefix)
{
    if (!is_channel(channel)) return;
    const auto k = static_cast<std::size_t>(channel);
    const TextList parts = split_text(text, '\n');
    const auto added = static_cast<std::int32_t>(parts.size());
    if (added > 0) grow_channel(console, k, added);
    if (added == 1)
        store_channel_line(console, k, prefix.empty() ? text : prefix + " | " + text);
    else
        for (const std::string& part : parts)
            store_channel_line(console, k, part);
    mirror_shown_channel(console, channel);
}
