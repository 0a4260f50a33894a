#pragma once

// The two settings every kernel run needs, the kernel executable and the
// entity workspace, each with a state that is reclassified whenever it is set,
// plus the output texts the last kernel run left behind. User-interface
// thread only: a run gets its settings as a KernelSettings value, taken where
// the command that starts it begins.

#include <array>
#include <cstdint>
#include <string>

enum class SettingState : std::int32_t {
    UNDEFINED = 0,
    INVALID = 1,
    VALID = 2,
};

extern const std::array<const char*, 3> g_setup_state_names;

// What the kernel runs of one command use. A copy, so that a run and its
// worker threads never read settings the interface may change meanwhile.
struct KernelSettings {
    std::string kernel_path;
    std::string workspace_path;
    // Most kernel jobs of a parallel assembly running at once, from the
    // max-cores option; values below 1 count as 1.
    std::int32_t max_parallel_jobs = 4;
};

extern std::string g_kernel_path;
extern SettingState g_kernel_path_state;
extern std::string g_kernel_path_state_name;
extern std::string g_workspace_path;
extern SettingState g_workspace_state;
extern std::string g_workspace_state_name;
// Kernel, script, file-io and error trace texts of the last kernel run.
extern std::array<std::string, 4> g_kernel_output_texts;

// VALID when the path is an existing file whose text ends in "plim" or
// "plim.exe" (case-sensitive); empty is UNDEFINED, anything else INVALID.
bool set_kernel_path(const std::string& path);
// VALID (result 1) when the path, with a "/" appended unless it ends in one,
// names an existing directory; empty is UNDEFINED, anything else INVALID.
std::int32_t set_workspace_path(const std::string& path);
bool setup_is_valid();
// The kernel path and workspace as they are set now, with the job limit.
KernelSettings current_kernel_settings(std::int32_t max_parallel_jobs);

std::string get_kernel_path();
std::string get_workspace_path();
std::string get_kernel_path_state_name();
std::string get_workspace_state_name();

std::string get_kernel_output_text();
std::string get_kernel_aux_text_1();
std::string get_kernel_aux_text_2();
std::string get_kernel_aux_text_3();

// Creates the directory and any missing parents (no shell involved, so the
// path may hold any characters). 1 when the path exists afterwards, else 0.
std::int32_t ensure_directory(const std::string& path);
// True when the path is not empty and names anything that exists.
bool file_exists(const std::string& path);
