#include "lumo/draw_list.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "lumo/assets/icons.h"
#include "lumo/font.h"

namespace lumo {

namespace {

std::uint32_t to_byte(double v)
{
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

DrawQuad make_quad(int x, int y, int width, int height, const DrawContext& context)
{
    DrawQuad quad;
    quad.x0 = static_cast<float>(x);
    quad.y0 = static_cast<float>(y);
    quad.x1 = static_cast<float>(x + width);
    quad.y1 = static_cast<float>(y + height);
    quad.depth = static_cast<float>(context.depth);
    quad.clip = context.clip;
    return quad;
}

void set_colour(DrawQuad& quad, std::uint32_t argb)
{
    for (std::uint32_t& corner : quad.colours)
        corner = argb;
}

std::uint32_t argb_of(const double* rgba)
{
    return rgba_to_argb(rgba[0], rgba[1], rgba[2], rgba[3]);
}

// Colour of a style at one corner (u, v in 0..1 across the rectangle).
std::uint32_t style_colour(const FillStyle& style, double u, double v, const DrawContext& context)
{
    double t = 0.0;
    switch (style.mode) {
    case kFillVertical:
        t = v;
        break;
    case kFillHorizontal:
        t = u;
        break;
    case kFillDiagonal:
        t = 0.5 * (u + v);
        break;
    default:
        t = 0.0;
        break;
    }
    double rgba[4];
    for (int c = 0; c < 4; ++c)
        rgba[c] = style.channel(0, c) * (1.0 - t) + style.channel(1, c) * t;
    return apply_opacity(argb_of(rgba), context.opacity);
}

void add_border(DrawList& list, const Border& border, int x, int y, int width, int height,
                const DrawContext& context)
{
    if (border.width <= 0 || width <= 0 || height <= 0) return;
    if (border.style != nullptr)
        list.add_fill(x, y, width, height, *border.style, context);
    else if ((border.colour >> 24) != 0)
        list.add_rect(x, y, width, height, border.colour, context);
}

const FillStyle* state_style(const P& widget)
{
    if (widget.selected && widget.selected_style != nullptr) return widget.selected_style;
    if (widget.hovered && widget.hover_style != nullptr) return widget.hover_style;
    if (widget.fill) return widget.fill_style;
    return nullptr;
}

const ClipRect* clip_of(const DrawList& list, const DrawContext& context)
{
    if (context.clip < 0 || context.clip >= static_cast<int>(list.clips.size())) return nullptr;
    return &list.clips[static_cast<std::size_t>(context.clip)];
}

// a / b rounded down (b > 0): the lines above a clip give negative numerators.
std::int64_t floor_div(std::int64_t a, std::int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The lines [first, last) of a text whose first line's top is at `top` that
// reach into the clip: the quads of a line span the font's band from its top.
struct LineRange {
    std::size_t first = 0;
    std::size_t last = 0;
};

LineRange lines_in_clip(const ClipRect* clip, const FontHandle& font, std::int64_t top,
                        std::size_t count)
{
    if (clip == nullptr || font.glyph_height <= 0) return {0, count};
    const std::int64_t step = font.glyph_height;
    const std::int64_t bottom = std::int64_t{clip->y} + clip->height;
    const std::int64_t first = floor_div(clip->y - font.band_height - top, step) + 1;
    const std::int64_t last = -floor_div(top - bottom, step); // rounded up
    const auto bound = [count](std::int64_t line) {
        return static_cast<std::size_t>(
            std::clamp<std::int64_t>(line, 0, static_cast<std::int64_t>(count)));
    };
    return {bound(first), std::max(bound(first), bound(last))};
}

} // namespace

std::uint32_t rgba_to_argb(double r, double g, double b, double a)
{
    return (to_byte(a) << 24) | (to_byte(r) << 16) | (to_byte(g) << 8) | to_byte(b);
}

std::uint32_t apply_opacity(std::uint32_t argb, double opacity)
{
    const double a = ((argb >> 24) & 0xFF) / 255.0 * opacity;
    return (argb & 0x00FFFFFFu) | (to_byte(a) << 24);
}

void DrawList::clear()
{
    quads.clear();
    clips.clear();
}

int DrawList::push_clip(int x, int y, int width, int height, int parent)
{
    ClipRect clip{x, y, std::max(width, 0), std::max(height, 0)};
    if (parent >= 0 && parent < static_cast<int>(clips.size())) {
        const ClipRect& outer = clips[parent];
        const int x0 = std::max(clip.x, outer.x);
        const int y0 = std::max(clip.y, outer.y);
        const int x1 = std::min(clip.x + clip.width, outer.x + outer.width);
        const int y1 = std::min(clip.y + clip.height, outer.y + outer.height);
        clip = {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
    }
    clips.push_back(clip);
    return static_cast<int>(clips.size()) - 1;
}

void DrawList::add_rect(int x, int y, int width, int height, std::uint32_t argb,
                        const DrawContext& context)
{
    if (width <= 0 || height <= 0) return;
    DrawQuad quad = make_quad(x, y, width, height, context);
    set_colour(quad, apply_opacity(argb, context.opacity));
    quads.push_back(quad);
}

void DrawList::add_fill(int x, int y, int width, int height, const FillStyle& style,
                        const DrawContext& context)
{
    if (width <= 0 || height <= 0 || style.stop_count() == 0) return;
    DrawQuad quad = make_quad(x, y, width, height, context);
    quad.colours[0] = style_colour(style, 0.0, 0.0, context);
    quad.colours[1] = style_colour(style, 1.0, 0.0, context);
    quad.colours[2] = style_colour(style, 1.0, 1.0, context);
    quad.colours[3] = style_colour(style, 0.0, 1.0, context);
    quads.push_back(quad);
}

void DrawList::add_icon(int slot, int x, int y, int size, bool flip_x, std::uint32_t argb,
                        const DrawContext& context)
{
    const IconCell cell = icon_cell(slot);
    if (cell.size == 0 || size <= 0) return;
    DrawQuad quad = make_quad(x, y, size, size, context);
    const float scale = 1.0f / kIconAtlasSize;
    quad.u0 = cell.x * scale;
    quad.u1 = (cell.x + cell.size) * scale;
    if (flip_x) std::swap(quad.u0, quad.u1);
    quad.v0 = cell.y * scale;
    quad.v1 = (cell.y + cell.size) * scale;
    quad.texture = DrawTexture::kAtlas;
    set_colour(quad, apply_opacity(argb, context.opacity));
    quads.push_back(quad);
}

// A glyph's cell starts `lead` left of its pen and pens only move right, so
// the first cell past the clip's right edge ends the line: a line of
// megabytes costs only what shows of it.
void DrawList::add_text_line(const FontHandle& font, std::string_view line, int x, int y,
                             std::uint32_t argb, const DrawContext& context)
{
    std::int64_t clip_left = std::numeric_limits<std::int64_t>::min();
    std::int64_t clip_right = std::numeric_limits<std::int64_t>::max();
    if (const ClipRect* clip = clip_of(*this, context)) {
        if (y + font.band_height <= clip->y || y >= clip->y + clip->height) return;
        clip_left = clip->x;
        clip_right = std::int64_t{clip->x} + clip->width;
    }
    const std::uint32_t colour = apply_opacity(argb, context.opacity);
    const float su = 1.0f / static_cast<float>(std::max(g_font_handles.image_width(), 1));
    const float sv = 1.0f / static_cast<float>(std::max(g_font_handles.image_height(), 1));
    std::int64_t pen = x;
    for (unsigned char byte : line) {
        const std::int64_t cell_x = pen - font.lead;
        if (cell_x >= clip_right) break;
        const int advance = static_cast<int>(font.widths[byte]);
        const auto cell = static_cast<int>(font.cell_width(byte));
        if (byte > 32 && byte < 127 && advance > 0 && cell_x + cell > clip_left) {
            DrawQuad quad = make_quad(static_cast<int>(cell_x), y, cell, font.band_height, context);
            quad.u0 = static_cast<float>(font.offsets[byte]) * su;
            quad.u1 =
                static_cast<float>(font.offsets[byte] + static_cast<std::uint32_t>(cell)) * su;
            quad.v0 = static_cast<float>(font.band_y) * sv;
            quad.v1 = static_cast<float>(font.band_y + font.band_height) * sv;
            quad.texture = DrawTexture::kFont;
            set_colour(quad, colour);
            quads.push_back(quad);
        }
        pen += advance;
    }
}

void DrawList::add_logo(int x, int y, int width, int height, std::uint32_t argb,
                        const DrawContext& context)
{
    if (width <= 0 || height <= 0) return;
    DrawQuad quad = make_quad(x, y, width, height, context);
    quad.u1 = 1.0f;
    quad.v1 = 1.0f;
    quad.texture = DrawTexture::kLogo;
    set_colour(quad, apply_opacity(argb, context.opacity));
    quads.push_back(quad);
}

void DrawList::add_image(DrawTexture texture, const std::array<float, 4>& uv, int x, int y,
                         int width, int height, const DrawContext& context)
{
    if (width <= 0 || height <= 0) return;
    DrawQuad quad = make_quad(x, y, width, height, context);
    quad.u0 = uv[0];
    quad.v0 = uv[1];
    quad.u1 = uv[2];
    quad.v1 = uv[3];
    quad.texture = texture;
    set_colour(quad, apply_opacity(0xFFFFFFFF, context.opacity));
    quads.push_back(quad);
}

std::uint32_t widget_text_colour(const P& widget)
{
    if (widget.highlight_colour_override != nullptr && (widget.selected || widget.hovered))
        return argb_of(widget.highlight_colour_override);
    if (widget.text_colour_override != nullptr) return argb_of(widget.text_colour_override);
    return widget.text_colour != kThemeColour ? widget.text_colour : argb_of(g_theme_text_colour);
}

// A widget whose text follows an override tints its icon the same way, so
// icons stay readable on every theme's bars; an icon given no colour takes
// the theme's text colour too.
std::uint32_t widget_icon_colour(const P& widget)
{
    if (widget.text_colour_override != nullptr) return widget_text_colour(widget);
    return widget.shape_colour != kThemeColour ? widget.shape_colour : argb_of(g_theme_text_colour);
}

// The lines are found from where set_label measured them to start, so the
// lines outside the clip are neither walked nor copied. Their widths are
// measured here, for the lines shown, and only when the alignment needs
// them: a widget may change its font after its label was measured.
void paint_label(DrawList& list, const P& widget, const DrawContext& context, int scroll_x)
{
    const std::string& text = widget.label;
    const std::vector<std::size_t>& starts = widget.line_starts;
    if (text.empty() || starts.empty()) return;
    const FontHandle& font = font_or_default(widget.font);
    const int left = context.x + widget.margin.left + widget.padding.left;
    const int top = context.y + widget.margin.top + widget.padding.top;
    const int box_w = widget.width - widget.margin.left - widget.margin.right -
                      widget.padding.left - widget.padding.right;
    const int box_h = widget.height - widget.margin.top - widget.margin.bottom -
                      widget.padding.top - widget.padding.bottom;
    const std::int64_t height = static_cast<std::int64_t>(starts.size()) * font.glyph_height;
    std::int64_t first_y = top;
    if (widget.align_y == kAlignCentre) first_y += (box_h - height) / 2;
    if (widget.align_y == kAlignEnd) first_y += box_h - height;
    const LineRange range = lines_in_clip(clip_of(list, context), font, first_y, starts.size());
    const std::uint32_t colour = widget_text_colour(widget);
    for (std::size_t i = range.first; i < range.last; ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] - 1 : text.size();
        const std::string_view line(text.data() + starts[i], end - starts[i]);
        int line_x = left - scroll_x;
        if (widget.align_x == kAlignCentre) line_x += (box_w - text_width(font, line)) / 2;
        if (widget.align_x == kAlignEnd) line_x += box_w - text_width(font, line);
        const auto line_y =
            static_cast<int>(first_y + static_cast<std::int64_t>(i) * font.glyph_height);
        list.add_text_line(font, line, line_x, line_y, colour, context);
    }
}

void paint_widget(DrawList& list, const P& widget, const DrawContext& context, bool with_label)
{
    const int x = context.x + widget.margin.left;
    const int y = context.y + widget.margin.top;
    const int w = widget.width - widget.margin.left - widget.margin.right;
    const int h = widget.height - widget.margin.top - widget.margin.bottom;
    if ((widget.background_colour >> 24) != 0)
        list.add_rect(x, y, w, h, widget.background_colour, context);
    if (const FillStyle* style = state_style(widget)) list.add_fill(x, y, w, h, *style, context);
    if (widget.hovered && (widget.hover_colour >> 24) != 0)
        list.add_rect(x, y, w, h, widget.hover_colour, context);
    add_border(list, widget.border_left, x, y, widget.border_left.width, h, context);
    add_border(list, widget.border_top, x, y, w, widget.border_top.width, context);
    add_border(list, widget.border_right, x + w - widget.border_right.width, y,
               widget.border_right.width, h, context);
    add_border(list, widget.border_bottom, x, y + h - widget.border_bottom.width, w,
               widget.border_bottom.width, context);
    // A text-only widget with a shape colour stands on a backing of it, so
    // its text reads over whatever lies behind (the 3-D view).
    if (widget.icon < 0 && widget.shape_colour != kThemeColour)
        list.add_rect(x, y, w, h, widget.shape_colour, context);
    if (widget.image != WidgetImage::kNone)
        list.add_image(widget.image == WidgetImage::kThumbnails ? DrawTexture::kThumbnails
                                                                : DrawTexture::kCapture,
                       widget.image_uv, x, y, w, h, context);
    if (widget.icon >= 0) {
        const int size = static_cast<int>(std::min(w, h) * widget.icon_scale);
        const int left = x + (w - size) / 2;
        const int top = y + (h - size) / 2;
        // The logo has an image of its own, sharper than its atlas cell when large.
        if (widget.icon == kIconLogo)
            list.add_logo(left, top, size, size, 0xFFFFFFFF, context);
        else
            list.add_icon(widget.icon, left, top, size, widget.icon_flip_x,
                          widget_icon_colour(widget), context);
    }
    if (with_label) paint_label(list, widget, context, 0);
}

void build_draw_list(P& root, DrawList& list)
{
    list.clear();
    root.draw(list, DrawContext{});
}

} // namespace lumo
