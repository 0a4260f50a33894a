// The real program driven as a person would: synthetic key presses and
// clicks through the X server's test extension, judged by the window's
// pixels. Light and dark are what a person tells apart at a glance.

#include "tests/app/frame/program_driver.h"

#include <string>

namespace {

using namespace program_driver;

class ShortcutsInProgram : public ProgramTest {
protected:
    Rgb pixel(int x, int y) { return program.pixel(x, y); }
    void key(KeySym symbol, bool shift = false)
    {
        program.key(symbol, shift ? std::vector<KeySym>{XK_Shift_L} : std::vector<KeySym>{});
    }

    // Icons and text on the bare view.
    int drawn_pixels(int x, int y, int size)
    {
        return program.count_pixels(x, y, size, size, [](const Rgb& c) { return !c.view(); });
    }

    // The settings column at the window's right edge, icons aside.
    bool settings_column(bool (Rgb::*test)() const)
    {
        return program.count_pixels(664, 100, 56, 200, std::mem_fn(test)) > 56 * 200 / 2;
    }

    static bool eventually(const std::function<bool()>& test)
    {
        return wait_until(test, SETTLE_POLLS);
    }

    TempDirectory workspace{"plim-ei-keys"};
};

TEST_F(ShortcutsInProgram, KeysClicksAndResizesChangeWhatThePersonSees)
{
    start_and_wait_for_interface(quoted("./plim") + " " + quoted(workspace.path()));

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
        return pixel(470, 130).view() && pixel(300, 5).light() && side_panel_area(&Rgb::light);
    })) << "notice gone; bars, light theme and console as they were";
    program.resize(720, 480);
    ASSERT_TRUE(eventually([&] { return side_panel_shown(); }));

    // Space hides every bar and shows HIDELOGO in the bottom-right corner.
    key(XK_space);
    EXPECT_TRUE(eventually([&] {
        return pixel(300, 5).view() && pixel(300, 474).view() && pixel(300, 440).view() &&
               side_panel_area(&Rgb::view);
    })) << "tool bar, tab bar, status bar and side panel hidden";
    EXPECT_GT(drawn_pixels(648, 408, 64), 0) << "HIDELOGO shows";
    EXPECT_EQ(drawn_pixels(400, 408, 64), 0) << "the rest of the bottom edge is bare view";
    key(XK_space);
    EXPECT_TRUE(eventually([&] {
        return pixel(300, 5).light() && side_panel_shown() &&
               drawn_pixels(648, 408, 64) > 64 * 64 / 2;
    })) << "Space again brings the bars, the corner's bars and the open panel back";

    // SETTINGS on the tool bar shows the settings column at the right edge.
    EXPECT_TRUE(settings_column(&Rgb::view));
    program.click(692, 28);
    EXPECT_TRUE(eventually([&] { return settings_column(&Rgb::light); }))
        << "settings column shown";

    // From the light start theme, two Shift+T reach theme 0, Dark.
    ASSERT_TRUE(pixel(300, 5).light());
    key(XK_T, true);
    key(XK_T, true);
    EXPECT_TRUE(eventually([&] {
        return pixel(300, 5).dark() && settings_column(&Rgb::dark) && side_panel_area(&Rgb::dark);
    })) << "bars, settings column and side panel turn dark";
    EXPECT_TRUE(pixel(650, 150).dark()) << "the 3-D background is dark";

    // THEME in the settings column lists the five themes beside it; the
    // "Light" row brings the light theme back.
    program.click(692, 420);
    const auto label_pixel = [](const Rgb& c) { return c.r > 120 && c.g > 120 && c.b > 120; };
    EXPECT_TRUE(eventually([&] {
        return program.count_pixels(560, 60, 100, 150, label_pixel) > 60;
    })) << "the theme rows show their labels";
    program.click(620, 135);
    EXPECT_TRUE(eventually([&] { return pixel(300, 5).light() && settings_column(&Rgb::light); }))
        << "the Light row turns the bars light again";
}

} // namespace
