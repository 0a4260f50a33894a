// The window layer without an X server: key translation, and the file
// dialogs, which run a stand-in "zenity" script on a private PATH.

#include "tests/platform/x11/display_fixture.h"

#include "platform/files.h"
#include "platform/input_codes.h"
#include "platform/x11/key_translation.h"
#include "platform/x11/window_services.h"
#include "tests/platform/trace_capture.h"

#include <X11/keysym.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <utility>

TEST(KeyTranslation, KeysymsToKeyCodes)
{
    // With Caps Lock on X reports the upper-case keysym: still lower case
    // unless Shift is held. Digits, punctuation and other keys give 0.
    const std::tuple<KeySym, bool, int> cases[] = {{XK_a, false, 'a'},
                                                   {XK_a, true, 'A'},
                                                   {XK_z, true, 'Z'},
                                                   {XK_Q, false, 'q'},
                                                   {XK_Q, true, 'Q'},
                                                   {XK_BackSpace, false, KEY_BACKSPACE},
                                                   {XK_Tab, false, KEY_TAB},
                                                   {XK_ISO_Left_Tab, true, KEY_TAB},
                                                   {XK_Return, false, KEY_ENTER},
                                                   {XK_KP_Enter, false, KEY_ENTER},
                                                   {XK_Escape, false, KEY_ESCAPE},
                                                   {XK_space, true, KEY_SPACE},
                                                   {XK_Left, false, KEY_LEFT},
                                                   {XK_Up, false, KEY_UP},
                                                   {XK_Right, false, KEY_RIGHT},
                                                   {XK_Down, false, KEY_DOWN},
                                                   {XK_KP_Left, false, KEY_LEFT},
                                                   {XK_Home, false, KEY_HOME},
                                                   {XK_End, false, KEY_END},
                                                   {XK_Prior, false, KEY_PAGE_UP},
                                                   {XK_Next, false, KEY_PAGE_DOWN},
                                                   {XK_KP_Next, false, KEY_PAGE_DOWN},
                                                   {XK_1, false, 0},
                                                   {XK_exclam, true, 0},
                                                   {XK_KP_7, false, 0},
                                                   {XK_Shift_L, false, 0},
                                                   {XK_Control_L, false, 0},
                                                   {XK_F1, false, 0},
                                                   {XK_Delete, false, 0},
                                                   {XK_Insert, false, 0},
                                                   {NoSymbol, false, 0}};
    for (auto [keysym, shift, code] : cases)
        EXPECT_EQ(translate_key(keysym, shift), code) << keysym << " " << shift;
}

TEST(KeyTranslation, CharacterPathTakesPrintablesThatAreNeitherLettersNorBlank)
{
    // The edges of the ranges: '@' 64, '[' 91, '`' 96, '{' 123, '~' 126.
    for (const char* taken : {"1", "!", "@", "[", "`", "{", "~"})
        EXPECT_EQ(character_key_code(taken), taken[0]);
    for (const char* refused : {"a", "Z", " ", "\x7f", "\x1b", "", "12", "\xc3"}) {
        EXPECT_EQ(character_key_code(refused), 0) << static_cast<int>(refused[0]);
    }
}

TEST(KeyTranslation, ModifierBitsAndButtons)
{
    // Locks and buttons are ignored.
    const std::pair<unsigned int, int> modifiers[] = {
        {0, 0},
        {ControlMask, MOD_CTRL},
        {ShiftMask, MOD_SHIFT},
        {Mod1Mask, MOD_ALT},
        {ControlMask | ShiftMask | Mod1Mask, MOD_CTRL | MOD_SHIFT | MOD_ALT},
        {LockMask | Mod2Mask | Button1Mask, 0}};
    for (auto [state, bits] : modifiers)
        EXPECT_EQ(modifier_bits(state), bits) << state;
    const int buttons[] = {-1,
                           MOUSE_LEFT,
                           MOUSE_MIDDLE,
                           MOUSE_RIGHT,
                           MOUSE_WHEEL_UP,
                           MOUSE_WHEEL_DOWN,
                           MOUSE_WHEEL_UP,
                           MOUSE_WHEEL_DOWN,
                           -1};
    for (unsigned int button = 0; button < 9; ++button)
        EXPECT_EQ(translate_button(button), buttons[button]) << button;
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/plim-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        saved_path_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        setenv("PATH", directory_.c_str(), 1);
        record_ = recording_record();
        register_window(&record_, 0);
        g_slot_log.clear();
    }

    void TearDown() override
    {
        setenv("PATH", saved_path_.c_str(), 1);
        g_windows[0] = nullptr;
        std::filesystem::remove_all(directory_);
    }

    // A zenity that records its arguments, one a line, prints `output` and ends with `exit_code`.
    void install_zenity(const std::string& output, int exit_code)
    {
        const std::string path = directory_ + "/zenity";
        ASSERT_TRUE(write_text_file("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + directory_ +
                                        "/arguments'\nprintf '%s' '" + output + "'\nexit " +
                                        std::to_string(exit_code) + "\n",
                                    path));
        ASSERT_EQ(chmod(path.c_str(), 0755), 0);
    }

    bool given(const std::string& argument) const
    {
        return ("\n" + read_text_file(directory_ + "/arguments")).find("\n" + argument + "\n") !=
               std::string::npos;
    }

    std::string directory_;
    std::string saved_path_;
    WindowCallbacks record_;
};

TEST_F(FileDialogs, WithoutZenityBothDialogsCountAsCancelledAndStillResetTheKeys)
{
    g_key_states['o'] = 1;
    g_arrow_key_states[0] = 1;
    TraceCapture trace;
    EXPECT_EQ(run_open_dialog("/start"), "");
    EXPECT_EQ(g_key_states['o'], 0);
    EXPECT_EQ(g_arrow_key_states[0], 0);
    EXPECT_EQ(run_save_dialog("/start"), "");
    EXPECT_EQ(g_slot_log, (Log{"keys-reset", "keys-reset"}));
    EXPECT_NE(trace.text().find("zenity is not on the PATH"), std::string::npos);
}

TEST_F(FileDialogs, OpenJoinsTheChosenPathsByLineFeedsAndCancelGivesNothing)
{
    install_zenity("/s/a.plim\n/s/b c.plim\n", 0);
    EXPECT_EQ(run_open_dialog("/start/dir"), "/s/a.plim\n/s/b c.plim");
    EXPECT_EQ(g_slot_log, Log{"keys-reset"});
    for (const char* argument :
         {"--file-selection", "--multiple", "--title=Open Brisk-Form 3D Script Files",
          "--file-filter=Brisk-Form-Scripts | *.plim *.PLIM", "--filename=/start/dir/"}) {
        EXPECT_TRUE(given(argument)) << argument;
    }
    install_zenity("/s/only.plim\n", 0);
    EXPECT_EQ(run_open_dialog(""), "/s/only.plim");
    EXPECT_FALSE(given("--filename=/")) << "no start directory";
    install_zenity("", 1);
    EXPECT_EQ(run_open_dialog("/s"), "");
    EXPECT_EQ(g_slot_log, Log(3, "keys-reset"));
}

TEST_F(FileDialogs, SaveSuggestsAnUnderscoreInTheStartDirectoryAndTracesTheChoice)
{
    install_zenity("/ws/exports/_\n", 0);
    TraceCapture trace;
    EXPECT_EQ(run_save_dialog("/ws/exports"), "/ws/exports/_");
    for (const char* argument : {"--save", "--title=Select Environment Mesh Export Location",
                                 "--filename=/ws/exports/_"}) {
        EXPECT_TRUE(given(argument)) << argument;
    }
    EXPECT_EQ(trace.text(), "OPEN-FILE: /ws/exports/_\n");
    EXPECT_EQ(g_slot_log, Log{"keys-reset"});
}
