#include "shell/pane_layouts.h"

#include <algorithm>
#include <cmath>

#include "state/application.h"
#include "shell/window_layout.h"

namespace {

int trunc_of(double value)
{
    return static_cast<int>(std::trunc(value));
}

bool flipped(const Application& app)
{
    return app.view_settings.panel_flags[PANEL_VERTICAL_FLIP] != 0;
}

} // namespace

void lay_out_toolbar(Application& app, int width, int /*height*/)
{
    const int U = app.layout.bar_unit;
    const std::array<int, TOOL_BUTTON_COUNT> xs{0,        U, 2 * U, width - 3 * U, width - 2 * U,
                                                width - U};
    for (std::size_t i = 0; i < xs.size(); ++i)
        set_rect(app.toolbar.buttons[i], xs[i], 0, U, U);
    set_rect(app.toolbar.scroll, 3 * U, 0, width - 6 * U, U);
}

void lay_out_tipbar(Application& app, int width, int /*height*/)
{
    const int S = app.layout.side_panel_width;
    const int M = app.layout.row_height;
    set_rect(app.tip_bar.scroll, S, 0, width - S, M);
    static constexpr std::array<std::array<int, 2>, 3> k_tabs{{{0, 84}, {84, 70}, {154, 102}}};
    for (std::size_t i = 0; i < k_tabs.size(); ++i)
        set_rect(app.side_panel_tabs[i], k_tabs[i][0], 0, k_tabs[i][1], M);
    // The open panel's tab is marked at its edge toward the panel.
    const int G = app.layout.gap;
    const std::int32_t open = app.view_settings.open_side_panel;
    lumo::P& marker = app.tip_bar.tab_marker;
    marker.visible = open >= 0 && open < 3;
    if (!marker.visible) return;
    const std::array<int, 2>& tab = k_tabs[static_cast<std::size_t>(open)];
    set_rect(marker, tab[0] + tab[1] / 2 - G / 2, flipped(app) ? 0 : M - G / 2, G, G / 2);
}

namespace {

// The menu tree hangs beneath the script list in the tool strip, or above
// it when the bars are flipped to the bottom.
void place_menu_tree(Application& app)
{
    const TipBarWidgets& bar = app.tip_bar;
    lumo::KL& pane = app.menu_tree.pane;
    pane.x = bar.bar.x + bar.scroll.x + std::max(0, app.script_list_label.x);
    pane.y = flipped(app) ? bar.bar.y - pane.height : bar.bar.y + bar.bar.height;
}

} // namespace

void lay_out_control_pane(Application& app, int width, int height)
{
    for (lumo::KL& panel : app.side_panels)
        set_rect(panel, 0, 0, width, height);
}

void lay_out_menubar(Application& app, int /*width*/, int height)
{
    set_rect(app.menu_bar.scroll, 0, 0, app.layout.menu_column_width, height);
}

void lay_out_statusbar(Application& app, int width, int /*height*/)
{
    const int T = app.layout.strip_height;
    const int U = app.layout.bar_unit;
    const PanelLayoutState& pl = app.panel_layout;
    int x = 0;
    if (pl.parallel_flags_shown) x += pl.parallel_flags_expanded ? T + 2 * (U + 120) : T;
    if (pl.inspector_shown) x += pl.inspector_expanded ? 2 * (3 * T + U) : T;
    set_rect(app.status_bar.scroll, x, 0, width - x, T);
    app.status_bar.scroll.content_offset_x = lumo::scroll_offset(
        width - x, app.status_width, app.view_settings.pane_scroll_fractions[PANE_SCROLL_STATUS]);
}

void lay_out_tabbar(Application& app, int width, int /*height*/)
{
    const int U = app.layout.bar_unit;
    const int M = app.layout.row_height;
    const int G = app.layout.gap;
    const bool anim = app.view_settings.animation_enabled && app.animation_directive_count >= 1;
    set_rect(app.tab_bar.environment_button, 0, 0, 2 * U, M);
    const int scroll_width = width - 4 * U - (anim ? 4 * M : 0);
    set_rect(app.tab_bar.scroll, 2 * U, 0, scroll_width, M);
    set_rect(app.tab_bar.about_button, width - 2 * U, 0, U, M);
    set_rect(app.tab_bar.help_button, width - U, 0, U, M);
    lumo::KL& strip = app.environment_tabs.strip;
    if (flipped(app)) {
        strip.y = G;
        strip.height = M - G;
    } else {
        strip.y = 1;
        strip.height = M - G - 1;
    }
    strip.x = lumo::scroll_offset(scroll_width, strip.width + 2 * G,
                                  app.view_settings.pane_scroll_fractions[PANE_SCROLL_TABS]) +
              G;
    // The card is a root child and the bar starts at the window's left edge:
    // 2U, TABSCROLL's place in the bar, puts the card over the hovered tab.
    app.tab_bar.hover_card.x = strip.x - 32 + 2 * (32 * app.hovered_environment_tab + U);
}

void lay_out_sliderbar(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int T = app.layout.strip_height;
    const int switch_width = app.layout.slider_switch_width;
    SliderBarWidgets& bar = app.slider_bar_parts;
    set_rect(bar.scroll, 0, 0, width, height);
    const int cell_count = static_cast<int>(bar.cells.size());
    if (width > switch_width) {
        set_rect(bar.content, 0, 0, width, height);
        const int q = width / 4;
        for (int i = 0; i < cell_count; ++i)
            set_rect(bar.cells[static_cast<std::size_t>(i)], i * q, 0,
                     i == cell_count - 1 ? width - 3 * q : q, height);
    } else {
        const int x = trunc_of((width - switch_width) *
                               app.view_settings.pane_scroll_fractions[PANE_SCROLL_SLIDERS]);
        set_rect(bar.content, x, 0, switch_width, height);
        for (int i = 0; i < cell_count; ++i)
            set_rect(bar.cells[static_cast<std::size_t>(i)], 180 * i, 0, 180, height);
    }
    const bool fl = flipped(app);
    for (std::size_t i = 0; i < app.slider_rows.size(); ++i) {
        SliderRow& row = app.slider_rows[i];
        lumo::Insets& m = row.slider.margin;
        // The last two cells' fields are one wider, so their tracks start later.
        m.left = G / 2 + 4 * T + (i + 2 >= app.slider_rows.size() ? 1 : 0);
        m.right = G / 2;
        m.top = fl ? G / 2 : G / 2 + 1;
        m.bottom = fl ? G / 2 + 1 : G / 2;
        row.icon.y = fl ? -1 : 0;
        // The track spans its cell less the margins, so wide cells get long tracks.
        row.slider.width = bar.cells[i].width;
        row.slider.height = height;
    }
}

void lay_out_tool_scroll(Application& app, int width, int /*height*/)
{
    const int U = app.layout.bar_unit;
    const int first =
        width <= 8 * U
            ? trunc_of((width - 8 * U) * app.view_settings.pane_scroll_fractions[PANE_SCROLL_TOOLS])
            : (width - 8 * U) / 2;
    for (int i = 0; i < TOOL_MENU_COUNT; ++i)
        set_rect(app.toolbar.menu_buttons[static_cast<std::size_t>(i)], first + i * U, 0, U, U);
    const int open = app.view_settings.open_tool_menu;
    app.toolbar.open_menu_marker.visible = open >= 0;
    app.toolbar.open_menu_marker.x =
        first + open * U + U / 2 - app.toolbar.open_menu_marker.width / 2;
}

namespace {

// The open tool menu reads icon, title, then its drop-down of rows, which
// takes the rest of the strip. The title keeps a gap either side of its
// text, so the first row starts clear of it.
void place_tool_menu_header(Application& app, MenuWidgets& menu, int width)
{
    const int M = app.layout.row_height;
    const int G = app.layout.gap;
    lumo::P& title = app.tool_menu_title;
    set_rect(app.tool_menu_icon, G / 2, 0, M, M);
    title.padding.left = G;
    set_rect(title, G / 2 + M, 0, title.label_width + 2 * G, M);
    const int right = title.x + title.width;
    set_rect(menu.pane, right, 0, std::max(0, width - right), M);
}

} // namespace

void lay_out_tip_scroll(Application& app, int width, int /*height*/)
{
    const int open = app.view_settings.open_tool_menu;
    if (open >= 0 && open < TOOL_MENU_COUNT) {
        MenuWidgets& menu = app.tool_menus[static_cast<std::size_t>(open)];
        place_tool_menu_header(app, menu, width);
        const int e = app.tool_menu_title.x + app.tool_menu_title.width + menu.strip_width;
        menu.strip.x =
            width <= e
                ? trunc_of((width - e) * app.scroll.tool_menus[static_cast<std::size_t>(open)])
                : 0;
        return;
    }
    // The label's width holds the text and a gap either side: at the far end
    // the text's last letter stays a gap clear of the strip's edge.
    lumo::T& list = app.script_list_label;
    list.x = lumo::scroll_offset(width, list.width, app.script_list_scroll);
    place_menu_tree(app);
}

void lay_out_settings_drop_column(Application& app, int width, int height)
{
    // Each drop-down clips its rows to its pane, which fills the column.
    for (MenuWidgets& menu : app.settings_menus)
        set_rect(menu.pane, 0, 0, width, height);
    const int open = app.view_settings.open_settings_menu;
    if (open < 0 || open >= SETTINGS_MENU_COUNT) return;
    MenuWidgets& menu = app.settings_menus[static_cast<std::size_t>(open)];
    const int rows = static_cast<int>(menu.row_list.size());
    menu.strip.y = rows > 6 ? trunc_of((height - menu.strip.height) *
                                       app.scroll.settings_menus[static_cast<std::size_t>(open)])
                            : 0;
}

void lay_out_menu_scroll(Application& app, int /*width*/, int height)
{
    const int N = app.layout.menu_column_width;
    const int U = app.layout.bar_unit;
    const int y0 = height <= 10 * U
                       ? trunc_of((height - 10 * U) *
                                  app.view_settings.pane_scroll_fractions[PANE_SCROLL_MENUS])
                       : 0;
    for (int i = 0; i < SETTINGS_MENU_COUNT; ++i) {
        lumo::P& button = app.settings_bar_items[static_cast<std::size_t>(i)];
        set_rect(button, 0, y0 + i * N, N, N);
        lumo::P& marker = app.menu_bar.markers[static_cast<std::size_t>(i)];
        marker.y = button.y + N / 2 - marker.height / 2;
    }
}

void lay_out_overlay(Application& app, int width, int height)
{
    const int dw = app.layout.dialog_width;
    const int dh = app.layout.dialog_height;
    const int x = (width - dw) / 2;
    const int y = (height - dh) / 2;
    for (lumo::KL* pane :
         {&app.run_pane.dialog.pane, &app.parse_pane.pane, &app.screenshot_pane.dialog.pane,
          &app.profile_pane.dialog.pane, &app.directive_pane.pane,
          &app.export_pane_widgets.dialog.pane, &app.about_pane.pane, &app.help_pane.pane,
          &app.info_pane.pane, &app.error_pane.pane, &app.warning_pane.pane})
        set_rect(*pane, x, y, dw, dh);
    set_rect(app.capture_pane.dialog.pane, (width - CAPTURE_PANE_SIZE) / 2, y, CAPTURE_PANE_SIZE,
             dh);
    for (lumo::KL* pane :
         {&app.confirm_pane.pane, &app.open_pane, &app.load_pane, &app.navigator_pane.pane})
        set_rect(*pane, 0, 0, width, height);
}

void lay_out_open_pane(Application& app, int width, int height)
{
    for (int i = 0; i < 3; ++i)
        set_rect(app.open_pane_icons[static_cast<std::size_t>(i)], width / 2 - 96 + 64 * i,
                 height / 2 - 32, 64, 64);
}

void lay_out_load_pane(Application& app, int width, int height)
{
    set_rect(app.load_box, width / 2 - 64, height / 2 - 64, 128, 128);
}

namespace {

// The title strip on top, the Enter hint at the foot and between them the
// captured image, scaled to fit and centred, so that neither the image nor
// the hint leaves the pane and the close box stays clear of the image.
void lay_out_capture_contents(Application& app, CapturePaneWidgets& pane, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    set_rect(pane.dialog.title, 2 * G, G, width - 6 * G, M);
    const int hint_height = pane.dialog.text.label_height + G;
    set_rect(pane.dialog.text, 2 * G, height - hint_height - G, width - 4 * G, hint_height);
    const int top = M + 2 * G;
    const int area_width = width - 2 * G;
    const int area_height = height - top - hint_height - 2 * G;
    const double iw = std::max(app.captured_width, 1);
    const double ih = std::max(app.captured_height, 1);
    const double scale = std::min(area_width / iw, area_height / ih);
    const int w = trunc_of(iw * scale);
    const int h = trunc_of(ih * scale);
    set_rect(pane.preview, G + (area_width - w) / 2, top + (area_height - h) / 2, w, h);
}

} // namespace

void lay_out_capture_preview(Application& app, int width, int height)
{
    lay_out_capture_contents(app, app.capture_pane, width, height);
}

void lay_out_screenshot_preview(Application& app, int width, int height)
{
    lay_out_capture_contents(app, app.screenshot_pane, width, height);
}

void lay_out_entity_detail_header(Application& app, int /*width*/, int /*height*/)
{
    const int S = app.layout.side_panel_width;
    const int G = app.layout.gap;
    EntityInspectorWidgets& panel = app.lists.entities;
    const int x = trunc_of((S - 2 * G - panel.title.label_width - 12) * app.scroll.entity_details);
    panel.title.x = x;
    panel.property_lines.x = x;
}

void lay_out_colourbar(Application& app, int width, int height)
{
    ColourBarWidgets& bar = app.colour_bar;
    const int U = app.layout.bar_unit;
    set_rect(bar.scroll, 0, 0, width, height);
    // The drop-down starts right of the colour-by button and clips the rows
    // scrolled under it, so the button and its swatches stay in view.
    set_rect(bar.drop_down, U, 0, std::max(0, width - U), height);
    bar.strip.x = lumo::scroll_offset(width, U + bar.content_width,
                                      app.view_settings.pane_scroll_fractions[PANE_SCROLL_COLOURS]);
}

void lay_out_directive_list(Application& app, int /*width*/, int height)
{
    const int G = app.layout.gap;
    DirectiveColumnWidgets& column = app.directive_column;
    column.list.y = lumo::scroll_offset(
        height, column.list.height,
        app.view_settings.minimal_scroll_fractions[MINIMAL_SCROLL_DIRECTIVES], true);
    // The marker follows the environment's current directive.
    const int selected = app.view_settings.current_camera_directive;
    const int count = static_cast<int>(column.list.children.size());
    if (selected >= 0 && selected < count &&
        selected < static_cast<int>(app.directive_menus.camera_rows.size())) {
        const lumo::P& row = *column.list.children[static_cast<std::size_t>(selected)];
        set_rect(column.marker, row.x + G / 2, row.y + G / 2 + column.list.y, G / 2, G / 2);
    } else {
        set_rect(column.marker, -2 * G, -2 * G, 0, 0);
    }
}

void lay_out_file_pane(Application& app, int width, int height)
{
    const int G = app.layout.gap;
    const int M = app.layout.row_height;
    const int U = app.layout.bar_unit;
    const int T = app.layout.strip_height;
    NavigatorPaneWidgets& nav = app.navigator_pane;
    // The scroll track runs down the right edge from the top: the close box
    // sits left of it, where it can be seen and clicked.
    set_rect(nav.header_buttons[NAV_CLOSE], width - T - G / 2 - 32, G / 2, 32, 32);
    set_rect(nav.header, 0, 0, width, M + 1);
    set_rect(nav.list_area, 0, M, width, height - 2 * (U + M));
    set_rect(nav.scroll_track, width - T, 0, T, height - 2 * (M + U));
    const double fraction = app.navigator.list_scroll;
    set_rect(nav.scroll_thumb, width - T,
             trunc_of((height - 2 * U - 3 * M + 2) * fraction) - trunc_of(fraction) - 1, T, M + 1);
    // The column heads over the rows' cells: type, name, size, and date with
    // time.
    const std::array<std::array<int, 2>, 4> heads{
        {{0, U}, {U, width - 6 * U}, {width - 5 * U, 2 * U}, {width - 3 * U, 3 * U}}};
    for (int i = NAV_SORT_TYPE; i <= NAV_SORT_DATE; ++i) {
        const std::array<int, 2>& head = heads[static_cast<std::size_t>(i)];
        set_rect(nav.header_buttons[static_cast<std::size_t>(i)], head[0], 0, head[1], M);
    }
    // In list-area coordinates; the list area clips them.
    set_rect(nav.column_areas[0], width - 3 * U, 0, U, height - 2 * (M + U));
    set_rect(nav.column_areas[1], width - 2 * U, 0, 2 * U - T, height - 2 * (U + M));
    // The marker sits at the sorted column's edge; the date column's far
    // edge is under the close box and the scroll track, so its marker goes
    // just left of the close box.
    const int key = app.navigator.sort_key;
    const std::array<int, 4> marker_x{U - G, width - 5 * U - G - 1, width + 1 + G / 2 - 5 * U,
                                      width - T - G / 2 - 32 - G};
    const int x = key >= 0 && key < 4 ? marker_x[static_cast<std::size_t>(key)] : -2 * G;
    set_rect(nav.sort_marker, x, app.navigator.sort_ascending == 0 ? G / 2 : M - G - 1, G / 2,
             G / 2);
}

void lay_out_navigator_list(Application& app, int width, int height)
{
    const int M = app.layout.row_height;
    const int U = app.layout.bar_unit;
    const int T = app.layout.strip_height;
    lumo::KL& list = app.navigator_rows.list;
    const int count = static_cast<int>(app.navigator.display_order.size());
    const int list_height = M * count;
    app.navigator.list_viewport = height;
    set_rect(list, 0, lumo::scroll_offset(height, list_height, app.navigator.list_scroll), width,
             list_height);
    const std::array<std::array<int, 2>, 5> cells{{{0, U},
                                                   {U, width - 6 * U},
                                                   {width - 5 * U, 2 * U},
                                                   {width - 3 * U, U},
                                                   {width - 2 * U, 2 * U - T}}};
    for (std::size_t i = 0; i < list.children.size(); ++i) {
        lumo::P* row = list.children[i];
        set_rect(*row, 0, static_cast<int>(i) * M, width - T, M);
        auto* container = dynamic_cast<lumo::KL*>(row);
        if (container == nullptr) continue;
        for (std::size_t c = 0; c < cells.size() && c < container->children.size(); ++c)
            set_rect(*container->children[c], cells[c][0], 0, cells[c][1], M);
    }
}
