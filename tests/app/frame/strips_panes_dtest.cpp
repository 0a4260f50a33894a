// The real program driven as a person would, judged by its window's pixels:
// an opened example is inspected in pick mode T (the hint bar names the
// triangle under the pointer), captured to PNG files, left for a second
// environment and back, and deleted through its row's DELETE icon.

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
constexpr int SETTLE_POLLS = 120;

struct Rgb {
    int r, g, b;
    bool light() const { return r > 230 && g > 230 && b > 230; }
    bool orange() const { return r > 200 && g > 80 && g < 170 && b < 80; }
    // The Light theme's 3-D background (0.80, 0.82, 0.85), a shade below the
    // bars and panels.
    bool view() const { return r > 190 && r <= 230 && b > 200 && b <= 230; }
};

class StripsAndPanesInProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        display_ = XOpenDisplay(nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no test extension for synthetic input";
        char pattern[] = "/tmp/plim-ei-strips-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        workspace_ = pattern;
        fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / "simple.plim",
                      fs::path(workspace_) / "simple.plim");
        start();
        for (int i = 0; i < MAX_POLLS && window_ == 0; ++i, usleep(POLL_US))
            window_ = find_window();
        ASSERT_NE(window_, 0u) << "the program's window never appeared";
        // Other display tests open their windows at the origin at the same
        // time: this one keeps out of their way.
        XMoveWindow(display_, window_, 20, 520);
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
            const std::string command = "exec '" PLIM_EI_PATH "' '" STANDIN_KERNEL_PATH "' '" +
                                        workspace_ + "/' >/dev/null";
            if (chdir(workspace_.c_str()) == 0)
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

    void key(KeySym symbol, unsigned int modifiers = 0)
    {
        const KeyCode control = XKeysymToKeycode(display_, XK_Control_L);
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
        if (modifiers & ControlMask) XTestFakeKeyEvent(display_, control, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        if (modifiers & ControlMask) XTestFakeKeyEvent(display_, control, False, CurrentTime);
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

    static bool eventually(const std::function<bool()>& test, int polls = SETTLE_POLLS)
    {
        for (int i = 0; i < polls; ++i, usleep(POLL_US))
            if (test()) return true;
        return false;
    }

    // The example's ball is the one orange thing in the window.
    int orange_pixels()
    {
        return count_pixels(0, 88, 720, 300, [](const Rgb& c) { return c.orange(); });
    }

    // Ctrl+O lists the workspace: its first row is the example; Enter opens it.
    // The navigator's light body covers the view.
    // Keys do nothing until start-up has finished, so Ctrl+O is repeated.
    bool open_example()
    {
        // The start-up pane is light too: first the view must show.
        if (!eventually([&] { return pixel(600, 300).view(); }, MAX_POLLS)) return false;
        for (int i = 0; i < MAX_POLLS / 10; ++i) {
            key(XK_o, ControlMask);
            if (eventually([&] { return pixel(600, 250).light() && pixel(600, 150).light(); }, 6))
                break;
        }
        click(100, 47);
        key(XK_Return);
        return eventually([&] { return orange_pixels() > 500; }, MAX_POLLS / 4);
    }

    std::vector<std::string> files_starting(const std::string& prefix)
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(workspace_))
            if (entry.path().filename().string().rfind(prefix, 0) == 0 &&
                entry.path().extension() == ".png" && fs::file_size(entry.path()) > 0)
                found.push_back(entry.path().filename().string());
        return found;
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    pid_t pid_ = -1;
    std::string workspace_;
};

TEST_F(StripsAndPanesInProgram, PickModeTNamesTheTriangleAndTheCapturesWritePngFiles)
{
    ASSERT_TRUE(open_example()) << "the example's ball shows";
    // The inspector toggle opens its strip; row T sets the pick mode.
    click(36, 436);
    usleep(10 * POLL_US); // the strip is laid out in the next frame
    click(150, 436);
    int step = 0;
    EXPECT_TRUE(eventually([&] {
        move_pointer(390 + step++ % 2, 230);
        return pixel(300, 105).light();
    })) << "the hint bar opens over the view with the picked triangle";
    move_pointer(360, 300);
    struct Capture {
        KeySym key;
        const char* prefix;
    };
    for (const Capture& c : {Capture{XK_8, "plim_snapshot_"}, Capture{XK_7, "plim_screenshot_"}}) {
        key(c.key, ControlMask);
        usleep(20 * POLL_US);
        key(XK_Return);
        EXPECT_TRUE(eventually([&] { return files_starting(c.prefix).size() == 1; }))
            << c.prefix << " was written";
        key(XK_Escape); // the "Saved" message
        usleep(10 * POLL_US);
    }
}

TEST_F(StripsAndPanesInProgram, ASecondEnvironmentAndBackThenDeleteThroughTheRowIcon)
{
    ASSERT_TRUE(open_example()) << "the example's ball shows";
    click(56, 463); // ENV
    EXPECT_TRUE(eventually([&] { return orange_pixels() == 0; }, MAX_POLLS / 4))
        << "the new environment is empty";
    usleep(40 * POLL_US); // the fade ends
    click(152, 460);      // tab env0, beside the new tab env1
    EXPECT_TRUE(eventually([&] { return orange_pixels() > 500; }, MAX_POLLS / 4))
        << "back in the first environment the ball shows again";
    usleep(40 * POLL_US);
    click(118, 71);  // ENTITY
    click(231, 147); // the row's DELETE icon
    ASSERT_TRUE(eventually([&] { return pixel(450, 250).light() && pixel(535, 250).light(); }))
        << "the confirmation opens";
    click(535, 319); // OK
    EXPECT_TRUE(eventually([&] { return orange_pixels() == 0; }))
        << "the deleted entity is drawn no more";
    EXPECT_TRUE(eventually([&] { return pixel(100, 200).light(); }))
        << "the entity list is empty";
}

} // namespace
