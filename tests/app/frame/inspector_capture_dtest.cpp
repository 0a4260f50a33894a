// The entity inspector with nothing selected and the snapshot and
// screenshot panes of the real program, at the start-up window size and at
// a larger one: the inspector's header says that nothing is selected, and
// each capture pane shows its image inside its own frame with the line that
// says what Enter does, which then saves the image into the workspace.

#include "tests/app/frame/program_driver.h"

#include <string>

namespace {

using namespace program_driver;

struct WindowSize {
    int width, height;
};

// The dialogs' size, the snapshot pane's narrower width, the gap inside a
// pane and the height of its title strip.
constexpr int DIALOG_WIDTH = 512, DIALOG_HEIGHT = 368, SNAPSHOT_WIDTH = 256, GAP = 8,
              TITLE_STRIP = 48;

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

    // The pane's frame is whole when its left and right columns and its top
    // row are the frame's colour from end to end: nothing is drawn over it.
    bool frame_whole(int x, int y, int w)
    {
        const Rgb colour = program.pixel(x, y + DIALOG_HEIGHT - 1);
        const auto frame = [&](const Rgb& c) { return c == colour; };
        return program.count_pixels(x, y, 1, DIALOG_HEIGHT, frame) == DIALOG_HEIGHT &&
               program.count_pixels(x + w - 1, y, 1, DIALOG_HEIGHT, frame) == DIALOG_HEIGHT &&
               program.count_pixels(x, y, w, 1, frame) == w;
    }

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

// Ctrl+8 snapshots the view into the narrow pane, Ctrl+7 the window into a
// dialog-wide one; each keeps the image inside its frame, between its title
// and its Enter line, and Enter saves it into the workspace.
TEST_P(InspectorAndCapturesInProgram, EachCapturePaneShowsItsImageInsideAndEnterSavesIt)
{
    struct Capture {
        const char* name;
        KeySym key;
        int pane_width;
        const char* file_prefix;
    };
    const Capture captures[] = {
        {"snapshot", XK_8, SNAPSHOT_WIDTH, "plim_snapshot_"},
        {"screenshot", XK_7, DIALOG_WIDTH, "plim_screenshot_"},
    };
    start();
    for (const Capture& c : captures) {
        SCOPED_TRACE(c.name);
        const int x = (width() - c.pane_width) / 2;
        const int y = (height() - DIALOG_HEIGHT) / 2;
        const int inner = c.pane_width - 2 * GAP;
        // The pane's body between its title strip and the image covers the view.
        ASSERT_TRUE(
            repeat_until([&] { return program.pixel(x + c.pane_width - 5, y + 40).light(); },
                         [&] { program.key(c.key, {XK_Control_L}); }))
            << "the pane opens";
        EXPECT_TRUE(wait_until([&] { return frame_whole(x, y, c.pane_width); }))
            << "nothing covers the pane's frame";
        EXPECT_TRUE(wait_until([&] {
            return program.count_pixels(x + GAP, y + TITLE_STRIP, inner,
                                        DIALOG_HEIGHT - 2 * TITLE_STRIP, &Rgb::view) > 500;
        })) << "the captured view shows in the pane";
        EXPECT_GT(program.count_pixels(x + GAP, y + DIALOG_HEIGHT - TITLE_STRIP + GAP / 2, inner,
                                       TITLE_STRIP - GAP, &Rgb::dark),
                  50)
            << "the Enter line shows at the foot of the pane";

        program.key(XK_Return);
        std::string saved;
        EXPECT_TRUE(wait_until([&] {
            for (const fs::directory_entry& entry : fs::directory_iterator(workspace.path()))
                if (entry.path().filename().string().rfind(c.file_prefix, 0) == 0)
                    saved = entry.path().filename().string();
            return !saved.empty();
        })) << "Enter saves the image into the workspace";
        EXPECT_EQ(fs::path(saved).extension(), ".png");
        program.key(XK_Escape); // the pane that names the saved path
        ASSERT_TRUE(wait_until([&] { return program.pixel(650, 150).view(); }))
            << "no pane is left over the view";
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, InspectorAndCapturesInProgram,
                         testing::Values(WindowSize{720, 480}, WindowSize{1200, 800}),
                         [](const testing::TestParamInfo<WindowSize>& size) {
                             return std::to_string(size.param.width) + "x" +
                                    std::to_string(size.param.height);
                         });

} // namespace
