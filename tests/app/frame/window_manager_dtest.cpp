// The real program where a window manager matters. Under openbox, on a
// private server: WINDOW > Reset-Size brings a maximised window back to
// 720 x 480, and while a native dialog runs the window repaints what another
// window uncovers and takes no click or key. On the shared server, with no
// window manager: a key held while the pointer leaves is let go.

#include "tests/app/frame/program_driver.h"
#include "tests/platform/x11/private_server.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace {

using namespace program_driver;
using namespace program_driver::metrics;

constexpr unsigned long MAGENTA = 0xFF00FF;

// The root position of a point of the program's window.
std::pair<int, int> on_screen(Program& program, int x, int y)
{
    Display* display = program.display();
    int root_x = 0, root_y = 0;
    Window child = 0;
    XTranslateCoordinates(display, program.window(), DefaultRootWindow(display), x, y, &root_x,
                          &root_y, &child);
    return {root_x, root_y};
}

// What the screen shows over a rectangle of the program's window, whichever
// window shows it. Unlike Program::capture it neither raises the window nor
// moves the keyboard focus.
Image screen(Program& program, int x, int y, int width, int height)
{
    Display* display = program.display();
    const auto [root_x, root_y] = on_screen(program, x, y);
    return grab_image(display, DefaultRootWindow(display), root_x, root_y, width, height);
}

// The private server comes up before the driver connects to it.
struct OwnServer {
    PrivateServer server;
};

class UnderWindowManager : private OwnServer, public ProgramTest {
protected:
    UnderWindowManager() : ProgramTest(server.name()) {}

    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        if (std::system("command -v openbox >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "openbox is not installed";
        ASSERT_FALSE(server.name().empty()) << "Xvfb starts";
        ProgramTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(server.start_window_manager()) << "openbox manages the server";
        // The dialog maps nothing and waits until the test lets it go (for
        // a minute at most), then counts as cancelled.
        const fs::path zenity = fs::path(bin.path()) / "zenity";
        write_file(zenity, "#!/bin/sh\nhere=$(dirname \"$0\")\n: > \"$here/started\"\nn=0\n"
                           "while [ ! -e \"$here/release\" ] && [ $n -lt 1200 ]; do\n"
                           "  sleep 0.05; n=$((n + 1))\ndone\nexit 1\n");
        chmod(zenity.c_str(), 0755);
    }

    void start()
    {
        start_and_wait_for_interface(
            quoted("./plim") + " " + quoted(workspace.path()), kernel_directory(),
            "DISPLAY=" + server.name() + " PATH=" + quoted(bin.path()) + ":\"$PATH\"");
    }

    // As a pager asks: a state message to the root window.
    void maximise()
    {
        Display* display = program.display();
        XEvent event = {};
        XClientMessageEvent& message = event.xclient;
        message.type = ClientMessage;
        message.window = program.window();
        message.message_type = XInternAtom(display, "_NET_WM_STATE", False);
        message.format = 32;
        message.data.l[0] = 1; // add
        message.data.l[1] = long(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
        message.data.l[2] = long(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
        message.data.l[3] = 2; // from a pager
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XSync(display, False);
    }

    // The settings bar's light column along the window's right edge.
    bool settings_bar_shown(int w, int h)
    {
        return program.count_pixels(w - 4, U, 2, h - 3 * U, &Rgb::light) > h - 3 * U;
    }

    static bool magenta(const Rgb& c) { return c == Rgb{255, 0, 255}; }

    TempDirectory workspace{"plim-ei-wm"};
    TempDirectory bin{"plim-ei-wm-bin"};
};

} // namespace

// A maximised window, the manager would not resize: Reset-Size takes it out
// of that state to 720 x 480. Then a dialog that waits: a window moved over
// the program's and away again leaves the program's picture, not its own,
// and a click and a key sent meanwhile do nothing, then or later.
TEST_F(UnderWindowManager, ResetSizeLeavesMaximisedAndADialogKeepsTheWindowPaintedAndDeaf)
{
    ASSERT_NO_FATAL_FAILURE(start());
    program.resize(900, 600);
    ASSERT_TRUE(wait_until([&] { return program.window_size() == std::pair(900, 600); }));
    maximise();
    ASSERT_TRUE(wait_until([&] { return program.window_size().first > 1000; })) << "maximised";
    const auto [W, H] = program.window_size();
    ASSERT_TRUE(click_until([&] { return settings_bar_shown(W, H); }, W - U / 2, U / 2));

    // SETTINGS > Native-IO, while the bar has room for all its buttons.
    const int first_row_y = U + M / 2, native_io_y = U + 3 * M + M / 2, row_x = W - U - 100;
    ASSERT_TRUE(click_until([&] { return program.pixel(row_x, first_row_y).bluish(); }, W - U / 2,
                            U + U / 2 + 9 * U))
        << "the SETTINGS drop-down opens";
    const auto native_io_on = [&] {
        program.move_pointer(W / 2, H / 2);
        return program.pixel(row_x, native_io_y).bluish();
    };
    ASSERT_TRUE(click_until(native_io_on, row_x, native_io_y)) << "Native-IO is on";

    // WINDOW > Reset-Size.
    ASSERT_TRUE(click_until([&] { return program.pixel(W - 2 * U, U + 3 * M + M / 2).light(); },
                            W - U / 2, U + U / 2))
        << "the WINDOW drop-down opens";
    program.click(W - 2 * U, U + 5 * M + M / 2);
    EXPECT_TRUE(wait_until([&] { return program.window_size() == std::pair(720, 480); }))
        << program.window_size().first << " x " << program.window_size().second;
    ASSERT_TRUE(toggle_until([&] { return !settings_bar_shown(720, 480); }, XK_m));
    ASSERT_TRUE(side_panel_shown());

    // While the dialog runs, a click and a key reach nothing, and what
    // another window covered shows the program's picture again.
    program.key(XK_o, {XK_Control_L, XK_Shift_L});
    ASSERT_TRUE(wait_until([&] { return fs::exists(fs::path(bin.path()) / "started"); }))
        << "the dialog runs";
    const auto region = [&] { return screen(program, 100, 100, 300, 200); };
    ASSERT_TRUE(wait_until_still(region));
    const Image painted = region();
    program.click(720 - U / 2, U / 2); // would show the settings bar
    program.key(XK_1);                 // would hide the console
    // The cover's exposure comes after the click and the key: once it is
    // painted over, they have been taken.
    Display* display = program.display();
    XSetWindowAttributes attributes = {};
    attributes.override_redirect = True;
    attributes.background_pixel = MAGENTA;
    const auto [x, y] = on_screen(program, 100, 100);
    const Window cover =
        XCreateWindow(display, DefaultRootWindow(display), x, y, 300, 200, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, cover);
    XSync(display, False);
    EXPECT_TRUE(wait_until([&] { return region().count(magenta) == 300 * 200; }));
    XDestroyWindow(display, cover);
    XSync(display, False);
    EXPECT_TRUE(wait_until([&] { return region().count(magenta) == 0; }, SETTLE_POLLS))
        << "the uncovered part is painted again";
    EXPECT_LT(region().differences(painted), 300) << "with the program's own picture";
    write_file(fs::path(bin.path()) / "release", "");

    ASSERT_TRUE(wait_until([&] { return program.pixel(650, 300).view(); })) << "the dialog ends";
    ASSERT_TRUE(wait_until_still([&] { return program.capture(); }));
    EXPECT_FALSE(settings_bar_shown(720, 480)) << "the click during the dialog did nothing";
    EXPECT_TRUE(side_panel_shown()) << "neither did the key";
}

namespace {

// The shared server, where no window manager runs: the keyboard goes to the
// window under the pointer.
class KeyboardFollowsPointer : public ProgramTest {
protected:
    TempDirectory workspace{"plim-ei-keyboard"};
};

} // namespace

// W held with the pointer in the 3-D view flies the camera. Let go after the
// pointer has left the window, the release goes elsewhere, and the camera
// stops all the same.
TEST_F(KeyboardFollowsPointer, AKeyLetGoOutsideTheWindowStopsTheCamera)
{
    ASSERT_NO_FATAL_FAILURE(
        start_and_wait_for_interface(quoted("./plim") + " " + quoted(workspace.path())));
    // The status line reads out where the camera's eye is; reading it must
    // not give the window the focus.
    const auto eye = [&] { return screen(program, 0, 428, 720, 16); };
    const Image before = eye();
    Display* display = program.display();
    program.move_pointer(460, 240);
    XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
    const KeyCode w = XKeysymToKeycode(display, XK_w);
    XTestFakeKeyEvent(display, w, True, CurrentTime);
    XSync(display, False);
    usleep(10 * POLL_US);
    XTestFakeMotionEvent(display, DefaultScreen(display), 10, 10, CurrentTime);
    XSync(display, False);
    XTestFakeKeyEvent(display, w, False, CurrentTime);
    XSync(display, False);
    EXPECT_GT(eye().differences(before), 50) << "the camera flew while W was held";
    EXPECT_TRUE(wait_until_still(eye)) << "and stopped when it was let go";
}
