// The configuration box, the navigator in its four modes and the export
// pane of the real plim-ei at 720 x 480 and 1200 x 800, judged by which pane
// the window shows on top: a turned-down choice shows its warning over the
// still open navigator, and only a choice taken brings back what the
// navigator was opened from. The box shows the settings of the command line,
// and the export location cannot be typed over.

#include "tests/app/frame/program_driver.h"

#include <cstdlib>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

constexpr int BOX_W = 560, BOX_H = 232; // the configuration box

// What the window shows on top, from the top down.
enum class Stack { WARNING_OVER_NAVIGATOR, NAVIGATOR, CONFIGURATION, EXPORT, INTERFACE };

class ConfigurationInProgram : public SizedProgramTest {
protected:
    int box_x = (W - BOX_W) / 2, box_y = (H - BOX_H) / 2;
    int dialog_x = (W - DIALOG_W) / 2, dialog_y = (H - DIALOG_H) / 2;
    int footer = H - 2 * (U + M) + M; // the navigator's path bar
    // The navigator's Select/Open button and NONE; the export pane's "..."
    // button, location field, STL row and export button.
    std::pair<int, int> ok_button{W - 3 * U / 2 - G / 2, footer + M + 2 * G + U / 2 + M / 2};
    std::pair<int, int> none_button{W - (U + G) / 2, footer + G + M / 2};
    std::pair<int, int> location_button{dialog_x + 448, dialog_y + 136};
    std::pair<int, int> location_field{dialog_x + 100, dialog_y + 136};
    std::pair<int, int> stl_row{dialog_x + 296, dialog_y + 168 + 3 * T + T / 2};
    std::pair<int, int> export_button{dialog_x + 432, dialog_y + 344};

    // A warning's long title reaches past where the export pane's "Export"
    // ends; "Kernel" stands on the configuration box's first button.
    int warning_ink() { return ink(dialog_x + 100, dialog_y + 4, 140, 26); }
    int export_ink() { return ink(dialog_x + 10, dialog_y + 4, 70, 26); }
    int box_ink() { return ink(box_x + 430, box_y + 100, 100, 24); }
    // A pane centred like the warning and the export pane is shown: its
    // body right of the title is light, where the view is not.
    bool dialog_shown() { return program.pixel(dialog_x + 480, dialog_y + 40).light(); }
    bool warning_title() { return dialog_shown() && warning_ink() > 30; }
    bool export_title() { return dialog_shown() && export_ink() > 20; }
    bool box_shown() { return box_ink() > 20; }

    // A point of the navigator's empty list that no pane centred in the
    // window covers: light while the navigator is on top, dimmed once
    // under a warning; the 3-D view, dimmed or not, is a bluer grey.
    Rgb probe() { return program.pixel(40, 200); }

    bool shows(Stack stack)
    {
        const Rgb c = probe();
        const bool navigator_dimmed_once = c.r >= 190 && c.r <= 220 && std::abs(c.b - c.r) < 10;
        const bool interface_dimmed = c.r > 100 && c.r < 190;
        switch (stack) {
        case Stack::WARNING_OVER_NAVIGATOR:
            return warning_title() && !box_shown() && navigator_dimmed_once;
        case Stack::NAVIGATOR:
            return c.light() && !box_shown() && !warning_title();
        case Stack::CONFIGURATION:
            return box_shown() && !warning_title() && interface_dimmed;
        case Stack::EXPORT:
            return export_title() && !warning_title() && !box_shown() && interface_dimmed;
        case Stack::INTERFACE:
            return c.view() && !box_shown() && !warning_title();
        }
        return false;
    }

    // What the checks above saw, for a failure's message.
    std::string seen()
    {
        const Rgb c = probe();
        return "\ninks: warning " + std::to_string(warning_ink()) + ", export " +
               std::to_string(export_ink()) + ", box " + std::to_string(box_ink()) + "; probe " +
               std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
    }

    // Shows `stack` and keeps showing it for a few frames.
    bool settles_on(Stack stack)
    {
        return eventually([&] { return shows(stack); }) &&
               !wait_until([&] { return !shows(stack); }, 10);
    }

    // The path bar's first button ends in its bottom border, not in a cut.
    bool path_buttons_whole()
    {
        const int bottom = footer + G + M - 1;
        return program.pixel(G + 2, bottom) != program.pixel(G + 2, bottom + 4);
    }

    // Both settings VALID with their paths, and "OK": the paths are longer
    // than "???", "VALID" is shorter than "UNDEFINED", "OK" wider than "!".
    bool box_reads_valid_settings()
    {
        const int x = box_x + 2 * G;
        bool valid = ink(box_x + 416, box_y + 192, 4 * M, M) > 40;
        for (int row : {3 * M, 5 * M})
            valid = valid && ink(x + 60, box_y + row + 4, 200, 24) > 20 &&
                    ink(x, box_y + row + M + 6, 40, 20) > 10 &&
                    ink(x + 45, box_y + row + M + 6, 40, 20) == 0;
        return valid;
    }

    void click(std::pair<int, int> point) { program.click(point.first, point.second); }

    // Chooses in the navigator and confirms, step by step: 'd' Down (the
    // first row), 'n' NONE, 'o' the Select/Open button, 'e' Enter.
    void choose(const std::string& steps)
    {
        for (const char step : steps) {
            if (step == 'd' || step == 'e') program.key(step == 'd' ? XK_Down : XK_Return);
            if (step == 'n' || step == 'o') click(step == 'n' ? none_button : ok_button);
        }
    }

    // The stand-in's script shows an orange ball in the middle of the view.
    bool script_shown()
    {
        return program.count_pixels(W / 2 - 100, H / 2 - 100, 200, 200, [](const Rgb& c) {
            return c.r > 200 && c.g > 90 && c.g < 190 && c.b < 90;
        }) > 500;
    }
};

// One navigator mode: how it is opened, the steps of a choice it turns down
// and of one it takes, what shows once it has closed, and what the next mode
// needs.
struct ModeWalk {
    const char* mode;
    std::function<void()> open;
    const char* turned_down;
    const char* taken;
    Stack caller;
    std::function<void()> then;
};

} // namespace

// Kernel and workspace before start-up has finished, scripts and the export
// location after it. Each turned-down choice shows its warning over the
// navigator, which Escape leaves open as it was; each choice taken closes it
// and brings back its caller. The box shows the command line's settings
// from the start and after a new kernel was chosen. Then the export
// location field shows where the export writes: typing into it and erasing
// change nothing, and the export goes where it shows. The program starts in a
// directory that holds "plim" and the workspace it is given, "ws/".
TEST_P(ConfigurationInProgram, AWarningStaysOverTheNavigatorAndTheExportWritesWhereItShows)
{
    fs::create_symlink(STANDIN_KERNEL_PATH, workspace / "plim");
    fs::create_directory(workspace / "ws");
    add_example("simple.plim", "ws/simple.plim");
    ASSERT_TRUE(program.start(quoted((workspace / "plim").string()) + " " +
                                  quoted((workspace / "ws/").string()) + " -ic",
                              "", workspace));
    ASSERT_TRUE(program.wait_for_window(0, 0)) << "no window";
    ASSERT_NO_FATAL_FAILURE(take_size());
    program.move_pointer(W / 2, H - 12);
    ASSERT_TRUE(settles_on(Stack::CONFIGURATION)) << "the configuration box" << seen();
    EXPECT_TRUE(box_reads_valid_settings()) << "the box shows the command line's settings";

    const auto box_button = [&](int row) {
        return [&, row] {
            ASSERT_TRUE(click_until([&] { return shows(Stack::NAVIGATOR); }, box_x + 480,
                                    box_y + row + M / 2));
        };
    };
    const ModeWalk walks[] = {
        {"kernel", box_button(3 * M), "o", "de", Stack::CONFIGURATION, nullptr},
        {"workspace", box_button(5 * M), "de", "no", Stack::CONFIGURATION,
         [&] {
             program.key(XK_Return); // the box is complete: start-up goes on
             ASSERT_TRUE(toggle_until([&] { return side_panel_shown(); }, XK_1))
                 << "start-up never finished";
             close_console(); // so the probe sees the view
         }},
        {"scripts",
         [&] {
             ASSERT_TRUE(repeat_until([&] { return shows(Stack::NAVIGATOR); },
                                      [&] { program.key(XK_o, {XK_Control_L}); }));
         },
         "e", "de", Stack::INTERFACE,
         [&] { ASSERT_TRUE(eventually([&] { return script_shown(); })); }},
        {"export location",
         [&] {
             ASSERT_TRUE(repeat_until([&] { return shows(Stack::EXPORT); },
                                      [&] { program.key(XK_s, {XK_Control_L}); }));
             ASSERT_TRUE(click_until([&] { return shows(Stack::NAVIGATOR); }, location_button.first,
                                     location_button.second));
         },
         "do", "no", Stack::EXPORT, nullptr},
    };
    for (const ModeWalk& walk : walks) {
        SCOPED_TRACE(walk.mode);
        walk.open();
        if (HasFatalFailure()) return;
        EXPECT_TRUE(path_buttons_whole());
        choose(walk.turned_down);
        ASSERT_TRUE(settles_on(Stack::WARNING_OVER_NAVIGATOR))
            << "the warning shows over the navigator" << seen();
        program.key(XK_Escape);
        ASSERT_TRUE(settles_on(Stack::NAVIGATOR)) << "Escape leaves the navigator open" << seen();
        choose(walk.taken);
        ASSERT_TRUE(settles_on(walk.caller)) << "then what it was opened from" << seen();
        if (walk.caller == Stack::CONFIGURATION) {
            EXPECT_TRUE(box_reads_valid_settings()) << "the box still shows both settings";
        }
        if (walk.then) walk.then();
        if (HasFatalFailure()) return;
    }

    const auto field = [&] {
        return program.capture(dialog_x + 2 * G, dialog_y + 120, DIALOG_W - 4 * G - 3 * M - G, M);
    };
    const Image shown = field();
    click(location_field);
    program.type("nowhere");
    for (int i = 0; i < 30; ++i)
        program.key(XK_BackSpace);
    EXPECT_FALSE(wait_until([&] { return field().differences(shown) > 0; }, SETTLE_POLLS))
        << "the field still shows the location";

    ASSERT_TRUE(click_until(
        [&] { return ink(export_button.first - 40, export_button.second - 12, 80, 24) > 40; },
        stl_row.first, stl_row.second))
        << "STL is chosen: the export button reads \"Export\"";
    const Image pane = program.capture();
    click(export_button);
    ASSERT_TRUE(eventually([&] { return program.capture().differences(pane) > 1000; }))
        << "the confirmation";
    program.key(XK_Return);
    EXPECT_TRUE(eventually([&] { return fs::exists(workspace / "ws" / "environment.stl"); }))
        << "written where the field shows";
    program.key(XK_Escape);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConfigurationInProgram, kWindowSizes, size_name);
