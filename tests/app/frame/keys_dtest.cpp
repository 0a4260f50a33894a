// The real program driven as a person would: synthetic key presses and
// clicks through the X server's test extension, judged by the window's
// pixels. Light and dark are what a person tells apart at a glance.

#include "tests/platform/x11/display_fixture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int POLL_US = 50'000;
constexpr int MAX_POLLS = 1200; // only stops a hung program
constexpr int SETTLE_POLLS = 40;

struct Rgb {
    int r, g, b;
    bool light() const { return r > 230 && g > 230 && b > 230; }
    bool dark() const { return r < 90 && g < 90 && b < 90; }
    // The Light theme's 3-D background (0.80, 0.82, 0.85), a shade below the
    // bars and panels.
    bool view() const { return r > 190 && r <= 230 && b > 200 && b <= 230; }
};

class ShortcutsInProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        display_ = XOpenDisplay(nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no test extension for synthetic input";
        char pattern[] = "/tmp/plim-ei-keys-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        workspace_ = pattern;
        start();
        for (int i = 0; i < MAX_POLLS && window_ == 0; ++i, usleep(POLL_US))
            window_ = find_window();
        ASSERT_NE(window_, 0u) << "the program's window never appeared";
        // Other display tests open their windows at the origin at the same
        // time: this one keeps out of their way.
        XMoveWindow(display_, window_, 540, 520);
        XMapWindow(display_, window_);
        XSync(display_, False);
        // Keys go to the window under the pointer: there is no window manager.
        move_pointer(360, 240);
    }

    void TearDown() override
    {
        if (display_ == nullptr) return;
        if (pid_ > 0) {
            if (window_ != 0) send_close_request(display_, window_);
            stop();
        }
        XCloseDisplay(display_);
        if (!workspace_.empty()) fs::remove_all(workspace_);
    }

    void start()
    {
        pid_ = fork();
        if (pid_ == 0) {
            const std::string command =
                "exec '" PLIM_EI_PATH "' ./plim '" + workspace_ + "' >/dev/null";
            if (chdir(fs::path(STANDIN_KERNEL_PATH).parent_path().c_str()) == 0)
                execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    void stop()
    {
        for (int i = 0; i < MAX_POLLS; ++i, usleep(POLL_US))
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

    Window find_window()
    {
        Window root = 0, parent = 0, found = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count && found == 0; ++i)
            if (cardinal_property(display_, children[i], "_NET_WM_PID") ==
                std::vector{std::uint32_t(pid_)})
                found = children[i];
        XFree(children);
        return found;
    }

    void move_pointer(int x, int y)
    {
        int root_x = 0, root_y = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), x, y, &root_x,
                              &root_y, &child);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), root_x, root_y, CurrentTime);
        XSync(display_, False);
    }

    void key(KeySym symbol, bool shift = false)
    {
        const KeyCode shift_code = XKeysymToKeycode(display_, XK_Shift_L);
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
        if (shift) XTestFakeKeyEvent(display_, shift_code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(display_, shift_code, False, CurrentTime);
        XSync(display_, False);
    }

    void click(int x, int y)
    {
        move_pointer(x, y);
        XTestFakeButtonEvent(display_, 1, True, CurrentTime);
        XTestFakeButtonEvent(display_, 1, False, CurrentTime);
        XSync(display_, False);
    }

    Rgb pixel(int x, int y)
    {
        XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return {-1, -1, -1};
        const unsigned long value = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return {int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)};
    }

    // How many pixels of the rectangle pass the test.
    int count_pixels(int x, int y, int width, int height, bool (*test)(const Rgb&))
    {
        XImage* image = XGetImage(display_, window_, x, y, unsigned(width), unsigned(height),
                                  AllPlanes, ZPixmap);
        if (image == nullptr) return -1;
        int count = 0;
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column) {
                const unsigned long value = XGetPixel(image, column, row);
                count += test({int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)})
                             ? 1
                             : 0;
            }
        XDestroyImage(image);
        return count;
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
        for (int i = 0; i < polls; ++i, usleep(POLL_US))
            if (test()) return true;
        return false;
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

    Display* display_ = nullptr;
    Window window_ = 0;
    pid_t pid_ = -1;
    std::string workspace_;
};

TEST_F(ShortcutsInProgram, KeysClicksAndResizesChangeWhatThePersonSees)
{
    ASSERT_TRUE(open_console_once_started()) << "'1' opens the console side panel";

    // Below 480 x 360 the "Resize Window" notice covers everything and keys
    // do nothing; their effects are judged once the window is large enough
    // again, where each of them would show.
    XResizeWindow(display_, window_, 400, 300);
    XSync(display_, False);
    EXPECT_TRUE(eventually([&] { return pixel(20, 20).light() && pixel(380, 280).light(); }))
        << "the notice covers the window";
    move_pointer(200, 150);
    key(XK_1);       // would close the console
    key(XK_space);   // would hide the bars
    key(XK_T, true); // would change the theme
    usleep(10 * POLL_US);
    XResizeWindow(display_, window_, 480, 360);
    XSync(display_, False);
    EXPECT_TRUE(eventually([&] {
        return pixel(470, 130).view() && pixel(300, 5).light() && pixel(100, 250).light();
    })) << "notice gone; bars, light theme and console as they were";
    XResizeWindow(display_, window_, 720, 480);
    XSync(display_, False);
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
    click(692, 28);
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
