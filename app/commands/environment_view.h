#pragma once

// Saving the current environment's view state into its record and bringing
// it back, with the interface rebuilt to match.

#include "app/state/application.h"

void save_environment_view(Application& app);
void restore_environment_view(Application& app);
