// Fill styles and the draw list built from a few known widgets.

#include <gtest/gtest.h>

#include "lumo/assets/icons.h"
#include "lumo/draw_list.h"
#include "lumo/fill_style.h"
#include "lumo_test_support.h"

#include <set>
#include <string>
#include <tuple>

namespace lumo {
namespace {

const std::vector<double> kRedToBlue = {1, 0, 0, 1, 0, 0, 1, 1};

TEST(FillStyle, CopyingReversesTheStopsAndToneScales)
{
    const FillStyle built(kRedToBlue, kFillVertical);
    const FillStyle copy(built);
    EXPECT_EQ(copy.mode, kFillVertical);
    EXPECT_EQ(copy.stops, (std::vector<double>{0, 0, 1, 1, 1, 0, 0, 1}));
    EXPECT_EQ(FillStyle(copy).stops, kRedToBlue);
    FillStyle assigned;
    assigned = built;
    EXPECT_EQ(assigned.stops, copy.stops);
    const FillStyle single({0.5, 0.5, 0.5, 1}, kFillFlat);
    EXPECT_EQ(FillStyle(single).stops, single.stops);
    // Opacity scales alpha and leaves the colour.
    EXPECT_EQ(std::tuple(apply_opacity(0xFF804020, 1.0), apply_opacity(0xFF804020, 0.5),
                         apply_opacity(0x80804020, 0.5)),
              std::tuple(0xFF804020u, 0x80804020u, 0x40804020u));
    EXPECT_EQ(rgba_to_argb(1, 0, 0, 1), 0xFFFF0000u);
}

struct Scene : ::testing::Test {
    UI root;
    DrawList list;
    void SetUp() override { place(root, 0, 0, 300, 200); }
    const std::vector<DrawQuad>& draw()
    {
        build_draw_list(root, list);
        return list.quads;
    }
};

TEST_F(Scene, FillBordersGradientAndStateStyles)
{
    const FillStyle gradient(kRedToBlue, kFillVertical);
    const FillStyle grey({0.5, 0.5, 0.5, 1}, kFillFlat);
    P box;
    place(box, 10, 20, 50, 30).fill = true;
    box.fill_style = &gradient;
    box.border_bottom = Border{2, &grey, 0};
    root.add_child(&box);
    ASSERT_EQ(draw().size(), 2u);
    const DrawQuad& fill = list.quads[0];
    EXPECT_EQ((std::vector<float>{fill.x0, fill.y0, fill.x1, fill.y1}),
              (std::vector<float>{10, 20, 60, 50}));
    EXPECT_EQ(fill.texture, DrawTexture::kNone);
    EXPECT_EQ(fill.colours[0], 0xFFFF0000u); // top: first stop
    EXPECT_EQ(fill.colours[2], 0xFF0000FFu); // bottom: second stop
    const DrawQuad& border = list.quads[1];
    EXPECT_EQ(std::tuple(border.y0, border.y1, border.colours[0]), std::tuple(48, 50, 0xFF808080u));

    // State styles win over the fill; hidden widgets draw nothing.
    const FillStyle normal({1, 1, 1, 1}, kFillFlat);
    const FillStyle hover({0, 1, 0, 1}, kFillFlat);
    const FillStyle chosen({0, 0, 1, 1}, kFillFlat);
    P row;
    place(row, 100, 100, 10, 10).fill = true;
    row.fill_style = &normal;
    row.hover_style = &hover;
    row.selected_style = &chosen;
    root.add_child(&row);
    EXPECT_EQ(draw().at(2).colours[0], 0xFFFFFFFFu);
    row.hovered = true;
    EXPECT_EQ(draw().at(2).colours[0], 0xFF00FF00u);
    row.selected = true;
    EXPECT_EQ(draw().at(2).colours[0], 0xFF0000FFu);
    row.visible = false;
    EXPECT_EQ(draw().size(), 2u);
}

TEST_F(Scene, LabelGlyphsIconAndInheritedOpacity)
{
    KL row;
    place(row, 5, 5, 200, 40);
    row.opacity = 0.5;
    P label;
    place(label, 0, 0, 200, 20).align_x = kAlignStart;
    label.opacity = 0.5;
    label.text_colour = 0xFFFFFFFF;
    label.set_label("Ab c");
    P icon;
    place(icon, 100, 0, 24, 24).icon = kIconDelete;
    icon.icon_flip_x = true;
    icon.depth_offset = 0.1;
    row.add_child(&icon);
    row.add_child(&label);
    root.add_child(&row);
    draw();
    // The label comes first (less depth), three glyphs (the blank has none).
    ASSERT_EQ(list.quads.size(), 4u);
    const FontHandle& font = g_font_handles[kDefaultFont];
    const DrawQuad& first = list.quads[0];
    EXPECT_EQ(first.texture, DrawTexture::kFont);
    EXPECT_EQ(first.x0, 5);
    EXPECT_EQ(first.x1 - first.x0, static_cast<float>(font.widths['A']));
    EXPECT_EQ(list.quads[1].x0, 5 + static_cast<float>(font.widths['A']));
    EXPECT_EQ(first.colours[0], 0x40FFFFFFu); // half of half opacity, rounded; white stays white
    const DrawQuad& glyph_icon = list.quads[3];
    EXPECT_EQ(glyph_icon.texture, DrawTexture::kAtlas);
    EXPECT_FLOAT_EQ(glyph_icon.depth, 0.1f);
    EXPECT_GT(glyph_icon.u0, glyph_icon.u1); // flipped
    EXPECT_FLOAT_EQ(glyph_icon.u1, 64.0f / 512.0f);
}

TEST_F(Scene, TheLogoDrawsFromTheLogoImageAndASliderItsKnobAtTheValue)
{
    P logo;
    place(logo, 0, 0, 128, 128).icon = kIconLogo;
    logo.icon_scale = 2.0;
    logo.opacity = 0.25;
    root.add_child(&logo);
    ASSERT_EQ(draw().size(), 1u);
    const DrawQuad& q = list.quads[0];
    EXPECT_EQ(q.texture, DrawTexture::kLogo);
    EXPECT_EQ(std::tuple(q.x0, q.x1, q.colours[0] >> 24), std::tuple(-64, 192, 0x40u));
    logo.opacity = 0.0; // the start-up logo before it fades in
    EXPECT_TRUE(draw().empty());

    SB slider;
    place(slider, 0, 0, 110, 20).knob_size = 10;
    slider.value = 0.5;
    root.add_child(&slider);
    ASSERT_EQ(draw().size(), 1u);
    EXPECT_EQ(std::pair(list.quads[0].x0, list.quads[0].x1), std::pair(50.0f, 60.0f));
}

// Texts and icons given no colour take the theme's text colour; a text-only
// widget with a shape colour stands on a backing of it; a selected or hovered
// widget takes its override's form for the highlight.
TEST_F(Scene, UncolouredTextsAndIconsFollowTheThemeAndAShapeColourBacksAText)
{
    const double saved[4] = {g_theme_text_colour[0], g_theme_text_colour[1], g_theme_text_colour[2],
                             g_theme_text_colour[3]};
    const double light[4] = {1.0, 1.0, 1.0, 1.0};
    std::copy(light, light + 4, g_theme_text_colour);
    const double green[4] = {0.0, 1.0, 0.0, 1.0};
    const double blue[4] = {0.0, 0.0, 1.0, 1.0};
    struct Case {
        const char* what;
        int icon;
        std::uint32_t text_colour, shape_colour;
        const double* override_colour;
        std::vector<std::uint32_t> colours; // of the quads, backing first
        const double* highlight_colour = nullptr;
        bool selected = false, hovered = false;
    };
    const Case cases[] = {
        {"plain text", -1, kThemeColour, kThemeColour, nullptr, {0xFFFFFFFF}},
        {"own text colour", -1, 0xFF102030, kThemeColour, nullptr, {0xFF102030}},
        {"plain icon", kIconDelete, kThemeColour, kThemeColour, nullptr, {0xFFFFFFFF}},
        {"tinted icon", kIconDelete, kThemeColour, 0xFF405060, nullptr, {0xFF405060}},
        {"override tints the icon", kIconDelete, kThemeColour, 0xFF405060, green, {0xFF00FF00}},
        {"backed text", -1, 0xFF2080FF, 0x40000000, nullptr, {0x40000000, 0xFF2080FF}},
        {"off the highlight", -1, kThemeColour, kThemeColour, green, {0xFF00FF00}, blue},
        {"selected icon", kIconDelete, kThemeColour, kThemeColour, green, {0xFF0000FF}, blue, true},
        {"hovered", -1, kThemeColour, kThemeColour, green, {0xFF0000FF}, blue, false, true},
    };
    for (const Case& c : cases) {
        P widget;
        place(widget, 0, 0, 60, 20).icon = c.icon;
        widget.text_colour = c.text_colour;
        widget.shape_colour = c.shape_colour;
        widget.text_colour_override = c.override_colour;
        widget.highlight_colour_override = c.highlight_colour;
        widget.selected = c.selected;
        widget.hovered = c.hovered;
        if (c.icon < 0) widget.set_label("x");
        root.children = {&widget};
        std::vector<std::uint32_t> colours;
        for (const DrawQuad& quad : draw())
            colours.push_back(quad.colours[0]);
        EXPECT_EQ(colours, c.colours) << c.what;
    }
    root.children.clear();
    std::copy(saved, saved + 4, g_theme_text_colour);
}

TEST_F(Scene, ScrollPanesClipAndOffsetTheirContent)
{
    SP pane;
    place(pane, 10, 10, 100, 50);
    P content;
    pane.add_child(&place(content, 0, 0, 80, 200));
    content.background_colour = 0xFF112233;
    pane.fraction_y = 1.0;
    root.add_child(&pane);
    root.layout();
    ASSERT_FALSE(draw().empty());
    const DrawQuad& body = list.quads[0];
    EXPECT_EQ(body.y0, 10 - 150);
    ASSERT_GE(body.clip, 0);
    const ClipRect& clip = list.clips[body.clip];
    EXPECT_EQ((std::vector<int>{clip.x, clip.y, clip.width, clip.height}),
              (std::vector<int>{10, 10, 100, 50}));
    // Nested clips intersect.
    const ClipRect& inner = list.clips[list.push_clip(100, 0, 50, 50, body.clip)];
    EXPECT_EQ((std::vector<int>{inner.x, inner.width, inner.height}),
              (std::vector<int>{100, 10, 40}));
}

// A tall text and a long line in a scroll pane make quads only for what its
// clip shows: the quads of the whole text drawn unclipped, in their order and
// number, less those wholly outside the clip.
TEST_F(Scene, TextMakesQuadsOnlyInsideItsScrollPanesClip)
{
    std::vector<std::string> rows(2000);
    for (std::size_t i = 0; i < rows.size(); ++i) { // six glyphs each
        const std::string digits = std::to_string(i);
        rows[i] = "ab" + std::string(4 - digits.size(), '0') + digits;
    }
    struct Case {
        const char* what;
        bool long_line;
        double fraction_x, fraction_y;
        std::size_t lines;
        float first_y, last_y;
    };
    // The pane's clip is y 10 to 60; lines are 17 high, 34,000 in all.
    const Case cases[] = {
        {"top", false, 0.0, 0.0, 3, 10, 44},
        {"middle", false, 0.0, 0.5, 4, 1, 52},
        {"bottom", false, 0.0, 1.0, 3, 9, 43},
        {"long line", true, 0.5, 0.0, 1, 10, 10},
    };
    const auto glyphs = [this] {
        std::vector<DrawQuad> font_quads;
        for (const DrawQuad& quad : draw())
            if (quad.texture == DrawTexture::kFont) font_quads.push_back(quad);
        return font_quads;
    };
    const auto corners = [](const DrawQuad& q) { return std::tuple(q.x0, q.y0, q.x1, q.u0); };
    for (const Case& c : cases) {
        T text;
        if (c.long_line) {
            text.set_label(std::string(20000, 'm'));
        } else {
            text.set_text_lines(rows, static_cast<int>(rows.size()));
        }
        place(text, 0, 0, text.label_width, text.label_height);
        SP pane;
        place(pane, 10, 10, 100, 50).add_child(&text);
        pane.fraction_x = c.fraction_x;
        pane.fraction_y = c.fraction_y;
        root.children = {&pane};
        root.layout();
        const std::vector<DrawQuad> shown = glyphs();
        ASSERT_FALSE(shown.empty()) << c.what;
        std::set<float> tops;
        for (const DrawQuad& q : shown)
            tops.insert(q.y0);
        EXPECT_EQ(tops.size(), c.lines) << c.what;
        EXPECT_EQ(std::pair(shown.front().y0, shown.back().y0), std::pair(c.first_y, c.last_y))
            << c.what;
        pane.clip_children = false;
        std::vector<decltype(corners(shown[0]))> expected, got;
        for (const DrawQuad& q : glyphs())
            if (q.x1 > 10 && q.x0 < 110 && q.y1 > 10 && q.y0 < 60) expected.push_back(corners(q));
        for (const DrawQuad& q : shown)
            got.push_back(corners(q));
        EXPECT_EQ(got, expected) << c.what;
    }
    root.children.clear();
}

} // namespace
} // namespace lumo
