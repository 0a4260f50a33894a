#include "panels/parse_report_rows.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "state/application.h"
#include "panels/list_styles.h"
#include "shell/refresh.h"

namespace {

const FillStyle* active_style(const Application& app, int slot)
{
    return app.lists.fill_styles != nullptr ? &app.lists.fill_styles[slot] : nullptr;
}

void place(lumo::P& widget, int x, int y, int width, int height)
{
    widget.x = x;
    widget.y = y;
    widget.width = width;
    widget.height = height;
}

std::unique_ptr<lumo::P> make_row(const Application& app, const ParseResultRow& model, int index)
{
    auto row = std::make_unique<lumo::P>();
    const LayoutMetrics& m = app.layout;
    row->font = model.font;
    row->set_label(model.widget_text);
    place(*row, 0, index * m.strip_height, row->label_width + 2 * m.gap, m.strip_height);
    row->padding = {m.gap, 0, m.gap, 0};
    row->align_x = lumo::kAlignStart;
    row->align_y = lumo::kAlignCentre;
    // A row with errors takes the theme's error colour, on the panel and on
    // the highlight of the chosen or hovered row; the others the text colour.
    const bool errors = model.text_colour != 0;
    row->text_colour_override =
        errors ? app.meaning_colours.error.data() : app.theme_text_colour.data();
    if (errors) row->highlight_colour_override = app.meaning_colours_on_highlight.error.data();
    row->hover_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    row->selected_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    row->row_id = index;
    row->on_click = app.parse_report.row_click;
    return row;
}

// Section k's lines without its heading, the last line of its list.
int body_line_count(const std::vector<std::string>& lines)
{
    return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
}

// The rows and the section labels are as wide as their widest text, but
// never narrower than the scroll view that shows them, so the highlight and
// the backdrop reach its edge. The views are sized by the pane's layout,
// which may run before or after the texts change: both call this.
void fit_widths(ParseReportWidgets& widgets)
{
    lumo::SP& list = widgets.row_scroll;
    int rows_width = list.width - list.bar_size;
    for (const auto& row : widgets.rows)
        rows_width = std::max(rows_width, row->label_width + 2 * row->padding.left);
    for (const auto& row : widgets.rows)
        row->width = rows_width;
    const int rows_height = static_cast<int>(widgets.rows.size()) *
                            (widgets.rows.empty() ? 0 : widgets.rows[0]->height);
    place(widgets.row_list, 0, 0, rows_width, rows_height);
    list.content_width = rows_width;
    list.content_height = rows_height;

    lumo::SP& view = widgets.report_scroll;
    const int content_width = std::max(widgets.content.content_width, view.width - view.bar_size);
    for (std::size_t k = 0; k < widgets.headings.size(); ++k) {
        widgets.headings[k].width = content_width;
        widgets.bodies[k].width = content_width;
    }
    const int content_height = widgets.content.content_height;
    place(widgets.content, 0, 0, content_width, content_height);
    place(widgets.companion, 0, 0, content_width, content_height);
    view.content_width = content_width;
    view.content_height = content_height;
}

void forget_row_pointers(Application& app)
{
    ParseReportWidgets& widgets = app.parse_report;
    for (const auto& row : widgets.rows) {
        if (lumo::g_hovered_widget == row.get()) lumo::g_hovered_widget = nullptr;
        if (lumo::g_tooltip_widget == row.get()) lumo::g_tooltip_widget = nullptr;
        if (app.hint_bar.last_tooltip == row.get()) app.hint_bar.last_tooltip = nullptr;
    }
}

} // namespace

void destroy_parse_report_rows(Application& app)
{
    forget_row_pointers(app);
    app.parse_report.row_list.children.clear();
    app.parse_report.rows.clear();
}

void show_parse_report_sections(Application& app, std::int32_t row)
{
    const std::vector<ParseResultRow>& rows = app.parse_result.rows;
    if (row < 0 || row >= static_cast<std::int32_t>(rows.size())) return;
    const ParseResultRow& model = rows[static_cast<std::size_t>(row)];
    ParseReportWidgets& widgets = app.parse_report;
    const int T = app.layout.strip_height;
    const int G = app.layout.gap;
    widgets.title.set_label(model.label);
    int y = 0;
    int widest = 0;
    for (std::size_t k = 0; k < model.sections.size(); ++k) {
        const std::vector<std::string>& lines = model.sections[k];
        lumo::T& heading = widgets.headings[k];
        lumo::T& body = widgets.bodies[k];
        // An incomplete report has no lists at all: its headings stay empty.
        heading.set_label(lines.empty() ? std::string() : lines.back());
        place(heading, 1, y, 0, T);
        const int body_lines = body_line_count(lines);
        body.set_text_lines(lines, body_lines);
        place(body, 1, y + T, 0, body_lines == 0 ? T - 1 : body.label_height + 2 * G);
        widest = std::max(widest, body.label_width + 3 * G);
        y = body.y + body.height;
    }
    widgets.headings[0].y -= 1;
    widgets.headings[0].height += 1;
    widgets.content.content_width = widest;
    widgets.content.content_height = y;
    fit_widths(widgets);
}

void rebuild_parse_report_rows(Application& app)
{
    destroy_parse_report_rows(app);
    ParseReportWidgets& widgets = app.parse_report;
    const std::vector<ParseResultRow>& rows = app.parse_result.rows;
    widgets.rows.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        widgets.rows.push_back(make_row(app, rows[r], static_cast<int>(r)));
        widgets.row_list.add_child(widgets.rows.back().get());
    }
    app.parse_pane.title.set_label(app.parse_result.title);
    widgets.row_scroll.fraction_x = 0.0;
    widgets.row_scroll.fraction_y = 0.0;
    widgets.report_scroll.fraction_x = 0.0;
    widgets.report_scroll.fraction_y = 0.0;
    const std::int32_t selected = app.parse_result.selected_row;
    if (selected >= 0 && static_cast<std::size_t>(selected) < widgets.rows.size())
        widgets.rows[static_cast<std::size_t>(selected)]->selected = true;
    show_parse_report_sections(app, selected);
    fit_widths(widgets);
    refresh_root(app);
}

void mark_parse_report_row(Application& app, std::int32_t row, bool selected)
{
    std::vector<std::unique_ptr<lumo::P>>& rows = app.parse_report.rows;
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
        rows[static_cast<std::size_t>(row)]->selected = selected;
}

void lay_out_parse_report_pane(Application& app, int width, int height)
{
    const LayoutMetrics& m = app.layout;
    const int G = m.gap;
    const int list_width = 3 * m.bar_unit;
    const int top = m.row_height + 2 * G;
    const int bottom = height - 2 * G;
    const int right_x = 2 * G + list_width;
    const int right_width = width - right_x - G;
    ParseReportWidgets& widgets = app.parse_report;
    place(widgets.row_scroll, G, top, list_width, bottom - top);
    place(widgets.title, right_x, top, right_width, m.strip_height);
    place(widgets.report_scroll, right_x, top + m.strip_height, right_width,
          bottom - top - m.strip_height);
    fit_widths(widgets);
}
