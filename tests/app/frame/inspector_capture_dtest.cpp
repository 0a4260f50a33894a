// The entity inspector with nothing selected in the real program, at the
// start-up window size and at a larger one: its header says that nothing is
// selected.

#include "tests/app/frame/program_driver.h"

#include <string>

namespace {

using namespace program_driver;

struct WindowSize {
    int width, height;
};

class InspectorAndCapturesInProgram : public ProgramTest,
                                      public testing::WithParamInterface<WindowSize> {
protected:
    int width() const { return GetParam().width; }
    int height() const { return GetParam().height; }

    void start()
    {
        fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim",
                      fs::path(workspace.path()) / "simple.plim");
        start_and_wait_for_interface(quoted(STANDIN_KERNEL_PATH) + " " +
                                     quoted(workspace.path() + "/"));
        if (width() != 720) {
            program.move(40, 60);
            program.resize(width(), height());
            ASSERT_TRUE(wait_until([&] { return program.window_size().first == width(); }));
        }
    }

    // The details pane takes the lower 60 percent of the side panel below
    // its tab strip; its first strip is the header.
    int details_top() const { return 112 + (height() - 168) * 40 / 100; }
    int dark_in(int y, int h) { return program.count_pixels(0, y, 240, h, &Rgb::dark); }
    int header_text() { return dark_in(details_top(), 24); }
    int details_text() { return dark_in(details_top() + 30, 90); }

    TempDirectory workspace{"plim-inspector-captures"};
};

// Before any script and after the selected entity is clicked again, the
// header reads that nothing is selected and the details below it are hidden.
TEST_P(InspectorAndCapturesInProgram, TheInspectorSaysWhenNothingIsSelected)
{
    start();
    ASSERT_TRUE(toggle_until([&] { return program.pixel(117, 62).bluish(); }, XK_2))
        << "the entity inspector opens";
    EXPECT_TRUE(wait_until([&] { return header_text() > 30; }))
        << "before any script the header shows";
    EXPECT_LT(details_text(), 5);

    ASSERT_TRUE(repeat_until([&] { return program.pixel(width() - 100, 250).light(); },
                             [&] { program.key(XK_o, {XK_Control_L}); }))
        << "the navigator opens";
    program.key(XK_a, {XK_Control_L});
    program.key(XK_Return);
    const auto shown = [&] { return details_text() > 100; };
    ASSERT_TRUE(click_until(shown, 60, 122)) << "the ball's row shows its details";
    ASSERT_TRUE(click_until([&] { return !shown(); }, 60, 122)) << "a second click unselects";
    EXPECT_GT(header_text(), 30) << "the header still shows";
    EXPECT_LT(details_text(), 5) << "the details are hidden";
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, InspectorAndCapturesInProgram,
                         testing::Values(WindowSize{720, 480}, WindowSize{1200, 800}),
                         [](const testing::TestParamInfo<WindowSize>& size) {
                             return std::to_string(size.param.width) + "x" +
                                    std::to_string(size.param.height);
                         });

} // namespace
