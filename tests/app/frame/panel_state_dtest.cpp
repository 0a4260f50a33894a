// What the side panels, the bars and the capture panes of the real program
// show of their own state, at the start-up window size and at a larger one.

#include "tests/app/frame/program_driver.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

constexpr int CONSOLE = 1, ENTITIES = 2, PARAMETERS = 3; // the side panels
constexpr int INSET = 12; // kept free for a scroll bar at a side panel's right

// How far a text stands out of its box: the largest difference in luminance
// from the luminance most of the box shows.
int contrast(const Image& box)
{
    std::map<int, int> counts; // pixels by luminance
    for (const Rgb& c : box.pixels)
        ++counts[(299 * c.r + 587 * c.g + 114 * c.b) / 1000];
    if (counts.empty()) return 0;
    const int under = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                          return a.second < b.second;
                      })->first;
    return std::max(std::abs(counts.begin()->first - under),
                    std::abs(counts.rbegin()->first - under));
}

// Pixels dark in one image and not in the other: the icons and labels,
// whatever shade of the bar's gradient lies behind them.
int dark_differences(const Image& a, const Image& b)
{
    int n = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        n += a.pixels[i].dark() != b.pixels[i].dark() ? 1 : 0;
    return n;
}

// The side panel's lists start below its tabs and its close strip; rows
// stand 51 pixels apart. A row's first line names its script in dark bold
// type, its padlock stands below, and its highlight is pale blue.
class PanelStateInProgram : public SizedProgramTest {
protected:
    static int top(int row) { return 112 + 51 * row; }
    bool row_named(int row) { return ink(10, top(row) + 4, 80, 14) > 30; }
    bool shows_lock(int row, bool lock)
    {
        const int padlock = ink(8, top(row) + 20, 22, 22);
        return lock ? padlock > 120 : padlock < 20;
    }
    bool selected(int row) { return program.pixel(150, top(row) + 3).bluish(); }

    // A side panel with its key, until its tab shows highlighted.
    void show_side_panel(int panel)
    {
        const char* const names[] = {"console", "entity inspector", "parameter control"};
        ASSERT_TRUE(toggle_until([&] { return program.pixel(86 * panel - 54, 62).bluish(); },
                                 XK_1 + panel - 1))
            << "the " << names[panel - 1] << " opens";
    }

    // Presses on a scroll bar halfway between `start`, where its thumb is,
    // and `end`, drags to `end` and lets go there. The press, the held drag
    // and the release, with the pointer still on the thumb, each show the
    // content moved in `rows`; dragged back to `start`, it shows as before.
    void drag_thumb(const char* what, std::pair<int, int> start, std::pair<int, int> end,
                    const std::function<Image()>& rows)
    {
        SCOPED_TRACE(what);
        program.move_pointer(W / 2, H / 2);
        ASSERT_TRUE(wait_until_still(rows));
        const Image before = rows();
        const auto moved_from = [&](const Image& image) {
            return eventually([&] { return rows().differences(image) > 300; });
        };
        const std::pair middle{(start.first + end.first) / 2, (start.second + end.second) / 2};
        program.move_pointer(middle.first, middle.second);
        program.hold_button(1, true);
        EXPECT_TRUE(moved_from(before)) << "a press on the track moves the rows";
        const Image pressed = rows();
        slide_pointer(middle, end);
        EXPECT_TRUE(moved_from(pressed)) << "the rows follow while the button is held";
        program.hold_button(1, false);
        ASSERT_TRUE(wait_until_still(rows));
        EXPECT_GT(rows().differences(pressed), 300) << "the release leaves them where they went";
        program.hold_button(1, true);
        slide_pointer(end, start);
        program.hold_button(1, false);
        EXPECT_TRUE(eventually([&] { return rows().differences(before) == 0; }))
            << "dragged back, the rows show as before";
    }

    // Moves the held pointer in steps of 10 pixels, as a hand does.
    void slide_pointer(std::pair<int, int> from, std::pair<int, int> to)
    {
        const int steps =
            std::max(std::abs(to.first - from.first), std::abs(to.second - from.second)) / 10 + 1;
        for (int i = 1; i <= steps; ++i, usleep(20'000))
            program.move_pointer(from.first + (to.first - from.first) * i / steps,
                                 from.second + (to.second - from.second) * i / steps);
    }

    // The tool-menu buttons, none of them hovered.
    Image tool_strip()
    {
        program.move_pointer(W / 2, H / 2);
        return program.capture(168, 0, 384, 56);
    }
};

} // namespace

// Two scripts' rows in both lists. The entity inspector's header reads that
// nothing is selected before any script and after the selected entity is
// clicked again, and the details below it are hidden; before any script the
// parameter panel shows nothing it cannot act on.
TEST_P(PanelStateInProgram, PanelsAndPanesShowTheirOwnState)
{
    add_example("parameters.plim", "a.plim");
    add_example("parameters.plim", "b.plim");
    ASSERT_NO_FATAL_FAILURE(start_sized());
    ASSERT_NO_FATAL_FAILURE(show_side_panel(ENTITIES));
    // The details pane takes the lower 60 percent of the side panel below
    // its tab strip; its first strip is the header.
    const int details_top = 112 + (H - 168) * 40 / 100;
    const auto header_text = [&] { return ink(0, details_top, 240, 24); };
    const auto details_text = [&] { return ink(0, details_top + 30, 240, 90); };
    EXPECT_TRUE(wait_until([&] { return header_text() > 30; }))
        << "before any script the header shows";
    EXPECT_LT(details_text(), 5);
    const auto measured = [&](int x, int y, int width) {
        program.move_pointer(W / 2, H / 2);
        wait_until_still([&] { return program.capture(0, y, S, T); });
        return contrast(program.capture(x, y, width, T));
    };
    const auto about_half = [](int weak, int strong) {
        return weak > strong * 3 / 10 && weak < strong * 7 / 10;
    };
    const int inner = S - INSET;
    // Nor has the parameter panel anything to act on: no execute mode, no
    // "Variants", and APPLY as faint as without a selected row (below).
    ASSERT_NO_FATAL_FAILURE(show_side_panel(PARAMETERS));
    EXPECT_LT(measured(0, details_top + T, inner), 10) << "the execute mode is hidden";
    EXPECT_LT(measured(inner / 3, details_top + 3 * T, inner / 3), 10) << "Variants is hidden";
    const int apply_before_scripts = measured(2 * inner / 3, details_top + 3 * T, inner / 3);
    ASSERT_NO_FATAL_FAILURE(show_side_panel(ENTITIES));
    ASSERT_NO_FATAL_FAILURE(open_navigator(true));
    ASSERT_TRUE(wait_until([&] { return row_named(1); })) << "the scripts' rows show";
    const auto shown = [&] { return details_text() > 100; };
    ASSERT_TRUE(click_until(shown, 60, 122)) << "the first row shows its details";
    ASSERT_TRUE(click_until([&] { return !shown(); }, 60, 122)) << "a second click unselects";
    EXPECT_GT(header_text(), 30) << "the header still shows";
    EXPECT_LT(details_text(), 5) << "the details are hidden";

    // The pointer leaves the row it rested on in the other list, since a
    // hovered row shows the same highlight as a selected one. A click on the
    // row's labels selects it; the pointer then leaves again.
    program.move_pointer(W / 2, H / 2);
    show_side_panel(PARAMETERS);
    ASSERT_TRUE(repeat_until([&] { return selected(0); },
                             [&] {
                                 program.click(150, top(0) + 25);
                                 program.move_pointer(W / 2, H / 2);
                             }));
    EXPECT_TRUE(shows_lock(0, false)) << "the selected row's entity is not locked";

    // A padlock click (which toggles) in one list, then both rows' locks as
    // the other list shows them: locked in the parameter control, locked and
    // unlocked again in the entity inspector, then the other way.
    struct Click {
        int row;
        bool lock;
        int then_shown;
        bool locks[2];
    };
    const Click clicks[] = {{1, true, ENTITIES, {false, true}},
                            {0, true, PARAMETERS, {true, true}},
                            {0, false, ENTITIES, {false, true}}};
    for (const Click& click : clicks) {
        ASSERT_TRUE(click_until([&] { return shows_lock(click.row, click.lock); }, 18,
                                top(click.row) + 35));
        show_side_panel(click.then_shown);
        for (const int row : {0, 1})
            EXPECT_TRUE(shows_lock(row, click.locks[row]))
                << "row " << row << " after the click on row " << click.row;
    }

    // At 720 x 480 the eight tool-menu buttons are wider than their strip,
    // which the wheel scrolls.
    show_side_panel(PARAMETERS);
    const Image unscrolled = tool_strip();
    Image scrolled = unscrolled;
    if (W == 720) {
        for (int i = 0; i < 8; ++i)
            program.click(360, 27, 5);
        ASSERT_TRUE(wait_until([&] { return dark_differences(tool_strip(), unscrolled) > 500; }))
            << "the wheel scrolls the strip";
        ASSERT_TRUE(wait_until_still([&] { return tool_strip(); }));
        scrolled = tool_strip();
    }
    const auto shows = [&](const Image& strip) {
        return dark_differences(tool_strip(), strip) < 40;
    };

    // A new environment and back: the lists are built again from the
    // entities, with the selection kept, and the strip shows as it was left.
    ASSERT_NO_FATAL_FAILURE(add_environment(1));
    EXPECT_TRUE(wait_until([&] { return shows(unscrolled); }, SETTLE_POLLS))
        << "a new environment starts unscrolled";
    program.key(XK_Next, {XK_Control_L});
    ASSERT_TRUE(wait_until([&] { return row_named(1); })) << "env0's parameter rows";
    ASSERT_TRUE(wait_until([&] { return selected(0); }, SETTLE_POLLS));
    EXPECT_TRUE(wait_until([&] { return shows(scrolled); })) << "env0 shows its strip scrolled";
    for (const int panel : {PARAMETERS, ENTITIES}) {
        show_side_panel(panel);
        EXPECT_TRUE(shows_lock(0, false)) << "the selected row";
        EXPECT_TRUE(shows_lock(1, true)) << "the locked entity on the other row";
    }
    program.key(XK_Prior, {XK_Control_L});
    EXPECT_TRUE(wait_until([&] { return shows(unscrolled); })) << "env1 kept its own";

    // Ctrl+8 snapshots the view into a narrow pane, Ctrl+7 the window into a
    // dialog-wide one; each keeps the image inside its frame, between its
    // title and its Enter line, and Enter saves it into the workspace.
    constexpr int GAP = 8, TITLE_STRIP = 48; // inside a pane
    const struct {
        const char* name;
        KeySym key;
        int width;
    } captures[] = {{"snapshot", XK_8, 256}, {"screenshot", XK_7, DIALOG_W}};
    for (const auto& c : captures) {
        SCOPED_TRACE(c.name);
        const int x = (W - c.width) / 2, y = (H - DIALOG_H) / 2, inner = c.width - 2 * GAP;
        // The pane's body between its title strip and the image covers the view.
        ASSERT_TRUE(repeat_until([&] { return program.pixel(x + c.width - 5, y + 40).light(); },
                                 [&] { program.key(c.key, {XK_Control_L}); }))
            << "the pane opens";
        // The frame is whole when its left and right columns and its top row
        // are the frame's colour from end to end: nothing is drawn over it.
        const auto frame_whole = [&] {
            const Rgb colour = program.pixel(x, y + DIALOG_H - 1);
            const auto frame = [&](const Rgb& p) { return p == colour; };
            return program.count_pixels(x, y, 1, DIALOG_H, frame) == DIALOG_H &&
                   program.count_pixels(x + c.width - 1, y, 1, DIALOG_H, frame) == DIALOG_H &&
                   program.count_pixels(x, y, c.width, 1, frame) == c.width;
        };
        EXPECT_TRUE(wait_until(frame_whole)) << "nothing covers the pane's frame";
        EXPECT_TRUE(wait_until([&] {
            return program.count_pixels(x + GAP, y + TITLE_STRIP, inner, DIALOG_H - 2 * TITLE_STRIP,
                                        &Rgb::view) > 500;
        })) << "the captured view shows in the pane";
        EXPECT_GT(ink(x + GAP, y + DIALOG_H - TITLE_STRIP + GAP / 2, inner, TITLE_STRIP - GAP), 50)
            << "the Enter line shows at the foot of the pane";

        program.key(XK_Return);
        const std::string prefix = "plim_" + std::string(c.name) + "_";
        std::string saved;
        // The image is written under a passing name first, then renamed.
        EXPECT_TRUE(wait_until([&] {
            for (const fs::directory_entry& entry : fs::directory_iterator(workspace))
                if (entry.path().filename().string().rfind(prefix, 0) == 0 &&
                    entry.path().extension() == ".png")
                    saved = entry.path().filename().string();
            return !saved.empty();
        })) << "Enter saves a PNG image into the workspace";
        program.key(XK_Escape); // the pane that names the saved path
        ASSERT_TRUE(wait_until([&] { return program.pixel(650, 150).view(); }))
            << "no pane is left over the view";
    }

    // Controls with nothing to act on stand half-transparent over their
    // panel, in the start theme (Light) as in Dark: the PPD indicator of an
    // entity without profiling data stands out about half as far as the title
    // beside it in the same face, APPLY without a selected row about half as
    // far as with one. The hint bar wears a hovered row's highlight.
    program.key(XK_Next, {XK_Control_L});
    ASSERT_TRUE(wait_until([&] { return row_named(1); })) << "env0's rows";
    show_side_panel(ENTITIES);
    ASSERT_TRUE(click_until(shown, 60, 122)) << "the first row shows its details";
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "Dark" : "Light");
        if (dark) { // Shift+T steps back from Light to Silver, then to Dark
            for (int i = 0; i < 2; ++i)
                program.key(XK_t, {XK_Shift_L});
            ASSERT_TRUE(wait_until([&] { return program.pixel(W - 4, H - 4).dark(); }))
                << "Dark darkens the bars";
        }
        show_side_panel(ENTITIES);
        const int title = measured(0, details_top, 40);
        const int ppd = measured(inner - 2 * T, details_top, 2 * T);
        EXPECT_TRUE(about_half(ppd, title)) << "PPD " << ppd << " beside the title " << title;
        show_side_panel(PARAMETERS);
        int apply[2] = {}; // without, with a selected row
        for (int i = 0; i < 2; ++i) {
            const bool with_row = selected(0);
            apply[with_row] = measured(2 * inner / 3, details_top + 3 * T, inner / 3);
            ASSERT_TRUE(repeat_until([&] { return selected(0) != with_row; },
                                     [&] {
                                         program.click(150, top(0) + 25);
                                         program.move_pointer(W / 2, H / 2);
                                     }))
                << "a click on the row toggles its selection";
        }
        EXPECT_TRUE(about_half(apply[0], apply[1]))
            << "APPLY " << apply[0] << " without a selected row, " << apply[1] << " with one";
        EXPECT_TRUE(dark || about_half(apply_before_scripts, apply[1])) // measured in Light
            << "APPLY " << apply_before_scripts << " before any script";

        program.move_pointer(150, top(0) + 25);
        ASSERT_TRUE(wait_until([&] { return selected(0); })) << "the hovered row highlights";
        const Rgb hovered_row = program.pixel(150, top(0) + 3);
        program.move_pointer(5 * inner / 6, details_top + 3 * T + T / 2); // APPLY's hint
        const int under_hint = U + 2 * M + 2 * G - 4; // the hint bar's foot, below its lines
        EXPECT_TRUE(wait_until([&] { return program.pixel(S + 2, under_hint) == hovered_row; }))
            << "the hint bar shows in the row's colour";

        // The selected row's parameters overflow the details; the kernel
        // channel's lines (the last run's) are wider than the console.
        const int details_bottom = H - M - T;
        drag_thumb("the parameter details' thumb", {S - 4, details_top + 4},
                   {S - 4, details_bottom - 8}, [&] {
                       return program.capture(0, details_top, S - INSET,
                                              details_bottom - details_top);
                   });
        show_side_panel(CONSOLE);
        const int channel_bottom = U + M + T + (H - U - 2 * M - 2 * T) / 2;
        drag_thumb(
            "the kernel channel's thumb", {4, channel_bottom - 4}, {S - 8, channel_bottom - 4},
            [&] { return program.capture(0, U + M + T, S, channel_bottom - U - M - T - INSET); });
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PanelStateInProgram, kWindowSizes, size_name);
