#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(HsvToRgb, PrimariesGreysAndClamping)
{
    const double nan = std::nan("");
    const double cases[][6] = {// h, s, v, then r, g, b
                               {0, 1, 1, 1, 0, 0},
                               {1.0 / 3.0, 1, 1, 0, 1, 0},
                               {2.0 / 3.0, 1, 1, 0, 0, 1},
                               {1, 1, 1, 1, 0, 0},
                               {0.5, 0, 0.25, 0.25, 0.25, 0.25},
                               {1.5, 1, 1, 0, 0, 0},
                               {0.25, 1, 2, 1, 1, 0},
                               {-0.1, 1, 1, 1, 0, 0},
                               {nan, 1, 1, 0, 0, 0}};
    for (const auto& c : cases) {
        hsv_to_rgb(c[0], c[1], c[2]);
        EXPECT_NEAR(g_hsv_colour.red, c[3], 1e-9) << "hsv " << c[0] << " " << c[1] << " " << c[2];
        EXPECT_NEAR(g_hsv_colour.green, c[4], 1e-9) << "hsv " << c[0] << " " << c[1] << " " << c[2];
        EXPECT_NEAR(g_hsv_colour.blue, c[5], 1e-9) << "hsv " << c[0] << " " << c[1] << " " << c[2];
    }
}

TEST(NormalisedCross, UnitLengthOrZero)
{
    normalised_cross({1, 0, 0}, {0, 1, 0});
    EXPECT_EQ((std::vector<double>{g_cross_result.x, g_cross_result.y, g_cross_result.z}),
              (std::vector<double>{0, 0, 1}));
    normalised_cross({0, 0, 3}, {2, 0, 0});
    EXPECT_DOUBLE_EQ(g_cross_result.y, 1);
    normalised_cross({1, 2, 3}, {1, 2, 3});
    EXPECT_EQ((std::vector<double>{g_cross_result.x, g_cross_result.y, g_cross_result.z}),
              (std::vector<double>{0, 0, 0}));
}
