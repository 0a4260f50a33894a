#include "model/value_types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/enum_names.h"

namespace {

ParameterValue make_value(ValueType type, std::int32_t int_value, double dbl_value = 0.0)
{
    ParameterValue value;
    value.type = type;
    value.int_value = int_value;
    value.dbl_value = dbl_value;
    return value;
}
ParameterValue make_int(std::int32_t v) { return make_value(ValueType::INT, v); }
ParameterValue make_dbl(double v) { return make_value(ValueType::DBL, 0, v); }

} // namespace

TEST(ParameterValueText, DisplayFormsAndAssignmentStatements)
{
    ParameterValue value = make_value(ValueType::UNDEFINED, 4, 1.0 / 3.0);
    value.lng_value = -7;
    value.bln_value = true;
    value.chr_value = 'x';
    value.str_value = "ab";
    const struct {
        ValueType type;
        const char *type_name, *display, *assignment;
    } cases[] = {
        {ValueType::UNDEFINED, "", "null", ""},
        {ValueType::INT, "INT", "4", "INT v = 4;"},
        {ValueType::DBL, "DBL", "0.333333", "DBL v = 0.333333;"},
        {ValueType::LNG, "LNG", "-7", "LNG v = -7;"},
        {ValueType::BLN, "BLN", "true", "BLN v = true;"},
        {ValueType::CHR, "CHR", "x", "CHR v = 'x';"},
        {ValueType::STR, "STR", "ab", "STR v = \"ab\";"},
        {ValueType::MSH, "MSH", "???", ""},
    };
    for (const auto& c : cases) {
        ParameterValue typed = value;
        typed.type = c.type;
        EXPECT_EQ(format_parameter_value(typed), c.display) << c.type_name;
        EXPECT_EQ(format_value_assignment(c.type_name, "v", c.type, value), c.assignment);
    }
    EXPECT_EQ(format_parameter_value(make_value(ValueType::BLN, 0)), "false");
    EXPECT_EQ(format_parameter_value(make_value(ValueType::CHR, 0)), " ");
}

TEST(ParameterValueCompare, DifferInTheNamedSlotOnly)
{
    ParameterValue a = make_int(3);
    ParameterValue b = make_int(3);
    b.dbl_value = 9.0;
    EXPECT_FALSE(values_differ(ValueType::INT, a, b));
    EXPECT_TRUE(values_differ(ValueType::DBL, a, b));
    a.str_value = "Ab";
    b.str_value = "ab";
    EXPECT_TRUE(values_differ(ValueType::STR, a, b));
    EXPECT_FALSE(values_differ(ValueType::UNDEFINED, a, b));
    const ParameterValue nan = make_dbl(std::nan(""));
    EXPECT_TRUE(values_differ(ValueType::DBL, nan, nan));
}

TEST(ParameterValueCompare, RangeAndSliderFraction)
{
    const ParameterValue lo = make_int(0), hi = make_int(10), none;
    for (const int v : {0, 10})
        EXPECT_TRUE(value_in_range(ValueType::INT, make_int(v), lo, hi)) << v;
    for (const int v : {-1, 11})
        EXPECT_FALSE(value_in_range(ValueType::INT, make_int(v), lo, hi)) << v;
    EXPECT_TRUE(value_in_range(ValueType::INT, make_int(1000), lo, none)) << "needs both bounds";
    EXPECT_FALSE(value_in_range(ValueType::DBL, make_dbl(std::nan("")), make_dbl(0), make_dbl(1)));
    EXPECT_TRUE(value_in_range(ValueType::STR, none, lo, hi));

    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(5), lo, hi), 0.5);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(15), lo, hi), 1.5);
    EXPECT_FALSE(
        std::isfinite(value_fraction(ValueType::INT, make_int(2), make_int(2), make_int(2))));
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(5), none, hi), -1.0);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::BLN, make_int(5), lo, hi), -1.0);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::DBL, make_dbl(0.25), make_dbl(0), make_dbl(1)),
                     0.25);
    const std::int32_t min32 = std::numeric_limits<std::int32_t>::min();
    const std::int32_t max32 = std::numeric_limits<std::int32_t>::max();
    EXPECT_DOUBLE_EQ(
        value_fraction(ValueType::INT, make_int(max32), make_int(min32), make_int(max32)), 1.0)
        << "32-bit bounds do not overflow";
}

TEST(ParseTypedValue, EveryTypeCodeWithItsLimits)
{
    // Type codes: 0 INT, 1 DBL, 2 LNG, 3 BLN, 4 CHR, 5 STR; "null" = did not read.
    using enum ValueType;
    const struct {
        std::uint32_t code;
        const char* text;
        ValueType type;
        const char* display;
    } cases[] = {
        {0, "42", INT, "42"}, {0, "12abc", INT, "12"}, {0, " -3", INT, "-3"},
        {0, "-2147483648", INT, "-2147483648"}, {0, "x", UNDEFINED, "null"},
        {0, "", UNDEFINED, "null"}, {0, "2147483648", UNDEFINED, "null"}, {2, "-7", LNG, "-7"},
        {2, "4294967296", UNDEFINED, "null"}, {1, "0.5", DBL, "0.5"},
        {1, " -3.5e2", DBL, "-350"}, {1, "nan", UNDEFINED, "null"},
        {1, "-inf", UNDEFINED, "null"}, {1, "1e999", UNDEFINED, "null"},
        {3, "true", BLN, "true"}, {3, "1", BLN, "false"}, {3, "", UNDEFINED, "null"},
        {4, "'a'", CHR, "a"}, {4, "'\\n'", CHR, "n"}, {4, "ab", UNDEFINED, "null"},
        {5, "\"hi\"", STR, "hi"}, {5, "\"\"", STR, ""}, {5, "x", UNDEFINED, "null"},
        {7, "1", UNDEFINED, "null"}, {12345, "1", UNDEFINED, "null"},
    };
    for (const auto& c : cases) {
        const ParameterValue value = parse_typed_value(c.code, c.text);
        SCOPED_TRACE(testing::Message() << c.code << " '" << c.text << "'");
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(format_parameter_value(value), c.display);
    }
}

TEST(StatementText, ClassifyQuotesAndSearch)
{
    const std::pair<const char*, int> kinds[] = {{"a = f(1)", 0},  {"f(a = 1)", 1}, {"{ x }", 3},
                                                 {"{ x = 1 }", 4}, {"abc", 4},      {"", 4}};
    for (const auto& [text, kind] : kinds)
        EXPECT_EQ(classify_statement(text), kind) << text;
    const std::pair<const char*, const char*> stripped[] = {
        {"'ab\"", "ab"}, {"ab", "ab"}, {"'", ""}, {"", ""}, {"'a", "'a"}};
    for (const auto& [text, expected] : stripped)
        EXPECT_EQ(strip_enclosing_quotes(text), expected) << text;
    EXPECT_EQ(find_first_char("a=b=c", '='), 1);
    EXPECT_EQ(find_last_char("a=b=c", '='), 3);
    EXPECT_EQ(find_first_char("", '='), -1);
    EXPECT_EQ(find_last_char("abc", '='), -1);
}

TEST(EnumNames, TypeNameLookupIgnoresCaseAndBlanks)
{
    const std::pair<const char*, ValueType> cases[] = {
        {" dbl ", ValueType::DBL},           {"Str", ValueType::STR},
        {"\tet\n", ValueType::ET},           {"INTEGER", ValueType::UNDEFINED},
        {"UNDEFINED", ValueType::UNDEFINED}, {"", ValueType::UNDEFINED},
        {"I NT", ValueType::UNDEFINED}};
    for (const auto& [name, type] : cases)
        EXPECT_EQ(value_type_from_name(name), type) << "'" << name << "'";
    EXPECT_STREQ(value_type_name(static_cast<ValueType>(99)), "UNDEFINED");
}
