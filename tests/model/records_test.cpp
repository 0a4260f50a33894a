// The plain records: parse reports and icon descriptors.

#include <gtest/gtest.h>

#include "model/icon_descriptor.h"
#include "model/parse_report.h"

namespace {

double circle(double x, double y, const double* params)
{
    return x * x + y * y - params[2];
}

} // namespace

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

TEST(IconDescriptor, OneAndTwoFunctionForms)
{
    const IconDescriptor sphere = construct_icon_descriptor("sphere", circle, {0, 0, 1.5, 0, 0, 0});
    EXPECT_EQ(sphere.mode, ICON_SINGLE);
    EXPECT_EQ(sphere.active, 1u);
    EXPECT_TRUE(sphere.sdf_list.empty());
    EXPECT_TRUE(sphere.param_list.empty());
    EXPECT_EQ(sphere.sdf(1.0, 0.0, sphere.params.data()), -0.5);

    const IconDescriptor pair = construct_icon_descriptor_pair("cut", circle, {1, 2, 3, 4, 5, 6},
                                                               nullptr, {7, 8, 9, 10, 11, 12});
    EXPECT_EQ(pair.mode, ICON_PAIR);
    ASSERT_EQ(pair.sdf_list.size(), 2u);
    EXPECT_EQ(pair.sdf, pair.sdf_list[0]);
    ASSERT_EQ(pair.param_list.size(), 12u);
    EXPECT_TRUE(std::equal(pair.params.begin(), pair.params.end(), pair.param_list.begin()));
    EXPECT_EQ(pair.param_list[11], 12.0);
}
