#include "model/parameters.h"

#include <algorithm>

#include "platform/text.h"

namespace {

const char* const CARDINALITY_ERROR =
    "ERROR-INSTANTIATING-PARAMETERS : CARDINALITY-INCONSISTENCY-BETWEEN-DEFINITION-AND-RESULT\n";
// The arrow is U+2192 in UTF-8.
const char* const NULL_PARAMETER_ERROR = "\xE2\x86\x92 ERROR : NULL-PARAMETER\n";

// The first `count` parameters, never more than the set holds.
std::size_t listed_parameters(const ParameterSet& set)
{
    const std::size_t count = set.count > 0 ? static_cast<std::size_t>(set.count) : 0;
    return std::min(count, set.parameters.size());
}

std::string format_type_summary(const ParameterTypeCounts& counts)
{
    const char* const words[6] = {" INT, ", " DBL, ", " LNG, ", " BLN, ", " CHR, ", " STR"};
    std::string summary;
    for (std::size_t type = 0; type < counts.size(); ++type)
        summary += std::to_string(counts[type]) + words[type];
    return summary;
}

// Definition lines end in one character of the kernel's that does not belong to
// the definition.
std::string definition_of(const std::string& line)
{
    return trim_text(line.substr(0, line.size() - 1));
}

} // namespace

std::int32_t parameter_row_count(const ScriptParameter& parameter)
{
    const bool bounded = parameter.minimum.type != ValueType::UNDEFINED &&
                         parameter.maximum.type != ValueType::UNDEFINED;
    return bounded ? 3 : 2;
}

ParameterSet construct_parameter_set(const std::string& definitions_text)
{
    ParameterSet set;
    instantiate_parameters(set, definitions_text);
    return set;
}

ParameterSet construct_parameter_set_from_list(const std::vector<std::string>& member_names,
                                               const std::vector<ParameterSet*>& member_sets,
                                               std::int32_t total_count)
{
    ParameterSet set;
    merge_parameter_sets(set, member_names, member_sets, total_count);
    return set;
}

void instantiate_parameters(ParameterSet& set, const std::string& definitions_text)
{
    set.definitions_text = definitions_text;
    const TextList lines = split_text_skip_empty(definitions_text, '\n');
    std::vector<ScriptParameter> parameters;
    for (const std::string& line : lines) {
        const std::string definition = definition_of(line);
        if (definition.empty()) continue;
        ScriptParameter parameter = construct_script_parameter(definition);
        if (parameter.valid == 1) parameters.push_back(std::move(parameter));
    }
    set.parameters = std::move(parameters);
    set.count = static_cast<std::int32_t>(set.parameters.size());
    collect_parameter_errors(set);
    set.row_count = 0;
    for (const ScriptParameter& parameter : set.parameters)
        set.row_count += parameter_row_count(parameter);
    describe_parameter_types(set);
    if (set.count < 1 || !set.error_text.empty()) return;
    if (static_cast<std::size_t>(set.count) == lines.size())
        set.valid = 1;
    else
        set.error_text = CARDINALITY_ERROR;
}

void merge_parameter_sets(ParameterSet& set, const std::vector<std::string>& member_names,
                          const std::vector<ParameterSet*>& member_sets, std::int32_t total_count)
{
    set.member_names = member_names;
    set.member_sets = member_sets;
    set.member_parameters.clear();
    set.count = 0;
    if (total_count < 1) return;
    // The caller's total sizes the pointer array; the members' own counts
    // decide what is stored, so a wrong total can never write past it.
    const auto slots = static_cast<std::size_t>(total_count);
    set.type_counts.fill(0);
    std::int32_t rows = 0;
    std::string errors;
    for (ParameterSet* member : member_sets) {
        if (member == nullptr) continue;
        const std::size_t listed = listed_parameters(*member);
        for (std::size_t at = 0; at < listed && set.member_parameters.size() < slots; ++at)
            set.member_parameters.push_back(&member->parameters[at]);
        rows += member->row_count + 1;
        for (std::size_t type = 0; type < set.type_counts.size(); ++type)
            set.type_counts[type] += member->type_counts[type];
        errors += member->error_text;
    }
    set.count = static_cast<std::int32_t>(set.member_parameters.size());
    set.error_text = errors;
    set.row_count = rows;
    set.type_summary = format_type_summary(set.type_counts);
    if (set.error_text.empty()) set.valid = 1;
}

void describe_parameter_types(ParameterSet& set)
{
    set.type_counts.fill(0);
    for (std::size_t at = 0; at < listed_parameters(set); ++at) {
        const auto type = static_cast<std::size_t>(set.parameters[at].value_type);
        if (type < set.type_counts.size()) ++set.type_counts[type];
    }
    set.type_summary = format_type_summary(set.type_counts);
}

void collect_parameter_errors(ParameterSet& set)
{
    std::string errors;
    for (const ScriptParameter& parameter : set.parameters) {
        if (parameter.valid != 1) {
            errors += NULL_PARAMETER_ERROR;
            continue;
        }
        const std::string error = describe_parameter_error(parameter);
        if (!error.empty()) errors += error + "\n";
    }
    set.error_text = errors;
}

ScriptParameter* find_parameter_record(ParameterSet& set, const std::string& name)
{
    if (name.empty()) return nullptr;
    for (std::size_t at = 0; at < listed_parameters(set); ++at) {
        if (set.parameters[at].name == name) return &set.parameters[at];
    }
    return nullptr;
}
