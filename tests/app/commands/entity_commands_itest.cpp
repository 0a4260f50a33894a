// The parse-check report and the confirmed entity commands.

#include "app/commands/entity_commands.h"
#include "app/commands/parse_check.h"
#include "tests/app/commands/command_scenario.h"
#include "tests/platform/trace_capture.h"

namespace {

const char* const k_ball =
    "#CAM(front){0, 2, 8, 0, 1, 0};\nreturn cube.s(2, 0.25, 2) + sphere(0.6).ty(0.7);\n";

const char* const k_three_elements = "#PARALLEL;\n"
                                     "#POST{ return ret; };\n"
                                     "#PLIM(a){ ret = cube; };\n"
                                     "#PLIM(b){ ret = sphere(1); };\n"
                                     "#PLIM(c){ ret = cube.s(2); };\n"
                                     "return{ sub(a), sub(b), sub(c) };\n";

using EntityCommandScenario = CommandScenario;

TEST_F(EntityCommandScenario, NothingOpenGivesTheNothingToPaneOfEachCommand)
{
    const std::pair<void (*)(Application&), const char*> commands[] = {
        {parse_report_command, "Parse"}, {assemble_command, "Assemble"}};
    for (const auto& [command, verb] : commands) {
        app->modal[MODAL_WARNING] = 0;
        command(*app);
        const std::string lower = verb == std::string("Parse") ? "parse" : "assemble";
        EXPECT_EQ(app->message_panes.warning.title, std::string("Warning: Nothing to ") + verb);
        EXPECT_EQ(app->message_panes.warning.text,
                  "Open a Brisk-Form script file in order to use the " + lower + " function.");
        EXPECT_EQ(app->modal[MODAL_WARNING], 1);
    }
}

TEST_F(EntityCommandScenario, TheParseCheckListsScriptsElementsAndSectionHeaders)
{
    load("ball.plim", k_ball);
    load("three.plim", k_three_elements);
    parse_report_command(*app);

    std::string kinds;
    for (const ParseResultRow& row : app->parse_result.rows)
        kinds += row.kind;
    EXPECT_EQ(kinds, "MPEEE");
    const ParseResultRow& ball = app->parse_result.rows[0];
    EXPECT_EQ(ball.label, "ball.plim");
    EXPECT_EQ(ball.sections[SECTION_DIRECTIVES],
              (std::vector<std::string>{"#CAM(front){0, 2, 8, 0, 1, 0};", "\t Directives: [1]"}));
    EXPECT_EQ(ball.sections[SECTION_ERRORS], (std::vector<std::string>{"\t Errors: [0]"}));
    EXPECT_EQ(app->parse_result.rows[2].widget_text, "\t a");
    EXPECT_EQ(app->parse_result.title, "Script Parsing Result: Syntax-Valid");
    EXPECT_EQ(app->modal[MODAL_PARSE], 1);
    EXPECT_EQ(console()[console().size() - 4], "Re-Parsing: ball.plim");

    // Running it while the pane is open parses again and closes the pane.
    parse_report_command(*app);
    EXPECT_EQ(app->modal[MODAL_PARSE], 0);
    EXPECT_EQ(app->parse_result.rows.size(), 5u);
}

TEST_F(EntityCommandScenario, AScriptThatNoLongerParsesIsAnErroneousRow)
{
    load("ball.plim", k_ball);
    write_script("ball.plim", "// @error broken\nreturn cube;\n");
    parse_report_command(*app);
    ASSERT_EQ(app->parse_result.rows.size(), 1u);
    EXPECT_TRUE(app->parse_result.rows[0].erroneous);
    EXPECT_EQ(app->parse_result.rows[0].text_colour, PARSE_ROW_ERROR_COLOUR);
    EXPECT_EQ(app->parse_result.erroneous_count, 1);
    EXPECT_EQ(app->parse_result.title, "Script Parsing Result: Erroneous-Syntax");
    EXPECT_EQ(app->parse_result.rows[0].sections[SECTION_ERRORS].back(), "\t Errors: [1]");
}

TEST_F(EntityCommandScenario, AssemblingTheOnlyEntityAsksWithTheExecutionModeOption)
{
    load("ball.plim", k_ball);
    app->view_settings.execution_mode = EXECUTION_BASIC_CSG;
    assemble_command(*app);
    EXPECT_EQ(app->confirm.title, "Confirm Re-Assembly of ball.plim");
    EXPECT_EQ(app->confirm.text, "Note: this operation may take some time.");
    EXPECT_EQ(app->confirm.icon, 24u);
    EXPECT_EQ(app->confirm.option_visible, 1);
    EXPECT_EQ(app->confirm.option_value, EXECUTION_BASIC_CSG);
    app->confirm.accept_action(*app);
    EXPECT_EQ(assemble_runs(), 1);
    EXPECT_EQ(entities().entities[0].mesh->execute_mode, 1u);
}

TEST_F(EntityCommandScenario, LockedEntitiesAreNotAssembled)
{
    load("ball.plim", k_ball);
    entities().entities[0].assembly_locked = 1;
    assemble_command(*app);
    EXPECT_EQ(app->message_panes.warning.title, "Warning: Entity is Assembly Locked");
    EXPECT_EQ(app->message_panes.warning.text.substr(0, 42),
              "The entity \"ball.plim\" is assembly-locked.");
    EXPECT_EQ(app->modal[MODAL_CONFIRM], 0);

    load("other.plim", k_ball);
    entities().entities[1].assembly_locked = 1;
    assemble_command(*app);
    EXPECT_EQ(app->message_panes.warning.title, "Warning: All Entities are Assembly-Locked");

    entities().entities[1].assembly_locked = 0;
    app->view_settings.culling = 0;
    assemble_command(*app);
    EXPECT_EQ(app->confirm.title, "Confirm Re-Assembly of Environment Entities");
    const Mesh* locked_mesh = entities().entities[0].mesh;
    app->confirm.accept_action(*app);
    EXPECT_EQ(assemble_runs(), 1) << "only the unlocked one";
    EXPECT_EQ(entities().entities[0].mesh, locked_mesh);
    EXPECT_EQ(app->redraw_requested, 1);
}

TEST_F(EntityCommandScenario, ReassemblingOrDeletingOneEntityAsksFirst)
{
    load("ball.plim", k_ball);
    load("three.plim", k_three_elements);
    entities().entities[1].root_execute_mode = EXECUTION_PURE_UNION;
    reassemble_entity_command(*app, 1);
    EXPECT_EQ(app->reassemble_target, 1);
    EXPECT_EQ(app->confirm.title, "Confirm Re-Assembly of three.plim");
    EXPECT_EQ(app->confirm.option_value, EXECUTION_PURE_UNION);
    app->confirm.cancel_action(*app);
    EXPECT_EQ(app->reassemble_target, -1);

    reassemble_entity_command(*app, 1);
    app->confirm.option_value = EXECUTION_OPTIMAL_CSG;
    app->confirm.accept_action(*app);
    EXPECT_EQ(app->reassemble_target, -1);
    EXPECT_EQ(assemble_runs(), 3);
    EXPECT_EQ(entities().entities[1].root_execute_mode, 2u);

    reassemble_entity_command(*app, 7);
    EXPECT_EQ(app->reassemble_target, -1);

    app->gl_buffers_to_delete.clear();
    delete_entity_command(*app, 1);
    EXPECT_EQ(app->delete_target, 1);
    EXPECT_EQ(app->confirm.title, "Confirm Delete of three.plim");
    EXPECT_EQ(app->confirm.text, "Note: this removes the entity from the environment.");
    EXPECT_EQ(app->confirm.option_visible, 0);
    app->confirm.accept_action(*app);
    EXPECT_EQ(app->delete_target, -1);
    ASSERT_EQ(entities().count, 1);
    EXPECT_EQ(entities().entities[0].label, ": ball.plim");
    EXPECT_EQ(console().back(), "Script-File Closed: three.plim");
    EXPECT_EQ(app->panel_rows.entity_rows.size(), 1u);
    EXPECT_EQ(app->gl_buffers_to_delete.size(), 3u);
}

TEST_F(EntityCommandScenario, AnEntityWithoutAMeshOnlyTracesTheFault)
{
    load("ball.plim", k_ball);
    Entity& entity = entities().entities[0];
    Mesh* mesh = entity.mesh;
    entity.mesh = nullptr;
    TraceCapture trace;
    delete_entity_command(*app, 0);
    reassemble_entity_command(*app, 0);
    entity.mesh = mesh;
    EXPECT_EQ(trace.text(), "CRITICAL-INTERNAL-ERROR:UNDERLYING-MESH-POINTER-IS-NULL!\n"
                            "CRITICAL-INTERNAL-ERROR:UNDERLYING-MESH-POINTER-IS-NULL!\n");
    EXPECT_EQ(app->modal[MODAL_CONFIRM], 0);
    EXPECT_EQ(app->delete_target, -1);
}

} // namespace
