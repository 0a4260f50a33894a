#include "app/commands/dropped_files.h"

#include "state/application.h"
#include "panels/message_panes.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "shell/modal_panes.h"

namespace {

const std::string k_file_scheme = "file://";

void trace_dropped_line(const std::string& line, const std::string& path)
{
    const char last = line.back();
    g_trace_stream << "LAST-CHAR:['" << last << "']=["
                   << static_cast<int>(static_cast<signed char>(last)) << "];" << std::endl;
    g_trace_stream << "DND-FILE:" << path << std::endl;
}

} // namespace

std::vector<std::string> dropped_paths(const std::string& text)
{
    std::vector<std::string> paths;
    for (const std::string& line : split_text(text, '\n')) {
        if (line.compare(0, k_file_scheme.size(), k_file_scheme) != 0) continue;
        const std::string path = trim_text(line.substr(k_file_scheme.size()));
        paths.push_back(path);
        trace_dropped_line(line, path);
    }
    return paths;
}

bool handle_dropped_file(WindowCallbacks*, std::int32_t, std::int32_t, const std::string& text)
{
    const std::vector<std::string> paths = dropped_paths(text);
    if (g_app == nullptr || paths.empty()) return false;
    return handle_drop_request(*g_app, paths);
}

bool handle_drop_request(Application& app, const std::vector<std::string>& paths)
{
    if (app.native_dnd == 0) {
        show_warning_pane(app, "Warning: Drag-and-Drop Input is Disabled",
                          "Note: drag-and-drop script input is currently disabled.\n\nEnable "
                          "Native-DND using the settings menu to use drag-and-drop.");
        return false;
    }
    trace_line("DND-REQUESTED");
    return record_dropped_files(app, paths);
}

bool record_dropped_files(Application& app, const std::vector<std::string>& paths)
{
    // A drop while earlier paths still wait joins them: both are opened.
    if (app.deferred[DEFERRED_OPEN_PENDING_PATHS] == 0) app.pending_paths.clear();
    app.pending_paths.insert(app.pending_paths.end(), paths.begin(), paths.end());
    app.pending_path_count = static_cast<std::int32_t>(app.pending_paths.size());
    app.deferred_countdown = DEFERRED_FRAMES;
    app.deferred[DEFERRED_OPEN_PENDING_PATHS] = 1;
    show_opening_pane(app);
    return true;
}
