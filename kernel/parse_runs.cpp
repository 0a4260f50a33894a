#include "kernel/parse_runs.h"

#include "kernel/kernel_arguments.h"
#include "kernel/kernel_run_output.h"
#include "kernel/parse_output.h"
#include "kernel/parse_report_builder.h"
#include "kernel/staging.h"
#include "platform/files.h"
#include "platform/kernel_config.h"
#include "platform/process.h"
#include "platform/trace.h"

#include <algorithm>

namespace {

using ParseArguments = TextList (*)(const std::string& input_path, const std::string& output_path);

// Stages the input, runs the kernel and returns the output file's text. A run
// whose files cannot be staged is skipped and reads back as a kernel that
// wrote nothing.
std::string run_parse_kernel(const std::string& staged_input, ParseArguments arguments)
{
    const std::string input_path = staging_path(k_parse_in_name);
    const std::string output_path = staging_path(k_parse_out_name);
    if (!stage_run_files(input_path, staged_input, output_path)) {
        set_kernel_trace_texts(std::string());
        return std::string();
    }
    set_kernel_trace_texts(run_process(get_kernel_path(), arguments(input_path, output_path)));
    return read_text_file(output_path);
}

} // namespace

std::vector<ParseReport> run_parse(std::int32_t count, const TextList& names, const TextList& texts,
                                   const std::string& staged_input)
{
    const std::size_t scripts = std::min(
        {static_cast<std::size_t>(std::max<std::int32_t>(0, count)), names.size(), texts.size()});
    const std::string output = run_parse_kernel(staged_input, parse_list_arguments);
    const TextList blocks = split_parse_output(output, scripts);
    std::vector<ParseReport> reports;
    reports.reserve(scripts);
    for (std::size_t i = 0; i < scripts; ++i)
        reports.push_back(build_parse_report(names[i], texts[i], blocks[i]));
    return reports;
}

std::vector<ParseReport> run_parse_wrapped(const ParallelElementList& scripts)
{
    TextList names;
    TextList texts;
    for (const ParallelElement& script : scripts) {
        names.push_back(script.name);
        texts.push_back(script.logic);
    }
    return run_parse(static_cast<std::int32_t>(scripts.size()), names, texts,
                     parse_list_text(names, texts));
}

ParseReport run_parse_logic(const std::string& path, const std::string& text)
{
    // The whole output is this script's block, "<BREAK>" or not.
    const std::string output = run_parse_kernel(parse_logic_text(text), parse_one_arguments);
    return build_parse_report(path, text, output);
}

ParseReport parse_script_file(const std::string& path)
{
    const std::string text = read_text_file(path);
    if (!text.empty()) return run_parse_logic(path, text);
    trace_line("SCRIPT-READ-EMPTY!");
    ParseReport report = construct_parse_report();
    append_parse_error(report, "SCRIPT-READ-IS-NULL;\n");
    return report;
}

void append_parse_error(ParseReport& report, std::string line)
{
    std::int32_t& count = report.section_line_counts[SECTION_ERRORS];
    if (count >= 1)
        report.errors_text += "\n" + line;
    else
        report.errors_text = std::move(line);
    count = count < 1 ? 1 : count + 1;
}

std::string parse_statement_text(const ParseReport& report)
{
    return report.directives_text + "\n" + report.parameters_text + "\n" + report.functions_text +
           "\n" + report.operations_text;
}
