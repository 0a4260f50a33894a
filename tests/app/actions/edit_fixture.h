#pragma once

// A headless application with one environment whose entities are built in
// memory, their rows and details built as the side panels show them.

#include <gtest/gtest.h>

#include <string>

#include "app/commands/environment_lifecycle.h"
#include "state/application.h"
#include "model/entity_views.h"
#include "panels/entity_rows.h"
#include "panels/parameter_rows.h"

class EditFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        create_application();
        add_first_environment(app());
    }
    void TearDown() override { destroy_application(); }

    Application& app() { return *g_app; }

    // Adds an entity with the given parameter definitions ("" for none).
    Entity& add_entity(const std::string& definitions)
    {
        Entity entity = construct_entity();
        if (!definitions.empty()) entity.parameters = construct_parameter_set(definitions);
        add_entity_unique(*app().current_scene_state, entity);
        return app().current_entity_list->entities.back();
    }
    void rebuild()
    {
        rebuild_entity_rows(app());
        rebuild_entity_details(app());
        rebuild_parameter_rows(app());
        rebuild_parameter_details(app());
    }
    // Selects the entity at display position 0 in the parameter panel.
    Entity& select_parametric(const std::string& definitions)
    {
        add_entity(definitions);
        app().current_selection->selected_position = 0;
        rebuild();
        return app().current_entity_list->entities.back();
    }
    ScriptParameter& parameter(std::size_t at)
    {
        return app().current_entity_list->entities.back().parameters.parameters[at];
    }
    lumo::F& value_field(int index) { return find_parameter_row(app(), index)->value_field; }
    const MessagePane& warning() { return app().message_panes.warning; }
    const MessagePane& error() { return app().message_panes.error; }
};
