// The real program at 720 x 480 and at 1200 x 800, driven as a person would
// and judged by the window's pixels: the bars' shading and the system
// settings' marks in a second environment, the environment hover card, the
// navigator's scroll thumb, and the expand icon and HIDELOGO of quick-hide
// follow the pointer.

#include "tests/app/frame/program_driver.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

class WindowControlsInProgram : public SizedProgramTest {};

} // namespace

// One run over the ball's script, first by name, and sixty more scripts.
TEST_P(WindowControlsInProgram, HoverCardNavigatorThumbAndExpandIconFollowThePointer)
{
    add_example("simple.plim", "a_simple.plim");
    for (int i = 10; i < 70; ++i)
        write_file(workspace / ("script_" + std::to_string(i) + ".plim"), "x\n");
    ASSERT_NO_FATAL_FAILURE(start_sized());
    ASSERT_NO_FATAL_FAILURE(close_console());

    // A new environment draws its bars with the shading of the first, and
    // "i" (twice) turns them over and back.
    const auto tool_bar = [&] {
        program.move_pointer(W / 2, H / 2);
        return program.capture(0, 0, W, U);
    };
    const Image first_bar = tool_bar();
    ASSERT_NO_FATAL_FAILURE(add_environment(1));
    EXPECT_TRUE(eventually([&] { return tool_bar().differences(first_bar) == 0; }))
        << "env1's tool bar is shaded as env0's";
    for (const bool flipped : {true, false}) {
        program.key(XK_i);
        EXPECT_TRUE(eventually([&] { return (tool_bar().differences(first_bar) > W) == flipped; }))
            << (flipped ? "i flips the bars" : "a second i flips them back");
    }

    // With a second environment current, the card of the first tab stays
    // while the pointer goes up onto its "close" box, and goes as soon as the
    // pointer moves anywhere else.
    const int first_tab_x = 2 * U + G + 1;
    const auto card_image = [&] { return program.capture(first_tab_x - 31, H - M - 94, 104, 60); };
    ASSERT_TRUE(wait_until_still(card_image)) << "the fade has ended";
    const Image no_card = card_image();
    struct Exit {
        const char* over;
        int x, y;
    };
    const Exit exits[] = {{"the 3-D view", W / 2 + 100, H / 2},
                          {"the slider bar", W / 2, H - M - 2 * T + T / 2},
                          {"the status bar", W / 2 + 100, H - M - T / 2},
                          {"HELP on the tab bar", W - U / 2, H - M / 2},
                          {"nothing, outside the window", W / 2, H + 20}};
    // The pointer rests on the first tab until its card shows, then goes up
    // onto the card's close box.
    const auto up_to_close_box = [&] {
        int step = 0;
        const bool shown = wait_until([&] {
            program.move_pointer(first_tab_x + 30 + step++ % 2 * 2, H - 20);
            return card_image().differences(no_card) > 500;
        });
        for (const int y : {H - 25, H - 31, H - 32, H - 33, H - 34, H - 40, H - 46}) {
            program.move_pointer(first_tab_x + 30, y);
            usleep(4 * POLL_US);
        }
        return shown;
    };
    for (const Exit& exit : exits) {
        ASSERT_TRUE(up_to_close_box()) << "the card shows before leaving over " << exit.over;
        EXPECT_GT(card_image().differences(no_card), 500)
            << "the card stays on the way up to its close box";
        program.move_pointer(exit.x, exit.y);
        EXPECT_TRUE(eventually([&] { return card_image().differences(no_card) < 50; }))
            << "the card leaves when the pointer moves over " << exit.over;
    }
    // Its close box asks to close env0. Opening the confirmation takes the
    // card away, so it is gone when Escape (Cancel) leaves both tabs.
    ASSERT_TRUE(up_to_close_box()) << "the card shows";
    program.click(first_tab_x + 30, H - 46);
    EXPECT_TRUE(eventually([&] { return !program.pixel(W - 40, H / 2).view(); }))
        << "the confirmation dims the window";
    program.key(XK_Escape);
    EXPECT_TRUE(eventually([&] { return program.pixel(W - 40, H / 2).view(); }));
    EXPECT_LT(card_image().differences(no_card), 50) << "no card where the pointer rests";
    EXPECT_GT(ink(124 + 64, H - 29, 58, 16), 30) << "env1's tab stays";
    EXPECT_GT(ink(124, H - 29, 58, 16), 30) << "env0's tab stays";

    // UI-Animations, Inline-IO, Native-IO and Native-DND are the program's:
    // their marks in the SETTINGS drop-down show the same flags in every
    // environment. The drop-down is the settings bar's ("m") last entry,
    // which the wheel brings into a short window.
    const int dnd_row_y = U + 4 * M + M / 2;
    const auto dnd_marked = [&] { return program.pixel(W - U - 100, dnd_row_y).bluish(); };
    const auto settings_bar_shown = [&] { return program.pixel(W - 4, H / 2).light(); };
    const auto open_system_settings = [&] {
        ASSERT_TRUE(toggle_until(settings_bar_shown, XK_m)) << "m shows the settings bar";
        for (int i = 0; i < 8; ++i)
            program.click(W - U / 2, H / 2, 5);
        const int entry_y = std::min(U + U / 2 + 9 * U, H - M - U / 2);
        // UI-Animations, on, marks the drop-down's first row.
        ASSERT_TRUE(click_until([&] { return program.pixel(W - U - 100, U + M / 2).bluish(); },
                                W - U / 2, entry_y))
            << "the SETTINGS drop-down opens";
    };
    const auto click_dnd_until = [&](bool marked) {
        return repeat_until([&] { return dnd_marked() == marked; },
                            [&] {
                                program.click(W - U - 60, dnd_row_y);
                                program.move_pointer(W / 2, H / 2);
                            });
    };
    ASSERT_NO_FATAL_FAILURE(open_system_settings());
    EXPECT_TRUE(dnd_marked()) << "drops are taken at start";
    ASSERT_TRUE(click_dnd_until(false)) << "env1 turns Native-DND off";
    program.key(XK_Next, {XK_Control_L});
    ASSERT_TRUE(eventually([&] { return !settings_bar_shown(); })) << "env0 without its bar";
    ASSERT_NO_FATAL_FAILURE(open_system_settings());
    EXPECT_FALSE(dnd_marked()) << "env0 shows Native-DND off";
    ASSERT_TRUE(click_dnd_until(true)) << "env0 turns it on again";
    program.key(XK_Prior, {XK_Control_L});
    ASSERT_TRUE(eventually([&] { return program.pixel(first_tab_x + 64 + 4, H - 20).bluish(); }))
        << "env1 is current again";
    EXPECT_TRUE(eventually([&] { return settings_bar_shown() && dnd_marked(); }))
        << "env1 shows it on";
    ASSERT_TRUE(toggle_until([&] { return !settings_bar_shown(); }, XK_m));

    // The scripts overflow the navigator's list. A drag from the thumb, or
    // from a press on the track (which first jumps there), moves the thumb
    // with the pointer and scrolls the list before the button is released.
    ASSERT_NO_FATAL_FAILURE(open_navigator());
    const int track_x = W - T / 2, track_end = H - 2 * (M + U);
    const auto names = [&] { return program.capture(U, M, 200, 5 * M); };
    // The Light theme's scroll thumb, a mid grey far darker than its track.
    const auto thumb_at = [&](int y) {
        const Rgb c = program.pixel(track_x, y);
        return c.r > 80 && c.r < 150 && c.b > c.r;
    };
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
            for (; std::abs(target - y) > 10; usleep(20'000))
                program.move_pointer(track_x, y += target > y ? 10 : -10);
            program.move_pointer(track_x, y = target);
            EXPECT_TRUE(eventually([&] {
                return thumb_at(target) && names().differences(before) > 200;
            })) << "dragging from "
                << drag.from << " to " << target << " moves the thumb and scrolls the list";
        }
        program.hold_button(1, false);
    }
    program.key(XK_Escape);

    // Quick-hide starts in minimal mode over an assembled script: the
    // quick-hide strip lies along the foot. The expand button's icon switches
    // minimal mode both ways and the bars stay hidden; the rest of HIDELOGO
    // brings them back. Minimal mode lifts both above the strip.
    ASSERT_NO_FATAL_FAILURE(open_navigator());
    program.key(XK_Down);
    program.key(XK_Return);
    ASSERT_TRUE(eventually([&] { return program.pixel(W - 40, H / 2).view(); }))
        << "the script is open";
    const auto bars_hidden = [&] { return program.pixel(W / 2, 5).view(); };
    const auto strip_is = [&](bool (Rgb::*test)() const) {
        return program.count_pixels(W / 2 - 50, H - 20, 100, 8, std::mem_fn(test)) * 100 / 800 > 90;
    };
    program.move_pointer(W / 2, H / 2);
    ASSERT_TRUE(toggle_until([&] { return bars_hidden() && strip_is(&Rgb::light); }, XK_space))
        << "Space hides the bars; the strip of minimal mode shows";
    EXPECT_TRUE(click_until([&] { return strip_is(&Rgb::view) && bars_hidden(); }, W - M / 2,
                            H - M - M / 2))
        << "the expand icon leaves minimal mode; the bars stay hidden";
    EXPECT_TRUE(
        click_until([&] { return strip_is(&Rgb::light) && bars_hidden(); }, W - M / 2, H - M / 2))
        << "and enters it again";
    EXPECT_TRUE(
        click_until([&] { return program.pixel(W / 2, 5).light(); }, W - G - 32, H - M - G - 32))
        << "the middle of HIDELOGO ends quick-hide";
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowControlsInProgram, kWindowSizes, size_name);
