// put_real must write exactly what the C "%g" conversion writes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "export/real_text.h"

namespace {

std::string fast_text(double value)
{
    char text[kRealTextRoom];
    return std::string(text, put_real(text, value));
}

TEST(RealText, WritesWhatPrintfWrites)
{
    using limits = std::numeric_limits<double>;
    // Zeros, infinities, extremes, rounding ties and carries.
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 1e-7, 1e300, -2.5e-300,
                                  limits::infinity(), -limits::infinity(),
                                  limits::denorm_min(), limits::max(), 1234565.0, 1234575.0,
                                  0.5, 2.5, 123456.5, 123457.5, 999999.5, 9999995.0, 99999.95,
                                  0.1234565, 0.00999999, 0.0001, 0.000099999996, 1e-5,
                                  0.000999995, 99999.5, 999999.4999999999, 8.5e14, 1e15,
                                  999999999999999.0};
    // Neighbours of powers of ten.
    for (int exponent = -8; exponent <= 16; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double v : {power, -power}) {
            double below = v, above = v;
            for (int step = 0; step < 4; ++step) {
                below = std::nextafter(below, 0.0);
                above = std::nextafter(above, v * 2);
                values.insert(values.end(), {below, above});
            }
            values.push_back(v);
        }
        for (double near : {0.9999995, 0.99999949999, 0.99999950001, 9.999995}) {
            values.push_back(near * power);
        }
    }
    // Random magnitudes, short decimals such as 0.125 or 37.5, and random bits.
    std::mt19937_64 generator(12345);
    std::uniform_real_distribution<double> exponent(-12.0, 18.0);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 100000; ++i) {
        const double magnitude = std::pow(10.0, exponent(generator));
        values.push_back(i % 2 ? magnitude : -magnitude);
        values.push_back(static_cast<double>(bits(generator) % 2000000) / 16.0);
        values.push_back(static_cast<double>(bits(generator) % 100000) / 1000.0);
        if (i < 20000) {
            const double value = std::bit_cast<double>(bits(generator));
            if (std::isfinite(value)) values.push_back(value);
        }
    }
    int mismatches = 0; // report the first few, not thousands
    for (double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%g", value);
        if (fast_text(value) == expected) continue;
        ADD_FAILURE() << std::hexfloat << value << ": " << fast_text(value) << " vs " << expected;
        if (++mismatches == 5) break;
    }
    EXPECT_EQ(fast_text(limits::quiet_NaN()).find("nan"), 0u);
}

} // namespace
