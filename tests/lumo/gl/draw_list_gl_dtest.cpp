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

    // The back buffer, read once after drawing; pixel (x, y) counted from the
    // top-left, as the widgets are placed.
    void read_frame()
    {
        frame_.assign(static_cast<std::size_t>(WIDTH) * HEIGHT * 4, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, frame_.data());
    }

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
                if (pixel(column, row) != Pixel{255, 255, 255}) ++count;
        return count;
    }

    // Places `widget` under the root, to be drawn by draw().
    void add(lumo::P& widget, int x, int y, int width, int height)
    {
        widget.x = x;
        widget.y = y;
        widget.width = width;
        widget.height = height;
        root_.add_child(&widget);
    }

    void draw(const lumo::DrawList& list)
    {
        lumo::draw_draw_list(list, WIDTH, HEIGHT);
        read_frame();
    }

    void draw()
    {
        lumo::DrawList list;
        lumo::build_draw_list(root_, list);
        draw(list);
    }

    lumo::KL root_;
    std::vector<std::uint8_t> frame_;
};

} // namespace

TEST_F(ToolkitDrawing, TexturesAreMadeAndAFilledWidgetAndALabelReachTheFramebuffer)
{
    EXPECT_NE(lumo::g_toolkit_textures.font, 0u);
    EXPECT_NE(lumo::g_toolkit_textures.atlas, 0u);
    EXPECT_NE(lumo::g_toolkit_textures.logo, 0u);
    EXPECT_TRUE(lumo::g_font_image_pixels.empty()) << "the font and atlas buffers are freed";
    EXPECT_TRUE(lumo::g_icon_atlas_pixels.empty());
    EXPECT_FALSE(lumo::g_logo_pixels.empty());

    const FillStyle red({1.0, 0.0, 0.0, 1.0}, kFillFlat);
    lumo::P filled;
    filled.fill = true;
    filled.fill_style = &red;
    add(filled, 10, 10, 40, 30);
    lumo::P label;
    label.text_colour = 0xFF000000;
    label.set_label("PLIM");
    add(label, 60, 50, 90, 30);

    draw();

    EXPECT_EQ(pixel(30, 25), (Pixel{255, 0, 0})) << "inside the filled widget";
    EXPECT_EQ(pixel(5, 5), (Pixel{255, 255, 255})) << "outside every widget";
    EXPECT_EQ(pixel(51, 25), (Pixel{255, 255, 255})) << "just right of the filled widget";
    EXPECT_GT(inked_pixels(60, 50, 90, 30), 20) << "the label's glyphs";
    EXPECT_EQ(inked_pixels(0, 45, WIDTH, 4), 0) << "nothing between the two widgets";
}

TEST_F(ToolkitDrawing, GradientCornersAndTransparencyAreBlended)
{
    const FillStyle vertical({0.0, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0, 1.0}, kFillVertical);
    lumo::P gradient;
    gradient.fill = true;
    gradient.fill_style = &vertical;
    add(gradient, 0, 0, 20, HEIGHT);
    lumo::P half_black;
    half_black.background_colour = 0xFF000000;
    half_black.opacity = 0.5;
    add(half_black, 100, 0, 20, 20);

    draw();

    const Pixel top = pixel(10, 0);
    const Pixel bottom = pixel(10, HEIGHT - 1);
    EXPECT_GT(top[2], 240);
    EXPECT_LT(top[1], 15);
    EXPECT_GT(bottom[1], 240);
    EXPECT_LT(bottom[2], 15);
    const Pixel grey = pixel(110, 10);
    EXPECT_NEAR(grey[0], 128, 3) << "half-transparent black over white";
}

TEST_F(ToolkitDrawing, QuadsStayInsideTheirClipRectangle)
{
    lumo::DrawList list;
    const int clip = list.push_clip(0, 0, 40, HEIGHT, -1);
    lumo::DrawContext context;
    context.clip = clip;
    list.add_rect(20, 20, 60, 20, 0xFF00FF00, context);
    list.add_rect(20, 60, 60, 20, 0xFF0000FF, lumo::DrawContext{});
    draw(list);

    EXPECT_EQ(pixel(30, 30), (Pixel{0, 255, 0}));
    EXPECT_EQ(pixel(50, 30), (Pixel{255, 255, 255})) << "cut off by the clip";
    EXPECT_EQ(pixel(70, 70), (Pixel{0, 0, 255})) << "a later quad without a clip";
}

TEST_F(ToolkitDrawing, AnIconIsTintedFromTheAtlas)
{
    lumo::DrawList list;
    list.add_icon(lumo::kIconConfirm, 0, 0, 64, false, 0xFF0000FF, lumo::DrawContext{});
    draw(list);

    int blue = 0;
    for (int y = 0; y < 64; y += 2)
        for (int x = 0; x < 64; x += 2) {
            const Pixel at = pixel(x, y);
            if (at[2] > 200 && at[0] < 100) ++blue;
        }
    EXPECT_GT(blue, 20) << "the shape, in the tint";
    EXPECT_EQ(pixel(100, 10), (Pixel{255, 255, 255})) << "nothing beside the icon";
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
