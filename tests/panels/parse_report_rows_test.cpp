#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lumo/widget.h"
#include "panels/parse_report_rows.h"
#include "panel_fixture.h"

namespace {

class ParseReportRowsTest : public PanelTest {
protected:
    // A row whose section k holds `bodies[k]` lines, then its heading.
    ParseResultRow row(const std::string& label, const std::array<int, 7>& bodies)
    {
        ParseResultRow result;
        result.label = label;
        result.widget_text = label;
        for (std::size_t k = 0; k < bodies.size(); ++k) {
            for (int line = 0; line < bodies[k]; ++line)
                result.sections[k].push_back("line " + std::to_string(line));
            result.sections[k].push_back("\t heading " + std::to_string(k));
        }
        return result;
    }
    void lay_out()
    {
        lay_out_parse_report_pane(app, app.layout.dialog_width, app.layout.dialog_height);
    }
};

TEST_F(ParseReportRowsTest, SectionsStackWithEmptyBodiesOneStripHigh)
{
    app.parse_result.rows = {row("a.plim", {2, 0, 1, 0, 0, 0, 3})};
    lay_out();
    rebuild_parse_report_rows(app);
    const ParseReportWidgets& w = app.parse_report;
    const int T = app.layout.strip_height;
    const int G = app.layout.gap;
    const std::array<bool, 7> has_lines{true, false, true, false, false, false, true};
    int y = 0;
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(w.headings[k].y, k == 0 ? -1 : y) << k;
        EXPECT_EQ(w.headings[k].label, "\t heading " + std::to_string(k));
        EXPECT_EQ(w.bodies[k].y, y + T) << k;
        const int text_height = w.bodies[k].label_height + 2 * G;
        EXPECT_EQ(w.bodies[k].height, has_lines[k] ? text_height : T - 1) << k;
        y = w.bodies[k].y + w.bodies[k].height;
    }
    EXPECT_EQ(w.headings[0].height, T + 1);
    EXPECT_EQ(w.content.height, y);
    EXPECT_EQ(w.companion.height, y);
    EXPECT_EQ(w.report_scroll.content_height, y);
    EXPECT_EQ(w.bodies[6].label, "line 0\nline 1\nline 2");
    // Short bodies: the labels fill the view less its scroll bar.
    const int view_inner = w.report_scroll.width - w.report_scroll.bar_size;
    EXPECT_GT(view_inner, 0);
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(w.headings[k].width, view_inner);
        EXPECT_EQ(w.bodies[k].width, view_inner);
    }
    destroy_parse_report_rows(app);
}

TEST_F(ParseReportRowsTest, RowsTakeKindFontsErrorColourAndTheWidestWidth)
{
    ParseResultRow wide = row(std::string(60, 'w'), {0, 0, 0, 0, 0, 0, 0});
    wide.sections[0].insert(wide.sections[0].begin(), std::string(100, 'x'));
    ParseResultRow failed = row("bad.plim", {0, 0, 0, 0, 1, 0, 0});
    failed.font = 5;
    failed.text_colour = PARSE_ROW_ERROR_COLOUR;
    app.parse_result.rows = {wide, failed};
    app.parse_result.title = "Script Parsing Result: Erroneous-Syntax";
    lay_out();
    rebuild_parse_report_rows(app);
    const ParseReportWidgets& w = app.parse_report;
    ASSERT_EQ(w.rows.size(), 2u);
    EXPECT_EQ(app.parse_pane.title.label, "Script Parsing Result: Erroneous-Syntax");
    EXPECT_TRUE(w.rows[0]->selected);
    EXPECT_EQ(w.rows[1]->y, app.layout.strip_height);
    EXPECT_EQ(w.rows[1]->font, 5);
    // The error colour follows the theme, on the panel and on the highlight.
    EXPECT_EQ(w.rows[1]->text_colour_override, app.meaning_colours.error.data());
    EXPECT_EQ(w.rows[1]->highlight_colour_override, app.meaning_colours_on_highlight.error.data());
    EXPECT_EQ(w.rows[0]->highlight_colour_override, nullptr);
    EXPECT_EQ(w.rows[1]->row_id, 1);
    // Rows share the widest label's width; a wide body widens the page.
    const int wide_row = w.rows[0]->label_width + 2 * app.layout.gap;
    EXPECT_GT(wide_row, w.rows[1]->label_width + 2 * app.layout.gap);
    EXPECT_EQ(w.rows[0]->width, wide_row);
    EXPECT_EQ(w.rows[1]->width, wide_row);
    EXPECT_EQ(w.report_scroll.content_width, w.bodies[0].label_width + 3 * app.layout.gap);
    EXPECT_GT(w.report_scroll.content_width, w.report_scroll.width);
    destroy_parse_report_rows(app);
}

TEST_F(ParseReportRowsTest, IncompleteReportShowsEmptySectionsAndRebuildForgetsHoveredRow)
{
    ParseResultRow incomplete;
    incomplete.erroneous = true;
    app.parse_result.rows = {incomplete};
    rebuild_parse_report_rows(app);
    for (const lumo::T& heading : app.parse_report.headings)
        EXPECT_EQ(heading.label, "");
    EXPECT_EQ(app.parse_report.title.label, "");
    lumo::g_hovered_widget = app.parse_report.rows[0].get();
    app.hint_bar.last_tooltip = app.parse_report.rows[0].get();
    rebuild_parse_report_rows(app);
    EXPECT_EQ(lumo::g_hovered_widget, nullptr);
    EXPECT_EQ(app.hint_bar.last_tooltip, nullptr);
    EXPECT_EQ(app.parse_report.row_list.children.size(), 1u);
    destroy_parse_report_rows(app);
}

} // namespace
