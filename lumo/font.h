#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumo {

// One font of the font image: a horizontal band holding the glyphs of bytes
// 32 to 126 side by side. Offsets and widths are in pixels of the image.
struct FontHandle {
    std::int32_t index = 0;
    std::int32_t image_width = 0;  // width of the whole font image
    std::int32_t band_height = 0;  // height of this font's band
    std::int32_t band_y = 0;       // first image row of the band
    std::int32_t glyph_height = 0; // line height
    double stroke_width = 1.0;     // pen width in pixels
    double shear = 0.0;            // italic slant, x shift per pixel of height
    // A slanted glyph reaches past its advance: its descender `lead` pixels
    // left of the pen, its ascender `overhang` pixels right of the advance.
    // Its image cell holds both, so nothing of the glyph is cut off.
    std::int32_t lead = 0;
    std::int32_t overhang = 0;
    std::uint32_t offsets[256] = {}; // first image column of each glyph's cell
    std::uint32_t widths[256] = {};  // advance of each byte

    std::uint32_t cell_width(int byte) const
    {
        return widths[byte] + static_cast<std::uint32_t>(lead + overhang);
    }
};

enum FontIndex : int {
    kFontRegular = 0,
    kFontBold = 1,
    kFontItalic = 2,
    kFontSmall = 3,
    kFontSmallBold = 4,
    kFontSmallItalic = 5,
    kFontLarge = 6,
    kFontLargeBold = 7,
    kFontLargeItalic = 8,
    kFontTiny = 9,
    kFontTinyBold = 10,
    kFontTitle = 11,
};
constexpr int kFontCount = 12;
constexpr int kDefaultFont = kFontRegular;

// The twelve fonts, built on first use so that static initialisers of other
// files can read them safely.
struct FontTable {
    const FontHandle& operator[](int index) const;
    int size() const { return kFontCount; }
    int image_width() const;
    int image_height() const;
};
inline constexpr FontTable g_font_handles{};

// A valid font index for any input (out of range falls back to the default).
const FontHandle& font_or_default(int index);

// Pixel width of one line of text (bytes outside the font count as spaces),
// at most the largest int.
int text_width(const FontHandle& font, std::string_view text);

// The text with line breaks added at blanks so that each line fits `width`
// pixels; a word wider than `width` keeps a line of its own. Existing line
// breaks stay; a width of 0 or less changes nothing.
std::string wrap_text(const FontHandle& font, const std::string& text, int width);

// Line widths of a text cut at '\n', the byte where each line starts, its
// widest line and total height.
struct TextMetrics {
    std::vector<int> line_widths;
    std::vector<std::size_t> line_starts;
    int widest = 0;
    int height = 0;
};
TextMetrics measure_text(const FontHandle& font, std::string_view text);

} // namespace lumo
