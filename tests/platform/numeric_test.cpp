#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(HsvToRgb, PrimariesGreysAndClamping)
{
    const double nan = std::nan("");
    const double cases[][6] = {// h, s, v, then r, g, b
                               {0, 1, 1, 1, 0, 0},         {1.0 / 3.0, 1, 1, 0, 1, 0},
                               {2.0 / 3.0, 1, 1, 0, 0, 1}, {1, 1, 1, 1, 0, 0},
                               {0.5, 0, 0.25, 0.25, 0.25, 0.25}, {1.5, 1, 1, 0, 0, 0},
                               {0.25, 1, 2, 1, 1, 0},      {-0.1, 1, 1, 1, 0, 0},
                               {nan, 1, 1, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hsv " << c[0] << " " << c[1] << " " << c[2]);
        hsv_to_rgb(c[0], c[1], c[2]);
        EXPECT_NEAR(g_hsv_colour.red, c[3], 1e-9);
        EXPECT_NEAR(g_hsv_colour.green, c[4], 1e-9);
        EXPECT_NEAR(g_hsv_colour.blue, c[5], 1e-9);
    }
}

TEST(NormalisedCross, UnitLengthOrZero)
{
    const auto cross = [](std::vector<double> a, std::vector<double> b) {
        normalised_cross({a[0], a[1], a[2]}, {b[0], b[1], b[2]});
        return std::vector<double>{g_cross_result.x, g_cross_result.y, g_cross_result.z};
    };
    EXPECT_EQ(cross({1, 0, 0}, {0, 1, 0}), (std::vector<double>{0, 0, 1}));
    EXPECT_EQ(cross({0, 0, 3}, {2, 0, 0}), (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(cross({1, 2, 3}, {1, 2, 3}), (std::vector<double>{0, 0, 0}));
}
