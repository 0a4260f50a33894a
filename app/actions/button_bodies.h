#pragma once

// Buttons with a body of their own rather than one operation: the expand
// button at the view's corner and the parameter panel's option toggles and
// APPLY.

#include <cstdint>

struct Application;

// Pressed while the bars show, it hides them (quick hide); pressed again
// while they are hidden, it switches the minimal mode of the floating panels.
void press_expand_button(Application& app);

// The parameter panel's toggles, in panel order: "Auto-Sync." keeps the
// entity's values across re-loads; "Immediate" (live sync) and
// "Multi-Edit-Mode" (manual sync) exclude each other.
enum EntityFlagToggle : std::int32_t {
    ENTITY_FLAG_AUTO_SYNC = 0,
    ENTITY_FLAG_IMMEDIATE,
    ENTITY_FLAG_MULTI_EDIT,
};
// Flips the flag of the parameter panel's entity and mirrors it into the
// toggles; nothing without a selected entity.
void toggle_entity_flag(Application& app, EntityFlagToggle flag);
// APPLY: writes the selected entity's values into its script and assembles it.
void apply_parameter_values(Application& app);
