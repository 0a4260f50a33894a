// The parse report record: defaults and deep copies.

#include <gtest/gtest.h>

#include "model/parse_report.h"

TEST(ParseReport, DefaultIsUnreadAndCopiesAreDeep)
{
    ParseReport report = construct_parse_report();
    EXPECT_EQ(report.valid, 0);
    for (const std::int32_t count : report.section_line_counts)
        EXPECT_EQ(count, -1);
    report.errors_text = "e\n";
    report.parameter_set = construct_parameter_set("INT n = 2;\n");
    const ParseReport copy = report;
    report.parameter_set.parameters[0].current.int_value = 9;
    report.errors_text += "more\n";
    EXPECT_EQ(copy.parameter_set.parameters[0].current.int_value, 2);
    EXPECT_EQ(get_parse_errors_text(copy), "e\n");
}
