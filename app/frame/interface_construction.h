#pragma once

// The one-time construction of the whole interface inside the application.

#include <string>
#include <utility>
#include <vector>

struct Application;

namespace lumo {
class P;
}

// Builds and wires every widget, the widget tree, the layout callbacks, the
// menu rows; applies the theme; writes the two start-up console lines; fills
// the character widths; chooses the start-up variant.
void build_application_ui(Application& app);

// The widgets that carry an id in the interface, by that id.
std::vector<std::pair<std::string, lumo::P*>> named_widgets(Application& app);

// Builders of the areas, one file an area. The styling steps they share
// (fills, borders, texts, labelled buttons) are in interface_styles.h.

// The bars along the window's edges, and the strips, columns, panels and
// read-outs that float over the view, in interface_bars.cpp.
void build_bars(Application& app);
void build_floating_controls(Application& app);
// The control pane with the console and the three side panels, in
// interface_side_panels.cpp.
void build_side_panels(Application& app);
// The panes that open over the window: the dialogs, the confirmation pane,
// the opening and loading panes and the file navigator; and the start-up
// pane, the configuration box, the run overlay and the resize notice. In
// interface_modal_panes.cpp.
void build_modal_panes(Application& app);
void build_startup_widgets(Application& app);

// The side panels' lists and details, in list_panels.cpp.
void build_list_panels(Application& app);
// Places the entity inspector's detail widgets around the filled texts.
void lay_out_entity_details(Application& app);

// The strips' contents, the directive column's option buttons and the side
// panel's close entry, in strip_contents.cpp.
void build_strip_contents(Application& app);
// One row widget per camera directive at the rectangle the directive layout
// gave it: the name in list style, the thumbnail cell in grid style.
void sync_directive_rows(Application& app);
// One row per parametric variant of the current environment, a strip high,
// down the variants panel's list.
void sync_variant_rows(Application& app);
// The floating controls (strips, directive column, variants, animator)
// depend on the entity set, the directives and the camera mode: when any of
// these changed since the last tick, their visibility is derived again.
void follow_floating_controls(Application& app);
