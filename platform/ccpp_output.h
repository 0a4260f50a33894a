#pragma once

// Output file of the constant-cost-parallel-prefix runs: set and read by
// those runs; empty when they are off.

#include <string>

inline std::string g_ccpp_out_path;
