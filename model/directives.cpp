#include "model/directives.h"

#include <cstdio>
#include <initializer_list>

#include "platform/text.h"
#include "platform/trace.h"

namespace {

DirectiveLines scan_directives(const std::string& text, std::initializer_list<const char*> keywords)
{
    DirectiveLines taken;
    for (const std::string& line : split_text_skip_empty(text, '\n')) {
        const std::string upper = to_upper_text(line);
        for (const char* keyword : keywords) {
            if (upper.starts_with(keyword)) {
                taken.push_back(line);
                break;
            }
        }
    }
    return taken;
}

std::string without_blanks(const std::string& text)
{
    std::string kept;
    for (const char byte : text) {
        if (!is_blank_char(byte)) kept += byte;
    }
    return kept;
}

bool is_item_separator(char byte)
{
    return byte == ';' || byte == ',' || byte == ':' || byte == '=';
}

} // namespace

DirectiveLines scan_camera_directives(const std::string& text)
{
    return scan_directives(text, {"#CAM", "#VIEW"});
}

DirectiveLines scan_variant_directives(const std::string& text)
{
    return scan_directives(text, {"#VARIANT", "#PSET", "#PARAM"});
}

DirectiveLines scan_anim_directives(const std::string& text)
{
    return scan_directives(text, {"#ANIM"});
}

std::string extract_paren_args(const std::string& line)
{
    // The name ends at the first ")" or "," after the "(": one standing before
    // it would give a negative length.
    const std::size_t open = line.find('(');
    if (open == std::string::npos) return "?";
    const std::size_t close = line.find_first_of("),", open + 1);
    if (close == std::string::npos) return "?";
    const std::string name = without_blanks(line.substr(open + 1, close - open - 1));
    return name.empty() ? "?" : name;
}

std::string extract_camera_directive_args(const std::string& line)
{
    return extract_paren_args(line);
}

std::string extract_variant_directive_args(const std::string& line)
{
    return extract_paren_args(line);
}

bool extract_brace_body(const std::string& line, double* numbers)
{
    if (numbers == nullptr) return false;
    const std::size_t open = line.find('{');
    const std::size_t close = line.rfind('}');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    const std::string body = without_blanks(line.substr(open, close - open + 1));
    const int read = std::sscanf(body.c_str(), "{%lf,%lf,%lf,%lf,%lf,%lf}", &numbers[0],
                                 &numbers[1], &numbers[2], &numbers[3], &numbers[4], &numbers[5]);
    return read == 6;
}

std::vector<std::string> extract_variant_brace_body(const std::string& line)
{
    const std::size_t open = line.find('{');
    const std::size_t close = line.rfind('}');
    if (open == std::string::npos || close == std::string::npos || close <= open) return {};
    std::string items;
    for (std::size_t at = open + 1; at < close; ++at) {
        const char byte = line[at];
        if (is_item_separator(byte))
            items += '|';
        else if (!is_blank_char(byte))
            items += byte;
    }
    const TextList fields = split_text_skip_empty(items, '|');
    if (fields.size() % 2 != 0) {
        trace_line("PARITY-ISSUE-IN-PARAMETRIC-VARIANT! [" + std::to_string(fields.size()) + "];");
        return {};
    }
    return fields;
}
