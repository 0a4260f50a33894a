#pragma once

// The parse-check pane: one row widget per row of the last parse-check, and
// the shown row's title and seven sections stacked in the report view. Rows
// are destroyed and rebuilt with every parse-check; the fourteen section
// labels are built once and refilled.

#include <cstdint>

struct Application;

// Destroys the old rows, builds one per row of `app.parse_result` and shows
// the selected row's sections from the top.
void rebuild_parse_report_rows(Application& app);
// Clears every toolkit and hint pointer into the rows, then destroys them.
void destroy_parse_report_rows(Application& app);
// Title, headings and bodies of row `row`, laid out top to bottom, and the
// report view's content sized to them; a row outside the list changes nothing.
void show_parse_report_sections(Application& app, std::int32_t row);
// The selected flag of row widget `row`, when it exists.
void mark_parse_report_row(Application& app, std::int32_t row, bool selected);
// PARSEPANE's layout: the row list on the left, the shown row's title and
// the report view on the right, below the pane's own title.
void lay_out_parse_report_pane(Application& app, int width, int height);
