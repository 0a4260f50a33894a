#include "platform/text.h"

#include <algorithm>
#include <locale>
#include <sstream>

namespace {

// Reads fields as split_text describes; `keep_empty` decides whether empty
// fields are appended.
TextList split_fields(const std::string& text, char delimiter, bool keep_empty)
{
    TextList fields;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(delimiter, start);
        if (end == std::string::npos) end = text.size();
        if (keep_empty || end > start) fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

} // namespace

std::string int_to_text(std::int32_t value)
{
    return std::to_string(value);
}

std::string unsigned_to_text(std::int32_t value)
{
    return std::to_string(value);
}

std::string double_to_text(double value)
{
    // A stream in the classic locale gives the "%g" form with six digits,
    // whatever locale the process runs in.
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << value;
    return stream.str();
}

std::string fixed_to_text(double value, std::int32_t digits)
{
    if (digits < 0) digits = 0;
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream.setf(std::ios::fixed, std::ios::floatfield);
    stream.precision(digits);
    stream << value;
    return stream.str();
}

std::string char_to_text(char byte)
{
    return std::string(1, byte);
}

std::string uint_to_grouped_text(std::uint64_t count)
{
    const std::string digits = std::to_string(count);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t remaining = digits.size() - i;
        if (i > 0 && remaining % 3 == 0) grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return grouped;
}

std::string pad_text(const std::string& text, std::int32_t width, char fill)
{
    if (width <= 0 || static_cast<std::size_t>(width) <= text.size()) return text;
    return std::string(static_cast<std::size_t>(width) - text.size(), fill) + text;
}

bool is_blank_char(char byte)
{
    return byte == '\0' || byte == '\t' || byte == '\n' || byte == '\r' || byte == ' ';
}

std::string trim_text(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && is_blank_char(text[first]))
        ++first;
    std::size_t end = text.size();
    while (end > first && is_blank_char(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

std::string to_upper_text(const std::string& text)
{
    std::string upper = text;
    for (char& byte : upper)
        if (byte >= 'a' && byte <= 'z') byte = static_cast<char>(byte - 'a' + 'A');
    return upper;
}

std::string to_lower_text(const std::string& text)
{
    std::string lower = text;
    for (char& byte : lower)
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
    return lower;
}

TextList split_text(const std::string& text, char delimiter)
{
    return split_fields(text, delimiter, true);
}

TextList split_text_skip_empty(const std::string& text, char delimiter)
{
    return split_fields(text, delimiter, false);
}

TextList split_text_by(const std::string& text, const std::string& separator)
{
    if (separator.empty()) return {text};
    TextList fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string::npos) break;
        // Nothing before a leading separator: it opens no field.
        if (found > 0) fields.push_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    fields.push_back(text.substr(start));
    return fields;
}

std::string join_strings(const TextList& texts, std::int32_t count, char separator)
{
    std::string joined;
    const std::size_t used =
        count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), texts.size());
    for (std::size_t i = 0; i < used; ++i) {
        if (i > 0) joined.push_back(separator);
        joined += texts[i];
    }
    return joined;
}
