#pragma once

// The parse-check report: every open script is parsed again and shown with
// the line counts and lines of its seven sections. The entities are not
// changed; the report holds copies until the next parse-check replaces it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/parse_report.h"

struct Application;

// Kinds of rows: a script that is not parallel, a parallel script, and one
// element of the parallel script above it.
constexpr char PARSE_ROW_SCRIPT = 'M';
constexpr char PARSE_ROW_PARALLEL = 'P';
constexpr char PARSE_ROW_ELEMENT = 'E';

// Text colour of a row whose report has errors (0xFFC02000).
constexpr std::uint32_t PARSE_ROW_ERROR_COLOUR = 0xFFC02000u;

struct ParseResultRow {
    char kind = PARSE_ROW_SCRIPT;
    std::string label;       // the script's file name; empty for an incomplete report
    std::string widget_text; // an element's label indented by "\t "
    std::int32_t font = 3;
    std::uint32_t text_colour = 0; // 0: the row's default colour
    bool erroneous = false;
    // Per section: its lines, then its header ("\t Errors: [2]").
    std::array<std::vector<std::string>, kParseSectionCount> sections;
};

struct ParseResultPane {
    std::string title; // "Script Parsing Result: " + verdict
    std::int32_t erroneous_count = 0;
    std::int32_t selected_row = 0;
    std::vector<ParseResultRow> rows;
    std::uint8_t visible = 0;
};

extern ParseResultPane g_parse_result;

// Re-parses every entity's script and toggles the parse-result pane.
void parse_report_command(Application& app);

// The lines actually present in a section text (a final line feed opens no
// further line), then the header with the section's count.
std::vector<std::string> section_rows(const ParseReport& report, std::int32_t section);
ParseResultRow build_parse_row(const ParseReport& report, char kind);
