#pragma once

// One script parameter, read from one definition line of the kernel's
// PARAMETERS section. Two forms are read:
//   assignment  INT n = 4                  value only
//   call        INT n(4, 0, 10, 'Count')   value, then by type: minimum,
//                                          maximum and label (numbers) or
//                                          label (BLN, CHR, STR)
// The definition text belongs to the kernel; it is never written back.

#include <atomic>
#include <cstdint>
#include <string>

#include "model/value_types.h"

extern std::atomic<std::uint32_t> g_next_parameter_id;

struct ScriptParameter {
    std::uint8_t valid = 0; // type, name, initial and current value all read
    std::uint32_t id = g_next_parameter_id.fetch_add(1); // copies keep it
    std::string definition;
    ValueType value_type = ValueType::UNDEFINED;
    std::string name;
    ParameterValue current; // the value being edited
    ParameterValue initial; // the target of a reset
    ParameterValue minimum; // UNDEFINED when the definition gives none
    ParameterValue maximum;
    std::string label;         // the name when the definition gives none
    std::uint8_t selected = 0; // row selection in the parameter panel
    std::string value_text;    // cached display text of `current`
    std::string type_name;     // cached name of `value_type`
    ParameterValue synced;     // last value written into a synchronised script
};

// A fresh parameter (next id) with `definition` read into it.
ScriptParameter construct_script_parameter(const std::string& definition);
// Reads the line into the parameter; an unusable line leaves `valid` 0 and
// writes "!!! INVALID-PARAMETER-DEFINITION : '<line>'" to the trace.
void parse_parameter_definition(ScriptParameter& parameter, const std::string& line);

// The field readers, each given the whole definition line.
ValueType parse_definition_type(const std::string& line);
std::string extract_parameter_name(const std::string& line);
ParameterValue extract_parameter_value(ValueType type, const std::string& line);
ParameterValue extract_parameter_minimum(ValueType type, const std::string& line);
ParameterValue extract_parameter_maximum(ValueType type, const std::string& line);
ParameterValue extract_bounded_field(ValueType type, const std::string& line, std::int32_t index,
                                     std::int32_t minimum_count);
// The label field: index 3 of at least 4 for numbers, index 1 of at least 2
// for BLN, CHR and STR.
std::string extract_parameter_field_by_type(ValueType type, const std::string& line);
// Field `index` of a call-form line when it has at least `minimum_count`
// fields, trimmed and without one pair of enclosing quotes; otherwise "".
std::string extract_definition_field(ValueType type, const std::string& line, std::int32_t index,
                                     std::int32_t minimum_count);

// Fill the cache when empty and return a copy of it.
std::string cache_parameter_value_text(ScriptParameter& parameter);
std::string cache_parameter_type_name(ScriptParameter& parameter);
// "" for a sound parameter, else "-> ERROR : " + "| TYPE " / "| NAME " /
// "| INIT " as they apply + "|".
std::string describe_parameter_error(const ScriptParameter& parameter);

// The parameter-level forms of the value operations; each reads the slot of
// the parameter's declared value type.
// The statement that writes `current` back into a script ("INT n = 4;").
std::string format_parameter_assignment(const ScriptParameter& parameter);
// `text` is the display text the caller shows for `value`.
void copy_parameter_value(ScriptParameter& parameter, const ParameterValue& value,
                          const std::string& text);
void mark_parameter_synced(ScriptParameter& parameter);
bool is_parameter_changed(const ScriptParameter& parameter);
bool check_parameter_in_range(const ScriptParameter& parameter, const ParameterValue& value);
double compute_parameter_fraction(const ScriptParameter& parameter);
