#pragma once

// The console lines and pane texts the script commands report with. Singular
// and plural wording follow the count: no ending and "the" for one, "s" and
// "each" otherwise.

#include <cstdint>
#include <string>

struct PaneText {
    std::string title;
    std::string text;
};

std::string plural_ending(std::int64_t count);
std::string count_article(std::int64_t count);

// "  \t " + milliseconds + " ms".
std::string timing_line(std::int64_t milliseconds);
std::string syntax_error_line(std::int64_t count);
std::string assembly_error_line(std::int64_t count);
std::string reassembly_error_line(std::int64_t count);

extern const char* const k_critical_assembly_line;
extern const char* const k_critical_reassembly_line;          // a single script
extern const char* const k_critical_parallel_reassembly_line; // a parallel script
extern const char* const k_skip_reassembly_line;
// Kernel faults: parse output that could not be cut into its sections, and a
// script opened while no entity workspace is set.
extern const char* const k_unreadable_parse_line;
extern const char* const k_workspace_not_set_line;

PaneText syntax_error_pane(const std::string& name, std::int64_t count);
// The element errors of a parallel script follow the text, each block
// opened by "// E:" and the element's name.
PaneText element_syntax_error_pane(const std::string& name, std::int64_t count,
                                   const std::string& element_errors);
PaneText reparse_syntax_error_pane(const std::string& name, std::int64_t count);
PaneText critical_assembly_pane(const std::string& name);
PaneText assembly_error_pane(const std::string& name, std::int64_t count);
// A single script's texts end by saying that the entity was not modified.
PaneText critical_reassembly_pane(const std::string& name, bool parallel);
PaneText reassembly_error_pane(const std::string& name, std::int64_t count, bool parallel);
PaneText workspace_not_set_pane(const std::string& name);
