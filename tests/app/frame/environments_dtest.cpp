// Three environments of the real program, each given its own camera lock,
// pick mode (or none chosen), navigator directory and colours, and the first
// its own Attribute-Trace and Variant-Selector, then visited again with
// Ctrl+PageDown, Ctrl+PageUp and the tabs: each shows only its own state,
// and every mark shows its setting.
// Judged by the window's pixels at 720 x 480 with the side panel closed.
// Then, at 720 x 480 and 1200 x 800, the camera-directive column: GRID and a
// directive in env0, a new env1 with its list unmarked, and back again.

#include "tests/app/frame/program_driver.h"

#include <filesystem>
#include <string>

namespace {

using namespace program_driver;

struct Area {
    int x, y, width, height;
};

// Where the 720 x 480 window shows what the scenario looks at.
constexpr Area LOCK_CORNER{684, 362, 32, 36};    // LOCKICON over the expand button
constexpr Area PICK_INDICATOR{70, 426, 22, 18};  // the inspector strip's letter
constexpr Area PATH_BAR{0, 340, 720, 60};         // the navigator's path buttons and location
constexpr Area VIEW{200, 110, 320, 250};         // the middle of the 3-D view
constexpr Area STATISTICS{8, 250, 190, 100};     // the statistics, over the VARIANTS strip
constexpr Area VARIANTS_STRIP{8, 370, 160, 18};
// The tool bar's STATE menu and its first row, Attribute-Trace.
constexpr int STATE_X = 476, TRACE_ROW_X = 360;
// The settings bar scrolled to its end: its LOCK and WIDGETS items, and the
// WIDGETS drop-down's rows Camera-Views and Variant-Selector.
constexpr int BAR_X = 692, LOCK_Y = 172, WIDGETS_Y = 365;
constexpr int ROWS_X = 560, CAMERA_VIEWS_Y = 71, VARIANT_SELECTOR_Y = 103;
constexpr int PICK_ROW_Y = 435;
// Pixels of the hue ramp in VIEW: a ball and a slab coloured by function
// over the hue ramp, or little more than the blue ring without it.
constexpr int HUE_RAMP_SHOWN = 6000;
constexpr int HUE_RAMP_ABSENT = 3000;
constexpr int PICK_T_X = 148;
constexpr int PICK_P_X = 172;

bool dark(const Rgb& c)
{
    return c.dark();
}

// The stand-in's sample script shows an orange ball in its own colours.
bool orange(const Rgb& c)
{
    return c.r > 200 && c.g > 90 && c.g < 190 && c.b < 90;
}

// A colour function over the hue ramp paints the meshes green, cyan and
// violet; over the grey ramp, and in their own colours, there is little of it.
bool hue_ramp(const Rgb& c)
{
    return c.g > c.r + 60 || c.b > c.g + 100;
}

class EnvironmentsInProgram : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (IsSkipped()) return;
        // The ball's script declares a variant: the VARIANTS strip shows.
        const std::string script =
            "#VARIANT(tall){ h = 4 };\n" +
            program_driver::read_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim");
        write_file(fs::path(workspace.path()) / "simple.plim", script);
        fs::create_directory(fs::path(workspace.path()) / "sub");
        write_file(fs::path(workspace.path()) / "sub" / "simple.plim", script);
    }

    int count(const Area& a, const std::function<bool(const Rgb&)>& test)
    {
        return program.count_pixels(a.x, a.y, a.width, a.height, test);
    }

    bool eventually(const std::function<bool()>& test) { return wait_until(test); }

    void over_view() { program.move_pointer(360, 240); }

    Image indicator()
    {
        return program.capture(PICK_INDICATOR.x, PICK_INDICATOR.y, PICK_INDICATOR.width,
                               PICK_INDICATOR.height);
    }

    // The selected "!" row of the inspector strip, pale blue.
    bool strip_open()
    {
        const Rgb row = program.pixel(116, 430);
        return row.b > row.r + 30;
    }

    // Tab i of the tab bar shows its name, and the fade that brings a new
    // environment in has left the view.
    bool tab_shown(int i)
    {
        return program.count_pixels(124 + 64 * i, 451, 58, 16, dark) > 30 &&
               program.pixel(650, 150).view();
    }

    bool locked() { return count(LOCK_CORNER, dark) > 400; }
    bool unlocked() { return count(LOCK_CORNER, dark) < 250; }
    bool navigator_shown()
    {
        return program.pixel(300, 250).light() && program.pixel(650, 250).light();
    }
    Image path_bar()
    {
        return program.capture(PATH_BAR.x, PATH_BAR.y, PATH_BAR.width, PATH_BAR.height);
    }
    bool navigator_in(const Image& bar) { return path_bar().differences(bar) == 0; }

    // Ctrl+O, then: is the first directory it shows the subdirectory (its
    // path bar as it was seen there)? Escape closes the navigator again.
    bool navigator_opens_in_sub()
    {
        over_view();
        EXPECT_TRUE(repeat_until([&] { return navigator_shown(); },
                                 [&] { program.key(XK_o, {XK_Control_L}); }));
        EXPECT_TRUE(navigator_in(sub_bar) || navigator_in(workspace_bar));
        const bool in_sub = navigator_in(sub_bar);
        EXPECT_TRUE(repeat_until([&] { return !navigator_shown(); },
                                 [&] { program.key(XK_Escape); }));
        return in_sub;
    }

    // Opens the workspace's script through Ctrl+O; the ball shows.
    void open_script()
    {
        over_view();
        ASSERT_TRUE(repeat_until([&] { return navigator_shown(); },
                                 [&] { program.key(XK_o, {XK_Control_L}); }));
        if (workspace_bar.pixels.empty()) workspace_bar = path_bar();
        ASSERT_TRUE(navigator_in(workspace_bar)) << "a new environment starts in the workspace";
        program.click(108, 47); // the first row: simple.plim, then sub/ and tmp/
        program.click(634, 427); // Open
        over_view();
        ASSERT_TRUE(eventually([&] { return count(VIEW, orange) > 1500; })) << "the ball shows";
    }

    bool statistics_shown() { return count(STATISTICS, dark) > 400; }
    bool variants_shown()
    {
        return count(VARIANTS_STRIP, [](const Rgb& c) { return c.light(); }) > 1500;
    }
    bool state_menu_open() { return program.pixel(281, 72).dark(); } // its header icon
    bool trace_marked() { return program.pixel(TRACE_ROW_X, 60).bluish(); }
    bool settings_bar_shown() { return program.pixel(716, 150).light(); }
    bool lock_marked() { return program.pixel(668, LOCK_Y).bluish(); }
    bool variant_selector_marked() { return program.pixel(ROWS_X, VARIANT_SELECTOR_Y).bluish(); }
    Image settings_bar() { return program.capture(664, 56, 56, 392); }

    // "m" shows the settings bar, the wheel scrolls it to its end, and its
    // WIDGETS item opens the drop-down (Camera-Views, always on, marked).
    void open_widgets_settings()
    {
        ASSERT_TRUE(toggle_until([&] { return settings_bar_shown(); }, XK_m));
        for (int i = 0; i < 8; ++i)
            program.click(BAR_X, 240, 5);
        ASSERT_TRUE(click_until([&] { return program.pixel(ROWS_X, CAMERA_VIEWS_Y).bluish(); },
                                BAR_X, WIDGETS_Y));
        over_view();
    }

    void choose_pick_mode(int row_x)
    {
        const Image before = indicator();
        ASSERT_TRUE(click_until(
            [&] { return count(PICK_INDICATOR, dark) > 5 && indicator().differences(before) > 20; },
            row_x, PICK_ROW_Y));
        over_view();
    }

    // COLOUR on the tool bar, then Function, then COLOUR again to close it.
    void colour_by_function()
    {
        // The open menu's header shows the COLOUR icon beside its rows.
        const auto menu_open = [&] { return program.pixel(276, 72).dark(); };
        ASSERT_TRUE(click_until(menu_open, 251, 27));
        program.click(596, 71);
        ASSERT_TRUE(click_until([&] { return !menu_open(); }, 251, 27));
        over_view();
        ASSERT_TRUE(eventually([&] { return count(VIEW, hue_ramp) > HUE_RAMP_SHOWN; }));
    }

    // Ctrl with a key that steps to another environment or makes one: a
    // second press would step on, so it is pressed once.
    void press_once_until_shown(KeySym symbol, const std::function<bool()>& shown)
    {
        over_view();
        program.key(symbol, {XK_Control_L});
        ASSERT_TRUE(eventually(shown));
    }

    // Ctrl+= walks the free-roam camera forward unless the camera is locked.
    bool camera_moves()
    {
        over_view();
        const Image before = program.capture(VIEW.x, VIEW.y, VIEW.width, VIEW.height);
        for (int i = 0; i < 3; ++i)
            program.key(XK_equal, {XK_Control_L});
        return wait_until(
            [&] {
                return program.capture(VIEW.x, VIEW.y, VIEW.width, VIEW.height)
                           .differences(before) > 500;
            },
            SETTLE_POLLS);
    }

    TempDirectory workspace{"plim-ei-environments"};
    Image workspace_bar;
    Image sub_bar;
};

TEST_F(EnvironmentsInProgram, EachEnvironmentShowsAndAppliesOnlyItsOwnView)
{
    start_and_wait_for_interface(quoted("./plim") + " " + quoted(workspace.path()));
    ASSERT_TRUE(toggle_until([&] { return !side_panel_shown(); }, XK_1));

    // env0: its own colours, pick mode T, the navigator left in sub/, locked.
    open_script();
    ASSERT_TRUE(click_until([&] { return strip_open(); }, 35, PICK_ROW_Y))
        << "the inspector strip opens";
    // Until a row is chosen in an environment, its indicator reads "LLMI".
    const Image own_name = indicator();
    EXPECT_GT(count(PICK_INDICATOR, dark), 5);
    choose_pick_mode(PICK_T_X);
    const Image letter_t = indicator();
    ASSERT_TRUE(repeat_until([&] { return navigator_shown(); },
                             [&] { program.key(XK_o, {XK_Control_L}); }));
    ASSERT_TRUE(click_until([&] { return !navigator_in(workspace_bar); }, 86, 79))
        << "into sub/";
    ASSERT_TRUE(wait_until([&] { return program.pixel(300, 150).light(); }));
    sub_bar = path_bar();
    ASSERT_TRUE(repeat_until([&] { return !navigator_shown(); }, [&] { program.key(XK_Escape); }));
    over_view();
    ASSERT_TRUE(repeat_until([&] { return locked(); },
                             [&] { program.key(XK_l, {XK_Control_L}); }));
    EXPECT_FALSE(camera_moves()) << "env0 is locked";
    // Attribute-Trace (its STATE menu stays open) and Variant-Selector off take
    // the statistics and the VARIANTS strip away; Ctrl+L has marked LOCK.
    ASSERT_TRUE(click_until([&] { return trace_marked(); }, STATE_X, 27));
    ASSERT_TRUE(click_until([&] { return !statistics_shown(); }, TRACE_ROW_X + 50, 71));
    ASSERT_NO_FATAL_FAILURE(open_widgets_settings());
    ASSERT_TRUE(click_until([&] { return !variants_shown(); }, ROWS_X + 50, VARIANT_SELECTOR_Y));
    over_view();
    EXPECT_TRUE(eventually([&] { return !trace_marked() && !variant_selector_marked(); }));
    EXPECT_TRUE(lock_marked()) << "Ctrl+L marks LOCK";
    const Image env0_bar = settings_bar();
    ASSERT_TRUE(toggle_until([&] { return !settings_bar_shown(); }, XK_m));

    // env1: a new environment is unlocked and picks nothing; colours by function.
    press_once_until_shown(XK_n, [&] { return tab_shown(1); });
    EXPECT_TRUE(unlocked());
    open_script();
    EXPECT_TRUE(eventually([&] { return statistics_shown() && variants_shown(); }))
        << "env1's Attribute-Trace and Variant-Selector are on";
    ASSERT_TRUE(click_until([&] { return state_menu_open(); }, STATE_X, 27));
    over_view();
    EXPECT_TRUE(trace_marked());
    ASSERT_TRUE(click_until([&] { return !state_menu_open(); }, STATE_X, 27));
    ASSERT_NO_FATAL_FAILURE(open_widgets_settings());
    EXPECT_TRUE(variant_selector_marked());
    EXPECT_FALSE(lock_marked());
    ASSERT_TRUE(toggle_until([&] { return !settings_bar_shown(); }, XK_m));
    EXPECT_EQ(indicator().differences(own_name), 0) << "env1 picks nothing: its indicator's name";
    colour_by_function();
    EXPECT_TRUE(camera_moves()) << "env1 is not locked";

    // env2: function colours over the grey ramp, pick mode P.
    press_once_until_shown(XK_n, [&] { return tab_shown(2); });
    EXPECT_LT(count(VIEW, hue_ramp), HUE_RAMP_ABSENT) << "env2's own colours";
    open_script();
    colour_by_function();
    ASSERT_TRUE(click_until([&] { return count(VIEW, hue_ramp) < HUE_RAMP_ABSENT; }, 28, 99))
        << "the colour-space button turns the ramp grey";
    over_view();
    choose_pick_mode(PICK_P_X);
    const Image letter_p = indicator();

    // Back to env1 with Ctrl+PageDown.
    press_once_until_shown(XK_Next, [&] { return indicator().differences(own_name) == 0; });
    EXPECT_TRUE(unlocked());
    EXPECT_GT(count(VIEW, hue_ramp), HUE_RAMP_SHOWN) << "env1's hue ramp";
    EXPECT_FALSE(navigator_opens_in_sub());
    EXPECT_TRUE(camera_moves());

    // Back to env0.
    press_once_until_shown(XK_Next, [&] { return locked(); });
    EXPECT_FALSE(statistics_shown() || variants_shown()) << "env0's own trace and selector";
    EXPECT_TRUE(state_menu_open() && !trace_marked());
    ASSERT_TRUE(toggle_until([&] { return settings_bar_shown(); }, XK_m));
    EXPECT_EQ(settings_bar().differences(env0_bar), 0) << "the marks and LOCK as env0 left them";
    ASSERT_TRUE(toggle_until([&] { return !settings_bar_shown(); }, XK_m));
    EXPECT_EQ(indicator().differences(letter_t), 0) << "env0's T";
    EXPECT_LT(count(VIEW, hue_ramp), HUE_RAMP_ABSENT) << "env0's own colours";
    EXPECT_TRUE(navigator_opens_in_sub());
    EXPECT_FALSE(camera_moves());

    // Ctrl+PageUp to env1, then the env2 tab.
    press_once_until_shown(XK_Prior, [&] { return unlocked(); });
    ASSERT_TRUE(click_until([&] { return indicator().differences(letter_p) == 0; }, 280, 459))
        << "env2's P";
    over_view();
    EXPECT_TRUE(unlocked());
    EXPECT_LT(count(VIEW, hue_ramp), HUE_RAMP_ABSENT) << "env2's grey ramp";
    EXPECT_FALSE(navigator_opens_in_sub());
    EXPECT_TRUE(camera_moves());
}

// The directive column at the window's right edge, between the bars: its
// rows from the top ("front", "above", "close" in a list, thumbnails in a
// grid) and its buttons at the foot, GRID at the bottom right.
class DirectiveColumnInEnvironments : public SizedProgramTest {
protected:
    Image column() { return program.capture(W - 112, 88, 112, H - 168); }
    // The status line's "1 entity | W x H | free-roam | eye(..) | fwd(..)".
    Image camera_text() { return program.capture(100, H - 53, W - 100, 16); }
    bool grid_marked() { return program.pixel(W - 10, H - 104).bluish(); }
    bool listed() { return ink(W - 80, 103, 50, 16) > 20; } // the "front" label
    bool marked_in_list() { return program.pixel(W - 98, 142).bluish(); }
    bool marked_in_grid() { return program.pixel(W - 46, 102).bluish(); }
};

TEST_P(DirectiveColumnInEnvironments, EachEnvironmentMarksItsOwnLayoutAndDirective)
{
    add_example("parameters.plim");
    ASSERT_NO_FATAL_FAILURE(start_sized());
    ASSERT_NO_FATAL_FAILURE(load_directives());
    const Image start_camera = camera_text();
    EXPECT_FALSE(grid_marked() || marked_in_list());
    ASSERT_TRUE(click_until([&] { return marked_in_list(); }, W - 57, 151)) << "above";
    ASSERT_TRUE(click_until([&] { return grid_marked(); }, W - 29, H - 96));
    program.move_pointer(W / 2, H / 2);
    ASSERT_TRUE(eventually([&] { return !listed() && marked_in_grid(); }));
    EXPECT_GT(camera_text().differences(start_camera), 50) << "the camera looks from above";
    const Image env0_column = column();

    ASSERT_NO_FATAL_FAILURE(add_environment(1));
    ASSERT_NO_FATAL_FAILURE(load_directives());
    EXPECT_FALSE(grid_marked()) << "env1 lists its directives";
    EXPECT_FALSE(marked_in_list() || marked_in_grid()) << "and has applied none";
    EXPECT_EQ(camera_text().differences(start_camera), 0) << "its camera is where it started";
    const Image env1_column = column();

    // Ctrl+PageDown, Ctrl+PageUp and the env0 tab: each column as it was left.
    const std::pair<KeySym, const Image*> steps[] = {{XK_Next, &env0_column},
                                                     {XK_Prior, &env1_column}};
    for (const auto& [key, shown] : steps) {
        program.key(key, {XK_Control_L});
        program.move_pointer(W / 2, H / 2);
        EXPECT_TRUE(eventually([&] { return column().differences(*shown) == 0; }))
            << (key == XK_Next ? "env0" : "env1");
    }
    program.click(156, H - 21);
    program.move_pointer(W / 2, H / 2);
    EXPECT_TRUE(eventually([&] { return column().differences(env0_column) == 0; }));
    EXPECT_TRUE(grid_marked() && marked_in_grid() && !listed());
}

INSTANTIATE_TEST_SUITE_P(Sizes, DirectiveColumnInEnvironments, kWindowSizes, size_name);

} // namespace
