#include "app/commands/menu_bars.h"

#include "panels/info_texts.h"
#include "shell/camera_control.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"
#include "state/application.h"

namespace {

void flip_slider_bar(Application& app)
{
    std::uint8_t& sliders = app.view_settings.panel_flags[PANEL_SLIDER_BAR_VISIBLE];
    sliders = sliders != 0 ? 0 : 1;
    app.slider_bar.visible = sliders && !app.view_settings.panel_flags[PANEL_QUICK_HIDE];
    app.settings_bar_items[SETTINGS_MENU_SLIDERS].selected = sliders != 0;
    refresh_root(app);
}

} // namespace

void toggle_tool_menu(Application& app, std::int32_t menu)
{
    show_tool_drop_down(app, menu == app.view_settings.open_tool_menu ? -1 : menu);
}

void flip_full_screen(Application& app)
{
    app.fullscreen = app.fullscreen ? 0 : 1;
    end_view_drag(app);
    if (app.platform.set_fullscreen != nullptr) app.platform.set_fullscreen(app.fullscreen);
    build_status_line(app);
    app.border.visible = !app.fullscreen;
    app.settings_bar_items[SETTINGS_MENU_FULLSCREEN].selected = app.fullscreen != 0;
    app.redraw_requested = 1;
    refresh_root(app);
}

// The three entries that act at once mark themselves through their setters,
// so a key that acts the same way marks them as a click does.
void select_settings_menu_item(Application& app, std::int32_t item)
{
    if (item == SETTINGS_MENU_FULLSCREEN)
        flip_full_screen(app);
    else if (item == SETTINGS_MENU_LOCK)
        set_camera_lock(app, !app.view_settings.panel_flags[PANEL_VIEW_LOCK]);
    else if (item == SETTINGS_MENU_SLIDERS)
        flip_slider_bar(app);
    else
        show_settings_drop_down(app, item == app.view_settings.open_settings_menu ? -1 : item);
}
