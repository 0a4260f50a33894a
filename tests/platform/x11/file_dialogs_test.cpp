// The file dialogs without an X server: they run a stand-in "zenity" script
// on a private PATH.

#include "tests/platform/x11/display_fixture.h"

#include "platform/files.h"
#include "platform/x11/window_services.h"
#include "tests/platform/trace_capture.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

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

    // A zenity whose file chooser records its arguments, one a line, prints
    // `output` and ends with `exit_code`; its information box adds "title:
    // text" to the boxes file.
    void install_zenity(const std::string& output, int exit_code)
    {
        const std::string path = directory_ + "/zenity";
        ASSERT_TRUE(write_text_file(
            "#!/bin/sh\nif [ \"$1\" = --info ]; then\n  for a; do case \"$a\" in\n"
            "    --title=*) t=${a#--title=};; --text=*) x=${a#--text=};; esac; done\n"
            "  printf '%s: %s\\n' \"$t\" \"$x\" >> '" +
                directory_ + "/boxes'\n  exit 0\nfi\nprintf '%s\\n' \"$@\" > '" + directory_ +
                "/arguments'\nprintf '%s' '" + output + "'\nexit " + std::to_string(exit_code) +
                "\n",
            path));
        ASSERT_EQ(chmod(path.c_str(), 0755), 0);
    }

    std::string boxes() const
    {
        const std::string path = directory_ + "/boxes";
        return std::filesystem::exists(path) ? read_text_file(path) : std::string();
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

// Each successful save shows its information boxes, in this order, and
// traces their lines: the chosen path, and for several pieces their count
// and their joined list. A cancelled dialog shows none.
TEST_F(FileDialogs, ASuccessfulSaveShowsItsInformationBoxesInOrder)
{
    struct Case {
        const char* name;
        std::string output;
        int exit_code;
        std::string result;
        std::string boxes;
    };
    const Case cases[] = {
        {"one path", "/ws/out/_\n", 0, "/ws/out/_", "OPEN-FILE: /ws/out/_\n"},
        {"two pieces", "/ws/a\n/ws/b\n", 0, "/ws/a\n/ws/b",
         "OPEN-FILE: /ws/a\n/ws/b\nTOKEN-COUNT: 2\nOUT: /ws/a\n/ws/b\n"},
        {"cancelled", "", 1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(directory_ + "/boxes");
        install_zenity(c.output, c.exit_code);
        TraceCapture trace;
        EXPECT_EQ(run_save_dialog("/ws"), c.result);
        EXPECT_EQ(boxes(), c.boxes);
        EXPECT_EQ(trace.text(), c.boxes) << "the trace keeps a line per box";
    }
}
