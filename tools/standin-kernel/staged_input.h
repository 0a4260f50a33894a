#pragma once

#include <string>
#include <vector>

// Cutting the inspector's staged input texts back into scripts and blocks.

extern const char* const kExecuteModeNames[3];

struct StagedScript {
    std::string name; // from the "// E:" line of a list; empty for a single script
    std::string text;
};

// CRLF and lone CR line ends become LF.
std::string normalise_line_ends(const std::string& text);

// A single script: the text after its leading "// logic" line, if any.
StagedScript split_single_script(const std::string& staged);

// "N;" then per script "{", "// E:" + name, the text and "};". Problems
// (a missing count line, a count that does not match) are described in
// `problem`; the scripts found are returned anyway.
std::vector<StagedScript> split_script_list(const std::string& staged, std::string& problem);

struct StagedBlock {
    bool empty = false; // the block "{ };"
    int execute_mode = 2;
    std::string logic;
};

// "N;" then blocks of "{", "// directives", "#execute_mode:" + name + ";",
// "// logic", the logic and "};", or empty blocks "{ };". A text without the
// count line is taken as one plain script in execute mode 2.
std::vector<StagedBlock> split_assembly_input(const std::string& staged, std::string& problem);
