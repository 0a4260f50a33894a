#pragma once

// Re-assembly of a script that is already open: it is parsed again and,
// unless nothing changed, assembled again and put in its entity's place,
// keeping the user's parameter values where the script still accepts them.
// A single entity becomes a group when its script became parallel, and back;
// within a parallel script only the changed elements are assembled.

#include <cstdint>

struct Application;
struct Entity;

// `entity` is one of the current entity list; `execute_mode` 0 to 2. A
// failure leaves the entity, its mesh and its parameters as they were.
void reload_script_entity(Application& app, Entity& entity, std::int32_t execute_mode);
