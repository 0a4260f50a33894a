// The start-up assembly against the stand-in kernel, whole and with faults.

#include "app/frame/startup_sequence.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "state/application.h"
#include "state/current_environment.h"
#include "platform/kernel_config.h"

namespace fs = std::filesystem;

namespace {

class StartupAssembly : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(workspace / "tmp");
        set_workspace_path(workspace.string() + "/");
        ASSERT_TRUE(set_kernel_path(PLIM_STANDIN_PATH));
        ::unsetenv("PLIM_STANDIN_FAULT");
        add_first_environment(app());
    }
    void TearDown() override
    {
        ::unsetenv("PLIM_STANDIN_FAULT");
        set_kernel_path("");
        set_workspace_path("");
        fs::remove_all(workspace);
    }
    std::vector<std::string> console() const
    {
        const ConsoleState& console = *app().current_console;
        return {console.lines.begin(), console.lines.begin() + console.line_count};
    }
    std::int32_t error_lines() const { return app().current_console->channel_count[CHANNEL_ERROR]; }
    int widget_meshes() const
    {
        return static_cast<int>(std::count_if(app().builtin_gizmo_meshes.begin(),
                                              app().builtin_gizmo_meshes.end(),
                                              [](const Mesh* mesh) { return mesh != nullptr; }));
    }

    const fs::path workspace =
        fs::temp_directory_path() / ("plim_startup_assembly_" + std::to_string(::getpid()));
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app() const { return *owner; }
};

TEST_F(StartupAssembly, FillsTheThreeWidgetMeshesAndTheSampleAndWritesTheConsoleLines)
{
    assemble_startup_environment(app());
    EXPECT_EQ(widget_meshes(), 3);
    ASSERT_NE(app().builtin_mesh, nullptr);
    EXPECT_EQ(app().builtin_entity.mesh, app().builtin_mesh);
    EXPECT_GE(app().startup_stamps[STAMP_ASSEMBLY_END], app().startup_stamps[STAMP_ASSEMBLY_START]);
    const std::vector<std::string> lines = console();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Kernel-Path : " + std::string(PLIM_STANDIN_PATH));
    EXPECT_EQ(lines[1], "Entity-Workspace : " + workspace.string() + "/");
    EXPECT_EQ(lines[2].rfind("Environment-Assembly : ", 0), 0u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 3), " ms");
    EXPECT_EQ(error_lines(), 0);
}

TEST_F(StartupAssembly, AFaultyKernelLeavesWidgetsUndrawnSaysSoAndStartUpGoesOn)
{
    const struct {
        const char* fault;
        int most_widget_meshes;
    } cases[] = {{"assemble:no-output", 0}, {"assemble:crash", 0}, {"assemble:missing-mesh", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        owner = std::make_unique<Application>();
        app().startup_start_ms = app().clock_ms();
        add_first_environment(app());
        ::setenv("PLIM_STANDIN_FAULT", c.fault, 1);
        assemble_startup_environment(app());
        EXPECT_LE(widget_meshes(), c.most_widget_meshes);
        EXPECT_GT(error_lines(), 0) << "the missing meshes are reported";
        EXPECT_EQ(app().builtin_entity.mesh, app().builtin_mesh) << "no null mesh is attached";
        EXPECT_EQ(console().size(), 3u) << "the three lines are written whatever came back";
        EXPECT_GE(app().startup_stamps[STAMP_ASSEMBLY_END], 0.0);
    }
}

} // namespace
