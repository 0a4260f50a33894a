#include "evaluator.h"
#include "parse_output.h"
#include "runs.h"
#include "script_scan.h"
#include "staged_input.h"
#include "text.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace {

constexpr long long kMaxFloodBytes = 64LL << 20;

// The pragmas that act on the whole run rather than on one script's sections.
struct RunPragmas {
    std::string fault;
    long long delay_ms = 0;
    std::vector<Pragma> prints; // stdout, stderr and their -flood forms, in order
};

void collect_run_pragmas(const std::string& script_text, RunPragmas& run)
{
    for (const Pragma& pragma : scan_script(script_text).pragmas) {
        if (pragma.word == "parse-fault" && run.fault.empty())
            run.fault = pragma.rest;
        else if (pragma.word == "delay")
            run.delay_ms =
                std::min<long long>(run.delay_ms + std::clamp(std::atoll(pragma.rest.c_str()), 0LL,
                                                              static_cast<long long>(kMaxDelayMs)),
                                    kMaxDelayMs);
        else if (pragma.word == "stdout" || pragma.word == "stderr" ||
                 pragma.word == "stdout-flood" || pragma.word == "stderr-flood")
            run.prints.push_back(pragma);
    }
}

void flood(std::ostream& out, long long bytes)
{
    const std::string line(79, 'x');
    for (long long written = 0; written < std::min(bytes, kMaxFloodBytes); written += 80)
        out << line << '\n';
}

void print_pragmas(const std::vector<Pragma>& prints)
{
    for (const Pragma& pragma : prints) {
        std::ostream& out = pragma.word.rfind("stdout", 0) == 0 ? std::cout : std::cerr;
        if (pragma.word.size() > 6)
            flood(out, std::atoll(pragma.rest.c_str()));
        else
            out << pragma.rest << '\n';
    }
    std::cout << std::flush;
    std::cerr << std::flush;
}

std::string describe_block(size_t index, const StagedScript& script, const ParseBlock& block)
{
    std::string line =
        "  [" + std::to_string(index) + "]" + (script.name.empty() ? "" : " " + script.name) + ":";
    const char* words[] = {"directives", "parameters", "functions", "operations",
                           "errors",     "warnings",   "notes"};
    for (size_t i = 0; i < kSectionTags.size(); ++i)
        line +=
            std::string(i ? ", " : " ") + std::to_string(block.sections[i].size()) + " " + words[i];
    return line + "\n";
}

// Writes the output, malformed as the fault asks; returns the exit code.
int write_parse_output(const std::string& path, const std::vector<ParseBlock>& blocks,
                       const std::string& fault)
{
    if (fault == "no-output") {
        std::cout << "  fault no-output: no parse output written\n";
        return 0;
    }
    std::string output;
    if (!format_parse_output(blocks, fault, output)) {
        std::cout << "  unknown parse fault '" << fault << "' ignored\n";
        format_parse_output(blocks, "", output);
    } else if (!fault.empty()) {
        std::cout << "  fault " << fault << ": the parse output is malformed on purpose\n";
    }
    if (!write_file(path, output)) {
        std::cout << "plim: cannot write '" << path << "'\n";
        return 1;
    }
    std::cout << "  wrote " << output.size() << " bytes to " << path << "\n";
    return 0;
}

} // namespace

int run_parse(const RunRequest& request, RunRecord& record)
{
    std::string staged;
    if (!read_file(request.input_path, staged)) {
        std::cout << "plim: cannot read '" << request.input_path << "'\n";
        return 1;
    }
    record.bytes_read = staged.size();
    staged = normalise_line_ends(staged);

    std::string problem;
    const std::vector<StagedScript> scripts =
        request.kind == RunKind::ParseList ? split_script_list(staged, problem)
                                           : std::vector<StagedScript>{split_single_script(staged)};
    std::string account = "plim stand-in kernel: parsing " + std::to_string(scripts.size()) +
                          " script" + (scripts.size() == 1 ? "" : "s") + " from " +
                          request.input_path + "\n";
    if (!problem.empty()) account += "  note: " + problem + "\n";

    std::vector<ParseBlock> blocks;
    RunPragmas run;
    for (size_t i = 0; i < scripts.size(); ++i) {
        blocks.push_back(build_parse_block(scripts[i].text));
        collect_run_pragmas(scripts[i].text, run);
        account += describe_block(i, scripts[i], blocks.back());
    }
    const std::string forced = environment_fault("parse");
    if (!forced.empty()) run.fault = forced;

    delay_run(run.delay_ms);
    print_pragmas(run.prints);
    if (run.fault == "crash") crash_run(record, account.substr(0, account.size() / 2));
    std::cout << account;
    return write_parse_output(request.output_path, blocks, run.fault);
}
