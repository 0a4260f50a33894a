// The real program at 720 x 480 and at 1200 x 800, driven as a person would:
// the environment hover card leaves when the pointer does, the expand button
// in a corner of HIDELOGO switches minimal mode while the rest of the logo
// ends quick-hide, and the navigator's scroll thumb and track follow a drag.
// Judged by the window's pixels.

#include "tests/app/frame/program_driver.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

// The first environment tab's left edge.
constexpr int FIRST_TAB_X = 2 * U + G + 1;

// The Light theme's scroll thumb, darker than its track.
bool thumb_grey(const Rgb& c)
{
    return c.r > 150 && c.r < 215 && c.b > c.r;
}

class WindowControlsInProgram : public SizedProgramTest {
protected:
    // Starts on a workspace holding `files` (name, text), the console
    // closed, at the size under test.
    void start(const std::vector<std::pair<std::string, std::string>>& files = {})
    {
        for (const auto& [name, text] : files)
            write_file(fs::path(workspace.path()) / name, text);
        start_sized(workspace.path() + "/");
        if (HasFatalFailure()) return;
        ASSERT_TRUE(toggle_until([&] { return !side_panel_shown(); }, XK_1));
    }

    int share(int x, int y, int width, int height, bool (Rgb::*test)() const)
    {
        return program.count_pixels(x, y, width, height, std::mem_fn(test)) * 100 /
               (width * height);
    }

    // Where the card over the first tab shows its environment's image.
    Image card_image() { return program.capture(FIRST_TAB_X - 31, H - M - 94, 104, 60); }

    // The pointer rests on the first tab, which is not the current one,
    // until its card shows.
    bool hover_first_tab(const Image& no_card)
    {
        int step = 0;
        return wait_until([&] {
            program.move_pointer(FIRST_TAB_X + 30 + step++ % 2 * 2, H - 20);
            return card_image().differences(no_card) > 500;
        });
    }

    // The tool bar is gone and the view reaches the window's top.
    bool bars_hidden() { return program.pixel(W / 2, 5).view(); }
    // The quick-hide strip of minimal mode along the window's foot.
    bool strip_shown() { return share(W / 2 - 50, H - 20, 100, 8, &Rgb::light) > 90; }
    bool strip_gone() { return share(W / 2 - 50, H - 20, 100, 8, &Rgb::view) > 90; }

    TempDirectory workspace{"plim-ei-controls"};
};

// With a second environment current, the card of the first tab stays while
// the pointer goes up onto its "close" box, and goes as soon as the pointer
// moves anywhere else.
TEST_P(WindowControlsInProgram, TheHoverCardLeavesWithThePointer)
{
    start();
    if (HasFatalFailure()) return;
    program.move_pointer(W / 2, H / 2);
    program.key(XK_n, {XK_Control_L});
    ASSERT_TRUE(eventually([&] {
        return program.count_pixels(FIRST_TAB_X + 64 + 4, H - M + 5, 56, 16, &Rgb::dark) > 10 &&
               program.pixel(W - 40, H / 2).view();
    })) << "Ctrl+N adds the tab env1";
    ASSERT_TRUE(wait_until_still([&] { return card_image(); })) << "the fade has ended";
    const Image no_card = card_image();
    struct Exit {
        const char* over;
        int x, y;
    };
    const Exit exits[] = {{"the 3-D view", W / 2 + 100, H / 2},
                          {"the slider bar", W / 2, H - M - 2 * T + T / 2},
                          {"the status bar", W / 2 + 100, H - M - T / 2},
                          {"HELP on the tab bar", W - U / 2, H - M / 2}};
    for (const Exit& exit : exits) {
        ASSERT_TRUE(hover_first_tab(no_card)) << "the card shows before leaving over " << exit.over;
        for (const int y : {H - 25, H - 31, H - 32, H - 33, H - 34, H - 40, H - 46}) {
            program.move_pointer(FIRST_TAB_X + 30, y);
            usleep(4 * POLL_US);
        }
        EXPECT_GT(card_image().differences(no_card), 500)
            << "the card stays on the way up to its close box";
        program.move_pointer(exit.x, exit.y);
        EXPECT_TRUE(eventually([&] { return card_image().differences(no_card) < 50; }))
            << "the card leaves when the pointer moves over " << exit.over;
    }
}

// Quick-hide starts in minimal mode over an assembled script: the
// quick-hide strip lies along the foot. The expand button's icon switches
// minimal mode both ways and the bars stay hidden; the rest of HIDELOGO
// brings them back.
TEST_P(WindowControlsInProgram, TheExpandIconSwitchesMinimalModeAndTheLogoEndsQuickHide)
{
    start({{"simple.plim", read_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim")}});
    if (HasFatalFailure()) return;
    ASSERT_TRUE(repeat_until([&] { return program.pixel(W - 100, H / 2).light(); },
                             [&] { program.key(XK_o, {XK_Control_L}); }))
        << "the navigator opens";
    program.key(XK_a, {XK_Control_L});
    program.key(XK_Return);
    ASSERT_TRUE(eventually([&] { return program.pixel(W - 40, H / 2).view(); }))
        << "the script is open";
    program.move_pointer(W / 2, H / 2);
    ASSERT_TRUE(toggle_until([&] { return bars_hidden() && strip_shown(); }, XK_space))
        << "Space hides the bars; the strip of minimal mode shows";

    // Minimal mode lifts the expand button and HIDELOGO above the strip.
    EXPECT_TRUE(
        click_until([&] { return strip_gone() && bars_hidden(); }, W - M / 2, H - M - M / 2))
        << "the expand icon leaves minimal mode; the bars stay hidden";
    EXPECT_TRUE(click_until([&] { return strip_shown() && bars_hidden(); }, W - M / 2, H - M / 2))
        << "and enters it again";
    EXPECT_TRUE(
        click_until([&] { return program.pixel(W / 2, 5).light(); }, W - G - 32, H - M - G - 32))
        << "the middle of HIDELOGO ends quick-hide";
}

// Sixty scripts overflow the navigator's list. A drag from the thumb, or
// from a press on the track (which first jumps there), moves the thumb with
// the pointer and scrolls the list before the button is released.
TEST_P(WindowControlsInProgram, TheNavigatorThumbAndTrackFollowADrag)
{
    std::vector<std::pair<std::string, std::string>> scripts;
    for (int i = 10; i < 70; ++i)
        scripts.push_back({"script_" + std::to_string(i) + ".plim", "x\n"});
    start(scripts);
    if (HasFatalFailure()) return;
    // Between the name and size columns of the list.
    ASSERT_TRUE(repeat_until([&] { return program.pixel(W / 2, H / 2).light(); },
                             [&] { program.key(XK_o, {XK_Control_L}); }))
        << "the navigator opens";
    const int track_x = W - T / 2;
    const int track_end = H - 2 * (M + U);
    const auto names = [&] { return program.capture(U, M, 200, 5 * M); };
    const auto thumb_at = [&](int y) { return thumb_grey(program.pixel(track_x, y)); };
    ASSERT_TRUE(eventually([&] { return thumb_at(M / 2) && !thumb_at(track_end / 2); }))
        << "the thumb at the top of the track";
    struct Drag {
        const char* from;
        int press_y;
        std::vector<int> through;
    };
    const Drag drags[] = {{"the thumb", M / 2, {track_end / 3, track_end * 2 / 3}},
                          {"the track", track_end - 40, {track_end / 2, 40}}};
    for (const Drag& drag : drags) {
        program.move_pointer(track_x, drag.press_y);
        program.hold_button(1, true);
        EXPECT_TRUE(eventually([&] { return thumb_at(drag.press_y); }))
            << "a press on " << drag.from << " puts the thumb under the pointer";
        int y = drag.press_y;
        for (const int target : drag.through) {
            const Image before = names();
            while (std::abs(target - y) > 10) {
                y += target > y ? 10 : -10;
                program.move_pointer(track_x, y);
                usleep(20'000);
            }
            y = target;
            program.move_pointer(track_x, y);
            EXPECT_TRUE(eventually([&] {
                return thumb_at(target) && names().differences(before) > 200;
            })) << "dragging from "
                << drag.from << " to " << target << " moves the thumb and scrolls the list";
        }
        program.hold_button(1, false);
    }
    program.key(XK_Escape);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowControlsInProgram, kWindowSizes, size_name);

} // namespace
