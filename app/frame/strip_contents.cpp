// The contents of the status bar's two strips, the directive column's option
// buttons and rows, and the side panel's close entry.

#include "app/frame/interface_construction.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/frame/interface_styles.h"
#include "state/application.h"
#include "lumo/assets/icons.h"
#include "lumo/font.h"
#include "panels/directive_menus.h"
#include "render/picking.h"
#include "shell/state_setters.h"
#include "shell/menu_labels.h"
#include "shell/themes.h"
#include "shell/window_layout.h"

namespace {

// A strip button: the short label of row `i`, the hint of that row, in the
// strips' tiny face.
void label_button(Application& app, lumo::P& button, const LabelGroup& labels, int i)
{
    style_button(app, button, labels, i);
    button.font = lumo::kFontTinyBold;
    button.align_x = lumo::kAlignCentre;
}

// Inspector strip: the LLMI indicator (its label shows the pick-mode letter,
// its hint the last pick), then the seven pick-mode rows side by side. The
// strip opens to 5T + 2U, the indicator takes what the rows leave.
void build_inspector_strip(Application& app)
{
    const LayoutMetrics& m = app.layout;
    const int T = m.strip_height;
    const int rows = static_cast<int>(app.pick_mode_rows.size());
    const int indicator_width = 5 * T + 2 * m.bar_unit - rows * T;
    StripWidgets& strip = app.inspector_strip;
    set_rect(strip.content, 0, 0, indicator_width + rows * T, T);
    const LabelGroup& labels = label_group(MENU_TABLE_INSPECTOR);
    // Its hint comes from the picks, and its label and the rows' marks from
    // the pick mode (show_pick_mode), not from this group's first row.
    label_button(app, app.llmi_indicator, labels, 0);
    app.llmi_indicator.border_right.width = m.thin_border;
    app.llmi_indicator.border_right.style = active_style(STYLE_BORDER_RIGHT);
    set_rect(app.llmi_indicator, 0, 0, indicator_width, T);
    strip.content.add_child(&app.llmi_indicator);
    for (int r = 0; r < rows; ++r) {
        lumo::P& row = app.pick_mode_rows[static_cast<std::size_t>(r)];
        label_button(app, row, labels, r + 1);
        set_rect(row, indicator_width + r * T, 0, T, T);
        strip.content.add_child(&row);
    }
}

// Parallel-flags strip: the max-cores field, then the five assembly flags;
// it opens to 2U + 240.
void build_parallel_flags_strip(Application& app)
{
    const LayoutMetrics& m = app.layout;
    const int T = m.strip_height;
    constexpr int flag_width = 48;
    StripWidgets& strip = app.parallel_flags_strip;
    const LabelGroup& labels = label_group(MENU_TABLE_PARALLEL_FLAGS);
    lumo::F& cores = app.max_cores_field;
    cores.set_label_field(std::to_string(app.view_settings.max_cores));
    cores.hint_title = &labels.pairs[1].label;
    cores.hint_text = &labels.pairs[1].tooltip;
    cores.text_colour_override = app.theme_text_colour.data();
    cores.align_x = lumo::kAlignCentre;
    cores.border_right.width = m.thin_border;
    cores.border_right.style = active_style(STYLE_BORDER_RIGHT);
    set_rect(cores, 0, 0, 2 * m.bar_unit, T);
    strip.content.add_child(&cores);
    const int count = static_cast<int>(app.parallel_option_toggles.size());
    for (int i = 0; i < count; ++i) {
        lumo::P& button = app.parallel_option_toggles[static_cast<std::size_t>(i)];
        label_button(app, button, labels, i + 2);
        set_rect(button, 2 * m.bar_unit + i * flag_width, 0, flag_width, T);
        strip.content.add_child(&button);
    }
    set_rect(strip.content, 0, 0, 2 * m.bar_unit + count * flag_width, T);
}

// The column's south part: the buttons in three rows, the two arrows narrow
// between the wider sync and goto; the goto fields below them.
void build_directive_buttons(Application& app)
{
    const LayoutMetrics& m = app.layout;
    DirectiveColumnWidgets& column = app.directive_column;
    const LabelGroup& labels = label_group(MENU_TABLE_CAMERA_DIRECTIVES);
    const int cell = m.bar_unit / 2;
    const int arrow = m.bar_unit / 4;
    const int wide = m.bar_unit - arrow;
    const std::array<int, 4> widths{wide, arrow, arrow, wide};
    int x = 0;
    for (std::size_t i = 0; i < column.buttons.size(); ++i) {
        label_button(app, column.buttons[i], labels, static_cast<int>(i));
        set_rect(column.buttons[i], x, 0, widths[i], cell);
        x += widths[i];
    }
    for (std::size_t i = 0; i < app.directive_option_buttons.size(); ++i) {
        lumo::P& button = app.directive_option_buttons[i];
        label_button(app, button, labels, 6 + static_cast<int>(i));
        const int row = 1 + static_cast<int>(i) / 2;
        set_rect(button, static_cast<int>(i % 2) * m.bar_unit, row * cell, m.bar_unit, cell);
        column.south.add_child(&button);
    }
    for (std::size_t i = 0; i < column.goto_fields.size(); ++i) {
        lumo::F& field = column.goto_fields[i];
        field.set_label_field(labels.short_labels[4 + i]);
        field.text_colour_override = app.theme_text_colour.data();
        set_rect(field, 0, (DIRECTIVE_FOOT_ROWS + static_cast<int>(i)) * cell, 2 * m.bar_unit,
                 cell);
    }
    mark_directive_column(app);
}

void build_side_panel_close(Application& app)
{
    const LayoutMetrics& m = app.layout;
    lumo::P& close = app.side_panel_close;
    close.set_label("X");
    close.font = lumo::kFontTinyBold;
    close.align_x = lumo::kAlignCentre;
    close.hover_style = active_style(STYLE_HIGHLIGHT);
    close.text_colour_override = app.theme_text_colour.data();
    close.hint_title = &g_side_panel_close_hint[0];
    close.hint_text = &g_side_panel_close_hint[1];
    set_rect(close, m.side_panel_width - m.strip_height, 0, m.strip_height, m.strip_height);
    close.depth_offset = 1.0;
    app.control_pane.add_child(&close);
}

} // namespace

void build_strip_contents(Application& app)
{
    // The two toggles are T x T: an icon, their names only in the hint.
    const std::pair<lumo::P*, int> toggles[] = {{&app.parallel_flags_toggle, lumo::kIconParallel},
                                                {&app.llmi_toggle, lumo::kIconSelect}};
    for (const auto& [toggle, icon] : toggles) {
        toggle->set_label("");
        toggle->icon = icon;
        toggle->hint_icon = icon;
    }
    build_inspector_strip(app);
    build_parallel_flags_strip(app);
    build_directive_buttons(app);
    build_side_panel_close(app);
}

void sync_directive_rows(Application& app)
{
    const DirectiveMenus& menus = app.directive_menus;
    const std::size_t count = std::min(menus.camera_rows.size(), menus.camera_row_rects.size());
    lumo::KL& list = app.directive_column.list;
    if (app.directive_rows.size() != count) {
        list.children.clear();
        app.directive_rows.clear();
        for (std::size_t i = 0; i < count; ++i) {
            auto row = std::make_unique<lumo::P>();
            row->hover_style = active_style(STYLE_HIGHLIGHT);
            row->font = lumo::kFontTiny;
            row->text_colour_override = app.theme_text_colour.data();
            list.add_child(row.get());
            app.directive_rows.push_back(std::move(row));
        }
    }
    const bool grid = app.view_settings.directive_mode >= 2;
    int bottom = 0;
    for (std::size_t i = 0; i < count; ++i) {
        lumo::P& row = *app.directive_rows[i];
        const DirectiveRowRect& rect = menus.camera_row_rects[i];
        set_rect(row, rect.x, rect.y, rect.width, rect.height);
        // The list shows the names, the grid the thumbnails (cells counted
        // up from 0 in directive order).
        row.set_label(grid ? "" : menus.camera_rows[i]);
        const int cell = directive_thumbnail_cell(static_cast<int>(i));
        row.image = grid && cell >= 0 ? lumo::WidgetImage::kThumbnails : lumo::WidgetImage::kNone;
        if (grid && cell >= 0) row.image_uv = thumbnail_cell_uv(cell);
        bottom = std::max(bottom, rect.y + rect.height);
    }
    mark_directive_rows(app);
    list.width = app.directive_column.list_area.width;
    list.height = bottom + app.layout.gap;
}

void sync_variant_rows(Application& app)
{
    const std::vector<ParametricVariant>& variants = app.directive_menus.variants;
    lumo::KL& list = app.variants_panel.list;
    if (app.variant_rows.size() != variants.size()) {
        // The pointer may rest on a row about to go.
        for (const auto& row : app.variant_rows)
            if (lumo::g_hovered_widget == row.get()) lumo::g_hovered_widget = nullptr;
        list.children.clear();
        app.variant_rows.clear();
        for (std::size_t i = 0; i < variants.size(); ++i) {
            auto row = std::make_unique<lumo::P>();
            row->hover_style = active_style(STYLE_HIGHLIGHT);
            row->font = lumo::kFontSmall;
            row->align_x = lumo::kAlignStart;
            row->padding.left = app.layout.gap;
            row->text_colour_override = app.theme_text_colour.data();
            list.add_child(row.get());
            app.variant_rows.push_back(std::move(row));
        }
    }
    // More variants than the panel holds scroll with the wheel.
    const int height = app.layout.strip_height;
    const int offset = lumo::scroll_offset(
        list.height, static_cast<int>(variants.size()) * height,
        app.view_settings.minimal_scroll_fractions[MINIMAL_SCROLL_VARIANTS], true);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        lumo::P& row = *app.variant_rows[i];
        set_rect(row, 0, offset + static_cast<int>(i) * height, list.width, height);
        row.row_id = static_cast<int>(i);
        const std::string text = variant_row_text(variants[i]);
        if (row.label != text) row.set_label(text);
    }
}

void follow_floating_controls(Application& app)
{
    const std::int64_t entities =
        app.current_entity_list != nullptr ? app.current_entity_list->count : 0;
    const std::array<std::int64_t, 5> basis{
        entities, static_cast<std::int64_t>(app.directive_menus.camera_rows.size()),
        app.variant_count, app.animation_directive_count, app.camera_mode};
    if (basis == app.floating_controls_basis) return;
    app.floating_controls_basis = basis;
    update_panel_visibility(app);
    app.redraw_requested = 1;
}
