// The real program driven as a person would: synthetic key presses and
// clicks through the X server's test extension, judged by the window's
// pixels. Light and dark are what a person tells apart at a glance.

#include "tests/app/frame/program_driver.h"

#include <string>

namespace {

using namespace program_driver;

class ShortcutsInProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(program.display(), &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no test extension for synthetic input";
        ASSERT_TRUE(program.start("./plim '" + workspace.path() + "'"));
        // Other display tests open their windows at the origin at the same
        // time: this one keeps out of their way.
        ASSERT_TRUE(program.wait_for_window(540, 520)) << "the program's window never appeared";
        program.move_pointer(360, 240);
    }

    void TearDown() override
    {
        if (program.running()) {
            EXPECT_EQ(program.close(), 0);
        }
    }

    Rgb pixel(int x, int y) { return program.pixel(x, y); }
    void key(KeySym symbol, bool shift = false)
    {
        program.key(symbol, shift ? std::vector<KeySym>{XK_Shift_L} : std::vector<KeySym>{});
    }
    int count_pixels(int x, int y, int width, int height, bool (*test)(const Rgb&))
    {
        return program.count_pixels(x, y, width, height, test);
    }

    // Icons and text on the bare view: anything not near black.
    int drawn_pixels(int x, int y, int size)
    {
        return count_pixels(x, y, size, size, [](const Rgb& c) { return !c.view(); });
    }

    // The settings column at the window's right edge, icons aside.
    bool settings_column(bool (*test)(const Rgb&))
    {
        return count_pixels(664, 100, 56, 200, test) > 56 * 200 / 2;
    }

    static bool eventually(const std::function<bool()>& test, int polls = SETTLE_POLLS)
    {
        return wait_until(test, polls);
    }

    // '1' does nothing until start-up has finished; from then on it opens the
    // console side panel, whose light body covers the left of the 3-D view.
    bool open_console_once_started()
    {
        for (int i = 0; i < MAX_POLLS / 10; ++i) {
            key(XK_1);
            if (eventually([&] { return console_shown(); }, 6)) return true;
        }
        return false;
    }

    bool console_shown() { return pixel(100, 250).light() && pixel(650, 150).view(); }

    TempDirectory workspace{"plim-ei-keys"};
    Program program;
};

TEST_F(ShortcutsInProgram, KeysClicksAndResizesChangeWhatThePersonSees)
{
    ASSERT_TRUE(open_console_once_started()) << "'1' opens the console side panel";

    // Below 480 x 360 the "Resize Window" notice covers everything and keys
    // do nothing; their effects are judged once the window is large enough
    // again, where each of them would show.
    program.resize(400, 300);
    EXPECT_TRUE(eventually([&] { return pixel(20, 20).light() && pixel(380, 280).light(); }))
        << "the notice covers the window";
    program.move_pointer(200, 150);
    key(XK_1);            // would close the console
    key(XK_space);        // would hide the bars
    key(XK_T, true);      // would change the theme
    usleep(10 * POLL_US); // time for keys that would act, to show
    program.resize(480, 360);
    EXPECT_TRUE(eventually([&] {
        return pixel(470, 130).view() && pixel(300, 5).light() && pixel(100, 250).light();
    })) << "notice gone; bars, light theme and console as they were";
    program.resize(720, 480);
    ASSERT_TRUE(eventually([&] { return console_shown(); }));

    // Space hides every bar and shows HIDELOGO in the bottom-right corner.
    key(XK_space);
    EXPECT_TRUE(eventually([&] {
        return pixel(300, 5).view() && pixel(300, 474).view() && pixel(300, 440).view() &&
               pixel(100, 250).view();
    })) << "tool bar, tab bar, status bar and side panel hidden";
    EXPECT_GT(drawn_pixels(648, 408, 64), 0) << "HIDELOGO shows";
    EXPECT_EQ(drawn_pixels(400, 408, 64), 0) << "the rest of the bottom edge is bare view";
    key(XK_space);
    EXPECT_TRUE(eventually([&] {
        return pixel(300, 5).light() && console_shown() && drawn_pixels(648, 408, 64) > 64 * 64 / 2;
    })) << "Space again brings the bars, the corner's bars and the open panel back";

    // SETTINGS on the tool bar shows the settings column at the right edge.
    const auto light = [](const Rgb& c) { return c.light(); };
    const auto dark = [](const Rgb& c) { return c.dark(); };
    const auto view = [](const Rgb& c) { return c.view(); };
    EXPECT_TRUE(settings_column(view));
    program.click(692, 28);
    EXPECT_TRUE(eventually([&] { return settings_column(light); })) << "settings column shown";

    // From the light start theme, two Shift+T reach theme 0, Dark.
    ASSERT_TRUE(pixel(300, 5).light());
    key(XK_T, true);
    key(XK_T, true);
    EXPECT_TRUE(eventually([&] {
        return pixel(300, 5).dark() && settings_column(dark) && pixel(100, 250).dark();
    })) << "bars, settings column and side panel turn dark";
    EXPECT_TRUE(pixel(650, 150).dark()) << "the 3-D background is dark";
}

} // namespace
