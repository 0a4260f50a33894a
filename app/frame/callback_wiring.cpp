// One place for the widget callbacks: every later action adds its row here.

#include "app/frame/callback_wiring.h"

#include <utility>

#include "app/actions/button_bodies.h"
#include "app/actions/edit_callbacks.h"
#include "app/actions/environment_callbacks.h"
#include "app/actions/menu_dispatch.h"
#include "app/actions/pane_callbacks.h"

#include "app/actions/image_capture.h"
#include "app/actions/toggle_callbacks.h"
#include "app/actions/view_callbacks.h"
#include "app/actions/wheel_steppers.h"
#include "app/commands/entity_commands.h"
#include "app/commands/environment_tab_callbacks.h"
#include "app/commands/menu_bars.h"
#include "app/commands/parameter_reset.h"
#include "app/commands/parse_check.h"
#include "app/frame/interface_construction.h"
#include "state/application.h"
#include "panels/directive_menus.h"
#include "panels/inspection_text.h"
#include "panels/parse_report_rows.h"
#include "panels/ppd_view.h"
#include "shell/camera_control.h"
#include "shell/pane_contents.h"
#include "shell/pane_layouts.h"
#include "shell/refresh.h"
#include "shell/state_setters.h"
#include "shell/window_layout.h"

namespace {

using PaneLayout = void (*)(Application&, int, int);

// A layout callback bound to one pane layout.
template <PaneLayout Layout> void forward_layout(int width, int height)
{
    if (g_app != nullptr) Layout(*g_app, width, height);
}

void lay_out_root_and_view(Application& app, int width, int height)
{
    app.window_width = width;
    app.window_height = height;
    lay_out_root(app, width, height);
    lay_out_view_panels(app, width, height);
    lay_out_startup_panes(app, width, height);
}

void lay_out_file_pane_contents(Application& app, int width, int height)
{
    lay_out_file_pane(app, width, height);
    lay_out_navigator_pane(app, width, height);
}

// The panes' contents: the wiring of the modal panes, the navigator and the
// export and profiling panes.
void install_pane_layouts(Application& app)
{
    app.navigator_pane.pane.set_layout_callback(forward_layout<lay_out_file_pane_contents>);
    app.confirm_pane.pane.set_layout_callback(forward_layout<lay_out_confirm_box>);
    app.export_pane_widgets.dialog.pane.set_layout_callback(
        forward_layout<lay_out_export_contents>);
    app.profile_pane.dialog.pane.set_layout_callback(forward_layout<lay_out_profile_contents>);
    app.run_pane.dialog.pane.set_layout_callback(forward_layout<lay_out_run_contents>);
}

template <int Menu> bool toggle_tool_menu_click()
{
    if (g_app != nullptr) toggle_tool_menu(*g_app, Menu);
    return true;
}

template <int Item> bool select_settings_item_click()
{
    if (g_app != nullptr) select_settings_menu_item(*g_app, Item);
    return true;
}

template <int Panel> bool select_side_panel_click()
{
    if (g_app != nullptr) select_side_panel(*g_app, Panel);
    return true;
}

template <int Row> bool menu_tree_row_click()
{
    if (g_app != nullptr) run_menu_tree_row(*g_app, Row);
    return true;
}

template <int... I> void install_menu_tree_rows(Application& app, std::integer_sequence<int, I...>)
{
    ((app.menu_tree.rows[I].on_click = menu_tree_row_click<I>), ...);
}

template <int Channel> bool select_console_channel_click()
{
    if (g_app != nullptr) select_console_channel(*g_app, Channel);
    return true;
}

template <int Mode> bool select_execution_mode_click()
{
    if (g_app != nullptr) select_execution_mode(*g_app, Mode);
    return true;
}

bool toggle_settings_bar_click()
{
    if (g_app == nullptr) return true;
    const bool shown = g_app->view_settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE] != 0;
    set_settings_bar_visible(*g_app, !shown);
    return true;
}

bool toggle_quick_hide_click()
{
    if (g_app == nullptr) return true;
    set_quick_hide(*g_app, g_app->view_settings.panel_flags[PANEL_QUICK_HIDE] == 0);
    return true;
}

template <int... I>
void install_tool_menu_buttons(Application& app, std::integer_sequence<int, I...>)
{
    ((app.toolbar.menu_buttons[I].on_click = toggle_tool_menu_click<I>), ...);
}

template <int... I>
void install_settings_buttons(Application& app, std::integer_sequence<int, I...>)
{
    ((app.settings_bar_items[I].on_click = select_settings_item_click<I>), ...);
}

using AppFn = void (*)(Application&);

// A click callback bound to one operation on the application.
template <AppFn Action> bool click()
{
    if (g_app != nullptr) Action(*g_app);
    return true;
}

template <AppFn Action> void action()
{
    if (g_app != nullptr) Action(*g_app);
}

template <int Row> void pick_row(Application& app)
{
    set_pick_mode(app, Row);
}
template <int Slot> void colour_slot(Application& app)
{
    select_colour_function_slot(app, Slot);
}
template <int Flag> void assembly_flag(Application& app)
{
    toggle_assembly_flag(app, Flag);
}
template <int Code> void split_pane(Application& app)
{
    split_view_pane(app, Code);
}
template <int Direction> void step_directive(Application& app)
{
    step_camera_directive(app, Direction);
}
bool on_tool_strip_wheel(int /*x*/, int /*y*/, int notches)
{
    if (g_app != nullptr) scroll_tool_strip(*g_app, notches);
    return true;
}

bool on_settings_strip_wheel(int /*x*/, int /*y*/, int notches)
{
    if (g_app != nullptr) scroll_settings_strip(*g_app, notches);
    return true;
}

template <int... I> void install_pick_rows(Application& app, std::integer_sequence<int, I...>)
{
    ((app.pick_mode_rows[I].on_click = click<pick_row<I>>), ...);
}

template <int... I> void install_colour_toggles(Application& app, std::integer_sequence<int, I...>)
{
    ((app.colour_function_toggles[I].on_click = click<colour_slot<I>>), ...);
}

template <int... I> void install_assembly_flags(Application& app, std::integer_sequence<int, I...>)
{
    ((app.parallel_option_toggles[I].on_click = click<assembly_flag<I>>), ...);
}

void install_inspection_callbacks(Application& app)
{
    app.llmi_toggle.on_click = click<toggle_inspector_strip>;
    app.llmi_indicator.on_click = click<show_llmi_report>;
    install_pick_rows(app, std::make_integer_sequence<int, static_cast<int>(PICK_MODES.size())>{});
    install_colour_toggles(app, std::make_integer_sequence<int, COLOUR_FUNCTION_COUNT>{});
    app.colour_bar.button.on_click = click<toggle_colour_space>;
    app.view.on_split_x = action<split_pane<lumo::kSplitX>>;
    app.view.on_split_y = action<split_pane<lumo::kSplitY>>;
    app.view.on_close = action<close_view_pane>;
    app.view.on_repaint = action<refresh_interface>;
    app.view.on_pane_change = action<load_saved_view>;
    DirectiveColumnWidgets& directives = app.directive_column;
    directives.buttons[DIRECTIVE_BUTTON_SYNC].on_click = click<sync_camera_directives>;
    directives.buttons[DIRECTIVE_BUTTON_PREVIOUS].on_click = click<step_directive<-1>>;
    directives.buttons[DIRECTIVE_BUTTON_NEXT].on_click = click<step_directive<1>>;
    directives.buttons[DIRECTIVE_BUTTON_GOTO].on_click = click<toggle_directive_goto>;
    directives.grip.on_click = click<toggle_directive_column>;
    // The goto fields take typed vectors that nothing applies yet.
    for (lumo::F& field : directives.goto_fields) {
        field.on_enter = action<refresh_root>;
        field.on_escape = action<refresh_root>;
    }
    app.profile_pane.row_toggle.on_click = click<toggle_ppd_row_list>;
    app.lists.entities.ppd_indicator.on_click = click<show_entity_ppd>;
    app.parallel_flags_toggle.on_click = click<toggle_parallel_flags_strip>;
    install_assembly_flags(app, std::make_integer_sequence<int, ASSEMBLY_FLAG_COUNT>{});
    app.profiler_toggle.on_click = click<toggle_profiler>;
    app.culling_toggle.on_click = click<toggle_culling>;
    app.variants_panel.header.on_click = click<toggle_variants_panel>;
    app.variants_panel.footer.on_click = click<toggle_variants_panel>;
    app.tip_bar.scroll.on_wheel_callback = on_tool_strip_wheel;
    app.menu_bar.drop_column.on_wheel_callback = on_settings_strip_wheel;
    app.tab_bar.environment_button.on_click = on_new_environment_click;
    app.environment_tabs.strip.on_move = hover_environment_tab;
    app.environment_tabs.strip.on_click = on_select_environment_tab;
    app.tab_bar.hover_card_close.on_click = on_close_environment_tab;
    // Moves bubble from the widget under the pointer up to the root; the
    // strip and the card take theirs, every other move ends the hover.
    app.tab_bar.hover_card.on_move = keep_environment_hover;
    app.root.on_move = on_leave_environment_tabs;
    app.confirm_pane.option_buttons[0].on_click = on_confirm_option_click<0>;
    app.confirm_pane.option_buttons[1].on_click = on_confirm_option_click<1>;
    app.confirm_pane.option_buttons[2].on_click = on_confirm_option_click<2>;
    app.confirm_pane.answer_buttons[0].on_click = on_confirm_cancel_click;
    app.confirm_pane.answer_buttons[1].on_click = on_confirm_accept_click;
}

void lay_out_entity_details_callback(int /*width*/, int /*height*/)
{
    if (g_app != nullptr) lay_out_entity_details(*g_app);
}

bool reset_parameters_click()
{
    if (g_app != nullptr) reset_parameter_values(*g_app);
    return true;
}

// Editing: number fields, parameter values, the transform block, the entity
// rows and the export options.
void wire_editing(Application& app)
{
    wire_edit_callbacks(app);
    app.lists.callbacks.entity_details_layout = lay_out_entity_details_callback;
    app.lists.parameters.reset_button.on_click = reset_parameters_click;
}

// The 3-D view: a right-button press begins a view drag, the drag turns or
// pans the camera and the release ends it; the wheel queues steps that the
// frame tick takes one a frame. Presses go on to the pane selection.
bool on_view_press(int x, int y, int button)
{
    if (g_app != nullptr) begin_view_drag(*g_app, x, y, button);
    return false;
}

bool on_view_drag(int x, int y, int button)
{
    return g_app != nullptr && update_view_drag(*g_app, x, y, button);
}

bool on_view_release(int /*x*/, int /*y*/, int /*button*/)
{
    if (g_app != nullptr) end_view_drag(*g_app);
    return false;
}

bool on_view_wheel(int /*x*/, int /*y*/, int notches)
{
    if (g_app == nullptr || g_app->view_settings.panel_flags[PANEL_VIEW_LOCK] != 0) return false;
    g_app->camera_motion.wheel_queue += g_app->view_settings.inverted_zoom ? -notches : notches;
    return true;
}

template <int Menu, int Item> bool tool_menu_row_click()
{
    if (g_app != nullptr) handle_tool_menu_item(*g_app, Menu, Item);
    return true;
}

template <int Menu, int Item> bool settings_menu_row_click()
{
    if (g_app != nullptr) handle_settings_menu_item(*g_app, Menu, Item);
    return true;
}

// Only the rows a drop-down shows take a callback; the rest of the fixed
// row array stays out of the tree.
template <int Menu, int... I>
void install_tool_rows(Application& app, std::integer_sequence<int, I...>)
{
    constexpr int rows = TOOL_MENU_ROW_COUNTS[Menu];
    ((app.tool_menus[Menu].rows[I].on_click = I < rows ? tool_menu_row_click<Menu, I> : nullptr),
     ...);
}

// The maximum frame rate is set through its field alone: its row takes no
// click of its own.
constexpr bool has_row_click(int menu, int row)
{
    return row < SETTINGS_MENU_ROW_COUNTS[menu] &&
           !(menu == SETTINGS_MENU_WINDOW && row == SETTINGS_ROW_FRAME_RATE_LIMIT);
}

template <int Menu, int... I>
void install_settings_rows(Application& app, std::integer_sequence<int, I...>)
{
    ((app.settings_menus[Menu].rows[I].on_click =
          has_row_click(Menu, I) ? settings_menu_row_click<Menu, I> : nullptr),
     ...);
}

template <int... M> void install_all_tool_rows(Application& app, std::integer_sequence<int, M...>)
{
    (install_tool_rows<M>(app, std::make_integer_sequence<int, MAX_MENU_ROWS>{}), ...);
}

// A tone row of the widgets settings is its own value control: each click
// steps the tone its field shows.
template <int Item, AppFn Cycle> bool tone_row_click()
{
    if (g_app == nullptr) return true;
    handle_settings_menu_item(*g_app, SETTINGS_MENU_WIDGETS, Item);
    Cycle(*g_app);
    return true;
}

// The rows of every tool drop-down and of every settings drop-down;
// FULLSCREEN, LOCK and SLIDERS act from the bar and open none.
void wire_menu_rows(Application& app)
{
    install_all_tool_rows(app, std::make_integer_sequence<int, TOOL_MENU_COUNT>{});
    const auto rows = std::make_integer_sequence<int, MAX_MENU_ROWS>{};
    install_settings_rows<SETTINGS_MENU_WINDOW>(app, rows);
    install_settings_rows<SETTINGS_MENU_SHADING>(app, rows);
    install_settings_rows<SETTINGS_MENU_LIGHTING>(app, rows);
    install_settings_rows<SETTINGS_MENU_CAMERA>(app, rows);
    install_settings_rows<SETTINGS_MENU_THEME>(app, rows);
    install_settings_rows<SETTINGS_MENU_WIDGETS>(app, rows);
    install_settings_rows<SETTINGS_MENU_SETTINGS>(app, rows);
    MenuWidgets& widgets = app.settings_menus[SETTINGS_MENU_WIDGETS];
    widgets.rows[SETTINGS_ROW_MONO_EDGE_TONE].on_click =
        tone_row_click<SETTINGS_ROW_MONO_EDGE_TONE, cycle_mono_edge_tone>;
    widgets.rows[SETTINGS_ROW_MONO_DOT_TONE].on_click =
        tone_row_click<SETTINGS_ROW_MONO_DOT_TONE, cycle_mono_dot_tone>;
    widgets.rows[SETTINGS_ROW_SILHOUETTE_TONE].on_click =
        tone_row_click<SETTINGS_ROW_SILHOUETTE_TONE, cycle_silhouette_tone>;
}

void wire_render_callbacks(Application& app)
{
    wire_menu_rows(app);
    app.view.on_press = on_view_press;
    app.view.on_drag_callback = on_view_drag;
    app.view.on_release = on_view_release;
    app.view.on_wheel_callback = on_view_wheel;
    app.load_saved_view = load_saved_view;
}

template <EntityFlagToggle Flag> void entity_flag(Application& app)
{
    toggle_entity_flag(app, Flag);
}

bool on_run_pane_wheel(int /*x*/, int /*y*/, int steps)
{
    return g_app == nullptr || step_run_pane_text(*g_app, steps);
}

template <ScrollStrip Strip> bool on_strip_wheel(int /*x*/, int /*y*/, int steps)
{
    return g_app != nullptr && step_scroll_strip(*g_app, Strip, steps);
}

// The wheels of the bars' scroll strips, the navigator's list and path bar
// and the camera-directive list.
void wire_strip_wheels(Application& app)
{
    app.navigator_pane.list_area.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_NAVIGATOR_LIST>;
    app.navigator_pane.path_bar.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_NAVIGATOR_PATH>;
    app.tab_bar.scroll.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_TABS>;
    app.status_bar.scroll.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_STATUS>;
    app.toolbar.scroll.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_TOOLS>;
    app.menu_bar.scroll.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_MENUS>;
    app.slider_bar_parts.scroll.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_SLIDERS>;
    app.colour_bar.scroll.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_COLOURS>;
    app.directive_column.list_area.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_DIRECTIVES>;
    app.variants_panel.list.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_VARIANTS>;
    app.parallel_flags_strip.panel.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_PARALLEL_FLAGS>;
    app.inspector_strip.panel.on_wheel_callback = on_strip_wheel<SCROLL_STRIP_INSPECTOR>;
    app.run_pane.body.on_wheel_callback = on_run_pane_wheel;
}

// The tool bar's command buttons that the other topics leave, and the
// expand button at the view's corner.
void wire_command_buttons(Application& app)
{
    app.toolbar.buttons[TOOL_BUTTON_PARSE].on_click = click<parse_report_command>;
    app.toolbar.buttons[TOOL_BUTTON_ASSEMBLE].on_click = click<assemble_command>;
    app.expand_button.on_click = click<press_expand_button>;
    ParameterControlWidgets& parameters = app.lists.parameters;
    parameters.toggles[0].on_click = click<entity_flag<ENTITY_FLAG_AUTO_SYNC>>;
    parameters.toggles[1].on_click = click<entity_flag<ENTITY_FLAG_IMMEDIATE>>;
    parameters.toggles[2].on_click = click<entity_flag<ENTITY_FLAG_MULTI_EDIT>>;
    parameters.apply_button.on_click = click<apply_parameter_values>;
    parameters.variants_button.on_click = click<show_variant_directives_placeholder>;
}

void lay_out_directive_rows(Application& app, int width, int height)
{
    // The rows follow the directives of the latest menu build and the layout style.
    layout_directive_menu(app, app.directive_column.column.width);
    sync_directive_rows(app);
    for (const auto& row : app.directive_rows)
        row->on_click = click<apply_hovered_directive>;
    lay_out_directive_list(app, width, height);
}

void lay_out_variant_rows(Application& app, int /*width*/, int /*height*/)
{
    sync_variant_rows(app);
    for (const auto& row : app.variant_rows)
        row->on_click = click<apply_hovered_variant>;
}

// The strips' contents and the directive column's option buttons; the
// side panel's close entry.
void wire_strips(Application& app)
{
    app.directive_option_buttons[0].on_click = click<toggle_directive_auto_sync>;
    app.directive_option_buttons[1].on_click = click<toggle_directive_root_mode>;
    app.directive_option_buttons[2].on_click = click<toggle_directive_animation>;
    app.directive_option_buttons[3].on_click = click<toggle_directive_layout>;
    app.side_panel_close.on_click = select_side_panel_click<-1>;
    app.script_list_label.on_click = click<toggle_menu_tree>;
    install_menu_tree_rows(app, std::make_integer_sequence<int, MENU_TREE_ROW_COUNT>{});
}

} // namespace

// The CAPTURE button and the capture and screenshot panes' save buttons.
void wire_image_capture(Application& app)
{
    app.toolbar.buttons[TOOL_BUTTON_CAPTURE].on_click = on_capture_button_click;
}

// The parse-check pane: its layout and the click each rebuilt row takes.
void wire_parse_report(Application& app)
{
    app.parse_pane.pane.set_layout_callback(forward_layout<lay_out_parse_report_pane>);
    app.parse_report.row_click = on_parse_report_row_click;
}

void install_layout_callbacks(Application& app)
{
    app.root.set_layout_callback(forward_layout<lay_out_root_and_view>);
    app.toolbar.bar.set_layout_callback(forward_layout<lay_out_toolbar>);
    app.tip_bar.bar.set_layout_callback(forward_layout<lay_out_tipbar>);
    app.control_pane.set_layout_callback(forward_layout<lay_out_control_pane>);
    app.settings_bar.set_layout_callback(forward_layout<lay_out_menubar>);
    app.status_bar.bar.set_layout_callback(forward_layout<lay_out_statusbar>);
    app.tab_bar.bar.set_layout_callback(forward_layout<lay_out_tabbar>);
    app.slider_bar.set_layout_callback(forward_layout<lay_out_sliderbar>);
    app.toolbar.scroll.set_layout_callback(forward_layout<lay_out_tool_scroll>);
    app.tip_bar.scroll.set_layout_callback(forward_layout<lay_out_tip_scroll>);
    app.menu_bar.drop_column.set_layout_callback(forward_layout<lay_out_settings_drop_column>);
    app.menu_bar.scroll.set_layout_callback(forward_layout<lay_out_menu_scroll>);
    app.overlay.set_layout_callback(forward_layout<lay_out_overlay>);
    app.open_pane.set_layout_callback(forward_layout<lay_out_open_pane>);
    app.load_pane.set_layout_callback(forward_layout<lay_out_load_pane>);
    app.capture_pane.dialog.pane.set_layout_callback(forward_layout<lay_out_capture_preview>);
    app.screenshot_pane.dialog.pane.set_layout_callback(forward_layout<lay_out_screenshot_preview>);
    app.colour_bar.bar.set_layout_callback(forward_layout<lay_out_colourbar>);
    app.directive_column.list_area.set_layout_callback(forward_layout<lay_out_directive_rows>);
    app.variants_panel.list.set_layout_callback(forward_layout<lay_out_variant_rows>);
    app.navigator_pane.list_area.set_layout_callback(forward_layout<lay_out_navigator_list>);
    install_pane_layouts(app);
}

void install_action_callbacks(Application& app)
{
    install_tool_menu_buttons(app, std::make_integer_sequence<int, TOOL_MENU_COUNT>{});
    install_settings_buttons(app, std::make_integer_sequence<int, SETTINGS_MENU_COUNT>{});
    app.toolbar.buttons[TOOL_BUTTON_SETTINGS].on_click = toggle_settings_bar_click;
    app.side_panel_tabs[0].on_click = select_side_panel_click<0>;
    app.side_panel_tabs[1].on_click = select_side_panel_click<1>;
    app.side_panel_tabs[2].on_click = select_side_panel_click<2>;
    app.console_channel_tabs[0].on_click = select_console_channel_click<0>;
    app.console_channel_tabs[1].on_click = select_console_channel_click<1>;
    app.console_channel_tabs[2].on_click = select_console_channel_click<2>;
    app.console_channel_tabs[3].on_click = select_console_channel_click<3>;
    app.execution_mode_buttons[0].on_click = select_execution_mode_click<0>;
    app.execution_mode_buttons[1].on_click = select_execution_mode_click<1>;
    app.execution_mode_buttons[2].on_click = select_execution_mode_click<2>;
    app.hide_logo.on_click = toggle_quick_hide_click;
    install_inspection_callbacks(app);
    wire_editing(app);
    wire_pane_callbacks(app);
    wire_render_callbacks(app);
    wire_image_capture(app);
    wire_strip_wheels(app);
    wire_command_buttons(app);
    wire_strips(app);
    wire_parse_report(app);
}
