// Parameter values, the transform block, the entity rows and the export
// options, as a person sees them in the side panels and the export pane.

#include "app/actions/export_option_callbacks.h"

#include "app/actions/parameter_callbacks.h"
#include "app/actions/transform_callbacks.h"
#include "app/commands/parameter_reset.h"
#include "lumo/draw_list.h"
#include "model/entity_transform.h"
#include "panels/list_styles.h"
#include "tests/app/actions/edit_fixture.h"

namespace {

using ParameterEdits = EditFixture;
using TransformEdits = EditFixture;
using EntityRowClicks = EditFixture;
using ExportOptionClicks = EditFixture;

const char* const DEFINITIONS = "INT n(4, 0, 10, 'N');\nDBL d(1.5, 0, 3, 'D');\n"
                                "BLN b(true, 'B');\nCHR c('a', 'C');\nSTR s(\"x\", 'S');\n";

TEST_F(ParameterEdits, CommitsTakeValuesInBoundsAndRefuseTheRest)
{
    struct Case {
        int index;
        const char* typed;
        const char* error_title; // "" when taken
        const char* value_after; // also in the field, unless refused
    };
    const Case cases[] = {
        {0, "7", "", "7"},
        {0, "11", "Error: Value Outside of Parameter Bounds", "4"},
        {0, "abc", "Error: Invalid Value for Parameter", "4"},
        {1, "2.5", "", "2.5"},
        {1, "nan", "Error: Invalid Value for Parameter", "1.5"},
        {1, "-1", "Error: Value Outside of Parameter Bounds", "1.5"},
        {3, "xyz", "", "x"},
        {3, "", "Error: Invalid Value for Parameter", "a"},
        {4, "hello", "", "hello"},
    };
    for (const Case& c : cases) {
        SetUp();
        Entity& entity = select_parametric(DEFINITIONS);
        value_field(c.index).set_label(c.typed);
        commit_parameter_value(app(), c.index, false);
        const ScriptParameter& p = parameter(static_cast<std::size_t>(c.index));
        EXPECT_EQ(format_parameter_value(p.current), c.value_after) << c.typed;
        const bool refused = *c.error_title != '\0';
        EXPECT_EQ(value_field(c.index).label, refused ? c.typed : c.value_after)
            << "a refused entry stays for the person to correct";
        EXPECT_EQ(error().title, c.error_title) << c.typed;
        EXPECT_EQ(entity.sync_requested != 0, *c.error_title == '\0') << c.typed;
        TearDown();
    }
    SetUp();
    select_parametric(DEFINITIONS);
    value_field(0).set_label("11");
    commit_parameter_value(app(), 0, false);
    EXPECT_EQ(error().text,
              "The specified value [11] is outside the range of valid values for the\nparameter "
              "named 'n' of type INT.\n\nNote: the minimum valid value is [0].\n\nNote: the "
              "maximum value value is [10].\n\nNote: the parameter's value has not been modified.");
}

TEST_F(ParameterEdits, SliderMovesAskForASyncOnlyWhenImmediateAndNeverInMultiEdit)
{
    struct Case {
        bool immediate;
        bool multi_edit;
        bool released;
        double fraction;
        const char* field;
        bool requested;
    };
    const Case cases[] = {
        {false, false, false, 0.99, "9", false},
        {true, false, false, 0.99, "9", true},
        {false, false, true, 1.0, "10", true},
        {false, true, true, 0.5, "5", false},
    };
    for (const Case& c : cases) {
        SetUp();
        Entity& entity = select_parametric(DEFINITIONS);
        entity.live_sync = c.immediate ? 1 : 0;
        entity.manual_sync = c.multi_edit ? 1 : 0;
        move_parameter_slider(app(), 0, c.fraction, c.released, false);
        EXPECT_EQ(value_field(0).label, c.field);
        EXPECT_EQ(entity.sync_requested != 0, c.requested);
        TearDown();
    }
    SetUp();
    select_parametric(DEFINITIONS);
    move_parameter_slider(app(), 1, 0.5, false, false);
    EXPECT_EQ(value_field(1).label, "1.50");
}

TEST_F(ParameterEdits, DetailZonesFlipMarkAndSetBounds)
{
    Entity& entity = select_parametric(DEFINITIONS);
    const int u = app().layout.strip_height;
    const int right = app().layout.side_panel_width - app().layout.panel_inset - u / 2;
    const lumo::KL& first = find_parameter_row(app(), 0)->row;
    click_parameter_details(app(), 3 * u, first.y + u / 2, false); // header body
    EXPECT_EQ(parameter(0).selected, 1);
    EXPECT_TRUE(find_parameter_row(app(), 0)->name_label.selected);
    click_parameter_details(app(), right, first.y + 2 * u + u / 2, false); // slider maximum
    EXPECT_EQ(parameter(0).current.int_value, 10);
    EXPECT_DOUBLE_EQ(find_parameter_row(app(), 0)->slider.value, 1.0);
    click_parameter_details(app(), u / 2, first.y + 2 * u + u / 2, false); // slider minimum
    EXPECT_EQ(value_field(0).label, "0");
    EXPECT_EQ(entity.sync_requested, 1u);
    click_parameter_details(app(), 3 * u, first.y, false); // on the top edge: no row
    EXPECT_EQ(parameter(0).selected, 1);
    click_parameter_details(app(), right, first.y + u / 2, false); // header's right zone
    EXPECT_EQ(app().message_panes.info.title, "Info: Parameter-Definition");
    EXPECT_EQ(app().message_panes.info.text, parameter(0).definition);
    EXPECT_NE(parameter(0).definition.find("'N'"), std::string::npos);

    const lumo::KL& boolean = find_parameter_row(app(), 2)->row;
    click_parameter_details(app(), 3 * u, boolean.y + u + u / 2, false);
    EXPECT_FALSE(parameter(2).current.bln_value);
    EXPECT_EQ(value_field(2).label, "FALSE");
    EXPECT_EQ(lumo::widget_text_colour(value_field(2)), 0xFFA02000u);
}

TEST_F(ParameterEdits, ResetsGoThroughTheConfirmationAndSurviveAShorterList)
{
    Entity& entity = select_parametric(DEFINITIONS);
    entity.manual_sync = 1; // no kernel here: the values are what is checked
    value_field(0).set_label("9");
    commit_parameter_value(app(), 0, false);
    const lumo::P& icon = app().confirm_pane.icon;
    reset_parameter_value(app(), 1);
    EXPECT_TRUE(icon.icon_flip_x) << "the reset-one request mirrors the icon";
    app().confirm.cancel_action(app());
    EXPECT_FALSE(icon.icon_flip_x);
    EXPECT_EQ(app().reset_parameter_target, -1);
    reset_parameter_value(app(), 0);
    ASSERT_NE(app().confirm.accept_action, nullptr);
    app().confirm.accept_action(app());
    EXPECT_FALSE(icon.icon_flip_x);
    EXPECT_EQ(parameter(0).current.int_value, 4);
    EXPECT_EQ(value_field(0).label, "4");
    EXPECT_DOUBLE_EQ(find_parameter_row(app(), 0)->slider.value, 0.4);

    reset_parameter_value(app(), 4);
    entity.parameters.parameters.resize(2); // the list shrinks during the countdown
    app().confirm.accept_action(app());
    EXPECT_EQ(app().reset_parameter_target, -1);

    value_field(0).set_label("2");
    commit_parameter_value(app(), 0, false);
    value_field(1).set_label("0.5");
    commit_parameter_value(app(), 1, false);
    reset_parameter_values(app());
    app().confirm.accept_action(app());
    EXPECT_EQ(parameter(0).current.int_value, 4);
    EXPECT_DOUBLE_EQ(parameter(1).current.dbl_value, 1.5);
}

TEST_F(TransformEdits, EscResetAndOrderButtonsReachTheEntityMatrix)
{
    Entity& entity = add_entity("");
    app().current_scene_state->selected_index = 0;
    rebuild();
    EntityInspectorWidgets& widgets = app().lists.entities;
    entity.uniform_scale = 2.5;
    widgets.transform_fields[3].set_label("abc");
    restore_transform_field(app(), 3);
    EXPECT_EQ(widgets.transform_fields[3].label, "2.5");
    reset_transform_group(app(), 1);
    EXPECT_EQ(widgets.transform_fields[3].label, "1");
    EXPECT_DOUBLE_EQ(entity.uniform_scale, 1.0);

    entity.rotation_degrees = {90.0, 0.0, 0.0};
    choose_rotation_order(app(), 5);
    EXPECT_EQ(entity.rotation_order, 5u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(widgets.rotation_order_buttons[k].selected, k == 5);
        EXPECT_EQ(widgets.rotation_order_buttons[k].font, k == 5 ? 4 : 3);
    }
    const auto rotated = entity.model_matrix_d;
    reset_transform_group(app(), 3);
    EXPECT_NE(entity.model_matrix_d, rotated);
    EXPECT_EQ(widgets.transform_fields[7].label, "0");
    reset_transform_group(app(), 4);
    EXPECT_TRUE(widgets.rotation_order_buttons[0].selected);
    choose_transform_order(app(), 4);
    EXPECT_EQ(entity.transform_order, 4u);
    EXPECT_TRUE(widgets.transform_order_buttons[4].selected);

    app().current_scene_state->selected_index = -1;
    choose_transform_order(app(), 1);
    EXPECT_EQ(entity.transform_order, 4u) << "nothing inspected: nothing changes";
}

TEST_F(EntityRowClicks, ZonesOfARowLockSelectHideAndAskToDelete)
{
    add_entity("INT n(1, 0, 9);\n").mesh = construct_mesh(nullptr, nullptr, 0, 3);
    add_entity("").mesh = construct_mesh(nullptr, nullptr, 0, 3);
    rebuild();
    const int w = app().layout.side_panel_width - app().layout.panel_inset;
    EntityList& list = *app().current_entity_list;
    struct Case {
        int row;
        int x;
        int y;
        const char* what;
    };
    const Case cases[] = {
        {0, 10, 30, "lock"},
        {0, 40, 30, "select"},
        {0, 10, 10, "select"},
        {0, w - 10, 10, "hide"},
        {1, w - 10, 51 + 30, "delete"},
        {1, w - 40, 51 + 30, "reassemble"},
        {0, w - 40, 10, "focus"},
    };
    for (const Case& c : cases) {
        const Entity before = list.entities[static_cast<std::size_t>(c.row)];
        const std::int32_t selected = app().current_scene_state->selected_index;
        app().confirm.title.clear();
        click_entity_row(app(), c.row, c.x, c.y);
        const Entity& after = list.entities[static_cast<std::size_t>(c.row)];
        const std::string what = c.what;
        EXPECT_EQ(after.assembly_locked != before.assembly_locked, what == "lock") << what;
        EXPECT_EQ(after.visible != before.visible, what == "hide") << what;
        EXPECT_EQ(app().current_scene_state->selected_index != selected, what == "select") << what;
        EXPECT_EQ(!app().confirm.title.empty(), what == "delete" || what == "reassemble") << what;
    }
    const EntityRowWidgets& first = *app().lists.entities.rows.rows[0];
    EXPECT_DOUBLE_EQ(first.marker.opacity, 1.0);
    EXPECT_DOUBLE_EQ(first.inner.opacity, FLAG_CLEAR_OPACITY)
        << "a hidden entity's row fades at once";
    EXPECT_DOUBLE_EQ(app().lists.parameters.rows.rows[0]->inner.opacity, FLAG_CLEAR_OPACITY);
}

TEST_F(ExportOptionClicks, ButtonsKeepTheirStatesAndTheOptionsInStep)
{
    ViewSettings& v = app().view_settings;
    toggle_export_attribute(app(), EXPORT_BUTTON_POLYGONS);
    EXPECT_EQ(v.export_topologies[0], 0);
    EXPECT_FALSE(app().export_name_part_toggles[EXPORT_BUTTON_POLYGONS].selected);
    toggle_export_attribute(app(), EXPORT_BUTTON_POLYGONS);
    EXPECT_EQ(v.export_topologies[0], 1);
    for (int button = 0; button < EXPORT_BUTTON_COUNT; ++button)
        toggle_export_attribute(app(), button);
    const std::array<std::uint8_t, 6> flipped{0, 0, 1, 0, 0, 1};
    EXPECT_EQ(v.export_name_parts, flipped);
    EXPECT_EQ(v.export_attributes, (std::array<std::uint8_t, 3>{0, 0, 1}));
    EXPECT_EQ(v.export_topologies, (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_EQ(v.export_option, 1);
    toggle_export_format(app(), 2);
    EXPECT_EQ(v.export_formats[2], 1);
    EXPECT_TRUE(app().export_pane_widgets.format_toggles[2].selected);
    EXPECT_TRUE(app().export_pane_widgets.format_markers[2].selected) << "the row's marker";
    EXPECT_FALSE(app().export_pane.size_text.empty());
}

// Every key that changes the name field makes its text the export name;
// Enter ends the edit.
TEST_F(ExportOptionClicks, TheNameFieldGivesTheExportNameAsItIsTyped)
{
    wire_export_option_callbacks(app());
    lumo::F& field = app().export_name_field;
    field.set_label_field("environment");
    field.take_focus();
    field.on_key_down(lumo::kKeyEnd, 0);
    for (int i = 0; i < 7; ++i)
        field.on_key_down(lumo::kKeyBackspace, 0);
    EXPECT_EQ(app().view_settings.export_name, "envi");
    for (char c : std::string("ron_2"))
        field.on_key_down(c, 0);
    EXPECT_EQ(app().view_settings.export_name, "environ_2");
    field.on_key_down(lumo::kKeyEnter, 0);
    EXPECT_FALSE(field.focused);
    EXPECT_EQ(lumo::g_focused_widget, nullptr);
}

} // namespace
