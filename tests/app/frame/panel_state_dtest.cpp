// What the side panels and the bars of the real program show of their own
// state: the padlocks of the entity inspector and of the parameter control
// show one lock, whichever list was clicked and whichever row is selected,
// also after the lists were built again; a strip scrolled in one
// environment shows unscrolled in a new one and scrolled again back there.

#include "tests/app/frame/program_driver.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace program_driver;

struct WindowSize {
    int width, height;
};

// The side panel's lists start below its tabs and its close strip; rows
// stand 51 pixels apart.
constexpr int FIRST_ROW_Y = 112;
constexpr int ROW_PITCH = 51;

int row_top(int row)
{
    return FIRST_ROW_Y + ROW_PITCH * row;
}

bool dark(const Rgb& c)
{
    return c.dark();
}

class PanelStateInProgram : public ProgramTest {
protected:
    // The program on a workspace holding `scripts`, sized `size`.
    void start(const std::vector<std::string>& scripts, WindowSize size)
    {
        width = size.width;
        height = size.height;
        for (const std::string& name : scripts)
            fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "parameters.plim",
                          fs::path(workspace.path()) / name);
        start_and_wait_for_interface(quoted(STANDIN_KERNEL_PATH) + " " +
                                     quoted(workspace.path() + "/"));
        if (width != 720) {
            // Captures and clicks must lie on the screen.
            program.move(40, 60);
            program.resize(width, height);
            ASSERT_TRUE(wait_until([&] { return program.window_size().first == width; }));
        }
    }

    // The same, with every script opened and the entity inspector showing
    // their rows.
    void start_with(const std::vector<std::string>& scripts, WindowSize size)
    {
        start(scripts, size);
        ASSERT_TRUE(repeat_until([&] { return program.pixel(width - 100, 250).light(); },
                                 [&] { program.key(XK_o, {XK_Control_L}); }))
            << "the navigator opens";
        program.key(XK_a, {XK_Control_L});
        program.key(XK_Return);
        show_entities();
        const int rows = static_cast<int>(scripts.size());
        ASSERT_TRUE(wait_until([&] { return row_named(rows - 1); })) << "the scripts' rows show";
    }

    // The row's first line names its script in dark bold type.
    bool row_named(int row)
    {
        return program.count_pixels(10, row_top(row) + 4, 80, 14, dark) > 30;
    }

    int padlock_pixels(int row) { return program.count_pixels(8, row_top(row) + 20, 22, 22, dark); }
    bool locked(int row) { return padlock_pixels(row) > 120; }
    bool open(int row) { return padlock_pixels(row) < 20; }

    // The row's highlight: pale blue behind its labels.
    bool selected(int row)
    {
        const Rgb c = program.pixel(150, row_top(row) + 3);
        return c.b > c.r + 20;
    }

    // Side panel 2 (ENTITY) or 3 (PARAMETER), judged by its tab's highlight.
    void show_panel(KeySym key, int tab_x)
    {
        ASSERT_TRUE(repeat_until(
            [&] {
                const Rgb c = program.pixel(tab_x, 60);
                return c.b > c.r + 20;
            },
            [&] { program.key(key); }));
    }
    void show_entities() { show_panel(XK_2, 118); }
    void show_parameters() { show_panel(XK_3, 204); }

    // A click on the padlock of `row` until `seen`: a padlock click toggles.
    bool click_padlock_until(const std::function<bool()>& seen, int row)
    {
        return click_until(seen, 18, row_top(row) + 35);
    }

    // A click on the row's labels selects it; the pointer then leaves, since
    // a hovered row shows the same highlight.
    bool select_row(int row)
    {
        return repeat_until([&] { return selected(row); },
                            [&] {
                                program.click(150, row_top(row) + 25);
                                program.move_pointer(width / 2, height / 2);
                            });
    }

    // The new environment's tab shows its name and the fade has left the view.
    bool tab_shown(int i)
    {
        return program.count_pixels(124 + 64 * i, height - 29, 58, 16, dark) > 30 &&
               program.pixel(width - 70, 150).view();
    }

    // Ctrl+N, then the new environment's tab.
    void make_environment(int index)
    {
        program.move_pointer(width / 2, height / 2);
        program.key(XK_n, {XK_Control_L});
        ASSERT_TRUE(wait_until([&] { return tab_shown(index); })) << "env" << index;
    }

    int width = 720;
    int height = 480;
    TempDirectory workspace{"plim-panel-state"};
};

class PadlocksInProgram : public PanelStateInProgram,
                          public testing::WithParamInterface<WindowSize> {};

TEST_P(PadlocksInProgram, BothListsShowTheEntityLockNotTheSelection)
{
    start_with({"a.plim", "b.plim"}, GetParam());
    show_parameters();
    ASSERT_TRUE(select_row(0));
    EXPECT_TRUE(open(0)) << "the selected row's entity is not locked";

    // Locked in the parameter control: both lists show it.
    ASSERT_TRUE(click_padlock_until([&] { return locked(1); }, 1));
    show_entities();
    EXPECT_TRUE(locked(1));
    EXPECT_TRUE(open(0));

    // Locked and unlocked again in the entity inspector, then the other way.
    ASSERT_TRUE(click_padlock_until([&] { return locked(0); }, 0));
    show_parameters();
    EXPECT_TRUE(locked(0));
    ASSERT_TRUE(click_padlock_until([&] { return open(0); }, 0));
    show_entities();
    EXPECT_TRUE(open(0));
    EXPECT_TRUE(locked(1));

    // A new environment and back: the lists are built again from the
    // entities, with the selection kept.
    show_parameters();
    make_environment(1);
    program.key(XK_Next, {XK_Control_L});
    ASSERT_TRUE(wait_until([&] { return row_named(1); })) << "env0's parameter rows";
    ASSERT_TRUE(wait_until([&] { return selected(0); }, SETTLE_POLLS));
    EXPECT_TRUE(open(0)) << "the selected row";
    EXPECT_TRUE(locked(1)) << "the locked entity on the other row";
    show_entities();
    EXPECT_TRUE(open(0));
    EXPECT_TRUE(locked(1));
}

INSTANTIATE_TEST_SUITE_P(BothWindowSizes, PadlocksInProgram,
                         testing::Values(WindowSize{720, 480}, WindowSize{1200, 800}),
                         [](const testing::TestParamInfo<WindowSize>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

// Pixels dark in one image and not in the other: the icons and labels,
// whatever shade of the bar's gradient lies behind them.
int dark_differences(const Image& a, const Image& b)
{
    int n = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        n += a.pixels[i].dark() != b.pixels[i].dark() ? 1 : 0;
    return n;
}

// At 720 x 480 the eight tool-menu buttons are wider than their strip, which
// the wheel scrolls.
TEST_F(PanelStateInProgram, AScrolledToolStripStaysWithItsEnvironment)
{
    start({}, {720, 480});
    const auto tool_strip = [&] {
        program.move_pointer(width / 2, height / 2); // no button hovered
        return program.capture(168, 0, 384, 56);
    };
    const auto shows = [&](const Image& strip) {
        return dark_differences(tool_strip(), strip) < 40;
    };
    const Image unscrolled = tool_strip();
    for (int i = 0; i < 8; ++i)
        program.click(360, 27, 5);
    ASSERT_TRUE(wait_until([&] { return dark_differences(tool_strip(), unscrolled) > 500; }))
        << "the wheel scrolls the strip";
    ASSERT_TRUE(wait_until_still(tool_strip));
    const Image scrolled = tool_strip();

    make_environment(1);
    EXPECT_TRUE(wait_until([&] { return shows(unscrolled); }, SETTLE_POLLS))
        << "a new environment starts unscrolled";
    program.key(XK_Next, {XK_Control_L});
    EXPECT_TRUE(wait_until([&] { return shows(scrolled); })) << "env0 shows its strip scrolled";
    program.key(XK_Prior, {XK_Control_L});
    EXPECT_TRUE(wait_until([&] { return shows(unscrolled); })) << "env1 kept its own";
}

} // namespace
