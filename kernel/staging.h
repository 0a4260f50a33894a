#pragma once

// Workspace staging for kernel runs: the file names under the workspace's
// "tmp/" directory and the exact input texts the kernel reads. Every text is
// built byte for byte; the kernel depends on the layout, not just the content.

#include "platform/kernel_config.h"
#include "platform/text.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* k_parse_in_name = "tmp/plim_parse_in";
inline constexpr const char* k_parse_out_name = "tmp/plim_parse_out";
inline constexpr const char* k_assemble_in_name = "tmp/plim_assemble_in";
inline constexpr const char* k_assemble_out_name = "tmp/plim_assemble_out";
inline constexpr const char* k_sub_in_prefix = "tmp/plim_assemble_in_sub_";
inline constexpr const char* k_sub_out_prefix = "tmp/plim_assemble_out_sub_";
inline constexpr const char* k_batch_in_prefix = "tmp/plim_assemble_in_batch_";
inline constexpr const char* k_batch_out_prefix = "tmp/plim_assemble_out_batch_";
inline constexpr const char* k_ccpp_in_name = "tmp/plim_assemble_ccpp_in";
inline constexpr const char* k_ccpp_out_name = "tmp/plim_assemble_ccpp_out";

// Stands for an element that is not to be assembled in a multi-block text.
inline constexpr const char* k_empty_block = "{ };\n";

// The run's workspace path, a "/" when it does not end in one, and the name.
std::string staging_path(const KernelSettings& settings, const std::string& relative_name);
// The same for a numbered file: the prefix followed by the index in decimal.
std::string numbered_staging_path(const KernelSettings& settings, const std::string& prefix,
                                  std::int32_t index);

// Written after "#execute_mode:". A mode outside 0 to 2 gives the empty
// text, which the kernel rejects, rather than reading past the table.
std::string execute_mode_name(std::int32_t mode);

// Several scripts for one parse run: the count, then each script opened by
// the comment line "// E:" + its name and wrapped in braces.
std::string parse_list_text(const TextList& names, const TextList& texts);
// One script file for a parse run.
std::string parse_logic_text(const std::string& text);
// One logic for an assemble run.
std::string assemble_text(const std::string& logic, std::int32_t mode);
// Several logics in one assemble run; logic i is assembled in mode i.
std::string assemble_list_text(const TextList& logics, const std::vector<std::int32_t>& modes);
// One parallel element in a multi-block text (no empty line before it).
std::string element_block(const std::string& logic, std::int32_t mode);
// The count of blocks and the blocks (element blocks or k_empty_block).
std::string element_blocks_text(const TextList& blocks);

// The cause noted when a run is asked for without a workspace.
inline constexpr const char* k_workspace_not_set =
    "ERROR-ENTITY-WORKSPACE-NOT-SET: no kernel run was started";

// Writes the run's input text and empties its output file, so that a kernel
// that fails without writing cannot leave a previous run's result to be read.
// On failure notes "ERROR-WRITING-STAGING-FILE: " + path (or the missing
// workspace) as the run's failure and returns false: the caller must then
// skip the run.
bool stage_run_files(const KernelSettings& settings, const std::string& input_path,
                     const std::string& input_text, const std::string& output_path);
// The same for a run whose input is already in place: only empties the output.
bool empty_run_output(const KernelSettings& settings, const std::string& output_path);
