#include "app/commands/parameter_reset.h"

#include <string>
#include <vector>

#include "app/commands/parameter_sync.h"
#include "state/application.h"
#include "model/entity.h"
#include "panels/message_panes.h"
#include "panels/panel_rows.h"
#include "panels/parameter_rows.h"
#include "shell/confirm_pane.h"

namespace {

constexpr std::uint32_t k_confirm_icon = 24;
const char* const k_undo_note = "Note: this operation cannot be undone.";

Entity* selected_entity(Application& app)
{
    return app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
}

std::int32_t count_selected(const std::vector<ScriptParameter*>& parameters)
{
    std::int32_t count = 0;
    for (const ScriptParameter* parameter : parameters)
        count += parameter != nullptr && parameter->selected != 0 ? 1 : 0;
    return count;
}

// Back to the declared value, shown in its field and slider.
void reset_to_initial(Application& app, std::size_t index, ScriptParameter& parameter)
{
    copy_parameter_value(parameter, parameter.initial, format_parameter_value(parameter.initial));
    show_parameter_value(app.panel_rows, index, parameter, parameter_field_text(parameter));
    show_parameter_row_value(app, static_cast<std::int32_t>(index));
}

void sync_unless_manual(Application& app, Entity& entity)
{
    if (entity.manual_sync == 0) sync_entity_parameters(app, &entity, true);
}

// The reset-one request shows the confirmation's icon mirrored; its answer,
// either way, turns it back.
void mirror_confirm_icon(Application& app, bool mirrored)
{
    app.confirm_pane.icon.icon_flip_x = mirrored;
}

void cancel_reset(Application& app)
{
    app.reset_parameter_target = -1;
    mirror_confirm_icon(app, false);
}

} // namespace

void reset_parameter_value(Application& app, std::int32_t index)
{
    if (selected_entity(app) == nullptr || index < 0) return;
    app.reset_parameter_target = index;
    show_confirm_dialog(app, "Confirm Reset of Entity Parameter Value", k_undo_note, k_confirm_icon,
                        cancel_reset, reset_parameter_confirmed);
    mirror_confirm_icon(app, true);
}

void reset_parameter_values(Application& app)
{
    Entity* entity = selected_entity(app);
    if (entity == nullptr) return;
    const std::int32_t selected = count_selected(editable_parameters(*entity));
    const std::int32_t count = entity->parameters.count;
    const std::string word = selected != 0 && selected != count ? "Selected" : "All";
    const std::string ending = selected == 1 && count > 1 ? "" : "s";
    show_confirm_dialog(app, "Confirm Reset of " + word + " Entity Parameter Value" + ending,
                        k_undo_note, k_confirm_icon, nullptr, reset_parameters_confirmed);
}

void reset_parameter_confirmed(Application& app)
{
    const std::int32_t index = app.reset_parameter_target;
    app.reset_parameter_target = -1;
    mirror_confirm_icon(app, false);
    Entity* entity = selected_entity(app);
    if (entity == nullptr || index < 0) return;
    const std::vector<ScriptParameter*> parameters = editable_parameters(*entity);
    const auto at = static_cast<std::size_t>(index);
    if (at >= parameters.size() || parameters[at] == nullptr) return;
    reset_to_initial(app, at, *parameters[at]);
    sync_unless_manual(app, *entity);
}

void reset_parameters_confirmed(Application& app)
{
    mirror_confirm_icon(app, false);
    Entity* entity = selected_entity(app);
    if (entity == nullptr) return;
    const std::vector<ScriptParameter*> parameters = editable_parameters(*entity);
    const std::int32_t selected = count_selected(parameters);
    const bool all = selected == 0 || selected == entity->parameters.count;
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i] != nullptr && (all || parameters[i]->selected != 0))
            reset_to_initial(app, i, *parameters[i]);
    sync_unless_manual(app, *entity);
}

void show_variant_directives_placeholder(Application& app)
{
    toggle_directive_pane(
        app, "Parametric-Variant Directives",
        "UN-IMPLEMENTED!\n\nThis component is in development and is scheduled to drop circa "
        "V:0.2.5.\n\nNote: (as an interim measure) you can create parametric-variant "
        "directives\ndirectly in source (i.e. writing them by hand) and then use the "
        "geometry-viewer's\nglobal variant selector (to apply them) until this per-entity control "
        "is complete.\n\nNote: your patience is this is appreciated.",
        35);
}

void show_parameter_type_info(Application& app, std::int32_t type_code)
{
    if (type_code < 0 || static_cast<std::size_t>(type_code) >= g_value_type_names.size()) return;
    const std::string name = g_value_type_names[static_cast<std::size_t>(type_code)];
    show_info_pane(app, "Info: " + name + " Type", "Type: " + name);
}

void show_parameter_definition_info(Application& app, std::int32_t index)
{
    Entity* entity = selected_entity(app);
    if (entity == nullptr || index < 0) return;
    const std::vector<ScriptParameter*> parameters = editable_parameters(*entity);
    const auto at = static_cast<std::size_t>(index);
    if (at >= parameters.size() || parameters[at] == nullptr) return;
    show_info_pane(app, "Info: Parameter-Definition", parameters[at]->definition);
}
