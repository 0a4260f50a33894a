// The dialogs run a stand-in "zenity" script placed on a private PATH, which
// records its arguments and prints what a user would have chosen.

#include "platform/window_callbacks.h"
#include "platform/x11/window_services.h"

#include "platform/files.h"
#include "platform/text.h"
#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

int g_keys_reset_calls = 0;

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/plim-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        const char* path = std::getenv("PATH");
        saved_path_ = path != nullptr ? path : "";
        setenv("PATH", directory_.c_str(), 1);
        record_.on_keys_reset = [](WindowCallbacks*) { return ++g_keys_reset_calls, false; };
        register_window(&record_, 0);
        g_keys_reset_calls = 0;
    }

    void TearDown() override {
        setenv("PATH", saved_path_.c_str(), 1);
        g_windows[0] = nullptr;
        std::filesystem::remove_all(directory_);
    }

    // A zenity that writes one argument per line to "arguments", prints
    // `output` and ends with `exit_code`.
    void install_zenity(const std::string& output, int exit_code) {
        const std::string path = directory_ + "/zenity";
        ASSERT_TRUE(write_text_file("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + directory_ +
                                        "/arguments'\nprintf '%s' '" + output + "'\nexit " +
                                        std::to_string(exit_code) + "\n",
                                    path));
        ASSERT_EQ(chmod(path.c_str(), 0755), 0);
    }

    // Whether zenity was given every one of `wanted`.
    void expect_arguments(std::initializer_list<std::string> wanted) const {
        const TextList given = split_text(read_text_file(directory_ + "/arguments"), '\n');
        for (const std::string& argument : wanted) {
            EXPECT_NE(std::find(given.begin(), given.end(), argument), given.end()) << argument;
        }
    }

    std::string directory_;
    std::string saved_path_;
    WindowCallbacks record_;
};

}  // namespace

TEST_F(FileDialogs, WithoutZenityBothDialogsCountAsCancelledAndStillResetTheKeys) {
    g_key_states['o'] = 1;
    g_arrow_key_states[0] = 1;
    TraceCapture trace;
    EXPECT_EQ(run_open_dialog("/start"), "");
    EXPECT_EQ(g_key_states['o'], 0);
    EXPECT_EQ(g_arrow_key_states[0], 0);
    EXPECT_EQ(run_save_dialog("/start"), "");
    EXPECT_EQ(g_keys_reset_calls, 2);
    EXPECT_NE(trace.text().find("zenity is not on the PATH"), std::string::npos);
}

TEST_F(FileDialogs, OpenJoinsTheChosenPathsByLineFeedsAndCancelGivesNothing) {
    install_zenity("/s/a.plim\n/s/b c.plim\n", 0);
    EXPECT_EQ(run_open_dialog("/start/dir"), "/s/a.plim\n/s/b c.plim");
    EXPECT_EQ(g_keys_reset_calls, 1);
    expect_arguments({"--file-selection", "--multiple", "--title=Open Brisk-Form 3D Script Files",
                      "--file-filter=Brisk-Form-Scripts | *.plim *.PLIM", "--filename=/start/dir/"});

    install_zenity("/s/only.plim\n", 0);
    EXPECT_EQ(run_open_dialog(""), "/s/only.plim");
    const TextList given = split_text(read_text_file(directory_ + "/arguments"), '\n');
    EXPECT_EQ(std::find(given.begin(), given.end(), "--filename=/"), given.end()) << "no start directory";

    install_zenity("", 1);
    EXPECT_EQ(run_open_dialog("/s"), "");
    EXPECT_EQ(g_keys_reset_calls, 3);
}

TEST_F(FileDialogs, SaveSuggestsAnUnderscoreInTheStartDirectoryAndTracesTheChoice) {
    install_zenity("/ws/exports/_\n", 0);
    TraceCapture trace;
    EXPECT_EQ(run_save_dialog("/ws/exports"), "/ws/exports/_");
    expect_arguments({"--save", "--title=Select Environment Mesh Export Location", "--filename=/ws/exports/_"});
    EXPECT_EQ(trace.text(), "OPEN-FILE: /ws/exports/_\n");
    EXPECT_EQ(g_keys_reset_calls, 1);
}
