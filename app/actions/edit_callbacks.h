#pragma once

// Installs every editing callback: the settings' number fields and sliders,
// the parameter panel's values, the transform block and the entity rows, and
// the export options.

struct Application;

void wire_edit_callbacks(Application& app);
