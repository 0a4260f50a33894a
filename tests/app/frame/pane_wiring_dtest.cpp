// The real program under the X server, seen through captured pixels: the
// start-up pane with its logo gives way to the interface, and without
// arguments the configuration box opens the navigator when clicked.

#include "tests/platform/x11/display_fixture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

// Bounds that only stop a hung test; sanitizers and software GL are slow.
constexpr int POLL_US = 50'000;
constexpr int MAX_POLLS = 1200;

struct Rgb {
    int r = 0, g = 0, b = 0;
};

class RunningProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
    }

    void TearDown() override
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        if (display != nullptr) XCloseDisplay(display);
        if (!workspace.empty()) fs::remove_all(workspace);
    }

    void start(const std::string& arguments)
    {
        pid = fork();
        if (pid == 0) {
            if (chdir(fs::path(STANDIN_KERNEL_PATH).parent_path().c_str()) == 0)
                execl("/bin/sh", "sh", "-c",
                      ("exec '" PLIM_EI_PATH "' " + arguments + " >/dev/null").c_str(),
                      static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(pid, 0);
        for (int i = 0; i < MAX_POLLS && window == 0; ++i, usleep(POLL_US))
            window = find_window();
        ASSERT_NE(window, 0u) << "the program opened no window";
    }

    Window find_window()
    {
        Window root = 0, parent = 0, found = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count && found == 0; ++i)
            if (cardinal_property(display, children[i], "_NET_WM_PID") ==
                std::vector{std::uint32_t(pid)})
                found = children[i];
        XFree(children);
        return found;
    }

    // Other display tests open windows on the same screen; ours is raised so
    // that the sampled pixels are its own.
    Rgb pixel(int x, int y)
    {
        XRaiseWindow(display, window);
        XSync(display, False);
        XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return {};
        const unsigned long value = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return {int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF)};
    }

    bool wait_until(const std::function<bool()>& seen)
    {
        for (int i = 0; i < MAX_POLLS; ++i, usleep(POLL_US))
            if (seen()) return true;
        return false;
    }

    void click(int x, int y)
    {
        XRaiseWindow(display, window);
        int root_x = 0, root_y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &root_x, &root_y,
                              &child);
        XTestFakeMotionEvent(display, -1, root_x, root_y, 0);
        XTestFakeButtonEvent(display, 1, True, 0);
        XTestFakeButtonEvent(display, 1, False, 0);
        XFlush(display);
    }

    Display* display = nullptr;
    Window window = 0;
    pid_t pid = -1;
    std::string workspace;
};

bool bluish(Rgb c)
{
    return c.b > c.r + 40;
}

// The start-up pane, the configuration box and the navigator are nearly white;
// the Light theme's 3-D background is a shade darker.
bool light(Rgb c)
{
    return c.r > 235 && c.g > 235 && c.b > 235;
}

} // namespace

TEST_F(RunningProgram, ShowsTheLogoOnTheStartUpPaneThenTheInterface)
{
    char pattern[] = "/tmp/plim-ei-panes-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    workspace = pattern;
    start("./plim '" + workspace + "'");
    EXPECT_TRUE(wait_until([&] { return bluish(pixel(300, 270)); }))
        << "the logo fades in on the start-up pane";
    EXPECT_TRUE(light(pixel(40, 440))) << "the start-up pane covers the bars";
    // The 3-D view, away from the sample model, shows its background (darker
    // than the start-up pane) once the pane is gone.
    EXPECT_TRUE(wait_until([&] { return !light(pixel(650, 300)); })) << "the interface follows";
}

TEST_F(RunningProgram, WithoutArgumentsTheConfigurationBoxOpensTheNavigator)
{
    start("");
    ASSERT_TRUE(wait_until([&] { return light(pixel(40, 300)); })) << "the start-up pane";
    // After the logo the start-up pane fades away, leaving the configuration
    // box on the mask.
    ASSERT_TRUE(wait_until([&] { return light(pixel(360, 140)) && !light(pixel(650, 300)); }))
        << "the configuration box is shown";
    // Its kernel button; the start-up pane takes the clicks until it has
    // faded out completely, so the click is repeated until it lands.
    int polls = 0;
    EXPECT_TRUE(wait_until([&] {
        if (polls++ % 10 == 0) click(560, 236);
        return light(pixel(40, 300));
    })) << "the navigator covers the window";
}
