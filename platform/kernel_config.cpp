#include "platform/kernel_config.h"

#include <filesystem>
#include <sys/stat.h>

constexpr std::array<const char*, 3> g_setup_state_names = {"UNDEFINED", "INVALID", "VALID"};

std::string g_kernel_path;
SettingState g_kernel_path_state = SettingState::UNDEFINED;
std::string g_kernel_path_state_name = "UNDEFINED";
std::string g_workspace_path;
SettingState g_workspace_state = SettingState::UNDEFINED;
std::string g_workspace_state_name = "UNDEFINED";
std::array<std::string, 4> g_kernel_output_texts;

namespace {

bool ends_with(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

SettingState classify_kernel_path(const std::string& path)
{
    if (path.empty()) return SettingState::UNDEFINED;
    const bool kernel_name = ends_with(path, "plim") || ends_with(path, "plim.exe");
    return kernel_name && file_exists(path) ? SettingState::VALID : SettingState::INVALID;
}

SettingState classify_workspace(const std::string& path)
{
    if (path.empty()) return SettingState::UNDEFINED;
    // The trailing "/" makes the probe fail for anything but a directory.
    const std::string probe = path.back() == '/' ? path : path + "/";
    return file_exists(probe) ? SettingState::VALID : SettingState::INVALID;
}

const char* state_name(SettingState state)
{
    return g_setup_state_names[static_cast<std::size_t>(state)];
}

} // namespace

bool set_kernel_path(const std::string& path)
{
    g_kernel_path = path;
    g_kernel_path_state = classify_kernel_path(path);
    g_kernel_path_state_name = state_name(g_kernel_path_state);
    return g_kernel_path_state == SettingState::VALID;
}

std::int32_t set_workspace_path(const std::string& path)
{
    g_workspace_path = path;
    g_workspace_state = classify_workspace(path);
    g_workspace_state_name = state_name(g_workspace_state);
    return g_workspace_state == SettingState::VALID ? 1 : 0;
}

bool setup_is_valid()
{
    return g_kernel_path_state == SettingState::VALID && g_workspace_state == SettingState::VALID;
}

KernelSettings current_kernel_settings(std::int32_t max_parallel_jobs)
{
    return {g_kernel_path, g_workspace_path, max_parallel_jobs};
}

std::string get_kernel_path()
{
    return g_kernel_path;
}

std::string get_workspace_path()
{
    return g_workspace_path;
}

std::string get_kernel_path_state_name()
{
    return g_kernel_path_state_name;
}

std::string get_workspace_state_name()
{
    return g_workspace_state_name;
}

std::string get_kernel_output_text()
{
    return g_kernel_output_texts[0];
}

std::string get_kernel_aux_text_1()
{
    return g_kernel_output_texts[1];
}

std::string get_kernel_aux_text_2()
{
    return g_kernel_output_texts[2];
}

std::string get_kernel_aux_text_3()
{
    return g_kernel_output_texts[3];
}

std::int32_t ensure_directory(const std::string& path)
{
    if (file_exists(path)) return 1;
    if (path.empty()) return 0;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return file_exists(path) ? 1 : 0;
}

bool file_exists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}
