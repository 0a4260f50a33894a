// Re-assembly of open scripts against the stand-in kernel.

#include "app/commands/script_reload.h"
#include "tests/app/commands/command_scenario.h"

namespace {

const char* const k_ball = "return cube.s(2, 0.25, 2) + sphere(0.6).ty(0.7);\n";

std::string four_elements(const std::string& ring_radius)
{
    return "#PARALLEL;\n"
           "#POST{ return ret; };\n"
           "#PLIM(tower){ ret = cylinder(0.5, 3, 24); };\n"
           "#PLIM(dome){ ret = sphere(1).tx(2.5); };\n"
           "#PLIM(wall){ ret = cube.s(4, 1, 0.3); };\n"
           "#PLIM(ring){ ret = torus(" +
           ring_radius +
           ", 0.1, 32, 6); };\n"
           "return{ sub(tower), sub(dome), sub(wall), sub(ring) };\n";
}

class ReloadScenario : public CommandScenario {
protected:
    void reload(std::int32_t index, std::int32_t mode = EXECUTION_OPTIMAL_CSG)
    {
        clear_log();
        reload_script_entity(*app, entities().entities[static_cast<std::size_t>(index)], mode);
    }
};

// An unchanged script is skipped with culling on; another mode or culling off
// assembles it again.
TEST_F(ReloadScenario, AnUnchangedScriptIsSkippedOnlyWithCullingOnInTheSameMode)
{
    const Mesh* mesh = load("ball.plim", k_ball).mesh;
    const std::int32_t lines = app->current_console->line_count;
    reload(0);
    const std::vector<std::string> all = console();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(lines) + 3);
    EXPECT_EQ(all[lines], "Re-Parsing: ball.plim");
    EXPECT_TRUE(is_timing_line(all[lines + 1]));
    EXPECT_EQ(all[lines + 2], "  \t (nothing to do - skipping re-assembly)");
    EXPECT_EQ(assemble_runs(), 0);
    EXPECT_EQ(entities().entities[0].mesh, mesh);

    reload(0, EXECUTION_BASIC_CSG);
    EXPECT_EQ(assemble_runs(), 1);
    EXPECT_EQ(entities().entities[0].mesh->execute_mode, 1u);
    app->view_settings.culling = 0;
    reload(0, EXECUTION_BASIC_CSG);
    EXPECT_EQ(assemble_runs(), 1);
    EXPECT_TRUE(is_timing_line(console().back()));
    EXPECT_EQ(entities().count, 1);
}

TEST_F(ReloadScenario, ChangingOneOfFourElementsAssemblesExactlyOne)
{
    const Entity& group = load("four.plim", four_elements("1.5"));
    ASSERT_EQ(group.members.size(), 4u);
    std::vector<const Mesh*> before;
    for (const Entity* member : group.members)
        before.push_back(member->mesh);

    write_script("four.plim", four_elements("2.5"));
    reload(0);
    EXPECT_EQ(assemble_runs(), 1);
    const Entity& after = entities().entities[0];
    ASSERT_EQ(after.members.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(after.members[i]->mesh, before[i]) << i;
    EXPECT_NE(after.members[3]->mesh, nullptr);
    EXPECT_EQ(after.members[3]->parse_report.script_path, "ring");
    EXPECT_TRUE(is_timing_line(console().back()));

    // A successor that cannot take the group's place is released without the
    // meshes it carried over: the group keeps using them.
    SceneState* scene = app->current_scene_state;
    app->current_scene_state = nullptr;
    write_script("four.plim", four_elements("3.5"));
    reload(0);
    app->current_scene_state = scene;
    const Entity& kept = entities().entities[0];
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(kept.members[i]->mesh, before[i]) << i;
        EXPECT_EQ(kept.members[i]->mesh->valid, 1) << i;
    }
}

TEST_F(ReloadScenario, SingleToGroupAndBackKeepTheListPosition)
{
    load("first.plim", k_ball);
    load("second.plim", k_ball);
    const std::uint32_t second_id = entities().entities[1].id;

    write_script("first.plim", four_elements("1.5"));
    reload(0);
    ASSERT_EQ(entities().count, 2);
    EXPECT_EQ(entities().entities[0].kind, ENTITY_GROUP);
    EXPECT_EQ(entities().entities[0].members.size(), 4u);
    EXPECT_EQ(entities().entities[1].id, second_id);

    write_script("first.plim", k_ball);
    reload(0);
    ASSERT_EQ(entities().count, 2);
    EXPECT_EQ(entities().entities[0].kind, ENTITY_SINGLE);
    EXPECT_TRUE(entities().entities[0].members.empty());
    EXPECT_NE(entities().entities[0].mesh, nullptr);
    EXPECT_EQ(entities().entities[1].id, second_id);
}

TEST_F(ReloadScenario, EveryReassemblyPathKeepsTheUsersTransformLockAndVisibility)
{
    struct Path {
        const char* name;
        std::string before;
        std::string after;
    };
    const Path paths[] = {{"single", k_ball, "return sphere(0.9);\n"},
                          {"single to group", k_ball, four_elements("1.5")},
                          {"group", four_elements("1.5"), four_elements("2.5")},
                          {"group to single", four_elements("1.5"), k_ball}};
    const auto user_state = [](const Entity& e) {
        return std::tuple{e.translation,     e.uniform_scale,   e.axis_scale,
                          e.rotation_degrees, e.rotation_order,  e.transform_order,
                          e.model_matrix[12], e.assembly_locked, e.visible};
    };
    for (const Path& path : paths) {
        const std::string name = std::string(path.name) + ".plim";
        Entity& entity = load(name, path.before);
        const std::int32_t index = entities().count - 1;
        entity.translation = {1.0, 2.0, 3.0};
        entity.uniform_scale = 2.0;
        entity.axis_scale = {1.0, 0.5, 1.0};
        entity.rotation_degrees = {0.0, 90.0, 0.0};
        entity.rotation_order = 4;
        entity.transform_order = 1;
        entity.model_matrix[12] = 1.0f;
        entity.assembly_locked = 1;
        set_entity_visible(entity, false);
        const auto expected = user_state(entity);
        write_script(name, path.after);
        reload(index);
        const Entity& after = entities().entities[static_cast<std::size_t>(index)];
        ASSERT_GE(assemble_runs(), 1) << path.name;
        EXPECT_EQ(user_state(after), expected) << path.name;
        std::vector<const Mesh*> meshes{after.mesh};
        for (const Entity* member : after.members)
            meshes.push_back(member != nullptr ? member->mesh : nullptr);
        for (const Mesh* mesh : meshes)
            if (mesh != nullptr) {
                EXPECT_EQ(mesh->visible, 0) << path.name;
            }
    }
}

TEST_F(ReloadScenario, ParameterValuesAreKeptOnlyWhenTheScriptStillAcceptsThem)
{
    const std::string pillar = "return cylinder(0.5, n, 12);\n";
    Entity& entity = load("pillar.plim", "INT n(2, 1, 10, 'N');\n" + pillar);
    entity.parameters.parameters[0].current.int_value = 7;
    entity.parameters.parameters[0].selected = 1;
    write_script("pillar.plim", "INT n(3, 1, 10, 'N');\n" + pillar);
    reload(0);
    ScriptParameter& kept = entities().entities[0].parameters.parameters[0];
    EXPECT_EQ(kept.current.int_value, 7);
    EXPECT_EQ(kept.synced.int_value, 7);
    EXPECT_EQ(kept.selected, 1);
    EXPECT_NE(staged("plim_assemble_in").find("// parameters\nINT n = 7;\n"), std::string::npos);

    kept.current.int_value = 9;
    write_script("pillar.plim", "INT n(4, 1, 5, 'N');\n" + pillar);
    reload(0);
    EXPECT_EQ(entities().entities[0].parameters.parameters[0].current.int_value, 4)
        << "9 is outside the new range";
}

// A failed re-assembly leaves the entity as it was and shows these lines and panes.
TEST_F(ReloadScenario, FailedReassembliesKeepTheEntityAndShowTheirErrorPane)
{
    struct Case {
        std::string before;
        std::string after;
        const char* line;
        const char* title;
        const char* text; // the whole text, or its end after "..."
    };
    const Case cases[] = {
        {k_ball, "return cube + stub(\"fault\", \"crash\");\n",
         "  \t Critical Re-Assembly-Error (NULL RETURN)",
         "Error: Critical Re-Assembly-Error Occurred",
         "The input script 'ball.plim' caused a critical runtime error to occur which forcibly "
         "terminated kernel execution prior to completion.\n\nNote: the input script 'ball.plim' "
         "can not be re-assembled until the source of the critical runtime error has been "
         "resolved.\n\nNote: the state of the entity 'ball.plim' has not been modified."},
        {k_ball, "// @error one\n// @error two\nreturn cube;\n",
         "  \t 2 Syntax-Errors (see trace for details)",
         "Error: Re-Assembly Syntax-Errors in Script",
         "The script 'ball.plim' contains 2 syntactic errors.\n\nRefer to the kernel execution "
         "trace for further details in order to identify and correct each error.\n\nNote: "
         "syntax errors are the product of parsing a malformed or grammatically invalid set of "
         "PLIM statements.\n\nNote: the script 'ball.plim' can not be re-assembled until each "
         "error has been resolved."},
        // A parallel script's failure has no note on the entity.
        {four_elements("1.5"), four_elements("1.5 + stub(\"fault\", \"crash\")"),
         "  \t 1 Re-Assembly-Error (see trace for details)", "Error: Re-Assembly Error Occurred",
         "... error has been resolved."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        TearDown();
        SetUp();
        const Entity& entity = load("ball.plim", c.before);
        const Mesh* mesh = entity.mesh;
        const std::uint32_t id = entity.id;
        const std::size_t members = entity.members.size();
        write_script("ball.plim", c.after);
        reload(0);
        EXPECT_EQ(entities().entities[0].id, id);
        EXPECT_EQ(entities().entities[0].mesh, mesh);
        EXPECT_EQ(entities().entities[0].members.size(), members);
        EXPECT_EQ(console().back(), c.line);
        EXPECT_EQ(app->message_panes.error.title, c.title);
        const std::string text = app->message_panes.error.text;
        const std::string expected = c.text;
        if (expected.rfind("...", 0) == 0) {
            ASSERT_GE(text.size(), expected.size() - 3);
            EXPECT_EQ(text.substr(text.size() - (expected.size() - 3)), expected.substr(3));
        } else {
            EXPECT_EQ(text, expected);
        }
    }
}

} // namespace
