#pragma once

// The profiling pane: whether an entity carries profiling data, its report,
// the pane's rows (the entity, then each group member) and handing the shown
// report to the clipboard or to "plim_ppd.txt" in the workspace.

#include <cstdint>
#include <string>

struct Application;
struct Entity;

// A single entity with a non-empty profiling text in its mesh, or a group
// with such a member.
bool entity_has_ppd(const Entity& entity);
// The single or the parallel report by kind; "?" for any other kind.
std::string format_entity_ppd(const Entity& entity);

// Rebuilds the pane for the selected entity and opens it, or closes it when
// it was open; without profiling data the information pane says so.
void show_entity_ppd(Application& app);
// Highlights a row and shows its entity's report; an empty member slot
// keeps the shown report.
void select_ppd_row(Application& app, std::int32_t row);
// The toolkit's row-click callback: the hovered row.
bool on_ppd_row_click();
void toggle_ppd_row_list(Application& app);

// The shown report with each TAB as '>', as it is copied and written.
std::string ppd_emission_text(const std::string& text);
void copy_ppd_to_clipboard(Application& app);
void write_ppd_text_file(Application& app);
