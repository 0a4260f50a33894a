// The side panels and the colour-by strip of the real program, at the
// start-up window size and at a larger one: a colour function chosen in the
// strip recolours the mesh, and the uniform scale typed into the entity
// details, scrolled to their transform block, doubles the mesh.

#include "tests/app/frame/program_driver.h"

#include <string>

namespace {

using namespace program_driver;

struct WindowSize {
    int width, height;
};

bool orange(const Rgb& c)
{
    return c.r > 200 && c.g > 80 && c.g < 170 && c.b < 80;
}

bool warm(const Rgb& c)
{
    return c.r > 150 && c.g < c.r && c.b < 80;
}

class SidePanelsInProgram : public ProgramTest, public testing::WithParamInterface<WindowSize> {
protected:
    int width() const { return GetParam().width; }
    int height() const { return GetParam().height; }

    // The program on a workspace holding the example ball, sized to the
    // parameter, with the ball opened and drawn.
    void start_with_the_ball()
    {
        fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim",
                      fs::path(workspace.path()) / "simple.plim");
        start_and_wait_for_interface(quoted(STANDIN_KERNEL_PATH) + " " +
                                     quoted(workspace.path() + "/"));
        if (width() != 720) {
            // Captures and clicks must lie on the screen.
            program.move(40, 60);
            program.resize(width(), height());
            ASSERT_TRUE(wait_until([&] { return program.window_size().first == width(); }));
        }
        ASSERT_TRUE(repeat_until([&] { return program.pixel(width() - 100, 250).light(); },
                                 [&] { program.key(XK_o, {XK_Control_L}); }))
            << "the navigator opens";
        program.key(XK_a, {XK_Control_L});
        program.key(XK_Return);
        ASSERT_TRUE(wait_until([&] { return orange_pixels() > 500; })) << "the ball shows";
    }

    int orange_pixels() { return program.count_pixels(0, 0, width(), height(), orange); }
    // The ball's lit and shaded sides alike.
    int ball_pixels() { return program.count_pixels(0, 0, width(), height(), warm); }

    // The view between the colour bar's hint and the slider bar.
    Image view() { return program.capture(260, 180, width() - 300, height() - 300); }

    // The details pane ends with the control pane, above the slider, status
    // and tab bars; scrolled to its end, the transform block's last eight
    // strips stand above a 15-pixel margin, the uniform scale's field the
    // sixth from the bottom.
    int uniform_scale_y() const { return height() - 56 - 24 - 5 * 24 - 15 - 12; }
    // The details pane takes the lower 60 percent of the side panel below its
    // tab strip.
    int details_top() const { return 112 + (height() - 168) * 40 / 100; }

    TempDirectory workspace{"plim-side-panels"};
};

// COLOUR opens its menu of rows; "Function" shows the colour-by strip, whose
// "curvature" lies beside "planarity" right of the colour-by button.
TEST_P(SidePanelsInProgram, CurvatureChosenInTheColourByStripRecoloursTheBall)
{
    start_with_the_ball();
    ASSERT_TRUE(toggle_until([&] { return !side_panel_area(&Rgb::light); }, XK_1))
        << "the console panel closes, giving the strip the window's width";
    const int colour_button = width() == 720 ? 252 : 168 + (width() - 336 - 448) / 2 + 84;
    const Image plain = view();
    // The open menu marks its chosen row, RGBA, in the selection's blue; the
    // script list that the strip shows while no menu is open has none there.
    ASSERT_TRUE(repeat_until([&] { return program.count_pixels(372, 60, 50, 22, &Rgb::bluish) > 200; },
                             [&] { program.click(colour_button, 27); }))
        << "the COLOUR menu shows its rows";
    program.click(595, 71);
    program.move_pointer(width() / 2, height() / 2);
    ASSERT_TRUE(wait_until([&] { return view().differences(plain) > 2000; }))
        << "function mode colours the ball by elevation";
    const Image elevation = view();
    program.click(538, 100);
    program.move_pointer(width() / 2, height() / 2);
    EXPECT_TRUE(wait_until([&] { return view().differences(elevation) > 2000; }))
        << "curvature recolours the ball";
}

TEST_P(SidePanelsInProgram, AUniformScaleOfTwoTypedInTheScrolledDetailsDoublesTheBall)
{
    start_with_the_ball();
    ASSERT_TRUE(toggle_until([&] { return program.pixel(117, 62).bluish(); }, XK_2))
        << "the entity inspector opens";
    ASSERT_TRUE(repeat_until(
        [&] { return program.count_pixels(0, details_top() + 30, 240, 60, &Rgb::dark) > 50; },
        [&] { program.click(60, 122); }))
        << "the entity row shows its details";
    const int before = ball_pixels();
    for (int notch = 0; notch < 12; ++notch)
        program.click(100, height() - 150, 5);
    // The chosen transform order, "SRT", shows in the last strip.
    ASSERT_TRUE(wait_until([&] {
        return program.count_pixels(100, height() - 56 - 15 - 24, 60, 24, &Rgb::bluish) > 50;
    })) << "the details scroll to the end of their transform block";
    program.click(200, uniform_scale_y());
    program.key(XK_End);
    program.key(XK_BackSpace);
    program.type("2");
    program.key(XK_Return);
    // Twice as large, the ball reaches past the top of the view.
    EXPECT_TRUE(wait_until([&] { return ball_pixels() > before * 3 / 2; }))
        << "the ball doubles: " << before << " pixels before, " << ball_pixels() << " after";
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, SidePanelsInProgram,
                         testing::Values(WindowSize{720, 480}, WindowSize{1200, 800}),
                         [](const testing::TestParamInfo<WindowSize>& size) {
                             return std::to_string(size.param.width) + "x" +
                                    std::to_string(size.param.height);
                         });

} // namespace
