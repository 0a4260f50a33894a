// Any text as a parse run's output for two scripts, cut into blocks and each
// block into its sections.
#include "kernel/parse_output.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string output(reinterpret_cast<const char*>(data), size);
    for (const std::string& block : split_parse_output(output, 2)) {
        const TaggedSection directives = cut_tagged_section(block, "DIRECTIVES");
        const TaggedSection operations = cut_tagged_section(block, "OPERATIONS");
        check_parallel_script(directives, operations);
        cut_source_text(block);
    }
    return 0;
}
