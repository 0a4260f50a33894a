#include "platform/startup_wiring.h"

#include "platform/clock.h"
#include "platform/kernel_config.h"
#include "platform/trace.h"
#include "platform/startup_plan.h"

std::int64_t g_program_start_ms = -1;
std::uint8_t g_interactive_config = 0;

void apply_command_line(const std::vector<std::string>& arguments)
{
    for (const std::string& line : startup_banner()) {
        trace_line(line);
    }
    g_program_start_ms = now_ms();

    const StartupPlan plan = plan_startup(arguments, file_exists);
    for (const std::string& line : plan.trace_lines) {
        trace_line(line);
    }
    // The setters classify what they get: a missing kernel or workspace ends
    // as INVALID, and the interface later offers the configuration panes.
    if (plan.set_kernel) {
        set_kernel_path(plan.kernel_path);
    }
    if (plan.set_workspace) {
        set_workspace_path(plan.workspace_path);
    }
    if (!plan.staging_directory.empty() && ensure_directory(plan.staging_directory) <= 0) {
        trace_line("ERROR: unable to write to specified entity workspace.");
    }
    if (plan.interactive_config) {
        g_interactive_config = 1;
    }
}

std::int32_t choose_startup_variant()
{
    return setup_is_valid() && g_interactive_config == 0 ? 0 : 1;
}
