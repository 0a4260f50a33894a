#include "app/actions/shortcuts.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/state/application.h"
#include "lumo/text.h"
#include "platform/input_codes.h"

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

TEST_F(ShortcutsTest, FocusedFieldTakesTheKeyAndNoShortcutRuns)
{
    lumo::F field;
    lumo::g_focused_widget = &field;
    app.modal[MODAL_INFO] = 1;
    key(KEY_ESCAPE);
    EXPECT_EQ(app.modal[MODAL_INFO], 1);
    EXPECT_EQ(app.held_keys.keys[KEY_ESCAPE], 0);
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
    EXPECT_FALSE(key('=', MOD_CTRL)) << "locked camera";
    key('l', MOD_CTRL);
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

} // namespace
