#include "model/value_types.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

ParameterValue make_int(std::int32_t v)
{
    ParameterValue value;
    value.type = ValueType::INT;
    value.int_value = v;
    return value;
}

ParameterValue make_dbl(double v)
{
    ParameterValue value;
    value.type = ValueType::DBL;
    value.dbl_value = v;
    return value;
}

} // namespace

TEST(ParameterValueText, DisplayFormsByType)
{
    ParameterValue value;
    EXPECT_EQ(format_parameter_value(value), "null");
    value.type = ValueType::BLN;
    EXPECT_EQ(format_parameter_value(value), "false");
    value.type = ValueType::CHR;
    EXPECT_EQ(format_parameter_value(value), " ");
    value.type = ValueType::LNG;
    value.lng_value = -7;
    EXPECT_EQ(format_parameter_value(value), "-7");
    value.type = ValueType::STR;
    value.str_value = "ab";
    EXPECT_EQ(format_parameter_value(value), "ab");
    value.type = ValueType::MSH;
    EXPECT_EQ(format_parameter_value(value), "???");
    EXPECT_EQ(format_parameter_value(make_dbl(1.0 / 3.0)), "0.333333");
}

TEST(ParameterValueText, AssignmentStatements)
{
    EXPECT_EQ(format_value_assignment("INT", "n", ValueType::INT, make_int(4)), "INT n = 4;");
    EXPECT_EQ(format_value_assignment("DBL", "r", ValueType::DBL, make_dbl(1.0 / 3.0)),
              "DBL r = 0.333333;");
    ParameterValue value;
    value.lng_value = -7;
    EXPECT_EQ(format_value_assignment("LNG", "k", ValueType::LNG, value), "LNG k = -7;");
    value.bln_value = true;
    EXPECT_EQ(format_value_assignment("BLN", "b", ValueType::BLN, value), "BLN b = true;");
    value.chr_value = 'x';
    EXPECT_EQ(format_value_assignment("CHR", "c", ValueType::CHR, value), "CHR c = 'x';");
    value.str_value = "ab";
    EXPECT_EQ(format_value_assignment("STR", "s", ValueType::STR, value), "STR s = \"ab\";");
    EXPECT_EQ(format_value_assignment("MSH", "m", ValueType::MSH, value), "");
    EXPECT_EQ(format_value_assignment("", "u", ValueType::UNDEFINED, value), "");
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

TEST(ParameterValueCompare, RangeNeedsBothBounds)
{
    const ParameterValue lo = make_int(0);
    const ParameterValue hi = make_int(10);
    EXPECT_TRUE(value_in_range(ValueType::INT, make_int(10), lo, hi));
    EXPECT_TRUE(value_in_range(ValueType::INT, make_int(0), lo, hi));
    EXPECT_FALSE(value_in_range(ValueType::INT, make_int(11), lo, hi));
    EXPECT_FALSE(value_in_range(ValueType::INT, make_int(-1), lo, hi));
    EXPECT_TRUE(value_in_range(ValueType::INT, make_int(1000), lo, ParameterValue{}));
    EXPECT_FALSE(value_in_range(ValueType::DBL, make_dbl(std::nan("")), make_dbl(0), make_dbl(1)));
    EXPECT_TRUE(value_in_range(ValueType::STR, ParameterValue{}, lo, hi));
}

TEST(ParameterValueCompare, SliderFraction)
{
    const ParameterValue lo = make_int(0);
    const ParameterValue hi = make_int(10);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(5), lo, hi), 0.5);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(15), lo, hi), 1.5);
    EXPECT_FALSE(std::isfinite(value_fraction(ValueType::INT, make_int(2), make_int(2), make_int(2))));
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(5), ParameterValue{}, hi), -1.0);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::BLN, make_int(5), lo, hi), -1.0);
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::DBL, make_dbl(0.25), make_dbl(0), make_dbl(1)), 0.25);
    // Bounds at the ends of the 32-bit range must not overflow.
    const std::int32_t min32 = std::numeric_limits<std::int32_t>::min();
    const std::int32_t max32 = std::numeric_limits<std::int32_t>::max();
    EXPECT_DOUBLE_EQ(value_fraction(ValueType::INT, make_int(max32), make_int(min32), make_int(max32)),
                     1.0);
}

TEST(ParseTypedValue, Numbers)
{
    EXPECT_EQ(parse_typed_value(0, "42").int_value, 42);
    EXPECT_EQ(parse_typed_value(0, "42").type, ValueType::INT);
    EXPECT_EQ(parse_typed_value(0, "12abc").int_value, 12);
    EXPECT_EQ(parse_typed_value(0, " -3").int_value, -3);
    EXPECT_EQ(parse_typed_value(0, "x").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(0, "").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(0, "2147483648").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(0, "-2147483648").int_value, -2147483647 - 1);
    EXPECT_EQ(parse_typed_value(2, "-7").lng_value, -7);
    EXPECT_EQ(parse_typed_value(2, "-7").type, ValueType::LNG);
    EXPECT_EQ(parse_typed_value(2, "4294967296").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(1, "0.5").dbl_value, 0.5);
    EXPECT_EQ(parse_typed_value(1, " -3.5e2").dbl_value, -350.0);
    EXPECT_EQ(parse_typed_value(1, "nan").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(1, "-inf").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(1, "1e999").type, ValueType::UNDEFINED);
}

TEST(ParseTypedValue, BooleansCharactersStrings)
{
    EXPECT_TRUE(parse_typed_value(3, "true").bln_value);
    EXPECT_EQ(parse_typed_value(3, "1").type, ValueType::BLN);
    EXPECT_FALSE(parse_typed_value(3, "1").bln_value);
    EXPECT_EQ(parse_typed_value(3, "").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(4, "'a'").chr_value, 'a');
    EXPECT_EQ(parse_typed_value(4, "'\\n'").chr_value, 'n');
    EXPECT_EQ(parse_typed_value(4, "ab").type, ValueType::UNDEFINED);
    const ParameterValue hi = parse_typed_value(5, "\"hi\"");
    EXPECT_EQ(hi.type, ValueType::STR);
    EXPECT_EQ(hi.str_value, "hi");
    const ParameterValue empty = parse_typed_value(5, "\"\"");
    EXPECT_EQ(empty.type, ValueType::STR);
    EXPECT_EQ(empty.str_value, "");
    EXPECT_EQ(parse_typed_value(5, "x").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(7, "1").type, ValueType::UNDEFINED);
    EXPECT_EQ(parse_typed_value(12345, "1").type, ValueType::UNDEFINED);
}

TEST(StatementText, ClassifyQuotesAndSearch)
{
    EXPECT_EQ(classify_statement("a = f(1)"), 0);
    EXPECT_EQ(classify_statement("f(a = 1)"), 1);
    EXPECT_EQ(classify_statement("{ x }"), 3);
    EXPECT_EQ(classify_statement("{ x = 1 }"), 4);
    EXPECT_EQ(classify_statement("abc"), 4);
    EXPECT_EQ(classify_statement(""), 4);

    EXPECT_EQ(strip_enclosing_quotes("'ab\""), "ab");
    EXPECT_EQ(strip_enclosing_quotes("ab"), "ab");
    EXPECT_EQ(strip_enclosing_quotes("'"), "");
    EXPECT_EQ(strip_enclosing_quotes(""), "");
    EXPECT_EQ(strip_enclosing_quotes("'a"), "'a");

    EXPECT_EQ(find_first_char("a=b=c", '='), 1);
    EXPECT_EQ(find_last_char("a=b=c", '='), 3);
    EXPECT_EQ(find_first_char("", '='), -1);
    EXPECT_EQ(find_last_char("abc", '='), -1);
}
