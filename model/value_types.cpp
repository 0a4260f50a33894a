#include "model/value_types.h"

#include "platform/text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool is_bounded(const ParameterValue& minimum, const ParameterValue& maximum)
{
    return minimum.type != ValueType::UNDEFINED && maximum.type != ValueType::UNDEFINED;
}

// Reads a signed 32-bit decimal the way "%d" does, but refuses values that do
// not fit instead of wrapping.
bool read_int32(const std::string& text, std::int32_t& out)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

// Reads a double the way "%lf" does; NaN and infinities do not count as read.
bool read_finite_double(const std::string& text, double& out)
{
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value)) return false;
    out = value;
    return true;
}

void read_quoted(ValueType type, const std::string& text, ParameterValue& value)
{
    if (type == ValueType::CHR) {
        if (text.size() == 3 || text.size() == 4) {
            value.chr_value = text[text.size() - 2];
            value.type = ValueType::CHR;
        }
        return;
    }
    if (text.size() >= 2) {
        value.str_value = text.substr(1, text.size() - 2);
        value.type = ValueType::STR;
    }
}

} // namespace

std::string format_parameter_value(const ParameterValue& value)
{
    switch (value.type) {
    case ValueType::UNDEFINED:
        return "null";
    case ValueType::INT:
        return int_to_text(value.int_value);
    case ValueType::DBL:
        return double_to_text(value.dbl_value);
    case ValueType::LNG:
        return unsigned_to_text(value.lng_value);
    case ValueType::BLN:
        return value.bln_value ? "true" : "false";
    case ValueType::CHR:
        return char_to_text(value.chr_value);
    case ValueType::STR:
        return value.str_value;
    default:
        return "???";
    }
}

std::string format_value_assignment(const std::string& type_name, const std::string& name,
                                    ValueType type, const ParameterValue& value)
{
    std::string right;
    switch (type) {
    case ValueType::INT:
        right = int_to_text(value.int_value);
        break;
    case ValueType::DBL:
        right = double_to_text(value.dbl_value);
        break;
    case ValueType::LNG:
        right = int_to_text(value.lng_value);
        break;
    case ValueType::BLN:
        right = value.bln_value ? "true" : "false";
        break;
    case ValueType::CHR:
        right = "'" + char_to_text(value.chr_value) + "'";
        break;
    case ValueType::STR:
        right = "\"" + value.str_value + "\"";
        break;
    default:
        return std::string();
    }
    return type_name + " " + name + " = " + right + ";";
}

bool values_differ(ValueType type, const ParameterValue& a, const ParameterValue& b)
{
    switch (type) {
    case ValueType::INT:
        return a.int_value != b.int_value;
    case ValueType::DBL:
        return a.dbl_value != b.dbl_value;
    case ValueType::LNG:
        return a.lng_value != b.lng_value;
    case ValueType::BLN:
        return a.bln_value != b.bln_value;
    case ValueType::CHR:
        return a.chr_value != b.chr_value;
    case ValueType::STR:
        return a.str_value != b.str_value;
    default:
        return false;
    }
}

bool value_in_range(ValueType type, const ParameterValue& value, const ParameterValue& minimum,
                    const ParameterValue& maximum)
{
    if (!is_bounded(minimum, maximum)) return true;
    switch (type) {
    case ValueType::INT:
        return minimum.int_value <= value.int_value && value.int_value <= maximum.int_value;
    case ValueType::LNG:
        return minimum.lng_value <= value.lng_value && value.lng_value <= maximum.lng_value;
    case ValueType::DBL:
        return value.dbl_value >= minimum.dbl_value && maximum.dbl_value >= value.dbl_value;
    default:
        return true;
    }
}

double value_fraction(ValueType type, const ParameterValue& value, const ParameterValue& minimum,
                      const ParameterValue& maximum)
{
    if (!is_bounded(minimum, maximum)) return -1.0;
    // Differences in 64 bits: 32-bit bounds far apart would overflow.
    switch (type) {
    case ValueType::INT:
        return static_cast<double>(std::int64_t{value.int_value} - minimum.int_value) /
               static_cast<double>(std::int64_t{maximum.int_value} - minimum.int_value);
    case ValueType::LNG:
        return static_cast<double>(std::int64_t{value.lng_value} - minimum.lng_value) /
               static_cast<double>(std::int64_t{maximum.lng_value} - minimum.lng_value);
    case ValueType::DBL:
        return (value.dbl_value - minimum.dbl_value) / (maximum.dbl_value - minimum.dbl_value);
    default:
        return -1.0;
    }
}

ParameterValue parse_typed_value(std::uint32_t type_code, const std::string& text)
{
    ParameterValue value;
    const auto type = static_cast<ValueType>(type_code);
    switch (type) {
    case ValueType::INT:
        if (read_int32(text, value.int_value)) value.type = type;
        break;
    case ValueType::LNG:
        if (read_int32(text, value.lng_value)) value.type = type;
        break;
    case ValueType::DBL:
        if (read_finite_double(text, value.dbl_value)) value.type = type;
        break;
    case ValueType::BLN:
        if (!text.empty()) {
            value.bln_value = text[0] == 'T' || text[0] == 't';
            value.type = type;
        }
        break;
    case ValueType::CHR:
    case ValueType::STR:
        read_quoted(type, text, value);
        break;
    default:
        break;
    }
    return value;
}

std::int32_t classify_statement(const std::string& text)
{
    const std::size_t equals = text.find('=');
    const std::size_t paren = text.find('(');
    const std::size_t brace = text.find('{');
    // npos is larger than any found position, so "absent" sorts last.
    if (equals != std::string::npos && equals < paren && equals < brace) return 0;
    if (paren != std::string::npos && paren < equals && paren < brace) return 1;
    if (brace != std::string::npos && brace < paren && equals == std::string::npos) return 3;
    return 4;
}

std::string strip_enclosing_quotes(const std::string& text)
{
    if (text.empty()) return text;
    const auto is_quote = [](char c) { return c == '\'' || c == '"'; };
    if (!is_quote(text.front()) || !is_quote(text.back())) return text;
    if (text.size() == 1) return std::string();
    return text.substr(1, text.size() - 2);
}

std::int32_t find_first_char(const std::string& text, char wanted)
{
    const std::size_t at = text.find(wanted);
    return at == std::string::npos ? -1 : static_cast<std::int32_t>(at);
}

std::int32_t find_last_char(const std::string& text, char wanted)
{
    const std::size_t at = text.rfind(wanted);
    return at == std::string::npos ? -1 : static_cast<std::int32_t>(at);
}
