// Construction of the interface by area: bars, floating controls, side
// panels, modal panes and start-up widgets.

#include "app/frame/interface_construction.h"

#include <algorithm>
#include <string>
#include <vector>

#include "state/application.h"
#include "lumo/font.h"
#include "panels/message_panes.h"
#include "platform/kernel_config.h"
#include "shell/help_texts.h"
#include "shell/menu_labels.h"
#include "shell/menu_rows.h"
#include "shell/pane_layouts.h"
#include "shell/state_setters.h"
#include "shell/themes.h"
#include "shell/window_layout.h"

namespace {

const FillStyle* style(int slot)
{
    return &g_active_fill_styles[static_cast<std::size_t>(slot)];
}

void fill_with(lumo::P& widget, int slot)
{
    widget.fill = true;
    widget.fill_style = style(slot);
}

void border(lumo::Border& b, int width, int slot)
{
    b.width = width;
    b.style = style(slot);
}

// A bar: its fill, and a thin border on the edge that faces the view.
void style_bar(Application& app, lumo::P& bar, bool border_below)
{
    fill_with(bar, STYLE_BAR);
    border(border_below ? bar.border_bottom : bar.border_top, app.layout.thin_border,
           border_below ? STYLE_BORDER_BOTTOM : STYLE_BORDER_TOP);
}

void style_text(Application& app, lumo::P& text, const std::string& label, int font)
{
    text.font = font;
    text.text_colour_override = app.theme_text_colour.data();
    text.set_label(label);
}

void add_children(lumo::KL& parent, std::initializer_list<lumo::P*> children)
{
    for (lumo::P* child : children)
        parent.add_child(child);
}

void build_toolbar(Application& app)
{
    ToolBarWidgets& bar = app.toolbar;
    style_bar(app, bar.bar, true);
    const LabelGroup& buttons = label_group(MENU_TABLE_TOOL_BUTTONS);
    for (int i = 0; i < TOOL_BUTTON_COUNT; ++i) {
        style_button(app, bar.buttons[static_cast<std::size_t>(i)], buttons, i);
        bar.buttons[static_cast<std::size_t>(i)].font = lumo::kFontTinyBold;
        bar.bar.add_child(&bar.buttons[static_cast<std::size_t>(i)]);
    }
    const LabelGroup& titles = label_group(MENU_TABLE_TOOL_TITLES);
    for (int i = 0; i < TOOL_MENU_COUNT; ++i) {
        lumo::P& button = bar.menu_buttons[static_cast<std::size_t>(i)];
        style_button(app, button, titles, i);
        button.set_label("");
        button.icon = static_cast<int>(app.tool_menu_icons[static_cast<std::size_t>(i)]);
        button.hint_icon = button.icon;
        bar.scroll.add_child(&button);
    }
    set_rect(bar.open_menu_marker, 0, app.layout.bar_unit - app.layout.gap, app.layout.gap,
             app.layout.gap / 2);
    fill_with(bar.open_menu_marker, STYLE_HIGHLIGHT);
    bar.scroll.add_child(&bar.open_menu_marker);
    bar.scroll.clip_children = true;
    bar.bar.add_child(&bar.scroll);
}

void build_tipbar(Application& app)
{
    TipBarWidgets& bar = app.tip_bar;
    style_bar(app, bar.bar, true);
    bar.scroll.clip_children = true;
    // With no tool menu open the strip shows the script list.
    style_text(app, app.script_list_label, app.script_list_text, lumo::kFontSmall);
    app.script_list_label.align_y = lumo::kAlignCentre;
    app.script_list_label.padding.left = app.layout.gap;
    app.script_list_width = app.script_list_label.label_width;
    set_rect(app.script_list_label, 0, 0, app.script_list_width + 2 * app.layout.gap,
             app.layout.row_height);
    app.script_list_label.hint_title = &app.script_list_text;
    app.script_list_label.hint_text = &g_menu_tree_hint;
    app.script_list_label.hover_style = style(STYLE_HIGHLIGHT);
    bar.scroll.add_child(&app.script_list_label);
    style_text(app, app.tool_menu_title, "", lumo::kFontSmallBold);
    app.tool_menu_title.align_y = lumo::kAlignCentre;
    app.tool_menu_icon.text_colour_override = app.theme_text_colour.data();
    app.tool_menu_title.visible = false;
    app.tool_menu_icon.visible = false;
    add_children(bar.scroll, {&app.tool_menu_icon, &app.tool_menu_title, &app.tool_menu_pane});
    app.tool_menu_pane.visible = false;
    const LabelGroup& tabs = label_group(MENU_TABLE_SIDE_PANEL);
    for (int i = 0; i < 3; ++i) {
        lumo::P& tab = app.side_panel_tabs[static_cast<std::size_t>(i)];
        style_button(app, tab, tabs, i);
        border(tab.border_right, app.layout.thin_border, STYLE_BORDER_RIGHT);
        bar.bar.add_child(&tab);
    }
    bar.bar.add_child(&bar.scroll);
    // Drawn in the border tone: the open tab itself wears the highlight.
    fill_with(bar.tab_marker, STYLE_BORDER_BOTTOM);
    bar.tab_marker.enabled = false; // a press on it is one on the tab
    bar.bar.add_child(&bar.tab_marker);
}

// Rows one under the other, wide enough for the longest label; the layout
// puts the pane beneath the script list.
void build_menu_tree(Application& app)
{
    const LayoutMetrics& m = app.layout;
    MenuTreeWidgets& tree = app.menu_tree;
    const LabelGroup& labels = menu_tree_labels();
    const int width = 3 * m.bar_unit + 2 * m.gap;
    for (int i = 0; i < MENU_TREE_ROW_COUNT; ++i) {
        lumo::P& row = tree.rows[static_cast<std::size_t>(i)];
        style_button(app, row, labels, i);
        row.font = lumo::kFontSmall;
        row.align_x = lumo::kAlignStart;
        row.padding.left = m.gap;
        border(row.border_bottom, m.thin_border, STYLE_BORDER_BOTTOM);
        set_rect(row, 0, i * m.row_height, width, m.row_height);
        tree.pane.add_child(&row);
    }
    fill_with(tree.pane, STYLE_DROP_DOWN);
    border(tree.pane.border_right, m.thin_border, STYLE_BORDER_RIGHT);
    set_rect(tree.pane, 0, 0, width, MENU_TREE_ROW_COUNT * m.row_height + 1);
    tree.pane.visible = false;
}

// The open drop-down's icon and title sit in the pane's bottom row, which
// the drop-down's rows leave free.
void build_settings_menu_header(Application& app)
{
    const LayoutMetrics& m = app.layout;
    set_rect(app.settings_menu_icon, m.gap / 2, 6 * m.row_height, m.row_height, m.row_height);
    app.settings_menu_icon.text_colour_override = app.theme_text_colour.data();
    style_text(app, app.settings_menu_title, "", lumo::kFontSmallBold);
    app.settings_menu_title.align_y = lumo::kAlignCentre;
    set_rect(app.settings_menu_title, m.gap / 2 + m.row_height + m.gap, 6 * m.row_height,
             2 * m.bar_unit - m.row_height - 2 * m.gap, m.row_height);
    app.settings_menu_icon.visible = false;
    app.settings_menu_title.visible = false;
    add_children(app.settings_menu_pane, {&app.settings_menu_icon, &app.settings_menu_title});
}

void build_menubar(Application& app)
{
    style_bar(app, app.settings_bar, false);
    border(app.settings_bar.border_left, app.layout.thin_border, STYLE_BORDER_LEFT);
    const LabelGroup& titles = label_group(MENU_TABLE_SETTINGS_TITLES);
    for (int i = 0; i < SETTINGS_MENU_COUNT; ++i) {
        lumo::P& button = app.settings_bar_items[static_cast<std::size_t>(i)];
        style_button(app, button, titles, i);
        button.set_label("");
        button.icon = static_cast<int>(app.settings_menu_icons[static_cast<std::size_t>(i)]);
        button.hint_icon = button.icon;
        lumo::P& marker = app.menu_bar.markers[static_cast<std::size_t>(i)];
        set_rect(marker, 0, 0, app.layout.gap / 2, app.layout.gap);
        marker.visible = false;
        add_children(app.menu_bar.scroll, {&button, &marker});
    }
    app.menu_bar.scroll.clip_children = true;
    app.settings_bar.add_child(&app.menu_bar.scroll);
    app.settings_bar.visible = false;
    fill_with(app.settings_menu_pane, STYLE_DROP_DOWN);
    // Six rows high: the pane's seventh row holds the header, and a longer
    // drop-down scrolls beneath the clip rather than under the header.
    set_rect(app.menu_bar.drop_column, 0, 0, 2 * app.layout.bar_unit, 6 * app.layout.row_height);
    app.menu_bar.drop_column.clip_children = true;
    app.settings_menu_pane.add_child(&app.menu_bar.drop_column);
    build_settings_menu_header(app);
    app.settings_menu_pane.visible = false;
}

// The value fields of the WINDOW and WIDGETS drop-downs sit at the left of
// their rows, whose labels are right-aligned. The tone fields only show their
// value: a click goes through to the row beneath, which steps the tone.
void place_settings_value_fields(Application& app)
{
    const LayoutMetrics& m = app.layout;
    const ViewSettings& settings = app.view_settings;
    struct ValueField {
        int menu;
        int row;
        lumo::F* field;
        std::string text;
        bool typed;
    };
    const ValueField fields[] = {
        {SETTINGS_MENU_WINDOW, SETTINGS_ROW_WINDOW_WIDTH, &app.window_width_field,
         std::to_string(app.window_width), true},
        {SETTINGS_MENU_WINDOW, SETTINGS_ROW_WINDOW_HEIGHT, &app.window_height_field,
         std::to_string(app.window_height), true},
        {SETTINGS_MENU_WINDOW, SETTINGS_ROW_FRAME_RATE_LIMIT, &app.frame_rate_limit_field,
         std::to_string(settings.frame_rate_limit), true},
        {SETTINGS_MENU_WIDGETS, SETTINGS_ROW_MONO_EDGE_TONE, &app.mono_edge_tone_field,
         std::to_string(settings.mono_edge_tone), false},
        {SETTINGS_MENU_WIDGETS, SETTINGS_ROW_MONO_DOT_TONE, &app.mono_dot_tone_field,
         std::to_string(settings.mono_dot_tone), false},
        {SETTINGS_MENU_WIDGETS, SETTINGS_ROW_SILHOUETTE_TONE, &app.silhouette_tone_field,
         std::to_string(settings.silhouette_tone), false},
        {SETTINGS_MENU_WIDGETS, SETTINGS_ROW_EYE_HEIGHT, &app.eye_height_field,
         settings.eye_height_text, true},
    };
    for (const ValueField& value : fields) {
        lumo::F& field = *value.field;
        field.font = lumo::kFontTiny;
        field.text_colour_override = app.theme_text_colour.data();
        field.set_label_field(value.text);
        field.enabled = value.typed;
        // A field that takes typing is framed, so it reads as one.
        if (value.typed) apply_grey_frame_style(field);
        const int width = value.typed ? m.bar_unit - m.gap : m.row_height - m.gap;
        set_rect(field, m.gap / 2, value.row * m.row_height + m.gap / 2, width,
                 m.row_height - m.gap);
        app.settings_menus[static_cast<std::size_t>(value.menu)].strip.add_child(&field);
    }
}

void build_status_and_tab_bars(Application& app)
{
    style_bar(app, app.status_bar.bar, false);
    style_text(app, app.status_label, app.status_line_text, lumo::kFontSmall);
    app.status_label.align_y = lumo::kAlignCentre;
    app.status_label.padding.left = app.layout.gap;
    set_rect(app.status_label, 0, 0, 4096, app.layout.strip_height);
    app.status_bar.scroll.clip_children = true;
    app.status_bar.scroll.add_child(&app.status_label);
    app.status_bar.bar.add_child(&app.status_bar.scroll);

    TabBarWidgets& tabs = app.tab_bar;
    style_bar(app, tabs.bar, false);
    const LabelGroup& labels = label_group(MENU_TABLE_TAB_BAR);
    style_button(app, tabs.environment_button, labels, 0);
    style_button(app, tabs.about_button, labels, 1);
    style_button(app, tabs.help_button, labels, 2);
    tabs.scroll.clip_children = true;
    tabs.scroll.add_child(&app.environment_tabs.strip);
    add_children(tabs.bar,
                 {&tabs.environment_button, &tabs.scroll, &tabs.about_button, &tabs.help_button});
    fill_with(tabs.hover_card, STYLE_DROP_DOWN);
    const int card_width = 2 * app.layout.bar_unit;
    const int card_height = HOVER_CARD_HEIGHT;
    set_rect(tabs.hover_card, 0, 0, card_width, card_height);
    // The environment's image above, its close box below.
    set_rect(tabs.hover_card_label, 0, 2, card_width, card_height - app.layout.strip_height - 4);
    set_rect(tabs.hover_card_close, 0, card_height - app.layout.strip_height, card_width,
             app.layout.strip_height);
    style_text(app, tabs.hover_card_close, "close", lumo::kFontSmallBold);
    tabs.hover_card_close.hover_style = style(STYLE_HIGHLIGHT);
    add_children(tabs.hover_card, {&tabs.hover_card_label, &tabs.hover_card_close});
    tabs.hover_card.visible = false;
}

void build_slider_and_colour_bars(Application& app)
{
    style_bar(app, app.slider_bar, false);
    SliderBarWidgets& sliders = app.slider_bar_parts;
    sliders.scroll.clip_children = true;
    sliders.scroll.add_child(&sliders.content);
    app.slider_bar.add_child(&sliders.scroll);
    // The SLIDERS item of the settings bar is marked while the bar shows.
    const bool shown = app.view_settings.panel_flags[PANEL_SLIDER_BAR_VISIBLE] != 0;
    app.slider_bar.visible = shown;
    app.settings_bar_items[SETTINGS_MENU_SLIDERS].selected = shown;
    fill_field_sliders(app);

    ColourBarWidgets& colours = app.colour_bar;
    style_bar(app, colours.bar, true);
    colours.scroll.clip_children = true;
    colours.bar.add_child(&colours.scroll);
    fill_colour_by_menu(app);
    colours.bar.visible = app.view_settings.colour_mode == COLOUR_SCHEME_FUNCTION;
}

void build_hint_bar(Application& app)
{
    HintBarWidgets& hint = app.hint_bar;
    hint.bar.fill = app.view_settings.hover_hints != 0;
    hint.bar.fill_style = style(STYLE_DROP_DOWN);
    border(hint.bar.border_bottom, app.layout.thin_border, STYLE_BORDER_BOTTOM);
    for (std::size_t i = 0; i < hint.texts.size(); ++i) {
        lumo::T& text = hint.texts[i];
        style_text(app, text, "", i == 0 ? lumo::kFontSmallBold : lumo::kFontSmall);
        set_rect(text, 0, static_cast<int>(i) * app.layout.row_height / 2 + app.layout.gap / 2,
                 4096, app.layout.row_height / 2);
        text.margin.left = app.layout.gap / 2;
    }
    set_rect(hint.icon, app.layout.gap, app.layout.gap / 2, app.layout.row_height,
             app.layout.row_height);
    hint.icon.visible = false;
    add_children(hint.bar, {&hint.icon, &hint.texts[0], &hint.texts[1]});
    hint.bar.visible = false;
}

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
        border(*b, m.thick_border, STYLE_BORDER_RIGHT);
    style_text(app, dialog.title, title, lumo::kFontBold);
    set_rect(dialog.title, m.gap * 2, m.gap, m.dialog_width - 6 * m.gap, m.row_height);
    style_text(app, dialog.text, text, lumo::kFontSmall);
    set_rect(dialog.text, m.gap * 2, m.row_height + 2 * m.gap, m.dialog_width - 4 * m.gap,
             m.dialog_height - m.row_height - 4 * m.gap);
    dialog.close_box.set_label("X");
    dialog.close_box.hover_style = style(STYLE_HIGHLIGHT);
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

void style_plain_button(Application& app, lumo::P& button, const std::string& label)
{
    button.set_label(label);
    button.font = lumo::kFontSmallBold;
    button.hover_style = style(STYLE_HIGHLIGHT);
    button.selected_style = style(STYLE_HIGHLIGHT);
    button.text_colour_override = app.theme_text_colour.data();
}

void build_confirm_pane(Application& app)
{
    ConfirmPaneWidgets& confirm = app.confirm_pane;
    fill_with(confirm.box, STYLE_PANEL);
    for (lumo::Border* b : {&confirm.box.border_left, &confirm.box.border_top,
                            &confirm.box.border_right, &confirm.box.border_bottom})
        border(*b, app.layout.thick_border, STYLE_BORDER_RIGHT);
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
        widget.selected_style = style(STYLE_HIGHLIGHT);
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
        marker.selected_style = style(STYLE_HIGHLIGHT);
        for (lumo::Border* b :
             {&marker.border_left, &marker.border_top, &marker.border_right, &marker.border_bottom})
            border(*b, app.layout.thin_border, STYLE_BORDER_RIGHT);
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
        border(report.headings[k].border_top, app.layout.thin_border, STYLE_BORDER_TOP);
        border(report.headings[k].border_bottom, app.layout.thin_border, STYLE_BORDER_BOTTOM);
        style_text(app, report.bodies[k], "", lumo::kFontSmall);
        report.bodies[k].padding = {app.layout.gap, app.layout.gap, app.layout.gap, app.layout.gap};
        add_children(report.content, {&report.headings[k], &report.bodies[k]});
    }
    add_children(report.report_scroll, {&report.companion, &report.content});
    add_children(app.parse_pane.pane, {&report.row_scroll, &report.title, &report.report_scroll});
}

} // namespace

void style_button(Application& app, lumo::P& button, const LabelGroup& labels, int i)
{
    const auto index = static_cast<std::size_t>(i);
    button.set_label(labels.short_labels[index]);
    button.hint_title = &labels.pairs[index].label;
    button.hint_text = &labels.pairs[index].tooltip;
    button.hover_style = style(STYLE_HIGHLIGHT);
    button.selected_style = style(STYLE_HIGHLIGHT);
    button.text_colour_override = app.theme_text_colour.data();
    button.font = lumo::kFontSmallBold;
}

void build_bars(Application& app)
{
    build_toolbar(app);
    build_tipbar(app);
    build_menu_tree(app);
    build_menubar(app);
    build_status_and_tab_bars(app);
    build_slider_and_colour_bars(app);
    build_hint_bar(app);
    fill_view_menus(app);
    fill_settings_menus(app);
    place_settings_value_fields(app);
    // The rows show the start-up choices (RGBA, Euler orbit, the theme, ...)
    // before any row is pressed.
    for (int m = 0; m < TOOL_MENU_COUNT; ++m)
        mirror_menu_checks(app.tool_menus[static_cast<std::size_t>(m)],
                           *app.menu_checks.tool_menu_checks[static_cast<std::size_t>(m)]);
    for (int m = 0; m < SETTINGS_MENU_COUNT; ++m)
        mirror_menu_checks(app.settings_menus[static_cast<std::size_t>(m)],
                           *app.menu_checks.settings_menu_checks[static_cast<std::size_t>(m)]);
}

void build_floating_controls(Application& app)
{
    const LayoutMetrics& m = app.layout;
    const LabelGroup& parallel = label_group(MENU_TABLE_PARALLEL_FLAGS);
    const LabelGroup& inspector = label_group(MENU_TABLE_INSPECTOR);
    style_button(app, app.parallel_flags_toggle, parallel, 0);
    style_button(app, app.llmi_toggle, inspector, 0);
    for (int i = 0; i < 5; ++i)
        style_button(app, app.parallel_option_toggles[static_cast<std::size_t>(i)], parallel,
                     i + 2);
    for (std::size_t i = 0; i < app.pick_mode_rows.size(); ++i)
        style_button(app, app.pick_mode_rows[i], inspector, static_cast<int>(i) + 1);
    for (lumo::P* toggle : {&app.parallel_flags_toggle, &app.llmi_toggle}) {
        toggle->width = m.strip_height;
        toggle->height = m.strip_height;
        fill_with(*toggle, STYLE_BAR);
        toggle->visible = false;
    }
    for (StripWidgets* strip : {&app.parallel_flags_strip, &app.inspector_strip}) {
        fill_with(strip->panel, STYLE_BAR);
        strip->panel.clip_children = true;
        strip->panel.add_child(&strip->content);
        strip->panel.visible = false;
    }
    DirectiveColumnWidgets& directives = app.directive_column;
    fill_with(directives.column, STYLE_PANEL);
    border(directives.column.border_left, m.thin_border, STYLE_BORDER_LEFT);
    directives.list_area.clip_children = true;
    directives.list_area.add_child(&directives.list);
    directives.list_area.add_child(&directives.marker);
    fill_with(directives.marker, STYLE_HIGHLIGHT);
    const LabelGroup& cds = label_group(MENU_TABLE_CAMERA_DIRECTIVES);
    for (std::size_t i = 0; i < directives.buttons.size(); ++i) {
        style_button(app, directives.buttons[i], cds, static_cast<int>(i));
        directives.south.add_child(&directives.buttons[i]);
    }
    for (std::size_t i = 0; i < directives.goto_fields.size(); ++i) {
        directives.goto_fields[i].hint_title = &cds.pairs[4 + i].label;
        directives.goto_fields[i].hint_text = &cds.pairs[4 + i].tooltip;
        directives.south.add_child(&directives.goto_fields[i]);
    }
    directives.column.set_region(lumo::BL::kCentre, &directives.list_area, 0);
    directives.column.set_region(lumo::BL::kSouth, &directives.south,
                                 DIRECTIVE_FOOT_ROWS * (m.bar_unit / 2));
    directives.column.visible = false;
    fill_with(directives.grip, STYLE_THUMB_HOVER);
    directives.grip.visible = false;

    VariantsPanelWidgets& variants = app.variants_panel;
    fill_with(variants.panel, STYLE_PANEL);
    style_text(app, variants.header, "VARIANTS", lumo::kFontSmallBold);
    variants.header.align_x = lumo::kAlignStart;
    style_text(app, variants.footer, "VARIANTS", lumo::kFontSmall);
    add_children(variants.panel, {&variants.header, &variants.list, &variants.footer});
    // Collapsed, the panel is one strip high and its list lies below it.
    variants.panel.clip_children = true;
    variants.list.clip_children = true;
    variants.panel.visible = false;

    fill_with(app.animation_control, STYLE_BAR);
    app.animation_control.visible = false;
    app.expand_button.icon = static_cast<int>(app.settings_menu_icons[SETTINGS_MENU_FULLSCREEN]);
    app.expand_button.hover_style = style(STYLE_HIGHLIGHT);
    app.expand_button.text_colour_override = app.theme_text_colour.data();
    style_text(app, app.fps_readout, "? fps (? ms)", lumo::kFontSmall);
    // The read-out's colour tells the frame rate, so it keeps its own.
    app.fps_readout.text_colour_override = nullptr;
    app.fps_readout.align_x = lumo::kAlignEnd;
    app.fps_readout.visible = app.view_settings.show_fps != 0;
    app.content_pane.add_child(&app.fps_readout);
    // The statistics sit in the lower-left corner of the view; the root
    // layout's bottom margins lift them above the slider, colour and
    // variants strips.
    for (lumo::T& text : app.statistics_texts) {
        style_text(app, text, "", lumo::kFontSmall);
        text.align_y = lumo::kAlignEnd;
    }
    // Children paint in order: the shadow first, so the text lies on it.
    app.content_pane.add_child(&app.statistics_texts[1]);
    app.content_pane.add_child(&app.statistics_texts[0]);
    app.statistics_texts[1].text_colour_override = nullptr;
    app.statistics_texts[1].text_colour = 0x80000000u; // the shadow
    std::vector<std::string> lines(app.mesh_statistics_lines.begin(),
                                   app.mesh_statistics_lines.end());
    for (lumo::T& text : app.statistics_texts)
        text.set_text_lines(lines, static_cast<int>(lines.size()));
    app.hide_logo.icon = static_cast<int>(app.settings_menu_icons[SETTINGS_MENU_WIDGETS]);
    app.hide_logo.visible = false;
    app.lock_icon.icon = static_cast<int>(app.settings_menu_icons[SETTINGS_MENU_LOCK]);
    app.lock_icon.visible = app.view_settings.panel_flags[PANEL_VIEW_LOCK] != 0;
    for (lumo::P* icon : {&app.hide_logo, &app.lock_icon, &app.hint_bar.icon})
        icon->text_colour_override = app.theme_text_colour.data();
    style_text(app, app.no_render, "NO RENDER", lumo::kFontSmallBold);
    fill_with(app.no_render, STYLE_PANEL);
    app.no_render.visible = false;
    fill_with(app.centre_marker, STYLE_HIGHLIGHT);
    app.centre_marker.visible = false;
    app.caption_box.visible = false;
    for (lumo::P& strip : app.quick_hide_strips) {
        fill_with(strip, STYLE_BAR);
        strip.height = m.row_height;
        strip.visible = false;
    }
    // The window frame's top line has no width until a screenshot pane
    // opens; from then on it closes the frame over the tool bar.
    border(app.border.border_top, 0, STYLE_BORDER_TOP);
}

void build_side_panels(Application& app)
{
    const LayoutMetrics& m = app.layout;
    fill_with(app.control_pane, STYLE_PANEL);
    border(app.control_pane.border_right, m.thin_border, STYLE_BORDER_RIGHT);
    const LabelGroup& channels = label_group(MENU_TABLE_CONSOLE_CHANNELS);
    ConsoleWidgets& console = app.console;
    for (int i = 0; i < 4; ++i) {
        const auto index = static_cast<std::size_t>(i);
        lumo::P& tab = app.console_channel_tabs[index];
        style_button(app, tab, channels, i);
        // The four tabs leave the strip's end to the side panel's close box.
        const int tab_width = (m.side_panel_width - m.strip_height) / 4;
        set_rect(tab, i * tab_width, 0, tab_width, m.strip_height);
        app.side_panels[0].add_child(&tab);
    }
    app.console_channel_tabs[0].selected = true;
    // Each view is sized to its lines plus a gap on every side.
    for (lumo::T& text : app.text_views) {
        style_text(app, text, "", lumo::kFontSmall);
        text.padding.left = text.padding.top = m.gap;
    }
    for (lumo::SP* scroll : {&console.channel_scroll, &console.log_scroll}) {
        apply_theme_to_styles(app, *scroll);
        app.side_panels[0].add_child(scroll);
    }
    console.log_scroll.add_child(&app.text_views[0]);
    console.channel_scroll.add_child(&app.text_views[1]);
    build_list_panels(app);
    for (std::size_t i = 0; i < app.side_panels.size(); ++i) {
        app.side_panels[i].visible = static_cast<int>(i) == app.view_settings.open_side_panel;
        app.control_pane.add_child(&app.side_panels[i]);
    }
    app.control_pane.visible = app.view_settings.panel_flags[PANEL_SIDE_PANEL_SHOWN] != 0;
}

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
    app.navigator_rows.row_fill = style(STYLE_HIGHLIGHT);
    app.navigator_rows.path_button_fill = style(STYLE_BAR);
    app.navigator_rows.path_button_hover = style(STYLE_HIGHLIGHT);
    app.navigator_rows.path_button_border = style(STYLE_BORDER_RIGHT);
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
