#include "app/commands/menu_bars.h"

#include <gtest/gtest.h>

#include <memory>

#include "state/application.h"

namespace {

TEST(MenuBars, BarEntriesActAtOnceOrOpenTheirDropDown)
{
    auto owner = std::make_unique<Application>();
    Application& app = *owner;
    const ViewSettings& settings = app.view_settings;
    static std::uint8_t asked = 9;
    app.platform.set_fullscreen = [](std::uint8_t on) { return asked = on; };
    select_settings_menu_item(app, SETTINGS_MENU_FULLSCREEN);
    EXPECT_EQ(app.fullscreen, 1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(settings.open_settings_menu, -1) << "no drop-down";
    EXPECT_FALSE(app.border.visible);

    select_settings_menu_item(app, SETTINGS_MENU_SHADING);
    EXPECT_EQ(settings.open_settings_menu, SETTINGS_MENU_SHADING);
    select_settings_menu_item(app, SETTINGS_MENU_SHADING);
    EXPECT_EQ(settings.open_settings_menu, -1);

    select_settings_menu_item(app, SETTINGS_MENU_LOCK);
    EXPECT_EQ(app.camera_motion.camera_lock, 1) << "the frame tick's camera stops";
    EXPECT_TRUE(app.lock_icon.visible);

    toggle_tool_menu(app, TOOL_MENU_VIEW);
    toggle_tool_menu(app, TOOL_MENU_VIEW);
    EXPECT_EQ(settings.open_tool_menu, -1);
}

} // namespace
