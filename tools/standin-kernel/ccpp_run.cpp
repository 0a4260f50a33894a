#include "runs.h"
#include "script_outline.h"
#include "staged_input.h"
#include "text.h"

#include <algorithm>
#include <iostream>

namespace {

// The ccpp faults: no-output, garbage or crash.
int finish_ccpp(const RunRequest& request, RunRecord& record, const std::string& marker,
                const std::string& account)
{
    const std::string fault = environment_fault("ccpp");
    if (fault == "crash") crash_run(record, account.substr(0, account.size() / 2));
    std::cout << account;
    if (fault == "no-output") {
        std::cout << "  fault no-output: nothing written\n";
        return 0;
    }
    const std::string output = fault == "garbage" ? std::string("\xff\xfe\0ccpp?\x01", 9) : marker;
    if (!fault.empty() && fault != "garbage")
        std::cout << "  unknown ccpp fault '" << fault << "' ignored\n";
    if (!write_file(request.output_path, output)) {
        std::cout << "plim: cannot write '" << request.output_path << "'\n";
        return 1;
    }
    std::cout << "  wrote " << output.size() << " bytes to " << request.output_path << "\n";
    return 0;
}

bool read_prefix(const RunRequest& request, RunRecord& record, std::string& text)
{
    if (!read_file(request.input_path, text)) {
        std::cout << "plim: cannot read '" << request.input_path << "'\n";
        return false;
    }
    record.bytes_read = text.size();
    text = normalise_line_ends(text);
    return true;
}

} // namespace

int run_ccpp_parse(const RunRequest& request, RunRecord& record)
{
    std::string text;
    if (!read_prefix(request, record, text)) return 1;
    const ScriptOutline outline = outline_script(text);
    // A prefix holds no return of its own, so that error is no error here.
    const size_t errors =
        std::count_if(outline.errors.begin(), outline.errors.end(), [](const std::string& error) {
            return error.find("no top-level return") == std::string::npos;
        });
    const std::string marker = "PLIM-STANDIN-CCPP parsed\nstatements " +
                               std::to_string(outline.statements.size()) + "\nerrors " +
                               std::to_string(errors) + "\n";
    return finish_ccpp(request, record, marker,
                       "plim stand-in kernel: parsed the parallel prefix (" +
                           std::to_string(outline.statements.size()) + " statements)\n");
}

int run_compute(const RunRequest& request, RunRecord& record)
{
    std::string text;
    if (!read_prefix(request, record, text)) return 1;
    std::string parsed;
    const bool was_parsed =
        read_file(request.output_path, parsed) && parsed.rfind("PLIM-STANDIN-CCPP parsed", 0) == 0;
    const std::string marker = "PLIM-STANDIN-CCPP computed\nmode " +
                               std::string(kExecuteModeNames[request.execute_mode]) +
                               "\nprofiling " + (request.profiling ? "on" : "off") + "\nbytes " +
                               std::to_string(text.size()) + "\n";
    std::string account = "plim stand-in kernel: computed the parallel prefix in mode " +
                          std::string(kExecuteModeNames[request.execute_mode]) + "\n";
    if (!was_parsed) account += "  note: the prefix had not been parsed first\n";
    return finish_ccpp(request, record, marker, account);
}
