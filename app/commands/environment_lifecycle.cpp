#include "app/commands/environment_lifecycle.h"

#include <algorithm>

#include "app/commands/environment_view.h"
#include "panels/environment_tabs.h"
#include "shell/confirm_pane.h"
#include "shell/fade.h"
#include "shell/refresh.h"

namespace {

// Atlas icon of the close-environment confirmation.
constexpr std::uint32_t CLOSE_ENVIRONMENT_ICON = 1;

// The GL names of every mesh of the list, each kind on its own list in
// entity order, group members in member order; released later by the
// renderer inside the GL context.
void queue_environment_gl_names(Application& app, const EntityList& list)
{
    const std::pair<void (*)(const EntityList&, U32Array&), U32Array*> kinds[] = {
        {collect_vertex_array_names, &app.gl_vertex_arrays_to_delete},
        {collect_vertex_buffer_names, &app.gl_buffers_to_delete},
        {collect_index_buffer_names, &app.gl_index_buffers_to_delete},
    };
    U32Array names;
    for (const auto& [collect, queue] : kinds) {
        collect(list, names);
        queue->insert(queue->end(), names.begin(), names.end());
    }
}

// A switch still counting down must keep naming the environment it was
// requested for once the indices above the closed one have shifted.
void shift_pending_switch(Application& app, std::int32_t closed_index)
{
    std::int32_t& pending = app.pending_environment_index;
    if (pending == closed_index) {
        pending = -1;
        app.environment_switch_countdown = -1;
    } else if (pending > closed_index) {
        --pending;
    }
}

bool is_closable_tab(const Application& app, std::int32_t index)
{
    return index >= 0 && index < app.environment_tab_count &&
           index != app.current_environment_index;
}

} // namespace

void add_environment(Application& app)
{
    save_environment_view(app);
    EnvironmentRecord* record = create_environment(app);
    app.current_environment_index = app.environment_tab_count;
    app.environment_tab_names.push_back(record->name);
    ++app.environment_tab_count;
    rebuild_environment_tabs(app);
    restore_environment_view(app);
    refresh_interface(app);
}

void notify_ui_change(Application& app)
{
    app.refresh_preview = 1;
    refresh_interface(app);
    start_fade(app, add_environment);
}

void request_environment_switch(Application& app, std::int32_t index)
{
    app.refresh_preview = 1;
    refresh_interface(app);
    app.environment_switch_countdown = DEFERRED_FRAMES;
    app.pending_environment_index = index;
}

void tick_environment_switch(Application& app)
{
    if (app.pending_environment_index < 0) return;
    if (app.environment_switch_countdown > 0)
        --app.environment_switch_countdown;
    else
        switch_environment(app);
}

void switch_environment(Application& app)
{
    const std::int32_t index = app.pending_environment_index;
    app.environment_switch_countdown = -1;
    app.pending_environment_index = -1;
    EnvironmentRecord* record = environment_at(app.environment_store, index);
    if (record == nullptr) return;
    save_environment_view(app);
    make_environment_current(app, *record);
    app.saved_cameras = record->view.camera_sets;
    app.current_environment_index = index;
    rebuild_environment_tabs(app);
    restore_environment_view(app);
    refresh_interface(app);
}

void confirm_close_environment(Application& app)
{
    ConfirmPaneModel& confirm = app.confirm;
    confirm.option_value = 1;
    confirm.second_value = 0;
    confirm.environment_to_close = app.hovered_environment_tab;
    show_confirm_dialog(app, "Confirm Environment Close",
                        "Note: this operation releases the resources used and cannot be undone.",
                        CLOSE_ENVIRONMENT_ICON, cancel_close_environment,
                        close_confirmed_environment);
}

void cancel_close_environment(Application& app)
{
    app.confirm.environment_to_close = -1;
}

void close_confirmed_environment(Application& app)
{
    const std::int32_t index = app.confirm.environment_to_close;
    app.confirm.environment_to_close = -1;
    close_environment(app, index);
    refresh_interface(app);
}

void close_environment(Application& app, std::int32_t index)
{
    if (!is_closable_tab(app, index)) return;
    EnvironmentRecord* record = environment_at(app.environment_store, index);
    if (record == nullptr) return;
    queue_environment_gl_names(app, record->entities);
    release_entity_meshes(record->entities);
    remove_environment_record(app.environment_store, index);
    if (app.current_environment_index > index) --app.current_environment_index;
    shift_pending_switch(app, index);
    app.environment_tab_names.erase(app.environment_tab_names.begin() + index);
    --app.environment_tab_count;
    app.hovered_environment_tab = -1;
    rebuild_environment_tabs(app);
}

void adjust_selection_for_removal(Application& app, std::int32_t element_index)
{
    if (app.current_entity_list == nullptr || app.current_selection == nullptr) return;
    const std::vector<std::int32_t>& order = app.current_entity_list->display_order;
    const auto found = std::find(order.begin(), order.end(), element_index);
    if (found == order.end()) return;
    const auto position = static_cast<std::int32_t>(found - order.begin());
    std::int32_t& selected = app.current_selection->selected_position;
    if (selected == -1) return;
    if (position == selected)
        selected = -1;
    else if (position < selected)
        --selected;
}
