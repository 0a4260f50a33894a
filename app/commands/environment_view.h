#pragma once

// Saving the current environment's view state into its record and bringing
// it back, with the interface rebuilt to match.

#include "state/application.h"

void save_environment_view(Application& app);
void restore_environment_view(Application& app);

// The option widgets (name-part toggles, parallel flags, pick-mode rows and
// their indicator, PROFILER, CULLING, max cores) show the current view
// settings.
void mirror_option_widgets(Application& app);
