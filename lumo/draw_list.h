#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lumo/fill_style.h"
#include "lumo/widget.h"

namespace lumo {

struct FontHandle;

enum class DrawTexture : std::uint8_t { kNone, kFont, kAtlas, kLogo, kThumbnails, kCapture };

// One screen-aligned quad in window pixels. Corner colours are ARGB with
// opacity already applied, in the order top-left, top-right,
// bottom-right, bottom-left. Texture coordinates are normalised.
struct DrawQuad {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    std::uint32_t colours[4] = {0, 0, 0, 0};
    DrawTexture texture = DrawTexture::kNone;
    float depth = 0;
    int clip = -1; // index into DrawList::clips, -1 none
};

struct ClipRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The CPU side of painting: one frame's quads in painting order and the clip
// rectangles they refer to. The GL side uploads and draws it as it is.
class DrawList {
public:
    std::vector<DrawQuad> quads;
    std::vector<ClipRect> clips;

    void clear();
    // A clip rectangle, intersected with the parent clip; returns its index.
    int push_clip(int x, int y, int width, int height, int parent);
    void add_rect(int x, int y, int width, int height, std::uint32_t argb,
                  const DrawContext& context);
    void add_fill(int x, int y, int width, int height, const FillStyle& style,
                  const DrawContext& context);
    void add_icon(int slot, int x, int y, int size, bool flip_x, std::uint32_t argb,
                  const DrawContext& context);
    // One line of text with its top-left corner at (x, y). Glyphs wholly
    // outside the context's clip make no quads.
    void add_text_line(const FontHandle& font, std::string_view line, int x, int y,
                       std::uint32_t argb, const DrawContext& context);
    // A region (u0, v0, u1, v1) of an application image over the rectangle.
    void add_image(DrawTexture texture, const std::array<float, 4>& uv, int x, int y, int width,
                   int height, const DrawContext& context);
    // The whole logo image (in its own colours, toned by argb) over the rectangle.
    void add_logo(int x, int y, int width, int height, std::uint32_t argb,
                  const DrawContext& context);
};

// ARGB with opacity multiplied into alpha.
std::uint32_t apply_opacity(std::uint32_t argb, double opacity);
// RGBA doubles (0 to 1) to ARGB.
std::uint32_t rgba_to_argb(double r, double g, double b, double a);

// Paints one widget alone: background, fill by state, borders, icon and,
// unless the widget paints its text itself, the label.
void paint_widget(DrawList& list, const P& widget, const DrawContext& context,
                  bool with_label = true);
// The label of a widget in its padded box, shifted left by scroll_x; only
// its lines that reach into the context's clip are walked.
void paint_label(DrawList& list, const P& widget, const DrawContext& context, int scroll_x);
// The widget's text colour: the override when set, else its own.
std::uint32_t widget_text_colour(const P& widget);
// The icon tint: the text colour when the widget follows the theme, else
// its own shape colour.
std::uint32_t widget_icon_colour(const P& widget);

// Lays out nothing: walks the already laid-out tree from the root.
void build_draw_list(P& root, DrawList& list);

} // namespace lumo
