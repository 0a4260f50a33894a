// Fill styles and the draw list built from a few known widgets.

#include <gtest/gtest.h>

#include <vector>

#include "lumo/assets/icons.h"
#include "lumo/draw_list.h"
#include "lumo/fill_style.h"
#include "lumo/font.h"
#include "lumo/root.h"
#include "lumo/scroll_pane.h"
#include "lumo/slider.h"
#include "lumo/text.h"

namespace lumo {
namespace {

const std::vector<double> kRedToBlue = {1, 0, 0, 1, 0, 0, 1, 1};

TEST(FillStyle, BuildingKeepsTheStopsAndCopyingReversesThem) {
  const FillStyle built(kRedToBlue, kFillVertical);
  EXPECT_EQ(built.mode, kFillVertical);
  EXPECT_EQ(built.stops, kRedToBlue);
  const FillStyle copy(built);
  EXPECT_EQ(copy.mode, kFillVertical);
  EXPECT_EQ(copy.stops, (std::vector<double>{0, 0, 1, 1, 1, 0, 0, 1}));
  const FillStyle twice(copy);
  EXPECT_EQ(twice.stops, kRedToBlue);
  FillStyle assigned;
  assigned = built;
  EXPECT_EQ(assigned.stops, copy.stops);
  const FillStyle single({0.5, 0.5, 0.5, 1}, kFillFlat);
  EXPECT_EQ(FillStyle(single).stops, single.stops);
  // A moved style keeps its order: only copies flip.
  FillStyle moved(FillStyle(kRedToBlue, kFillFlat));
  EXPECT_EQ(moved.stops.size(), 8u);
}

TEST(DrawTone, OpacityScalesAlphaAndIntensityScalesColour) {
  EXPECT_EQ(apply_tone(0xFF804020, 1.0, 1.0), 0xFF804020u);
  EXPECT_EQ(apply_tone(0xFF804020, 0.5, 1.0) >> 24, 0x80u);
  EXPECT_EQ(apply_tone(0xFF804020, 1.0, 0.5), 0xFF402010u);
  EXPECT_EQ(rgba_to_argb(1, 0, 0, 1), 0xFFFF0000u);
}

struct Scene : ::testing::Test {
  UI root;
  DrawList list;
  void SetUp() override {
    root.width = 300;
    root.height = 200;
  }
};

TEST_F(Scene, FillBordersAndGradientOfOneWidget) {
  const FillStyle gradient(kRedToBlue, kFillVertical);
  const FillStyle grey({0.5, 0.5, 0.5, 1}, kFillFlat);
  P box;
  box.x = 10;
  box.y = 20;
  box.width = 50;
  box.height = 30;
  box.fill = true;
  box.fill_style = &gradient;
  box.border_bottom = Border{2, &grey, 0};
  root.add_child(&box);
  build_draw_list(root, list);
  ASSERT_EQ(list.quads.size(), 2u);
  const DrawQuad& fill = list.quads[0];
  EXPECT_EQ(fill.x0, 10);
  EXPECT_EQ(fill.y0, 20);
  EXPECT_EQ(fill.x1, 60);
  EXPECT_EQ(fill.y1, 50);
  EXPECT_EQ(fill.texture, DrawTexture::kNone);
  EXPECT_EQ(fill.colours[0], 0xFFFF0000u);  // top: first stop
  EXPECT_EQ(fill.colours[2], 0xFF0000FFu);  // bottom: second stop
  const DrawQuad& border = list.quads[1];
  EXPECT_EQ(border.y0, 48);
  EXPECT_EQ(border.y1, 50);
  EXPECT_EQ(border.colours[0], 0xFF808080u);
}

TEST_F(Scene, StateStylesWinOverTheFillAndHiddenWidgetsDrawNothing) {
  const FillStyle normal({1, 1, 1, 1}, kFillFlat);
  const FillStyle hover({0, 1, 0, 1}, kFillFlat);
  const FillStyle chosen({0, 0, 1, 1}, kFillFlat);
  P row;
  row.width = 10;
  row.height = 10;
  row.fill = true;
  row.fill_style = &normal;
  row.hover_style = &hover;
  row.selected_style = &chosen;
  root.add_child(&row);
  build_draw_list(root, list);
  EXPECT_EQ(list.quads.at(0).colours[0], 0xFFFFFFFFu);
  row.hovered = true;
  build_draw_list(root, list);
  EXPECT_EQ(list.quads.at(0).colours[0], 0xFF00FF00u);
  row.selected = true;
  build_draw_list(root, list);
  EXPECT_EQ(list.quads.at(0).colours[0], 0xFF0000FFu);
  row.visible = false;
  build_draw_list(root, list);
  EXPECT_TRUE(list.quads.empty());
}

TEST_F(Scene, LabelGlyphsIconAndInheritedOpacityAndIntensity) {
  KL row;
  row.x = 5;
  row.y = 5;
  row.width = 200;
  row.height = 40;
  row.opacity = 0.5;
  row.intensity = 0.5;
  P label;
  label.width = 200;
  label.height = 20;
  label.align_x = kAlignStart;
  label.text_colour = 0xFFFFFFFF;
  label.set_label("Ab c");
  P icon;
  icon.x = 100;
  icon.width = 24;
  icon.height = 24;
  icon.icon = kIconDelete;
  icon.icon_flip_x = true;
  icon.depth_offset = 0.1;
  row.add_child(&icon);
  row.add_child(&label);
  root.add_child(&row);
  build_draw_list(root, list);
  // The label comes first (less depth), three glyphs (the blank has none).
  ASSERT_EQ(list.quads.size(), 4u);
  const FontHandle& font = g_font_handles[kDefaultFont];
  const DrawQuad& first = list.quads[0];
  EXPECT_EQ(first.texture, DrawTexture::kFont);
  EXPECT_EQ(first.x0, 5);
  EXPECT_EQ(first.x1 - first.x0, static_cast<float>(font.widths['A']));
  EXPECT_EQ(list.quads[1].x0, 5 + static_cast<float>(font.widths['A']));
  EXPECT_EQ(first.colours[0], 0x80808080u);  // half opacity, half intensity, rounded
  const DrawQuad& glyph_icon = list.quads[3];
  EXPECT_EQ(glyph_icon.texture, DrawTexture::kAtlas);
  EXPECT_FLOAT_EQ(glyph_icon.depth, 0.1f);
  EXPECT_GT(glyph_icon.u0, glyph_icon.u1);  // flipped
  EXPECT_FLOAT_EQ(glyph_icon.u1, 64.0f / 512.0f);
}

TEST_F(Scene, TheLogoIconDrawsFromTheLogoImage) {
  P logo;
  logo.width = 128;
  logo.height = 128;
  logo.icon = kIconLogo;
  logo.icon_scale = 2.0;
  logo.opacity = 0.25;
  root.add_child(&logo);
  build_draw_list(root, list);
  ASSERT_EQ(list.quads.size(), 1u);
  EXPECT_EQ(list.quads[0].texture, DrawTexture::kLogo);
  EXPECT_EQ(list.quads[0].x1 - list.quads[0].x0, 256);
  EXPECT_EQ(list.quads[0].x0, -64);
  EXPECT_EQ(list.quads[0].colours[0] >> 24, 0x40u);
  logo.opacity = 0.0;  // the start-up logo before it fades in
  build_draw_list(root, list);
  EXPECT_TRUE(list.quads.empty());
}

TEST_F(Scene, ScrollPanesClipAndOffsetTheirContent) {
  SP pane;
  pane.x = 10;
  pane.y = 10;
  pane.width = 100;
  pane.height = 50;
  P content;
  content.width = 80;
  content.height = 200;
  content.background_colour = 0xFF112233;
  pane.add_child(&content);
  pane.fraction_y = 1.0;
  root.add_child(&pane);
  root.layout();
  build_draw_list(root, list);
  ASSERT_FALSE(list.quads.empty());
  const DrawQuad& body = list.quads[0];
  EXPECT_EQ(body.y0, 10 - 150);
  ASSERT_GE(body.clip, 0);
  const ClipRect& clip = list.clips[body.clip];
  EXPECT_EQ(clip.x, 10);
  EXPECT_EQ(clip.y, 10);
  EXPECT_EQ(clip.width, 100);
  EXPECT_EQ(clip.height, 50);
  // Nested clips intersect.
  const int inner = list.push_clip(100, 0, 50, 50, body.clip);
  EXPECT_EQ(list.clips[inner].x, 100);
  EXPECT_EQ(list.clips[inner].width, 10);
  EXPECT_EQ(list.clips[inner].height, 40);
}

TEST_F(Scene, SliderDrawsItsKnobAtTheValue) {
  SB slider;
  slider.width = 110;
  slider.height = 20;
  slider.knob_size = 10;
  slider.value = 0.5;
  root.add_child(&slider);
  build_draw_list(root, list);
  ASSERT_EQ(list.quads.size(), 1u);
  EXPECT_EQ(list.quads[0].x0, 50);
  EXPECT_EQ(list.quads[0].x1, 60);
}

}  // namespace
}  // namespace lumo
