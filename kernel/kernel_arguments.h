#pragma once

// The kernel's argument lists, one list entry per argument. The executable
// itself is not part of the list (the process runner puts it in front).

#include "platform/text.h"

#include <cstdint>
#include <string>

// Parse of a counted list of scripts: "-interop" "-parse" in out "*".
TextList parse_list_arguments(const std::string& input_path, const std::string& output_path);
// Parse of one script file: "-interop" "-parse" in out.
TextList parse_one_arguments(const std::string& input_path, const std::string& output_path);
// "-interop", "-assemble-ppd" when profiling else "-assemble", in, out; then
// "-ccpp" and the prefix result path when `ccpp_out_path` is not empty
// (only the assembly kinds of parallel scripts pass one).
TextList assemble_arguments(const std::string& input_path, const std::string& output_path,
                            bool profiling, const std::string& ccpp_out_path = std::string());
// First prefix run: "-interop" "-parse" in out "-ccpp".
TextList ccpp_parse_arguments(const std::string& input_path, const std::string& output_path);
// Second prefix run: "-interop", "-compute-ppd" or "-compute", in, out, mode.
TextList ccpp_compute_arguments(const std::string& input_path, const std::string& output_path,
                                bool profiling, std::int32_t mode);
