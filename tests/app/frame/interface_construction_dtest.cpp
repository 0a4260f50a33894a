// One frame of the built interface in a real GL context, in every theme:
// the bars stand apart from the 3-D area, which shows the theme's
// background, and the side-panel tabs carry their labels. The Light frame
// stays in the build folder's artefacts as a PNG for a person to look at.

#include "tests/platform/x11/display_fixture.h"

#include "app/frame/interface_construction.h"
#include "state/application.h"
#include "lumo/assets/font_image.h"
#include "lumo/assets/icon_atlas.h"
#include "lumo/gl/textures.h"
#include "platform/image_writer.h"
#include "platform/services.h"
#include "render/gl/frame.h"
#include "shell/themes.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int W = 720;
constexpr int H = 480;

struct Rgb {
    int r = 0, g = 0, b = 0;
};

int distance(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

Rgb rgb_of(const std::array<double, 4>& colour)
{
    return {static_cast<int>(colour[0] * 255.0 + 0.5), static_cast<int>(colour[1] * 255.0 + 0.5),
            static_cast<int>(colour[2] * 255.0 + 0.5)};
}

// The frame's pixels, rows top to bottom as the image writer wants them.
struct Frame {
    std::vector<std::uint8_t> rgba;

    Rgb at(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }
};

Frame read_frame()
{
    std::vector<std::uint8_t> bottom_up(static_cast<std::size_t>(W) * H * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    Frame frame{std::vector<std::uint8_t>(bottom_up.size())};
    const std::size_t row = static_cast<std::size_t>(W) * 4;
    for (int y = 0; y < H; ++y)
        std::copy_n(bottom_up.begin() + static_cast<std::ptrdiff_t>((H - 1 - y) * row), row,
                    frame.rgba.begin() + static_cast<std::ptrdiff_t>(y * row));
    return frame;
}

// Pixels of the rectangle (x0, y0)-(x1, y1) that stand out from `ground`.
int marked_pixels(const Frame& frame, int x0, int y0, int x1, int y1, Rgb ground)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += distance(frame.at(x, y), ground) > 90 ? 1 : 0;
    return count;
}

// The 720 x 480 start layout: a point of each bar's own fill, clear of its
// widgets.
constexpr struct {
    const char* id;
    int x, y;
} kBars[] = {
    {"TOOLBAR", 140, 4}, {"TIPBAR", 400, 72}, {"STATUSBAR", 400, 436}, {"TABBAR", 400, 464}};

constexpr struct {
    const char* label;
    int x0, x1;
} kTabs[] = {{"CONSOLE", 0, 84}, {"ENTITY", 84, 154}, {"PARAMETER", 154, 256}};

class InterfaceFrame : public GlWindowTest<W, H> {
protected:
    void SetUp() override
    {
        GlWindowTest::SetUp();
        if (IsSkipped()) return;
        lumo::generate_icon_atlas();
        lumo::generate_logo_image();
        lumo::generate_font_image();
        lumo::create_icon_atlas_texture();
        lumo::create_logo_texture();
        lumo::create_font_texture();
    }

    void TearDown() override
    {
        lumo::delete_toolkit_textures();
        set_clear_colour(0.0, 0.0, 0.0, 1.0);
        GlWindowTest::TearDown();
    }

    // Builds the interface in `theme` the way start-up does and paints it as
    // the start-up sequence leaves it: its pane and the configuration pane
    // gone.
    Frame paint(int theme)
    {
        create_application();
        Application& app = *g_app;
        app.view_settings.theme_index = theme;
        install_headless_services(app.platform);
        build_application_ui(app);
        app.startup_pane.visible = false;
        if (app.configuration_pane != nullptr) app.configuration_pane->visible = false;
        app.startup_finished = 1;
        render_frame(app.root, {app.gl_vertex_arrays_to_delete, app.gl_buffers_to_delete,
                                app.gl_index_buffers_to_delete});
        Frame frame = read_frame();
        destroy_application();
        return frame;
    }
};

} // namespace

TEST_F(InterfaceFrame, EveryThemeShowsItsBarsOverItsBackgroundAndLabelsTheSidePanelTabs)
{
    std::vector<Rgb> toolbar_colours;
    for (int theme = 0; theme < THEME_COUNT; ++theme) {
        const ThemeColours& colours = theme_table()[static_cast<std::size_t>(theme)];
        SCOPED_TRACE(colours.name);
        const Frame frame = paint(theme);
        if (theme == THEME_LIGHT) {
            const fs::path artefacts = fs::path(PLIM_BINARY_DIR) / "artefacts";
            fs::create_directories(artefacts);
            const fs::path png = artefacts / "interface-light-720x480.png";
            ASSERT_TRUE(write_image(png.string(), "png", frame.rgba.data(), W, H, W * 4));
            EXPECT_GT(fs::file_size(png), 1000u);
        }

        // In the 3-D area, clear of the statistics text in its upper-left corner.
        const Rgb view = frame.at(400, 300);
        EXPECT_LE(distance(view, rgb_of(colours.background)), 6)
            << "the 3-D area shows the theme's background";
        for (const auto& bar : kBars)
            EXPECT_GT(distance(frame.at(bar.x, bar.y), view), 24)
                << bar.id << " stands apart from the 3-D area";
        const Rgb toolbar = frame.at(kBars[0].x, kBars[0].y);
        toolbar_colours.push_back(toolbar);
        // TOPOLOGY, the first tool-menu button, after three 56 px buttons.
        EXPECT_GT(marked_pixels(frame, 168, 2, 224, 54, toolbar), 150)
            << "the first tool-menu icon shows on the tool bar";

        for (const auto& tab : kTabs) {
            const Rgb ground = frame.at(tab.x0 + 3, 58);
            EXPECT_GT(distance(rgb_of(colours.text), ground), 200)
                << tab.label << ": text readable on its tab";
            EXPECT_GT(marked_pixels(frame, tab.x0 + 2, 58, tab.x1 - 2, 86, ground), 40)
                << tab.label << " puts glyph pixels inside its tab";
        }
    }
    for (std::size_t a = 0; a < toolbar_colours.size(); ++a)
        for (std::size_t b = a + 1; b < toolbar_colours.size(); ++b)
            EXPECT_GT(distance(toolbar_colours[a], toolbar_colours[b]), 24)
                << "themes " << a << " and " << b << " give different bar colours";
}
