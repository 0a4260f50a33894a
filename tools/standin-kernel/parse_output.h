#pragma once

#include <array>
#include <string>
#include <vector>

// The parse output text: per script seven tagged sections and the source,
// each block ended by "<BREAK>" and a line feed.

inline constexpr std::array<const char*, 7> kSectionTags = {
    "DIRECTIVES", "PARAMETERS", "FUNCTIONS", "OPERATIONS", "ERRORS", "WARNINGS", "NOTES"};

enum Section { kDirectives, kParameters, kFunctions, kOperations, kErrors, kWarnings, kNotes };

struct ParseBlock {
    std::array<std::vector<std::string>, 7> sections;
    std::string source; // the script as staged
};

// Parses one script and applies its @error, @warn, @note and @inject pragmas.
ParseBlock build_parse_block(const std::string& script_text);

std::string format_parse_block(const ParseBlock& block);

// The whole output, malformed as the named fault asks ("" for none): few-breaks,
// no-open-tag, no-close-tag, swapped-tags, no-separator (these four take an
// optional section tag, OPERATIONS by default), crlf or garbage. Returns false
// for a fault name it does not know.
bool format_parse_output(const std::vector<ParseBlock>& blocks, const std::string& fault,
                         std::string& output);
