#include "panels/entity_rows.h"

#include <algorithm>
#include <string>
#include <vector>

#include "state/application.h"
#include "lumo/font.h"
#include "model/entity.h"
#include "model/transform_editor_labels.h"
#include "panels/list_styles.h"
#include "panels/panel_rows.h"
#include "panels/ppd_view.h"
#include "shell/refresh.h"

namespace {

const FillStyle* active_style(const Application& app, int slot)
{
    return app.lists.fill_styles != nullptr ? &app.lists.fill_styles[slot] : nullptr;
}

void place(lumo::P& widget, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    widget.x = x;
    widget.y = y;
    widget.width = width;
    widget.height = height;
}

// Clears the hint bar's pointer when it rests on a widget inside `container`,
// whose children are about to be destroyed.
void forget_hint_inside(Application& app, lumo::KL& container)
{
    const lumo::P* shown = app.hint_bar.last_tooltip;
    if (shown != nullptr && shown != &container &&
        !lumo::find_widget_path(&container, shown).empty())
        app.hint_bar.last_tooltip = nullptr;
}

void configure_row_frame(const Application& app, EntityRowWidgets& widgets, std::int32_t index,
                         bool selected, bool visible, std::int32_t inner_width)
{
    const std::int32_t width = app.layout.side_panel_width - app.layout.panel_inset;
    place(widgets.row, 0, LIST_ROW_PITCH * index, width, LIST_ROW_HEIGHT);
    widgets.row.hover_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    widgets.row.selected_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    widgets.row.row_id = index;
    widgets.row.selected = selected;
    place(widgets.inner, 0, 0, inner_width, LIST_ROW_HEIGHT);
    // The labels are sized to the widest statistics line; a long line ends
    // where the action icons begin instead of running under them.
    widgets.inner.clip_children = true;
    widgets.inner.opacity = visible ? FLAG_SET_OPACITY : FLAG_CLEAR_OPACITY;
    widgets.inner.add_child(&widgets.first_line);
    widgets.inner.add_child(&widgets.two_lines);
    widgets.row.add_child(&widgets.inner);
    widgets.row.add_child(&widgets.marker);
}

void add_action_icon(EntityRowWidgets& widgets, std::size_t slot, int icon, std::int32_t x,
                     std::int32_t y)
{
    lumo::P& action = widgets.actions[slot];
    place(action, x, y, ROW_ICON_SIZE, ROW_ICON_SIZE);
    action.icon = icon;
    widgets.row.add_child(&action);
}

std::unique_ptr<EntityRowWidgets> build_entity_row(const Application& app, const Entity& entity,
                                                   std::int32_t index, const std::string& text)
{
    auto widgets = std::make_unique<EntityRowWidgets>();
    const std::int32_t width = app.layout.side_panel_width - app.layout.panel_inset;
    const SceneState* scene = app.current_scene_state;
    const bool selected = scene != nullptr && scene->selected_index == index;
    configure_row_labels(app, *widgets, entity, text, 82);
    configure_row_marker(app, widgets->marker, entity.assembly_locked != 0);
    configure_row_frame(app, *widgets, index, selected, entity.visible != 0, width - 48);
    const std::array<std::array<std::int32_t, 2>, 4> corners{
        {{width - 47, 2}, {width - 25, 2}, {width - 47, 22}, {width - 25, 22}}};
    for (std::size_t slot = 0; slot < ENTITY_ROW_ICONS.size(); ++slot)
        add_action_icon(*widgets, slot, ENTITY_ROW_ICONS[slot], corners[slot][0], corners[slot][1]);
    return widgets;
}

void install_list_callbacks(lumo::KL& list, lumo::ClickFn click, lumo::LayoutFn layout)
{
    list.on_click = click;
    list.on_press = store_list_pointer;
    list.set_layout_callback(layout);
}

// The current environment's transform editor labels, the built-in ones
// before an environment exists.
const TransformEditorLabels& editor_labels(const Application& app)
{
    return app.current_scene_state != nullptr ? app.current_scene_state->editor_labels
                                              : transform_editor_labels();
}

void show_editor_labels(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    std::size_t k = 0;
    for (std::size_t r = 0; r < widgets.transform_titles.size(); ++r) {
        const TransformEditorRow& row = editor_labels(app)[r];
        widgets.transform_titles[r].set_label(row.title);
        for (const std::string& axis : row.axis_names)
            widgets.axis_names[k++].set_label(axis);
    }
}

void show_no_entity(Application& app)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    widgets.title.enabled = false;
    widgets.ppd_indicator.visible = false;
    widgets.header.set_label(ENTITY_HEADER_NONE);
    widgets.property_lines.set_label(std::string());
    widgets.detail_text.set_label(std::string());
    widgets.details.visible = false;
    widgets.details.content_offset_x = 0;
    widgets.details.content_offset_y = 0;
    widgets.details.content_width = 0;
    widgets.details.content_height = 0;
    std::size_t k = 0;
    for (const TransformEditorRow& row : editor_labels(app))
        for (const std::string& identity : row.default_values) {
            lumo::F& field = widgets.transform_fields[k++];
            field.set_label(identity);
            field.on_enter = nullptr;
            field.on_escape = nullptr;
        }
    for (auto* buttons : {&widgets.rotation_order_buttons, &widgets.transform_order_buttons})
        for (lumo::P& button : *buttons) {
            button.font = lumo::kFontSmall;
            button.selected = false;
        }
}

void show_order(std::array<lumo::P, 6>& buttons, const OrderSelector& selector)
{
    for (std::size_t b = 0; b < buttons.size(); ++b) {
        buttons[b].font = selector.fonts[b];
        buttons[b].selected = selector.selected[b] != 0;
    }
}

void show_entity(Application& app, const Entity& entity)
{
    EntityInspectorWidgets& widgets = app.lists.entities;
    const std::int32_t gap = app.layout.gap;
    widgets.title.enabled = true;
    widgets.ppd_indicator.visible = true;
    widgets.ppd_indicator.opacity = entity_has_ppd(entity) ? 1.0 : DIMMED_OPACITY;
    widgets.header.set_label(get_entity_label(entity));
    widgets.property_lines.set_text_list(entity.property_lines);
    widgets.detail_text.set_label(get_entity_detail_text(entity));
    const std::int32_t text_width = widgets.property_lines.label_width + 2 * gap;
    for (lumo::T* label : {&widgets.property_lines, &widgets.detail_text}) {
        label->width = text_width;
        label->height = label->label_height + 2 * gap;
    }
    widgets.details.visible = true;
    // The titles stand among the value lines; whichever column is longer
    // sets where the transform block starts.
    const std::int32_t text_height =
        std::max(widgets.property_lines.label_height, widgets.detail_text.label_height);
    place(widgets.details, 0, 0, app.layout.side_panel_width - app.layout.panel_inset,
          text_height - 1 + 2 * (gap + 6 * app.layout.strip_height));

    show_editor_labels(app);
    const PanelRows& model = app.panel_rows;
    for (std::size_t k = 0; k < widgets.transform_fields.size(); ++k) {
        lumo::F& field = widgets.transform_fields[k];
        field.row_id = static_cast<int>(k);
        if (field.label != model.transform_fields[k]) field.set_label(model.transform_fields[k]);
        field.on_escape = app.lists.callbacks.transform_cancel;
        field.on_enter = app.lists.callbacks.transform_enter;
    }
    show_order(widgets.rotation_order_buttons, model.rotation_order);
    show_order(widgets.transform_order_buttons, model.transform_order);
}

} // namespace

void configure_row_labels(const Application& app, EntityRowWidgets& widgets, const Entity& entity,
                          const std::string& two_line_text, std::int32_t extra_width)
{
    const std::int32_t gap = app.layout.gap;
    const std::int32_t width =
        static_cast<std::int32_t>(entity.statistics_width) + extra_width + gap;
    lumo::T& first = widgets.first_line;
    place(first, 0, 0, width, LIST_ROW_HEIGHT);
    first.font = lumo::kFontSmallBold;
    first.align_x = lumo::kAlignStart;
    first.align_y = lumo::kAlignStart;
    first.padding.left = gap;
    first.padding.top = gap / 2 - 1;
    first.depth_offset = ROW_LABEL_DEPTH;
    first.text_colour_override = app.lists.text_colour;
    first.set_label(entity.statistics_lines[0]);

    lumo::T& second = widgets.two_lines;
    place(second, 0, 0, width, LIST_ROW_HEIGHT);
    second.font = lumo::kFontSmall;
    second.align_x = lumo::kAlignStart;
    second.align_y = lumo::kAlignEnd;
    second.padding.left = gap / 2 + 33;
    second.padding.bottom = gap / 2;
    second.depth_offset = ROW_LABEL_DEPTH;
    second.text_colour_override = app.lists.text_colour;
    second.set_label(two_line_text);
}

void configure_row_marker(const Application& app, lumo::P& marker, bool set)
{
    const std::int32_t gap = app.layout.gap;
    place(marker, gap / 2, 19 - gap / 2, ROW_MARKER_SIZE, ROW_MARKER_SIZE);
    marker.icon = lumo::kIconLocked;
    marker.icon_flip_x = true;
    marker.opacity = set ? FLAG_SET_OPACITY : FLAG_CLEAR_OPACITY;
}

bool store_list_pointer(int x, int y, int /*button*/)
{
    if (g_app != nullptr) g_app->lists.pointer = {x, y};
    return false;
}

std::int32_t destroy_entity_rows(Application& app, lumo::KL& list, EntityRowList& rows)
{
    std::int32_t hovered = -1;
    for (std::size_t i = 0; i < rows.rows.size(); ++i)
        if (lumo::g_hovered_widget == &rows.rows[i]->row) {
            rows.rows[i]->row.hovered = false;
            lumo::g_hovered_widget = nullptr;
            hovered = static_cast<std::int32_t>(i);
        }
    forget_hint_inside(app, list);
    list.on_click = nullptr;
    list.on_press = nullptr;
    list.on_wheel_callback = nullptr;
    list.set_layout_callback(nullptr);
    list.children.clear();
    rows.rows.clear();
    rows.separators.clear();
    return hovered;
}

void add_row_separators(Application& app, lumo::KL& list, EntityRowList& rows, std::int32_t n)
{
    const std::int32_t width = app.layout.side_panel_width - app.layout.panel_inset;
    for (std::int32_t k = 0; k + 1 < n; ++k) {
        auto separator = std::make_unique<lumo::P>();
        place(*separator, 0, LIST_ROW_HEIGHT + LIST_ROW_PITCH * k, width, 1);
        separator->fill = true;
        separator->fill_style = active_style(app, STYLE_SEPARATOR);
        list.add_child(separator.get());
        rows.separators.push_back(std::move(separator));
    }
    list.content_height = n >= 1 ? LIST_ROW_HEIGHT * n + (n - 1) : 0;
}

void restore_hovered_row(EntityRowList& rows, std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= rows.rows.size()) return;
    lumo::KL& row = rows.rows[static_cast<std::size_t>(index)]->row;
    row.hovered = true;
    lumo::g_hovered_widget = &row;
}

void rebuild_entity_rows(Application& app)
{
    fill_entity_row_texts(app);
    EntityInspectorWidgets& widgets = app.lists.entities;
    const EntityList* list = app.current_entity_list;
    const std::int32_t n =
        list != nullptr
            ? std::clamp(list->count, 0, static_cast<std::int32_t>(list->entities.size()))
            : 0;
    widgets.placeholder.visible = n == 0;
    const std::int32_t hovered = destroy_entity_rows(app, widgets.list, widgets.rows);
    if (n >= 1) {
        widgets.list.fill_style = active_style(app, STYLE_LIST_BACKGROUND);
        widgets.rows.rows.reserve(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            const auto at = static_cast<std::size_t>(i);
            widgets.rows.rows.push_back(
                build_entity_row(app, list->entities[at], i, app.panel_rows.entity_rows[at]));
            widgets.list.add_child(&widgets.rows.rows.back()->row);
        }
    }
    add_row_separators(app, widgets.list, widgets.rows, n);
    install_list_callbacks(widgets.list, app.lists.callbacks.entity_row_click,
                           app.lists.callbacks.entity_list_layout);
    restore_hovered_row(widgets.rows, hovered);
    refresh_root(app);
}

void rebuild_entity_details(Application& app)
{
    if (app.current_entity_list == nullptr) return;
    EntityInspectorWidgets& widgets = app.lists.entities;
    widgets.details.set_layout_callback(nullptr);
    fill_entity_details(app);
    const Entity* entity = app.current_scene_state != nullptr
                               ? get_inspected_entity(*app.current_scene_state)
                               : nullptr;
    if (entity == nullptr) {
        show_no_entity(app);
    } else {
        show_entity(app, *entity);
        widgets.details.set_layout_callback(app.lists.callbacks.entity_details_layout);
    }
    refresh_root(app);
}

void measure_entity_statistics_view(EntitySelection& selection)
{
    const EntityList* list = selection.entity_list;
    if (list == nullptr || list->count < 1) {
        selection.content_width = 0;
        selection.content_height = 0;
        selection.scroll_offset_1 = 0.0;
        selection.scroll_offset_2 = 0.0;
        return;
    }
    std::uint32_t widest = 0;
    for (std::int32_t index : list->display_order)
        if (index >= 0 && index < list->count)
            widest =
                std::max(widest, list->entities[static_cast<std::size_t>(index)].statistics_width);
    selection.content_width = static_cast<std::int32_t>(widest);
    selection.content_height = list->display_count * LIST_ROW_HEIGHT;
}

void show_entity_row_statistics(Application& app, const Entity& entity, std::int32_t index,
                                std::int32_t position)
{
    const std::string text = entity_row_text(entity);
    for (auto [rows, at] : {std::pair{&app.lists.entities.rows.rows, index},
                            std::pair{&app.lists.parameters.rows.rows, position}}) {
        if (at < 0 || static_cast<std::size_t>(at) >= rows->size()) continue;
        EntityRowWidgets& row = *(*rows)[static_cast<std::size_t>(at)];
        row.first_line.set_label(entity.statistics_lines[0]);
        row.two_lines.set_label(text);
    }
}
