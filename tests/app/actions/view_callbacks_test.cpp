#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/actions/toggle_callbacks.h"
#include "app/actions/view_callbacks.h"
#include "app/commands/environment_lifecycle.h"
#include "state/application.h"
#include "state/current_environment.h"
#include "model/entity.h"
#include "model/mesh.h"
#include "panels/parse_report_rows.h"
#include "render/colour_functions.h"

namespace {

class ViewCallbacksTest : public testing::Test {
protected:
    void SetUp() override { add_first_environment(app); }
    void TearDown() override { release_entity_meshes(*app.current_entity_list); }

    Mesh* coloured_mesh()
    {
        Mesh* mesh = construct_mesh(new F64Array{0, 0, 0}, new U32Array{0}, 0, 3);
        mesh->vertex_colours = new F64Array{1, 1, 1, 1};
        mesh->vertex_colour_bytes = new U8Array{0, 0, 0, 255};
        mesh->upload_pending = 0;
        return mesh;
    }
    Entity& add_entity(Entity entity)
    {
        EntityList& list = *app.current_entity_list;
        list.entities.push_back(entity);
        list.count = static_cast<std::int32_t>(list.entities.size());
        return list.entities.back();
    }
    Entity* member(bool assembled)
    {
        Entity* entity = new Entity(construct_entity());
        entity->assembled = assembled ? 1 : 0;
        entity->mesh = coloured_mesh();
        return entity;
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST_F(ViewCallbacksTest, PickModeRowsTraceSetTheLetterAndTheIndicatorHint)
{
    struct Case {
        std::int32_t row;
        const char* trace;
        const char* label;
        bool hinted;
    };
    const Case cases[] = {{1, "PICK-MODE:T\n", "T", true},
                          {0, "PICK-MODE:!\n", "", false},
                          {6, "PICK-MODE:U\n", "U", true},
                          {6, "PICK-MODE:U\n", "U", true}};
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        set_pick_mode(app, c.row);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.trace);
        EXPECT_EQ(app.view_settings.pick_mode, static_cast<std::uint8_t>(PICK_MODES[c.row]));
        EXPECT_EQ(app.llmi_indicator.label, c.label);
        EXPECT_EQ(app.llmi_indicator.hint_text != nullptr, c.hinted);
        EXPECT_EQ(app.llmi_indicator.hint_icon, c.hinted ? 6 : -1);
        for (std::size_t i = 0; i < PICK_MODES.size(); ++i)
            EXPECT_EQ(app.pick_mode_rows[i].selected, static_cast<std::int32_t>(i) == c.row);
    }
}

TEST_F(ViewCallbacksTest, StatusBarStripsExcludeEachOther)
{
    PanelLayoutState& layout = app.panel_layout;
    toggle_parallel_flags_strip(app);
    toggle_inspector_strip(app);
    EXPECT_EQ(layout.inspector_expanded, 1);
    EXPECT_EQ(layout.parallel_flags_expanded, 0);
    EXPECT_FALSE(app.parallel_flags_strip.panel.visible || app.parallel_flags_toggle.selected);
    toggle_parallel_flags_strip(app);
    EXPECT_EQ(layout.inspector_expanded, 0);
    EXPECT_FALSE(app.llmi_toggle.selected);
    toggle_parallel_flags_strip(app);
    EXPECT_EQ(layout.parallel_flags_expanded, 0);
    EXPECT_EQ(layout.inspector_expanded, 0);
}

TEST_F(ViewCallbacksTest, ColourFunctionRecoloursAssembledEntitiesAndMembersOnly)
{
    Entity single = construct_entity();
    single.assembled = 1;
    single.mesh = coloured_mesh();
    add_entity(single);
    Entity group = construct_entity();
    group.kind = ENTITY_GROUP;
    group.assembled = 1;
    group.members = {member(true), nullptr, member(false)};
    group.member_count = 3;
    add_entity(group);
    // Looked up after both are added: adding moves the list's entities.
    const Entity& kept = app.current_entity_list->entities[0];
    const Entity& grouped = app.current_entity_list->entities[1];
    app.view_settings.colour_mode = COLOUR_SCHEME_LIGHT;
    app.colour_function_ids[4] = 7;
    app.builtin_mesh = coloured_mesh();

    select_colour_function_slot(app, 4);
    EXPECT_EQ(app.view_settings.colour_function, 7);
    EXPECT_EQ((*app.builtin_mesh->vertex_colour_bytes)[0], 255) << "the built-in sample mesh too";
    EXPECT_EQ(kept.mesh->upload_pending, 1);
    EXPECT_EQ((*kept.mesh->vertex_colour_bytes)[0], 255);
    EXPECT_EQ(grouped.members[0]->mesh->upload_pending, 1);
    EXPECT_EQ(grouped.members[2]->mesh->upload_pending, 0);
    for (int i = 0; i < COLOUR_FUNCTION_COUNT; ++i)
        EXPECT_EQ(app.colour_function_toggles[i].selected, i == 4);
}

TEST_F(ViewCallbacksTest, ColourSpaceTogglesTheLegendBetweenGreyStepsAndHues)
{
    const auto hues = build_function_palette(true);
    toggle_colour_space(app);
    for (std::size_t i = 0; i < 10; ++i) {
        const std::uint32_t c = app.colour_bar.swatches[i].background_colour;
        EXPECT_EQ(c >> 16 & 0xFF, c & 0xFF) << "grey swatch " << i;
        EXPECT_EQ(c >> 8 & 0xFF, c & 0xFF) << "grey swatch " << i;
    }
    EXPECT_LT(app.colour_bar.swatches[0].background_colour & 0xFF,
              app.colour_bar.swatches[9].background_colour & 0xFF)
        << "a ramp from dark to light";
    toggle_colour_space(app);
    EXPECT_EQ(app.view_settings.multi_channel_colour, 1);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(app.colour_bar.swatches[i].background_colour, hues[i]) << i;
}

TEST_F(ViewCallbacksTest, SplitAndCloseKeepTheSelectionOnItsPane)
{
    lumo::VL& view = app.view;
    view.pane_views.assign(1, lumo::ViewRecord{});
    view.pane_views[0][18] = 5.0;
    split_view_pane(app, lumo::kSplitX); // panes 0 1, the copy after pane 0
    ASSERT_EQ(view.pane_count(), 2);
    EXPECT_EQ(view.pane_views[1][18], 5.0);
    view.selected_pane = 1;
    view.active_pane = 0;
    split_view_pane(app, lumo::kSplitY); // the selected pane moves to index 2
    EXPECT_EQ(view.pane_count(), 3);
    EXPECT_EQ(view.selected_pane, 2);

    view.pane_views[2][18] = 9.0;
    view.active_pane = 2;
    close_view_pane(app); // closing the selected pane loads the new selection's view
    EXPECT_EQ(static_cast<int>(view.pane_views.size()), 2);
    EXPECT_EQ(app.view_settings.zoom, view.pane_views[view.selected_pane][18]);

    view.active_pane = 7; // outside the panes: nothing happens
    close_view_pane(app);
    split_view_pane(app, lumo::kSplitX);
    EXPECT_EQ(view.pane_count(), 2);
}

TEST_F(ViewCallbacksTest, PaneChangeStoresTheLiveViewAndLoadsTheActivePane)
{
    lumo::VL& view = app.view;
    view.pane_views.assign(1, lumo::ViewRecord{});
    split_view_pane(app, lumo::kSplitX);
    app.camera_mode = CAMERA_OBJECT_ORBIT;
    app.view_settings.zoom = 3.0;
    view.pane_views[1][18] = 8.0;
    view.pane_views[1][0] = 4.0; // orbit eye x of pane 1
    view.active_pane = 1;
    load_saved_view(app);
    EXPECT_EQ(view.pane_views[0][18], 3.0);
    EXPECT_EQ(view.selected_pane, 1);
    EXPECT_EQ(app.view_settings.zoom, 8.0);
    EXPECT_EQ(app.camera.eye[0], 4.0);
    EXPECT_EQ(app.saved_cameras[0].eye[0], 4.0);
}

TEST_F(ViewCallbacksTest, DirectiveSteppingStaysWithinTheDirectives)
{
    struct Case {
        std::int32_t count;
        std::int32_t start;
        int direction;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0, -1, 1, -1}, {0, -1, -1, -1}, {3, -1, 1, 0}, {3, -1, -1, 0}, {3, 0, -1, 0},
        {3, 2, 1, 2},   {3, 1, 1, 2},    {3, 1, -1, 0}, {3, 5, 1, 5},   {3, 5, -1, 5},
    };
    for (const Case& c : cases) {
        app.directive_menus.camera_rows.assign(static_cast<std::size_t>(c.count), "cd");
        app.directive_rows.clear();
        for (std::int32_t i = 0; i < c.count; ++i)
            app.directive_rows.push_back(std::make_unique<lumo::P>());
        app.view_settings.current_camera_directive = c.start;
        step_camera_directive(app, c.direction);
        EXPECT_EQ(app.view_settings.current_camera_directive, c.expected)
            << c.count << " " << c.start << " " << c.direction;
        for (std::int32_t i = 0; i < c.count; ++i)
            EXPECT_EQ(app.directive_rows[static_cast<std::size_t>(i)]->selected, i == c.expected);
    }
    // A step aims the camera at the directive's eye.
    app.directive_menus.camera_rows.assign(2, "cd");
    app.directive_menus.camera_points = {{0, 2, 8, 0, 1, 0}, {0, 9, 0.5, 0, 0, 0}};
    app.view_settings.current_camera_directive = 0;
    step_camera_directive(app, 1);
    EXPECT_DOUBLE_EQ(app.camera.eye[1], 9.0);
    EXPECT_DOUBLE_EQ(app.camera.eye[2], 0.5);
    step_camera_directive(app, -1);
    EXPECT_DOUBLE_EQ(app.camera.eye[2], 8.0);
}

TEST_F(ViewCallbacksTest, DirectiveOptionButtons)
{
    app.directive_menus.camera_rows.assign(3, "cd");
    app.directive_column.column.width = 216;
    const auto square = [&] {
        const DirectiveRowRect& cell = app.directive_menus.camera_row_rects.at(2);
        return cell.width == cell.height;
    };
    toggle_directive_layout(app);
    EXPECT_EQ(app.view_settings.directive_mode, 2);
    EXPECT_TRUE(square()) << "the rows are laid out again as a grid";
    toggle_directive_layout(app);
    EXPECT_EQ(app.view_settings.directive_mode, 1);
    EXPECT_FALSE(square()) << "and back as a list";
    toggle_directive_goto(app);
    EXPECT_TRUE(app.directive_column.buttons[3].selected);
    EXPECT_TRUE(app.directive_column.goto_fields[0].visible);
    toggle_directive_goto(app);
    EXPECT_FALSE(app.directive_column.goto_fields[1].visible);
}

// The list-or-grid style belongs to each environment, the four other
// options to the program: in a new environment and back in the first, each
// button of the column's foot shows the setting in force.
TEST_F(ViewCallbacksTest, DirectiveColumnButtonsShowTheSettingsInForceAfterASwitch)
{
    struct Toggle {
        const char* name;
        void (*click)(Application&);
        const lumo::P& button;
        bool in_new_environment;
    };
    const Toggle toggles[] = {
        {"auto-sync-CDs", toggle_directive_auto_sync, app.directive_option_buttons[0], true},
        {"root-CD-mode", toggle_directive_root_mode, app.directive_option_buttons[1], true},
        {"animate-CD", toggle_directive_animation, app.directive_option_buttons[2], true},
        {"grid|list-CD", toggle_directive_layout, app.directive_option_buttons[3], false},
        {"goto-CD", toggle_directive_goto, app.directive_column.buttons[DIRECTIVE_BUTTON_GOTO],
         true},
    };
    for (const Toggle& t : toggles)
        t.click(app);
    add_environment(app);
    for (const Toggle& t : toggles)
        EXPECT_EQ(t.button.selected, t.in_new_environment) << t.name;
    request_environment_switch(app, 0);
    for (int tick = 0; tick <= DEFERRED_FRAMES; ++tick)
        tick_environment_switch(app);
    for (const Toggle& t : toggles)
        EXPECT_TRUE(t.button.selected) << t.name;
}

TEST_F(ViewCallbacksTest, ParseReportRowsKeepTheirOwnScrollPosition)
{
    app.parse_result.rows.resize(3);
    for (std::size_t r = 0; r < 3; ++r)
        app.parse_result.rows[r].label = "row" + std::to_string(r) + ".plim";
    app.parse_result.selected_row = 0;
    rebuild_parse_report_rows(app);
    lumo::SP& view = app.parse_report.report_scroll;
    view.fraction_y = 0.5;
    select_parse_report_row(app, 2);
    EXPECT_EQ(app.parse_report.title.label, "row2.plim");
    EXPECT_TRUE(app.parse_report.rows[2]->selected && !app.parse_report.rows[0]->selected);
    EXPECT_EQ(view.fraction_y, 0.0);
    view.fraction_x = 0.25;
    view.fraction_y = 0.75;
    select_parse_report_row(app, 0);
    EXPECT_EQ(view.fraction_y, 0.5);
    select_parse_report_row(app, 2);
    EXPECT_EQ(view.fraction_x, 0.25);
    // The shown row clicked again keeps its own position.
    select_parse_report_row(app, 2);
    EXPECT_EQ(view.fraction_y, 0.75);
    select_parse_report_row(app, 3); // outside the rows: nothing changes
    select_parse_report_row(app, -1);
    EXPECT_EQ(app.parse_result.selected_row, 2);
    EXPECT_EQ(app.parse_report.title.label, "row2.plim");
    destroy_parse_report_rows(app);
}

TEST_F(ViewCallbacksTest, AssemblyFlagsAndLabelledToggles)
{
    const std::uint8_t* flags[] = {&app.view_settings.multi_core,
                                   &app.view_settings.reassembly_culling,
                                   &app.view_settings.invocation_groups, &app.view_settings.ccpp,
                                   &app.view_settings.preemptive_optimisation};
    const std::uint8_t starts[] = {1, 1, 1, 0, 0};
    for (std::int32_t f = 0; f < ASSEMBLY_FLAG_COUNT; ++f) {
        EXPECT_EQ(*flags[f], starts[f]);
        toggle_assembly_flag(app, f);
        EXPECT_EQ(*flags[f], starts[f] ? 0 : 1);
        EXPECT_EQ(app.parallel_option_toggles[f].selected, starts[f] == 0);
    }
    toggle_profiler(app);
    toggle_culling(app);
    EXPECT_EQ(app.view_settings.profiler, 1);
    EXPECT_EQ(app.view_settings.culling, 0);
    EXPECT_EQ(app.profiler_toggle.font, 4) << "shown as on";
    EXPECT_EQ(app.culling_toggle.font, 3) << "shown as off";
}

TEST_F(ViewCallbacksTest, MenuStripWheelsScrollOnlyWhatDoesNotFit)
{
    app.settings_menus[2].row_list.assign(7, nullptr);
    app.settings_menus[3].row_list.assign(6, nullptr);
    app.view_settings.open_settings_menu = 3;
    scroll_settings_strip(app, 1);
    EXPECT_EQ(app.scroll.settings_menus[3], 0.0);
    app.view_settings.open_settings_menu = 2;
    for (int notch = 0; notch < 10; ++notch)
        scroll_settings_strip(app, 1);
    EXPECT_EQ(app.scroll.settings_menus[2], 1.0);
    scroll_settings_strip(app, -3);
    EXPECT_EQ(app.scroll.settings_menus[2], 0.625);

    app.tip_bar.scroll.width = 300;
    app.tool_menus[1].strip_width = 100;
    app.view_settings.open_tool_menu = 1;
    scroll_tool_strip(app, 1);
    EXPECT_EQ(app.scroll.tool_menus[1], 0.0);
    app.tool_menus[1].strip_width = 400;
    scroll_tool_strip(app, 2);
    EXPECT_EQ(app.scroll.tool_menus[1], 0.25);
}

} // namespace

namespace {

TEST_F(ViewCallbacksTest, ADirectiveRowMovesTheCameraOnlyWhileItIsNotLocked)
{
    app.directive_menus.camera_rows = {"front", "above"};
    app.directive_menus.camera_points = {{{0, 2, 8, 0, 1, 0}}, {{0, 9, 0.01, 0, 0, 0}}};
    for (int i = 0; i < 2; ++i)
        app.directive_rows.push_back(std::make_unique<lumo::P>());
    lumo::g_hovered_widget = app.directive_rows[1].get();
    app.view_settings.panel_flags[PANEL_VIEW_LOCK] = 1;
    const double eye_y = app.camera.eye[1];
    apply_hovered_directive(app);
    EXPECT_EQ(app.view_settings.current_camera_directive, -1) << "locked: nothing applied";
    EXPECT_EQ(app.camera.eye[1], eye_y);
    app.view_settings.panel_flags[PANEL_VIEW_LOCK] = 0;
    apply_hovered_directive(app);
    EXPECT_EQ(app.view_settings.current_camera_directive, 1);
    lumo::g_hovered_widget = nullptr;
}

} // namespace
