#pragma once

// The console's two text widgets: the main log and the one view of the
// selected trace channel. Both always show the current environment's console,
// so they are reloaded whenever a line is added, the channel is chosen or the
// environment changes.

#include "state/application.h"

// Hands the main log's used lines to the main console widget and sizes it.
void show_console_log(Application& app);
// Hands the shown channel's used lines to the channel widget and sizes it.
void show_console_channel(Application& app);
// Measures both widgets' texts again in the font they now have and sizes
// them as the two above do, keeping where each is scrolled to.
void measure_console_views(Application& app);
