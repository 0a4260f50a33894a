#pragma once

// Widget callbacks of the environments and the confirmation pane: the
// new-environment button, the three execution-mode options and Cancel.
// The tab strip's own callbacks live with the environment commands.

// The new-environment button: a new environment behind the fade.
bool on_new_environment_click();
// Option buttons 0 "Pure-Union-Mesh", 1 "Basic-CSG-Mesh", 2 "Optimal-CSG-Mesh".
template <int Option> bool on_confirm_option_click();
bool on_confirm_cancel_click();
bool on_confirm_accept_click();
