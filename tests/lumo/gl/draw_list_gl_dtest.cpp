// The toolkit's widgets drawn through GL into a real window and read back.

#include "tests/platform/x11/display_fixture.h"

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "lumo/assets/font_image.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/assets/icons.h"
#include "lumo/container.h"
#include "lumo/draw_list.h"
#include "lumo/gl/draw_list_gl.h"
#include "lumo/gl/textures.h"
#include "tests/lumo/lumo_test_support.h"

namespace {

constexpr int WIDTH = 160;
constexpr int HEIGHT = 96;

using Pixel = std::array<int, 3>;

class ToolkitDrawing : public GlWindowTest<WIDTH, HEIGHT> {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        lumo::generate_font_image();
        lumo::generate_icon_atlas();
        lumo::generate_logo_image();
        lumo::create_font_texture();
        lumo::create_icon_atlas_texture();
        lumo::create_logo_texture();
        glViewport(0, 0, WIDTH, HEIGHT);
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        root_.width = WIDTH;
        root_.height = HEIGHT;
    }

    void TearDown() override
    {
        lumo::delete_toolkit_textures();
        GlWindowTest::TearDown();
    }

    // Draws the list and reads the back buffer back.
    void draw(const lumo::DrawList& list)
    {
        lumo::draw_draw_list(list, WIDTH, HEIGHT);
        frame_.assign(static_cast<std::size_t>(WIDTH) * HEIGHT * 4, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, frame_.data());
    }

    void draw()
    {
        lumo::DrawList list;
        lumo::build_draw_list(root_, list);
        draw(list);
    }

    void add(lumo::P& widget, int x, int y, int width, int height)
    {
        root_.add_child(&lumo::place(widget, x, y, width, height));
    }

    // Pixel (x, y) counted from the top-left, as the widgets are placed.
    Pixel pixel(int x, int y) const
    {
        const std::size_t at = (static_cast<std::size_t>(HEIGHT - 1 - y) * WIDTH + x) * 4;
        return {frame_[at], frame_[at + 1], frame_[at + 2]};
    }

    // How many pixels of the rectangle differ from white.
    int inked_pixels(int x, int y, int width, int height) const
    {
        int count = 0;
        for (int row = y; row < y + height; ++row)
            for (int column = x; column < x + width; ++column)
                count += pixel(column, row) != Pixel{255, 255, 255};
        return count;
    }

    lumo::KL root_;
    std::vector<std::uint8_t> frame_;
};

} // namespace

TEST_F(ToolkitDrawing, FillsLabelsGradientsAndTransparencyReachTheFramebuffer)
{
    EXPECT_TRUE(lumo::g_toolkit_textures.font && lumo::g_toolkit_textures.atlas &&
                lumo::g_toolkit_textures.logo);
    EXPECT_TRUE(lumo::g_font_image_pixels.empty() && lumo::g_icon_atlas_pixels.empty())
        << "the font and atlas buffers are freed";
    EXPECT_FALSE(lumo::g_logo_pixels.empty());

    const FillStyle red({1.0, 0.0, 0.0, 1.0}, kFillFlat);
    const FillStyle vertical({0.0, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0, 1.0}, kFillVertical);
    lumo::P filled, label, gradient, half_black;
    filled.fill = gradient.fill = true;
    filled.fill_style = &red;
    gradient.fill_style = &vertical;
    label.text_colour = half_black.background_colour = 0xFF000000;
    label.set_label("PLIM");
    half_black.opacity = 0.5;
    add(filled, 10, 10, 40, 30);
    add(label, 60, 50, 70, 30);
    add(half_black, 100, 0, 20, 20);
    add(gradient, 140, 0, 20, HEIGHT);
    draw();

    EXPECT_EQ(pixel(30, 25), (Pixel{255, 0, 0})) << "inside the filled widget";
    EXPECT_EQ(pixel(5, 5), (Pixel{255, 255, 255})) << "outside every widget";
    EXPECT_EQ(pixel(51, 25), (Pixel{255, 255, 255})) << "just right of the filled widget";
    EXPECT_GT(inked_pixels(60, 50, 70, 30), 20) << "the label's glyphs";
    EXPECT_EQ(inked_pixels(0, 45, 140, 4), 0) << "nothing between the widgets";
    const Pixel top = pixel(150, 0), bottom = pixel(150, HEIGHT - 1);
    EXPECT_TRUE(top[2] > 240 && top[1] < 15) << "gradient starts blue";
    EXPECT_TRUE(bottom[1] > 240 && bottom[2] < 15) << "and ends green";
    EXPECT_NEAR(pixel(110, 10)[0], 128, 3) << "half-transparent black over white";
}

TEST_F(ToolkitDrawing, QuadsStayInsideTheirClipAndAnIconIsTintedFromTheAtlas)
{
    lumo::DrawList list;
    lumo::DrawContext clipped;
    clipped.clip = list.push_clip(0, 0, 40, HEIGHT, -1);
    list.add_rect(20, 20, 60, 20, 0xFF00FF00, clipped);
    list.add_rect(20, 60, 60, 20, 0xFF0000FF, lumo::DrawContext{});
    list.add_icon(lumo::kIconConfirm, 96, 0, 64, false, 0xFF0000FF, lumo::DrawContext{});
    draw(list);

    EXPECT_EQ(pixel(30, 30), (Pixel{0, 255, 0}));
    EXPECT_EQ(pixel(50, 30), (Pixel{255, 255, 255})) << "cut off by the clip";
    EXPECT_EQ(pixel(70, 70), (Pixel{0, 0, 255})) << "a later quad without a clip";
    int blue = 0;
    for (int y = 0; y < 64; y += 2)
        for (int x = 96; x < 160; x += 2)
            blue += pixel(x, y)[2] > 200 && pixel(x, y)[0] < 100;
    EXPECT_GT(blue, 20) << "the icon's shape, in the tint";
    EXPECT_EQ(pixel(90, 10), (Pixel{255, 255, 255})) << "nothing beside the icon";
}

TEST_F(ToolkitDrawing, WithoutItsTextureALabelDrawsNothingRatherThanBoxes)
{
    lumo::delete_toolkit_textures();
    lumo::P label;
    label.text_colour = 0xFF000000;
    label.set_label("PLIM");
    add(label, 0, 0, WIDTH, HEIGHT);

    draw();

    EXPECT_EQ(inked_pixels(0, 0, WIDTH, HEIGHT), 0);
}
