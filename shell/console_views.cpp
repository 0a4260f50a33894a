#include "shell/console_views.h"

#include "model/console_state.h"

void show_console_log(Application& app)
{
    if (app.current_console == nullptr) return;
    const ConsoleState& console = *app.current_console;
    lumo::T& view = app.text_views[0];
    view.set_text_lines(console.lines, console.line_count);
    view.width = view.label_width + 2 * app.layout.gap;
    // The main log sits four units tighter than the channel view.
    view.height = view.label_height - 4 + 2 * app.layout.gap;
    // The newest lines are the ones to see.
    app.console.log_scroll.fraction_y = 1.0;
}

void show_console_channel(Application& app)
{
    if (app.current_console == nullptr) return;
    const ConsoleState& console = *app.current_console;
    const auto k = static_cast<std::size_t>(console.shown_channel);
    lumo::T& view = app.text_views[1];
    view.set_text_lines(console.channel_lines[k], console.channel_count[k]);
    view.width = view.label_width + 2 * app.layout.gap;
    view.height = view.label_height + 2 * app.layout.gap;
    app.console.channel_scroll.fraction_y = 1.0;
}
