// Any text as the DIRECTIVES, FUNCTIONS and OPERATIONS of a parallel script
// (cut at the first two 0x01 bytes), through the builder and the batches.
#include "kernel/parallel_batches.h"
#include "kernel/parallel_script.h"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::cout.rdbuf(nullptr); // the builder's messages would flood the log
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\x01');
    const std::size_t second = first == std::string::npos ? first : input.find('\x01', first + 1);
    const std::string directives = input.substr(0, first);
    const std::string functions =
        first == std::string::npos ? std::string() : input.substr(first + 1, second - first - 1);
    const std::string operations =
        second == std::string::npos ? std::string() : input.substr(second + 1);

    TextList messages{""};
    ParallelElementList elements =
        build_parallel_elements(directives, functions, operations, &messages);
    parallel_global_prefix(directives, functions);
    const std::vector<std::int32_t> ids = extract_batch_prefixes(elements);
    group_parallel_batches(ids, std::vector<bool>(ids.size(), true));
    return 0;
}
