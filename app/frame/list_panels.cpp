// The three side panels' contents: the console with its channel views, the
// entity inspector and the parameter panel, each a list pane above a detail
// pane. The list builders fill the lists' rows; this places the fixed
// widgets around them and lays the panels out.

#include <algorithm>
#include <array>
#include <string>

#include "app/frame/interface_construction.h"
#include "app/frame/interface_styles.h"
#include "state/application.h"
#include "lumo/font.h"
#include "model/transform_editor_labels.h"
#include "panels/list_styles.h"
#include "panels/parameter_rows.h"
#include "shell/menu_rows.h"
#include "shell/pane_layouts.h"
#include "shell/themes.h"
#include "shell/window_layout.h"

namespace {

const std::array<const char*, 6> ROTATION_ORDER_LABELS{"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
const std::array<const char*, 6> TRANSFORM_ORDER_LABELS{"RST", "RTS", "SRT", "STR", "TRS", "TSR"};
const std::array<const char*, 3> PARAMETER_TOGGLE_LABELS{"Auto-Sync.", "Immediate",
                                                         "Multi-Edit-Mode"};
// The APPLY button's hint.
const std::string APPLY_HINT_TITLE = "apply parameters";
const std::string APPLY_HINT_TEXT = "(select to push any pending parametric mutations)";
// The parameter panel's fixed header: title line, execute mode, toggles, buttons.
constexpr int PARAMETER_HEADER_STRIPS = 4;
// Share of a side panel's height the list takes above its details, in percent.
constexpr int LIST_SHARE_PERCENT = 40;

// A panel button: its text centred in the small face, highlighted when
// hovered or selected.
void style_panel_button(Application& app, lumo::P& button, const std::string& text)
{
    style_text(app, button, text, lumo::kFontSmall);
    button.align_x = lumo::kAlignCentre;
    button.align_y = lumo::kAlignCentre;
    button.hover_style = active_style(STYLE_HIGHLIGHT);
    button.selected_style = active_style(STYLE_HIGHLIGHT);
}

void build_entity_inspector(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    lumo::SP& upper = app.list_panes[LIST_PANE_ENTITIES];
    lumo::SP& lower = app.list_panes[LIST_PANE_ENTITY_DETAILS];
    style_text(app, widgets.placeholder, "0 entities in environment\n(open a script...)",
               lumo::kFontSmallItalic);
    widgets.placeholder.padding.left = app.layout.gap;
    upper.add_child(&widgets.list);
    upper.add_child(&widgets.placeholder);
    style_text(app, widgets.title, "Entity ", lumo::kFontSmallBold);
    style_text(app, widgets.header, HEADER_START, lumo::kFontSmall);
    style_text(app, widgets.property_lines, "", lumo::kFontSmall);
    style_text(app, widgets.detail_text, "", lumo::kFontSmallBold);
    style_text(app, widgets.ppd_indicator, "PPD", lumo::kFontSmallBold);
    widgets.details.add_child(&widgets.property_lines);
    widgets.details.add_child(&widgets.detail_text);
    for (std::size_t k = 0; k < 6; ++k) {
        style_panel_button(app, widgets.rotation_order_buttons[k], ROTATION_ORDER_LABELS[k]);
        style_panel_button(app, widgets.transform_order_buttons[k], TRANSFORM_ORDER_LABELS[k]);
        style_panel_button(app, app.transform_reset_buttons[k], "RESET");
        widgets.details.add_child(&widgets.rotation_order_buttons[k]);
        widgets.details.add_child(&widgets.transform_order_buttons[k]);
        widgets.details.add_child(&app.transform_reset_buttons[k]);
    }
    for (lumo::F& field : widgets.transform_fields) {
        field.text_colour_override = app.theme_text_colour.data();
        field.align_x = lumo::kAlignEnd;
        field.border_bottom = {app.layout.thin_border, &g_active_fill_styles[STYLE_BORDER_BOTTOM],
                               0};
        widgets.details.add_child(&field);
    }
    // The row titles stand level with their RESET buttons, in the regular
    // face so that the longest keeps clear of its button.
    for (lumo::P& title : widgets.transform_titles) {
        style_text(app, title, "", lumo::kFontSmall);
        title.align_x = lumo::kAlignStart;
        widgets.details.add_child(&title);
    }
    for (lumo::P& axis : widgets.axis_names) {
        style_text(app, axis, "", lumo::kFontSmall);
        widgets.details.add_child(&axis);
    }
    widgets.details.visible = false;
    lower.add_child(&widgets.details);
    // The header strip stands beside the details, not in them: with nothing
    // selected the details hide and the header still says so. The PPD
    // indicator shows only with an entity.
    widgets.ppd_indicator.visible = false;
    for (lumo::P* part : {static_cast<lumo::P*>(&widgets.title),
                          static_cast<lumo::P*>(&widgets.header), &widgets.ppd_indicator})
        lower.add_child(part);
    app.side_panels[1].add_child(&upper);
    app.side_panels[1].add_child(&lower);
}

void build_parameter_panel(Application& app)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    lumo::SP& upper = app.list_panes[LIST_PANE_PARAMETERS];
    lumo::SP& lower = app.list_panes[LIST_PANE_PARAMETER_DETAILS];
    style_text(app, panel.placeholder, "0 parametric entities\n(open a script with #PARAM...)",
               lumo::kFontSmallItalic);
    panel.placeholder.padding.left = app.layout.gap;
    upper.add_child(&panel.list);
    upper.add_child(&panel.placeholder);
    style_text(app, panel.title, "Dynamic-Entity ", lumo::kFontSmallBold);
    style_text(app, panel.header, HEADER_START, lumo::kFontSmall);
    style_text(app, panel.execute_mode, EXECUTE_MODE_NONE, lumo::kFontSmall);
    for (std::size_t k = 0; k < panel.toggles.size(); ++k)
        style_panel_button(app, panel.toggles[k], PARAMETER_TOGGLE_LABELS[k]);
    style_panel_button(app, panel.reset_button, "RESET");
    style_panel_button(app, panel.variants_button, "Variants");
    style_panel_button(app, panel.apply_button, "APPLY");
    panel.apply_button.hint_title = &APPLY_HINT_TITLE;
    panel.apply_button.hint_text = &APPLY_HINT_TEXT;
    for (lumo::P* part :
         {static_cast<lumo::P*>(&panel.title), static_cast<lumo::P*>(&panel.header),
          static_cast<lumo::P*>(&panel.execute_mode), &panel.toggles[0], &panel.toggles[1],
          &panel.toggles[2], &panel.reset_button, &panel.variants_button, &panel.apply_button,
          static_cast<lumo::P*>(&panel.details)})
        lower.add_child(part);
    // Until a script is opened nothing is selected.
    show_no_parameters(app, HEADER_START);
    app.side_panels[2].add_child(&upper);
    app.side_panels[2].add_child(&lower);
}

// A list pane above its detail pane; the list is as high as its rows.
void lay_out_list_panes(Application& app, lumo::SP& upper, lumo::SP& lower, lumo::KL& list,
                        lumo::P& placeholder, int width, int height)
{
    const int top = app.layout.strip_height;
    const int list_height = (height - top) * LIST_SHARE_PERCENT / 100;
    set_rect(upper, 0, top, width, list_height);
    set_rect(lower, 0, top + list_height, width, height - top - list_height);
    upper.border_bottom = {app.layout.thin_border, &g_active_fill_styles[STYLE_BORDER_BOTTOM], 0};
    set_rect(list, 0, 0, width - app.layout.panel_inset, std::max(list.content_height, 1));
    set_rect(placeholder, 0, 0, width, 2 * top);
}

void lay_out_console_panel(int width, int height)
{
    if (g_app == nullptr) return;
    Application& app = *g_app;
    const int top = app.layout.strip_height;
    const int channel_height = (height - top) / 2;
    ConsoleWidgets& console = app.console;
    set_rect(console.channel_scroll, 0, top, width, channel_height);
    console.channel_scroll.border_bottom = {app.layout.thin_border,
                                            &g_active_fill_styles[STYLE_BORDER_BOTTOM], 0};
    set_rect(console.log_scroll, 0, top + channel_height, width, height - top - channel_height);
}

// The title, the header and the PPD indicator in the details' first strip.
// The title and the property lines scroll sideways with the details.
void lay_out_entity_header(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    const int u = app.layout.strip_height;
    const int width = app.layout.side_panel_width - app.layout.panel_inset;
    set_rect(widgets.title, 0, 0, widgets.title.label_width, u);
    set_rect(widgets.ppd_indicator, width - 2 * u, 0, 2 * u, u);
    lay_out_entity_detail_header(app, width, 0);
    set_rect(widgets.header, widgets.title.x + widgets.title.label_width, 0,
             width - 2 * u - widgets.title.label_width, u);
}

void lay_out_entity_panel(int width, int height)
{
    if (g_app == nullptr) return;
    EntityInspectorWidgets& widgets = g_app->lists.entities;
    lay_out_list_panes(*g_app, g_app->list_panes[LIST_PANE_ENTITIES],
                       g_app->list_panes[LIST_PANE_ENTITY_DETAILS], widgets.list,
                       widgets.placeholder, width, height);
    lay_out_entity_header(*g_app);
}

// The toggles share their strip by label width, with the spare width spread
// evenly, so the long "Multi-Edit-Mode" keeps a gap to its neighbour in a
// narrow panel.
void place_by_label_width(std::array<lumo::P, 3>& toggles, int y, int width, int u)
{
    int labels = 0;
    for (const lumo::P& toggle : toggles)
        labels += toggle.label_width;
    const int spare = (width - labels) / static_cast<int>(toggles.size());
    int x = 0;
    for (std::size_t k = 0; k < toggles.size(); ++k) {
        const int w = k + 1 == toggles.size() ? width - x : toggles[k].label_width + spare;
        set_rect(toggles[k], x, y, w, u);
        x += w;
    }
}

void lay_out_parameter_panel(int width, int height)
{
    if (g_app == nullptr) return;
    Application& app = *g_app;
    ParameterControlWidgets& panel = app.lists.parameters;
    lay_out_list_panes(app, app.list_panes[LIST_PANE_PARAMETERS],
                       app.list_panes[LIST_PANE_PARAMETER_DETAILS], panel.list, panel.placeholder,
                       width, height);
    const int u = app.layout.strip_height;
    const int g = app.layout.gap;
    const int inner = width - app.layout.panel_inset;
    set_rect(panel.title, g, 0, panel.title.label_width, u);
    set_rect(panel.header, g + panel.title.label_width, 0, inner - g - panel.title.label_width, u);
    set_rect(panel.execute_mode, 0, u, inner, u);
    place_by_label_width(panel.toggles, 2 * u, inner, u);
    set_rect(panel.reset_button, 0, 3 * u, inner / 3, u);
    set_rect(panel.variants_button, inner / 3, 3 * u, inner / 3, u);
    set_rect(panel.apply_button, 2 * inner / 3, 3 * u, inner / 3, u);
    set_rect(panel.details, 0, PARAMETER_HEADER_STRIPS * u, inner,
             std::max(panel.details.content_height, 1));
}

// Six buttons after a RESET button in one strip.
void place_order_row(std::array<lumo::P, 6>& buttons, lumo::P& reset, int y, int width, int u)
{
    set_rect(reset, 0, y, 2 * u, u);
    const int each = (width - 2 * u) / 6;
    for (std::size_t k = 0; k < buttons.size(); ++k)
        set_rect(buttons[k], 2 * u + static_cast<int>(k) * each, y, each, u);
}

} // namespace

void lay_out_entity_details(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    const int u = app.layout.strip_height;
    const int g = app.layout.gap;
    const int width = app.layout.side_panel_width - app.layout.panel_inset;
    widgets.property_lines.y = u;
    lay_out_entity_header(app);
    // The titles stand in the value column's empty lines, above their values.
    widgets.detail_text.x = widgets.property_lines.x;
    widgets.detail_text.y = u;
    const int block =
        u + std::max(widgets.property_lines.height, widgets.detail_text.height) + g;
    // Translation, uniform scale, per-axis scale and rotation: a title strip
    // with the row's RESET button, then its fields after their axis names.
    std::size_t field = 0;
    for (std::size_t r = 0; r < widgets.transform_titles.size(); ++r) {
        const int y = block + 2 * static_cast<int>(r) * u;
        set_rect(widgets.transform_titles[r], 0, y, width - 2 * u, u);
        set_rect(app.transform_reset_buttons[r], width - 2 * u, y, 2 * u, u);
        const int count = static_cast<int>(transform_editor_labels()[r].axis_names.size());
        const int each = width / count;
        const int name_width = count == 1 ? 2 * u : u;
        for (int k = 0; k < count; ++k, ++field) {
            set_rect(widgets.axis_names[field], k * each, y + u, name_width, u);
            set_rect(widgets.transform_fields[field], k * each + name_width, y + u,
                     each - name_width, u);
        }
    }
    place_order_row(widgets.rotation_order_buttons, app.transform_reset_buttons[4], block + 8 * u,
                    width, u);
    place_order_row(widgets.transform_order_buttons, app.transform_reset_buttons[5], block + 9 * u,
                    width, u);
}

void build_list_panels(Application& app)
{
    app.lists.fill_styles = g_active_fill_styles.data();
    app.lists.text_colour = app.theme_text_colour.data();
    for (lumo::SP& pane : app.list_panes) {
        apply_theme_to_styles(app, pane);
        pane.clip_children = true;
    }
    build_entity_inspector(app);
    build_parameter_panel(app);
    app.side_panels[0].set_layout_callback(lay_out_console_panel);
    app.side_panels[1].set_layout_callback(lay_out_entity_panel);
    app.side_panels[2].set_layout_callback(lay_out_parameter_panel);
}
