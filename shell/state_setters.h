#pragma once

// Setters of the interface state: each stores the value in the Application,
// brings the widgets showing it into line and refreshes.

#include <cstdint>
#include <string>

#include "state/application.h"

// Re-applies only when the index differs from the current theme.
void select_theme(Application& app, std::int32_t theme);
void set_settings_bar_visible(Application& app, bool on);
// Opens drop-down `item` of the settings bar, or closes it for any index
// outside 0..9; the bar's items and panes follow.
void show_settings_drop_down(Application& app, std::int32_t item);
// Opens tool menu `menu`, or closes it for any index outside 0..7.
void show_tool_drop_down(Application& app, std::int32_t menu);
// -1 or the open panel closes it; 0 console, 1 entity inspector, 2 parameters.
void select_side_panel(Application& app, std::int32_t panel);
// The menu tree's rows mark the open side panel and the hover hints, also
// while the tree is open and a key or a switch changes them.
void mark_menu_tree(Application& app);
// The flip and quick-hide setters act only on a change of their flag.
void set_vertical_flip_mode(Application& app, bool on);
void set_quick_hide(Application& app, bool on);
void set_frame_mode(Application& app, bool on);
// In minimal mode with something to show, flips the minimal panel; false
// when there was nothing to do.
bool toggle_panel_if_content(Application& app);
// The lock stops the camera keys and drags; LOCKICON and the settings bar's
// LOCK item show it.
void set_camera_lock(Application& app, bool on);
// The statistics texts show while the attribute trace is on; quick hide
// only dims them.
void show_attribute_trace(Application& app);
// The camera-directive column shows its settings: the option buttons their
// flags, the list-or-grid button whether the rows are a grid, the goto
// button its fields, and the rows the environment's current directive.
void mark_directive_column(Application& app);
// Only the current directive's row is marked; -1, or an index past the
// rows, marks none.
void mark_directive_rows(Application& app);
void set_parallel_flags_widget(Application& app, bool on);
void set_ll_inspector_widget(Application& app, bool on);
// Asks the platform for the start size, 720 x 480.
void reset_window_size(Application& app);
// Hands the lighting switches' terms to the installed light-0 call.
void set_up_light0(Application& app);
void select_execution_mode(Application& app, std::int32_t mode);
// Tones step 0, 1, 2, 4, 6, 7, 8 and back to 0; any other value gives 0.
std::int32_t next_tone(std::int32_t tone);
void cycle_mono_edge_tone(Application& app);
void cycle_mono_dot_tone(Application& app);
void cycle_silhouette_tone(Application& app);
// The first-person eye height: the stored first-person camera, and the live
// one while in that mode, move their eye and target by the change.
void set_eye_height(Application& app, double height, const std::string& text);
// Derives which floating panel widgets show from the panel switches.
void update_panel_visibility(Application& app);
// Shows trace channel 0 to 3 of the current console.
void select_console_channel(Application& app, std::int32_t channel);
// Enlarged, the console's two text widgets use the console font (handle 3),
// otherwise the regular one (handle 0).
void select_text_view_font(Application& app, bool enlarged);
// With hover hints on, the hint bar wears the hovered rows' highlight, so a
// hint reads as belonging to what the pointer rests on; off, it has no fill.
void style_hint_bar(Application& app);
// Copies the hovered widget's hint into the hint bar when it changed.
void update_hover_hint(Application& app);
// A labelled toggle shows its flag by its mark and by bold type.
void show_labelled_toggle(lumo::P& button, bool on);
// The inspector's pick-mode rows and its indicator show the pick mode: the
// indicator points its hint at the last pick and carries the mode's letter,
// nothing for the mode that picks nothing, or its own name while no row has
// been chosen in this environment.
void show_pick_mode(Application& app);
// Row j of the drop-down shows check mark j.
void mirror_menu_checks(MenuWidgets& menu, const MenuCheckBits& checks);
