#include "app/actions/shortcuts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/commands/environment_lifecycle.h"
#include "state/application.h"
#include "lumo/text.h"
#include "panels/file_navigator.h"
#include "platform/input_codes.h"
#include "platform/kernel_config.h"
#include "shell/modal_panes.h"

namespace {

class ShortcutsTest : public testing::Test {
protected:
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;

    void SetUp() override { app.startup_finished = 1; }
    void TearDown() override { lumo::g_focused_widget = nullptr; }
    bool key(std::int32_t code, std::int32_t modifiers = 0)
    {
        return handle_application_key(app, code, modifiers);
    }
};

TEST_F(ShortcutsTest, PlainKeysDriveTheInterface)
{
    EXPECT_TRUE(key('1'));
    EXPECT_EQ(app.view_settings.open_side_panel, 0);
    EXPECT_TRUE(key(KEY_SPACE));
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_QUICK_HIDE], 1);
    EXPECT_TRUE(app.hide_logo.visible);
    EXPECT_FALSE(key('2')) << "side panels wait while the bars are hidden";
    EXPECT_TRUE(key(KEY_SPACE));
    EXPECT_TRUE(key('4'));
    EXPECT_EQ(app.camera_mode, CAMERA_OBJECT_ORBIT);
    EXPECT_TRUE(key('M'));
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE], 1);
    EXPECT_EQ(app.held_keys.keys['m'], 1) << "marked in both cases";
    EXPECT_EQ(app.held_keys.keys['M'], 1);
}

TEST_F(ShortcutsTest, ModalPanesBlockMostShortcutsButNotAll)
{
    app.modal[MODAL_INFO] = 1;
    EXPECT_FALSE(key('l', MOD_CTRL));
    EXPECT_TRUE(key('f', MOD_CTRL));
    EXPECT_EQ(app.fullscreen, 1);
    EXPECT_TRUE(key('t', MOD_CTRL));
    EXPECT_EQ(app.view_settings.theme_index, 3);
    EXPECT_TRUE(key('T', MOD_SHIFT));
    EXPECT_EQ(app.view_settings.theme_index, 2);
    EXPECT_TRUE(key(KEY_ESCAPE));
    EXPECT_EQ(app.modal[MODAL_INFO], 0);
}

int g_repaints = 0;

// Keys from the platform pass the root's dispatch, as the program wires it:
// the focused field first, then the Application's handler.
TEST_F(ShortcutsTest, FocusedFieldTakesTheKeyAndNoShortcutRuns)
{
    g_app = &app;
    app.root.on_key_down_callback = [](int key, int modifiers) {
        return handle_application_key(*g_app, key, modifiers);
    };
    lumo::F field;
    field.take_focus();
    g_repaints = 0;
    app.root.on_repaint = [] { ++g_repaints; };
    root_key_down(app, '7', 0);
    EXPECT_EQ(field.label, "7");
    EXPECT_EQ(g_repaints, 1) << "the typed character shows without waiting for the pointer";
    EXPECT_FALSE(root_key_down(app, 'l', MOD_CTRL)) << "the field leaves Ctrl keys, unused";
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_VIEW_LOCK], 0);
    app.modal[MODAL_INFO] = 1;
    root_key_down(app, KEY_ESCAPE, 0);
    EXPECT_EQ(app.modal[MODAL_INFO], 1);
    EXPECT_EQ(app.held_keys.keys[KEY_ESCAPE], 0);
    field.take_focus();
    app.startup_finished = 0;
    EXPECT_TRUE(root_key_down(app, KEY_ESCAPE, 0));
    EXPECT_EQ(app.modal[MODAL_INFO], 0) << "before start-up no field takes keys";
    EXPECT_TRUE(field.focused);
    g_app = nullptr;
}

TEST_F(ShortcutsTest, RunPaneDigitsChooseTheExecutionMode)
{
    EXPECT_TRUE(key('R', MOD_SHIFT));
    EXPECT_EQ(app.modal[MODAL_RUN], 1);
    EXPECT_TRUE(key('1'));
    EXPECT_EQ(app.view_settings.execution_mode, EXECUTION_PURE_UNION);
    EXPECT_EQ(app.view_settings.open_side_panel, -1);
    EXPECT_TRUE(key('c'));
    EXPECT_EQ(app.view_settings.execution_mode, EXECUTION_OPTIMAL_CSG);
}

TEST_F(ShortcutsTest, CtrlNFadesToANewEnvironmentAndAsksForThePreviewOfTheOldOne)
{
    EXPECT_TRUE(key('n', MOD_CTRL));
    EXPECT_EQ(app.refresh_preview, 1) << "the hover card of the environment left shows its view";
    EXPECT_EQ(app.fade.active, 1);
    EXPECT_EQ(app.fade.completion_action, &add_environment);
}

TEST_F(ShortcutsTest, ConditionsThatStopAKey)
{
    app.panel_layout.window_too_small = 1;
    EXPECT_FALSE(key('1'));
    app.panel_layout.window_too_small = 0;

    app.environment_tab_count = 2;
    app.current_environment_index = 1;
    EXPECT_TRUE(key(KEY_PAGE_UP, MOD_CTRL));
    EXPECT_EQ(app.pending_environment_index, -1) << "no wrap past the last";

    const double zoom = app.view_settings.zoom;
    app.camera_mode = CAMERA_OBJECT_ORBIT;
    key('l', MOD_CTRL);
    EXPECT_TRUE(app.settings_bar_items[SETTINGS_MENU_LOCK].selected) << "the LOCK item shows it";
    EXPECT_FALSE(key('=', MOD_CTRL)) << "locked camera";
    key('l', MOD_CTRL);
    EXPECT_FALSE(app.settings_bar_items[SETTINGS_MENU_LOCK].selected);
    EXPECT_TRUE(key('=', MOD_CTRL));
    EXPECT_DOUBLE_EQ(app.view_settings.zoom, zoom * 1.05);
    app.camera_mode = CAMERA_FREE_ROAM;
    const double z = app.camera.eye[2];
    EXPECT_TRUE(key('=', MOD_CTRL));
    EXPECT_LT(app.camera.eye[2], z) << "the other controllers walk forward";
    EXPECT_TRUE(key('0', MOD_CTRL));
    EXPECT_DOUBLE_EQ(app.camera.eye[2], app.camera.home_eye[2]) << "reset";

    app.saved_views.count = 1;
    app.view_drag.active = 1;
    EXPECT_TRUE(key(KEY_TAB));
    EXPECT_EQ(app.view_drag.active, 0);

    app.startup_finished = 0;
    EXPECT_FALSE(key('o', MOD_CTRL)) << "before start-up";
    EXPECT_FALSE(key('1'));
}

TEST_F(ShortcutsTest, KeyUpClearsBothCasesAndCountsModifiersDown)
{
    key('a');
    handle_app_key_up(app, 'A', 0);
    EXPECT_EQ(app.held_keys.keys['a'], 0);
    lumo::g_held_key_counts[1] = 1;
    EXPECT_FALSE(root_key_up(app, lumo::kKeyShift, 0));
    EXPECT_FALSE(root_key_up(app, lumo::kKeyShift, 0));
    EXPECT_EQ(lumo::g_held_key_counts[1], 0u) << "never below 0";
}

// The navigator over a canned listing of /w/: one directory and three
// scripts; the listing records every directory it was asked for.
class NavigatorKeysTest : public ShortcutsTest {
protected:
    static inline std::vector<std::string> s_listed;
    static std::string canned(const std::string& directory)
    {
        s_listed.push_back(directory);
        return "01/01/2024  00:00    <DIR>          .\n"
               "01/01/2024  00:00    <DIR>          ..\n"
               "01/01/2024  00:00    <DIR>          sub\n"
               "01/01/2024  00:00   10 a.plim\n01/01/2024  00:00   10 b.plim\n"
               "01/01/2024  00:00   10 c.plim\n";
    }
    void SetUp() override
    {
        ShortcutsTest::SetUp();
        g_app = &app;
        s_listed.clear();
        app.clock_ms = [] { return std::int64_t{4242}; };
        app.navigator.listing_producer = canned;
        app.navigator.executable_test = nullptr;
        app.navigator.list_viewport = 64; // two rows of 32 make a page
        app.navigator.mode = NAVIGATOR_OPEN_SCRIPTS;
        set_navigator_visible(app, true);
        list_directory(app, "/w/");
    }
    void TearDown() override
    {
        g_app = nullptr;
        set_kernel_path("");
        set_workspace_path("");
        ShortcutsTest::TearDown();
    }
    std::string cursor() const
    {
        const FileNavigator& navigator = app.navigator;
        for (std::int32_t row = 0; row < navigator.entry_count(); ++row) {
            const std::int32_t entry = navigator.display_order[static_cast<std::size_t>(row)];
            if (navigator.selected[static_cast<std::size_t>(entry)])
                return navigator.entries[static_cast<std::size_t>(entry)].name;
        }
        return "";
    }
};

TEST_F(NavigatorKeysTest, KeysMoveTheCursorPageAndJumpBeforeAndAfterStartUp)
{
    struct Case {
        std::uint8_t started;
        std::int32_t key, modifiers;
        const char* cursor;
    };
    // Rows by name: a.plim, b.plim, c.plim, sub/. Page Down and Left page
    // towards the start, Page Up and Right towards the end, two rows a page.
    const Case cases[] = {
        {1, KEY_END, 0, "sub/"},          {1, KEY_PAGE_DOWN, 0, "b.plim"},
        {1, KEY_PAGE_UP, 0, "sub/"},      {1, KEY_LEFT, 0, "b.plim"},
        {1, KEY_UP, 0, "a.plim"},         {1, KEY_RIGHT, 0, "c.plim"},
        {1, KEY_DOWN, 0, "sub/"},         {1, KEY_HOME, 0, "a.plim"},
        {1, KEY_RIGHT, MOD_CTRL, "sub/"}, {1, KEY_LEFT, MOD_ALT, "a.plim"},
        {0, KEY_RIGHT, MOD_ALT, "sub/"},  {0, KEY_LEFT, 0, "b.plim"},
        {0, KEY_DOWN, 0, "c.plim"},       {0, KEY_HOME, MOD_CTRL, "a.plim"},
    };
    for (const Case& c : cases) {
        app.startup_finished = c.started;
        EXPECT_TRUE(key(c.key, c.modifiers)) << c.key;
        EXPECT_EQ(cursor(), c.cursor) << "key " << c.key << " modifiers " << c.modifiers;
    }
    EXPECT_EQ(app.held_keys.arrow_press_ms, 4242) << "Up and Down stamp the press";
    EXPECT_EQ(app.held_keys.arrows[ARROW_DOWN], 1) << "held for the repeat, also before start-up";
}

TEST_F(NavigatorKeysTest, CtrlKeysEnterLeaveRelistAndSelect)
{
    key(KEY_END);
    EXPECT_TRUE(key(KEY_DOWN, MOD_CTRL));
    EXPECT_EQ(app.navigator.directory, "/w/sub/");
    EXPECT_TRUE(key(KEY_UP, MOD_CTRL));
    EXPECT_EQ(app.navigator.directory, "/w/");
    key(KEY_END);
    EXPECT_TRUE(key('h', MOD_CTRL));
    EXPECT_EQ(app.navigator.directory, "/w/sub/") << "Ctrl+H enters the selected directory";
    s_listed.clear();
    EXPECT_TRUE(key('r', MOD_CTRL));
    EXPECT_EQ(s_listed, std::vector<std::string>{"/w/sub/"}) << "listed again, no assembly";
    EXPECT_TRUE(key('a', MOD_CTRL));
    EXPECT_EQ(app.navigator.selection_count, 3) << "every script, not the directory";
    EXPECT_FALSE(key('o', MOD_CTRL)) << "the navigator is a modal pane";
}

TEST_F(NavigatorKeysTest, EnterRunsTheNavigatorsOkAndBeforeStartUpAppliesTheWorkspace)
{
    key(KEY_HOME);
    EXPECT_TRUE(key(KEY_ENTER));
    EXPECT_EQ(app.modal[MODAL_NAVIGATOR], 0);
    EXPECT_EQ(app.deferred[DEFERRED_OPEN_SELECTED_SCRIPTS], 1) << "the chosen script opens";

    // Before start-up, with nothing open, Enter applies the workspace and
    // points the navigator at it.
    app.startup_finished = 0;
    app.modal.fill(0);
    const std::filesystem::path root = std::filesystem::path(testing::TempDir()) / "enter-keys";
    std::filesystem::create_directories(root / "workspace");
    std::ofstream(root / "plim").put('\n');
    set_kernel_path((root / "plim").string());
    set_workspace_path((root / "workspace").string());
    EXPECT_TRUE(key(KEY_ENTER));
    EXPECT_EQ(app.navigator.directory, (root / "workspace").string());
    EXPECT_TRUE(std::filesystem::is_directory(root / "workspace" / "tmp")) << "staging made";
    std::filesystem::remove_all(root);
}

TEST_F(NavigatorKeysTest, BeforeStartUpCtrlEAndCtrlKChooseTheSettingsOnlyWithTheNavigatorShut)
{
    app.startup_finished = 0;
    EXPECT_FALSE(key('e', MOD_CTRL)) << "navigator open";
    set_navigator_visible(app, false);
    EXPECT_TRUE(key('k', MOD_CTRL));
    EXPECT_EQ(app.navigator.mode, NAVIGATOR_KERNEL);
    EXPECT_EQ(app.modal[MODAL_NAVIGATOR], 1);
    set_navigator_visible(app, false);
    EXPECT_TRUE(key('e', MOD_CTRL));
    EXPECT_EQ(app.navigator.mode, NAVIGATOR_WORKSPACE);
}

} // namespace
