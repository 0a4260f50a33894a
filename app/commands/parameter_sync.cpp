#include "app/commands/parameter_sync.h"

#include <vector>

#include "kernel/assemble_runs.h"
#include "app/commands/entity_assembly.h"
#include "app/commands/kernel_run_settings.h"
#include "state/application.h"
#include "model/entity_stats.h"
#include "panels/console_channels.h"
#include "panels/directive_menus.h"
#include "panels/entity_colouring.h"
#include "panels/entity_properties.h"
#include "panels/entity_rows.h"
#include "panels/info_texts.h"
#include "panels/panel_rows.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/trace.h"
#include "shell/refresh.h"

namespace {

bool any_changed(const std::vector<ScriptParameter>& parameters)
{
    for (const ScriptParameter& parameter : parameters)
        if (is_parameter_changed(parameter)) return true;
    return false;
}

void mark_all_synced(std::vector<ScriptParameter>& parameters)
{
    for (ScriptParameter& parameter : parameters)
        mark_parameter_synced(parameter);
}

// Assembles the entity's synchronised text and swaps in the new mesh; a
// failed run is reported and changes nothing.
bool reassemble_with_values(Application& app, Entity& entity, std::int32_t mode,
                            const std::string& name)
{
    Mesh* mesh = run_assemble(kernel_run_settings(app), sync_script_text(entity), mode,
                              app.view_settings.profiler != 0);
    if (!is_finished_mesh(mesh)) {
        release_mesh_queued(app, mesh);
        console_line(app, k_critical_reassembly_line);
        show_pane(app, critical_reassembly_pane(name, false));
        console_append_kernel_run_errors(app);
        return false;
    }
    if (mesh->assembly_error_count >= 1) {
        console_line(app, reassembly_error_line(mesh->assembly_error_count));
        show_pane(app, reassembly_error_pane(name, mesh->assembly_error_count, false));
        console_show_kernel_run(app);
        release_mesh_queued(app, mesh);
        return false;
    }
    Mesh* old_mesh = entity.mesh;
    if (old_mesh != nullptr) {
        mesh->result_index = old_mesh->result_index;
        mesh->batch_id = old_mesh->batch_id;
    }
    attach_mesh_to_entity(entity, mesh);
    mark_all_synced(entity.parameters.parameters);
    release_mesh_queued(app, old_mesh);
    return true;
}

bool sync_single(Application& app, Entity& entity)
{
    if (entity.parameters.count < 1 || !any_changed(entity.parameters.parameters)) return false;
    const std::int32_t mode = entity.mesh != nullptr
                                  ? static_cast<std::int32_t>(entity.mesh->execute_mode)
                                  : app.view_settings.execution_mode;
    if (!reassemble_with_values(app, entity, mode, path_file_name(entity.parse_report.script_path)))
        return true;
    format_entity_stats(entity);
    format_entity_properties(entity);
    update_environment_totals(app);
    if (needs_colouring(app) && entity.assembled != 0) colour_entity(app, entity);
    return true;
}

Entity* parameterised_member(Entity& group, std::size_t k)
{
    if (k >= group.parameterised_members.size() ||
        static_cast<std::int32_t>(k) >= group.parameterised_member_count)
        return nullptr;
    const std::int32_t at = group.parameterised_members[k];
    if (at < 0 || static_cast<std::size_t>(at) >= group.members.size()) return nullptr;
    return group.members[static_cast<std::size_t>(at)];
}

bool sync_group(Application& app, Entity& group, std::int64_t started_ms)
{
    ParameterSet& merged = group.parameters;
    if (merged.count < 1) return false;
    bool changed = false;
    for (const ScriptParameter* parameter : merged.member_parameters)
        changed = changed || (parameter != nullptr && is_parameter_changed(*parameter));
    if (!changed) return false;
    const std::string name = path_file_name(group.parse_report.script_path);
    for (std::size_t k = 0; k < merged.member_sets.size(); ++k) {
        const ParameterSet* set = merged.member_sets[k];
        Entity* member = parameterised_member(group, k);
        if (set == nullptr || member == nullptr || !any_changed(set->parameters)) continue;
        if (reassemble_with_values(app, *member, static_cast<std::int32_t>(group.root_execute_mode),
                                   name) &&
            needs_colouring(app))
            colour_entity(app, *member);
    }
    recount_entity_elements(group, static_cast<std::int32_t>(now_ms() - started_ms));
    format_entity_stats(group);
    format_entity_properties(group);
    update_environment_totals(app);
    return true;
}

void set_row_text(std::vector<std::string>& rows, std::int32_t at, const std::string& text)
{
    if (at >= 0 && static_cast<std::size_t>(at) < rows.size())
        rows[static_cast<std::size_t>(at)] = text;
}

std::int32_t display_position(const EntityList& list, std::int32_t index)
{
    for (std::size_t p = 0; p < list.display_order.size(); ++p)
        if (list.display_order[p] == index) return static_cast<std::int32_t>(p);
    return -1;
}

std::int32_t list_index(const EntityList& list, const Entity* entity)
{
    for (std::size_t i = 0; i < list.entities.size(); ++i)
        if (&list.entities[i] == entity) return static_cast<std::int32_t>(i);
    return -1;
}

void update_rows(Application& app, const Entity& entity, bool by_selection)
{
    const std::string label = entity_row_text(entity);
    const EntityList* list = app.current_entity_list;
    std::int32_t index = -1;
    std::int32_t position = -1;
    if (list != nullptr && by_selection && app.current_selection != nullptr) {
        position = app.current_selection->selected_position;
        if (position >= 0 && static_cast<std::size_t>(position) < list->display_order.size())
            index = list->display_order[static_cast<std::size_t>(position)];
    } else if (list != nullptr) {
        index = list_index(*list, &entity);
        position = display_position(*list, index);
    }
    if (index < 0 || position < 0) {
        trace_line("POST-PARAM-SYNC-ERROR!");
        return;
    }
    set_row_text(app.panel_rows.entity_rows, index, label);
    set_row_text(app.panel_rows.parameter_rows, position, label);
    show_entity_row_statistics(app, entity, index, position);
}

} // namespace

std::string sync_script_text(const Entity& entity)
{
    std::vector<const ScriptParameter*> parameters;
    for (const ScriptParameter& parameter : entity.parameters.parameters)
        parameters.push_back(&parameter);
    return parameter_script_text(parameters, entity.parse_report, true);
}

void sync_entity_parameters(Application& app, Entity* entity, bool by_selection)
{
    if (entity == nullptr) return;
    const std::int64_t started_ms = now_ms();
    const bool worked = entity->kind == ENTITY_GROUP ? sync_group(app, *entity, started_ms)
                                                     : sync_single(app, *entity);
    if (!worked) return;
    update_rows(app, *entity, by_selection);
    refresh_interface(app);
}

void run_requested_syncs(Application& app)
{
    Entity* selected =
        app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
    if (selected != nullptr && selected->sync_requested != 0) {
        selected->sync_requested = 0;
        sync_entity_parameters(app, selected, true);
    }
    if (app.pending_variant_sync < 0) return;
    const auto index = static_cast<std::size_t>(app.pending_variant_sync);
    app.pending_variant_sync = -1;
    if (index < app.directive_menus.variants.size())
        sync_entity_parameters(app, find_variant_entity(app, app.directive_menus.variants[index]),
                               false);
}
