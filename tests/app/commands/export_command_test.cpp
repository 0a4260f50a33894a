#include "app/commands/export_command.h"
#include "panels/configuration_panes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "app/commands/environment_lifecycle.h"
#include "tests/export/export_fixture.h"

namespace {

namespace fs = std::filesystem;

class ExportCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        add_first_environment(app);
        install_headless_services(app.platform);
        directory = fs::temp_directory_path() / ("plim_export_" + std::to_string(::getpid()));
        fs::create_directories(directory);
        ViewSettings& settings = app.view_settings;
        settings.export_name = "env";
        settings.export_location = directory.string(); // no trailing '/': it gets one
        settings.export_formats = {1, 1, 1, 1};
        settings.export_attributes = {1, 1, 1};
    }
    void TearDown() override
    {
        if (app.current_entity_list != nullptr) release_entity_meshes(*app.current_entity_list);
        fs::remove_all(directory);
    }

    void add_entity(Entity entity)
    {
        EntityList& list = *app.current_entity_list;
        list.entities.push_back(std::move(entity));
        list.count = static_cast<std::int32_t>(list.entities.size());
    }

    std::vector<std::string> channel(std::int32_t which) const
    {
        const ConsoleState& console = *app.current_console;
        const auto& lines = console.channel_lines[static_cast<std::size_t>(which)];
        return {lines.begin(),
                lines.begin() + console.channel_count[static_cast<std::size_t>(which)]};
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
    fs::path directory;
};

TEST_F(ExportCommandTest, WritesSevenFilesWithOneLinePerFormatAndCompletes)
{
    add_entity(make_single_entity(cube_arrays()));
    export_environment_mesh(app);
    const std::string base = directory.string() + "/env";
    for (const char* suffix :
         {"_NGON.obj", "_TESS.obj", "_NGON.off", "_TESS.off", "_NGON.ply", "_TESS.ply", ".stl"})
        EXPECT_TRUE(fs::exists(base + suffix)) << suffix;
    const auto lines = channel(CHANNEL_FILE_IO);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find("OBJ-Write-Success: " + base), std::string::npos);
    EXPECT_NE(lines[3].find("STL-Write-Success: " + base), std::string::npos);
    EXPECT_EQ(app.message_panes.info.title, "Environment Mesh File Export Complete");
    // OFF stays text with the binary option; PLY follows it.
    const std::string off = read_file_bytes(base + "_NGON.off");
    EXPECT_EQ(off.substr(0, off.find('\n')), "CNOFF");
    EXPECT_NE(read_file_bytes(base + "_NGON.ply").find("format binary_little_endian"),
              std::string::npos);
}

TEST_F(ExportCommandTest, UnwritableLocationReportsFailuresAndTheErrorPane)
{
    add_entity(make_single_entity(cube_arrays()));
    app.view_settings.export_location = (directory / "missing").string() + "/";
    app.view_settings.export_formats = {1, 0, 0, 1};
    export_environment_mesh(app);
    const std::string base = (directory / "missing").string() + "/env";
    const auto io = channel(CHANNEL_FILE_IO);
    const auto errors = channel(CHANNEL_ERROR);
    ASSERT_EQ(io.size(), 2u);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(io[0].find("OBJ-Write-Failure: " + base), std::string::npos);
    EXPECT_NE(errors[1].find("Error Exporting STL File: " + base), std::string::npos);
    EXPECT_EQ(app.message_panes.error.visible, 1);
    EXPECT_NE(app.message_panes.error.text.find("OBJ, STL"), std::string::npos);
    EXPECT_NE(app.message_panes.error.text.find(base), std::string::npos);
    EXPECT_EQ(app.message_panes.info.visible, 0);
}

TEST_F(ExportCommandTest, TimeStampFollowsTheNameOnce)
{
    add_entity(make_single_entity(cube_arrays()));
    app.view_settings.export_formats = {0, 0, 0, 1};
    app.view_settings.export_option = 1;
    export_environment_mesh(app);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(std::regex_match(names[0], std::regex("env_[0-9]{14}\\.stl"))) << names[0];
}

TEST_F(ExportCommandTest, InvalidRequestsWarnAndTouchNothing)
{
    export_command(app);
    EXPECT_EQ(app.message_panes.warning.title, "Warning: Nothing to Export");
    EXPECT_EQ(app.export_pane.visible, 0);

    add_entity(make_single_entity(cube_arrays()));
    const fs::path file = directory / "plain_file";
    std::ofstream(file) << "x";
    struct Case {
        const char* name;
        std::array<std::uint8_t, 4> formats;
        std::string export_name;
        std::string location;
        const char* warning;
    };
    const Case cases[] = {
        {"no format", {0, 0, 0, 0}, "env", directory.string(), "Warning: Invalid Export Options"},
        {"empty name", {1, 0, 0, 0}, "", directory.string(), "Warning: Invalid Export File"},
        {"file as location", {1, 0, 0, 0}, "env", file.string(), "Warning: Invalid Export File"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.view_settings.export_formats = c.formats;
        app.view_settings.export_name = c.export_name;
        app.view_settings.export_location = c.location;
        app.message_panes.warning = {};
        export_command(app);
        confirm_export(app);
        EXPECT_EQ(app.message_panes.warning.title, c.warning);
        EXPECT_EQ(app.modal[MODAL_CONFIRM], 0);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
}

TEST_F(ExportCommandTest, ConfirmedExportHidesThePaneAndCancelShowsItAgain)
{
    add_entity(make_single_entity(cube_arrays()));
    export_command(app);
    EXPECT_EQ(app.export_pane.button_label, "Export");
    confirm_export(app);
    EXPECT_EQ(app.export_pane.visible, 0);
    EXPECT_EQ(app.confirm.title, "Confirm Environment Mesh File Export Operation");
    app.confirm.cancel_action(app);
    EXPECT_EQ(app.export_pane.visible, 1);
    set_export_location(app, directory.string());
    EXPECT_EQ(app.view_settings.export_location, directory.string() + "/");
}

} // namespace
