#pragma once

// The in-app file navigator: listing a directory into rows, moving between
// directories, the cursor, the selection, sorting, the OK action of each
// mode and the callbacks of the rows, path buttons and list controls.
// Operations that do not say so leave refreshing the interface to the caller.

#include <cstdint>
#include <string>

#include "state/pane_state.h"

struct Application;

// Lists `directory` ("/" separators) into the navigator, sorts the entries
// by the current key and direction, and rebuilds the path buttons, rows and
// labels. Both scroll fractions are reset.
void list_directory(Application& app, const std::string& directory);

// The directory a mode starts in: the kernel's directory or the workspace
// when set, else the working directory; the workspace for scripts and
// export locations.
std::string navigator_start_directory(const Application& app);

void navigator_go_home(Application& app);
void navigator_go_parent(Application& app);
void navigator_go_to_component(Application& app, std::int32_t component);
void navigator_open_single_directory(Application& app);
// Enters the row's directory, or toggles the row's selection.
void navigator_open_entry(Application& app, std::int32_t row);
void navigator_select_all_files(Application& app);
void navigator_select_none(Application& app);

// The cursor is the one selected row; each move leaves exactly one row
// selected and scrolls it into view. Used by the keys and their auto-repeat.
void navigator_cursor_up(Application& app);
void navigator_cursor_down(Application& app);
void navigator_page_up(Application& app);
void navigator_page_down(Application& app);
void navigator_cursor_first(Application& app);
void navigator_cursor_last(Application& app);

// The same key again flips the direction; the trace names the key.
void sort_navigator_entries(Application& app, std::int32_t key);

// OK: enters a single selected directory, else does what the mode is for
// or explains in a warning pane why it cannot.
void confirm_navigator_selection(Application& app);

// Opens or closes the navigator's panes and the masks, then refreshes.
void show_file_navigator(Application& app, bool open);

// Deferred step of the export location's native route: asks the platform's
// location dialog, takes the directory of its answer as the export location
// and ends the opening state and its busy style, whatever the answer.
void open_native_folder_dialog(Application& app);

// The directory the navigator shows, where it and the native open dialog
// start; the workspace before the navigator has listed one.
std::string navigator_current_directory(const Application& app);

// Widget callbacks, reaching the application through g_app.
bool navigator_row_clicked();
bool navigator_path_button_clicked();
void navigator_select_none_clicked();
void navigator_select_all_clicked();
// Press, release and drag on the scroll track: the pointer's height sets the
// list's scroll fraction; true when it changed.
bool navigator_scroll_track_moved(int x, int y, int button);
// The path bar's layout: shifts the path buttons so the scroll fraction's
// part of them shows.
void lay_out_navigator_path_bar(int width, int height);
