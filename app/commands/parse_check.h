#pragma once

// The parse-check report: every open script is parsed again and shown with
// the line counts and lines of its seven sections. The entities are not
// changed; the report holds copies until the next parse-check replaces it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/parse_report.h"

#include "state/pane_state.h"

struct Application;

// Re-parses every entity's script and toggles the parse-result pane.
void parse_report_command(Application& app);

// The lines actually present in a section text (a final line feed opens no
// further line), then the header with the section's count.
std::vector<std::string> section_rows(const ParseReport& report, std::int32_t section);
ParseResultRow build_parse_row(const ParseReport& report, char kind);
