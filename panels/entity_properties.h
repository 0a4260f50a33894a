#pragma once

// The texts the entity inspector shows for an entity: a title column, a
// value column of one line per row with its pixel size, and a short label
// with the script's file name. The script commands rebuild them after every
// assembly.

struct Entity;

// Titles stand two lines above their values.
void format_property_titles(Entity& entity);
// 27 lines for a single entity, 31 plus one per member for a group.
void format_entity_properties(Entity& entity);
// ": " + the script's file name and its pixel width.
void update_entity_label(Entity& entity);
