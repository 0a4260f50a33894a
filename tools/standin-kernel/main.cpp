// The stand-in kernel `plim`: speaks the real kernel's command lines and file
// formats so that the inspector can be tested end to end without it.

#include "command_line.h"
#include "run_log.h"
#include "runs.h"

#include <iostream>

int main(int argc, char** argv)
{
    RunRecord record;
    record.start_ms = wall_clock_ms();
    record.args.assign(argv + 1, argv + argc);

    RunRequest request;
    int exit_code = 2;
    if (!read_command_line(record.args, request)) {
        std::cout << kUsageLine << "\n";
    } else {
        switch (request.kind) {
        case RunKind::ParseOne:
        case RunKind::ParseList:
            exit_code = run_parse(request, record);
            break;
        case RunKind::CcppParse:
            exit_code = run_ccpp_parse(request, record);
            break;
        case RunKind::Assemble:
            exit_code = run_assemble(request, record);
            break;
        case RunKind::Compute:
            exit_code = run_compute(request, record);
            break;
        }
    }
    std::cout << std::flush;
    append_run_log(record);
    return exit_code;
}
