#include "platform/local_time.h"

#include "platform/text.h"

namespace {

std::tm local_now()
{
    const std::time_t now = std::time(nullptr);
    std::tm when{};
    localtime_r(&now, &when);
    return when;
}

std::string two_digits(int value)
{
    return pad_text(std::to_string(value), 2, '0');
}

} // namespace

std::string date_text_of(const std::tm& when)
{
    return std::to_string(when.tm_year + 1900) + "-" + two_digits(when.tm_mon + 1) + "-" +
           two_digits(when.tm_mday);
}

std::string time_text_of(const std::tm& when)
{
    return two_digits(when.tm_hour) + ":" + two_digits(when.tm_min) + ":" + two_digits(when.tm_sec);
}

std::string datetime_text_of(const std::tm& when)
{
    return std::to_string(when.tm_year + 1900) + two_digits(when.tm_mon + 1) +
           two_digits(when.tm_mday) + two_digits(when.tm_hour) + two_digits(when.tm_min) +
           two_digits(when.tm_sec);
}

std::string local_date_string()
{
    return date_text_of(local_now());
}

std::string local_time_string()
{
    return time_text_of(local_now());
}

std::string local_datetime_string()
{
    return datetime_text_of(local_now());
}
