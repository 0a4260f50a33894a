#include "platform/number_text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

std::optional<double> read_real_number(const std::string& text)
{
    double value = 0.0;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1 || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> read_integer_number(const std::string& text)
{
    const char* start = text.c_str();
    while (*start != '\0' && std::isspace(static_cast<unsigned char>(*start)) != 0)
        ++start;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(start, &end, 0);
    if (end == start || errno == ERANGE || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}
