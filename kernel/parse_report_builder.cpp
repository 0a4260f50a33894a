#include "kernel/parse_report_builder.h"

#include "kernel/parse_output.h"
#include "model/enum_names.h"

#include <algorithm>

namespace {

std::string* section_text(ParseReport& report, std::size_t index)
{
    std::string* texts[kParseSectionCount] = {&report.directives_text, &report.parameters_text,
                                              &report.functions_text,  &report.operations_text,
                                              &report.errors_text,     &report.warnings_text,
                                              &report.notes_text};
    return texts[index];
}

// An ERRORS section that could not be cut counts from 0, so the appended
// error is never lost in a count of -1 + 1.
void add_parallel_error(ParseReport& report, const std::string& line)
{
    report.errors_text += line;
    std::int32_t& count = report.section_line_counts[SECTION_ERRORS];
    count = std::max(count, 0) + 1;
}

void apply_parallel_check(ParseReport& report, const TaggedSection& directives,
                          const TaggedSection& operations)
{
    switch (check_parallel_script(directives, operations)) {
    case ParallelCheck::NOT_PARALLEL:
        break;
    case ParallelCheck::PARALLEL:
        report.parallel = 1;
        break;
    case ParallelCheck::SUPERFLUOUS_STATEMENTS:
        add_parallel_error(report,
                           "SUPERFLUOUS STATEMENTS AT ROOT-OPERATIVE-SCOPE IN PARALLEL-ASSEMBLY -> "
                           "EXPECTED SINGLE PARALLEL-RETURN STATEMENT;\n");
        break;
    case ParallelCheck::INVALID_RETURN:
        add_parallel_error(report, "INVALID-PARALLEL-RETURN-ERROR;\n");
        break;
    }
}

} // namespace

ParseReport build_parse_report(const std::string& script_path, const std::string& script_text,
                               const std::string& parse_block)
{
    ParseReport report = construct_parse_report();
    report.script_path = script_path;
    report.script_text = script_text;
    report.parse_block = parse_block;
    TaggedSection sections[kParseSectionCount];
    for (std::size_t i = 0; i < kParseSectionCount; ++i) {
        sections[i] = cut_tagged_section(parse_block, g_parse_section_tags[i]);
        *section_text(report, i) = sections[i].content;
        report.section_line_counts[i] = sections[i].line_count;
    }
    report.source_text = cut_source_text(parse_block);
    apply_parallel_check(report, sections[SECTION_DIRECTIVES], sections[SECTION_OPERATIONS]);
    report.parameter_set = construct_parameter_set(report.parameters_text);
    report.valid = 1;
    return report;
}

ParallelElementList build_parallel_assembly_script(const ParseReport& report, TextList* messages)
{
    if (report.parallel != 1) return {};
    return build_parallel_elements(report.directives_text, report.functions_text,
                                   report.operations_text, messages);
}

ParallelElementList build_parallel_script(const ParseReport& report, TextList* messages)
{
    return build_parallel_assembly_script(report, messages);
}

ParallelElementList build_parallel_script_default(const ParseReport& report)
{
    return build_parallel_assembly_script(report, nullptr);
}

std::string get_parallel_global_prefix(const ParseReport& report)
{
    if (report.parallel != 1) return {};
    return parallel_global_prefix(report.directives_text, report.functions_text);
}
