// put_real must write exactly what the C "%g" conversion writes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "export/real_text.h"

namespace {

std::string fast_text(double value) {
  char text[kRealTextRoom];
  return std::string(text, put_real(text, value));
}

std::string printf_text(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Reports the first few mismatches instead of thousands.
void expect_same_as_printf(const std::vector<double>& values) {
  int mismatches = 0;
  for (double value : values) {
    if (fast_text(value) == printf_text(value)) continue;
    ADD_FAILURE() << "value " << std::hexfloat << value << ": " << fast_text(value) << " vs "
                  << printf_text(value);
    if (++mismatches == 5) return;
  }
}

TEST(RealText, SpecialValues) {
  const double inf = std::numeric_limits<double>::infinity();
  expect_same_as_printf({0.0, -0.0, 1.0, -1.0, 0.5, 1e-7, 1e300, -2.5e-300, inf, -inf,
                         std::numeric_limits<double>::denorm_min(),
                         std::numeric_limits<double>::max()});
  EXPECT_EQ(fast_text(std::numeric_limits<double>::quiet_NaN()).find("nan"), 0u);
}

TEST(RealText, RoundingTiesAndCarries) {
  expect_same_as_printf({1234565.0, 1234575.0, 0.5, 2.5, 123456.5, 123457.5, 999999.5, 9999995.0,
                         99999.95, 0.1234565, 0.00999999, 0.0001, 0.000099999996, 1e-5,
                         0.000999995, 99999.5, 999999.4999999999, 8.5e14, 1e15, 999999999999999.0});
}

TEST(RealText, NeighboursOfPowersOfTen) {
  std::vector<double> values;
  for (int exponent = -8; exponent <= 16; ++exponent) {
    double power = std::pow(10.0, exponent);
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
  expect_same_as_printf(values);
}

TEST(RealText, RandomValuesOverEveryMagnitude) {
  std::mt19937_64 generator(12345);
  std::uniform_real_distribution<double> exponent(-12.0, 18.0);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::vector<double> values;
  for (int i = 0; i < 100000; ++i) {
    const double magnitude = std::pow(10.0, exponent(generator));
    values.push_back(i % 2 ? magnitude : -magnitude);
    // Short decimals such as 0.125 or 37.5, common in meshes.
    values.push_back(static_cast<double>(bits(generator) % 2000000) / 16.0);
    values.push_back(static_cast<double>(bits(generator) % 100000) / 1000.0);
  }
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(bits(generator));
    if (std::isfinite(value)) values.push_back(value);
  }
  expect_same_as_printf(values);
}

}  // namespace
