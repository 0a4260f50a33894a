#include "model/parameter_definition.h"

#include "model/enum_names.h"
#include "platform/text.h"
#include "platform/trace.h"

std::atomic<std::uint32_t> g_next_parameter_id{0};

namespace {

constexpr std::int32_t FORM_ASSIGNMENT = 0;
constexpr std::int32_t FORM_CALL = 1;

bool is_parameter_type(ValueType type)
{
    return type <= ValueType::STR;
}

// BLN, CHR and STR carry a label but never bounds.
bool has_bounds(ValueType type)
{
    return type == ValueType::INT || type == ValueType::DBL || type == ValueType::LNG;
}

ParameterValue parse_value(ValueType type, const std::string& text)
{
    return parse_typed_value(static_cast<std::uint32_t>(type), text);
}

bool is_sound(const ScriptParameter& parameter)
{
    return parameter.value_type != ValueType::UNDEFINED && !parameter.name.empty() &&
           parameter.initial.type != ValueType::UNDEFINED &&
           parameter.current.type != ValueType::UNDEFINED;
}

// The field at `index` of the non-empty fields of `text` cut at `delimiter`.
bool take_field(const std::string& text, char delimiter, std::size_t index, std::string& field)
{
    const TextList fields = split_text_skip_empty(text, delimiter);
    if (index >= fields.size()) return false;
    field = fields[index];
    return true;
}

// Assignment form: the text after the first "=", up to a second "=".
ParameterValue read_assigned_value(ValueType type, const std::string& line)
{
    std::string value;
    if (!take_field(line, '=', 1, value)) return ParameterValue{};
    return parse_value(type, trim_text(value));
}

// Call form: the first field after the first "(", ending at the first ")".
ParameterValue read_call_value(ValueType type, const std::string& line)
{
    std::string arguments, inside, first;
    if (!take_field(line, '(', 1, arguments) || !take_field(arguments, ')', 0, inside) ||
        !take_field(inside, ',', 0, first))
        return ParameterValue{};
    return parse_value(type, trim_text(first));
}

} // namespace

ScriptParameter construct_script_parameter(const std::string& definition)
{
    ScriptParameter parameter;
    parse_parameter_definition(parameter, definition);
    return parameter;
}

void parse_parameter_definition(ScriptParameter& parameter, const std::string& line)
{
    parameter.definition = line;
    parameter.value_type = parse_definition_type(line);
    parameter.name = extract_parameter_name(line);
    parameter.current = extract_parameter_value(parameter.value_type, line);
    parameter.initial = parameter.current;
    parameter.minimum = extract_parameter_minimum(parameter.value_type, line);
    parameter.maximum = extract_parameter_maximum(parameter.value_type, line);
    parameter.label = extract_parameter_field_by_type(parameter.value_type, line);
    parameter.synced = parameter.current;
    if (parameter.label.empty()) parameter.label = parameter.name;
    if (!is_sound(parameter)) {
        trace_line("!!! INVALID-PARAMETER-DEFINITION : '" + parameter.definition + "'");
        return;
    }
    parameter.valid = 1;
    cache_parameter_value_text(parameter);
    cache_parameter_type_name(parameter);
}

ValueType parse_definition_type(const std::string& line)
{
    return value_type_from_name(trim_text(to_upper_text(line.substr(0, 3))));
}

std::string extract_parameter_name(const std::string& line)
{
    const std::size_t end = line.find_first_of("(=");
    const std::string head = trim_text(line.substr(0, end));
    const std::size_t last_blank = head.rfind(' ');
    return last_blank == std::string::npos ? head : head.substr(last_blank + 1);
}

ParameterValue extract_parameter_value(ValueType type, const std::string& line)
{
    const std::int32_t form = classify_statement(line);
    if (form == FORM_ASSIGNMENT) return read_assigned_value(type, line);
    if (form == FORM_CALL && is_parameter_type(type)) return read_call_value(type, line);
    return ParameterValue{};
}

ParameterValue extract_parameter_minimum(ValueType type, const std::string& line)
{
    if (!has_bounds(type)) return ParameterValue{};
    return extract_bounded_field(type, line, 1, 3);
}

ParameterValue extract_parameter_maximum(ValueType type, const std::string& line)
{
    if (!has_bounds(type)) return ParameterValue{};
    return extract_bounded_field(type, line, 2, 3);
}

ParameterValue extract_bounded_field(ValueType type, const std::string& line, std::int32_t index,
                                     std::int32_t minimum_count)
{
    if (classify_statement(line) == FORM_ASSIGNMENT) return ParameterValue{};
    return parse_value(type, extract_definition_field(type, line, index, minimum_count));
}

std::string extract_parameter_field_by_type(ValueType type, const std::string& line)
{
    if (has_bounds(type)) return extract_definition_field(type, line, 3, 4);
    return extract_definition_field(type, line, 1, 2);
}

std::string extract_definition_field(ValueType type, const std::string& line, std::int32_t index,
                                     std::int32_t minimum_count)
{
    if (classify_statement(line) != FORM_CALL || !is_parameter_type(type) || index < 0) return {};
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || open >= close) return {};
    const TextList fields = split_text_skip_empty(line.substr(open + 1, close - open - 1), ',');
    const auto count = static_cast<std::int32_t>(fields.size());
    if (count < minimum_count || index >= count) return {};
    return strip_enclosing_quotes(trim_text(fields[static_cast<std::size_t>(index)]));
}

std::string cache_parameter_value_text(ScriptParameter& parameter)
{
    if (parameter.value_text.empty())
        parameter.value_text = format_parameter_value(parameter.current);
    return parameter.value_text;
}

std::string cache_parameter_type_name(ScriptParameter& parameter)
{
    if (parameter.type_name.empty()) parameter.type_name = value_type_name(parameter.value_type);
    return parameter.type_name;
}

std::string describe_parameter_error(const ScriptParameter& parameter)
{
    if (is_sound(parameter)) return {};
    std::string text = "-> ERROR : ";
    if (parameter.value_type == ValueType::UNDEFINED) text += "| TYPE ";
    if (parameter.name.empty()) text += "| NAME ";
    if (parameter.initial.type == ValueType::UNDEFINED ||
        parameter.current.type == ValueType::UNDEFINED)
        text += "| INIT ";
    return text + "|";
}

std::string format_parameter_assignment(const ScriptParameter& parameter)
{
    return format_value_assignment(parameter.type_name, parameter.name, parameter.value_type,
                                   parameter.current);
}

void copy_parameter_value(ScriptParameter& parameter, const ParameterValue& value,
                          const std::string& text)
{
    parameter.current = value;
    parameter.value_text = text;
}

void mark_parameter_synced(ScriptParameter& parameter)
{
    parameter.synced = parameter.current;
}

bool is_parameter_changed(const ScriptParameter& parameter)
{
    return values_differ(parameter.value_type, parameter.current, parameter.synced);
}

bool check_parameter_in_range(const ScriptParameter& parameter, const ParameterValue& value)
{
    return value_in_range(parameter.value_type, value, parameter.minimum, parameter.maximum);
}

double compute_parameter_fraction(const ScriptParameter& parameter)
{
    return value_fraction(parameter.value_type, parameter.current, parameter.minimum,
                          parameter.maximum);
}
