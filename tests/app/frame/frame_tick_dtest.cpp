// The frame tick's deferred steps as a person meets them: the native open
// and folder dialogs, the opening state and the navigator's export location,
// in the real plim-ei with the stand-in kernel. A stand-in "zenity" on the
// program's PATH answers each dialog as a test tells it; one scenario types
// into the real zenity file chooser through XTest.

#include "tests/app/frame/program_driver.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace program_driver;

// Points of the 720 x 480 window.
constexpr int SETTINGS_COLUMN_X = 692, SETTINGS_SCROLL_Y = 300, SYSTEM_CONFIG_Y = 420;
constexpr int NATIVE_IO_X = 600, NATIVE_IO_Y = 167;
constexpr int LOCATION_BUTTON_X = 551, LOCATION_BUTTON_Y = 192;
constexpr int STL_ROW_X = 400, STL_ROW_Y = 308, EXPORT_BUTTON_X = 536, EXPORT_BUTTON_Y = 400;
constexpr int NAVIGATOR_FIRST_ROW_X = 200, NAVIGATOR_FIRST_ROW_Y = 47;
constexpr int NAVIGATOR_OK_X = 635, NAVIGATOR_OK_Y = 427;
constexpr const char* CHOOSER_TITLE = "Open Brisk-Form 3D Script Files";

int count_of(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A mapped top-level window of another program, found by its title.
Window find_named_window(Display* display, const std::string& title)
{
    Window root = 0, parent = 0, found = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes = {};
        if (XFetchName(display, children[i], &name) && name != nullptr && name == title &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        XFree(name);
    }
    XFree(children);
    return found;
}

void focus(Display* display, Window window)
{
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
}

// A key typed through the test extension into the focused window.
void press(Display* display, KeySym symbol, const std::vector<KeySym>& modifiers)
{
    for (KeySym modifier : modifiers)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), True, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display, symbol);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    for (KeySym modifier : modifiers)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), False, CurrentTime);
    XSync(display, False);
}

class NativeDialogs : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (IsSkipped()) return;
        for (const char* name : {"simple.plim", "parameters.plim"})
            fs::copy_file(fs::path(PLIM_SOURCE_DIR) / "examples" / name, ws() / name);
        fs::create_directories(ws() / "out" / "deeper");
        // Its file chooser prints the answer it is given and ends with the
        // given code; it notes its arguments and counts its runs. Its
        // information box adds "title: text" to the boxes it showed.
        const fs::path zenity = fs::path(bin.path()) / "zenity";
        write_file(zenity,
                   "#!/bin/sh\nhere=$(dirname \"$0\")\n"
                   "if [ \"$1\" = --info ]; then\n  for a; do case \"$a\" in\n"
                   "    --title=*) t=${a#--title=};; --text=*) x=${a#--text=};; esac; done\n"
                   "  printf '%s: %s\\n' \"$t\" \"$x\" >> \"$here/boxes\"\n  exit 0\nfi\n"
                   "printf '%s\\n' \"$@\" > \"$here/arguments\"\n"
                   "cat \"$here/answer\"\necho run >> \"$here/runs\"\n"
                   "exit \"$(cat \"$here/code\")\"\n");
        chmod(zenity.c_str(), 0755);
        answer("", 1);
    }

    fs::path ws() const { return workspace.path(); }
    std::string ws_slash() const { return workspace.path() + "/"; }

    // The program with `zenity_directory` first on its PATH.
    void start(const std::string& zenity_directory)
    {
        start_and_wait_for_interface(quoted("./plim") + " " + quoted(workspace.path()),
                                     kernel_directory(),
                                     "PATH=" + quoted(zenity_directory) + ":\"$PATH\"" +
                                         " PLIM_STANDIN_LOG=" + quoted(kernel_log()));
    }

    void answer(const std::string& text, int code)
    {
        write_file(fs::path(bin.path()) / "answer", text);
        write_file(fs::path(bin.path()) / "code", std::to_string(code));
    }

    int dialog_runs() const { return count_of(read_file(fs::path(bin.path()) / "runs"), "run"); }
    std::string dialog_arguments() const { return read_file(fs::path(bin.path()) / "arguments"); }
    std::string boxes() const { return read_file(fs::path(bin.path()) / "boxes"); }
    std::string kernel_log() const { return bin.path() + "/kernel.log"; }
    int parse_runs() const { return count_of(read_file(kernel_log()), " -parse "); }

    // With Inline-IO left on, Shift picks the native dialog: the system
    // settings' Native-IO row, reached through the settings column.
    void turn_native_io_on()
    {
        const auto column_shown = [&] { return !program.pixel(SETTINGS_COLUMN_X, 300).view(); };
        ASSERT_TRUE(toggle_until(column_shown, XK_m)) << "m shows the settings column";
        // The wheel scrolls the column to its last button, system-config.
        const auto column = [&] { return program.capture(SETTINGS_COLUMN_X - 20, 56, 40, 392); };
        const Image unscrolled = column();
        for (int notch = 0; notch < 8; ++notch)
            program.click(SETTINGS_COLUMN_X, SETTINGS_SCROLL_Y, 5);
        ASSERT_TRUE(wait_until([&] { return column().differences(unscrolled) > 100; }));
        ASSERT_TRUE(wait_until_still(column)) << "the column comes to rest";
        const auto menu_open = [&] { return !program.pixel(NATIVE_IO_X, NATIVE_IO_Y).view(); };
        ASSERT_TRUE(click_until(menu_open, SETTINGS_COLUMN_X, SYSTEM_CONFIG_Y))
            << "the system settings drop down";
        ASSERT_TRUE(click_until([&] { return chosen(NATIVE_IO_X, NATIVE_IO_Y); }, NATIVE_IO_X,
                                NATIVE_IO_Y))
            << "Native-IO is on";
        ASSERT_TRUE(click_until([&] { return !menu_open(); }, SETTINGS_COLUMN_X, SYSTEM_CONFIG_Y));
        ASSERT_TRUE(toggle_until([&] { return !column_shown(); }, XK_m));
    }

    // A row shows itself chosen, as it does under the pointer: the pointer
    // first moves off it, to the middle of the window.
    bool chosen(int x, int y)
    {
        program.move_pointer(360, 420);
        return program.pixel(x, y).bluish();
    }

    // Nothing dims the window: '1' hides and shows the console again.
    void expect_window_answers_keys()
    {
        EXPECT_TRUE(wait_until([&] { return !pane_shown(); })) << "no pane is left over the window";
        EXPECT_TRUE(toggle_until([&] { return !side_panel_shown(); }, XK_1)) << "1 hides the console";
        EXPECT_TRUE(toggle_until([&] { return side_panel_shown(); }, XK_1)) << "1 shows it again";
    }

    // The navigator, the export pane and the message panes cover the
    // middle of the window.
    bool pane_shown() { return program.pixel(400, 250).light(); }
    bool navigator_shown() { return program.pixel(40, 200).light(); }

    bool open_export_pane()
    {
        return repeat_until([&] { return pane_shown(); },
                            [&] { program.key(XK_s, {XK_Control_L}); });
    }

    // Exports; true once `file` has been written. The export closes its
    // pane, so it is opened again.
    bool export_writes(const fs::path& file)
    {
        const Image pane = program.capture();
        program.click(EXPORT_BUTTON_X, EXPORT_BUTTON_Y);
        if (!wait_until([&] { return program.capture().differences(pane) > 1000; }))
            return false; // no confirmation
        program.key(XK_Return);
        const bool written = wait_until([&] { return fs::exists(file); });
        program.key(XK_Escape); // the completion pane
        return written && open_export_pane();
    }

    void open_one_script_natively(const std::string& name)
    {
        const int parses = parse_runs();
        answer(ws_slash() + name + "\n", 0);
        program.key(XK_o, {XK_Control_L, XK_Shift_L});
        ASSERT_TRUE(wait_until([&] { return parse_runs() > parses; })) << name << " opens";
    }

    TempDirectory workspace{"plim-dialogs-ws"};
    TempDirectory bin{"plim-dialogs-bin"};
};

} // namespace

// Every answer of the open dialog ends the opening state: a cancel (with
// Escape pressed while the dialog was coming), a failing dialog, one script
// and two scripts; the scripts chosen are the ones opened.
TEST_F(NativeDialogs, EveryAnswerOfTheOpenDialogLeavesTheWindowUsable)
{
    start(bin.path());
    turn_native_io_on();
    struct Outcome {
        const char* name;
        std::string answer;
        int code;
        int scripts;
        bool escape;
    };
    const Outcome outcomes[] = {
        {"cancel", "", 1, 0, true},
        {"failure", "", 2, 0, false},
        {"one script", ws_slash() + "simple.plim\n", 0, 1, false},
        {"two scripts", ws_slash() + "parameters.plim\n" + ws_slash() + "simple.plim\n", 0, 2, false},
    };
    for (const Outcome& outcome : outcomes) {
        SCOPED_TRACE(outcome.name);
        answer(outcome.answer, outcome.code);
        const int runs = dialog_runs();
        const int parses = parse_runs();
        program.key(XK_o, {XK_Control_L, XK_Shift_L});
        if (outcome.escape) program.key(XK_Escape);
        ASSERT_TRUE(wait_until([&] { return dialog_runs() == runs + 1; })) << "the dialog ran";
        EXPECT_NE(dialog_arguments().find("--filename=" + ws_slash() + "\n"), std::string::npos)
            << "it starts in the navigator's directory:\n"
            << dialog_arguments();
        EXPECT_TRUE(wait_until([&] { return parse_runs() == parses + outcome.scripts; }));
        expect_window_answers_keys();
        EXPECT_EQ(parse_runs(), parses + outcome.scripts) << read_file(kernel_log());
    }
}

// The export location's "..." with Shift asks the native dialog, whose
// answer names a file in the chosen directory; without Shift the navigator
// chooses a directory and OK returns to the export pane. Each time the
// export writes into the chosen directory.
TEST_F(NativeDialogs, TheExportLocationComesFromTheDialogOrTheNavigatorAndBackToItsPane)
{
    start(bin.path());
    turn_native_io_on();
    open_one_script_natively("simple.plim");
    ASSERT_TRUE(open_export_pane()) << "the export pane opens";
    ASSERT_TRUE(click_until([&] { return chosen(STL_ROW_X, STL_ROW_Y); }, STL_ROW_X, STL_ROW_Y))
        << "STL is chosen";

    const fs::path out = ws() / "out";
    answer((out / "_").string() + "\n", 0);
    const int runs = dialog_runs();
    program.click(LOCATION_BUTTON_X, LOCATION_BUTTON_Y, 1, {XK_Shift_L});
    ASSERT_TRUE(wait_until([&] { return dialog_runs() == runs + 1; })) << "the dialog ran";
    EXPECT_NE(dialog_arguments().find("--filename=" + ws_slash() + "_\n"), std::string::npos)
        << dialog_arguments();
    ASSERT_TRUE(wait_until([&] { return pane_shown(); })) << "the export pane, no longer dimmed";
    const std::string chosen_box = "OPEN-FILE: " + (out / "_").string() + "\n";
    EXPECT_EQ(boxes(), chosen_box) << "the chosen path's information box";
    EXPECT_TRUE(export_writes(out / "environment.stl")) << "the location is the directory";

    // A failing dialog keeps the location and leaves the pane usable.
    answer("", 2);
    program.click(LOCATION_BUTTON_X, LOCATION_BUTTON_Y, 1, {XK_Shift_L});
    ASSERT_TRUE(wait_until([&] { return dialog_runs() == runs + 2; }));
    ASSERT_TRUE(wait_until([&] { return pane_shown(); }));
    EXPECT_EQ(boxes(), chosen_box) << "no box for a failed dialog";

    // The navigator starts in the location; its first row is "deeper/".
    ASSERT_TRUE(click_until([&] { return navigator_shown(); }, LOCATION_BUTTON_X,
                            LOCATION_BUTTON_Y))
        << "the navigator opens";
    program.click(NAVIGATOR_FIRST_ROW_X, NAVIGATOR_FIRST_ROW_Y);
    ASSERT_TRUE(wait_until([&] { return program.pixel(NAVIGATOR_FIRST_ROW_X, 47).light(); }))
        << "deeper/ is entered and empty";
    program.click(NAVIGATOR_OK_X, NAVIGATOR_OK_Y);
    ASSERT_TRUE(wait_until([&] { return pane_shown() && !navigator_shown(); }))
        << "OK returns to the export pane";
    EXPECT_TRUE(export_writes(out / "deeper" / "environment.stl"));
    program.key(XK_Escape);
    expect_window_answers_keys();
}

// The real zenity: Ctrl+Shift+O shows its file chooser, the script's path
// is typed into its location field and Enter opens the script.
TEST_F(NativeDialogs, TheRealFileChooserOpensATypedScript)
{
    if (std::system("command -v zenity >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "zenity is not installed";
    start(bin.path() + "/none");
    turn_native_io_on();
    const int parses = parse_runs();
    program.key(XK_o, {XK_Control_L, XK_Shift_L});
    Display* display = program.display();
    Window chooser = 0;
    ASSERT_TRUE(wait_until([&] {
        return (chooser = find_named_window(display, CHOOSER_TITLE)) != 0;
    })) << "the file chooser appears";
    // Ctrl+L selects the location field's text, so a retyped path replaces
    // one typed before the chooser took keys.
    EXPECT_TRUE(repeat_until([&] { return parse_runs() > parses; }, [&] {
        if (find_named_window(display, CHOOSER_TITLE) == 0) return;
        focus(display, chooser);
        press(display, XK_l, {XK_Control_L});
        for (char c : ws_slash() + "simple.plim")
            press(display, KeySym(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c),
                  c >= 'A' && c <= 'Z' ? std::vector<KeySym>{XK_Shift_L} : std::vector<KeySym>{});
        press(display, XK_Return, {});
    })) << "the typed script is parsed";
    EXPECT_TRUE(wait_until([&] { return find_named_window(display, CHOOSER_TITLE) == 0; }));
    expect_window_answers_keys();
}
