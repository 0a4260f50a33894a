// The dialogs run a stand-in "zenity" script placed on a private PATH, which
// records its arguments and prints what a user would have chosen.

#include "platform/window_callbacks.h"
#include "platform/x11/window_services.h"

#include "platform/files.h"
#include "platform/text.h"
#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

int g_keys_reset_calls = 0;

bool count_keys_reset(WindowCallbacks*)
{
    ++g_keys_reset_calls;
    return false;
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/plim-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
        const char* path = std::getenv("PATH");
        saved_path_ = path != nullptr ? path : "";
        setenv("PATH", directory_.c_str(), 1);
        record_.on_keys_reset = count_keys_reset;
        register_window(&record_, 0);
        g_keys_reset_calls = 0;
    }

    void TearDown() override
    {
        setenv("PATH", saved_path_.c_str(), 1);
        g_windows[0] = nullptr;
        fs::remove_all(directory_);
    }

    // A zenity that writes one argument per line to "arguments", prints
    // `output` and ends with `exit_code`.
    void install_zenity(const std::string& output, int exit_code)
    {
        const std::string script = "#!/bin/sh\n"
                                   "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                   directory_ + "/arguments'\n" + "printf '%s' '" + output + "'\n" +
                                   "exit " + std::to_string(exit_code) + "\n";
        const std::string path = directory_ + "/zenity";
        ASSERT_TRUE(write_text_file(script, path));
        ASSERT_EQ(chmod(path.c_str(), 0755), 0);
    }

    TextList recorded_arguments() const { return split_text(read_text_file(directory_ + "/arguments"), '\n'); }

    std::string directory_;
    std::string saved_path_;
    WindowCallbacks record_;
};

bool contains(const TextList& list, const std::string& item)
{
    for (const std::string& entry : list) {
        if (entry == item) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST_F(FileDialogs, WithoutZenityBothDialogsCountAsCancelledAndStillResetTheKeys)
{
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

TEST_F(FileDialogs, OpenReturnsEveryChosenPathJoinedByLineFeeds)
{
    install_zenity("/s/a.plim\n/s/b c.plim\n", 0);
    EXPECT_EQ(run_open_dialog("/start/dir"), "/s/a.plim\n/s/b c.plim");
    EXPECT_EQ(g_keys_reset_calls, 1);
    const TextList arguments = recorded_arguments();
    EXPECT_TRUE(contains(arguments, "--file-selection"));
    EXPECT_TRUE(contains(arguments, "--multiple"));
    EXPECT_TRUE(contains(arguments, "--title=Open Brisk-Form 3D Script Files"));
    EXPECT_TRUE(contains(arguments, "--file-filter=Brisk-Form-Scripts | *.plim *.PLIM"));
    EXPECT_TRUE(contains(arguments, "--filename=/start/dir/"));
}

TEST_F(FileDialogs, OpenGivesASinglePathWithoutLineEndAndCancelGivesNothing)
{
    install_zenity("/s/only.plim\n", 0);
    EXPECT_EQ(run_open_dialog(""), "/s/only.plim");
    EXPECT_FALSE(contains(recorded_arguments(), "--filename=/"));

    install_zenity("", 1);
    EXPECT_EQ(run_open_dialog("/s"), "");
}

TEST_F(FileDialogs, SaveSuggestsAnUnderscoreInTheStartDirectoryAndTracesTheChoice)
{
    install_zenity("/ws/exports/_\n", 0);
    TraceCapture trace;
    EXPECT_EQ(run_save_dialog("/ws/exports"), "/ws/exports/_");
    const TextList arguments = recorded_arguments();
    EXPECT_TRUE(contains(arguments, "--save"));
    EXPECT_TRUE(contains(arguments, "--title=Select Environment Mesh Export Location"));
    EXPECT_TRUE(contains(arguments, "--filename=/ws/exports/_"));
    EXPECT_EQ(trace.text(), "OPEN-FILE: /ws/exports/_\n");
    EXPECT_EQ(g_keys_reset_calls, 1);
}
