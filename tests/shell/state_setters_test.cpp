#include "shell/state_setters.h"

#include <gtest/gtest.h>

#include <memory>

#include "lumo/font.h"

namespace {

class StateSettersTest : public testing::Test {
protected:
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST_F(StateSettersTest, SidePanelOpensAndTheSameIndexCloses)
{
    select_side_panel(app, 2);
    EXPECT_EQ(app.view_settings.open_side_panel, 2);
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_SIDE_PANEL_SHOWN], 1);
    EXPECT_TRUE(app.side_panels[2].visible);
    EXPECT_TRUE(app.side_panel_tabs[2].selected);
    EXPECT_TRUE(app.control_pane.visible) << "CONTROLPANE shows with its panel";
    select_side_panel(app, 2);
    EXPECT_EQ(app.view_settings.open_side_panel, -1);
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_SIDE_PANEL_SHOWN], 0);
    EXPECT_FALSE(app.side_panels[2].visible);
    EXPECT_FALSE(app.control_pane.visible);
}

TEST_F(StateSettersTest, ToolMenuShowsOnlyTheOpenDropDown)
{
    toggle_tool_menu(app, TOOL_MENU_SHADING);
    EXPECT_TRUE(app.tool_menu_pane.visible);
    EXPECT_TRUE(app.tool_menus[TOOL_MENU_SHADING].pane.visible);
    EXPECT_FALSE(app.tool_menus[TOOL_MENU_COLOUR].pane.visible);
    EXPECT_EQ(app.tool_menu_title.label, "SHADING");
    EXPECT_EQ(app.tool_menu_icon.icon, 44);
    toggle_tool_menu(app, -1);
    EXPECT_EQ(app.view_settings.open_tool_menu, -1);
    EXPECT_FALSE(app.tool_menu_pane.visible);
}

TEST_F(StateSettersTest, SettingsEntriesOpenOrActAtOnce)
{
    set_settings_bar_visible(app, true);
    select_settings_menu_item(app, SETTINGS_MENU_SHADING);
    EXPECT_EQ(app.view_settings.open_settings_menu, SETTINGS_MENU_SHADING);
    EXPECT_TRUE(app.settings_menu_pane.visible);
    EXPECT_TRUE(app.settings_bar_items[SETTINGS_MENU_SHADING].selected);
    select_settings_menu_item(app, SETTINGS_MENU_SHADING);
    EXPECT_EQ(app.view_settings.open_settings_menu, -1);
    EXPECT_FALSE(app.settings_menu_pane.visible);

    select_settings_menu_item(app, SETTINGS_MENU_LOCK);
    EXPECT_EQ(app.view_settings.open_settings_menu, -1);
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_VIEW_LOCK], 1);
    EXPECT_TRUE(app.settings_bar_items[SETTINGS_MENU_LOCK].selected);
}

TEST_F(StateSettersTest, QuickHideActsOnlyOnAChange)
{
    app.view_settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE] = 1;
    app.redraw_requested = 0;
    set_quick_hide(app, false);
    EXPECT_EQ(app.redraw_requested, 0);
    set_quick_hide(app, true);
    EXPECT_EQ(app.view_settings.panel_flags[PANEL_QUICK_HIDE], 1);
    EXPECT_FALSE(app.settings_bar.visible);
    set_quick_hide(app, false);
    EXPECT_TRUE(app.settings_bar.visible);
}

TEST_F(StateSettersTest, ExecutionModeMarksItsButtonInBold)
{
    select_execution_mode(app, EXECUTION_PURE_UNION);
    EXPECT_EQ(app.view_settings.execution_mode, EXECUTION_PURE_UNION);
    EXPECT_EQ(app.view_settings.next_execution_mode, EXECUTION_PURE_UNION);
    EXPECT_TRUE(app.execution_mode_buttons[0].selected);
    EXPECT_EQ(app.execution_mode_buttons[0].font, lumo::kFontBold);
    EXPECT_EQ(app.execution_mode_buttons[2].font, lumo::kFontRegular);
}

TEST_F(StateSettersTest, HintBarFollowsTheTooltipWidget)
{
    lumo::P widget;
    const std::string title = "world-scale [ 0 : 1 ]";
    widget.hint_title = &title;
    widget.icon = 30;
    lumo::g_tooltip_widget = &widget;
    update_hover_hint(app);
    EXPECT_EQ(app.hint_texts[0], title);
    EXPECT_EQ(app.hint_bar.icon.icon, 30);
    EXPECT_EQ(app.hint_bar.texts[0].margin.left, 32 + 2 * 8);
    lumo::g_tooltip_widget = nullptr;
    update_hover_hint(app);
    EXPECT_EQ(app.hint_texts[0], "");
    EXPECT_FALSE(app.hint_bar.icon.visible);
    EXPECT_EQ(app.hint_bar.texts[0].margin.left, 4);
}

} // namespace
