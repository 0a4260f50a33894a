#include "app/actions/button_bodies.h"

#include "app/commands/parameter_sync.h"
#include "state/application.h"
#include "model/entity_views.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"
#include "shell/window_layout.h"

namespace {

Entity* parameter_panel_entity(Application& app)
{
    return app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
}

std::uint8_t flipped(std::uint8_t flag)
{
    return flag != 0 ? 0 : 1;
}

} // namespace

void press_expand_button(Application& app)
{
    ViewSettings& settings = app.view_settings;
    if (settings.panel_flags[PANEL_QUICK_HIDE] == 0) {
        set_quick_hide(app, true);
        return;
    }
    settings.minimal_mode = flipped(settings.minimal_mode);
    update_panel_visibility(app);
    lay_out_view_panels(app, app.window_width, app.window_height);
    app.redraw_requested = 1;
    request_paint(app);
}

void toggle_entity_flag(Application& app, EntityFlagToggle flag)
{
    Entity* entity = parameter_panel_entity(app);
    if (entity == nullptr) return;
    if (flag == ENTITY_FLAG_AUTO_SYNC) {
        entity->keep_parameter_values = flipped(entity->keep_parameter_values);
    } else if (flag == ENTITY_FLAG_IMMEDIATE) {
        entity->live_sync = flipped(entity->live_sync);
        entity->manual_sync = 0;
    } else {
        entity->manual_sync = flipped(entity->manual_sync);
        entity->live_sync = 0;
    }
    std::array<lumo::P, 3>& toggles = app.lists.parameters.toggles;
    toggles[ENTITY_FLAG_AUTO_SYNC].selected = entity->keep_parameter_values != 0;
    toggles[ENTITY_FLAG_IMMEDIATE].selected = entity->live_sync != 0;
    toggles[ENTITY_FLAG_MULTI_EDIT].selected = entity->manual_sync != 0;
    refresh_root(app);
}

void apply_parameter_values(Application& app)
{
    Entity* entity = parameter_panel_entity(app);
    if (entity != nullptr) sync_entity_parameters(app, entity, true);
}
