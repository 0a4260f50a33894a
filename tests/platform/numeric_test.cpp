#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expect_rgb(double h, double s, double v, double r, double g, double b)
{
    hsv_to_rgb(h, s, v);
    EXPECT_NEAR(g_hsv_colour.red, r, 1e-9) << "hsv " << h << " " << s << " " << v;
    EXPECT_NEAR(g_hsv_colour.green, g, 1e-9) << "hsv " << h << " " << s << " " << v;
    EXPECT_NEAR(g_hsv_colour.blue, b, 1e-9) << "hsv " << h << " " << s << " " << v;
}

} // namespace

TEST(HsvToRgb, PrimariesGreysAndClamping)
{
    expect_rgb(0, 1, 1, 1, 0, 0);
    expect_rgb(1.0 / 3.0, 1, 1, 0, 1, 0);
    expect_rgb(2.0 / 3.0, 1, 1, 0, 0, 1);
    expect_rgb(1, 1, 1, 1, 0, 0);
    expect_rgb(0.5, 0, 0.25, 0.25, 0.25, 0.25);
    expect_rgb(1.5, 1, 1, 0, 0, 0);
    expect_rgb(0.25, 1, 2, 1, 1, 0);
    expect_rgb(-0.1, 1, 1, 1, 0, 0);
    expect_rgb(std::nan(""), 1, 1, 0, 0, 0);
}

TEST(NormalisedCross, UnitLengthOrZero)
{
    normalised_cross({1, 0, 0}, {0, 1, 0});
    EXPECT_DOUBLE_EQ(g_cross_result.x, 0);
    EXPECT_DOUBLE_EQ(g_cross_result.y, 0);
    EXPECT_DOUBLE_EQ(g_cross_result.z, 1);

    normalised_cross({0, 0, 3}, {2, 0, 0});
    EXPECT_DOUBLE_EQ(g_cross_result.y, 1);

    normalised_cross({1, 2, 3}, {1, 2, 3});
    EXPECT_EQ(g_cross_result.x, 0);
    EXPECT_EQ(g_cross_result.y, 0);
    EXPECT_EQ(g_cross_result.z, 0);
}
