// The entity inspector's details, built as in the running program: the
// transform editor lies wholly inside the details and scrolls into view.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame/interface_construction.h"
#include "app/frame/startup.h"
#include "state/application.h"
#include "panels/entity_properties.h"
#include "panels/entity_rows.h"
#include "shell/state_setters.h"

namespace {

class EntityDetails : public testing::Test {
protected:
    void SetUp() override
    {
        create_application();
        build_application_ui(app());
        app().startup_finished = 1;
        Entity entity = construct_entity();
        entity.parse_report.script_path = "/tmp/scripts/ball.plim";
        format_property_titles(entity);
        format_entity_properties(entity);
        app().current_entity_list->entities.push_back(entity);
        app().current_entity_list->count = 1;
        app().current_scene_state->selected_index = 0;
        rebuild_entity_details(app());
        select_side_panel(app(), 1);
        app().window_width = 720;
        app().window_height = 480;
        app().root.width = 720;
        app().root.height = 480;
        app().root.layout();
    }
    void TearDown() override { destroy_application(); }
    Application& app() { return *g_app; }
    EntityInspectorWidgets& inspector() { return app().lists.entities; }

    std::vector<const lumo::P*> transform_block()
    {
        std::vector<const lumo::P*> widgets;
        for (const lumo::P& w : inspector().transform_fields)
            widgets.push_back(&w);
        for (const lumo::P& w : inspector().axis_names)
            widgets.push_back(&w);
        for (const lumo::P& w : inspector().transform_titles)
            widgets.push_back(&w);
        for (const lumo::P& w : inspector().rotation_order_buttons)
            widgets.push_back(&w);
        for (const lumo::P& w : inspector().transform_order_buttons)
            widgets.push_back(&w);
        for (const lumo::P& w : app().transform_reset_buttons)
            widgets.push_back(&w);
        return widgets;
    }
};

TEST_F(EntityDetails, TheTransformEditorLiesBelowBothTextColumnsAndScrollsIntoView)
{
    const EntityInspectorWidgets& details = inspector();
    ASSERT_TRUE(details.details.visible);
    const int text_bottom = details.property_lines.y +
                            std::max(details.property_lines.height, details.detail_text.height);
    lumo::SP& pane = app().list_panes[LIST_PANE_ENTITY_DETAILS];
    ASSERT_GT(pane.height, 0);
    pane.fraction_y = 1.0;
    pane.apply_scroll();
    for (const lumo::P* w : transform_block()) {
        SCOPED_TRACE(w->label);
        EXPECT_GT(w->width, 0);
        EXPECT_GE(w->y, text_bottom) << "below the property texts";
        EXPECT_LE(w->y + w->height, details.details.height) << "inside the details";
    }
    // The pane scrolls as far as the details reach: the last strip shows.
    for (const lumo::P& w : details.transform_order_buttons) {
        const int shown = details.details.y + w.y + pane.content_offset_y;
        EXPECT_GE(shown, 0) << w.label;
        EXPECT_LE(shown + w.height, pane.height) << w.label;
    }
    EXPECT_EQ(details.detail_text.y, details.property_lines.y)
        << "the titles stand in the value column's empty lines";
}

TEST_F(EntityDetails, RowsAreTitledAndEachFieldNamesItsAxis)
{
    const EntityInspectorWidgets& details = inspector();
    std::vector<std::string> titles;
    for (const lumo::P& title : details.transform_titles)
        titles.push_back(title.label);
    EXPECT_EQ(titles, (std::vector<std::string>{"\t Translation", "\t Uniform Scale-Factor",
                                                "\t Non-Uniform Scale-Factor",
                                                "\t Euler-Rotation Angles"}));
    std::string axes;
    for (std::size_t k = 0; k < details.axis_names.size(); ++k) {
        axes += details.axis_names[k].label + " ";
        EXPECT_EQ(details.axis_names[k].y, details.transform_fields[k].y);
        EXPECT_EQ(details.axis_names[k].x + details.axis_names[k].width,
                  details.transform_fields[k].x)
            << "the name stands just before its field";
    }
    EXPECT_EQ(axes, "X Y Z XYZ X Y Z X Y Z ");
}

} // namespace
