// The profiling pane of the parallel example, assembled by the stand-in
// kernel with the PROFILER option on and off.

#include "lumo/scroll_pane.h"
#include "panels/ppd_view.h"
#include "tests/app/commands/command_scenario.h"

namespace {

class ProfilingScenario : public CommandScenario {
protected:
    Entity& open_parallel_example(bool profiler)
    {
        app->view_settings.profiler = profiler ? 1 : 0;
        load_script_entity(*app, std::string(PLIM_SOURCE_DIR) + "/examples/parallel.plim");
        app->current_scene_state->selected_index = 0;
        return entities().entities[0];
    }
    static int lines_starting(const std::string& text, const std::string& prefix)
    {
        int count = 0;
        for (const std::string& line : split_text(text, '\n'))
            count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
};

TEST_F(ProfilingScenario, TheParallelExampleShowsItsEntitiesAndBatches)
{
    const Entity& group = open_parallel_example(true);
    ASSERT_EQ(group.kind, ENTITY_GROUP);
    ASSERT_EQ(group.member_count, 5);
    ASSERT_TRUE(entity_has_ppd(group));
    show_entity_ppd(*app);
    EXPECT_EQ(app->modal[MODAL_PROFILE], 1);

    // One row for the group, then one per element in kernel order.
    const PpdViewState& view = app->ppd_view;
    const std::vector<std::string> labels{"parallel.plim", "tower", "dome", "wall", "ring", "gate"};
    ASSERT_EQ(view.rows.size(), labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(view.rows[i]->label, labels[i]) << i;
    EXPECT_TRUE(view.rows[0]->selected);

    const std::string& report = view.text;
    EXPECT_NE(report.find("\t Workload : Per-Entity Breakdown"), std::string::npos);
    EXPECT_EQ(lines_starting(report, "  | E"), 5);
    for (std::size_t i = 1; i < labels.size(); ++i)
        EXPECT_NE(report.find("\t [" + labels[i] + "]\n"), std::string::npos) << labels[i];
    // Prefixes 0 (tower, dome), 1, 2 and the unprefixed gate: four batches.
    EXPECT_NE(report.find("\t Workload : Parallel-Assembly Batching"), std::string::npos);
    EXPECT_EQ(lines_starting(report, "  | B"), 4);
    EXPECT_NE(report.find("]{ tower,dome };"), std::string::npos);

    // An element's row shows its own report: its place in the group and batch.
    select_ppd_row(*app, 2);
    EXPECT_TRUE(view.rows[2]->selected && !view.rows[0]->selected);
    EXPECT_NE(view.text.find("ordinal: 1 (2 of 5)"), std::string::npos);
    EXPECT_NE(view.text.find("\t Workload : Per-Statement Breakdown"), std::string::npos);

    // The shown row again only brings its report back to the start.
    lumo::SP report_area;
    report_area.fraction_y = 0.5;
    app->ppd_view.report_area = &report_area;
    const std::string shown = view.text;
    select_ppd_row(*app, 2);
    EXPECT_EQ(report_area.fraction_y, 0.0);
    EXPECT_EQ(view.text, shown);
    EXPECT_TRUE(view.rows[2]->selected);
    app->ppd_view.report_area = nullptr;
}

TEST_F(ProfilingScenario, WithoutTheProfilerTheEntityHasNoReport)
{
    const Entity& group = open_parallel_example(false);
    ASSERT_EQ(group.member_count, 5);
    EXPECT_FALSE(entity_has_ppd(group));
    show_entity_ppd(*app);
    EXPECT_EQ(app->modal[MODAL_PROFILE], 0);
}

} // namespace
