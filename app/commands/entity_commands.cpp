#include "app/commands/entity_commands.h"

#include <string>

#include "app/commands/entity_assembly.h"
#include "app/commands/script_loading.h"
#include "app/commands/script_reload.h"
#include "state/application.h"
#include "app/commands/environment_lifecycle.h"
#include "panels/entity_rows.h"
#include "panels/info_texts.h"
#include "panels/message_panes.h"
#include "platform/paths.h"
#include "platform/trace.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

namespace {

constexpr std::uint32_t k_confirm_icon = 24;
const char* const k_reassembly_note = "Note: this operation may take some time.";

Entity* entity_at(Application& app, std::int32_t index)
{
    EntityList* list = app.current_entity_list;
    if (list == nullptr || index < 0 || index >= list->count ||
        static_cast<std::size_t>(index) >= list->entities.size())
        return nullptr;
    return &list->entities[static_cast<std::size_t>(index)];
}

std::string file_name(const Entity& entity)
{
    return path_file_name(entity.parse_report.script_path);
}

std::int32_t stored_mode(const Entity& entity)
{
    if (entity.kind == ENTITY_GROUP) return static_cast<std::int32_t>(entity.root_execute_mode);
    return entity.mesh != nullptr ? static_cast<std::int32_t>(entity.mesh->execute_mode) : 0;
}

// The execution-mode option of the confirmation pane starts at `mode`.
void show_mode_option(Application& app, std::int32_t mode)
{
    app.confirm.option_target = &app.confirm.option_value;
    set_confirm_option(app, mode);
}

void confirm_reassembly(Application& app, const std::string& title, ApplicationAction cancel,
                        ApplicationAction accept, std::int32_t mode)
{
    show_mode_option(app, mode);
    show_confirm_dialog(app, title, k_reassembly_note, k_confirm_icon, cancel, accept);
    app.confirm.option_visible = 1;
    app.confirm_pane.option_row.visible = true;
    refresh_root(app);
}

bool lacks_mesh(const Entity& entity)
{
    if (entity.kind == ENTITY_GROUP || entity.mesh != nullptr) return false;
    trace_line("CRITICAL-INTERNAL-ERROR:UNDERLYING-MESH-POINTER-IS-NULL!");
    return true;
}

void after_reassembly(Application& app)
{
    rebuild_entity_panels(app);
    app.redraw_requested = 1;
}

void cancel_reassembly(Application& app)
{
    app.reassemble_target = -1;
}
void cancel_delete(Application& app)
{
    app.delete_target = -1;
}

} // namespace

void assemble_command(Application& app)
{
    EntityList* list = app.current_entity_list;
    if (list == nullptr || list->count < 1) {
        show_warning_pane(app, "Warning: Nothing to Assemble",
                          "Open a Brisk-Form script file in order to use the assemble function.");
        return;
    }
    const std::int32_t mode = app.view_settings.execution_mode;
    if (list->count == 1) {
        const Entity& only = list->entities[0];
        if (only.assembly_locked == 0) {
            confirm_reassembly(app, "Confirm Re-Assembly of " + file_name(only), nullptr,
                               reassemble_first_confirmed, mode);
            return;
        }
        show_warning_pane(
            app, "Warning: Entity is Assembly Locked",
            "The entity \"" + file_name(only) +
                "\" is assembly-locked.\n\nNote: in order to re-assemble the entity - release the "
                "assembly-lock\nusing the toggle-lock button in the entity-inspector's environment "
                "list.\n\nAlternatively explicitly invoke re-assembly via the "
                "force-refresh\nbutton in "
                "the entity-inspector's environment list.");
        return;
    }
    for (const Entity& entity : list->entities) {
        if (entity.assembly_locked != 0) continue;
        confirm_reassembly(app, "Confirm Re-Assembly of Environment Entities", nullptr,
                           reassemble_all_confirmed, mode);
        return;
    }
    show_warning_pane(
        app, "Warning: All Entities are Assembly-Locked",
        "All entities in the current environment are assembly-locked.\n\nNote: in order to "
        "re-assemble - release one or more assembly-locks\nusing the toggle-lock buttons in the "
        "entity-inspector's environment list.\n\nAlternatively explicitly invoke re-assembly "
        "per-entity using the\nforce-refresh buttons in the entity-inspector's environment list.");
}

void reassemble_entity_command(Application& app, std::int32_t index)
{
    const Entity* entity = entity_at(app, index);
    if (entity == nullptr || lacks_mesh(*entity)) return;
    app.reassemble_target = index;
    confirm_reassembly(app, "Confirm Re-Assembly of " + file_name(*entity), cancel_reassembly,
                       reassemble_entity_confirmed, stored_mode(*entity));
}

void delete_entity_command(Application& app, std::int32_t index)
{
    const Entity* entity = entity_at(app, index);
    if (entity == nullptr || lacks_mesh(*entity)) return;
    app.delete_target = index;
    app.confirm.option_visible = 0;
    app.confirm_pane.option_row.visible = false;
    show_confirm_dialog(app, "Confirm Delete of " + file_name(*entity),
                        "Note: this removes the entity from the environment.", 1, cancel_delete,
                        close_script_file);
}

void reassemble_first_confirmed(Application& app)
{
    if (Entity* entity = entity_at(app, 0))
        reload_script_entity(app, *entity, app.confirm.option_value);
    after_reassembly(app);
}

void reassemble_all_confirmed(Application& app)
{
    const std::int32_t count =
        app.current_entity_list != nullptr ? app.current_entity_list->count : 0;
    for (std::int32_t i = 0; i < count; ++i) {
        Entity* entity = entity_at(app, i);
        if (entity != nullptr && entity->assembly_locked == 0)
            reload_script_entity(app, *entity, app.confirm.option_value);
    }
    after_reassembly(app);
}

void reassemble_entity_confirmed(Application& app)
{
    const std::int32_t index = app.reassemble_target;
    app.reassemble_target = -1;
    if (Entity* entity = entity_at(app, index))
        reload_script_entity(app, *entity, app.confirm.option_value);
    after_reassembly(app);
}

void close_script_file(Application& app)
{
    std::int32_t index = app.delete_target;
    app.delete_target = -1;
    if (index < 0 && app.current_scene_state != nullptr)
        index = app.current_scene_state->selected_index;
    Entity* entity = entity_at(app, index);
    if (entity == nullptr || app.current_scene_state == nullptr) return;
    Entity removed = *entity;
    adjust_selection_for_removal(app, index);
    if (!remove_entity_at(*app.current_scene_state, index)) return;
    release_entity_queued(app, removed);
    console_line(app, "Script-File Closed: " + file_name(removed));
    // The totals and texts first, so that the rows built after them read
    // what is left; the closed script may have had the widest row.
    update_environment_totals(app);
    build_script_list_text(app);
    if (app.current_selection != nullptr) measure_entity_statistics_view(*app.current_selection);
    rebuild_entity_panels(app);
    build_status_line(app);
    refresh_interface(app);
}
