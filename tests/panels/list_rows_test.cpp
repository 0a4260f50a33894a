// The entity inspector's and the parameter panel's rows as a person sees them.

#include <algorithm>

#include "lumo/draw_list.h"
#include "panels/entity_rows.h"
#include "panels/list_styles.h"
#include "panels/parameter_rows.h"
#include "panels/ppd_view.h"
#include "tests/panels/panel_fixture.h"

namespace {

class ListRowsTest : public PanelTest {
protected:
    Entity& add_entity(const std::string& name, const std::string& parameters = "")
    {
        Entity entity = construct_entity();
        entity.parse_report.script_path = "/w/" + name;
        entity.statistics_lines = {name, "1 vertex", "0.00 kb"};
        entity.statistics_width = 70;
        entity.label = ": " + name;
        entity.property_lines = {"", "\t Name: " + name};
        if (!parameters.empty()) entity.parameters = construct_parameter_set(parameters);
        EntityList& list = *app.current_entity_list;
        list.entities.push_back(entity);
        list.count = static_cast<std::int32_t>(list.entities.size());
        rebuild_display_order(list);
        return list.entities.back();
    }

    EntityInspectorWidgets& inspector() { return app.lists.entities; }
    ParameterControlWidgets& panel() { return app.lists.parameters; }
};

TEST_F(ListRowsTest, RowsSit51ApartWithSeparatorsBetweenAndAPlaceholderWhenEmpty)
{
    struct Case {
        int entities;
        std::vector<int> separator_y;
        int content_height;
    };
    const Case cases[] = {{0, {}, 0}, {1, {}, 50}, {3, {50, 101}, 152}};
    for (const Case& c : cases) {
        app.current_entity_list->entities.clear();
        for (int i = 0; i < c.entities; ++i)
            add_entity("s" + std::to_string(i) + ".plim");
        rebuild_entity_rows(app);
        EXPECT_EQ(inspector().placeholder.visible, c.entities == 0);
        ASSERT_EQ(inspector().rows.rows.size(), static_cast<std::size_t>(c.entities));
        for (int i = 0; i < c.entities; ++i) {
            const EntityRowWidgets& row = *inspector().rows.rows[static_cast<std::size_t>(i)];
            EXPECT_EQ(row.row.y, 51 * i);
            EXPECT_EQ(row.row.height, 50);
            EXPECT_EQ(row.row.width, 244);
            EXPECT_EQ(row.row.row_id, i);
        }
        std::vector<int> separator_y;
        for (const auto& separator : inspector().rows.separators)
            separator_y.push_back(separator->y);
        EXPECT_EQ(separator_y, c.separator_y);
        EXPECT_EQ(inspector().list.content_height, c.content_height);
        EXPECT_EQ(inspector().list.children.size(),
                  static_cast<std::size_t>(2 * c.entities - (c.entities > 0)));
    }
    // A hidden, unlocked entity's labels and lock icon fade.
    app.current_entity_list->entities[1].visible = 0;
    app.current_entity_list->entities[2].assembly_locked = 1;
    rebuild_entity_rows(app);
    EXPECT_DOUBLE_EQ(inspector().rows.rows[1]->inner.opacity, FLAG_CLEAR_OPACITY);
    EXPECT_DOUBLE_EQ(inspector().rows.rows[1]->marker.opacity, FLAG_CLEAR_OPACITY);
    EXPECT_DOUBLE_EQ(inspector().rows.rows[2]->marker.opacity, 1.0);
    EXPECT_EQ(inspector().rows.rows[0]->two_lines.label, "1 vertex\n0.00 kb");
}

TEST_F(ListRowsTest, RebuildingUnderHoverFocusDragAndHintLeavesNoPointerToAFreedRow)
{
    for (int i = 0; i < 3; ++i)
        add_entity("s" + std::to_string(i) + ".plim", "INT n(4, 0, 10, 'Count');\n");
    app.current_selection->selected_position = 1;
    rebuild_entity_rows(app);
    rebuild_parameter_rows(app);
    rebuild_parameter_details(app);
    ASSERT_EQ(panel().parameters.size(), 1u);

    lumo::g_hovered_widget = &inspector().rows.rows[2]->row;
    lumo::g_tooltip_widget = &inspector().rows.rows[2]->actions[0];
    lumo::g_focused_widget = &panel().parameters[0]->value_field;
    lumo::g_drag_widget = &panel().parameters[0]->slider;
    lumo::g_active_widget_id = panel().parameters[0]->slider.id;
    app.hint_bar.last_tooltip = &inspector().rows.rows[1]->first_line;
    rebuild_entity_rows(app);
    rebuild_parameter_details(app);
    EXPECT_EQ(lumo::g_hovered_widget, &inspector().rows.rows[2]->row) << "the hover survives";
    EXPECT_TRUE(inspector().rows.rows[2]->row.hovered);
    EXPECT_EQ(lumo::g_tooltip_widget, nullptr);
    EXPECT_EQ(lumo::g_focused_widget, nullptr);
    EXPECT_EQ(lumo::g_drag_widget, nullptr);
    EXPECT_EQ(lumo::g_active_widget_id, -1);
    EXPECT_EQ(app.hint_bar.last_tooltip, nullptr);

    // The list shrinks below the hovered index: nothing is hovered.
    app.current_entity_list->entities.resize(1);
    app.current_entity_list->count = 1;
    rebuild_entity_rows(app);
    EXPECT_EQ(lumo::g_hovered_widget, nullptr);
    lumo::g_hovered_widget = nullptr;
}

TEST_F(ListRowsTest, DetailsShowTheSelectedEntityOrTheIdentityWithoutCallbacks)
{
    Entity& entity = add_entity("a.plim");
    entity.translation = {1.5, 0.0, 0.0};
    entity.rotation_order = 3;
    app.lists.callbacks.transform_enter = [] {};
    rebuild_entity_details(app);
    EXPECT_EQ(inspector().header.label, ": (none-selected)");
    EXPECT_FALSE(inspector().details.visible);
    EXPECT_FALSE(inspector().title.enabled);
    const char* identity[] = {"0", "0", "0", "1", "1", "1", "1", "0", "0", "0"};
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_EQ(inspector().transform_fields[k].label, identity[k]) << k;
        EXPECT_EQ(inspector().transform_fields[k].on_enter, nullptr) << k;
    }

    app.current_scene_state->selected_index = 0;
    rebuild_entity_details(app);
    EXPECT_EQ(inspector().header.label, ": a.plim");
    EXPECT_TRUE(inspector().details.visible);
    EXPECT_DOUBLE_EQ(inspector().ppd_indicator.opacity, 0.5) << "no profiling data";
    EXPECT_EQ(inspector().transform_fields[0].label, "1.5");
    EXPECT_NE(inspector().transform_fields[0].on_enter, nullptr);
    EXPECT_TRUE(inspector().rotation_order_buttons[3].selected);
    EXPECT_FALSE(inspector().rotation_order_buttons[0].selected);

    // An unchanged value leaves the field's text (and the cursor in it) alone.
    inspector().transform_fields[0].cursor = 2;
    rebuild_entity_details(app);
    EXPECT_EQ(inspector().transform_fields[0].cursor, 2);
}

// A group whose member list disagrees with its member count has no
// profiling data: the indicator dims, as the pane says.
TEST_F(ListRowsTest, AGroupWithAWrongMemberCountShowsNoProfilingData)
{
    Mesh profiled;
    profiled.mesh_name = "fn\n1000\n";
    Entity member = construct_entity();
    member.mesh = &profiled;
    Entity& group = add_entity("g.plim");
    group.kind = ENTITY_GROUP;
    group.members = {&member};
    group.member_count = 2;
    app.current_scene_state->selected_index = 0;
    rebuild_entity_details(app);
    EXPECT_DOUBLE_EQ(inspector().ppd_indicator.opacity, 0.5);
    show_entity_ppd(app);
    EXPECT_EQ(app.message_panes.info.title, "Entity is Missing PPD");
    group.members.clear(); // the test's own
}

TEST_F(ListRowsTest, ParameterRowsTakeTwoOrThreeStripsWithStepsAndBooleanColours)
{
    add_entity("plain.plim");
    add_entity("p.plim", "INT n(4, 0, 10, 'Count');\nDBL d(0.5, 0.0, 2.0, 'Size');\n"
                         "BLN b = true;\nLNG big(0, -2147483648, 2147483647, 'Big');\n");
    rebuild_parameter_rows(app);
    ASSERT_EQ(panel().rows.rows.size(), 1u) << "only the parametric entity is listed";
    EXPECT_EQ(panel().rows.rows[0]->two_lines.label, "1 vertex\n0.00 kb");

    rebuild_parameter_details(app);
    EXPECT_EQ(panel().header.label, ": (none-seleted)");
    EXPECT_EQ(panel().execute_mode.label, "?");
    EXPECT_DOUBLE_EQ(panel().apply_button.opacity, 0.5);

    app.current_selection->selected_position = 0;
    rebuild_parameter_details(app);
    struct Expected {
        int y;
        int height;
        bool slider;
        int steps;
        std::string field;
    };
    const Expected expected[] = {{0, 72, true, 10, "4"},
                                 {72, 72, true, 0, "0.5"},
                                 {144, 48, false, 0, "TRUE"},
                                 {192, 72, true, 2147483647, "0"}};
    ASSERT_EQ(panel().parameters.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const ParameterRowWidgets& row = *panel().parameters[i];
        EXPECT_EQ(row.row.y, expected[i].y) << i;
        EXPECT_EQ(row.row.height, expected[i].height) << i;
        EXPECT_EQ(row.row.children.size(), expected[i].slider ? 7u : 6u) << i;
        if (expected[i].slider) {
            EXPECT_EQ(row.slider.step_count, expected[i].steps) << i;
        }
        EXPECT_EQ(row.value_field.label, expected[i].field) << i;
    }
    EXPECT_DOUBLE_EQ(panel().parameters[0]->slider.value, 0.4);
    EXPECT_EQ(lumo::widget_text_colour(panel().parameters[2]->value_field), 0xFF20A000u);
    EXPECT_FALSE(panel().parameters[2]->value_field.editable) << "a BLN field takes no focus";
    EXPECT_EQ(panel().execute_mode.label, "\t Pure-Union");
    EXPECT_EQ(app.current_entity_list->entities[1].parameters.row_count, 11);
    EXPECT_EQ(panel().footer.y, 11 * 24);
}

TEST_F(ListRowsTest, AGroupTitlesEachMemberAndSkipsNullReferences)
{
    Entity first = add_entity("m0.plim", "INT a(1, 0, 5, 'A');\n");
    Entity second = add_entity("m1.plim", "BLN f = false;\n");
    app.current_entity_list->entities.clear();
    Entity& group = add_entity("g.plim");
    group.kind = ENTITY_GROUP;
    std::vector<ParameterSet*> sets{&first.parameters, nullptr, &second.parameters};
    group.parameters = construct_parameter_set_from_list({"m0", "gone", "m1"}, sets, 2);
    group.parameters.member_parameters.insert(group.parameters.member_parameters.begin() + 1,
                                              nullptr);
    group.parameters.count = 3;
    rebuild_display_order(*app.current_entity_list);
    app.current_selection->selected_position = 0;
    rebuild_parameter_rows(app);
    rebuild_parameter_details(app);

    ASSERT_EQ(panel().member_titles.size(), 2u);
    EXPECT_EQ(panel().member_titles[0]->label, "\t m0");
    EXPECT_EQ(panel().member_titles[1]->label, "\t m1");
    EXPECT_EQ(panel().member_titles[1]->y, 4 * 24);
    ASSERT_EQ(panel().parameters.size(), 2u);
    EXPECT_EQ(panel().parameters[1]->value_field.row_id, 2) << "index into the references";
    EXPECT_EQ(panel().parameters[1]->value_field.label, "FALSE");
    EXPECT_EQ(lumo::widget_text_colour(panel().parameters[1]->value_field), 0xFFA02000u);
    EXPECT_EQ(app.current_entity_list->entities[0].parameters.row_count, 7);
}

TEST_F(ListRowsTest, StatisticsViewMeasuresTheListedEntities)
{
    EntitySelection& selection = *app.current_selection;
    selection.scroll_offset_1 = 3.0;
    measure_entity_statistics_view(selection);
    EXPECT_EQ(selection.content_height, 0);
    EXPECT_EQ(selection.scroll_offset_1, 0.0);
    add_entity("plain.plim").statistics_width = 500;
    add_entity("p.plim", "INT n = 4;\n").statistics_width = 90;
    measure_entity_statistics_view(selection);
    EXPECT_EQ(selection.content_width, 90) << "only listed entities count";
    EXPECT_EQ(selection.content_height, 50);
}

} // namespace

// A long statistics line is cut where the row's action icons begin: no
// painted glyph reaches under FOCUS, MATERIAL, REFRESH or DELETE.
TEST_F(ListRowsTest, LongStatisticsTextsStopShortOfTheActionIcons)
{
    Entity& entity = add_entity("a-script-with-a-long-name.plim", "INT n(6, 3, 24, 'Pillars');");
    entity.statistics_lines = {std::string(60, 'W'), std::string(60, 'W'), std::string(60, 'W')};
    entity.statistics_width = 600;
    rebuild_entity_rows(app);
    rebuild_parameter_rows(app);
    struct Case {
        const char* list;
        lumo::KL* row;
        int first_icon_x;
    };
    const Case cases[] = {
        {"entity", &inspector().rows.rows.at(0)->row, 244 - 47},
        {"parameter", &panel().rows.rows.at(0)->row, 244 - 25},
    };
    for (const Case& c : cases) {
        lumo::DrawList list;
        c.row->draw(list, lumo::DrawContext{});
        int glyphs = 0;
        for (const lumo::DrawQuad& quad : list.quads) {
            if (quad.texture != lumo::DrawTexture::kFont) continue;
            ++glyphs;
            float right = quad.x1;
            if (quad.clip >= 0) {
                const lumo::ClipRect& clip = list.clips.at(static_cast<std::size_t>(quad.clip));
                right = std::min(right, static_cast<float>(clip.x + clip.width));
            }
            if (quad.x0 < right) {
                EXPECT_LE(right, c.first_icon_x) << c.list;
            }
        }
        EXPECT_GT(glyphs, 0) << c.list;
    }
}
