#include "app/commands/parse_check.h"

#include "app/commands/entity_assembly.h"
#include "app/commands/kernel_run_settings.h"
#include "kernel/parallel_batches.h"
#include "kernel/parse_report_builder.h"
#include "kernel/parse_runs.h"
#include "state/application.h"
#include "panels/message_panes.h"
#include "panels/parse_report_rows.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/confirm_pane.h"
#include "shell/modal_panes.h"
#include "shell/refresh.h"

namespace {

constexpr std::array<const char*, kParseSectionCount> k_section_headers{
    "\t Directives: [", "\t Parameters: [", "\t Functions: [", "\t Operations: [",
    "\t Errors: [",     "\t Warnings: [",   "\t Notes: ["};

const std::string& section_text(const ParseReport& report, std::int32_t section)
{
    switch (section) {
    case SECTION_DIRECTIVES:
        return report.directives_text;
    case SECTION_PARAMETERS:
        return report.parameters_text;
    case SECTION_FUNCTIONS:
        return report.functions_text;
    case SECTION_OPERATIONS:
        return report.operations_text;
    case SECTION_ERRORS:
        return report.errors_text;
    case SECTION_WARNINGS:
        return report.warnings_text;
    default:
        return report.notes_text;
    }
}

// One script's report, and the reports of its elements when it is parallel.
struct ScriptParse {
    ParseReport report;
    std::vector<ParseReport> elements;
};

ScriptParse reparse_entity(Application& app, const Entity& entity)
{
    const std::string& path = entity.parse_report.script_path;
    const std::int64_t started_ms = now_ms();
    console_line(app, "Re-Parsing: " + path_file_name(path));
    const KernelSettings settings = kernel_run_settings(app);
    ScriptParse parse{parse_script_file(settings, path), {}};
    if (parse.report.parallel == 1) {
        TextList messages{std::string()};
        ParallelElementList elements = build_parallel_script(parse.report, &messages);
        extract_batch_prefixes(elements);
        parse.elements = run_parse_wrapped(settings, elements);
        if (!messages[0].empty()) append_parse_error(parse.report, messages[0]);
    }
    console_line(app, timing_line(now_ms() - started_ms));
    return parse;
}

void toggle_parse_pane(Application& app)
{
    app.parse_result.visible = app.parse_result.visible == 0 ? 1 : 0;
    app.modal[MODAL_PARSE] = app.parse_result.visible;
    if (lumo::P* pane = modal_pane_widget(app, MODAL_PARSE))
        pane->visible = app.parse_result.visible != 0;
    set_modal_masks(app, is_any_modal_open(app));
    refresh_root(app);
}

} // namespace

std::vector<std::string> section_rows(const ParseReport& report, std::int32_t section)
{
    std::vector<std::string> rows = split_text(section_text(report, section), '\n');
    const std::int32_t count = report.section_line_counts[static_cast<std::size_t>(section)];
    const std::int32_t shown = count >= 0 ? count : static_cast<std::int32_t>(rows.size());
    rows.push_back(k_section_headers[static_cast<std::size_t>(section)] + std::to_string(shown) +
                   "]");
    return rows;
}

ParseResultRow build_parse_row(const ParseReport& report, char kind)
{
    ParseResultRow row;
    row.kind = kind;
    row.font = kind == PARSE_ROW_SCRIPT ? 3 : kind == PARSE_ROW_PARALLEL ? 4 : 5;
    const bool has_errors = report.section_line_counts[SECTION_ERRORS] >= 1;
    row.erroneous = report.valid == 0 || has_errors;
    if (has_errors) row.text_colour = PARSE_ROW_ERROR_COLOUR;
    if (report.valid != 0) {
        row.label = path_file_name(report.script_path);
        for (std::int32_t s = 0; s < static_cast<std::int32_t>(kParseSectionCount); ++s)
            row.sections[static_cast<std::size_t>(s)] = section_rows(report, s);
    }
    row.widget_text = kind == PARSE_ROW_ELEMENT ? "\t " + row.label : row.label;
    return row;
}

void parse_report_command(Application& app)
{
    EntityList* list = app.current_entity_list;
    if (list == nullptr || list->count < 1) {
        show_warning_pane(app, "Warning: Nothing to Parse",
                          "Open a Brisk-Form script file in order to use the parse function.");
        return;
    }
    std::vector<ScriptParse> parses;
    for (const Entity& entity : list->entities)
        parses.push_back(reparse_entity(app, entity));
    ParseResultPane result;
    result.visible = app.parse_result.visible;
    for (const ScriptParse& parse : parses) {
        const char kind = parse.elements.empty() ? PARSE_ROW_SCRIPT : PARSE_ROW_PARALLEL;
        result.rows.push_back(build_parse_row(parse.report, kind));
        for (const ParseReport& element : parse.elements)
            result.rows.push_back(build_parse_row(element, PARSE_ROW_ELEMENT));
    }
    for (const ParseResultRow& row : result.rows)
        result.erroneous_count += row.erroneous ? 1 : 0;
    result.title = std::string("Script Parsing Result: ") +
                   (result.erroneous_count >= 1 ? "Erroneous-Syntax" : "Syntax-Valid");
    app.parse_result = std::move(result);
    rebuild_parse_report_rows(app);
    toggle_parse_pane(app);
}
