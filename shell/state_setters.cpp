#include "shell/state_setters.h"

#include <algorithm>
#include <array>

#include "lumo/font.h"
#include "model/console_state.h"
#include "shell/console_views.h"
#include "shell/menu_labels.h"
#include "shell/refresh.h"
#include "shell/themes.h"
#include "shell/window_layout.h"

namespace {

const std::array<const char*, TOOL_MENU_COUNT> k_tool_menu_titles{
    "TOPOLOGY", "COLOUR", "SHADING", "ORBIT", "PROJECTION", "STATE", "WIDGET", "VIEW"};
const std::array<const char*, SETTINGS_MENU_COUNT> k_settings_menu_titles{
    "WINDOW", "SHADING", "LIGHTING", "FULLSCREEN", "CAMERA",
    "LOCK",   "THEME",   "SLIDERS",  "WIDGETS",    "SETTINGS"};
const std::array<const char*, 3> k_execution_mode_titles{"Pure-Union Mesh", "Basic-CSG Mesh",
                                                         "Optimal-CSG Mesh"};

constexpr std::int32_t DEFAULT_WINDOW_WIDTH = 720;
constexpr std::int32_t DEFAULT_WINDOW_HEIGHT = 480;
constexpr double ATTRIBUTE_TRACE_HIDDEN_OPACITY = 0.5;
// Atlas icon of the pick-mode indicator's hint.
constexpr int SELECT_ICON = 6;

std::uint8_t& panel_flag(Application& app, PanelFlag flag)
{
    return app.view_settings.panel_flags[flag];
}

bool quick_hidden(Application& app)
{
    return panel_flag(app, PANEL_QUICK_HIDE) != 0;
}

// Once the window has a size, the 3-D view follows every panel change at
// once rather than at the next frame's layout.
void relayout_view_panels(Application& app)
{
    if (app.window_width > 0 && app.window_height > 0)
        lay_out_view_panels(app, app.window_width, app.window_height);
}

// A framed canvas shows the change only when the bars are not hidden.
void request_redraw_if_framed(Application& app)
{
    if (panel_flag(app, PANEL_FRAME_MODE) && !quick_hidden(app)) app.redraw_requested = 1;
}

void update_settings_menu_pane(Application& app)
{
    app.settings_menu_pane.visible = panel_flag(app, PANEL_SETTINGS_BAR_VISIBLE) &&
                                     !quick_hidden(app) &&
                                     app.view_settings.open_settings_menu != -1;
}

bool is_action_entry(std::int32_t item)
{
    return item == SETTINGS_MENU_FULLSCREEN || item == SETTINGS_MENU_LOCK ||
           item == SETTINGS_MENU_SLIDERS;
}

void show_side_panel_widgets(Application& app)
{
    const std::int32_t open = app.view_settings.open_side_panel;
    const bool hidden = quick_hidden(app);
    app.control_pane.visible = !hidden && open != -1;
    for (std::int32_t i = 0; i < 3; ++i) {
        app.side_panels[static_cast<std::size_t>(i)].visible = !hidden && i == open;
        app.side_panel_tabs[static_cast<std::size_t>(i)].selected = i == open;
    }
}

// Bars, panels and marks that quick hide takes away and brings back, each
// by its own flag.
void show_bars(Application& app)
{
    const bool shown = !quick_hidden(app);
    const ViewSettings& settings = app.view_settings;
    for (lumo::KL* bar :
         {&app.toolbar.bar, &app.tip_bar.bar, &app.status_bar.bar, &app.tab_bar.bar})
        bar->visible = shown;
    show_side_panel_widgets(app);
    app.slider_bar.visible = shown && settings.panel_flags[PANEL_SLIDER_BAR_VISIBLE];
    app.colour_bar.bar.visible = shown && settings.colour_mode == COLOUR_SCHEME_FUNCTION;
    app.settings_bar.visible = shown && settings.panel_flags[PANEL_SETTINGS_BAR_VISIBLE];
    update_settings_menu_pane(app);
    app.hint_bar.icon.visible = shown;
    for (lumo::T& text : app.statistics_texts)
        text.opacity = shown ? 1.0 : ATTRIBUTE_TRACE_HIDDEN_OPACITY;
    app.hide_logo.visible = !shown;
    if (!shown) app.menu_tree.pane.visible = false;
}

// A bar's border line sits on the edge that faces the 3-D view.
void place_inner_border(lumo::P& bar, bool bar_on_top, std::int32_t width)
{
    const FillStyle* style =
        bar.border_top.style != nullptr ? bar.border_top.style : bar.border_bottom.style;
    lumo::Border& inner = bar_on_top ? bar.border_bottom : bar.border_top;
    lumo::Border& outer = bar_on_top ? bar.border_top : bar.border_bottom;
    outer.width = 0;
    inner.width = width;
    inner.style = style;
}

// A bar's gradient runs towards the view: the flipped bars take the flipped
// bar style. Each bar is given the style of the state, so applying a state
// again (as restoring an environment does) changes nothing.
void give_bars_their_style(Application& app, bool flipped)
{
    const FillStyle* style = &g_active_fill_styles[flipped ? STYLE_BAR_FLIPPED : STYLE_BAR];
    for (lumo::KL* bar :
         {&app.toolbar.bar, &app.tip_bar.bar, &app.status_bar.bar, &app.tab_bar.bar})
        bar->fill_style = style;
}

void place_bar_borders(Application& app, bool flipped)
{
    const std::int32_t width = app.layout.thin_border;
    place_inner_border(app.toolbar.bar, !flipped, width);
    place_inner_border(app.tip_bar.bar, !flipped, width);
    place_inner_border(app.status_bar.bar, flipped, width);
    place_inner_border(app.tab_bar.bar, flipped, width);
}

bool environment_has_entities(const Application& app)
{
    return app.current_entity_list != nullptr && app.current_entity_list->count > 0;
}

void show_value(lumo::F& field, std::int32_t value)
{
    field.set_label(std::to_string(value));
}

// The feature rows of the run pane: what the mode offers stands out in bold
// and the highlight colour, the rest stays small and grey.
void show_mode_features(Application& app, std::int32_t mode)
{
    const auto& features = g_mesh_feature_matrix[static_cast<std::size_t>(mode)];
    for (std::size_t row = 0; row < app.run_pane.feature_rows.size(); ++row) {
        lumo::T& text = app.run_pane.feature_rows[row];
        const bool offered = features[row] != 0;
        text.font = offered ? lumo::kFontSmallBold : lumo::kFontSmall;
        text.text_colour_override =
            offered ? app.meaning_colours.normal.data() : app.meaning_colours.faint.data();
        text.set_label(text.label);
    }
}

void lift_camera(double eye[3], double target[3], double height)
{
    target[1] += height - eye[1];
    eye[1] = height;
}

} // namespace

void select_theme(Application& app, std::int32_t theme)
{
    if (theme == app.view_settings.theme_index) return;
    app.view_settings.theme_index = theme;
    // The applier also hands the new background to the clear-colour service.
    apply_theme_colours(app, theme);
    app.redraw_requested = 1;
    refresh_root(app);
}

void set_settings_bar_visible(Application& app, bool on)
{
    panel_flag(app, PANEL_SETTINGS_BAR_VISIBLE) = on ? 1 : 0;
    app.settings_bar.visible = on && !quick_hidden(app);
    update_settings_menu_pane(app);
    relayout_view_panels(app);
    request_redraw_if_framed(app);
    refresh_root(app);
}

void show_settings_drop_down(Application& app, std::int32_t item)
{
    const bool in_range = item >= 0 && item < SETTINGS_MENU_COUNT && !is_action_entry(item);
    const std::int32_t open = in_range ? item : -1;
    app.view_settings.open_settings_menu = open;
    for (std::int32_t i = 0; i < SETTINGS_MENU_COUNT; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (!is_action_entry(i)) app.settings_bar_items[index].selected = i == open;
        app.settings_menus[index].pane.visible = i == open;
    }
    const bool is_open = open != -1;
    const auto entry = static_cast<std::size_t>(open);
    app.settings_menu_icon.visible = is_open;
    app.settings_menu_title.visible = is_open;
    app.settings_menu_icon.icon = is_open ? static_cast<int>(app.settings_menu_icons[entry]) : -1;
    app.settings_menu_title.set_label(is_open ? k_settings_menu_titles[entry] : "");
    update_settings_menu_pane(app);
    refresh_root(app);
}

void show_tool_drop_down(Application& app, std::int32_t menu)
{
    const bool is_open = menu >= 0 && menu < TOOL_MENU_COUNT;
    const std::int32_t open = is_open ? menu : -1;
    app.view_settings.open_tool_menu = open;
    app.tool_menu_pane.visible = is_open;
    app.tool_menu_title.visible = is_open;
    app.tool_menu_icon.visible = is_open;
    app.script_list_label.visible = !is_open;
    if (is_open) app.menu_tree.pane.visible = false;
    app.tool_menu_icon.icon =
        is_open ? static_cast<int>(app.tool_menu_icons[static_cast<std::size_t>(open)]) : -1;
    app.tool_menu_title.set_label(is_open ? k_tool_menu_titles[static_cast<std::size_t>(open)]
                                          : "");
    // The title is as wide as its text plus a gap each side.
    app.tool_menu_title.width = app.tool_menu_title.label_width + 2 * app.layout.gap;
    for (std::int32_t i = 0; i < TOOL_MENU_COUNT; ++i)
        app.tool_menus[static_cast<std::size_t>(i)].pane.visible = i == open;
    refresh_root(app);
}

void select_side_panel(Application& app, std::int32_t panel)
{
    std::int32_t& open = app.view_settings.open_side_panel;
    const bool in_range = panel >= 0 && panel < 3;
    open = (!in_range || panel == open) ? -1 : panel;
    panel_flag(app, PANEL_SIDE_PANEL_SHOWN) = open != -1 ? 1 : 0;
    show_side_panel_widgets(app);
    mark_menu_tree(app);
    relayout_view_panels(app);
    request_redraw_if_framed(app);
    refresh_root(app);
}

void set_vertical_flip_mode(Application& app, bool on)
{
    std::uint8_t& flip = panel_flag(app, PANEL_VERTICAL_FLIP);
    if ((flip != 0) == on) return;
    flip = on ? 1 : 0;
    place_bar_borders(app, on);
    give_bars_their_style(app, on);
    update_panel_visibility(app);
    request_redraw_if_framed(app);
    refresh_root(app);
}

void set_quick_hide(Application& app, bool on)
{
    std::uint8_t& hide = panel_flag(app, PANEL_QUICK_HIDE);
    if ((hide != 0) == on) return;
    hide = on ? 1 : 0;
    show_bars(app);
    update_panel_visibility(app);
    app.redraw_requested = 1;
    refresh_root(app);
}

void set_frame_mode(Application& app, bool on)
{
    panel_flag(app, PANEL_FRAME_MODE) = on ? 1 : 0;
    relayout_view_panels(app);
    app.redraw_requested = 1;
    refresh_root(app);
}

bool toggle_panel_if_content(Application& app)
{
    const PanelVisibility& shown = app.panel_visibility;
    const bool content = shown.camera_views_pane || shown.minimal_panels[0];
    if (!app.view_settings.minimal_mode || !content) return false;
    app.view_settings.minimal_panel = app.view_settings.minimal_panel ? 0 : 1;
    relayout_view_panels(app);
    app.redraw_requested = 1;
    refresh_root(app);
    return true;
}

void set_camera_lock(Application& app, bool on)
{
    panel_flag(app, PANEL_VIEW_LOCK) = on ? 1 : 0;
    app.camera_motion.camera_lock = on ? 1 : 0;
    app.lock_icon.visible = on;
    app.settings_bar_items[SETTINGS_MENU_LOCK].selected = on;
    refresh_root(app);
}

void mark_menu_tree(Application& app)
{
    MenuTreeWidgets& tree = app.menu_tree;
    const std::int32_t panel = app.view_settings.open_side_panel;
    for (int i = MENU_TREE_CONSOLE; i <= MENU_TREE_PARAMETERS; ++i)
        tree.rows[static_cast<std::size_t>(i)].selected = i == panel;
    tree.rows[MENU_TREE_HOVER_HINTS].selected = app.view_settings.hover_hints != 0;
}

void show_attribute_trace(Application& app)
{
    for (lumo::T& text : app.statistics_texts)
        text.visible = app.view_settings.attribute_trace != 0;
}

void mark_directive_column(Application& app)
{
    const std::array<bool, 4> options{app.directive_auto_sync != 0, app.directive_root_mode != 0,
                                      app.directive_animation != 0,
                                      app.view_settings.directive_mode >= 2};
    for (std::size_t i = 0; i < options.size(); ++i)
        app.directive_option_buttons[i].selected = options[i];
    const bool goto_shown = app.directive_goto_shown != 0;
    app.directive_column.buttons[DIRECTIVE_BUTTON_GOTO].selected = goto_shown;
    for (lumo::F& field : app.directive_column.goto_fields)
        field.visible = goto_shown;
    // The fields sit below the buttons: the column's foot grows to hold them.
    app.panel_layout.directive_widened = goto_shown ? 1 : 0;
    mark_directive_rows(app);
}

void mark_directive_rows(Application& app)
{
    const std::int32_t current = app.view_settings.current_camera_directive;
    for (std::size_t i = 0; i < app.directive_rows.size(); ++i)
        app.directive_rows[i]->selected = static_cast<std::int32_t>(i) == current;
}

void set_parallel_flags_widget(Application& app, bool on)
{
    app.view_settings.widget_options[WIDGET_OPTION_PARALLEL_FLAGS] = on ? 1 : 0;
    update_panel_visibility(app);
    if (on && app.panel_visibility.parallel_flags) {
        app.panel_visibility.inspector = 0;
        app.llmi_toggle.visible = false;
        app.panel_layout.inspector_shown = 0;
    }
}

void set_ll_inspector_widget(Application& app, bool on)
{
    app.view_settings.show_llmi = on ? 1 : 0;
    update_panel_visibility(app);
    if (on && app.panel_visibility.inspector) {
        app.panel_visibility.parallel_flags = 0;
        app.parallel_flags_toggle.visible = false;
        app.panel_layout.parallel_flags_shown = 0;
    }
}

void reset_window_size(Application& app)
{
    // A full-screen window keeps its size until full screen is left.
    if (!app.fullscreen && app.platform.resize_client_area != nullptr)
        app.platform.resize_client_area(DEFAULT_WINDOW_WIDTH, DEFAULT_WINDOW_HEIGHT);
    app.redraw_requested = 1;
    refresh_root(app);
}

void set_up_light0(Application& app)
{
    const ViewSettings& settings = app.view_settings;
    const Light0Terms terms = compute_light0_terms(
        settings.ambient_term != 0, settings.diffuse_term != 0, settings.specular_term != 0);
    if (app.apply_light0 != nullptr) app.apply_light0(terms);
}

void select_execution_mode(Application& app, std::int32_t mode)
{
    if (mode < 0 || mode > 2) return;
    app.view_settings.execution_mode = mode;
    app.view_settings.next_execution_mode = mode;
    for (std::int32_t i = 0; i < 3; ++i) {
        lumo::P& button = app.execution_mode_buttons[static_cast<std::size_t>(i)];
        button.selected = i == mode;
        button.font = i == mode ? lumo::kFontBold : lumo::kFontRegular;
    }
    show_mode_features(app, mode);
    for (std::size_t cell = 0; cell < app.run_pane.mode_cells.size(); ++cell)
        app.run_pane.mode_cells[cell].selected = static_cast<std::int32_t>(cell % 3) == mode;
    app.run_pane.mode_title.set_label(k_execution_mode_titles[static_cast<std::size_t>(mode)]);
    relayout_view_panels(app);
    refresh_root(app);
}

std::int32_t next_tone(std::int32_t tone)
{
    switch (tone) {
    case 0:
    case 1:
    case 6:
        return tone + 1;
    case 2:
    case 4:
        return tone + 2;
    case 7:
        return 8;
    default:
        return 0;
    }
}

namespace {

// Steps one tone, shows it in its field and redraws when the tone is in use.
void cycle_tone(Application& app, std::int32_t& tone, lumo::F& field, bool in_use)
{
    tone = next_tone(tone);
    show_value(field, tone);
    if (in_use) app.redraw_requested = 1;
    refresh_root(app);
}

} // namespace

void cycle_mono_edge_tone(Application& app)
{
    ViewSettings& settings = app.view_settings;
    cycle_tone(app, settings.mono_edge_tone, app.mono_edge_tone_field,
               settings.polygon_mode && settings.mono_edge);
}

void cycle_mono_dot_tone(Application& app)
{
    ViewSettings& settings = app.view_settings;
    cycle_tone(app, settings.mono_dot_tone, app.mono_dot_tone_field,
               settings.show_points && settings.mono_dot);
}

void cycle_silhouette_tone(Application& app)
{
    ViewSettings& settings = app.view_settings;
    cycle_tone(app, settings.silhouette_tone, app.silhouette_tone_field,
               settings.programmable_shading && settings.silhouette);
}

void set_eye_height(Application& app, double height, const std::string& text)
{
    app.view_settings.eye_height = height;
    app.view_settings.eye_height_text = text;
    CameraSet& stored = app.saved_cameras[CAMERA_FIRST_PERSON];
    lift_camera(stored.eye, stored.target, height);
    app.camera.motion_parameter = height;
    if (app.camera_mode == CAMERA_FIRST_PERSON) {
        lift_camera(app.camera.eye, app.camera.target, height);
        app.redraw_requested = 1;
    }
    refresh_root(app);
}

void update_panel_visibility(Application& app)
{
    const ViewSettings& settings = app.view_settings;
    const bool free_roam = app.camera_mode == CAMERA_FREE_ROAM;
    const bool saved_views = !app.directive_menus.camera_rows.empty() && free_roam;
    const bool c = settings.camera_views && saved_views;
    const bool v = settings.variants_enabled && app.variant_count >= 1;
    const bool a = settings.animation_enabled && app.animation_directive_count >= 1;
    const bool p = settings.widget_options[WIDGET_OPTION_PARALLEL_FLAGS] != 0;
    const bool l = settings.show_llmi != 0;
    const bool content = environment_has_entities(app);
    const bool hide = settings.panel_flags[PANEL_QUICK_HIDE] != 0;
    const bool flipped = settings.panel_flags[PANEL_VERTICAL_FLIP] != 0;

    PanelVisibility shown;
    shown.floating_container = saved_views || p || v || l || a;
    if (!hide || settings.minimal_mode) {
        shown.camera_views = c;
        shown.parallel_flags = p && content;
        shown.variants = v;
        shown.inspector = l && content;
        shown.animator = a;
        shown.parallel_pane = p;
        shown.inspector_pane = l;
        shown.minimal_panels[0] = hide && (p || l || a);
        shown.minimal_panels[1] = shown.minimal_panels[0];
        shown.minimal_panels[2] = shown.minimal_panels[0] && v && !flipped;
        shown.floating_container = !hide || shown.floating_container;
        shown.camera_views_pane = saved_views;
    }
    app.panel_visibility = shown;

    app.directive_column.column.visible = shown.camera_views;
    // The grip stays while directives exist, to bring the column back.
    app.directive_column.grip.visible = shown.camera_views_pane;
    app.parallel_flags_toggle.visible = shown.parallel_flags;
    app.variants_panel.panel.visible = shown.variants;
    app.llmi_toggle.visible = shown.inspector;
    app.animation_control.visible = shown.animator;
    app.parallel_flags_strip.panel.visible = shown.parallel_pane;
    app.inspector_strip.panel.visible = shown.inspector_pane;
    app.quick_hide_strips[0].visible = shown.minimal_panels[0];
    app.quick_hide_strips[1].visible = shown.minimal_panels[1];
    app.panel_layout.directive_shown = shown.camera_views;
    app.panel_layout.parallel_flags_shown = shown.parallel_flags;
    app.panel_layout.inspector_shown = shown.inspector;
    app.panel_layout.variants_shown = shown.variants;
    relayout_view_panels(app);
}

void mirror_menu_checks(MenuWidgets& menu, const MenuCheckBits& checks)
{
    const std::int32_t rows = std::min<std::int32_t>(checks.bit_count, MAX_MENU_ROWS);
    for (std::int32_t row = 0; row < rows; ++row)
        menu.rows[static_cast<std::size_t>(row)].selected = get_menu_check(checks, row);
}

void select_console_channel(Application& app, std::int32_t channel)
{
    if (channel < 0 || channel >= CHANNEL_COUNT) return;
    for (std::int32_t i = 0; i < CHANNEL_COUNT; ++i)
        app.console_channel_tabs[static_cast<std::size_t>(i)].selected = i == channel;
    if (app.current_console != nullptr) select_shown_channel(*app.current_console, channel);
    show_console_channel(app);
    refresh_root(app);
}

void select_text_view_font(Application& app, bool enlarged)
{
    app.view_settings.view_flags[VIEW_FLAG_TEXT_VIEW_FONT] = enlarged ? 1 : 0;
    for (lumo::T& text : app.text_views)
        text.font = enlarged ? lumo::kFontSmall : lumo::kFontRegular;
    measure_console_views(app);
}

void show_labelled_toggle(lumo::P& button, bool on)
{
    button.selected = on;
    button.font = on ? lumo::kFontSmallBold : lumo::kFontSmall;
    button.measure_label();
}

void show_pick_mode(Application& app)
{
    const auto letter = static_cast<char>(app.view_settings.pick_mode);
    lumo::P& indicator = app.llmi_indicator;
    const bool none = letter == '!';
    indicator.hint_title = none ? nullptr : &app.picked_element_lines[0];
    indicator.hint_text = none ? nullptr : &app.picked_element_lines[1];
    indicator.hint_icon = none ? -1 : SELECT_ICON;
    for (std::size_t i = 0; i < app.pick_mode_rows.size(); ++i)
        app.pick_mode_rows[i].selected = PICK_MODES[i] == letter;
    if (app.view_settings.pick_mode_chosen == 0)
        indicator.set_label(label_group(MENU_TABLE_INSPECTOR).short_labels[0]);
    else
        indicator.set_label(none ? std::string() : std::string(1, letter));
}

void style_hint_bar(Application& app)
{
    lumo::KL& bar = app.hint_bar.bar;
    const bool hints = app.view_settings.hover_hints != 0;
    bar.fill = hints;
    bar.fill_style = hints ? &g_active_fill_styles[STYLE_HIGHLIGHT] : nullptr;
}

void update_hover_hint(Application& app)
{
    HintBarWidgets& hint = app.hint_bar;
    const lumo::P* tooltip = lumo::g_tooltip_widget;
    if (tooltip == hint.last_tooltip) return;
    int icon = -1;
    if (tooltip != nullptr) {
        app.hint_texts[0] = tooltip->hint_title != nullptr ? *tooltip->hint_title : "";
        app.hint_texts[1] = tooltip->hint_text != nullptr ? *tooltip->hint_text : "";
        icon =
            tooltip->hint_icon >= 0 ? tooltip->hint_icon : (tooltip->icon > 0 ? tooltip->icon : -1);
    } else {
        app.hint_texts = {"", ""};
    }
    const std::int32_t left =
        icon >= 0 ? app.layout.row_height + 2 * app.layout.gap : app.layout.gap / 2;
    for (std::size_t i = 0; i < hint.texts.size(); ++i) {
        hint.texts[i].set_label(app.hint_texts[i]);
        hint.texts[i].margin.left = left;
    }
    hint.icon.icon = icon;
    hint.icon.visible = tooltip != nullptr;
    // An empty bar would only cover the top of the view.
    hint.bar.visible = tooltip != nullptr;
    hint.last_tooltip = tooltip;
    // The hint changes between pointer moves: the frame that shows it is asked for.
    app.redraw_requested = 1;
    refresh_root(app);
}
