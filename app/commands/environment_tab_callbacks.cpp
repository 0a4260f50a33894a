#include "app/commands/environment_tab_callbacks.h"

#include "state/application.h"
#include "render/picking.h"
#include "app/commands/environment_lifecycle.h"
#include "panels/environment_tabs.h"
#include "shell/refresh.h"

namespace {

bool is_other_valid_tab(const Application& app, std::int32_t index)
{
    return index >= 0 && index < app.environment_tab_count &&
           index != app.current_environment_index;
}

void place_hover_card(Application& app, std::int32_t index)
{
    // The marker rides on the hovered tab; the card above the tab bar shows
    // the environment's image and its close box.
    const bool shown = index != app.current_environment_index;
    app.environment_tabs.hover_marker.visible = shown;
    app.environment_tabs.hover_marker.x =
        app.environment_tabs.strip.x - 32 + 2 * (32 * index + app.layout.bar_unit);
    app.tab_bar.hover_card.visible = shown;
    lumo::P& image = app.tab_bar.hover_card_label;
    const EnvironmentRecord* record = environment_at(app.environment_store, index);
    // The card shows the environment's cell of the thumbnail atlas.
    const int cell = record != nullptr ? environment_thumbnail_cell(record->id) : -1;
    image.image = cell >= 0 ? lumo::WidgetImage::kThumbnails : lumo::WidgetImage::kNone;
    if (cell >= 0) image.image_uv = thumbnail_cell_uv(cell);
}

// Nothing is hovered any more: the marker and the card go. False when
// nothing was hovered.
bool forget_hovered_tab(Application& app)
{
    if (app.hovered_environment_tab == -1) return false;
    app.hovered_environment_tab = -1;
    app.environment_tabs.hover_marker.visible = false;
    app.tab_bar.hover_card.visible = false;
    return true;
}

} // namespace

bool hover_environment_tab(int x, int /*y*/, int /*button*/)
{
    Application& app = *g_app;
    if (app.environment_tab_count == 1) return true;
    const std::int32_t index = environment_tab_at(x);
    if (index == app.hovered_environment_tab || index < 0 || index >= app.environment_tab_count)
        return true;
    app.hovered_environment_tab = index;
    place_hover_card(app, index);
    refresh_interface(app);
    return true;
}

bool on_select_environment_tab()
{
    Application& app = *g_app;
    if (!is_other_valid_tab(app, app.hovered_environment_tab)) return true;
    request_environment_switch(app, app.hovered_environment_tab);
    refresh_root(app);
    return true;
}

bool on_close_environment_tab()
{
    Application& app = *g_app;
    if (!is_other_valid_tab(app, app.hovered_environment_tab)) return true;
    // The confirmation keeps the tab it closes; the card would only stand
    // over the pane.
    confirm_close_environment(app);
    forget_hovered_tab(app);
    refresh_root(app);
    return true;
}

bool keep_environment_hover(int /*x*/, int /*y*/, int /*button*/)
{
    return true;
}

bool on_leave_environment_tabs(int /*x*/, int /*y*/, int /*button*/)
{
    Application& app = *g_app;
    if (forget_hovered_tab(app)) refresh_interface(app);
    // A pick mode shows what lies under the pointer, so the view follows it.
    if (app.panel_visibility.inspector != 0 && app.view_settings.pick_mode != '!')
        refresh_root(app);
    return false;
}
