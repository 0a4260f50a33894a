#include "shell/menu_rows.h"

#include <algorithm>

#include "state/application.h"
#include "shell/menu_labels.h"
#include "shell/themes.h"
#include "lumo/font.h"
#include "render/colour_functions.h"
#include "shell/window_layout.h"

namespace {

constexpr std::uint32_t k_grey = 0xFF808080u;

const FillStyle* style(int slot)
{
    return &g_active_fill_styles[static_cast<std::size_t>(slot)];
}

void set_border(lumo::Border& border, int width, int slot)
{
    border.width = width;
    border.style = style(slot);
}

void configure_row(Application& app, lumo::P& row, const LabelGroup& labels, int i, int icon)
{
    const auto index = static_cast<std::size_t>(i);
    row.set_label(labels.short_labels[index]);
    row.hover_style = style(STYLE_HIGHLIGHT);
    row.selected_style = style(STYLE_HIGHLIGHT);
    row.text_colour_override = app.theme_text_colour.data();
    row.hint_title = &labels.pairs[index].label;
    row.hint_text = &labels.pairs[index].tooltip;
    row.hint_icon = icon;
    row.padding.bottom = 1;
}

// Rows side by side, each at least G + M wide; `height` is M or T.
int place_strip_rows(Application& app, lumo::P* const* rows, int count, const LabelGroup& labels,
                     int icon, int height, lumo::KL& strip, int narrowed_row)
{
    const LayoutMetrics& m = app.layout;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        lumo::P& row = *rows[i];
        configure_row(app, row, labels, i, icon);
        row.align_x = lumo::kAlignCentre;
        set_border(row.border_right, m.thin_border, STYLE_BORDER_RIGHT);
        int width = std::max(3 * m.gap + row.label_width, m.gap + m.row_height);
        if (i == narrowed_row) width -= 1;
        set_rect(row, x, 0, width, height);
        strip.add_child(&row);
        x += width;
    }
    return x;
}

void attach_drop_down(lumo::KL& strip, lumo::KL& pane, lumo::KL& parent, bool hidden)
{
    pane.add_child(&strip);
    // A scrolled strip reaches past the pane; the menu's title beside it
    // must stay readable and must not take the clicks of hidden rows.
    pane.clip_children = true;
    pane.fill = true;
    pane.fill_style = style(STYLE_DROP_DOWN);
    if (hidden) pane.visible = false;
    parent.add_child(&pane);
}

std::vector<lumo::P*> row_pointers(MenuWidgets& menu, int count)
{
    std::vector<lumo::P*> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rows.push_back(&menu.rows[static_cast<std::size_t>(i)]);
    return rows;
}

} // namespace

std::vector<lumo::P*> build_tool_rows(Application& app, MenuWidgets& menu, int icon,
                                      const LabelGroup& labels, lumo::KL& parent)
{
    const int count = std::min(labels.row_count(), MAX_MENU_ROWS);
    std::vector<lumo::P*> rows = row_pointers(menu, count);
    const bool first_menu = &menu == &app.tool_menus[0];
    const int width = place_strip_rows(app, rows.data(), count, labels, icon, app.layout.row_height,
                                       menu.strip, first_menu ? 2 : -1);
    set_rect(menu.strip, 0, 0, width + app.layout.row_height, app.layout.row_height);
    menu.strip_width = menu.strip.width;
    attach_drop_down(menu.strip, menu.pane, parent, true);
    return rows;
}

std::vector<lumo::P*> build_settings_rows(Application& app, MenuWidgets& menu, int icon,
                                          const LabelGroup& labels, lumo::KL& parent)
{
    const LayoutMetrics& m = app.layout;
    const int count = std::min(labels.row_count(), MAX_MENU_ROWS);
    std::vector<lumo::P*> rows = row_pointers(menu, count);
    for (int i = 0; i < count; ++i) {
        lumo::P& row = *rows[static_cast<std::size_t>(i)];
        // The column is 2U wide whatever the label: the tiny face keeps the
        // longest labels ("Variant-Selector", "Mono-Edge-Tone") unclipped.
        row.font = lumo::kFontTiny;
        configure_row(app, row, labels, i, icon);
        row.align_x = lumo::kAlignEnd;
        row.padding.left = m.gap;
        row.padding.right = m.gap;
        set_border(row.border_bottom, m.thin_border, STYLE_BORDER_BOTTOM);
        set_rect(row, 0, i * m.row_height, 2 * m.bar_unit, m.row_height + 1);
        menu.strip.add_child(&row);
    }
    set_rect(menu.strip, 0, 0, 2 * m.bar_unit, m.row_height * count + 1);
    attach_drop_down(menu.strip, menu.pane, parent, true);
    return rows;
}

void fill_view_menus(Application& app)
{
    for (int m = 0; m < TOOL_MENU_COUNT; ++m) {
        MenuWidgets& menu = app.tool_menus[static_cast<std::size_t>(m)];
        menu.row_list = build_tool_rows(
            app, menu, static_cast<int>(app.tool_menu_icons[static_cast<std::size_t>(m)]),
            tool_menu_labels(m), app.tip_bar.scroll);
    }
}

void fill_settings_menus(Application& app)
{
    for (int m = 0; m < SETTINGS_MENU_COUNT; ++m) {
        MenuWidgets& menu = app.settings_menus[static_cast<std::size_t>(m)];
        menu.row_list = build_settings_rows(
            app, menu, static_cast<int>(app.settings_menu_icons[static_cast<std::size_t>(m)]),
            settings_menu_labels(m), app.menu_bar.drop_column);
    }
}

void fill_colour_by_menu(Application& app)
{
    const LayoutMetrics& m = app.layout;
    ColourBarWidgets& bar = app.colour_bar;
    const LabelGroup& labels = label_group(MENU_TABLE_COLOUR_BY);
    const int count = std::min(labels.row_count(), COLOUR_FUNCTION_COUNT);
    std::vector<lumo::P*> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(&app.colour_function_toggles[static_cast<std::size_t>(i)]);
    const int colour_icon = static_cast<int>(app.tool_menu_icons[TOOL_MENU_COLOUR]);
    const int width = place_strip_rows(app, rows.data(), count, labels, colour_icon, m.strip_height,
                                       bar.strip, -1);
    set_rect(bar.strip, 0, 0, width + m.strip_height, m.strip_height);
    attach_drop_down(bar.strip, bar.drop_down, bar.scroll, false);
    // The legend starts as the hue palette, the one the colour-space toggle
    // comes back to.
    const auto hues = build_function_palette(true);
    for (int i = 0; i < 10; ++i) {
        lumo::P& swatch = bar.swatches[static_cast<std::size_t>(i)];
        set_rect(swatch, m.gap * i / 2, 0, m.gap / 2, m.strip_height - 2 * m.gap - m.gap / 2);
        swatch.background_colour = hues[static_cast<std::size_t>(i)];
        bar.swatch_container.add_child(&swatch);
    }
    set_border(bar.swatch_container.border_top, m.thin_border, STYLE_BORDER_TOP);
    set_border(bar.swatch_container.border_right, m.thin_border, STYLE_BORDER_RIGHT);
    set_border(bar.swatch_container.border_bottom, m.thin_border, STYLE_BORDER_BOTTOM);
    set_rect(bar.swatch_container, m.gap, m.gap, 5 * m.gap, m.strip_height - 2 * m.gap);
    set_rect(bar.button, 0, 0, m.bar_unit, m.strip_height);
    bar.button.hover_style = style(STYLE_HIGHLIGHT);
    set_border(bar.button.border_right, m.thin_border, STYLE_BORDER_RIGHT);
    const LabelGroup& space = label_group(MENU_TABLE_COLOUR_SPACE);
    bar.button.hint_title = &space.pairs[0].label;
    bar.button.hint_text = &space.pairs[0].tooltip;
    bar.button.hint_icon = -1;
    bar.button.add_child(&bar.swatch_container);
    bar.scroll.add_child(&bar.button);
    bar.row_list = rows;
    bar.content_width = bar.strip.width;
    if (!rows.empty()) rows.front()->selected = true;
}

void fill_field_sliders(Application& app)
{
    const LayoutMetrics& m = app.layout;
    const int T = m.strip_height;
    const int G = m.gap;
    const LabelGroup& labels = label_group(MENU_TABLE_FIELD_SLIDERS);
    SliderBarWidgets& bar = app.slider_bar_parts;
    // The knobs start where a new environment's sliders stand.
    const EnvironmentWidgetState start;
    const std::size_t count = app.slider_rows.size();
    for (std::size_t i = 0; i < count; ++i) {
        lumo::KL& cell = bar.cells[i];
        SliderRow& row = app.slider_rows[i];
        const bool wide = i + 2 >= count;
        set_rect(cell, 180 * static_cast<int>(i), 0, 180, T);
        cell.hint_title = &labels.pairs[i].label;
        cell.hint_text = &labels.pairs[i].tooltip;
        set_rect(row.icon, 1, 0, T, T);
        if (i > 0) set_border(row.icon.border_left, m.thin_border, STYLE_BORDER_LEFT);
        row.field.set_label_field(app.slider_field_texts[i]);
        row.slider.set_value(start.slider_values[i]);
        row.field.text_colour_override = app.theme_text_colour.data();
        row.field.align_x = lumo::kAlignCentre;
        if (i == 0)
            set_rect(row.field, T - 1, 0, 3 * T + (wide ? 1 : 0), T);
        else
            set_rect(row.field, T, 0, 3 * T - 1 + (wide ? 1 : 0), T);
        set_border(row.field.border_left, m.thin_border, STYLE_BORDER_LEFT);
        set_border(row.field.border_right, m.thin_border, STYLE_BORDER_RIGHT);
        set_rect(row.slider, 0, 0, 180, T);
        row.slider.margin = {G / 2 + 4 * T + (wide ? 1 : 0), G / 2 + 1, G / 2, G / 2};
        set_border(row.slider.border_left, m.thin_border, STYLE_BORDER_LEFT);
        set_border(row.slider.border_top, m.thin_border, STYLE_BORDER_TOP);
        set_border(row.slider.border_right, m.thin_border, STYLE_BORDER_RIGHT);
        set_border(row.slider.border_bottom, m.thin_border, STYLE_BORDER_BOTTOM);
        row.slider.fill = true;
        row.slider.knob.fill = true;
        row.slider.knob.fill_style = style(STYLE_HIGHLIGHT);
        set_border(row.slider.knob.border_left, m.thin_border, STYLE_BORDER_LEFT);
        set_border(row.slider.knob.border_right, m.thin_border, STYLE_BORDER_RIGHT);
        row.icon.icon = static_cast<int>(app.slider_icons[i]);
        row.icon.text_colour_override = app.theme_text_colour.data();
        cell.hint_icon = row.icon.icon;
        cell.add_child(&row.slider);
        cell.add_child(&row.icon);
        cell.add_child(&row.field);
        bar.content.add_child(&cell);
    }
}

void apply_theme_to_styles(Application& app, lumo::SP& pane)
{
    const int thin = app.layout.thin_border;
    pane.fill = true;
    set_border(pane.parts[lumo::SP::kTrackX].border_top, thin, STYLE_BORDER_TOP);
    set_border(pane.parts[lumo::SP::kTrackY].border_left, thin, STYLE_BORDER_LEFT);
    lumo::P& thumb_y = pane.parts[lumo::SP::kThumbY];
    thumb_y.fill_style = style(STYLE_TRACK);
    thumb_y.hover_style = style(STYLE_HIGHLIGHT);
    set_border(thumb_y.border_left, thin, STYLE_BORDER_LEFT);
    set_border(thumb_y.border_right, thin, STYLE_BORDER_RIGHT);
    lumo::P& thumb_x = pane.parts[lumo::SP::kThumbX];
    thumb_x.fill_style = style(STYLE_BAR);
    thumb_x.hover_style = style(STYLE_THUMB_HOVER);
    set_border(thumb_x.border_top, thin, STYLE_BORDER_TOP);
    set_border(thumb_x.border_bottom, thin, STYLE_BORDER_BOTTOM);
}

void apply_widget_style_b(Application& app, lumo::SP& pane)
{
    apply_theme_to_styles(app, pane);
    for (lumo::P& part : pane.parts)
        for (lumo::Border* b :
             {&part.border_left, &part.border_top, &part.border_right, &part.border_bottom})
            if (b->width > 0) {
                b->width = 1;
                b->style = nullptr;
                b->colour = k_grey;
            }
}

void apply_grey_frame_style(lumo::P& widget)
{
    for (lumo::Border* b :
         {&widget.border_left, &widget.border_top, &widget.border_right, &widget.border_bottom}) {
        b->width = 1;
        b->style = nullptr;
        b->colour = k_grey;
    }
}
