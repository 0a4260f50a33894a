#pragma once

// The settings a command hands to its kernel runs, taken where it starts
// them: the configured kernel and workspace and the max-cores option.

#include "platform/kernel_config.h"

struct Application;

KernelSettings kernel_run_settings(const Application& app);
