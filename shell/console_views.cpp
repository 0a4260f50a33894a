#include "shell/console_views.h"

#include "model/console_state.h"

namespace {

enum ConsoleView { MAIN_LOG_VIEW = 0, CHANNEL_VIEW = 1 };

// Its scroll pane's range follows the view's box, so the box must follow the
// measured text for the last line to be reachable. The main log sits four
// units tighter than the channel view.
void size_to_text(Application& app, ConsoleView which)
{
    lumo::T& view = app.text_views[which];
    const int trim = which == MAIN_LOG_VIEW ? 4 : 0;
    view.width = view.label_width + 2 * app.layout.gap;
    view.height = view.label_height - trim + 2 * app.layout.gap;
}

} // namespace

void show_console_log(Application& app)
{
    if (app.current_console == nullptr) return;
    const ConsoleState& console = *app.current_console;
    lumo::T& view = app.text_views[MAIN_LOG_VIEW];
    view.set_text_lines(console.lines, console.line_count);
    size_to_text(app, MAIN_LOG_VIEW);
    // The newest lines are the ones to see.
    app.console.log_scroll.fraction_y = 1.0;
}

void show_console_channel(Application& app)
{
    if (app.current_console == nullptr) return;
    const ConsoleState& console = *app.current_console;
    const auto k = static_cast<std::size_t>(console.shown_channel);
    lumo::T& view = app.text_views[CHANNEL_VIEW];
    view.set_text_lines(console.channel_lines[k], console.channel_count[k]);
    size_to_text(app, CHANNEL_VIEW);
    app.console.channel_scroll.fraction_y = 1.0;
}

void measure_console_views(Application& app)
{
    for (lumo::T& view : app.text_views)
        view.measure_label();
    size_to_text(app, MAIN_LOG_VIEW);
    size_to_text(app, CHANNEL_VIEW);
}
