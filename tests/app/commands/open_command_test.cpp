// The Open command's choice of input, the native dialog's outcomes, the
// workspace's staging directory and dropped files.

#include "app/commands/open_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <memory>

#include "app/commands/dropped_files.h"
#include "state/application.h"
#include "lumo/widget.h"
#include "platform/kernel_config.h"
#include "tests/platform/trace_capture.h"

namespace {

// An empty answer: an empty directory, or a dialog the person cancelled.
std::string empty_listing(const std::string&)
{
    return std::string();
}
std::string two_scripts(const std::string&)
{
    return "/s/a.plim\n/s/b c.plim";
}

class OpenCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>();
        g_app = app.get();
        app->navigator.listing_producer = empty_listing;
    }
    void TearDown() override
    {
        g_app = nullptr;
        lumo::g_held_key_counts[1] = 0;
    }
    std::unique_ptr<Application> app;
};

TEST_F(OpenCommandTest, InlineAndNativeInputChooseTheRoute)
{
    enum Route { NAVIGATOR, NATIVE, WARNING };
    struct Case {
        std::uint8_t inline_io, native_io, shift;
        Route route;
    };
    const Case cases[] = {{1, 0, 0, NAVIGATOR}, {1, 0, 1, NAVIGATOR}, {0, 1, 0, NATIVE},
                          {1, 1, 0, NAVIGATOR}, {1, 1, 1, NATIVE},    {0, 0, 1, WARNING}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.inline_io) << int(c.native_io) << int(c.shift));
        SetUp();
        app->inline_io = c.inline_io;
        app->native_io = c.native_io;
        lumo::g_held_key_counts[1] = c.shift;
        open_script_command(*app);
        EXPECT_EQ(app->modal[MODAL_NAVIGATOR], c.route == NAVIGATOR ? 1 : 0);
        EXPECT_EQ(app->deferred[DEFERRED_NATIVE_OPEN_DIALOG], c.route == NATIVE ? 1 : 0);
        EXPECT_EQ(app->modal[MODAL_OPENING], c.route == NATIVE ? 1 : 0);
        EXPECT_EQ(app->modal[MODAL_WARNING], c.route == WARNING ? 1 : 0);
        EXPECT_EQ(app->mask_pane.visible, c.route != WARNING || app->modal[MODAL_WARNING] != 0);
    }
}

TEST_F(OpenCommandTest, TheNativeDialogHandsOnItsPathsOrEndsTheOpeningState)
{
    struct Case {
        DialogService dialog;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        {nullptr, {}}, {empty_listing, {}}, {two_scripts, {"/s/a.plim", "/s/b c.plim"}}};
    for (const Case& c : cases) {
        SetUp();
        app->platform.open_dialog = c.dialog;
        app->native_io = 1;
        app->inline_io = 0;
        open_script_command(*app);
        app->deferred[DEFERRED_NATIVE_OPEN_DIALOG] = 0;
        open_native_file_dialog(*app);
        EXPECT_EQ(app->pending_paths, c.paths);
        EXPECT_EQ(app->pending_path_count, static_cast<std::int32_t>(c.paths.size()));
        const bool waiting = !c.paths.empty();
        EXPECT_EQ(app->modal[MODAL_OPENING], waiting ? 1 : 0);
        EXPECT_EQ(app->overlay.visible, waiting);
        EXPECT_EQ(app->deferred[DEFERRED_OPEN_PENDING_PATHS], waiting ? 1 : 0);
    }
}

TEST_F(OpenCommandTest, ApplyingTheWorkspaceCreatesItsStagingDirectory)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("plim_open_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    const std::string kernel = (root / "plim").string();
    std::ofstream(kernel) << "";
    set_kernel_path(kernel);
    for (const std::string& workspace : {root.string(), root.string() + "/"}) {
        std::filesystem::remove_all(root / "tmp");
        set_workspace_path(workspace);
        apply_entity_workspace(*app);
        EXPECT_TRUE(std::filesystem::is_directory(root / "tmp")) << workspace;
        EXPECT_EQ(app->navigator.directory, workspace);
        EXPECT_GE(app->startup_stamps[0], 0.0);
    }
    set_kernel_path("");
    app->startup_stamps[0] = -1.0;
    apply_entity_workspace(*app); // not both VALID: nothing
    EXPECT_EQ(app->startup_stamps[0], -1.0);
    std::filesystem::remove_all(root);
    set_workspace_path("");
}

TEST_F(OpenCommandTest, DroppedFilesAreTracedAndOpenedWhileDropsAreOn)
{
    const std::string text = "file:///w/a.plim\r\n\nnot a file\nfile:///w/b c.plim ";
    for (const std::uint8_t dnd : {1, 0}) {
        SetUp();
        app->native_dnd = dnd;
        TraceCapture trace;
        EXPECT_EQ(handle_dropped_file(nullptr, 3, 4, text), dnd == 1);
        const std::string lines = "LAST-CHAR:['\r']=[13];\nDND-FILE:/w/a.plim\n"
                                  "LAST-CHAR:[' ']=[32];\nDND-FILE:/w/b c.plim\n";
        EXPECT_EQ(trace.text(), dnd == 1 ? lines + "DND-REQUESTED\n" : lines);
        if (dnd == 1) {
            EXPECT_EQ(app->pending_paths, (std::vector<std::string>{"/w/a.plim", "/w/b c.plim"}));
            EXPECT_EQ(app->deferred_countdown, DEFERRED_FRAMES);
            EXPECT_EQ(app->modal[MODAL_OPENING], 1);
        } else {
            EXPECT_EQ(app->message_panes.warning.title, "Warning: Drag-and-Drop Input is Disabled");
            EXPECT_TRUE(app->pending_paths.empty());
        }
    }
    EXPECT_FALSE(handle_dropped_file(nullptr, 0, 0, "http://x\n"));
}

} // namespace
