#pragma once

// The entity inspector's and the parameter panel's widgets: the fixed
// containers and detail widgets, built once, and the rows that the list
// builders destroy and rebuild on every change of the entity set. Rows are
// held through pointers, one allocation per row, so that a container's child
// list can point at them while the row vector grows.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lumo/container.h"
#include "lumo/fill_style.h"
#include "lumo/slider.h"
#include "lumo/text.h"

// One entity row: the inner container holds the two labels and fades with
// the entity's visibility; the marker is the lock icon, the same in both
// lists; the parameter panel uses the first two action icons only.
struct EntityRowWidgets {
    lumo::KL row;
    lumo::KL inner;
    lumo::T first_line;
    lumo::T two_lines;
    lumo::P marker;
    std::array<lumo::P, 4> actions; // focus, material, refresh, delete
};

struct EntityRowList {
    std::vector<std::unique_ptr<EntityRowWidgets>> rows;
    std::vector<std::unique_ptr<lumo::P>> separators; // one fewer than the rows
};

struct EntityInspectorWidgets {
    lumo::KL list;
    lumo::T placeholder;
    EntityRowList rows;
    lumo::KL details;
    lumo::T title; // "Entity "
    lumo::T header;
    lumo::T property_lines;
    lumo::T detail_text;
    lumo::P ppd_indicator;
    std::array<lumo::P, 6> rotation_order_buttons;
    std::array<lumo::P, 6> transform_order_buttons;
    // Translation x, y, z; uniform scale; per-axis scale x, y, z; rotation x, y, z.
    std::array<lumo::F, 10> transform_fields;
    // The transform editor's row titles and the axis name before each field.
    std::array<lumo::P, 4> transform_titles;
    std::array<lumo::P, 10> axis_names;
};

// One parameter of the selected entity: type and name on the first row, the
// value field on the second, and for a bounded number a slider on the third.
struct ParameterRowWidgets {
    lumo::KL row;
    lumo::T type_label;
    lumo::P type_box;
    lumo::T name_label;
    lumo::P info_icon;
    lumo::F value_field;
    lumo::P reset_icon;
    lumo::KL slider_row;
    std::array<lumo::P, 2> end_boxes;
    lumo::P track;
    lumo::SB slider;
    std::array<lumo::P, 4> ticks;
};

struct ParameterControlWidgets {
    lumo::KL list;
    lumo::T placeholder;
    EntityRowList rows;
    lumo::KL details;
    lumo::T title; // "Dynamic-Entity "
    lumo::T header;
    lumo::T execute_mode;
    lumo::P reset_button;
    lumo::P variants_button;
    std::array<lumo::P, 3> toggles; // "Auto-Sync.", "Immediate", "Multi-Edit-Mode"
    lumo::P apply_button;
    std::vector<std::unique_ptr<ParameterRowWidgets>> parameters; // by editable index
    std::vector<std::unique_ptr<lumo::T>> member_titles;
    lumo::T footer;
};

// The callbacks the rebuilt rows carry. Their bodies live above the panels
// (entity-row and parameter-value actions); the callback wiring fills these
// once at start-up, and a null entry leaves the widget without one.
struct ListCallbacks {
    lumo::ClickFn entity_row_click = nullptr;
    lumo::ClickFn parameter_row_click = nullptr;
    lumo::LayoutFn entity_list_layout = nullptr;
    lumo::LayoutFn parameter_list_layout = nullptr;
    lumo::LayoutFn entity_details_layout = nullptr;
    lumo::LayoutFn parameter_details_layout = nullptr;
    lumo::ActionFn transform_enter = nullptr;
    lumo::ActionFn transform_cancel = nullptr;
    lumo::ActionFn parameter_enter = nullptr;
    lumo::ActionFn parameter_cancel = nullptr;
    lumo::ActionFn group_parameter_enter = nullptr;
    lumo::ActionFn group_parameter_cancel = nullptr;
    lumo::ValueFn slider_moved = nullptr;
    lumo::ValueFn slider_released = nullptr;
    lumo::ValueFn group_slider_moved = nullptr;
    lumo::ValueFn group_slider_released = nullptr;
    lumo::ClickFn parameter_info = nullptr;
    lumo::ClickFn group_parameter_info = nullptr;
};

struct ListPanels {
    EntityInspectorWidgets entities;
    ParameterControlWidgets parameters;
    ListCallbacks callbacks;
    // The twelve active fill styles and the theme text colour (RGBA) that the
    // rows point at; null until the interface construction sets them.
    const FillStyle* fill_styles = nullptr;
    const double* text_colour = nullptr;
    // The last press or move point in a list, kept by the lists' press
    // callbacks so that a rebuild can restore the hover state.
    std::array<std::int32_t, 2> pointer{0, 0};
};

// The scroll panes of the two side panels: each list above its details.
enum ListPane : int {
    LIST_PANE_ENTITIES = 0,
    LIST_PANE_ENTITY_DETAILS,
    LIST_PANE_PARAMETERS,
    LIST_PANE_PARAMETER_DETAILS,
    LIST_PANE_COUNT,
};
