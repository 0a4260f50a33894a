// Parameter synchronisation, reset and variants.

#include "app/commands/edit_handlers.h"
#include "app/commands/parameter_reset.h"
#include "app/commands/parameter_sync.h"
#include "kernel/staging.h"
#include "tests/app/commands/command_scenario.h"

namespace {

const char* const k_pillar = "#VARIANT(tall){ n = 7; h = 12 };\n"
                             "INT n(2, 1, 10, 'N');\n"
                             "DBL h(1.5, 0.1, 5000000, 'H');\n"
                             "return cylinder(0.5, h, n * 4);\n";

const char* const k_three_parametric = "#PARALLEL;\n"
                                       "#POST{ return ret; };\n"
                                       "#PLIM(a){ INT n(2, 1, 5, 'N'); ret = cube.s(n); };\n"
                                       "#PLIM(b){ DBL d(0.5, 0.1, 2, 'D'); ret = sphere(d); };\n"
                                       "#PLIM(c){ INT m(3, 1, 9, 'M'); ret = cube.s(m); };\n"
                                       "return{ sub(0 | a), sub(0 | b), sub(c) };\n";

class SyncScenario : public CommandScenario {
protected:
    Entity& load(const std::string& name, const std::string& text)
    {
        return open_selected(write_script(name, text));
    }
    ScriptParameter& parameter(std::size_t at)
    {
        return entities().entities[0].parameters.parameters[at];
    }
};

TEST_F(SyncScenario, ASingleEntityStagesTheExactTextWithFullValues)
{
    Entity& entity = load("pillar.plim", k_pillar);
    const Mesh* old_mesh = entity.mesh;
    parameter(0).current.int_value = 4;
    parameter(1).current.dbl_value = 1234567.0 / 3.0;
    sync_entity_parameters(*app, &entity, true);

    const ParseReport& report = entity.parse_report;
    const std::string logic = "// parameters\nINT n = 4;\nDBL h = 411522.3333333333;\n// logic\n" +
                              report.directives_text + "\n" + report.functions_text + "\n" +
                              report.operations_text + "\n";
    EXPECT_EQ(staged("plim_assemble_in"), assemble_text(logic, EXECUTION_OPTIMAL_CSG));
    EXPECT_EQ(assemble_runs(), 1);
    EXPECT_NE(entity.mesh, old_mesh);
    EXPECT_FALSE(is_parameter_changed(parameter(0)) || is_parameter_changed(parameter(1)));
    EXPECT_EQ(app->gl_buffers_to_delete.size(), 1u) << "the old mesh's buffer is released";
    ASSERT_EQ(app->panel_rows.parameter_rows.size(), 1u);
    EXPECT_EQ(app->panel_rows.parameter_rows[0],
              entity.statistics_lines[1] + "\n" + entity.statistics_lines[2]);

    clear_log();
    app->redraw_requested = 0;
    sync_entity_parameters(*app, &entity, true);
    EXPECT_EQ(assemble_runs(), 0) << "nothing changed: nothing runs";
    EXPECT_EQ(app->redraw_requested, 0);
}

TEST_F(SyncScenario, OnlyTheChangedGroupMemberIsAssembled)
{
    Entity& group = load("three.plim", k_three_parametric);
    ASSERT_EQ(group.parameters.count, 3);
    const Mesh* first = group.members[0]->mesh;
    const Mesh* third = group.members[2]->mesh;
    const std::int32_t index = group.members[1]->mesh->result_index;
    const std::int32_t batch = group.members[1]->mesh->batch_id;
    group.parameters.member_parameters[1]->current.dbl_value = 1.25;
    sync_entity_parameters(*app, &group, true);

    EXPECT_EQ(assemble_runs(), 1);
    EXPECT_NE(staged("plim_assemble_in").find("// parameters\nDBL d = 1.25;\n// logic\n"),
              std::string::npos);
    EXPECT_TRUE(group.members[0]->mesh == first && group.members[2]->mesh == third);
    EXPECT_EQ(group.members[1]->mesh->result_index, index);
    EXPECT_EQ(group.members[1]->mesh->batch_id, batch);
    EXPECT_FALSE(is_parameter_changed(*group.parameters.member_parameters[1]));
}

TEST_F(SyncScenario, AFailedRunKeepsTheOldMeshAndTheEdit)
{
    Entity& entity = load("pillar.plim", k_pillar);
    const Mesh* old_mesh = entity.mesh;
    parameter(0).current.int_value = 5;
    ::setenv("PLIM_STANDIN_FAULT", "assemble:crash", 1);
    sync_entity_parameters(*app, &entity, true);
    EXPECT_EQ(entity.mesh, old_mesh);
    EXPECT_TRUE(is_parameter_changed(parameter(0)));
    EXPECT_EQ(app->message_panes.error.title, "Error: Critical Re-Assembly-Error Occurred");
    EXPECT_EQ(console().back(), "  \t Critical Re-Assembly-Error (NULL RETURN)");

    ::unsetenv("PLIM_STANDIN_FAULT");
    sync_entity_parameters(*app, &entity, true);
    EXPECT_NE(entity.mesh, old_mesh);
    EXPECT_FALSE(is_parameter_changed(parameter(0)));
}

TEST_F(SyncScenario, TheFrameTickSyncsARequestedEntityOnceAndAnAppliedVariant)
{
    Entity& entity = load("pillar.plim", k_pillar);
    parameter(0).current.int_value = 6;
    entity.sync_requested = 1;
    run_requested_syncs(*app);
    run_requested_syncs(*app);
    EXPECT_EQ(entity.sync_requested, 0u);
    EXPECT_EQ(assemble_runs(), 1);

    // The script's variant, all in range, is assembled on the next tick.
    ASSERT_EQ(app->variant_count, 1);
    apply_parametric_variant(*app, 0);
    EXPECT_EQ(app->panel_rows.value_fields[1], "12.00");
    run_requested_syncs(*app);
    EXPECT_EQ(app->pending_variant_sync, -1);
    EXPECT_EQ(assemble_runs(), 2);
    EXPECT_NE(staged("plim_assemble_in").find("INT n = 7;\nDBL h = 12;\n"), std::string::npos);
}

TEST_F(SyncScenario, ResettingOneValueAsksThenRestoresAndSynchronises)
{
    load("pillar.plim", k_pillar);
    parameter(0).current.int_value = 9;
    reset_parameter_value(*app, 0);
    EXPECT_EQ(app->confirm.title, "Confirm Reset of Entity Parameter Value");
    EXPECT_EQ(app->confirm.text, "Note: this operation cannot be undone.");
    app->confirm.accept_action(*app);
    EXPECT_EQ(app->reset_parameter_target, -1);
    EXPECT_EQ(parameter(0).current.int_value, 2);
    EXPECT_EQ(app->panel_rows.value_fields[0], "2");
    // 2 was already the synchronised value: nothing to assemble.
    EXPECT_EQ(assemble_runs(), 0);

    reset_parameter_value(*app, 0);
    app->confirm.cancel_action(*app);
    EXPECT_EQ(app->reset_parameter_target, -1);
}

TEST_F(SyncScenario, ResettingSeveralValuesNamesSelectedOrAll)
{
    load("three.plim", k_three_parametric);
    reset_parameter_values(*app);
    EXPECT_EQ(app->confirm.title, "Confirm Reset of All Entity Parameter Values");
    Entity& group = entities().entities[0];
    for (ScriptParameter* p : group.parameters.member_parameters)
        p->selected = 1;
    reset_parameter_values(*app);
    EXPECT_EQ(app->confirm.title, "Confirm Reset of All Entity Parameter Values")
        << "every one selected";
    group.parameters.member_parameters[1]->selected = 0;
    group.parameters.member_parameters[2]->selected = 0;
    reset_parameter_values(*app);
    EXPECT_EQ(app->confirm.title, "Confirm Reset of Selected Entity Parameter Value");

    group.parameters.member_parameters[0]->current.int_value = 4;
    group.parameters.member_parameters[2]->current.int_value = 8;
    app->confirm.accept_action(*app);
    EXPECT_EQ(group.parameters.member_parameters[0]->current.int_value, 2);
    EXPECT_EQ(group.parameters.member_parameters[2]->current.int_value, 8);
    EXPECT_EQ(assemble_runs(), 1);
}

} // namespace
