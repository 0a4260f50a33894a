#include "model/text_metrics.h"

#include <limits>

std::int32_t g_default_line_height = 0;

std::int32_t measure_text_width(const std::string& text)
{
    std::int64_t width = 0;
    for (const char byte : text) {
        const std::size_t index = static_cast<unsigned char>(byte);
        if (index < g_char_widths.size()) width += g_char_widths[index];
    }
    const std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(width < largest ? width : largest);
}
