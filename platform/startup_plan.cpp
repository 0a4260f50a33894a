#include "platform/startup_plan.h"

#include "platform/text.h"

namespace {

constexpr std::size_t BANNER_WIDTH = 50;

std::string banner_rule()
{
    return std::string(BANNER_WIDTH, '-');
}

// "%    > " + text, blank-filled so that the closing "%" is the 50th character.
std::string banner_info_line(const std::string& text)
{
    std::string line = "%    > " + text;
    line.resize(BANNER_WIDTH - 1, ' ');
    return line + "%";
}

std::string quoted_echo(const std::string& tag, const std::string& value)
{
    return tag + ":[\"" + value + "\"];";
}

bool is_interactive_switch(const std::string& argument)
{
    const std::string upper = to_upper_text(argument);
    return upper == "-IC" || upper == "--IC" || upper == "-INTERACTIVE-CONFIG" ||
           upper == "--INTERACTIVE-CONFIG";
}

void plan_kernel_only(const std::string& kernel, PathExistsFn path_exists, StartupPlan& plan)
{
    if (!path_exists(kernel)) {
        plan.trace_lines.push_back("ERROR: the specified kernel executable does not exist.");
    }
    plan.trace_lines.push_back(quoted_echo("EXEC", kernel));
    plan.set_kernel = true;
    plan.kernel_path = kernel;
}

void plan_kernel_and_workspace(const std::vector<std::string>& given, PathExistsFn path_exists,
                               StartupPlan& plan)
{
    const std::string& kernel = given[0];
    const std::string& workspace = given[1];
    const bool kernel_exists = path_exists(kernel);
    const bool workspace_exists = path_exists(workspace);
    if (!kernel_exists) {
        plan.trace_lines.push_back("ERROR: the specified kernel executable does not exist.");
    }
    if (!workspace_exists) {
        plan.trace_lines.push_back("ERROR: the specified entity workspace does not exist.");
    }
    plan.trace_lines.push_back(quoted_echo("EXEC", kernel));
    plan.trace_lines.push_back(quoted_echo("TEMP", workspace));
    plan.set_kernel = true;
    plan.kernel_path = kernel;

    const bool ends_with_slash = !workspace.empty() && workspace.back() == '/';
    plan.set_workspace = true;
    // An empty text gets no slash: "/" would make the root directory the workspace.
    plan.workspace_path = ends_with_slash || workspace.empty() ? workspace : workspace + "/";
    if (workspace_exists) {
        const std::string staging = workspace + (ends_with_slash ? "tmp/" : "/tmp/");
        if (!path_exists(staging)) {
            plan.staging_directory = staging;
        }
    }
    plan.interactive_config = given.size() == 3 && is_interactive_switch(given[2]);
}

} // namespace

std::vector<std::string> command_line_arguments(int argc, const char* const* argv)
{
    std::vector<std::string> arguments{"PLIM-EI.exe"};
    for (int i = 1; i < argc; ++i) {
        std::string token = argv[i];
        for (char& byte : token) {
            if (byte == '\\') {
                byte = '/';
            }
        }
        arguments.push_back(token);
    }
    return arguments;
}

std::vector<std::string> startup_banner()
{
    return {
        banner_rule(),
        "%  PLIM-EI                                       %",
        banner_rule(),
        "%  Brisk-Form Inspector V0 : 64-bit Windows      %",
        banner_rule(),
        "%    > Build-Version: 0.2.5                      %",
        "%    > Build-Date: 2024-02-25                    %",
        banner_rule(),
        banner_info_line("Platform: Linux, X11 and GLX"),
        banner_info_line("Kernel: plim, run per script"),
        banner_info_line("Trace: standard output"),
        banner_rule(),
    };
}

StartupPlan plan_startup(const std::vector<std::string>& arguments, PathExistsFn path_exists)
{
    std::vector<std::string> given;
    if (arguments.size() > 1) {
        given.assign(arguments.begin() + 1, arguments.end());
    }
    if (!given.empty() && given[0] == "plim") {
        given[0] = "./plim";
    }

    StartupPlan plan;
    if (given.size() == 1) {
        plan_kernel_only(given[0], path_exists, plan);
    } else if (given.size() == 2 || given.size() == 3) {
        plan_kernel_and_workspace(given, path_exists, plan);
    } else if (given.size() >= 4) {
        plan.trace_lines.push_back("ERROR: expected 0, 1 or 2 command-line arguments.");
        plan.trace_lines.push_back("NOTE: ignoring command-line arguments.");
    }
    return plan;
}
