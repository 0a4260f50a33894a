// The real program at 720 x 480 and at 1200 x 800, driven as a person would:
// the frame-rate read-out of the WINDOW settings, the script list in the tool
// strip with the menu tree beneath it, and the navigator's sort marker and
// NONE button, judged by the window's pixels.

#include "tests/app/frame/program_driver.h"

#include <string>
#include <utility>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

// The read-out's rate colours; "?" is grey.
bool coloured(const Rgb& c)
{
    return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 100;
}

bool text_ink(const Rgb& c)
{
    return c.r < 120 && c.g < 120 && c.b < 120;
}

class InfoAndStripsInProgram : public SizedProgramTest {
protected:
    // Starts on the workspace, with the console open, at the size under test.
    void start(const std::vector<std::string>& examples = {})
    {
        for (const std::string& name : examples)
            add_example(name);
        start_sized();
    }

    // Where the frame-rate read-out shows, right of the view's middle, above
    // the slider bar.
    Image readout() { return program.capture(W / 2, H - 120, W / 2 - 40, 44); }

    // The rightmost column of text in the tool strip, right of the side-panel tabs.
    int strip_text_end()
    {
        const Image strip = program.capture(S, U + 4, W - S, M - 8);
        int end = 0;
        for (int row = 0; row < strip.height; ++row)
            for (int column = 0; column < strip.width; ++column)
                if (text_ink(strip.pixels[static_cast<std::size_t>(row * strip.width + column)]))
                    end = std::max(end, S + column);
        return end;
    }
};

} // namespace

// WINDOW > Frame-Rate shows digits in a rate colour at once, and the text
// follows the frames while the camera moves.
TEST_P(InfoAndStripsInProgram, FrameRateShowsTheMeasuredRateAndFollowsMotion)
{
    start();
    if (HasFatalFailure()) return;
    ASSERT_EQ(readout().count(coloured), 0) << "nothing coloured where the read-out will be";
    ASSERT_TRUE(click_until([&] { return program.pixel(W - 3, H / 2).light(); }, W - U / 2, U / 2))
        << "the settings bar opens";
    ASSERT_TRUE(click_until([&] { return program.pixel(W - 2 * U, U + 3 * M + M / 2).light(); },
                            W - U / 2, U + U / 2))
        << "the WINDOW drop-down opens";
    ASSERT_TRUE(
        click_until([&] { return readout().count(coloured) > 20; }, W - 2 * U, U + 4 * M + M / 2))
        << "Frame-Rate shows a rate, not \"?\"";
    const Image shown = readout();
    program.hold_key(XK_s, true);
    const bool followed = eventually([&] { return readout().differences(shown) > 0; });
    program.hold_key(XK_s, false);
    EXPECT_TRUE(followed) << "the read-out follows the frames of the motion";
}

// Three opened scripts make the tool strip's script list long; a click on it
// opens the menu tree, whose first row closes the open console.
TEST_P(InfoAndStripsInProgram, TheToolStripListsThreeScriptsAndOpensTheMenuTree)
{
    start({"parallel.plim", "parameters.plim", "simple.plim"});
    if (HasFatalFailure()) return;
    const int placeholder_end = strip_text_end();
    ASSERT_GT(placeholder_end, S) << "the placeholder shows in the strip";
    ASSERT_NO_FATAL_FAILURE(open_navigator(true));
    // One script's line ends well short of this; three run to the strip's end.
    EXPECT_TRUE(eventually([&] { return strip_text_end() > S + 400; }))
        << "the list of three scripts, ending at " << strip_text_end();
    ASSERT_TRUE(click_until([&] { return program.pixel(S + 100, U + M + 4 * M).light(); }, S + 100,
                            U + M / 2))
        << "the menu tree opens beneath the list";
    program.click(S + 60, U + M + M / 2); // Console-Trace [1]
    EXPECT_TRUE(eventually([&] { return !side_panel_shown(); })) << "the console closes";
}

// NONE clears the selected row; the sort marker moves to the sorted head,
// and to its top when the order turns.
TEST_P(InfoAndStripsInProgram, TheNavigatorClearsTheSelectionAndMarksTheSortedColumn)
{
    start({"parallel.plim", "parameters.plim", "simple.plim"});
    if (HasFatalFailure()) return;
    ASSERT_NO_FATAL_FAILURE(open_navigator());
    // The first row, by name, is a script; the pointer then rests on the
    // title row, so what shows is the selection, not the hover.
    const int row_y = M + M / 2;
    const auto click_and_leave = [&](int x, int y) {
        return [&, x, y] {
            program.click(x, y);
            program.move_pointer(G, H - 12);
        };
    };
    program.move_pointer(G, H - 12);
    ASSERT_TRUE(eventually([&] { return !program.pixel(W / 2, row_y).dark(); }));
    const Rgb unselected = program.pixel(W / 2, row_y);
    ASSERT_TRUE(repeat_until([&] { return program.pixel(W / 2, row_y) != unselected; },
                             click_and_leave(W / 2, row_y)))
        << "a click selects the first row";
    const int footer = H - 2 * (U + M) + M;
    EXPECT_TRUE(repeat_until([&] { return program.pixel(W / 2, row_y) == unselected; },
                             click_and_leave(W - (U + G) / 2, footer + M / 2)))
        << "NONE clears the selection";

    const int marker_x = W + 1 + G / 2 - 5 * U + 2;
    const auto marked = [&](int y) {
        return program.pixel(marker_x, y) != program.pixel(marker_x + 10, y);
    };
    const int low = M - G + 1, high = G / 2 + 2;
    EXPECT_TRUE(click_until([&] { return marked(low) && !marked(high); }, W - 4 * U, M / 2))
        << "SIZE sorts ascending: the marker at its head's foot";
    EXPECT_TRUE(click_until([&] { return marked(high) && !marked(low); }, W - 4 * U, M / 2))
        << "SIZE again reverses: the marker at its head's top";
    program.key(XK_Escape);
}

INSTANTIATE_TEST_SUITE_P(Sizes, InfoAndStripsInProgram, kWindowSizes, size_name);
