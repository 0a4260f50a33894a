#include "app/actions/pane_callbacks.h"

#include "app/actions/image_capture.h"

#include "app/commands/entity_commands.h"
#include "app/commands/export_command.h"
#include "app/commands/open_command.h"
#include "state/application.h"
#include "panels/file_navigator.h"
#include "panels/navigator_openers.h"
#include "panels/ppd_view.h"
#include "shell/confirm_pane.h"
#include "shell/refresh.h"

namespace {

using AppAction = void (*)(Application&);

// A click callback that runs one operation on the application.
template <AppAction Action> bool on_click()
{
    if (g_app != nullptr) Action(*g_app);
    return true;
}

template <std::int32_t Key> void sort_by(Application& app)
{
    sort_navigator_entries(app, Key);
    refresh_root(app);
}

void list_again(Application& app)
{
    list_directory(app, app.navigator.directory);
    refresh_root(app);
}

void go_home(Application& app)
{
    navigator_go_home(app);
    refresh_root(app);
}

void navigator_ok(Application& app)
{
    run_enter_follow_up(app, confirm_modal_state(app));
}

// The run pane's assemble button: the pane closes before the scripts are
// assembled again under the chosen mode and options.
void assemble_again(Application& app)
{
    close_modal_state(app);
    assemble_command(app);
}

// The export pane's button: the estimate decides whether the options can be
// exported before the confirmation is asked for.
void export_pane_button(Application& app)
{
    show_export_size_estimate(app);
    confirm_export(app);
}

bool select_none_click()
{
    navigator_select_none_clicked();
    return true;
}

bool select_all_click()
{
    navigator_select_all_clicked();
    return true;
}

void wire_close_boxes(Application& app)
{
    for (DialogWidgets* dialog :
         {&app.run_pane.dialog, &app.parse_pane, &app.capture_pane.dialog,
          &app.screenshot_pane.dialog, &app.profile_pane.dialog, &app.directive_pane,
          &app.export_pane_widgets.dialog, &app.about_pane, &app.help_pane, &app.info_pane,
          &app.error_pane, &app.warning_pane})
        dialog->close_box.on_click = on_click<close_modal_state>;
    app.navigator_pane.header_buttons[NAV_CLOSE].on_click = on_click<close_modal_state>;
}

void wire_navigator(Application& app)
{
    NavigatorPaneWidgets& nav = app.navigator_pane;
    nav.header_buttons[NAV_SORT_TYPE].on_click = on_click<sort_by<NAVIGATOR_SORT_TYPE>>;
    nav.header_buttons[NAV_SORT_NAME].on_click = on_click<sort_by<NAVIGATOR_SORT_NAME>>;
    nav.header_buttons[NAV_SORT_SIZE].on_click = on_click<sort_by<NAVIGATOR_SORT_SIZE>>;
    nav.header_buttons[NAV_SORT_DATE].on_click = on_click<sort_by<NAVIGATOR_SORT_DATE>>;
    nav.header_buttons[NAV_HOME].on_click = on_click<go_home>;
    nav.header_buttons[NAV_REFRESH].on_click = on_click<list_again>;
    nav.header_buttons[NAV_SELECT_ALL].on_click = select_all_click;
    nav.select_none_button.on_click = select_none_click;
    nav.scroll_track.on_drag_callback = navigator_scroll_track_moved;
    nav.scroll_track.on_press = navigator_scroll_track_moved;
    nav.scroll_track.on_release = navigator_scroll_track_moved;
    nav.ok_button.on_click = on_click<navigator_ok>;
    nav.path_bar.set_layout_callback(lay_out_navigator_path_bar);
    ConfigurationWidgets& config = app.configuration_pane_widgets;
    config.kernel_button.on_click = on_click<open_kernel_path_selection>;
    config.workspace_button.on_click = on_click<open_workspace_selection>;
    config.status_button.on_click = on_click<apply_entity_workspace>;
}

void wire_export_and_profile(Application& app)
{
    app.toolbar.buttons[TOOL_BUTTON_OPEN].on_click = on_click<open_script_command>;
    app.toolbar.buttons[TOOL_BUTTON_EXPORT].on_click = on_click<export_command>;
    app.run_pane.assemble_button.on_click = on_click<assemble_again>;
    ExportPaneWidgets& pane = app.export_pane_widgets;
    pane.export_button.on_click = on_click<export_pane_button>;
    pane.location_button.on_click = on_click<show_export_location_navigator>;
    ProfilePaneWidgets& profile = app.profile_pane;
    profile.row_toggle.on_click = on_click<toggle_ppd_row_list>;
    profile.buttons[0].on_click = on_click<show_entity_ppd>;
    profile.buttons[1].on_click = on_click<copy_ppd_to_clipboard>;
    profile.buttons[2].on_click = on_click<write_ppd_text_file>;
}

} // namespace

void wire_pane_callbacks(Application& app)
{
    wire_close_boxes(app);
    app.tab_bar.about_button.on_click = on_click<toggle_about_pane>;
    app.tab_bar.help_button.on_click = on_click<toggle_help_pane>;
    wire_navigator(app);
    wire_export_and_profile(app);
}

void run_enter_follow_up(Application& app, EnterFollowUp follow_up)
{
    switch (follow_up) {
    case EnterFollowUp::ASSEMBLE:
        assemble_command(app);
        break;
    case EnterFollowUp::CONFIRM_EXPORT:
        export_pane_button(app);
        break;
    case EnterFollowUp::APPLY_ENTITY_WORKSPACE:
        apply_entity_workspace(app);
        break;
    case EnterFollowUp::CONFIRM_NAVIGATOR:
        confirm_navigator_selection(app);
        break;
    // The image captures belong to the renderer, which answers them itself.
    case EnterFollowUp::SAVE_ENVIRONMENT_IMAGE:
    case EnterFollowUp::SAVE_SCREENSHOT:
        run_capture_follow_up(app, follow_up);
        break;
    case EnterFollowUp::NONE:
        break;
    }
}
