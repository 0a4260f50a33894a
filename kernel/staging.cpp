#include "kernel/staging.h"

#include "model/enum_names.h"
#include "platform/files.h"
#include "kernel/kernel_run_output.h"
#include "platform/trace.h"

namespace {

std::string count_line(std::size_t count)
{
    return std::to_string(count) + ";\n";
}

bool write_staging_file(const std::string& text, const std::string& path)
{
    if (write_text_file(text, path)) return true;
    const std::string cause = "ERROR-WRITING-STAGING-FILE: " + path;
    trace_line(cause);
    note_kernel_run_failure(cause);
    return false;
}

// Without a workspace every staging path would land in the root's "tmp/",
// shared with everything else on the machine.
bool workspace_is_set(const KernelSettings& settings)
{
    if (!settings.workspace_path.empty()) return true;
    trace_line(k_workspace_not_set);
    note_kernel_run_failure(k_workspace_not_set);
    return false;
}

} // namespace

std::string staging_path(const KernelSettings& settings, const std::string& relative_name)
{
    std::string path = settings.workspace_path;
    if (path.empty() || path.back() != '/') path += '/';
    return path + relative_name;
}

std::string numbered_staging_path(const KernelSettings& settings, const std::string& prefix,
                                  std::int32_t index)
{
    return staging_path(settings, prefix + std::to_string(index));
}

std::string execute_mode_name(std::int32_t mode)
{
    if (mode < 0 || static_cast<std::size_t>(mode) >= g_execute_modes.size()) return std::string();
    return g_execute_modes[static_cast<std::size_t>(mode)];
}

std::string parse_list_text(const TextList& names, const TextList& texts)
{
    const std::size_t count = std::min(names.size(), texts.size());
    std::string staged = count_line(count);
    for (std::size_t i = 0; i < count; ++i)
        staged += "{\n// E:" + names[i] + "\n" + texts[i] + "\n};\n";
    return staged;
}

std::string parse_logic_text(const std::string& text)
{
    return "// logic\n" + text;
}

std::string element_block(const std::string& logic, std::int32_t mode)
{
    return "{\n// directives\n#execute_mode:" + execute_mode_name(mode) + ";\n// logic\n" + logic +
           "\n};\n";
}

std::string assemble_text(const std::string& logic, std::int32_t mode)
{
    return "1;\n\n" + element_block(logic, mode);
}

std::string assemble_list_text(const TextList& logics, const std::vector<std::int32_t>& modes)
{
    const std::size_t count = std::min(logics.size(), modes.size());
    std::string staged = count_line(count);
    for (std::size_t i = 0; i < count; ++i) {
        staged += '\n';
        staged += element_block(logics[i], modes[i]);
    }
    return staged;
}

std::string element_blocks_text(const TextList& blocks)
{
    std::string staged = count_line(blocks.size());
    for (const std::string& block : blocks)
        staged += block;
    return staged;
}

bool stage_run_files(const KernelSettings& settings, const std::string& input_path,
                     const std::string& input_text, const std::string& output_path)
{
    return workspace_is_set(settings) && write_staging_file(input_text, input_path) &&
           write_staging_file(std::string(), output_path);
}

bool empty_run_output(const KernelSettings& settings, const std::string& output_path)
{
    return workspace_is_set(settings) && write_staging_file(std::string(), output_path);
}
