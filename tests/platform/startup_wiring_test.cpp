// The command line carried out on a real temporary directory.

#include "platform/startup_wiring.h"

#include "platform/files.h"
#include "platform/kernel_config.h"
#include "platform/startup_plan.h"
#include "tests/platform/test_support.h"

namespace fs = std::filesystem;

namespace {

class StartupWiring : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(write_text_file("#!/bin/sh\n", kernel_));
        fs::create_directory(workspace_);
        g_interactive_config = 0;
        set_kernel_path("");
        set_workspace_path("");
    }

    ScratchDir scratch_;
    const std::string kernel_ = scratch_.path("plim");
    const std::string workspace_ = scratch_.path("ws");
};

} // namespace

TEST_F(StartupWiring, KernelAndWorkspaceAreRecordedAndTheStagingDirectoryIsMade)
{
    TraceCapture trace;
    apply_command_line({"PLIM-EI.exe", kernel_, workspace_, "--Interactive-Config"});
    std::string banner;
    for (const std::string& line : startup_banner())
        banner += line + "\n";
    EXPECT_EQ(trace.text(),
              banner + "EXEC:[\"" + kernel_ + "\"];\n" + "TEMP:[\"" + workspace_ + "\"];\n");
    EXPECT_GT(g_program_start_ms, 0);
    EXPECT_EQ(get_kernel_path(), kernel_);
    EXPECT_EQ(g_kernel_path_state, SettingState::VALID);
    EXPECT_EQ(get_workspace_path(), workspace_ + "/");
    EXPECT_EQ(g_workspace_state, SettingState::VALID);
    EXPECT_TRUE(fs::is_directory(workspace_ + "/tmp"));
    EXPECT_EQ(g_interactive_config, 1);
}

// A missing workspace ends invalid and nothing is made; a plain file exists,
// but nothing can be made inside it.
TEST_F(StartupWiring, MissingOrUnwritableWorkspacesAreReported)
{
    ASSERT_TRUE(write_text_file("x", scratch_.path("file")));
    const std::pair<std::string, const char*> cases[] = {
        {scratch_.path("absent"), "ERROR: the specified entity workspace does not exist.\n"},
        {scratch_.path("file"), "ERROR: unable to write to specified entity workspace.\n"}};
    for (const auto& [workspace, error] : cases) {
        TraceCapture trace;
        apply_command_line({"PLIM-EI.exe", kernel_, workspace});
        EXPECT_NE(trace.text().find(error), std::string::npos) << trace.text();
        EXPECT_EQ(g_workspace_state, SettingState::INVALID) << workspace;
        EXPECT_EQ(g_interactive_config, 0);
    }
    EXPECT_FALSE(fs::exists(scratch_.path("absent")));
}
