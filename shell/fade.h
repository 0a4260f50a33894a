#pragma once

// The fade overlay: it rises to full opacity, holds while its completion
// action runs, and falls away again.

#include "state/application.h"

// Arms a fade with the action; does nothing while one runs.
void start_fade(Application& app, ApplicationAction completion_action);
// One frame of a running fade; the frame tick calls it while `fade.active`.
void advance_fade(Application& app);
