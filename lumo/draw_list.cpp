#include "lumo/draw_list.h"

#include <algorithm>
#include <cmath>

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

int DrawList::add_text_line(const FontHandle& font, const std::string& line, int x, int y,
                            std::uint32_t argb, const DrawContext& context)
{
    const std::uint32_t colour = apply_opacity(argb, context.opacity);
    const float su = 1.0f / static_cast<float>(std::max(g_font_handles.image_width(), 1));
    const float sv = 1.0f / static_cast<float>(std::max(g_font_handles.image_height(), 1));
    int pen = x;
    for (unsigned char byte : line) {
        const int advance = static_cast<int>(font.widths[byte]);
        if (byte > 32 && byte < 127 && advance > 0) {
            // The cell of a slanted glyph starts left of the pen.
            const auto cell = static_cast<int>(font.cell_width(byte));
            DrawQuad quad = make_quad(pen - font.lead, y, cell, font.band_height, context);
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
    return pen - x;
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

void paint_label(DrawList& list, const P& widget, const DrawContext& context,
                 const std::string& text, int scroll_x)
{
    if (text.empty()) return;
    const FontHandle& font = font_or_default(widget.font);
    const TextMetrics metrics = measure_text(font, text);
    const int left = context.x + widget.margin.left + widget.padding.left;
    const int top = context.y + widget.margin.top + widget.padding.top;
    const int box_w = widget.width - widget.margin.left - widget.margin.right -
                      widget.padding.left - widget.padding.right;
    const int box_h = widget.height - widget.margin.top - widget.margin.bottom -
                      widget.padding.top - widget.padding.bottom;
    int line_y = top;
    if (widget.align_y == kAlignCentre) line_y += (box_h - metrics.height) / 2;
    if (widget.align_y == kAlignEnd) line_y += box_h - metrics.height;
    const std::uint32_t colour = widget_text_colour(widget);
    std::size_t start = 0;
    for (int line_width : metrics.line_widths) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        int line_x = left - scroll_x;
        if (widget.align_x == kAlignCentre) line_x += (box_w - line_width) / 2;
        if (widget.align_x == kAlignEnd) line_x += box_w - line_width;
        list.add_text_line(font, text.substr(start, end - start), line_x, line_y, colour, context);
        line_y += font.glyph_height;
        start = end + 1;
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
    if (with_label) paint_label(list, widget, context, widget.label, 0);
}

void build_draw_list(P& root, DrawList& list)
{
    list.clear();
    root.draw(list, DrawContext{});
}

} // namespace lumo
