#pragma once

// Local date and time as the interface and snapshot names show them.

#include <ctime>
#include <string>

// "2024-03-05": year in plain decimal, month and day with two digits.
std::string local_date_string();
// "09:05:07".
std::string local_time_string();
// "20240305090507": the same fields run together, for file names.
std::string local_datetime_string();

// The same texts for a given broken-down time.
std::string date_text_of(const std::tm& when);
std::string time_text_of(const std::tm& when);
std::string datetime_text_of(const std::tm& when);
