#include "panels/parameter_rows.h"

#include <algorithm>
#include <limits>
#include <string>

#include "state/application.h"
#include "lumo/font.h"
#include "model/entity.h"
#include "panels/entity_rows.h"
#include "panels/list_styles.h"
#include "panels/panel_rows.h"
#include "shell/refresh.h"

namespace {

void place(lumo::P& widget, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    widget.x = x;
    widget.y = y;
    widget.width = width;
    widget.height = height;
}

const FillStyle* active_style(const Application& app, int slot)
{
    return app.lists.fill_styles != nullptr ? &app.lists.fill_styles[slot] : nullptr;
}

std::int32_t list_width(const Application& app)
{
    return app.layout.side_panel_width - app.layout.panel_inset;
}

// A BLN value shows green when true and red when false, in the forms the
// theme gives them.
const double* boolean_colour(const Application& app, bool value)
{
    return value ? app.meaning_colours.true_value.data() : app.meaning_colours.false_value.data();
}

bool is_bounded(const ScriptParameter& parameter)
{
    return parameter.minimum.type == parameter.value_type &&
           parameter.maximum.type == parameter.value_type;
}

// The entity rows of the panel: labels, the lock icon and the focus and
// material icons at the row's end. The row's highlight shows the selection;
// the lock icon shows the same lock as the entity inspector's row.
std::unique_ptr<EntityRowWidgets> build_parametric_row(const Application& app, const Entity& entity,
                                                       std::int32_t position, bool selected,
                                                       const std::string& text)
{
    auto widgets = std::make_unique<EntityRowWidgets>();
    const std::int32_t width = list_width(app);
    place(widgets->row, 0, LIST_ROW_PITCH * position, width, LIST_ROW_HEIGHT);
    widgets->row.hover_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    widgets->row.selected_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    widgets->row.row_id = position;
    widgets->row.selected = selected;
    place(widgets->inner, 0, 0, width - ROW_ICON_SIZE - 1, LIST_ROW_HEIGHT);
    // Long statistics lines end where the action icons begin.
    widgets->inner.clip_children = true;
    widgets->inner.opacity = entity.visible != 0 ? FLAG_SET_OPACITY : FLAG_CLEAR_OPACITY;

    configure_row_labels(app, *widgets, entity, text, 57);
    configure_row_marker(app, widgets->marker, entity.assembly_locked != 0);

    widgets->inner.add_child(&widgets->first_line);
    widgets->inner.add_child(&widgets->two_lines);
    widgets->row.add_child(&widgets->inner);
    widgets->row.add_child(&widgets->marker);
    const std::array<std::pair<int, std::int32_t>, 2> icons{
        {{lumo::kIconFocus, 22}, {lumo::kIconMaterial, 2}}};
    for (std::size_t slot = 0; slot < icons.size(); ++slot) {
        lumo::P& action = widgets->actions[slot];
        place(action, width - ROW_ICON_SIZE - 1, icons[slot].second, ROW_ICON_SIZE, ROW_ICON_SIZE);
        action.icon = icons[slot].first;
        widgets->row.add_child(&action);
    }
    return widgets;
}

// Where a parameter row's callbacks go: the single-entity or the group form.
struct ValueCallbacks {
    lumo::ActionFn enter;
    lumo::ActionFn cancel;
    lumo::ValueFn moved;
    lumo::ValueFn released;
};

void configure_value_field(const Application& app, lumo::F& field, const ScriptParameter& parameter,
                           std::size_t index, const ValueCallbacks& callbacks)
{
    const std::int32_t width = list_width(app);
    const std::int32_t h = app.layout.strip_height;
    place(field, 2 * h, h, width - 2 * h, h);
    field.align_x = lumo::kAlignEnd;
    field.row_id = static_cast<int>(index);
    if (parameter.value_type == ValueType::BLN) {
        field.editable = false;
        field.font = lumo::kFontSmallBold;
        field.text_colour_override = boolean_colour(app, parameter.current.bln_value != 0);
    }
    const std::vector<std::string>& texts = app.panel_rows.value_fields;
    field.set_label(index < texts.size() ? texts[index] : parameter_field_text(parameter));
    field.on_escape = callbacks.cancel;
    field.on_enter = callbacks.enter;
}

void configure_slider_row(const Application& app, ParameterRowWidgets& widgets,
                          const ScriptParameter& parameter, std::size_t index,
                          const ValueCallbacks& callbacks)
{
    const std::int32_t width = list_width(app);
    const std::int32_t h = app.layout.strip_height;
    place(widgets.slider_row, 0, 2 * h, width, h);
    for (std::size_t end = 0; end < widgets.end_boxes.size(); ++end) {
        lumo::P& box = widgets.end_boxes[end];
        place(box, end == 0 ? 0 : width - h, 0, h, h - 1);
        box.depth_offset = SLIDER_END_DEPTH;
        widgets.slider_row.add_child(&box);
    }
    place(widgets.track, h, (h - 5) / 2, width - 2 * h, 5);
    widgets.slider_row.add_child(&widgets.track);
    lumo::SB& slider = widgets.slider;
    place(slider, h - 1, 0, width - 2 * h + 2, h - 1);
    slider.knob_size = h + 1;
    slider.step_count = parameter_slider_steps(parameter);
    slider.row_id = static_cast<int>(index);
    slider.depth_offset = SLIDER_DEPTH;
    slider.knob.depth_offset = SLIDER_KNOB_DEPTH;
    const std::vector<double>& fractions = app.panel_rows.slider_fractions;
    slider.set_value(index < fractions.size() ? fractions[index]
                                              : compute_parameter_fraction(parameter));
    slider.on_value_changed = callbacks.moved;
    slider.on_release_value = callbacks.released;
    slider.on_pre_press = nullptr;
    widgets.slider_row.add_child(&slider);
    const std::array<std::int32_t, 4> tick_x{h - 3, h - 1, width - h, width - h + 2};
    for (std::size_t t = 0; t < widgets.ticks.size(); ++t) {
        lumo::P& tick = widgets.ticks[t];
        place(tick, tick_x[t], h / 2 - 4, 1, 8);
        tick.fill = true;
        tick.background_colour = SLIDER_TICK_COLOUR;
        tick.depth_offset = SLIDER_TICK_DEPTH;
        widgets.slider_row.add_child(&tick);
    }
    widgets.row.add_child(&widgets.slider_row);
}

// One parameter's rows at y; returns the number of strip rows it takes.
std::int32_t add_parameter_row(Application& app, const ScriptParameter& parameter,
                               std::size_t index, std::int32_t y, const ValueCallbacks& callbacks)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    auto widgets = std::make_unique<ParameterRowWidgets>();
    const std::int32_t width = list_width(app);
    const std::int32_t h = app.layout.strip_height;
    const std::int32_t gap = app.layout.gap;
    const bool bounded = is_bounded(parameter);
    const std::int32_t rows = bounded ? 3 : 2;
    place(widgets->row, 0, y, width, rows * h);

    lumo::T& type = widgets->type_label;
    place(type, 0, 0, 2 * h, h);
    type.font = lumo::kFontSmallBold;
    type.align_x = lumo::kAlignCentre;
    type.align_y = lumo::kAlignCentre;
    type.set_label(value_type_name(parameter.value_type));
    place(widgets->type_box, 0, h, 2 * h, h);

    lumo::T& name = widgets->name_label;
    place(name, 2 * h, 0, width - 2 * h, h);
    name.align_x = lumo::kAlignStart;
    name.align_y = lumo::kAlignCentre;
    name.padding.left = gap;
    name.padding.right = gap;
    name.padding.bottom = 2;
    name.selected = parameter.selected != 0;
    name.selected_style = active_style(app, STYLE_ROW_HIGHLIGHT);
    name.text_colour_override = app.lists.text_colour;
    name.set_label(parameter.label);

    place(widgets->info_icon, width - h, 0, h, h);
    widgets->info_icon.icon = lumo::kIconInfo;
    configure_value_field(app, widgets->value_field, parameter, index, callbacks);
    place(widgets->reset_icon, h / 2, h - 2, h, h);
    widgets->reset_icon.icon = lumo::kIconRefresh;
    widgets->reset_icon.icon_flip_x = true;

    for (lumo::P* part :
         std::initializer_list<lumo::P*>{&type, &widgets->type_box, &name, &widgets->info_icon,
                                         &widgets->value_field, &widgets->reset_icon})
        widgets->row.add_child(part);
    if (bounded) configure_slider_row(app, *widgets, parameter, index, callbacks);
    panel.details.add_child(&widgets->row);
    panel.parameters.push_back(std::move(widgets));
    return rows;
}

void add_member_title(Application& app, const std::string& name, std::int32_t y)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    auto title = std::make_unique<lumo::T>();
    place(*title, 0, y, list_width(app), app.layout.strip_height);
    title->font = lumo::kFontRegular;
    title->align_y = lumo::kAlignCentre;
    title->text_colour_override = app.lists.text_colour;
    title->set_label("\t " + name);
    panel.details.add_child(title.get());
    panel.member_titles.push_back(std::move(title));
}

// A single entity's parameters; returns the strip rows they take.
std::int32_t add_single_parameters(Application& app, Entity& entity)
{
    const ValueCallbacks callbacks{
        app.lists.callbacks.parameter_enter, app.lists.callbacks.parameter_cancel,
        app.lists.callbacks.slider_moved, app.lists.callbacks.slider_released};
    std::int32_t rows = 0;
    for (std::size_t i = 0; i < entity.parameters.parameters.size(); ++i)
        rows += add_parameter_row(app, entity.parameters.parameters[i], i,
                                  rows * app.layout.strip_height, callbacks);
    return rows;
}

// A group's members, each a title row and its parameters. The value fields
// carry their index into the merged set's parameter references, which list
// the members' parameters in member order; a null reference gets no row.
std::int32_t add_group_parameters(Application& app, Entity& group)
{
    const ValueCallbacks callbacks{
        app.lists.callbacks.group_parameter_enter, app.lists.callbacks.group_parameter_cancel,
        app.lists.callbacks.group_slider_moved, app.lists.callbacks.group_slider_released};
    const ParameterSet& merged = group.parameters;
    const std::int32_t h = app.layout.strip_height;
    std::int32_t rows = 0;
    std::size_t reference = 0;
    for (std::size_t m = 0; m < merged.member_sets.size(); ++m) {
        const ParameterSet* member = merged.member_sets[m];
        if (member == nullptr) continue;
        add_member_title(app, m < merged.member_names.size() ? merged.member_names[m] : "",
                         rows * h);
        ++rows;
        const ScriptParameter* first = member->parameters.data();
        const ScriptParameter* last = first + member->parameters.size();
        for (; reference < merged.member_parameters.size(); ++reference) {
            const ScriptParameter* parameter = merged.member_parameters[reference];
            if (parameter == nullptr) continue;
            if (parameter < first || parameter >= last) break;
            rows += add_parameter_row(app, *parameter, reference, rows * h, callbacks);
        }
    }
    return rows;
}

std::uint32_t execute_mode_of(const Entity& entity)
{
    if (entity.kind == ENTITY_GROUP) return entity.root_execute_mode;
    return entity.mesh != nullptr ? entity.mesh->execute_mode : 0;
}

void show_parameter_header(Application& app, const Entity& entity)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    panel.header.set_label(get_entity_label(entity));
    const std::uint32_t mode = execute_mode_of(entity);
    panel.execute_mode.set_label(mode < EXECUTE_MODE_LABELS.size() ? EXECUTE_MODE_LABELS[mode]
                                                                   : EXECUTE_MODE_NONE);
    panel.details.visible = true;
    panel.execute_mode.visible = true;
    panel.variants_button.visible = true;
    panel.title.enabled = true;
    for (lumo::P* control : {&panel.toggles[0], &panel.toggles[1], &panel.toggles[2],
                             &panel.reset_button, &panel.apply_button})
        control->opacity = 1.0;
    // The entity keeps auto-sync as its carry-over flag, immediate as live
    // sync and multi-edit as manual sync.
    panel.toggles[0].selected = entity.keep_parameter_values != 0;
    panel.toggles[1].selected = entity.live_sync != 0;
    panel.toggles[2].selected = entity.manual_sync != 0;
}

std::int32_t destroy_parameter_rows(Application& app)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    std::int32_t hovered = -1;
    for (std::size_t i = 0; i < panel.parameters.size(); ++i)
        if (lumo::g_hovered_widget == &panel.parameters[i]->row) {
            panel.parameters[i]->row.hovered = false;
            lumo::g_hovered_widget = nullptr;
            hovered = static_cast<std::int32_t>(i);
        }
    const lumo::P* shown = app.hint_bar.last_tooltip;
    if (shown != nullptr && shown != &panel.details &&
        !lumo::find_widget_path(&panel.details, shown).empty())
        app.hint_bar.last_tooltip = nullptr;
    panel.details.on_click = nullptr;
    panel.details.on_press = nullptr;
    panel.details.on_move = nullptr;
    panel.details.set_layout_callback(nullptr);
    panel.details.children.clear();
    panel.parameters.clear();
    panel.member_titles.clear();
    return hovered;
}

void add_footer(Application& app, const Entity& entity, std::int32_t rows)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    const std::int32_t h = app.layout.strip_height;
    place(panel.footer, 0, rows * h, list_width(app), h - 1);
    panel.footer.text_colour_override = app.lists.text_colour;
    panel.footer.set_label(get_parameter_detail_text(entity.parameters));
    panel.details.add_child(&panel.footer);
}

} // namespace

std::int32_t parameter_slider_steps(const ScriptParameter& parameter)
{
    std::int64_t span = 0;
    if (parameter.value_type == ValueType::INT)
        span = std::int64_t{parameter.maximum.int_value} - parameter.minimum.int_value;
    else if (parameter.value_type == ValueType::LNG)
        span = std::int64_t{parameter.maximum.lng_value} - parameter.minimum.lng_value;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(span, 0, std::numeric_limits<std::int32_t>::max()));
}

void show_no_parameters(Application& app, const std::string& header)
{
    ParameterControlWidgets& panel = app.lists.parameters;
    panel.header.set_label(header);
    panel.execute_mode.set_label(EXECUTE_MODE_NONE);
    panel.details.visible = false;
    panel.execute_mode.visible = false;
    panel.variants_button.visible = false;
    panel.title.enabled = false;
    for (lumo::P* control : {&panel.toggles[0], &panel.toggles[1], &panel.toggles[2],
                             &panel.reset_button, &panel.apply_button})
        control->opacity = DIMMED_OPACITY;
    for (lumo::P& toggle : panel.toggles)
        toggle.selected = false;
    panel.details.content_height = 0;
}

void rebuild_parameter_rows(Application& app)
{
    fill_parameter_row_texts(app);
    ParameterControlWidgets& panel = app.lists.parameters;
    const EntityList* list = app.current_entity_list;
    const std::vector<std::string>& texts = app.panel_rows.parameter_rows;
    const std::size_t listed = list != nullptr ? list->display_order.size() : 0;
    const auto n = static_cast<std::int32_t>(std::min(texts.size(), listed));
    panel.placeholder.visible = n == 0;
    const std::int32_t hovered = destroy_entity_rows(app, panel.list, panel.rows);
    const std::int32_t selected =
        app.current_selection != nullptr ? app.current_selection->selected_position : -1;
    if (n >= 1) panel.list.fill_style = active_style(app, STYLE_LIST_BACKGROUND);
    panel.rows.rows.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const Entity& entity = list->entities[static_cast<std::size_t>(list->display_order[at])];
        panel.rows.rows.push_back(build_parametric_row(app, entity, i, i == selected, texts[at]));
        panel.list.add_child(&panel.rows.rows.back()->row);
    }
    add_row_separators(app, panel.list, panel.rows, n);
    panel.list.on_click = app.lists.callbacks.parameter_row_click;
    panel.list.on_press = store_list_pointer;
    panel.list.set_layout_callback(app.lists.callbacks.parameter_list_layout);
    restore_hovered_row(panel.rows, hovered);
    refresh_root(app);
}

void rebuild_parameter_details(Application& app)
{
    fill_parameter_details(app);
    ParameterControlWidgets& panel = app.lists.parameters;
    const std::int32_t hovered = destroy_parameter_rows(app);
    Entity* entity =
        app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
    if (entity == nullptr) {
        show_no_parameters(app, PARAMETER_HEADER_NONE);
        refresh_root(app);
        return;
    }
    show_parameter_header(app, *entity);
    const std::int32_t rows = entity->kind == ENTITY_GROUP ? add_group_parameters(app, *entity)
                                                           : add_single_parameters(app, *entity);
    // The row total is the one the rows just took, so the content height and
    // the footer match what was built.
    entity->parameters.row_count = rows;
    panel.details.content_height = (rows + 1) * app.layout.strip_height - 1;
    add_footer(app, *entity, rows);
    panel.details.on_click = entity->kind == ENTITY_GROUP ? app.lists.callbacks.group_parameter_info
                                                          : app.lists.callbacks.parameter_info;
    panel.details.on_press = store_list_pointer;
    panel.details.on_move = store_list_pointer;
    panel.details.set_layout_callback(app.lists.callbacks.parameter_details_layout);
    if (hovered >= 0 && static_cast<std::size_t>(hovered) < panel.parameters.size())
        panel.details.dispatch_mouse_move(panel.details.x + app.lists.pointer[0],
                                          panel.details.y + app.lists.pointer[1]);
    refresh_root(app);
}

ParameterRowWidgets* find_parameter_row(Application& app, std::int32_t index)
{
    for (const std::unique_ptr<ParameterRowWidgets>& row : app.lists.parameters.parameters)
        if (row->value_field.row_id == index) return row.get();
    return nullptr;
}

void show_parameter_row_value(Application& app, std::int32_t index)
{
    ParameterRowWidgets* row = find_parameter_row(app, index);
    if (row == nullptr || index < 0) return;
    const auto at = static_cast<std::size_t>(index);
    const PanelRows& model = app.panel_rows;
    if (at < model.value_fields.size()) row->value_field.set_label(model.value_fields[at]);
    if (at < model.slider_fractions.size()) row->slider.set_value(model.slider_fractions[at]);
    Entity* entity =
        app.current_selection != nullptr ? get_selected_entity(*app.current_selection) : nullptr;
    if (entity == nullptr) return;
    const std::vector<ScriptParameter*> parameters = editable_parameters(*entity);
    if (at < parameters.size() && parameters[at] != nullptr &&
        parameters[at]->value_type == ValueType::BLN)
        row->value_field.text_colour_override =
            boolean_colour(app, parameters[at]->current.bln_value != 0);
}
