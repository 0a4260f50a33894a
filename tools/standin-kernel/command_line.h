#pragma once

#include <string>
#include <vector>

// The kernel's command lines, all beginning with "-interop":
//   -parse IN OUT            one script (the staged text may start "// logic")
//   -parse IN OUT *          a counted list of scripts
//   -parse IN OUT -ccpp      the constant-cost parallel prefix, first step
//   -assemble[-ppd] IN OUT [-ccpp CCPP]
//   -compute[-ppd] IN OUT MODE   the prefix, second step (MODE 0, 1 or 2)

enum class RunKind { ParseOne, ParseList, CcppParse, Assemble, Compute };

struct RunRequest {
    RunKind kind = RunKind::ParseOne;
    std::string input_path;
    std::string output_path;
    bool profiling = false; // "-assemble-ppd", "-compute-ppd"
    std::string ccpp_path;  // assemble runs given "-ccpp"
    int execute_mode = 2;   // compute runs
};

// False for any other argument list.
bool read_command_line(const std::vector<std::string>& args, RunRequest& request);

extern const char* const kUsageLine;
