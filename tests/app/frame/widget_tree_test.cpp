// The tree test: every widget a pane shows and every widget that carries a
// callback can be reached by a person once its pane is open, at the start-up
// window size and at a larger one. Later panes add their table here.

#include "tests/app/frame/widget_tree.h"

#include <gtest/gtest.h>

#include "app/commands/environment_lifecycle.h"
#include "app/commands/export_command.h"
#include "app/frame/input_handlers.h"
#include "panels/ppd_view.h"
#include "platform/input_codes.h"
#include "shell/state_setters.h"
#include "tests/export/export_fixture.h"

namespace {

using widget_tree::NamedWidget;
using widget_tree::PaneTable;

void press_key(std::int32_t key, std::int32_t modifiers)
{
    handle_platform_key_down(nullptr, key, modifiers);
    handle_platform_key_up(nullptr, key, modifiers);
}

// One assembled cube carrying profiling data, selected in the inspector.
void add_profiled_cube(Application& app)
{
    Entity entity = make_single_entity(cube_arrays());
    entity.mesh->mesh_name = "1000\n2000\n";
    entity.parse_report.script_path = "cube.plim";
    EntityList& list = *app.current_entity_list;
    list.entities.push_back(std::move(entity));
    list.count = static_cast<std::int32_t>(list.entities.size());
    app.current_scene_state->selected_index = 0;
}

void open_run_pane(Application& /*app*/)
{
    press_key('R', MOD_SHIFT);
}

void open_export_pane(Application& app)
{
    add_profiled_cube(app);
    press_key('s', MOD_CTRL);
}

void open_profile_pane(Application& app)
{
    add_profiled_cube(app);
    show_entity_ppd(app);
}

PaneTable run_pane(Application& app)
{
    RunPaneWidgets& run = app.run_pane;
    PaneTable table{"RUNPANE",
                    &run.dialog.pane,
                    open_run_pane,
                    {{"title", &run.dialog.title},
                     {"close box", &run.dialog.close_box},
                     {"PROFILER", &app.profiler_toggle},
                     {"CULLING", &app.culling_toggle},
                     {"mode title", &run.mode_title},
                     {"assemble button", &run.assemble_button}}};
    widget_tree::add_each(table.widgets, "mode button", app.execution_mode_buttons);
    widget_tree::add_each(table.widgets, "mode cell", run.mode_cells);
    widget_tree::add_each(table.widgets, "feature row", run.feature_rows);
    return table;
}

PaneTable export_pane(Application& app)
{
    ExportPaneWidgets& pane = app.export_pane_widgets;
    PaneTable table{"EXPORTPANE",
                    &pane.dialog.pane,
                    open_export_pane,
                    {{"title", &pane.dialog.title},
                     {"close box", &pane.dialog.close_box},
                     {"estimate", &pane.estimate_label},
                     {"name field", &app.export_name_field},
                     {"location field", &app.export_location_field},
                     {"location button", &pane.location_button},
                     {"export button", &pane.export_button}}};
    widget_tree::add_each(table.widgets, "format row", pane.format_toggles);
    widget_tree::add_each(table.widgets, "format description", pane.format_descriptions);
    widget_tree::add_each(table.widgets, "format marker", pane.format_markers);
    widget_tree::add_each(table.widgets, "option button", app.export_name_part_toggles);
    return table;
}

PaneTable profile_pane(Application& app)
{
    ProfilePaneWidgets& pane = app.profile_pane;
    PaneTable table{"PROFILEPANE",
                    &pane.dialog.pane,
                    open_profile_pane,
                    {{"title", &pane.dialog.title},
                     {"close box", &pane.dialog.close_box},
                     {"report", &pane.report_text},
                     {"row list", &pane.row_scroll},
                     {"row-list toggle", &pane.row_toggle}}};
    widget_tree::add_each(table.widgets, "button", pane.buttons);
    for (std::size_t i = 0; i < app.ppd_view.rows.size(); ++i)
        table.widgets.push_back({"row[" + std::to_string(i) + "]", app.ppd_view.rows[i].get()});
    return table;
}

// The tool strip with no tool menu open: the script list, and the side-panel
// tabs with the open panel's marker.
PaneTable tool_strip(Application& app)
{
    PaneTable table{
        "TIPBAR",
        &app.script_list_label,
        [](Application& a) { a.side_panel_tabs[0].on_click(); },
        {{"script list", &app.script_list_label}, {"open-tab marker", &app.tip_bar.tab_marker}}};
    widget_tree::add_each(table.widgets, "side-panel tab", app.side_panel_tabs);
    return table;
}

PaneTable menu_tree(Application& app)
{
    PaneTable table{"menu tree",
                    &app.menu_tree.pane,
                    [](Application& a) { a.script_list_label.on_click(); },
                    {}};
    widget_tree::add_each(table.widgets, "row", app.menu_tree.rows);
    return table;
}

void open_settings_menu(Application& app, int menu, bool scrolled)
{
    app.toolbar.buttons[TOOL_BUTTON_SETTINGS].on_click();
    app.settings_bar_items[static_cast<std::size_t>(menu)].on_click();
    if (scrolled) app.menu_bar.drop_column.on_wheel_callback(0, 0, 8);
}

// A settings drop-down shows six rows at a time: a longer one is checked at
// its top and scrolled to its end, with its rows and value fields named in
// the position that shows them. A short one also has every widget with a
// callback inside it checked.
template <int Menu, bool Scrolled> PaneTable settings_menu(Application& app)
{
    MenuWidgets& menu = app.settings_menus[Menu];
    const int rows = static_cast<int>(menu.row_list.size());
    const bool long_menu = rows > 6;
    PaneTable table{"settings drop-down " + std::to_string(Menu) + (Scrolled ? " scrolled" : ""),
                    long_menu ? nullptr : &menu.pane,
                    [](Application& a) { open_settings_menu(a, Menu, Scrolled); },
                    {{"title", &app.settings_menu_title}}};
    const int first = Scrolled ? rows - 6 : 0;
    const int end = long_menu && !Scrolled ? 6 : rows;
    for (int i = first; i < end; ++i)
        table.widgets.push_back({"row[" + std::to_string(i) + "]", menu.row_list[i]});
    for (lumo::P* child : menu.strip.children)
        if (dynamic_cast<lumo::F*>(child) != nullptr) {
            const int row = child->y / app.layout.row_height;
            if (row >= first && row < end)
                table.widgets.push_back({"field of row " + std::to_string(row), child});
        }
    return table;
}

// Fifteen scripts under the parent row: more rows than the list shows at
// the start-up size.
std::string sixteen_rows(const std::string& /*directory*/)
{
    std::string listing = "01/01/2024  00:00    <DIR>          ..\n";
    for (int i = 10; i < 25; ++i)
        listing += "01/01/2024  00:00   10 script" + std::to_string(i) + ".plim\n";
    return listing;
}

// The navigator over that listing, at the top of its list or scrolled to its
// last row.
template <bool Scrolled> void open_navigator(Application& app)
{
    app.navigator.listing_producer = sixteen_rows;
    press_key('o', MOD_CTRL);
    if (Scrolled && !app.navigator_rows.rows.empty())
        widget_tree::scroll_to(app, app.navigator_pane.list_area, *app.navigator_rows.rows.back());
}

template <bool Scrolled> PaneTable navigator(Application& app)
{
    NavigatorPaneWidgets& nav = app.navigator_pane;
    PaneTable table{std::string("FILEPANE") + (Scrolled ? " scrolled" : ""),
                    &nav.pane,
                    open_navigator<Scrolled>,
                    {{"select none", &nav.select_none_button},
                     {"sort marker", &nav.sort_marker},
                     {"scroll track", &nav.scroll_track},
                     {"path bar", &nav.path_bar}}};
    widget_tree::add_each(table.widgets, "header button", nav.header_buttons);
    widget_tree::add_each(table.widgets, "column area", nav.column_areas);
    return table;
}

// A scrolling row of buttons shows `visible` of its `count` at a time: the
// first ones at its start, the last ones scrolled to its end.
template <typename Buttons>
void add_buttons_in_view(std::vector<NamedWidget>& table, const std::string& name, Buttons& buttons,
                         int visible, bool scrolled)
{
    const int count = static_cast<int>(buttons.size());
    const int first = scrolled ? std::max(count - visible, 0) : 0;
    for (int i = first; i < std::min(first + visible, count); ++i)
        table.push_back({name + "[" + std::to_string(i) + "]", &buttons[std::size_t(i)]});
}

// TOOLBAR: its six buttons and the tool-menu buttons of TOOLSCROLL, which
// scrolls them where the window is narrow.
template <bool Scrolled> PaneTable tool_bar(Application& app)
{
    ToolBarWidgets& bar = app.toolbar;
    PaneTable table{std::string("TOOLBAR") + (Scrolled ? " scrolled" : ""),
                    nullptr,
                    [](Application& a) {
                        if (Scrolled) a.toolbar.scroll.on_wheel_callback(0, 0, 8);
                    },
                    {}};
    widget_tree::add_each(table.widgets, "button", bar.buttons);
    add_buttons_in_view(table.widgets, "tool-menu button", bar.menu_buttons,
                        bar.scroll.width / app.layout.bar_unit, Scrolled);
    return table;
}

// MENUBAR, the settings column: its ten buttons scroll where the window is low.
template <bool Scrolled> PaneTable settings_bar(Application& app)
{
    PaneTable table{std::string("MENUBAR") + (Scrolled ? " scrolled" : ""),
                    nullptr,
                    [](Application& a) {
                        a.toolbar.buttons[TOOL_BUTTON_SETTINGS].on_click();
                        if (Scrolled) a.menu_bar.scroll.on_wheel_callback(0, 0, 8);
                    },
                    {}};
    const int height = app.window_height - app.layout.bar_unit - app.layout.row_height;
    add_buttons_in_view(table.widgets, "settings button", app.settings_bar_items,
                        height / app.layout.menu_column_width, Scrolled);
    return table;
}

PaneTable slider_bar(Application& app)
{
    return {"SLIDERBAR", &app.slider_bar, [](Application&) {}, {}};
}

PaneTable console_panel(Application& app)
{
    PaneTable table{
        "CONSOLETRACE", &app.side_panels[0], [](Application&) { press_key('1', 0); }, {}};
    widget_tree::add_each(table.widgets, "channel tab", app.console_channel_tabs);
    return table;
}

// A second environment, current, and the pointer resting on the first's
// tab: the tabs, and the hover card over that tab with its close box.
void hover_first_tab(Application& app)
{
    add_environment(app);
    widget_tree::lay_out(app, app.root.width, app.root.height);
    const std::vector<lumo::HitStep> path =
        lumo::find_widget_path(&app.root, app.environment_tabs.tabs.front().get());
    if (path.empty()) return;
    app.root.dispatch_mouse_move(path.back().origin_x + 20, path.back().origin_y + 8);
}

PaneTable tab_bar(Application& app)
{
    PaneTable table{"TABBAR", &app.tab_bar.bar, hover_first_tab, {}};
    for (std::size_t i = 0; i < app.environment_tabs.tabs.size(); ++i)
        table.widgets.push_back(
            {"tab[" + std::to_string(i) + "]", app.environment_tabs.tabs[i].get()});
    return table;
}

PaneTable hover_card(Application& app)
{
    return {"hover card",
            &app.tab_bar.hover_card,
            hover_first_tab,
            {{"close box", &app.tab_bar.hover_card_close}}};
}

// The status bar's two strips of an assembled entity, each opened by its
// toggle: every flag, field and pick-mode row in it.
void open_parallel_flags(Application& app)
{
    add_profiled_cube(app);
    update_panel_visibility(app);
    app.parallel_flags_toggle.on_click();
}

void open_inspector(Application& app)
{
    add_profiled_cube(app);
    update_panel_visibility(app);
    app.llmi_toggle.on_click();
}

PaneTable parallel_flags_strip(Application& app)
{
    return {"parallel-flags strip",
            &app.parallel_flags_strip.panel,
            open_parallel_flags,
            {{"toggle", &app.parallel_flags_toggle}, {"inspector toggle", &app.llmi_toggle}}};
}

PaneTable inspector_strip(Application& app)
{
    return {"inspector strip",
            &app.inspector_strip.panel,
            open_inspector,
            {{"toggle", &app.llmi_toggle}}};
}

// Quick-hide (Space) over an assembled entity, in minimal mode (as it starts)
// with the two toggles on the quick-hide strip, or out of it: the expand
// button lies in a corner of HIDELOGO and each takes its own presses.
template <bool Minimal> void hide_bars(Application& app)
{
    add_profiled_cube(app);
    press_key(' ', 0);
    if (!Minimal) app.expand_button.on_click();
}

template <bool Minimal> PaneTable quick_hide(Application& app)
{
    PaneTable table{std::string("quick-hide") + (Minimal ? " minimal" : ""),
                    nullptr,
                    hide_bars<Minimal>,
                    {{"expand button", &app.expand_button}, {"HIDELOGO", &app.hide_logo}}};
    if (Minimal) {
        table.widgets.push_back({"parallel-flags toggle", &app.parallel_flags_toggle});
        table.widgets.push_back({"inspector toggle", &app.llmi_toggle});
    }
    return table;
}

const std::vector<widget_tree::PaneTableOf> kTables{run_pane,
                                                    export_pane,
                                                    profile_pane,
                                                    tool_strip,
                                                    menu_tree,
                                                    settings_menu<SETTINGS_MENU_WINDOW, false>,
                                                    settings_menu<SETTINGS_MENU_WINDOW, true>,
                                                    settings_menu<SETTINGS_MENU_SHADING, false>,
                                                    settings_menu<SETTINGS_MENU_LIGHTING, false>,
                                                    settings_menu<SETTINGS_MENU_LIGHTING, true>,
                                                    settings_menu<SETTINGS_MENU_CAMERA, false>,
                                                    settings_menu<SETTINGS_MENU_THEME, false>,
                                                    settings_menu<SETTINGS_MENU_WIDGETS, false>,
                                                    settings_menu<SETTINGS_MENU_WIDGETS, true>,
                                                    settings_menu<SETTINGS_MENU_SETTINGS, false>,
                                                    tool_bar<false>,
                                                    tool_bar<true>,
                                                    settings_bar<false>,
                                                    settings_bar<true>,
                                                    slider_bar,
                                                    console_panel,
                                                    tab_bar,
                                                    hover_card,
                                                    parallel_flags_strip,
                                                    inspector_strip,
                                                    quick_hide<true>,
                                                    quick_hide<false>};

TEST(WidgetTree, EveryPaneWidgetIsReachableWhenItsPaneIsOpen)
{
    for (widget_tree::PaneTableOf table : kTables)
        for (const std::string& missing : widget_tree::missing_in_pane({table}))
            ADD_FAILURE() << missing;
}

// Its rows are found by their callbacks; the list scrolls to the last.
TEST(WidgetTree, TheNavigatorReachesEveryRowOfAListLongerThanItsView)
{
    for (const std::string& missing :
         widget_tree::missing_in_pane({navigator<false>, navigator<true>}))
        ADD_FAILURE() << missing;
}

TEST(WidgetTree, EveryWidgetWithACallbackIsInTheTree)
{
    Application& app = widget_tree::fresh_application();
    EXPECT_EQ(widget_tree::callback_widgets_outside_tree(app), std::vector<std::string>{});
    destroy_application();
}

// The check itself: a widget left out of the tree, hidden, empty or
// covered is named with the reason.
TEST(WidgetTree, NamesWhyAWidgetCannotBeReached)
{
    Application& app = widget_tree::fresh_application();
    widget_tree::lay_out(app, 720, 480);
    lumo::P loose;
    EXPECT_EQ(widget_tree::why_unreachable(app, &loose), "not in the tree");
    EXPECT_EQ(widget_tree::why_unreachable(app, &app.run_pane.assemble_button).rfind("hidden", 0),
              0u)
        << "the run pane is closed";
    lumo::P& open_button = app.toolbar.buttons[TOOL_BUTTON_OPEN];
    EXPECT_EQ(widget_tree::why_unreachable(app, &open_button), "");
    const int width = open_button.width;
    open_button.width = 0;
    EXPECT_EQ(widget_tree::why_unreachable(app, &open_button),
              "empty rectangle 0 x " + std::to_string(open_button.height));
    open_button.width = width;
    app.mask_pane.visible = true; // the modal mask lies over the bars
    EXPECT_EQ(widget_tree::why_unreachable(app, &open_button).rfind("covered by", 0), 0u);
    destroy_application();
}

} // namespace
