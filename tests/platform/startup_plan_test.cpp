#include "platform/startup_plan.h"

#include <gtest/gtest.h>

#include <set>

using Lines = std::vector<std::string>;

namespace {

// The paths the fake file system holds; tests set it before planning.
std::set<std::string> g_existing;

bool fake_exists(const std::string& path)
{
    return g_existing.count(path) > 0;
}

StartupPlan plan(const Lines& tokens)
{
    Lines arguments{"PLIM-EI.exe"};
    arguments.insert(arguments.end(), tokens.begin(), tokens.end());
    return plan_startup(arguments, fake_exists);
}

} // namespace

TEST(CommandLine, ProgramNameFirstAndBackslashesTurnedIntoSlashes)
{
    const char* argv[] = {"/usr/bin/plim-ei", "C:\\k\\plim.exe", "C:\\ws", ""};
    EXPECT_EQ(command_line_arguments(4, argv),
              (Lines{"PLIM-EI.exe", "C:/k/plim.exe", "C:/ws", ""}));
    EXPECT_EQ(command_line_arguments(1, argv), Lines{"PLIM-EI.exe"});
    const char* quoted[] = {"plim-ei", "/my scripts/plim"};
    EXPECT_EQ(command_line_arguments(2, quoted), (Lines{"PLIM-EI.exe", "/my scripts/plim"}));
}

TEST(StartupBanner, TwelveLinesOfFiftyCharacters)
{
    const Lines banner = startup_banner();
    ASSERT_EQ(banner.size(), 12u);
    for (const std::string& line : banner)
        EXPECT_EQ(line.size(), 50u) << line;
    EXPECT_EQ(banner[0], std::string(50, '-'));
    EXPECT_EQ(banner[1], "%  PLIM-EI                                       %");
}

TEST(StartupPlan, KernelAndWorkspaceAreEchoedCompletedAndReportedWhenMissing)
{
    const std::string kernel_missing = "ERROR: the specified kernel executable does not exist.";
    const std::string workspace_missing = "ERROR: the specified entity workspace does not exist.";
    const struct {
        std::set<std::string> existing;
        Lines tokens, trace;
        const char *kernel, *workspace, *staging;
    } cases[] = {
        {{}, {}, {}, "", "", ""},
        {{"/k/plim"}, {"/k/plim"}, {"EXEC:[\"/k/plim\"];"}, "/k/plim", "", ""},
        {{}, {"plim"}, {kernel_missing, "EXEC:[\"./plim\"];"}, "./plim", "", ""},
        {{"C:/k/plim.exe", "C:/ws"}, {"C:/k/plim.exe", "C:/ws"},
         {"EXEC:[\"C:/k/plim.exe\"];", "TEMP:[\"C:/ws\"];"}, "C:/k/plim.exe", "C:/ws/",
         "C:/ws/tmp/"},
        // An existing staging directory is not made again.
        {{"./plim", "C:/ws/", "C:/ws/tmp/"}, {"plim", "C:/ws/"},
         {"EXEC:[\"./plim\"];", "TEMP:[\"C:/ws/\"];"}, "./plim", "C:/ws/", ""},
        {{"/k/plim"}, {"/k/plim", "/nowhere"},
         {workspace_missing, "EXEC:[\"/k/plim\"];", "TEMP:[\"/nowhere\"];"}, "/k/plim",
         "/nowhere/", ""},
        {{}, {"/k/plim", "/nowhere"},
         {kernel_missing, workspace_missing, "EXEC:[\"/k/plim\"];", "TEMP:[\"/nowhere\"];"},
         "/k/plim", "/nowhere/", ""},
        // An empty workspace stays undefined instead of becoming the root directory.
        {{"/k/plim", "/"}, {"/k/plim", ""},
         {workspace_missing, "EXEC:[\"/k/plim\"];", "TEMP:[\"\"];"}, "/k/plim", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.tokens));
        g_existing = c.existing;
        const StartupPlan result = plan(c.tokens);
        EXPECT_EQ(result.trace_lines, c.trace);
        EXPECT_EQ(result.set_kernel, !c.tokens.empty());
        EXPECT_EQ(result.kernel_path, c.kernel);
        EXPECT_EQ(result.set_workspace, c.tokens.size() > 1);
        EXPECT_EQ(result.workspace_path, c.workspace);
        EXPECT_EQ(result.staging_directory, c.staging);
        EXPECT_FALSE(result.interactive_config);
    }
}

TEST(StartupPlan, ThirdArgumentSwitchesInteractiveConfigurationInAnySpelling)
{
    g_existing = {"/k/plim", "/ws"};
    for (const char* spelling : {"-IC", "--ic", "-interactive-config", "--Interactive-Config",
                                 "-INTERACTIVE-CONFIG"})
        EXPECT_TRUE(plan({"/k/plim", "/ws", spelling}).interactive_config) << spelling;
    for (const char* other : {"-i", "IC", "--interactive", ""}) {
        const StartupPlan result = plan({"/k/plim", "/ws", other});
        EXPECT_FALSE(result.interactive_config) << other;
        EXPECT_EQ(result.trace_lines.size(), 2u)
            << "an unknown switch is ignored without a message";
        EXPECT_EQ(result.workspace_path, "/ws/");
    }
}

TEST(StartupPlan, FourOrMoreArgumentsAreReportedAndIgnored)
{
    g_existing = {"/k/plim", "/ws"};
    for (const Lines& tokens :
         {Lines{"/k/plim", "/ws", "-IC", "x"}, Lines{"a", "b", "c", "d", "e"}}) {
        const StartupPlan result = plan(tokens);
        EXPECT_EQ(result.trace_lines, (Lines{"ERROR: expected 0, 1 or 2 command-line arguments.",
                                             "NOTE: ignoring command-line arguments."}));
        EXPECT_FALSE(result.set_kernel);
        EXPECT_FALSE(result.set_workspace);
        EXPECT_FALSE(result.interactive_config);
    }
}
