#include "model/parse_report.h"

ParseReport construct_parse_report()
{
    return ParseReport{};
}

std::string get_parse_directives_text(const ParseReport& report)
{
    return report.directives_text;
}
std::string get_parse_parameters_text(const ParseReport& report)
{
    return report.parameters_text;
}
std::string get_parse_functions_text(const ParseReport& report)
{
    return report.functions_text;
}
std::string get_parse_operations_text(const ParseReport& report)
{
    return report.operations_text;
}
std::string get_parse_errors_text(const ParseReport& report)
{
    return report.errors_text;
}
std::string get_parse_warnings_text(const ParseReport& report)
{
    return report.warnings_text;
}
std::string get_parse_notes_text(const ParseReport& report)
{
    return report.notes_text;
}
