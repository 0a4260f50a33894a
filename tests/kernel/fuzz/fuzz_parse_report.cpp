// Any text as a parse run's output for two scripts: cut into blocks and each
// built into a report, parallel elements included when it is marked so.
#include "kernel/parse_output.h"
#include "kernel/parse_report_builder.h"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::cout.rdbuf(nullptr); // invalid parameter lines would flood the log
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string output(reinterpret_cast<const char*>(data), size);
    for (const std::string& block : split_parse_output(output, 2)) {
        const ParseReport report = build_parse_report("fuzz.plim", "", block);
        build_parallel_script_default(report);
        get_parallel_global_prefix(report);
    }
    return 0;
}
