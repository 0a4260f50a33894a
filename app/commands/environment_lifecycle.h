#pragma once

// Creating, switching to and closing environments. Exactly one environment
// is current; its view state lives in the Application and is saved into its
// record when another one becomes current. User-interface thread only.

#include <cstdint>

#include "state/application.h"
#include "state/current_environment.h"

// Ctrl+N: creates a new environment behind the fade overlay. Requests made
// while a fade runs only refresh.
void notify_ui_change(Application& app);
// The fade's completion action: save the current view, create, show.
void add_environment(Application& app);

// Schedules a switch; a second request before it happens replaces the first.
void request_environment_switch(Application& app, std::int32_t index);
// The frame tick's duty: count down a requested switch, then carry it out.
void tick_environment_switch(Application& app);
// Carries out the scheduled switch; a pending index that names no record
// cancels the request.
void switch_environment(Application& app);

// Opens the confirmation pane for closing the hovered environment.
void confirm_close_environment(Application& app);
// The confirmation's accept and cancel actions.
void close_confirmed_environment(Application& app);
void cancel_close_environment(Application& app);
// Closes a stored environment; the current one, or an index outside the
// tabs, is left alone.
void close_environment(Application& app, std::int32_t index);

// Keeps the selected display position valid when the entity with this
// element index is removed from the current environment.
void adjust_selection_for_removal(Application& app, std::int32_t element_index);
