#include "app/commands/open_command.h"

#include "state/application.h"
#include "lumo/widget.h"
#include "panels/file_navigator.h"
#include "panels/message_panes.h"
#include "panels/navigator_openers.h"
#include "platform/clock.h"
#include "platform/kernel_config.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

constexpr std::size_t WORKSPACE_STAMP = 0;

std::string staging_directory(const std::string& workspace)
{
    return workspace.empty() || workspace.back() == '/' ? workspace + "tmp/" : workspace + "/tmp/";
}

bool shift_held()
{
    return lumo::g_held_key_counts[1] != 0;
}

void schedule_native_open_dialog(Application& app)
{
    app.deferred_countdown = DEFERRED_FRAMES;
    app.deferred[DEFERRED_NATIVE_OPEN_DIALOG] = 1;
}

} // namespace

void apply_entity_workspace(Application& app)
{
    if (!setup_is_valid()) return;
    const std::string staging = staging_directory(get_workspace_path());
    if (!file_exists(staging) && ensure_directory(staging) == 0)
        trace_line("ERROR: unable to write to specified entity workspace.");
    app.navigator.directory = get_workspace_path();
    const auto elapsed = static_cast<std::int32_t>(now_ms() - app.startup_start_ms);
    app.startup_stamps[WORKSPACE_STAMP] = elapsed / 1000.0;
    refresh_root(app);
}

void open_script_command(Application& app)
{
    const bool inline_input = app.inline_io != 0;
    const bool native_input = app.native_io != 0;
    if (!inline_input && !native_input) {
        show_warning_pane(app, "Warning: Inline & Native Input are Disabled",
                          "Note: both internal and external input methods are disabled.\n\nNote: "
                          "enable Inline-IO and/or Native-IO to dismiss the warning.\n\nNote: "
                          "alternatively (if Native-DND is active) use drag-and-drop input.");
        return;
    }
    if (native_input && (!inline_input || shift_held()))
        schedule_native_open_dialog(app);
    else
        show_open_script_navigator(app);
    if (app.deferred[DEFERRED_NATIVE_OPEN_DIALOG] != 0) show_opening_pane(app);
}

void open_native_file_dialog(Application& app)
{
    const std::string chosen = app.platform.open_dialog != nullptr
                                   ? app.platform.open_dialog(navigator_current_directory(app))
                                   : std::string();
    // No dialog, a cancelled one and a failed one all answer nothing: the
    // opening state ends here instead of waiting for an open that never comes.
    if (chosen.empty()) {
        hide_opening_pane(app);
        return;
    }
    app.pending_paths = split_text(chosen, '\n');
    app.pending_path_count = static_cast<std::int32_t>(app.pending_paths.size());
    app.deferred_countdown = DEFERRED_FRAMES;
    app.deferred[DEFERRED_OPEN_PENDING_PATHS] = 1;
    show_opening_pane(app);
}
