#pragma once

// Parameter synchronisation: edited parameter values are written into a new
// script text (never into the script file) ahead of the logic the parse kept,
// the kernel assembles that text and the new mesh takes the old one's place.
// For a group only the members whose values changed are assembled again.

#include <cstdint>
#include <string>

struct Application;
struct Entity;

// `by_selection`: the entity is the one selected in the parameter panel, so
// its rows are found through the selection; otherwise through the list.
// A run that yields no finished mesh keeps the old mesh and leaves the
// values unsynchronised, so they can be applied again.
void sync_entity_parameters(Application& app, Entity* entity, bool by_selection);

// The frame tick's duty: at most one selection-driven and one
// variant-driven synchronisation per frame.
void run_requested_syncs(Application& app);

// "// parameters", one assignment per parameter, "// logic", then the
// directives, functions and operations of the entity's parse.
std::string sync_script_text(const Entity& entity);
