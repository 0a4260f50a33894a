#pragma once

// Callbacks of the 3-D view's surroundings: the low-level inspector strip
// and its pick modes, the colour-function toggles, the view panes, the
// camera-directive column and the two report lists. Each works on the
// Application it is given; the widget callbacks installed by the wiring
// forward g_app to them.

#include <cstdint>

struct Application;

// Opens or closes the inspector strip; opening it closes the parallel-flags strip.
void toggle_inspector_strip(Application& app);
// Row 0 to 6 of the inspector strip: "!", "T", "P", "G", "O", "E", "U".
void set_pick_mode(Application& app, std::int32_t row);

// Toggle 0 to 14 of the colour bar: the colour function shown in function
// mode; the environment's assembled meshes are recoloured.
void select_colour_function_slot(Application& app, std::int32_t slot);
// Toggle 15: hues or grey steps for the colour functions.
void toggle_colour_space(Application& app);

// The view widget's pane callbacks; `code` is 'X' or 'Y'.
void split_view_pane(Application& app, int code);
void close_view_pane(Application& app);
// The pane change: the live view goes into the selected pane's record, the
// pane last pressed becomes selected and its view is loaded.
void load_saved_view(Application& app);

// The camera-directive column.
void sync_camera_directives(Application& app);
void toggle_directive_auto_sync(Application& app);
void step_camera_directive(Application& app, int direction); // -1 previous, +1 next
void toggle_directive_root_mode(Application& app);
// The directive row under the pointer is applied, unless the camera is locked.
void apply_hovered_directive(Application& app);
// A click on a variants panel row: applies that row's parametric variant to
// its entity, whose synchronisation the frame tick then runs.
void apply_hovered_variant(Application& app);
void toggle_directive_animation(Application& app);
void toggle_directive_layout(Application& app);
void toggle_directive_goto(Application& app);
// The grip at the directive column's corner: the widgets menu's
// camera-directives row, then the view panels laid out again.
void toggle_directive_column(Application& app);

// The parse report's rows: shows row `row`'s seven sections, keeping each
// row's scroll position while another row is shown.
void select_parse_report_row(Application& app, std::int32_t row);
// The rows' click callback: the hovered row.
bool on_parse_report_row_click();
