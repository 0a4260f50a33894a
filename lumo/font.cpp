#include "lumo/font.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "lumo/assets/stroke_font.h"

namespace lumo {

namespace {

struct FontStyle {
    int height;
    double pen; // stroke width as a share of the line height
    bool italic;
};

// Heights 17 and 14 are the regular and small text of the interface.
constexpr FontStyle kStyles[kFontCount] = {
    {17, 0.085, false}, {17, 0.135, false}, {17, 0.085, true}, {14, 0.09, false},
    {14, 0.14, false},  {14, 0.09, true},   {22, 0.08, false}, {22, 0.13, false},
    {22, 0.08, true},   {11, 0.1, false},   {11, 0.15, false}, {28, 0.12, false},
};
constexpr int kImageWidth = 2048;
constexpr double kItalicShear = 0.2;

struct FontSet {
    FontHandle handles[kFontCount];
    int image_height = 0;
};

FontSet build_fonts()
{
    FontSet set;
    int band_y = 0;
    for (int f = 0; f < kFontCount; ++f) {
        FontHandle& font = set.handles[f];
        const FontStyle& style = kStyles[f];
        font.index = f;
        font.image_width = kImageWidth;
        font.glyph_height = style.height;
        font.band_height = style.height;
        font.band_y = band_y;
        font.stroke_width = std::max(1.0, style.pen * style.height);
        font.shear = style.italic ? kItalicShear : 0.0;
        const double scale = style.height / kStrokeLineUnits;
        const int bold_extra = static_cast<int>(std::lround(font.stroke_width - 1.0));
        font.lead =
            static_cast<int>(std::ceil(font.shear * (kStrokeSlantPivot + kStrokeDescent) * scale));
        font.overhang =
            static_cast<int>(std::ceil(font.shear * (kStrokeAscent - kStrokeSlantPivot) * scale));
        std::uint32_t pen = 0;
        for (int byte = kFirstGlyph; byte <= kLastGlyph; ++byte) {
            font.offsets[byte] = pen;
            font.widths[byte] =
                static_cast<std::uint32_t>(std::lround(stroke_advance(byte) * scale)) + bold_extra;
            pen += font.cell_width(byte) + 1; // a blank column keeps filtering apart
        }
        // Tabs read as two spaces; other bytes outside the font as one.
        font.widths['\t'] = 2 * font.widths[' '];
        for (int byte = kLastGlyph + 1; byte < 256; ++byte)
            font.widths[byte] = font.widths[' '];
        band_y += font.band_height + 1;
    }
    set.image_height = band_y;
    return set;
}

const FontSet& fonts()
{
    static const FontSet set = build_fonts();
    return set;
}

} // namespace

const FontHandle& FontTable::operator[](int index) const
{
    return font_or_default(index);
}

int FontTable::image_width() const
{
    return kImageWidth;
}

int FontTable::image_height() const
{
    return fonts().image_height;
}

const FontHandle& font_or_default(int index)
{
    if (index < 0 || index >= kFontCount) index = kDefaultFont;
    return fonts().handles[index];
}

// Summed in 64 bits and clamped: a kernel line of a hundred million
// characters is wider than an int can hold.
int text_width(const FontHandle& font, std::string_view text)
{
    std::int64_t width = 0;
    for (unsigned char byte : text)
        width += font.widths[byte];
    return static_cast<int>(std::min<std::int64_t>(width, std::numeric_limits<int>::max()));
}

namespace {

// One line (no '\n') broken at blanks into lines of at most `width` pixels.
// Leading blanks indent the line (report columns): they stay in front of its
// first word; the lines a break starts begin at their word.
void wrap_line(const FontHandle& font, const std::string& line, int width, std::string& out)
{
    std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    std::string current = line.substr(0, indent);
    std::size_t start = indent;
    while (start <= line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string::npos) end = line.size();
        const std::string word = line.substr(start, end - start);
        const bool has_words = current.size() > indent;
        const std::string joined = has_words ? current + ' ' + word : current + word;
        if (has_words && text_width(font, joined) > width) {
            out += current;
            out += '\n';
            current = word;
            indent = 0;
        } else {
            current = joined;
        }
        start = end + 1;
    }
    out += current;
}

} // namespace

std::string wrap_text(const FontHandle& font, const std::string& text, int width)
{
    if (width <= 0) return text;
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        wrap_line(font, text.substr(start, end == std::string::npos ? end : end - start), width,
                  out);
        if (end == std::string::npos) break;
        out += '\n';
        start = end + 1;
    }
    return out;
}

// The lines are read in place: copying each one out costs an allocation per
// line, and a kernel channel holds hundreds of thousands of them.
TextMetrics measure_text(const FontHandle& font, std::string_view text)
{
    TextMetrics metrics;
    if (text.empty()) return metrics;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const int width = text_width(font, text.substr(start, end - start));
        metrics.line_widths.push_back(width);
        metrics.line_starts.push_back(start);
        metrics.widest = std::max(metrics.widest, width);
        if (end == text.size()) break;
        start = end + 1;
    }
    metrics.height = static_cast<int>(metrics.line_widths.size()) * font.glyph_height;
    return metrics;
}

} // namespace lumo
