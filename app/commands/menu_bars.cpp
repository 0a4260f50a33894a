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
    app.redraw_requested = 1;
    refresh_root(app);
}

void select_settings_menu_item(Application& app, std::int32_t item)
{
    bool now_on = false;
    if (item == SETTINGS_MENU_FULLSCREEN) {
        flip_full_screen(app);
        now_on = app.fullscreen != 0;
    } else if (item == SETTINGS_MENU_LOCK) {
        set_camera_lock(app, !app.view_settings.panel_flags[PANEL_VIEW_LOCK]);
        now_on = app.view_settings.panel_flags[PANEL_VIEW_LOCK] != 0;
    } else if (item == SETTINGS_MENU_SLIDERS) {
        flip_slider_bar(app);
        now_on = app.view_settings.panel_flags[PANEL_SLIDER_BAR_VISIBLE] != 0;
    } else {
        show_settings_drop_down(app, item == app.view_settings.open_settings_menu ? -1 : item);
        return;
    }
    app.settings_bar_items[static_cast<std::size_t>(item)].selected = now_on;
    refresh_root(app);
}
