#include "app/commands/edit_handlers.h"
#include "app/commands/parameter_reset.h"

#include "state/application.h"
#include "app/commands/environment_lifecycle.h"
#include "panels/directive_menus.h"
#include "panels/message_panes.h"
#include "panels/panel_rows.h"
#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// One entity with an INT, a CHR and a STR parameter, inspected in the
// detail panel and selected in the parameter panel.
class EditHandlerTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.message_panes = {};
        app.panel_rows = {};
        app.directive_menus = {};
        add_first_environment(app);
        Entity entity = construct_entity();
        entity.pending = 0;
        entity.parse_report.script_path = "a.plim";
        entity.parameters = construct_parameter_set(
            "INT n(2, 0, 10, 'N');\nCHR c('a', 'C');\nSTR s(\"x\", 'S');\n");
        add_entity_unique(*app.current_scene_state, entity);
        app.current_scene_state->selected_index = 0;
        app.current_selection->selected_position = 0;
        app.panel_rows.value_fields.assign(3, "");
        app.panel_rows.slider_fractions.assign(3, 0.0);
    }
    Entity& entity() { return app.current_entity_list->entities[0]; }
    ScriptParameter& parameter(std::size_t at) { return entity().parameters.parameters[at]; }
    void add_variant(std::vector<std::string> pairs)
    {
        app.directive_menus.variants.push_back({"v", std::move(pairs), entity().id});
        app.variant_count = static_cast<std::int32_t>(app.directive_menus.variants.size());
    }
    std::string variant_trace(std::int32_t index)
    {
        TraceCapture trace;
        apply_parametric_variant(app, index);
        return trace.text();
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST_F(EditHandlerTest, FieldsReadTheirLeadingNumberOrWarnAndLeaveTheEntity)
{
    // Field index, then the group and axis it edits.
    const std::tuple<int, int, int, const char*> typed[] = {
        {0, 0, 0, "1e3"}, {3, 1, 0, " 2"}, {8, 3, 1, "2.5cm"}, {5, 2, 1, "-0"}};
    for (const auto& [field, group, axis, text] : typed) {
        app.panel_rows.transform_fields[field] = text;
        parse_numeric_field(app, group, axis);
    }
    EXPECT_EQ(entity().translation[0], 1000.0);
    EXPECT_EQ(entity().uniform_scale, 2.0);
    EXPECT_EQ(entity().rotation_degrees[1], 2.5);
    EXPECT_EQ(entity().axis_scale[1], 0.0);
    EXPECT_EQ(entity().model_matrix_d[12], 1000.0);
    EXPECT_EQ(app.message_panes.warning.visible, 0);

    app.panel_rows.transform_fields[0] = "abc";
    parse_numeric_field(app, 0, 0);
    EXPECT_EQ(entity().translation[0], 1000.0);
    EXPECT_EQ(app.message_panes.warning.title, "Warning: Invalid Numeric Literal");
    EXPECT_EQ(app.message_panes.warning.text, "The character sequence: \"abc\" caused a number "
                                            "parsing error.\n\nNote: the value has not been "
                                            "modified");
}

TEST_F(EditHandlerTest, ResetsRestoreTheirGroupAndSelectorsHighlightOnlyTheChosenButton)
{
    entity().axis_scale = {2.0, 3.0, 4.0};
    entity().transform_order = 0;
    reset_transform_property(app, 2);
    EXPECT_EQ(entity().axis_scale, (std::array<double, 3>{1.0, 1.0, 1.0}));
    EXPECT_EQ(app.panel_rows.transform_fields[4], "1");
    EXPECT_EQ(app.panel_rows.transform_fields[6], "1");
    reset_transform_property(app, 5);
    EXPECT_EQ(entity().transform_order, 2u);
    EXPECT_EQ(app.panel_rows.transform_order.selected,
              (std::array<std::uint8_t, 6>{0, 0, 1, 0, 0, 0}));

    set_rotation_order(app, 3);
    EXPECT_EQ(entity().rotation_order, 3u);
    EXPECT_EQ(app.panel_rows.rotation_order.fonts, (std::array<std::int32_t, 6>{3, 3, 3, 4, 3, 3}));
    EXPECT_EQ(app.panel_rows.rotation_order.selected,
              (std::array<std::uint8_t, 6>{0, 0, 0, 1, 0, 0}));
}

TEST_F(EditHandlerTest, AVariantInsideTheBoundsRequestsASyncAndUpdatesShownFields)
{
    add_variant({"n", "12"});
    apply_parametric_variant(app, 0);
    EXPECT_EQ(parameter(0).current.int_value, 2) << "outside the bounds: skipped";
    EXPECT_EQ(app.pending_variant_sync, -1);
    add_variant({"n", "7"});
    apply_parametric_variant(app, 1);
    EXPECT_EQ(parameter(0).current.int_value, 7);
    EXPECT_EQ(app.pending_variant_sync, 1);
    EXPECT_EQ(app.panel_rows.value_fields[0], "7");
    EXPECT_DOUBLE_EQ(app.panel_rows.slider_fractions[0], 0.7);

    // An entity not shown in the panel changes no field; unknown variants nothing.
    app.current_selection->selected_position = -1;
    app.pending_variant_sync = 0;
    add_variant({"n", "4"});
    apply_parametric_variant(app, 2);
    EXPECT_EQ(parameter(0).current.int_value, 4);
    EXPECT_EQ(app.panel_rows.value_fields[0], "7");
    apply_parametric_variant(app, 5);
    apply_parametric_variant(app, -1);
    EXPECT_EQ(app.pending_variant_sync, 2);
}

TEST_F(EditHandlerTest, CharacterAndStringVariantsFollowTheirTraces)
{
    add_variant({"c", "'x'"});
    add_variant({"c", "y"});
    add_variant({"s", "'ab'"});
    EXPECT_EQ(variant_trace(0), "");
    EXPECT_EQ(parameter(1).current.chr_value, 'x');
    EXPECT_EQ(variant_trace(1), "TODO:ESCAPED-CHARACTER!\n");
    EXPECT_EQ(parameter(1).current.chr_value, 'x');
    EXPECT_EQ(variant_trace(2), "TODO:STRIP-QUOTATION-MARKS!\n");
    EXPECT_EQ(parameter(2).current.str_value, "'ab'");
}

// Without a selected entity the reset commands ask nothing and forget their target.
TEST_F(EditHandlerTest, ResetsNeedASelectedEntity)
{
    app.current_selection->selected_position = -1;
    reset_parameter_value(app, 0);
    reset_parameter_values(app);
    EXPECT_EQ(app.modal[MODAL_CONFIRM], 0);
    EXPECT_EQ(app.reset_parameter_target, -1);
    app.current_selection->selected_position = 0;
    app.reset_parameter_target = 9;
    reset_parameter_confirmed(app);
    EXPECT_EQ(app.reset_parameter_target, -1);
}

TEST_F(EditHandlerTest, TheVariantDirectivesPaneOpensAndClosesOnEachRequest)
{
    show_variant_directives_placeholder(app);
    EXPECT_EQ(app.message_panes.directive.title, "Parametric-Variant Directives");
    EXPECT_EQ(app.modal[MODAL_DIRECTIVE], 1);
    show_variant_directives_placeholder(app);
    EXPECT_EQ(app.modal[MODAL_DIRECTIVE], 0);
}

} // namespace
