#pragma once

// One typed value of a script parameter, its text forms and the slot-wise
// comparisons the parameter panel and synchronisation rely on, plus the small
// text tests the parameter-definition readers use.

#include "model/enum_names.h"

#include <cstdint>
#include <string>

// Only the slot named by `type` is meaningful. LNG is a signed 32-bit value
// on every platform.
struct ParameterValue {
    ValueType type = ValueType::UNDEFINED;
    std::int32_t int_value = 0;
    std::int32_t lng_value = 0;
    double dbl_value = 0.0;
    bool bln_value = false;
    char chr_value = ' ';
    std::string str_value;
};

// Display text: "null" for UNDEFINED, "???" for the non-parameter types,
// a string without its quotes.
std::string format_parameter_value(const ParameterValue& value);

// The statement that writes `value` back into a script:
// type_name + " " + name + " = " + value text + ";", with a character in
// apostrophes and a string in double quotes, both unescaped ("CHR c = 'x';").
// `type` picks the slot; a type that is not a parameter type gives "".
std::string format_value_assignment(const std::string& type_name, const std::string& name,
                                    ValueType type, const ParameterValue& value);

// Slot-wise comparisons reading the slot of `type` in every value; callers
// pass a parameter's declared value type.
// Differ by value (DBL with !=, so NaN always differs; STR exactly); false for
// a type that is not a parameter type.
bool values_differ(ValueType type, const ParameterValue& a, const ParameterValue& b);
// minimum <= value <= maximum for INT, LNG and DBL (NaN is outside); true for
// the other types and whenever a bound is UNDEFINED.
bool value_in_range(ValueType type, const ParameterValue& value, const ParameterValue& minimum,
                    const ParameterValue& maximum);
// Slider position (value - min) / (max - min), not clamped; -1.0 when a bound
// is UNDEFINED or the type has no order. Equal bounds give a non-finite result.
double value_fraction(ValueType type, const ParameterValue& value, const ParameterValue& minimum,
                      const ParameterValue& maximum);

// Reads one scalar of type `type_code` from text: INT and LNG as signed 32-bit
// decimals ("%d"-like: leading blanks, sign, stops at the first non-digit),
// DBL as a finite "%lf" number, BLN true on a leading 'T'/'t', CHR as the middle
// of a 3-byte ('a') or the third byte of a 4-byte ('\n') text, STR as the text
// between its first and last byte. Anything that does not read, and any
// type code outside INT..STR, gives a default value of type UNDEFINED.
ParameterValue parse_typed_value(std::uint32_t type_code, const std::string& text);

// Statement form by which of "=", "(", "{" comes first: 0 assignment, 1 call,
// 3 brace without "=", 4 none of them (or "{" first with a later "=").
std::int32_t classify_statement(const std::string& text);
// Drops a first and a last character that are each an apostrophe or a double
// quote (not necessarily the same); otherwise the text unchanged.
std::string strip_enclosing_quotes(const std::string& text);
// Index of the first / last occurrence, -1 when absent.
std::int32_t find_first_char(const std::string& text, char wanted);
std::int32_t find_last_char(const std::string& text, char wanted);
