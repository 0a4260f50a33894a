#include "app/commands/kernel_run_settings.h"

#include "state/application.h"

KernelSettings kernel_run_settings(const Application& app)
{
    return current_kernel_settings(app.view_settings.max_cores);
}
