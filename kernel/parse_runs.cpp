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

const char* const k_unreadable_parse_error = "KERNEL-PARSE-OUTPUT-UNREADABLE;\n";

struct ParseOutput {
    bool staged = false;
    std::string text;
};

// Resets the trace texts, stages the input, runs the kernel and returns the
// output file's text with CRLF line ends made plain. A run whose files cannot
// be staged is skipped; its cause is already noted.
ParseOutput run_parse_kernel(const KernelSettings& settings, const std::string& staged_input,
                             ParseArguments arguments)
{
    set_kernel_trace_texts(std::string());
    const std::string input_path = staging_path(settings, k_parse_in_name);
    const std::string output_path = staging_path(settings, k_parse_out_name);
    if (!stage_run_files(settings, input_path, staged_input, output_path)) return {};
    g_kernel_output_texts[0] =
        run_process(settings.kernel_path, arguments(input_path, output_path));
    return {true, drop_carriage_returns(read_text_file(output_path))};
}

void note_unreadable_output(const KernelSettings& settings, const ParseOutput& output)
{
    if (!output.staged) return;
    const std::string cause =
        "ERROR-READING-PARSE-OUTPUT: " + staging_path(settings, k_parse_out_name);
    trace_line(cause);
    note_kernel_run_failure(cause);
}

// The report of a script whose parse output could not be cut into sections:
// one error, so that no command assembles what the kernel did not report.
ParseReport unreadable_parse_report(const std::string& path, const std::string& text)
{
    ParseReport report = construct_parse_report();
    report.script_path = path;
    report.script_text = text;
    report.output_unreadable = 1;
    append_parse_error(report, k_unreadable_parse_error);
    return report;
}

bool every_block_sectioned(const TextList& blocks)
{
    return std::all_of(blocks.begin(), blocks.end(), parse_block_is_sectioned);
}

} // namespace

std::vector<ParseReport> run_parse(const KernelSettings& settings, std::int32_t count,
                                   const TextList& names, const TextList& texts,
                                   const std::string& staged_input)
{
    const std::size_t scripts = std::min(
        {static_cast<std::size_t>(std::max<std::int32_t>(0, count)), names.size(), texts.size()});
    const ParseOutput output = run_parse_kernel(settings, staged_input, parse_list_arguments);
    const TextList blocks = split_parse_output(output.text, scripts);
    // One block that cannot be cut makes the whole output suspect: blocks
    // may have shifted, so no script takes another script's report.
    const bool readable = every_block_sectioned(blocks);
    if (!readable && scripts > 0) note_unreadable_output(settings, output);
    std::vector<ParseReport> reports;
    reports.reserve(scripts);
    for (std::size_t i = 0; i < scripts; ++i)
        reports.push_back(readable ? build_parse_report(names[i], texts[i], blocks[i])
                                   : unreadable_parse_report(names[i], texts[i]));
    return reports;
}

std::vector<ParseReport> run_parse_wrapped(const KernelSettings& settings,
                                           const ParallelElementList& scripts)
{
    TextList names;
    TextList texts;
    for (const ParallelElement& script : scripts) {
        names.push_back(script.name);
        texts.push_back(script.logic);
    }
    return run_parse(settings, static_cast<std::int32_t>(scripts.size()), names, texts,
                     parse_list_text(names, texts));
}

ParseReport run_parse_logic(const KernelSettings& settings, const std::string& path,
                            const std::string& text)
{
    // The whole output is this script's block, "<BREAK>" or not.
    const ParseOutput output =
        run_parse_kernel(settings, parse_logic_text(text), parse_one_arguments);
    if (parse_block_is_sectioned(output.text)) return build_parse_report(path, text, output.text);
    note_unreadable_output(settings, output);
    return unreadable_parse_report(path, text);
}

ParseReport parse_script_file(const KernelSettings& settings, const std::string& path)
{
    const std::string text = read_text_file(path);
    if (!text.empty()) return run_parse_logic(settings, path, text);
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
