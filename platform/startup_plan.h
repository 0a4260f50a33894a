#pragma once

// What the start-up wiring makes of the command line, worked out without
// touching anything: the banner, the trace lines, the kernel path and
// workspace to record, the staging directory to make and the
// interactive-configuration switch. The wiring then carries the plan out.

#include <string>
#include <vector>

// The argument vector handed to the start-up wiring: the program name
// "PLIM-EI.exe", then every command-line token with "\" turned into "/". The
// shell has already split the command line, so a quoted path keeps its blanks.
std::vector<std::string> command_line_arguments(int argc, const char* const* argv);

// The console banner, twelve lines of exactly 50 characters.
std::vector<std::string> startup_banner();

struct StartupPlan {
    std::vector<std::string> trace_lines; // in order, written after the banner
    bool set_kernel = false;
    std::string kernel_path;
    bool set_workspace = false;
    std::string workspace_path;    // always ends with "/"
    std::string staging_directory; // made when missing; empty: none to make
    bool interactive_config = false;
};

using PathExistsFn = bool (*)(const std::string& path);

// Interprets `arguments` (element 0, the program name, is skipped): none; the
// kernel executable; the kernel and the entity workspace; or those two and an
// interactive-configuration switch ("-IC", "--IC", "-INTERACTIVE-CONFIG",
// "--INTERACTIVE-CONFIG" in any letter case). A first argument "plim" means
// "./plim". Four or more are reported and ignored as a whole. `path_exists`
// answers for the kernel, the workspace and the staging directory.
StartupPlan plan_startup(const std::vector<std::string>& arguments, PathExistsFn path_exists);
