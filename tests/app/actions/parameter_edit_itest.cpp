// A person types a parameter value into its field: the entity re-assembles
// through the kernel and its mesh changes; a refused value changes nothing.

#include "app/actions/parameter_callbacks.h"
#include "app/commands/parameter_sync.h"
#include "panels/parameter_rows.h"
#include "tests/app/commands/command_scenario.h"

namespace {

class ParameterEdit : public CommandScenario {
protected:
    void SetUp() override
    {
        CommandScenario::SetUp();
        g_app = app.get();
    }
    void TearDown() override
    {
        g_app = nullptr;
        CommandScenario::TearDown();
    }
    lumo::F& field(int index) { return find_parameter_row(*app, index)->value_field; }
    // Enter in the field, then the frame tick's synchronisation.
    void type(int index, const std::string& text)
    {
        field(index).set_label(text);
        commit_parameter_value(*app, index, false);
        run_requested_syncs(*app);
    }
};

TEST_F(ParameterEdit, ATypedValueReassemblesTheMeshAndARefusedOneLeavesIt)
{
    Entity& entity = open_selected(std::string(PLIM_SOURCE_DIR) + "/examples/parameters.plim");
    ASSERT_NE(entity.mesh, nullptr);
    ASSERT_EQ(entity.parameters.parameters[0].name, "n");
    const std::uint32_t vertices = entity.vertex_count;

    type(0, "12");
    EXPECT_EQ(assemble_runs(), 1);
    EXPECT_EQ(entity.parameters.parameters[0].current.int_value, 12);
    EXPECT_NE(entity.vertex_count, vertices) << "more pillars, more vertices";
    EXPECT_DOUBLE_EQ(find_parameter_row(*app, 0)->slider.value, (12.0 - 3.0) / 21.0);

    clear_log();
    const Mesh* mesh = entity.mesh;
    const std::uint32_t twelve = entity.vertex_count;
    type(0, "99");
    EXPECT_EQ(app->message_panes.error.title, "Error: Value Outside of Parameter Bounds");
    EXPECT_EQ(find_parameter_row(*app, 0)->value_field.label, "99")
        << "the refused text stays for the person to correct";
    type(0, "many");
    EXPECT_EQ(assemble_runs(), 0);
    EXPECT_EQ(entity.mesh, mesh);
    EXPECT_EQ(entity.vertex_count, twelve);
    EXPECT_EQ(entity.parameters.parameters[0].current.int_value, 12);
}

} // namespace
