#include "export/real_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Powers of ten up to 1e22 are exact in a double, so one multiplication or
// division by them rounds once.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// "00" to "99".
struct TwoDigitTable {
    char pairs[100][2];
    constexpr TwoDigitTable() : pairs{}
    {
        for (int value = 0; value < 100; ++value) {
            pairs[value][0] = static_cast<char>('0' + value / 10);
            pairs[value][1] = static_cast<char>('0' + value % 10);
        }
    }
};
constexpr TwoDigitTable kTwoDigitTable;
constexpr const char (&kTwoDigits)[100][2] = kTwoDigitTable.pairs;

// The fast path covers these magnitudes; the scale factors then stay exact.
constexpr double kFastMinimum = 1e-5;
constexpr double kFastLimit = 1e15;

// A scaled value this close to a rounding tie could round either way after
// the one rounding of the scaling; such rare values take the exact path.
constexpr double kTieMargin = 1e-6;

char* put_exact(char* first, double value)
{
    return std::to_chars(first, first + kRealTextRoom, value, std::chars_format::general, 6).ptr;
}

// floor(log10(magnitude)) or one less: magnitude = m x 2^b with m in [1, 2),
// so log10(magnitude) lies in [b log10(2), b log10(2) + log10(2)).
int decimal_exponent_estimate(double magnitude)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int binary_exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1023; // normal numbers
    constexpr double kLog10Of2 = 0.30102999566398119521;
    const double estimate = binary_exponent * kLog10Of2;
    const int truncated = static_cast<int>(estimate);
    return estimate < truncated ? truncated - 1 : truncated;
}

// magnitude x 10^(5 - exponent), which lies near [1e5, 1e6) for the right exponent.
double scale_to_six_digits(double magnitude, int exponent)
{
    const int shift = 5 - exponent;
    return shift >= 0 ? magnitude * kExactPowersOfTen[shift]
                      : magnitude / kExactPowersOfTen[-shift];
}

char* put_exponent(char* out, int exponent)
{
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// Six digits with `exponent` the power of ten of the first, laid out as %g does.
char* put_digits(char* out, const char digits[6], int exponent)
{
    int count = 6;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (exponent < -4 || exponent >= 6) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            for (int i = 1; i < count; ++i)
                *out++ = digits[i];
        }
        return put_exponent(out, exponent);
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i)
            *out++ = '0';
        for (int i = 0; i < count; ++i)
            *out++ = digits[i];
        return out;
    }
    for (int i = 0; i <= exponent; ++i)
        *out++ = digits[i];
    if (count > exponent + 1) {
        *out++ = '.';
        for (int i = exponent + 1; i < count; ++i)
            *out++ = digits[i];
    }
    return out;
}

} // namespace

char* put_real(char* first, double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= kFastMinimum && magnitude < kFastLimit)) return put_exact(first, value);

    int exponent = decimal_exponent_estimate(magnitude);
    double scaled = scale_to_six_digits(magnitude, exponent);
    if (scaled >= 1e6) scaled = scale_to_six_digits(magnitude, ++exponent);

    const auto whole = static_cast<std::uint32_t>(scaled); // truncation: scaled is positive
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < kTieMargin) return put_exact(first, value);
    std::uint32_t rounded = whole + (fraction > 0.5 ? 1u : 0u);
    if (rounded == 1000000) {
        rounded = 100000;
        ++exponent;
    }

    // Two digits at a time from a table: three lookups instead of six divisions.
    char digits[6];
    std::memcpy(digits, kTwoDigits[rounded / 10000], 2);
    std::memcpy(digits + 2, kTwoDigits[rounded / 100 % 100], 2);
    std::memcpy(digits + 4, kTwoDigits[rounded % 100], 2);
    char* out = first;
    if (value < 0) *out++ = '-';
    return put_digits(out, digits, exponent);
}
