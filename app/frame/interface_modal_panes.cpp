// The panes that open over the window: the dialogs (run, parse, capture,
// screenshot, profile, directive, export, messages, about, help), the
// confirmation pane, the opening and loading panes and the file navigator,
// and the start-up panes (start-up logo, configuration box, run overlay,
// resize notice).

#include "app/frame/interface_construction.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/frame/interface_styles.h"
#include "lumo/font.h"
#include "panels/message_panes.h"
#include "platform/kernel_config.h"
#include "shell/help_texts.h"
#include "shell/menu_labels.h"
#include "shell/menu_rows.h"
#include "shell/pane_layouts.h"
#include "shell/themes.h"
#include "shell/window_layout.h"
#include "state/application.h"

namespace {

// A capture pane shows its image under the title and, below it, what Enter
// does; the layout fits both inside the pane.
void build_capture_pane_contents(CapturePaneWidgets& pane)
{
    pane.dialog.text.align_x = lumo::kAlignCentre;
    pane.dialog.text.align_y = lumo::kAlignCentre;
    std::vector<lumo::P*>& children = pane.dialog.pane.children;
    children.insert(std::find(children.begin(), children.end(), &pane.dialog.close_box),
                    &pane.preview);
}

void build_dialog(Application& app, DialogWidgets& dialog, const std::string& title,
                  const std::string& text)
{
    const LayoutMetrics& m = app.layout;
    fill_with(dialog.pane, STYLE_PANEL);
    for (lumo::Border* b : {&dialog.pane.border_left, &dialog.pane.border_top,
                            &dialog.pane.border_right, &dialog.pane.border_bottom})
        set_border(*b, m.thick_border, STYLE_BORDER_RIGHT);
    style_text(app, dialog.title, title, lumo::kFontBold);
    set_rect(dialog.title, m.gap * 2, m.gap, m.dialog_width - 6 * m.gap, m.row_height);
    style_text(app, dialog.text, text, lumo::kFontSmall);
    set_rect(dialog.text, m.gap * 2, m.row_height + 2 * m.gap, m.dialog_width - 4 * m.gap,
             m.dialog_height - m.row_height - 4 * m.gap);
    dialog.close_box.set_label("X");
    dialog.close_box.hover_style = active_style(STYLE_HIGHLIGHT);
    dialog.close_box.text_colour_override = app.theme_text_colour.data();
    set_rect(dialog.close_box, m.dialog_width - m.gap / 2 - 32, m.gap / 2, 32, 32);
    dialog.icon.text_colour_override = app.theme_text_colour.data();
    add_children(dialog.pane, {&dialog.icon, &dialog.title, &dialog.text, &dialog.close_box});
    dialog.pane.visible = false;
    app.overlay.add_child(&dialog.pane);
}

// The snapshot pane is narrower than the other dialogs: its close box sits
// at its own corner.
void build_snapshot_pane(Application& app)
{
    build_dialog(app, app.capture_pane.dialog, "Snapshot", g_snapshot_hint);
    const LayoutMetrics& m = app.layout;
    set_rect(app.capture_pane.dialog.close_box, CAPTURE_PANE_SIZE - m.gap / 2 - 32, m.gap / 2, 32,
             32);
    build_capture_pane_contents(app.capture_pane);
}

// The directive pane's title follows an icon, which the builder sets and
// whoever opens the pane may change.
void build_directive_pane(Application& app)
{
    DialogWidgets& dialog = app.directive_pane;
    build_dialog(app, dialog, "", "");
    const LayoutMetrics& m = app.layout;
    set_rect(dialog.icon, 2 * m.gap, m.gap, m.row_height, m.row_height);
    const int title_x = dialog.icon.x + m.row_height + m.gap;
    set_rect(dialog.title, title_x, m.gap, dialog.title.width - (title_x - dialog.title.x),
             m.row_height);
    app.message_panes.directive.title_icon = DIRECTIVE_PANE_BUILT_ICON;
}

void build_confirm_pane(Application& app)
{
    ConfirmPaneWidgets& confirm = app.confirm_pane;
    fill_with(confirm.box, STYLE_PANEL);
    for (lumo::Border* b : {&confirm.box.border_left, &confirm.box.border_top,
                            &confirm.box.border_right, &confirm.box.border_bottom})
        set_border(*b, app.layout.thick_border, STYLE_BORDER_RIGHT);
    style_text(app, confirm.title, "", lumo::kFontBold);
    style_text(app, confirm.text, "", lumo::kFontSmall);
    style_text(app, confirm.option_label, app.confirm.option_labels[0], lumo::kFontSmall);
    add_children(confirm.option_row, {&confirm.option_label});
    for (std::size_t i = 0; i < confirm.option_buttons.size(); ++i) {
        style_plain_button(app, confirm.option_buttons[i], std::string(1, char('A' + i)));
        confirm.option_row.add_child(&confirm.option_buttons[i]);
    }
    confirm.option_row.visible = false;
    style_plain_button(app, confirm.answer_buttons[0], app.confirm.cancel_labels[0]);
    style_plain_button(app, confirm.answer_buttons[1], app.confirm.accept_labels[0]);
    add_children(confirm.box, {&confirm.icon, &confirm.title, &confirm.text, &confirm.option_row,
                               &confirm.answer_buttons[0], &confirm.answer_buttons[1]});
    confirm.pane.add_child(&confirm.box);
    confirm.pane.visible = false;
    app.overlay.add_child(&confirm.pane);
}

// RUNPANE: the mode title, the three mode buttons, the grid of mode cells
// (a column per mode) and the feature rows in the body; PROFILER and CULLING
// at the title's right; the assemble button at the foot. The texts, fonts
// and selections come from select_execution_mode.
void build_run_pane_contents(Application& app)
{
    RunPaneWidgets& run = app.run_pane;
    build_dialog(app, run.dialog, "Assembly", "");
    run.dialog.text.visible = false;
    style_text(app, run.mode_title, "", lumo::kFontBold);
    run.mode_title.align_y = lumo::kAlignCentre;
    run.body.add_child(&run.mode_title);
    const LabelGroup& modes = label_group(MENU_TABLE_EXECUTE_MODES);
    for (int i = 0; i < 3; ++i) {
        lumo::P& button = app.execution_mode_buttons[static_cast<std::size_t>(i)];
        style_button(app, button, modes, i);
        run.body.add_child(&button);
    }
    for (std::size_t cell = 0; cell < run.mode_cells.size(); ++cell) {
        const ExecutionModeTexts& texts = g_execution_mode_texts[cell % 3];
        const std::size_t row = cell / 3;
        lumo::P& widget = run.mode_cells[cell];
        style_text(app, widget, row < texts.cells.size() ? texts.cells[row] : "",
                   row == 0 ? lumo::kFontSmallBold : lumo::kFontSmall);
        widget.hint_title = &texts.hint.label;
        widget.hint_text = &texts.hint.tooltip;
        widget.selected_style = active_style(STYLE_HIGHLIGHT);
        run.body.add_child(&widget);
    }
    for (std::size_t row = 0; row < run.feature_rows.size(); ++row) {
        style_text(app, run.feature_rows[row], g_mesh_feature_labels[row], lumo::kFontSmall);
        run.feature_rows[row].align_y = lumo::kAlignCentre;
        run.body.add_child(&run.feature_rows[row]);
    }
    run.body.clip_children = true;
    style_plain_button(app, app.profiler_toggle, "PROFILER");
    style_plain_button(app, app.culling_toggle, "CULLING");
    style_button(app, run.assemble_button, label_group(MENU_TABLE_TOOL_BUTTONS),
                 TOOL_BUTTON_ASSEMBLE);
    add_children(run.dialog.pane,
                 {&run.body, &app.culling_toggle, &app.profiler_toggle, &run.assemble_button});
}

void build_export_and_profile_contents(Application& app)
{
    ExportPaneWidgets& pane = app.export_pane_widgets;
    pane.dialog.text.visible = false;
    style_plain_button(app, pane.location_button, "...");
    style_plain_button(app, pane.export_button, "!");
    pane.dialog.pane.add_child(&pane.location_button);
    // A format row is pressed anywhere along it: its description lies over
    // it without taking the press.
    for (std::size_t i = 0; i < pane.format_toggles.size(); ++i) {
        const TaggedLabel& format = g_export_format_labels[i];
        lumo::P& row = pane.format_toggles[i];
        style_plain_button(app, row, format.tag);
        row.align_x = lumo::kAlignStart;
        row.padding.left = app.layout.gap;
        lumo::T& description = pane.format_descriptions[i];
        style_text(app, description, format.text, lumo::kFontSmall);
        description.align_y = lumo::kAlignCentre;
        description.enabled = false;
        lumo::P& marker = pane.format_markers[i];
        marker.selected_style = active_style(STYLE_HIGHLIGHT);
        for (lumo::Border* b :
             {&marker.border_left, &marker.border_top, &marker.border_right, &marker.border_bottom})
            set_border(*b, app.layout.thin_border, STYLE_BORDER_RIGHT);
        add_children(pane.dialog.pane, {&row, &description, &marker});
    }
    for (std::size_t i = 0; i < app.export_name_part_toggles.size(); ++i) {
        const TaggedLabel& option = g_export_option_labels[i];
        lumo::P& button = app.export_name_part_toggles[i];
        style_plain_button(app, button, option.tag + "\n" + option.text);
        button.hint_title = &g_export_option_hints[i].label;
        button.hint_text = &g_export_option_hints[i].tooltip;
        pane.dialog.pane.add_child(&button);
    }
    app.export_name_field.hint = "enter a filename";
    app.export_location_field.hint = "select an output file location";
    // The location is chosen with its "..." button, which checks it; typing
    // could only show a location the export would not use.
    app.export_location_field.editable = false;
    ProfilePaneWidgets& profile = app.profile_pane;
    style_text(app, profile.report_text, "", lumo::kFontSmall);
    profile.report_scroll.add_child(&profile.report_text);
    profile.row_scroll.add_child(&profile.row_list);
    style_plain_button(app, profile.row_toggle, "<<");
    const std::array<const char*, 3> labels{"Show", "Copy", "Write"};
    for (std::size_t i = 0; i < labels.size(); ++i)
        style_plain_button(app, profile.buttons[i], labels[i]);
    add_children(profile.dialog.pane,
                 {&profile.report_scroll, &profile.row_scroll, &profile.row_toggle,
                  &profile.buttons[0], &profile.buttons[1], &profile.buttons[2]});
    app.ppd_view.row_list = &profile.row_scroll;
    app.ppd_view.report_area = &profile.report_scroll;
    app.ppd_view.report_text = &profile.report_text;
}

// PARSEPANE: the row list and the report view with its fourteen section
// labels; the rows themselves come with each parse-check.
void build_parse_report_contents(Application& app)
{
    ParseReportWidgets& report = app.parse_report;
    app.parse_pane.text.visible = false;
    // The report's views inside the dialog keep one grey frame in every theme.
    for (lumo::SP* view : {&report.row_scroll, &report.report_scroll}) {
        apply_widget_style_b(app, *view);
        view->clip_children = true;
    }
    report.row_scroll.add_child(&report.row_list);
    style_text(app, report.title, "", lumo::kFontSmallBold);
    report.title.padding.left = app.layout.gap;
    report.title.align_y = lumo::kAlignCentre;
    fill_with(report.companion, STYLE_PANEL);
    for (std::size_t k = 0; k < report.headings.size(); ++k) {
        style_text(app, report.headings[k], "", lumo::kFontSmallBold);
        report.headings[k].align_y = lumo::kAlignCentre;
        fill_with(report.headings[k], STYLE_BAR);
        set_border(report.headings[k].border_top, app.layout.thin_border, STYLE_BORDER_TOP);
        set_border(report.headings[k].border_bottom, app.layout.thin_border, STYLE_BORDER_BOTTOM);
        style_text(app, report.bodies[k], "", lumo::kFontSmall);
        report.bodies[k].padding = {app.layout.gap, app.layout.gap, app.layout.gap, app.layout.gap};
        add_children(report.content, {&report.headings[k], &report.bodies[k]});
    }
    add_children(report.report_scroll, {&report.companion, &report.content});
    add_children(app.parse_pane.pane, {&report.row_scroll, &report.title, &report.report_scroll});
}

} // namespace

void build_modal_panes(Application& app)
{
    fill_with(app.mask_pane, STYLE_MASK);
    app.mask_pane.visible = false;
    app.overlay.visible = false;
    build_run_pane_contents(app);
    build_dialog(app, app.parse_pane, "Script Parsing Result", "");
    build_dialog(app, app.screenshot_pane.dialog, "Screenshot", g_screenshot_hint);
    build_capture_pane_contents(app.screenshot_pane);
    build_dialog(app, app.profile_pane.dialog, "Performance Profile", "");
    build_directive_pane(app);
    build_dialog(app, app.export_pane_widgets.dialog, "Export", "");
    style_text(app, app.export_pane_widgets.estimate_label, "Estimated Size-on-Disk: 0.000 MB",
               lumo::kFontSmall);
    // The first environment exports into the workspace until a location is
    // chosen; later environments fill these when they are restored.
    ViewSettings& settings = app.view_settings;
    if (settings.export_name.empty()) settings.export_name = "environment";
    if (settings.export_location.empty()) settings.export_location = get_workspace_path();
    app.export_name_field.set_label_field(settings.export_name);
    app.export_location_field.set_label_field(settings.export_location);
    add_children(app.export_pane_widgets.dialog.pane,
                 {&app.export_pane_widgets.estimate_label, &app.export_pane_widgets.export_button,
                  &app.export_name_field, &app.export_location_field});
    build_dialog(app, app.about_pane, g_about_title, g_about_text);
    build_dialog(app, app.help_pane, g_help_title, g_help_text);
    build_dialog(app, app.info_pane, "", "");
    build_dialog(app, app.error_pane, "", "");
    build_dialog(app, app.warning_pane, "", "");
    build_snapshot_pane(app);
    build_confirm_pane(app);
    build_export_and_profile_contents(app);
    build_parse_report_contents(app);
    for (std::size_t i = 0; i < app.open_pane_icons.size(); ++i) {
        lumo::P& icon = app.open_pane_icons[i];
        icon.icon = static_cast<int>(app.opening_icons[i]);
        icon.text_colour_override = app.theme_text_colour.data();
        app.open_pane.add_child(&icon);
    }
    app.open_pane.visible = false;
    app.overlay.add_child(&app.open_pane);
    fill_with(app.load_box, STYLE_PANEL);
    app.load_pane.add_child(&app.load_box);
    app.load_pane.visible = false;
    app.overlay.add_child(&app.load_pane);
    NavigatorPaneWidgets& nav = app.navigator_pane;
    fill_with(nav.pane, STYLE_PANEL);
    style_text(app, nav.location_label, "Location \t test/", lumo::kFontSmall);
    style_text(app, nav.path_label, "\nnone selected", lumo::kFontSmall);
    // The column heads, the close box over the last head's free end, the
    // sort marker over both.
    for (int i = NAV_SORT_TYPE; i <= NAV_SORT_DATE; ++i)
        nav.header.add_child(&nav.header_buttons[static_cast<std::size_t>(i)]);
    nav.header.add_child(&nav.header_buttons[NAV_CLOSE]);
    fill_with(nav.sort_marker, STYLE_BORDER_BOTTOM);
    nav.sort_marker.enabled = false; // a press on it is one on the head
    nav.header.add_child(&nav.sort_marker);
    const std::array<double, 2> area_opacity{0.5, 0.25};
    for (std::size_t i = 0; i < nav.column_areas.size(); ++i) {
        fill_with(nav.column_areas[i], STYLE_TRACK);
        nav.column_areas[i].opacity = area_opacity[i];
        nav.column_areas[i].enabled = false; // presses go to the rows
        nav.list_area.add_child(&nav.column_areas[i]);
    }
    nav.list_area.add_child(&app.navigator_rows.list);
    nav.path_bar.add_child(&app.navigator_rows.path_strip);
    app.navigator_rows.row_fill = active_style(STYLE_HIGHLIGHT);
    app.navigator_rows.path_button_fill = active_style(STYLE_BAR);
    app.navigator_rows.path_button_hover = active_style(STYLE_HIGHLIGHT);
    app.navigator_rows.path_button_border = active_style(STYLE_BORDER_RIGHT);
    const std::array<const char*, NAV_CLOSE> header_labels{"TYPE", "NAME",    "SIZE", "DATE",
                                                           "HOME", "REFRESH", "ALL"};
    for (std::size_t i = 0; i < header_labels.size(); ++i)
        style_plain_button(app, nav.header_buttons[i], header_labels[i]);
    style_plain_button(app, nav.header_buttons[NAV_CLOSE], "X");
    style_plain_button(app, nav.select_none_button, "NONE");
    style_plain_button(app, nav.ok_button, "");
    style_text(app, nav.title, "", lumo::kFontSmallBold);
    style_text(app, nav.hint, "", lumo::kFontSmallItalic);
    nav.hint.opacity = 0.5;
    // The hint continues the title's first line: both start at the left.
    nav.title.align_x = lumo::kAlignStart;
    nav.hint.align_x = lumo::kAlignStart;
    fill_with(nav.header, STYLE_BAR);
    nav.list_area.clip_children = true;
    nav.path_bar.clip_children = true;
    fill_with(nav.scroll_track, STYLE_TRACK);
    fill_with(nav.scroll_thumb, STYLE_THUMB_HOVER);
    // The thumb shows where the track stands: a press on it is a press on
    // the track, which then follows the drag.
    nav.scroll_thumb.enabled = false;
    add_children(nav.pane,
                 {&nav.header, &nav.path_bar, &nav.header_buttons[NAV_HOME],
                  &nav.header_buttons[NAV_REFRESH], &nav.header_buttons[NAV_SELECT_ALL],
                  &nav.select_none_button, &nav.list_area, &nav.scroll_track, &nav.scroll_thumb,
                  &nav.location_label, &nav.path_label, &nav.title, &nav.hint, &nav.ok_button});
    fill_with(app.navigator_dimmer, STYLE_MASK);
    app.navigator_dimmer.visible = false;
    nav.pane.add_child(&app.navigator_dimmer);
    nav.pane.visible = false;
    app.overlay.add_child(&nav.pane);
    // Messages and confirmations open over the navigator and over each other.
    for (lumo::P* pane : {&app.warning_pane.pane, &app.error_pane.pane, &app.info_pane.pane})
        pane->depth_offset = 1.0;
    app.confirm_pane.pane.depth_offset = 2.0;
    app.load_pane.depth_offset = 3.0;
}

void build_startup_widgets(Application& app)
{
    app.startup_logo.icon = 54;
    app.startup_logo.icon_scale = 2.0;
    app.startup_logo.opacity = 0.0;
    style_text(app, app.startup.label, "assembling...", lumo::kFontSmall);
    app.startup.label.visible = false;
    fill_with(app.startup_pane, STYLE_PANEL);
    add_children(app.startup_pane, {&app.startup_logo, &app.startup.label});
    ConfigurationWidgets& config = app.configuration_pane_widgets;
    style_text(app, config.title, "\nProgram Configuration", lumo::kFontBold);
    config.kernel_field.set_label_field("???");
    config.workspace_field.set_label_field("???");
    style_text(app, config.kernel_state, "UNDEFINED", lumo::kFontSmall);
    style_text(app, config.workspace_state, "UNDEFINED", lumo::kFontSmall);
    style_plain_button(app, config.status_button, "!");
    style_plain_button(app, config.kernel_button, "Kernel");
    style_plain_button(app, config.workspace_button, "Workspace");
    fill_with(config.pane, STYLE_MASK);
    fill_with(config.box, STYLE_PANEL);
    add_children(config.box, {&config.title, &config.kernel_field, &config.workspace_field,
                              &config.kernel_state, &config.workspace_state, &config.status_button,
                              &config.kernel_button, &config.workspace_button});
    config.pane.add_child(&config.box);
    fill_with(app.run_overlay.overlay, STYLE_MASK);
    fill_with(app.run_overlay.box, STYLE_PANEL);
    style_text(app, app.run_overlay.text, "assembling...", lumo::kFontSmall);
    app.run_overlay.box.add_child(&app.run_overlay.text);
    app.run_overlay.overlay.add_child(&app.run_overlay.box);
    app.run_overlay.overlay.visible = false;
    fill_with(app.resize_notice.notice, STYLE_PANEL);
    style_text(app, app.resize_notice.text, "Resize Window\n\n\nMinimum-Size:\n480 x 360",
               lumo::kFontBold);
    app.resize_notice.text.align_x = lumo::kAlignCentre;
    add_children(app.resize_notice.notice, {&app.resize_notice.icon_box, &app.resize_notice.text});
    app.resize_notice.notice.visible = false;
}
