// The bars and strips of the window: the tool, tip, settings, status, tab,
// slider, colour and hint bars with the menu tree and the settings
// drop-downs' value fields, and the controls that float over the view (the
// two option strips and their toggles, the directive column, the variants
// panel, the animation control, the read-outs and the view's markers).

#include "app/frame/interface_construction.h"

#include <string>
#include <vector>

#include "app/frame/interface_styles.h"
#include "lumo/font.h"
#include "shell/menu_labels.h"
#include "shell/menu_rows.h"
#include "shell/state_setters.h"
#include "shell/themes.h"
#include "shell/window_layout.h"
#include "state/application.h"

namespace {

// A bar: its fill, and a thin border on the edge that faces the view.
void style_bar(Application& app, lumo::P& bar, bool border_below)
{
    fill_with(bar, STYLE_BAR);
    set_border(border_below ? bar.border_bottom : bar.border_top, app.layout.thin_border,
               border_below ? STYLE_BORDER_BOTTOM : STYLE_BORDER_TOP);
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
    app.script_list_label.hover_style = active_style(STYLE_HIGHLIGHT);
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
        set_border(tab.border_right, app.layout.thin_border, STYLE_BORDER_RIGHT);
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
        set_border(row.border_bottom, m.thin_border, STYLE_BORDER_BOTTOM);
        set_rect(row, 0, i * m.row_height, width, m.row_height);
        tree.pane.add_child(&row);
    }
    fill_with(tree.pane, STYLE_DROP_DOWN);
    set_border(tree.pane.border_right, m.thin_border, STYLE_BORDER_RIGHT);
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
    set_border(app.settings_bar.border_left, app.layout.thin_border, STYLE_BORDER_LEFT);
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
    tabs.hover_card_close.hover_style = active_style(STYLE_HIGHLIGHT);
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
    style_hint_bar(app);
    set_border(hint.bar.border_bottom, app.layout.thin_border, STYLE_BORDER_BOTTOM);
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

} // namespace

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
    set_border(directives.column.border_left, m.thin_border, STYLE_BORDER_LEFT);
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
    app.expand_button.hover_style = active_style(STYLE_HIGHLIGHT);
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
    set_border(app.border.border_top, 0, STYLE_BORDER_TOP);
}
