#pragma once

// Commands on the entities of the current environment that ask for
// confirmation first: re-assembling one or all of them, and deleting one.
// The confirmed work runs later, from the frame tick, through the accept
// actions below; the target is kept in the application's pending indices.

#include <cstdint>

struct Application;

// Ctrl+R / Ctrl+U: re-assembles the only entity, or every unlocked one.
void assemble_command(Application& app);
// The inspector's re-assemble and delete buttons for entity `index`.
void reassemble_entity_command(Application& app, std::int32_t index);
void delete_entity_command(Application& app, std::int32_t index);

// Accept actions.
void reassemble_first_confirmed(Application& app);
void reassemble_all_confirmed(Application& app);
void reassemble_entity_confirmed(Application& app);
// Removes the entity awaiting deletion, or the inspected one.
void close_script_file(Application& app);
