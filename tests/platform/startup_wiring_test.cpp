// The command line carried out on a real temporary directory.

#include "platform/startup_wiring.h"

#include "platform/files.h"
#include "platform/kernel_config.h"
#include "platform/startup_plan.h"
#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class StartupWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/plim-startup-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        kernel_ = root_ + "/plim";
        ASSERT_TRUE(write_text_file("#!/bin/sh\n", kernel_));
        workspace_ = root_ + "/ws";
        fs::create_directory(workspace_);
        g_interactive_config = 0;
        set_kernel_path("");
        set_workspace_path("");
    }

    void TearDown() override { fs::remove_all(root_); }

    std::string root_;
    std::string kernel_;
    std::string workspace_;
};

std::string banner_text()
{
    std::string text;
    for (const std::string& line : startup_banner()) {
        text += line + "\n";
    }
    return text;
}

} // namespace

TEST_F(StartupWiring, KernelAndWorkspaceAreRecordedAndTheStagingDirectoryIsMade)
{
    TraceCapture trace;
    apply_command_line({"PLIM-EI.exe", kernel_, workspace_, "--Interactive-Config"});
    EXPECT_EQ(trace.text(),
              banner_text() + "EXEC:[\"" + kernel_ + "\"];\n" + "TEMP:[\"" + workspace_ + "\"];\n");
    EXPECT_GT(g_program_start_ms, 0);
    EXPECT_EQ(get_kernel_path(), kernel_);
    EXPECT_EQ(g_kernel_path_state, SettingState::VALID);
    EXPECT_EQ(get_workspace_path(), workspace_ + "/");
    EXPECT_EQ(g_workspace_state, SettingState::VALID);
    EXPECT_TRUE(fs::is_directory(workspace_ + "/tmp"));
    EXPECT_EQ(g_interactive_config, 1);
}

TEST_F(StartupWiring, MissingWorkspaceEndsInvalidWithoutAStagingDirectory)
{
    TraceCapture trace;
    apply_command_line({"PLIM-EI.exe", kernel_, root_ + "/absent"});
    EXPECT_NE(trace.text().find("ERROR: the specified entity workspace does not exist.\n"),
              std::string::npos);
    EXPECT_EQ(g_workspace_state, SettingState::INVALID);
    EXPECT_FALSE(fs::exists(root_ + "/absent"));
    EXPECT_EQ(g_interactive_config, 0);
}

TEST_F(StartupWiring, AWorkspaceThatCannotHoldTheStagingDirectoryIsReported)
{
    // A plain file exists, but nothing can be made inside it.
    const std::string not_a_directory = root_ + "/file";
    ASSERT_TRUE(write_text_file("x", not_a_directory));
    TraceCapture trace;
    apply_command_line({"PLIM-EI.exe", kernel_, not_a_directory});
    const std::string text = trace.text();
    EXPECT_TRUE(text.ends_with("ERROR: unable to write to specified entity workspace.\n")) << text;
}
