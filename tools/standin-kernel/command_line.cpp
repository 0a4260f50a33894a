#include "command_line.h"

const char* const kUsageLine =
    "usage: plim -interop -parse IN OUT [*|-ccpp] | -interop -assemble[-ppd] IN OUT [-ccpp CCPP]"
    " | -interop -compute[-ppd] IN OUT MODE";

bool read_command_line(const std::vector<std::string>& args, RunRequest& request)
{
    if (args.size() < 4 || args[0] != "-interop") return false;
    const std::string& verb = args[1];
    request.input_path = args[2];
    request.output_path = args[3];
    if (verb == "-parse") {
        if (args.size() == 4)
            request.kind = RunKind::ParseOne;
        else if (args.size() == 5 && args[4] == "*")
            request.kind = RunKind::ParseList;
        else if (args.size() == 5 && args[4] == "-ccpp")
            request.kind = RunKind::CcppParse;
        else
            return false;
        return true;
    }
    if (verb == "-assemble" || verb == "-assemble-ppd") {
        request.kind = RunKind::Assemble;
        request.profiling = verb == "-assemble-ppd";
        if (args.size() == 6 && args[4] == "-ccpp") {
            request.ccpp_path = args[5];
            return true;
        }
        return args.size() == 4;
    }
    if (verb == "-compute" || verb == "-compute-ppd") {
        request.kind = RunKind::Compute;
        request.profiling = verb == "-compute-ppd";
        if (args.size() != 5 || args[4].size() != 1 || args[4][0] < '0' || args[4][0] > '2')
            return false;
        request.execute_mode = args[4][0] - '0';
        return true;
    }
    return false;
}
