#pragma once

// The kernel's parse output as text: one block per staged script, blocks
// separated by "<BREAK>\n"; in each block seven tagged sections
// ("<TAG>", one separator byte, content, "</TAG>") and the echoed source
// ("<SOURCE>" content "</SOURCE>"). Tags are found by their first occurrence.

#include "platform/text.h"

#include <cstdint>
#include <string>

struct TaggedSection {
    std::string content;
    // Line feeds in the content; -1 when the section could not be cut.
    std::int32_t line_count = -1;
};

// What the parallel check makes of a parsed script's sections.
enum class ParallelCheck {
    NOT_PARALLEL, // no "#PARALLEL;" directive
    PARALLEL,     // one parallel return at the root
    SUPERFLUOUS_STATEMENTS,
    INVALID_RETURN,
};

// Exactly `script_count` blocks: block i for script i; scripts beyond the
// output's blocks get an empty one, blocks beyond the scripts are ignored.
TextList split_parse_output(const std::string& output, std::size_t script_count);

// True when the block holds the opening and the closing tag of all seven
// sections and of SOURCE, each closing tag after its opening tag. Anything
// else (no output, a lost or swapped tag, garbage) is not a parse report.
bool parse_block_is_sectioned(const std::string& block);

// Drops the '\r' of every "\r\n", so a kernel writing CRLF line ends gives
// the same sections as one writing line feeds.
std::string drop_carriage_returns(const std::string& output);

// The section between "<tag>" plus its separator byte and "</tag>". A missing
// tag, a closing tag before the opening one, or no separator byte gives an
// empty section with line count -1.
TaggedSection cut_tagged_section(const std::string& block, const std::string& tag);

// Everything between "<SOURCE>" and "</SOURCE>"; empty when either is missing
// or out of order.
std::string cut_source_text(const std::string& block);

// "#PARALLEL;" in any letter case, in directives spanning at least one line,
// asks for a root scope that is one return written on one line:
// "return{" ... "};" once tabs, line feeds and spaces are removed.
ParallelCheck check_parallel_script(const TaggedSection& directives,
                                    const TaggedSection& operations);
