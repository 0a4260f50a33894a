// The tree test for the side panels and the scrolled strips: with an entity
// open and selected, every widget of the entity inspector's details, of the
// parameter rows, every colour function and every tool drop-down row a
// person scrolls to can be reached, at the start-up window size and at a
// larger one.

#include "tests/app/frame/widget_tree.h"

#include <gtest/gtest.h>

#include "app/actions/menu_dispatch.h"
#include "app/frame/input_handlers.h"
#include "model/entity_views.h"
#include "model/parameters.h"
#include "panels/entity_properties.h"
#include "panels/entity_rows.h"
#include "panels/parameter_rows.h"
#include "platform/input_codes.h"
#include "shell/state_setters.h"

namespace {

using widget_tree::NamedWidget;
using widget_tree::PaneTable;
using widget_tree::add_each;

const char* const DEFINITIONS = "INT n(6, 3, 24, 'Pillars');\nSTR s(\"x\", 'Title');\n";

void press_key(std::int32_t key)
{
    handle_platform_key_down(nullptr, key, 0);
    handle_platform_key_up(nullptr, key, 0);
}

// One script with two parameters, its property texts written, selected in
// both side panels.
void add_selected_entity(Application& app)
{
    Entity entity = construct_entity();
    entity.parse_report.script_path = "/tmp/scripts/pillars.plim";
    entity.parameters = construct_parameter_set(DEFINITIONS);
    format_property_titles(entity);
    format_entity_properties(entity);
    add_entity_unique(*app.current_scene_state, entity);
    app.current_scene_state->selected_index = 0;
    app.current_selection->selected_position = 0;
    rebuild_entity_rows(app);
    rebuild_entity_details(app);
    rebuild_parameter_rows(app);
    rebuild_parameter_details(app);
}

void open_entity_inspector(Application& app)
{
    add_selected_entity(app);
    press_key('2');
}

// The details from their top: the row, the header and the property texts.
PaneTable entity_inspector(Application& app)
{
    EntityInspectorWidgets& panel = app.lists.entities;
    PaneTable table{"ENTITYINSPECTOR",
                    &app.side_panels[1],
                    open_entity_inspector,
                    {{"title", &panel.title},
                     {"header", &panel.header},
                     {"PPD indicator", &panel.ppd_indicator},
                     // The titles lie over the value lines, in their empty
                     // lines: a press on either text lands on the titles.
                     {"property titles", &panel.detail_text}}};
    for (const auto& row : panel.rows.rows) {
        table.widgets.push_back({"row", &row->row});
        table.widgets.push_back({"lock box", &row->marker});
        add_each(table.widgets, "row icon", row->actions);
    }
    return table;
}

template <std::size_t Row> void open_transform_row(Application& app)
{
    open_entity_inspector(app);
    lumo::SP& details = app.list_panes[LIST_PANE_ENTITY_DETAILS];
    if constexpr (Row < 4)
        widget_tree::scroll_to(app, details, app.lists.entities.transform_titles[Row]);
    else
        widget_tree::scroll_to(app, details, app.transform_reset_buttons[Row]);
}

// One strip group of the transform editor, scrolled to: a titled row with
// its RESET and its named fields, or an order row.
template <std::size_t Row> PaneTable transform_row(Application& app)
{
    EntityInspectorWidgets& panel = app.lists.entities;
    PaneTable table{"ENTITYINSPECTOR transform row " + std::to_string(Row),
                    &app.side_panels[1],
                    open_transform_row<Row>,
                    {{"RESET", &app.transform_reset_buttons[Row]}}};
    if constexpr (Row < 4) {
        table.widgets.push_back({"title", &panel.transform_titles[Row]});
        constexpr std::array<std::size_t, 5> first{0, 3, 4, 7, 10};
        for (std::size_t k = first[Row]; k < first[Row + 1]; ++k) {
            table.widgets.push_back({"axis name", &panel.axis_names[k]});
            table.widgets.push_back({"field", &panel.transform_fields[k]});
        }
    } else {
        add_each(table.widgets, "order button",
                Row == 4 ? panel.rotation_order_buttons : panel.transform_order_buttons);
    }
    return table;
}

void open_parameter_control(Application& app)
{
    add_selected_entity(app);
    press_key('3');
}

PaneTable parameter_control(Application& app)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    PaneTable table{"PARAMETERCONTROL",
                    &app.side_panels[2],
                    open_parameter_control,
                    {{"title", &panel.title},
                     {"header", &panel.header},
                     {"execute mode", &panel.execute_mode},
                     {"RESET", &panel.reset_button},
                     {"Variants", &panel.variants_button},
                     {"APPLY", &panel.apply_button}}};
    add_each(table.widgets, "option toggle", panel.toggles);
    for (const auto& row : panel.rows.rows)
        table.widgets.push_back({"entity row", &row->row});
    if (!panel.parameters.empty()) {
        ParameterRowWidgets& first = *panel.parameters.front();
        table.widgets.push_back({"type", &first.type_label});
        table.widgets.push_back({"name", &first.name_label});
        table.widgets.push_back({"info icon", &first.info_icon});
        table.widgets.push_back({"value field", &first.value_field});
        table.widgets.push_back({"reset icon", &first.reset_icon});
        table.widgets.push_back({"slider", &first.slider});
    }
    return table;
}

// The string parameter's row, the second, scrolled to.
void open_string_parameter(Application& app)
{
    open_parameter_control(app);
    if (app.lists.parameters.parameters.size() > 1)
        widget_tree::scroll_to(app, app.list_panes[LIST_PANE_PARAMETER_DETAILS],
                               app.lists.parameters.parameters[1]->value_field);
}

PaneTable string_parameter(Application& app)
{
    PaneTable table{"PARAMETERCONTROL string row", &app.side_panels[2], open_string_parameter, {}};
    if (app.lists.parameters.parameters.size() > 1) {
        ParameterRowWidgets& row = *app.lists.parameters.parameters[1];
        table.widgets = {{"name", &row.name_label}, {"value field", &row.value_field}};
    }
    return table;
}

// The selected script's camera directives, as the menu builder leaves them,
// with the goto fields shown from their button.
void open_directive_column(Application& app)
{
    app.directive_menus.camera_rows = {"front", "above"};
    app.directive_menus.camera_points = {{{0, 2, 8, 0, 1, 0}}, {{0, 9, 0.01, 0, 0, 0}}};
    update_panel_visibility(app);
    widget_tree::lay_out(app, app.root.width, app.root.height);
    app.directive_column.buttons[3].on_click();
}

PaneTable directive_column(Application& app)
{
    DirectiveColumnWidgets& column = app.directive_column;
    PaneTable table{"directive column", &column.column, open_directive_column,
                    {{"grip", &column.grip}}};
    add_each(table.widgets, "button", column.buttons);
    add_each(table.widgets, "option button", app.directive_option_buttons);
    add_each(table.widgets, "goto field", column.goto_fields);
    // One row per directive; a row never built shows as a widget outside the tree.
    static lumo::P never_built;
    for (std::size_t i = 0; i < app.directive_menus.camera_rows.size(); ++i)
        table.widgets.push_back({"directive row " + std::to_string(i),
                                 i < app.directive_rows.size() ? app.directive_rows[i].get()
                                                               : &never_built});
    return table;
}

// "colour : function" from the COLOUR menu, then the strip scrolled to
// colour function I.
template <std::size_t I> void open_colour_function(Application& app)
{
    handle_tool_menu_item(app, 1, 3);
    widget_tree::scroll_to(app, app.colour_bar.scroll, app.colour_function_toggles[I]);
}

template <std::size_t I> PaneTable colour_function(Application& app)
{
    return {"COLOURBAR function " + std::to_string(I),
            &app.colour_bar.bar,
            open_colour_function<I>,
            {{"colour-by button", &app.colour_bar.button},
             {"swatch container", &app.colour_bar.swatch_container},
             {"colour function", &app.colour_function_toggles[I]}}};
}

template <std::size_t... I>
std::vector<widget_tree::PaneTableOf> colour_functions(std::index_sequence<I...>)
{
    return {colour_function<I>...};
}

// A tool drop-down opened from its button on the tool bar, the tool strip
// scrolled to row Row.
template <int Menu, int Row> void open_tool_row(Application& app)
{
    app.toolbar.menu_buttons[Menu].on_click();
    widget_tree::scroll_to(app, app.tip_bar.scroll, app.tool_menus[Menu].rows[Row]);
}

template <int Menu, int Row> PaneTable tool_row(Application& app)
{
    return {"tool drop-down " + std::to_string(Menu) + " row " + std::to_string(Row),
            &app.tool_menus[Menu].pane,
            open_tool_row<Menu, Row>,
            {{"row", &app.tool_menus[Menu].rows[Row]}}};
}

template <int Menu, int... Row>
std::vector<widget_tree::PaneTableOf> tool_rows(std::integer_sequence<int, Row...>)
{
    return {tool_row<Menu, Row>...};
}

template <int Menu> std::vector<widget_tree::PaneTableOf> tool_drop_down()
{
    return tool_rows<Menu>(std::make_integer_sequence<int, TOOL_MENU_ROW_COUNTS[Menu]>{});
}

// The tables of one scrolled pane: each names what shows once scrolled to;
// together they must reach every widget with a callback in the pane.
void expect_reachable(const std::vector<widget_tree::PaneTableOf>& tables)
{
    for (const std::string& missing : widget_tree::missing_in_pane(tables))
        ADD_FAILURE() << missing;
}

TEST(SidePanelsTree, TheEntityDetailsReachEveryTransformFieldAndButton)
{
    expect_reachable({entity_inspector, transform_row<0>, transform_row<1>, transform_row<2>,
                      transform_row<3>, transform_row<4>, transform_row<5>});
}

TEST(SidePanelsTree, TheParameterRowsReachTheirFieldsSlidersAndButtons)
{
    expect_reachable({parameter_control, string_parameter});
}

TEST(SidePanelsTree, TheDirectiveColumnShowsItsRowsGotoFieldsAndGrip)
{
    expect_reachable({directive_column});
}

TEST(SidePanelsTree, TheToolStripScrollsToEveryRowOfEachToolDropDown)
{
    for (const auto& tables :
         {tool_drop_down<0>(), tool_drop_down<1>(), tool_drop_down<2>(), tool_drop_down<3>(),
          tool_drop_down<4>(), tool_drop_down<5>(), tool_drop_down<6>(), tool_drop_down<7>()})
        expect_reachable(tables);
}

TEST(SidePanelsTree, TheColourByStripScrollsToEveryColourFunction)
{
    expect_reachable(colour_functions(std::make_index_sequence<COLOUR_FUNCTION_COUNT>{}));
}

} // namespace
