#pragma once

// One script's share of the kernel's parse output, cut into its seven
// sections. Entities hold it by value; building it from kernel output lives
// with the kernel formats.

#include <array>
#include <cstdint>
#include <string>

#include "model/enum_names.h"
#include "model/parameters.h"

// Section indices, in the order of g_parse_section_tags.
enum ParseSection : std::int32_t {
    SECTION_DIRECTIVES = 0,
    SECTION_PARAMETERS = 1,
    SECTION_FUNCTIONS = 2,
    SECTION_OPERATIONS = 3,
    SECTION_ERRORS = 4,
    SECTION_WARNINGS = 5,
    SECTION_NOTES = 6,
};

struct ParseReport {
    std::uint8_t valid = 0;     // 1 once built from a kernel block
    std::uint32_t parallel = 0; // assembled element by element
    std::string script_path;    // identifies the entity's script
    std::string script_text;    // the text staged for the kernel
    ParameterSet parameter_set;
    std::string parse_block;
    std::string directives_text;
    std::string parameters_text;
    std::string functions_text;
    std::string operations_text;
    std::string errors_text; // kernel errors plus any appended error lines
    std::string warnings_text;
    std::string notes_text;
    // Line feeds per section in section order; -1 until read. The errors count
    // is the number of errors reported for the script.
    std::array<std::int32_t, kParseSectionCount> section_line_counts{-1, -1, -1, -1, -1, -1, -1};
    std::string source_text;

    // Kernel faults: 1 when the kernel's parse output could not be cut into
    // its sections; such a report carries one error and nothing of the kernel.
    std::uint8_t output_unreadable = 0;
};

// Copies are memberwise (the default copy operations); so is destruction.
ParseReport construct_parse_report();

std::string get_parse_directives_text(const ParseReport& report);
std::string get_parse_parameters_text(const ParseReport& report);
std::string get_parse_functions_text(const ParseReport& report);
std::string get_parse_operations_text(const ParseReport& report);
std::string get_parse_errors_text(const ParseReport& report);
std::string get_parse_warnings_text(const ParseReport& report);
std::string get_parse_notes_text(const ParseReport& report);
