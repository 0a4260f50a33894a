#pragma once

// The entity inspector: one row per stored entity in the list container,
// and the details of the selected entity (header, property lines, profiling
// indicator, transform fields and order buttons). Rows are destroyed and
// rebuilt from scratch; the details are refilled in place.

#include <cstdint>
#include <string>

struct Application;
struct Entity;
struct EntityRowList;
struct EntitySelection;
struct EntityRowWidgets;
namespace lumo {
class KL;
class P;
}

void rebuild_entity_rows(Application& app);
void rebuild_entity_details(Application& app);
// Content size of the parameter panel's statistics view: the widest
// statistics line over the listed entities and 50 pixels per listed entity.
void measure_entity_statistics_view(EntitySelection& selection);
// After a re-assembly: the entity's statistics in its inspector row
// (`index`) and its parameter panel row (`position`), when those exist.
void show_entity_row_statistics(Application& app, const Entity& entity, std::int32_t index,
                                std::int32_t position);

// Shared with the parameter panel's twin list.

// Clears a hovered row and every pointer the application keeps into the
// list, destroys the rows and empties the container. Returns the index of
// the row that was hovered, -1 for none.
std::int32_t destroy_entity_rows(Application& app, lumo::KL& list, EntityRowList& rows);
// n separators between rows and the container's content height.
void add_row_separators(Application& app, lumo::KL& list, EntityRowList& rows, std::int32_t n);
// A row's two labels: the bold first statistics line and `two_line_text`
// under it, as wide as the statistics plus `extra_width`.
void configure_row_labels(const Application& app, EntityRowWidgets& widgets, const Entity& entity,
                          const std::string& two_line_text, std::int32_t extra_width);
// The lock marker at the row's left, opaque when `set`.
void configure_row_marker(const Application& app, lumo::P& marker, bool set);
// Hovers row `index` again when it still exists.
void restore_hovered_row(EntityRowList& rows, std::int32_t index);
// The lists' press and move callbacks: keep the point, leave the event to the row.
bool store_list_pointer(int x, int y, int button);
