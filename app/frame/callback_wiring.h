#pragma once

// Installs the callbacks of the interface's widgets. Each callback is a
// plain function reaching the application through g_app.

struct Application;

void install_layout_callbacks(Application& app);
void install_action_callbacks(Application& app);
