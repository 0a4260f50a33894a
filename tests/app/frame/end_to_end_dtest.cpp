// The whole program as a person uses it: the real plim-ei with the stand-in
// kernel and a temporary workspace holding the three examples, driven by
// synthetic keys and clicks and judged by the window's pixels, its trace on
// standard output and the files it writes.

#include "tests/app/frame/program_driver.h"

#include "platform/process.h"

#include <cstdlib>
#include <regex>
#include <utility>
#include <string>
#include <vector>

namespace {

using namespace program_driver;

// Regions of the 720 x 480 window.
constexpr int VIEW_X = 260, VIEW_Y = 100, VIEW_W = 400, VIEW_H = 280;
constexpr int STATUS_Y = 428;
// The panes of the 720 x 480 window: the run pane's PROFILER and CULLING in
// its title row, its assemble button, and its grid of mode cells, a column
// per mode; the export pane's name field, time-stamp button and export
// button; the profiling pane's Copy and Write and the panes' close box.
constexpr int PROFILER_X = 524, CULLING_X = 420, TITLE_ROW_Y = 76;
constexpr int ASSEMBLE_X = 536, ASSEMBLE_Y = 400;
constexpr int MODE_CELL_X = 140, MODE_CELL_PITCH = 160, MODE_CELL_Y = 220;
constexpr int NAME_FIELD_X = 300, NAME_FIELD_Y = 152;
constexpr int TIMESTAMP_X = 540, TIMESTAMP_Y = 348, OBJ_ROW_Y = 236;
constexpr int EXPORT_BUTTON_X = 536, EXPORT_BUTTON_Y = 400;
constexpr int COPY_X = 447, WRITE_X = 551, PANE_BUTTON_Y = 399;
constexpr int CLOSE_X = 596, CLOSE_Y = 74;
// The entity inspector: its first row and the profiling-data control.
// The status bar's parallel-flags toggle and, in its strip, "Cull".
constexpr int PARALLEL_FLAGS_X = 12, CULL_X = 212, STRIP_Y = 435, CULL_FILL_Y = 429;
constexpr int ENTITY_TAB_X = 100, ENTITY_TAB_Y = 64;
constexpr int FIRST_ROW_X = 80, FIRST_ROW_Y = 128, PPD_X = 220, PPD_Y = 246;

class EndToEnd : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (IsSkipped()) return;
        for (const char* name : {"simple.plim", "parameters.plim", "parallel.plim"})
            fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / name,
                          fs::path(workspace.path()) / name);
    }

    // With `kernel` and the workspace; the console panel stays open beside
    // the view.
    void start_and_wait_for_interface(const std::string& kernel = "./plim")
    {
        ProgramTest::start_and_wait_for_interface(quoted(kernel) + " " + quoted(workspace.path()));
    }

    Image view() { return program.capture(VIEW_X, VIEW_Y, VIEW_W, VIEW_H); }
    Image status_line() { return program.capture(0, STATUS_Y, 720, 16); }

    // Waits until `region` differs from `before` in more than `least` pixels.
    bool changes(const std::function<Image()>& region, const Image& before, int least = 50)
    {
        return wait_until([&] { return region().differences(before) > least; }, SETTLE_POLLS * 2);
    }

    // Ctrl+O shows the navigator on the workspace; Ctrl+A selects every
    // script and Enter opens them.
    void open_examples()
    {
        const Image before = view();
        program.key(XK_o, {XK_Control_L});
        ASSERT_TRUE(wait_until([&] { return pane_shown(); }, SETTLE_POLLS))
            << "the navigator covers the window";
        program.key(XK_a, {XK_Control_L});
        program.key(XK_Return);
        ASSERT_TRUE(wait_until([&] { return !pane_shown() && view().differences(before) > 5000; }))
            << "the meshes are drawn";
        wait_for_the_last_example();
    }

    // The scripts load one after another, and each load rebuilds the panels,
    // taking the focus of a field: keys and clicks wait until simple.plim, the
    // navigator's last row, has been assembled and the status line is still.
    void wait_for_the_last_example()
    {
        const fs::path staged = fs::path(workspace.path()) / "tmp" / "plim_assemble_in";
        ASSERT_TRUE(wait_until([&] {
            return read_file(staged).find("cube.s(2, 0.25, 2)") != std::string::npos;
        })) << "simple.plim is assembled";
        ASSERT_TRUE(wait_until_still([&] { return status_line(); })) << "the status line settles";
    }

    // The navigator, the export pane and the error panes cover the view.
    bool pane_shown() { return program.pixel(400, 250).light(); }

    // Clicks a field and replaces the last character of its text.
    void retype(int x, int y, const std::string& text)
    {
        program.click(x, y);
        program.key(XK_End);
        program.key(XK_BackSpace);
        program.type(text);
    }

    TempDirectory workspace{"plim-e2e-ws"};
};

bool drawn(const Rgb& c)
{
    return !c.view() && !c.light();
}

} // namespace

TEST_F(EndToEnd, StartsWithTheLogoThenShowsTheInterfaceWithItsWorldWidgets)
{
    ASSERT_TRUE(program.start("./plim " + quoted(workspace.path())));
    ASSERT_TRUE(program.wait_for_window(540, 520));
    EXPECT_EQ(program.window_name(), "PLIM:EI (WIN32)");
    EXPECT_TRUE(wait_until([&] { return program.pixel(300, 270).bluish(); }))
        << "the logo on the start-up pane";
    EXPECT_TRUE(program.pixel(300, 440).light()) << "the start-up pane covers the bars";
    ASSERT_TRUE(wait_until([&] { return program.pixel(650, 300).view(); }))
        << "the interface follows";
    EXPECT_GT(program.count_pixels(260, 130, 200, 220, drawn), 2000)
        << "the axes, rings and sample model in the middle of the view";
    // The console's main log, below the channel view, holds the start-up lines.
    ASSERT_TRUE(toggle_until([&] { return side_panel_shown(); }, XK_1));
    EXPECT_GT(program.count_pixels(8, 258, 230, 80, &Rgb::dark), 100) << "the main log";
    // One kernel run assembled the grid, axis and ring scripts together.
    const std::string staged = read_file(workspace.path() + "/tmp/plim_assemble_in");
    EXPECT_TRUE(staged.find("torus(") != std::string::npos ||
                staged.find("rcube(") != std::string::npos)
        << staged;
    EXPECT_TRUE(fs::exists(workspace.path() + "/tmp/plim_assemble_out"));
    EXPECT_EQ(program.close(), 0) << program.errors();
    const std::string trace = program.trace();
    EXPECT_EQ(trace.rfind(std::string(50, '-') + "\n%  PLIM-EI", 0), 0u) << trace;
    EXPECT_NE(trace.find("\nEXEC:[\"./plim\"];\nTEMP:[\"" + workspace.path() + "\"];\n"),
              std::string::npos)
        << trace;
    EXPECT_EQ(trace.find("ERROR"), std::string::npos) << trace;
}

// With the mouse alone: the navigator's X closes it, its ALL button picks
// the three scripts and its Open button opens them.
TEST_F(EndToEnd, OpensTheThreeExamplesThroughTheNavigatorAndUpdatesTheStatusLine)
{
    start_and_wait_for_interface();
    const Image status = status_line();
    const Image before = view();
    const auto navigator_listed = [&] {
        return program.count_pixels(60, 36, 150, 90, &Rgb::dark) > 50;
    };
    program.key(XK_o, {XK_Control_L});
    ASSERT_TRUE(wait_until(navigator_listed)) << "the navigator lists the workspace";
    program.click(676, 20);
    ASSERT_TRUE(wait_until([&] { return !pane_shown(); })) << "its X closes the navigator";
    program.key(XK_o, {XK_Control_L});
    ASSERT_TRUE(wait_until(navigator_listed));
    program.click(624, 352); // ALL, beside the path bar
    ASSERT_TRUE(wait_until([&] {
        return program.pixel(300, 47).bluish() && program.pixel(300, 79).bluish() &&
               program.pixel(300, 111).bluish();
    })) << "ALL picks every script";
    program.click(636, 412);
    ASSERT_TRUE(wait_until([&] { return !pane_shown() && view().differences(before) > 5000; }))
        << "Open draws the meshes";
    wait_for_the_last_example();
    EXPECT_GT(status_line().differences(status), 20) << "the status line counts the entities";
}

TEST_F(EndToEnd, TheViewTurnsWithTheRightButtonAndTheArrowsSwitchesControllerAndSplits)
{
    start_and_wait_for_interface();
    open_examples();
    Image before = view();
    program.drag(3, 460, 240, 560, 260);
    EXPECT_TRUE(changes([&] { return view(); }, before, 2000)) << "the right-button drag turns";

    before = view();
    program.move_pointer(460, 240);
    program.hold_key(XK_Left, true);
    usleep(300'000);
    program.hold_key(XK_Left, false);
    EXPECT_TRUE(changes([&] { return view(); }, before, 2000)) << "Left turns the view";

    const Image status = status_line();
    program.key(XK_4);
    EXPECT_TRUE(changes([&] { return status_line(); }, status, 20))
        << "the status line names the next controller";

    // The split button at the view's top-right corner makes two panes side
    // by side, each drawing the scene.
    before = program.capture();
    program.click(676, 97);
    EXPECT_TRUE(changes([&] { return program.capture(); }, before, 2000)) << "two view panes";
}

// In a 1200 x 900 window the parameter panel of parameters.plim shows the
// fields of "Pillars" (INT n, 3 to 24) and "Height" (DBL h) with the slider
// of n between them.
TEST_F(EndToEnd, AParameterChangesThroughItsFieldAndSliderAndEscapeRestoresAField)
{
    start_and_wait_for_interface();
    open_examples();
    // Captures must lie on the screen.
    program.move(40, 60);
    program.resize(1200, 900);
    ASSERT_TRUE(wait_until([&] { return program.window_size().first == 1200; }));
    const fs::path staged = fs::path(workspace.path()) / "tmp" / "plim_assemble_in";
    const auto staged_has = [&](const std::string& line) {
        return read_file(staged).find(line) != std::string::npos;
    };
    const auto pillars = [&] { return program.capture(0, 520, 250, 28); };
    const auto height = [&] { return program.capture(0, 592, 250, 28); };

    // The tab and the entity row lie where they were before the larger
    // layout. Each toggles, so each is clicked once.
    program.click(205, 71);
    ASSERT_TRUE(wait_until([&] {
        return program.pixel(205, 62).bluish() &&
               program.count_pixels(0, 112, 240, 20, &Rgb::dark) > 30;
    })) << "the PARAMETER tab shows the entity row";
    program.click(60, 122);
    ASSERT_TRUE(wait_until([&] { return pillars().count(&Rgb::dark) > 20; }))
        << "the entity row selects the script's parameters";

    Image before = pillars();
    retype(150, 534, "12");
    EXPECT_TRUE(changes(pillars, before, 10)) << "the typed text shows before Enter";
    program.key(XK_Return);
    EXPECT_TRUE(wait_until([&] { return staged_has("INT n = 12;"); }))
        << "Enter re-assembles with the new value:\n"
        << read_file(staged);

    // The statistics' first lines count the vertices and indices.
    const auto scene = [&] { return program.capture(260, 665, 200, 30); };
    before = scene();
    program.drag(1, 109, 559, 215, 559);
    EXPECT_TRUE(wait_until([&] { return !staged_has("INT n = 12;") && !staged_has("INT n = 6;"); }))
        << "the slider re-assembles:\n"
        << read_file(staged);
    EXPECT_TRUE(changes(scene, before, 10)) << "the statistics count the new mesh";

    before = height();
    retype(150, 606, "4.5");
    ASSERT_TRUE(changes(height, before, 10)) << "the Height field shows 4.5";
    program.key(XK_Escape);
    EXPECT_TRUE(wait_until([&] { return height().differences(before) < 5; }, SETTLE_POLLS * 2))
        << "Escape shows the value again";
    EXPECT_TRUE(staged_has("DBL h = 2;")) << read_file(staged);
}

// Ctrl+S opens the export pane; the four format rows are chosen, its export
// button asks for confirmation and Enter writes every file into the
// workspace, the default export location.
TEST_F(EndToEnd, TheExportPaneWritesEveryFormatIntoTheWorkspace)
{
    start_and_wait_for_interface();
    open_examples();
    // Keys wait while the opened scripts are still being announced.
    ASSERT_TRUE(
        repeat_until([&] { return pane_shown(); }, [&] { program.key(XK_s, {XK_Control_L}); }))
        << "the export pane opens";
    const Image formats = program.capture(120, 224, 480, 96);
    for (const int y : {236, 260, 284, 308}) // OBJ, OFF, PLY, STL
        program.click(200, y);
    ASSERT_TRUE(changes([&] { return program.capture(120, 224, 480, 96); }, formats, 4000))
        << "the four rows show as chosen";
    program.click(EXPORT_BUTTON_X, EXPORT_BUTTON_Y);
    const Image pane = program.capture();
    ASSERT_TRUE(changes([&] { return program.capture(); }, pane, 1000)) << "the confirmation";
    program.key(XK_Return);

    const fs::path base = fs::path(workspace.path()) / "environment";
    const std::vector<std::string> files = {"_NGON.obj", "_TESS.obj", "_NGON.off", "_TESS.off",
                                            "_NGON.ply", "_TESS.ply", ".stl"};
    for (const std::string& suffix : files) {
        const fs::path file = base.string() + suffix;
        EXPECT_TRUE(wait_until([&] { return fs::exists(file) && fs::file_size(file) > 0; }))
            << file << " was written";
        const std::string check = "assimp info " + quoted(file.string()) + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(check.c_str()), 0) << file << " reads back";
    }
}

// Without arguments the configuration box asks for the kernel and the
// workspace; each button opens the navigator in the working directory, which
// holds "plim" and "ws/". Down moves the cursor, Ctrl+Down enters the chosen
// directory, Enter selects; Enter on the completed box starts the program.
TEST_F(EndToEnd, TheConfigurationBoxTakesTheKernelAndWorkspaceFromTheNavigator)
{
    TempDirectory home{"plim-e2e-home"};
    fs::create_symlink(STANDIN_KERNEL_PATH, fs::path(home.path()) / "plim");
    fs::create_directory(fs::path(home.path()) / "ws");
    ASSERT_TRUE(program.start("", "", home.path()));
    ASSERT_TRUE(program.wait_for_window(540, 520)) << "no window";
    program.move_pointer(360, 240);
    // The box stands over the dimmed interface; the navigator covers it all.
    const auto box_shown = [&] {
        return program.pixel(300, 150).light() && !program.pixel(40, 200).light();
    };
    const auto navigator_open = [&] { return program.pixel(40, 200).light(); };
    ASSERT_TRUE(wait_until(box_shown)) << "the configuration box";

    ASSERT_TRUE(click_until(navigator_open, 560, 235)) << "Kernel opens the navigator";
    program.key(XK_Down);
    program.key(XK_Return);
    ASSERT_TRUE(wait_until(box_shown)) << "plim is taken";

    ASSERT_TRUE(click_until(navigator_open, 560, 299)) << "Workspace opens the navigator";
    program.key(XK_Down);
    program.key(XK_Down);
    program.key(XK_Down, {XK_Control_L});
    program.key(XK_Return);
    ASSERT_TRUE(wait_until(box_shown)) << "ws/ is taken";
    program.key(XK_Return);

    EXPECT_TRUE(wait_until([&] { return program.pixel(650, 300).view(); }))
        << "the interface appears";
    EXPECT_TRUE(wait_until([&] {
        return fs::exists(fs::path(home.path()) / "ws" / "tmp" / "plim_assemble_out");
    })) << "the start-up assembly ran the chosen kernel in the chosen workspace";
}

// The first entity row's DELETE icon asks for confirmation and Enter removes
// the entity; ENV adds "env1", the hover card over the tab bar closes "env0";
// Shift+T twice goes back to the dark theme; the close button ends the
// program cleanly.
TEST_F(EndToEnd, DeletesAnEntityClosesAnEnvironmentThroughItsCardAndTurnsDark)
{
    start_and_wait_for_interface();
    open_examples();
    const auto confirmation_shown = [&] {
        return program.pixel(450, 250).light() && program.pixel(535, 250).light();
    };
    const Image status = status_line();
    // The ENTITY tab is chosen and its rows show where the console's lines were.
    ASSERT_TRUE(toggle_until(
        [&] {
            return program.pixel(118, 62).bluish() &&
                   program.count_pixels(0, 112, 190, 20, &Rgb::dark) > 30;
        },
        XK_2))
        << "the entity list shows";
    ASSERT_TRUE(click_until(confirmation_shown, 231, 147)) << "the row's DELETE icon asks";
    program.key(XK_Return);
    EXPECT_TRUE(changes([&] { return status_line(); }, status, 20))
        << "the status line counts one entity less";

    // The second tab's place on the tab bar: plain while there is one tab
    // and the window is not dimmed by a busy state, with dark text on a tab.
    const auto second_tab = [&] { return program.capture(190, 452, 55, 16); };
    const auto second_tab_empty = [&] { return second_tab().count(&Rgb::light) == 55 * 16; };
    ASSERT_TRUE(wait_until(second_tab_empty)) << "the deletion has finished";
    // A new environment fades in for about two seconds.
    program.click(56, 463);
    ASSERT_TRUE(wait_until([&] { return second_tab().count(&Rgb::dark) > 10; }))
        << "ENV adds the tab env1";

    // Over env0 the card shows env0's image above its tab, reaching down to
    // it: the pointer goes straight up onto the card's "close" box.
    // A slow program may lay the card out only after the pointer has passed,
    // so the way onto it is walked again, more slowly, until the card's
    // "close" box asks.
    const auto card = [&] { return program.capture(90, 352, 108, 60); };
    const Image no_card = card();
    bool asked = false;
    for (int attempt = 0; attempt < 4 && !asked; ++attempt) {
        int step = 0;
        ASSERT_TRUE(wait_until([&] {
            program.move_pointer(150 + step++ % 2 * 2, 460);
            return card().differences(no_card) > 500 || confirmation_shown();
        })) << "the hover card shows";
        for (const int y : {455, 449, 447, 440, 433}) {
            program.move_pointer(150, y);
            usleep((4 << attempt) * POLL_US); // a frame sees each place
        }
        if (!confirmation_shown()) program.click(150, 433);
        asked = wait_until(confirmation_shown, SETTLE_POLLS);
    }
    ASSERT_TRUE(asked) << "the card's \"close\" box asks for confirmation";
    program.key(XK_Return);
    EXPECT_TRUE(wait_until(second_tab_empty)) << "one tab remains";

    program.key(XK_t, {XK_Shift_L});
    program.key(XK_t, {XK_Shift_L});
    EXPECT_TRUE(wait_until([&] {
        return program.pixel(700, 70).dark() && program.pixel(600, 470).dark();
    })) << "the bars turn dark";
    EXPECT_EQ(program.close(), 0) << program.errors();
}

// Pick mode T of the inspector strip names the triangle under the pointer in
// the hint bar; LLMI opens the information pane with its report.
TEST_F(EndToEnd, PickModeTShowsTheTriangleAndLlmiReportsIt)
{
    start_and_wait_for_interface();
    open_examples();
    const auto hint_bar = [&] { return program.capture(258, 90, 460, 40); };
    // The toggle and the chosen mode show on a blue ground.
    const auto blue_at = [&](int x, int y) {
        const Rgb c = program.pixel(x, y);
        return c.b > c.r + 25;
    };
    ASSERT_TRUE(click_until([&] { return blue_at(30, 429); }, 36, 436))
        << "the inspector toggle opens its strip";
    ASSERT_TRUE(click_until([&] { return blue_at(140, 429); }, 150, 436)) << "T is chosen";
    const Image hint = hint_bar();
    int step = 0;
    EXPECT_TRUE(wait_until([&] {
        program.move_pointer(300 + step++ % 2, 200);
        return hint_bar().differences(hint) > 100;
    })) << "the hint bar names the triangle under the pointer";

    program.click(80, 436); // LLMI
    EXPECT_TRUE(wait_until([&] {
        return program.pixel(400, 250).light() && program.pixel(600, 300).light();
    })) << "the information pane shows the report";
}

// A kernel that misbehaves when it assembles simple.plim, and runs the
// stand-in for everything else.
struct HostileKernel {
    const char* name;
    const char* misdeed; // shell text run in place of a sound assembly
    bool error_pane;     // whether the person is told
};

class EndToEndHostile : public EndToEnd, public ::testing::WithParamInterface<HostileKernel> {
protected:
    std::string write_kernel()
    {
        const std::string path = kernel_home.path() + "/plim";
        write_file(path, std::string("#!/bin/sh\nstandin=") + quoted(STANDIN_KERNEL_PATH) +
                             "\ncase \"$2\" in -assemble*) ;; *) exec \"$standin\" \"$@\" ;; esac\n"
                             "grep -q 'ball = sphere' \"$3\" || exec \"$standin\" \"$@\"\n" +
                             GetParam().misdeed + "\n");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    TempDirectory kernel_home{"plim-e2e-kernel"};
};

TEST_P(EndToEndHostile, TheOtherEntitiesStayDrawnAndTheProgramAnswers)
{
    start_and_wait_for_interface(write_kernel());
    open_examples();
    if (GetParam().error_pane) {
        ASSERT_TRUE(wait_until([&] { return pane_shown(); }))
            << "an error pane tells of simple.plim";
        EXPECT_TRUE(toggle_until([&] { return !pane_shown(); }, XK_Escape))
            << "Escape closes the pane";
    } else {
        EXPECT_FALSE(wait_until([&] { return pane_shown(); }, SETTLE_POLLS))
            << "nothing went wrong";
    }
    EXPECT_GT(view().count(drawn), 5000) << "parameters.plim and parallel.plim stay drawn";
}

INSTANTIATE_TEST_SUITE_P(
    Kernels, EndToEndHostile,
    ::testing::Values(
        HostileKernel{"Crashes", "kill -SEGV $$", true},
        HostileKernel{"TruncatesItsMeshFile",
                      "\"$standin\" \"$@\"; status=$?\nhead -c 100 \"$4\" >\"$4.part\"\n"
                      "mv \"$4.part\" \"$4\"\nexit $status",
                      true},
        HostileKernel{"FloodsItsOutput",
                      "\"$standin\" \"$@\"; status=$?\nhead -c 20000000 /dev/zero | tr '\\0' x\n"
                      "exit $status",
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

// Shift+R opens the run pane: 1, 2 and 3 choose the execution mode, whose
// title and column of cells follow; PROFILER and CULLING switch from its
// title row. With the parallel flags' Cull off, its assemble button assembles
// the examples again with profiling data, which the inspector's PPD control
// shows in the profiling pane; Copy offers the report to the clipboard and
// Write puts it into "plim_ppd.txt".
TEST_F(EndToEnd, TheRunPaneAssemblesWithTheProfilerAndTheProfilePaneCopiesAndWrites)
{
    start_and_wait_for_interface();
    open_examples();
    // The parallel example keeps the elements that did not change unless the
    // strip's re-assembly culling, on from the start, is switched off.
    ASSERT_TRUE(click_until([&] { return program.pixel(CULL_X, CULL_FILL_Y).bluish(); },
                            PARALLEL_FLAGS_X, STRIP_Y))
        << "the parallel-flags strip opens with Cull on";
    ASSERT_TRUE(repeat_until([&] { return !program.pixel(CULL_X, CULL_FILL_Y).bluish(); },
                             [&] {
                                 program.click(CULL_X, STRIP_Y);
                                 program.move_pointer(300, 300);
                             }))
        << "Cull is switched off";
    ASSERT_TRUE(repeat_until([&] { return pane_shown(); }, [&] { program.key(XK_R, {XK_Shift_L}); }))
        << "Shift+R opens the run pane";
    const auto column_chosen = [&](int column) {
        return program.pixel(MODE_CELL_X + column * MODE_CELL_PITCH, MODE_CELL_Y).bluish();
    };
    EXPECT_TRUE(column_chosen(2)) << "the optimal-CSG column at start";
    const auto mode_title = [&] { return program.capture(120, 104, 300, 32); };
    for (const auto& [key, column] : {std::pair{XK_1, 0}, {XK_2, 1}, {XK_3, 2}}) {
        const Image title = mode_title();
        program.key(key);
        EXPECT_TRUE(wait_until([&] {
            return column_chosen(column) && !column_chosen((column + 1) % 3) &&
                   !column_chosen((column + 2) % 3);
        })) << "column " << column;
        EXPECT_GT(mode_title().differences(title), 50) << "the mode title of column " << column;
    }
    // A toggle shows its state once the pointer has left it: hovered, it is
    // highlighted either way.
    const auto toggle_shows = [&](int x, bool on) {
        return repeat_until([&] { return program.pixel(x - 40, TITLE_ROW_Y).bluish() == on; },
                            [&] {
                                program.click(x, TITLE_ROW_Y);
                                program.move_pointer(300, 300);
                            });
    };
    ASSERT_TRUE(toggle_shows(PROFILER_X, true)) << "PROFILER is switched on";
    ASSERT_TRUE(toggle_shows(CULLING_X, false))
        << "CULLING is switched off, so every example assembles again";
    const Image pane = program.capture();
    program.click(ASSEMBLE_X, ASSEMBLE_Y);
    ASSERT_TRUE(changes([&] { return program.capture(); }, pane, 1000)) << "the confirmation";
    // The examples assemble again one after another, simple.plim last.
    fs::remove(fs::path(workspace.path()) / "tmp" / "plim_assemble_in");
    program.key(XK_Return);
    wait_for_the_last_example();

    ASSERT_TRUE(toggle_until([&] { return program.pixel(ENTITY_TAB_X, ENTITY_TAB_Y).bluish(); },
                             XK_2))
        << "the entity inspector";
    program.click(FIRST_ROW_X, FIRST_ROW_Y);
    ASSERT_TRUE(click_until([&] { return pane_shown(); }, PPD_X, PPD_Y))
        << "the PPD control opens the profiling pane";
    program.click(COPY_X, PANE_BUTTON_Y);
    std::string copied;
    EXPECT_TRUE(wait_until([&] {
        copied = run_process("/usr/bin/timeout", {"5", "/usr/bin/xclip", "-o", "-selection",
                                                  "clipboard"});
        return copied.rfind(std::string(64, '-') + "\nPLIM:PPD\n", 0) == 0;
    })) << copied;
    EXPECT_NE(copied.find("> Workload : Per-Entity Breakdown"), std::string::npos)
        << "tabs go to the clipboard as '>'";
    program.click(CLOSE_X, CLOSE_Y);
    const fs::path written = fs::path(workspace.path()) / "plim_ppd.txt";
    ASSERT_TRUE(click_until([&] { return fs::exists(written); }, WRITE_X, PANE_BUTTON_Y))
        << "Write makes plim_ppd.txt";
    EXPECT_EQ(read_file(written).substr(0, copied.find('\n')), copied.substr(0, copied.find('\n')));
}

// A typed name and the time-stamp button make the file names: the name, "_",
// the fourteen digits of the date and time, then the usual ends.
TEST_F(EndToEnd, TheExportPaneUsesTheTypedNameAndTheTimeStamp)
{
    start_and_wait_for_interface();
    open_examples();
    ASSERT_TRUE(
        repeat_until([&] { return pane_shown(); }, [&] { program.key(XK_s, {XK_Control_L}); }))
        << "the export pane opens";
    program.click(NAME_FIELD_X, NAME_FIELD_Y);
    program.key(XK_End);
    for (int i = 0; i < 11; ++i) // "environment"
        program.key(XK_BackSpace);
    program.type("myname");
    program.key(XK_Return);
    const Image options = program.capture(120, 224, 480, 150);
    program.click(TIMESTAMP_X, TIMESTAMP_Y);
    program.click(200, OBJ_ROW_Y);
    ASSERT_TRUE(changes([&] { return program.capture(120, 224, 480, 150); }, options, 1000))
        << "OBJ and the time stamp show as chosen";
    const Image pane = program.capture();
    program.click(EXPORT_BUTTON_X, EXPORT_BUTTON_Y);
    ASSERT_TRUE(changes([&] { return program.capture(); }, pane, 1000)) << "the confirmation";
    program.key(XK_Return);

    const std::regex name(R"(myname_\d{14}_(NGON|TESS)\.obj)");
    std::vector<fs::path> written;
    EXPECT_TRUE(wait_until([&] {
        written.clear();
        for (const auto& entry : fs::directory_iterator(workspace.path()))
            if (std::regex_match(entry.path().filename().string(), name))
                written.push_back(entry.path());
        return written.size() == 2;
    })) << "the two OBJ files carry the name and the stamp";
    for (const fs::path& file : written) {
        const std::string check = "assimp info " + quoted(file.string()) + " >/dev/null 2>&1";
        EXPECT_TRUE(wait_until([&] { return std::system(check.c_str()) == 0; }))
            << file << " reads back";
    }
}
