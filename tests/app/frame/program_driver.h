#pragma once

// Drives the real plim-ei as a person would: starts it with arguments from
// the stand-in kernel's directory (so "./plim" names the stand-in), finds its
// window by _NET_WM_PID, sends synthetic keys, clicks and drags through the
// X server's test extension, samples the window's pixels, polls until
// something shows, closes the window like its close button and reads the
// exit code and the trace the program wrote on standard output.

#include "tests/platform/x11/display_fixture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace program_driver {

namespace fs = std::filesystem;

// Bounds that only stop a hung test: sanitizers and a software GL driver
// make the program slow.
inline constexpr int POLL_US = 50'000;
inline constexpr int MAX_POLLS = 1200;
// Long enough for a few frames of the program to show a change.
inline constexpr int SETTLE_POLLS = 120;

struct Rgb {
    int r = -1, g = -1, b = -1;
    bool light() const { return r > 230 && g > 230 && b > 230; }
    bool dark() const { return r >= 0 && r < 90 && g < 90 && b < 90; }
    // The Light theme's 3-D background (0.80, 0.82, 0.85), a shade below the
    // bars and panels.
    bool view() const { return r > 190 && r <= 230 && b > 200 && b <= 230; }
    bool bluish() const { return b > r + 40; }
    bool operator==(const Rgb&) const = default;
};

// A captured rectangle of the window.
struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    int count(const std::function<bool(const Rgb&)>& test) const
    {
        int n = 0;
        for (const Rgb& c : pixels)
            n += test(c) ? 1 : 0;
        return n;
    }
    int differences(const Image& other) const
    {
        int n = 0;
        for (std::size_t i = 0; i < pixels.size() && i < other.pixels.size(); ++i)
            n += pixels[i] == other.pixels[i] ? 0 : 1;
        return n;
    }
};

// A rectangle of `drawable` as the server shows it; empty when it cannot be
// read.
inline Image grab_image(Display* display, Drawable drawable, int x, int y, int width, int height)
{
    Image image;
    XImage* grabbed =
        XGetImage(display, drawable, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (grabbed == nullptr) return image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width * height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const unsigned long value = XGetPixel(grabbed, column, row);
            image.pixels.push_back(
                {int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)});
        }
    XDestroyImage(grabbed);
    return image;
}

inline std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void write_file(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Polls every POLL_US until `seen` holds; false after `polls` tries.
inline bool wait_until(const std::function<bool()>& seen, int polls = MAX_POLLS)
{
    for (int i = 0; i < polls; ++i, usleep(POLL_US))
        if (seen()) return true;
    return false;
}

// Waits until what `region` captures has stayed the same for more than ten
// polls in a row.
inline bool wait_until_still(const std::function<Image()>& region)
{
    Image shown = region();
    int still = 0;
    return wait_until([&] {
        const Image now = region();
        still = now.differences(shown) == 0 ? still + 1 : 0;
        shown = now;
        return still > 10;
    });
}

// Repeats `act` until `seen` holds and keeps holding, waiting twice as long
// after each try. A slow program may show one try while it still holds the
// next; for a toggle the two cancel. So what is seen must last as long as the
// latest wait before it counts, and when it goes the tries go on.
inline bool repeat_until(const std::function<bool()>& seen, const std::function<void()>& act,
                         int period = 8)
{
    int polls = 0, next_try = 0, held = 0;
    return wait_until([&] {
        if (seen()) return ++held > period;
        held = 0;
        if (polls++ >= next_try) {
            act();
            next_try = polls + period;
            period *= 2;
        }
        return false;
    });
}

// A fresh directory under /tmp, removed with everything in it at the end.
class TempDirectory {
public:
    explicit TempDirectory(const std::string& prefix)
    {
        std::string pattern = "/tmp/" + prefix + "-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempDirectory()
    {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::string quoted(const std::string& text)
{
    return "'" + text + "'";
}

// The stand-in kernel's directory, where the program is started.
inline fs::path kernel_directory()
{
    return fs::path(STANDIN_KERNEL_PATH).parent_path();
}

// One run of plim-ei. Its standard output and error go to files beside the
// driver's own temporary directory; the destructor ends a program still
// running.
class Program {
public:
    // The driver's connection goes to `display_name`, the default display
    // when empty; the program's own follows its DISPLAY.
    explicit Program(const std::string& display_name = "") : files_("plim-ei-run")
    {
        display_ = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
    }
    ~Program()
    {
        stop();
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Display* display() const { return display_; }
    Window window() const { return window_; }

    // Starts `PLIM_EI_PATH arguments` through the shell in `directory`;
    // `environment` is put before it ("VAR=value ..."). `exec` keeps the pid
    // the program's own.
    bool start(const std::string& arguments, const std::string& environment = "",
               const fs::path& directory = kernel_directory())
    {
        const std::string command = "exec env " + environment + " " + quoted(PLIM_EI_PATH) + " " +
                                    arguments + " >" + quoted(trace_path()) + " 2>" +
                                    quoted(errors_path());
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(directory.c_str()) == 0)
                execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid_ > 0;
    }

    // Waits for the window; when found, it is moved to (x, y), so parallel
    // windows at the origin stay out of the way.
    bool wait_for_window(int x = -1, int y = -1)
    {
        wait_until([&] { return (window_ = find_window()) != 0 && viewable(); });
        if (window_ == 0 || !viewable()) return false;
        if (x >= 0) move(x, y);
        XSync(display_, False);
        return true;
    }

    // A window manager puts the window into a frame of its own: the search
    // goes one level below the top-level windows.
    Window find_window(Window parent = 0, int depth = 0) const
    {
        Window root = 0, grandparent = 0, found = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display_, parent != 0 ? parent : DefaultRootWindow(display_), &root,
                   &grandparent, &children, &count);
        for (unsigned int i = 0; i < count && found == 0; ++i)
            if (cardinal_property(display_, children[i], "_NET_WM_PID") ==
                std::vector{std::uint32_t(pid_)})
                found = children[i];
        for (unsigned int i = 0; i < count && found == 0 && depth == 0; ++i)
            found = find_window(children[i], 1);
        XFree(children);
        return found;
    }

    // Focus may only go to a mapped window: the server refuses it before.
    bool viewable() const
    {
        XWindowAttributes attributes = {};
        return XGetWindowAttributes(display_, window_, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }

    std::string window_name() const
    {
        char* name = nullptr;
        std::string text;
        if (XFetchName(display_, window_, &name) && name != nullptr) text = name;
        XFree(name);
        return text;
    }

    std::pair<int, int> window_size() const
    {
        XWindowAttributes attributes = {};
        XGetWindowAttributes(display_, window_, &attributes);
        return {attributes.width, attributes.height};
    }

    void move(int x, int y)
    {
        XMoveWindow(display_, window_, x, y);
        XSync(display_, False);
    }

    void resize(int width, int height)
    {
        XResizeWindow(display_, window_, unsigned(width), unsigned(height));
        XSync(display_, False);
    }

    // --- synthetic input --------------------------------------------------

    void move_pointer(int x, int y)
    {
        int root_x = 0, root_y = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), x, y, &root_x,
                              &root_y, &child);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), root_x, root_y, CurrentTime);
        XSync(display_, False);
    }

    void press_modifiers(const std::vector<KeySym>& modifiers, bool down)
    {
        for (KeySym modifier : modifiers)
            XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, modifier), down, CurrentTime);
    }

    // A key press and release, with the given modifier keys held around it.
    void key(KeySym symbol, const std::vector<KeySym>& modifiers = {})
    {
        raise_and_focus();
        press_modifiers(modifiers, true);
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        press_modifiers(modifiers, false);
        XSync(display_, False);
    }

    void hold_key(KeySym symbol, bool down)
    {
        raise_and_focus();
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, symbol), down, CurrentTime);
        XSync(display_, False);
    }

    // Printable ASCII text, key by key.
    void type(const std::string& text)
    {
        for (char c : text) {
            const bool upper = c >= 'A' && c <= 'Z';
            const KeySym symbol = c == '.' ? XK_period : c == '-' ? XK_minus : KeySym(c);
            key(upper ? KeySym(c - 'A' + 'a') : symbol,
                upper ? std::vector<KeySym>{XK_Shift_L} : std::vector<KeySym>{});
        }
    }

    void click(int x, int y, unsigned button = 1, const std::vector<KeySym>& modifiers = {})
    {
        raise_and_focus();
        move_pointer(x, y);
        press_modifiers(modifiers, true);
        XTestFakeButtonEvent(display_, button, True, CurrentTime);
        XTestFakeButtonEvent(display_, button, False, CurrentTime);
        press_modifiers(modifiers, false);
        XSync(display_, False);
    }

    // A click (or with buttons 4 and 5 a wheel notch) where the pointer
    // rests: the program hears no motion before it.
    void click_here(unsigned button = 1)
    {
        raise_and_focus();
        XTestFakeButtonEvent(display_, button, True, CurrentTime);
        XTestFakeButtonEvent(display_, button, False, CurrentTime);
        XSync(display_, False);
    }

    // Presses or releases a mouse button where the pointer is; between the
    // two, pointer moves drag.
    void hold_button(unsigned button, bool down)
    {
        raise_and_focus();
        XTestFakeButtonEvent(display_, button, down, CurrentTime);
        XSync(display_, False);
    }

    // Press at `from`, move in `steps` to `to` with a short pause between
    // moves (the program samples the pointer once per frame), release.
    void drag(unsigned button, int from_x, int from_y, int to_x, int to_y, int steps = 10)
    {
        raise_and_focus();
        move_pointer(from_x, from_y);
        XTestFakeButtonEvent(display_, button, True, CurrentTime);
        XSync(display_, False);
        for (int i = 1; i <= steps; ++i) {
            usleep(20'000);
            move_pointer(from_x + (to_x - from_x) * i / steps,
                         from_y + (to_y - from_y) * i / steps);
        }
        usleep(20'000);
        XTestFakeButtonEvent(display_, button, False, CurrentTime);
        XSync(display_, False);
    }

    // --- what a person sees -----------------------------------------------

    Image capture(int x, int y, int width, int height)
    {
        raise_and_focus();
        return grab_image(display_, window_, x, y, width, height);
    }

    Image capture()
    {
        const auto [width, height] = window_size();
        return capture(0, 0, width, height);
    }

    Rgb pixel(int x, int y)
    {
        const Image image = capture(x, y, 1, 1);
        return image.pixels.empty() ? Rgb{} : image.pixels[0];
    }

    int count_pixels(int x, int y, int width, int height,
                     const std::function<bool(const Rgb&)>& test)
    {
        return capture(x, y, width, height).count(test);
    }

    // --- what the program writes ------------------------------------------

    std::string trace() const { return read_file(trace_path()); }
    std::string errors() const { return read_file(errors_path()); }
    bool running() { return pid_ > 0 && exit_code() == kStillRunning; }

    // Closes the window as its close button would and returns the exit code
    // (-1 when the program hangs and had to be killed).
    int close()
    {
        if (window_ != 0) send_close_request(display_, window_);
        return wait_for_exit();
    }

    int wait_for_exit()
    {
        int code = kStillRunning;
        wait_until([&] { return (code = exit_code()) != kStillRunning; });
        if (code == kStillRunning) {
            stop();
            return -1;
        }
        return code;
    }

    void stop()
    {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    static constexpr int kStillRunning = -2;

    std::string trace_path() const { return files_.path() + "/stdout"; }
    std::string errors_path() const { return files_.path() + "/stderr"; }

    // Reaps the program when it has ended.
    int exit_code()
    {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return kStillRunning;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    // No window manager runs: the window is raised over parallel test
    // windows so the pixels are its own, and keys go to the focused window.
    void raise_and_focus()
    {
        XRaiseWindow(display_, window_);
        // Focusing a window that is not viewable is an X error, which would
        // end the driver.
        if (viewable()) XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
    }

    TempDirectory files_;
    Display* display_ = nullptr;
    Window window_ = 0;
    pid_t pid_ = -1;
};

// A test that drives one run of the program. It is skipped without a display
// or the test extension; a program still running at its end must close
// cleanly.
class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(const std::string& display_name = "") : program(display_name) {}

    void SetUp() override
    {
        if (!display_reachable()) GTEST_SKIP() << kNoDisplayReason;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(program.display(), &event, &error, &major, &minor))
            GTEST_SKIP() << "the X server has no test extension for synthetic input";
    }

    void TearDown() override
    {
        if (program.running()) {
            EXPECT_EQ(program.close(), 0) << program.errors();
        }
    }

    // Starts the program and waits until start-up has finished: '1' opens
    // the console side panel only from then on. The panel stays open.
    void start_and_wait_for_interface(const std::string& arguments,
                                      const fs::path& directory = kernel_directory(),
                                      const std::string& environment = "")
    {
        ASSERT_TRUE(program.start(arguments, environment, directory));
        // Parallel display tests open their windows at the origin.
        ASSERT_TRUE(program.wait_for_window(540, 520)) << "no window";
        program.move_pointer(360, 240);
        ASSERT_TRUE(wait_until([&] { return program.pixel(650, 300).view(); }))
            << "the start-up pane never went";
        ASSERT_TRUE(toggle_until([&] { return side_panel_shown(); }, XK_1))
            << "start-up never finished";
    }

    void close_console()
    {
        ASSERT_TRUE(toggle_until([&] { return !side_panel_shown(); }, XK_1));
    }

    bool toggle_until(const std::function<bool()>& seen, KeySym symbol)
    {
        return repeat_until(seen, [&] { program.key(symbol); });
    }

    bool click_until(const std::function<bool()>& seen, int x, int y)
    {
        return repeat_until(seen, [&] { program.click(x, y); });
    }

    // Whether `test` holds for most of a patch of the console's body, between
    // its trace lines and its scroll bars, at the left of the window.
    bool side_panel_area(bool (Rgb::*test)() const)
    {
        return program.count_pixels(8, 190, 200, 40, std::mem_fn(test)) > 200 * 40 / 2;
    }

    // The console's light body covers the left of the 3-D view.
    bool side_panel_shown()
    {
        return side_panel_area(&Rgb::light) && program.pixel(650, 150).view();
    }

    Program program;
};

// The layout metrics a scenario finds widgets by: bar unit, row height, gap,
// strip height, side-panel width, and the size of the panes centred in the
// window (warnings, export, screenshot).
namespace metrics {
inline constexpr int U = 56;
inline constexpr int M = 32;
inline constexpr int G = 8;
inline constexpr int T = 24;
inline constexpr int S = 256;
inline constexpr int DIALOG_W = 512, DIALOG_H = 368;
} // namespace metrics

// A test that drives the program on its own workspace at the start-up window
// size and at a larger one (the parameter, W x H).
class SizedProgramTest : public ProgramTest,
                         public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    int W = GetParam().first;
    int H = GetParam().second;
    TempDirectory directory{"plim-ei-workspace"};
    const fs::path workspace = directory.path();

    bool eventually(const std::function<bool()>& test) { return wait_until(test, MAX_POLLS / 4); }
    int ink(int x, int y, int w, int h) { return program.count_pixels(x, y, w, h, &Rgb::dark); }

    void add_example(const std::string& example, const std::string& name = "")
    {
        fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / example,
                      workspace / (name.empty() ? example : name));
    }

    // Sizes the window at the screen's origin, so captures and clicks lie on
    // the screen, until it is `drawn` at that size.
    void take_size(const std::function<bool()>& drawn = [] { return true; })
    {
        program.move(0, 0);
        program.resize(W, H);
        ASSERT_TRUE(eventually([&] { return program.window_size() == std::pair(W, H) && drawn(); }))
            << "the window takes the size";
    }

    // Starts on the workspace, with the console open, at the size under test.
    void start_sized()
    {
        ASSERT_NO_FATAL_FAILURE(start_and_wait_for_interface(quoted(STANDIN_KERNEL_PATH) + " " +
                                                             quoted(workspace.string() + "/")));
        take_size([&] {
            return program.pixel(W - 4, H - 4).light() && program.pixel(W - 40, H / 2).view();
        });
    }

    // Ctrl+O until the navigator's list covers the view's middle; with
    // `open_all`, every script in it is then opened. The row under a pointer
    // resting there shows hovered, so one of two points a row apart is read.
    void open_navigator(bool open_all = false)
    {
        const auto list_shown = [&] {
            return program.pixel(W / 2, H / 2).light() ||
                   program.pixel(W / 2, H / 2 + metrics::M).light();
        };
        ASSERT_TRUE(repeat_until(list_shown,
                                 [&] { program.key(XK_o, {XK_Control_L}); }))
            << "the navigator opens";
        if (!open_all) return;
        program.key(XK_a, {XK_Control_L});
        program.key(XK_Return);
    }

    // Opens the workspace's scripts into the current environment, selects
    // the first in the entity inspector and re-assembles it: its camera
    // directives list in the column at the window's right edge.
    void load_directives()
    {
        open_navigator(true);
        ASSERT_TRUE(toggle_until([&] { return program.pixel(100, 64).bluish(); }, XK_2))
            << "the ENTITY tab";
        ASSERT_TRUE(eventually([&] { return ink(8, 113, 120, 16) > 30; })) << "the script's row";
        ASSERT_TRUE(click_until([&] { return program.pixel(120, 158).bluish(); }, 70, 121))
            << "the entity is selected";
        program.move_pointer(W / 2, H / 2);
        program.key(XK_u, {XK_Control_L});
        // The confirmation pane covers the view right of the middle.
        ASSERT_TRUE(eventually([&] { return program.pixel(W / 2 + 200, H / 2 - 50).light(); }));
        program.key(XK_Return);
        // The first directive's name in the column's first row.
        ASSERT_TRUE(eventually([&] { return ink(W - 80, 103, 50, 16) > 10; }))
            << "the directives list";
    }

    // Ctrl+N, until the new environment's tab shows its name and the fade
    // has left the view.
    void add_environment(int index)
    {
        program.move_pointer(W / 2, H / 2);
        program.key(XK_n, {XK_Control_L});
        ASSERT_TRUE(eventually([&] {
            return ink(124 + 64 * index, H - 29, 58, 16) > 30 &&
                   program.pixel(W - 40, H / 2).view();
        })) << "Ctrl+N adds the tab env"
            << index;
    }
};

inline const auto kWindowSizes = ::testing::Values(std::pair{720, 480}, std::pair{1200, 800});

inline std::string size_name(const ::testing::TestParamInfo<std::pair<int, int>>& info)
{
    return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
}

} // namespace program_driver
