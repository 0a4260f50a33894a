#include "state/current_environment.h"

void make_environment_current(Application& app, EnvironmentRecord& record)
{
    app.current_environment = &record;
    app.current_entity_list = &record.entities;
    app.current_console = &record.console;
    app.current_scene_state = &record.scene_state;
    app.current_selection = &record.entity_selection;
    record.scene_state.entity_list = &record.entities;
    record.entity_selection.entity_list = &record.entities;
}

EnvironmentRecord* add_first_environment(Application& app)
{
    const EnvironmentRecord first = construct_environment_record();
    if (!list_environment_record(app.environment_store, first)) return nullptr;
    EnvironmentRecord* record = app.environment_store.order.back();
    make_environment_current(app, *record);
    return record;
}

EnvironmentRecord* create_environment(Application& app)
{
    EnvironmentRecord* record = add_environment_record(app.environment_store);
    make_environment_current(app, *record);
    app.saved_cameras = record->view.camera_sets;
    return record;
}
