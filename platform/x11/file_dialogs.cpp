// The open and save dialogs: zenity's file chooser, run as a child process,
// and zenity's information box for what the save dialog reports. The window
// stays painted and takes no input while they run. Without zenity on the
// PATH a dialog counts as cancelled, so the caller never waits for a choice
// that cannot come.

#include "platform/x11/window_services.h"

#include "platform/x11/message_loop.h"
#include "platform/trace.h"
#include "platform/window_callbacks.h"

#include <cstdlib>
#include <unistd.h>

namespace {

bool zenity_on_path()
{
    const char* path = std::getenv("PATH");
    if (path == nullptr) {
        return false;
    }
    for (const std::string& directory : split_text(path, ':')) {
        const std::string candidate = (directory.empty() ? "." : directory) + "/zenity";
        if (::access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// zenity prints one chosen path per line and nothing when cancelled.
TextList chosen_paths(const std::string& output)
{
    TextList paths;
    for (std::string line : split_text(output, '\n')) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        for (char& byte : line) {
            if (byte == '\\') {
                byte = '/';
            }
        }
        paths.push_back(line);
    }
    return paths;
}

TextList run_file_chooser(const TextList& arguments)
{
    if (!zenity_on_path()) {
        trace_line("FILE-DIALOG: zenity is not on the PATH; the dialog counts as cancelled.");
        return {};
    }
    return chosen_paths(run_dialog_process("zenity", arguments).output);
}

// The platform's modal information box, captioned, over the window like the
// file chooser before it; the trace holds the same line, also without zenity.
void show_information_box(const std::string& caption, const std::string& text)
{
    trace_line(caption + ": " + text);
    if (zenity_on_path()) {
        run_dialog_process("zenity",
                           {"--info", "--no-markup", "--title=" + caption, "--text=" + text});
    }
}

std::string with_final_slash(const std::string& directory)
{
    return !directory.empty() && directory.back() != '/' ? directory + "/" : directory;
}

std::string joined_lines(const TextList& paths)
{
    return join_strings(paths, static_cast<std::int32_t>(paths.size()), '\n');
}

} // namespace

std::string run_open_dialog(const std::string& initial_directory)
{
    reset_key_tables();
    TextList arguments = {"--file-selection",
                          "--multiple",
                          "--separator=\n",
                          "--title=Open Brisk-Form 3D Script Files",
                          "--file-filter=Brisk-Form-Scripts | *.plim *.PLIM",
                          "--file-filter=All | *"};
    if (!initial_directory.empty()) {
        arguments.push_back("--filename=" + with_final_slash(initial_directory));
    }
    return joined_lines(run_file_chooser(arguments));
}

std::string run_save_dialog(const std::string& initial_directory)
{
    reset_key_tables();
    const TextList arguments = {"--file-selection", "--save",
                                "--title=Select Environment Mesh Export Location",
                                "--filename=" + with_final_slash(initial_directory) + "_"};
    const TextList paths = run_file_chooser(arguments);
    if (paths.empty()) {
        return std::string();
    }
    const std::string chosen = joined_lines(paths);
    show_information_box("OPEN-FILE", chosen);
    if (paths.size() > 1) {
        show_information_box("TOKEN-COUNT", int_to_text(static_cast<std::int32_t>(paths.size())));
        show_information_box("OUT", chosen);
    }
    return chosen;
}
