#pragma once

// Turning script files into entities of the current environment: the two
// open commands take paths from the navigator's selection or from the
// pending path list (a drop or the native dialog); a new script is loaded,
// one already open is re-assembled. Everything is reported on the console,
// in the trace channels and in error panes; nothing is returned.

#include <string>

struct Application;

void open_selected_scripts(Application& app);
void open_script_paths(Application& app);
// Parses, assembles (singly or element by element) and adds one new script.
void load_script_entity(Application& app, const std::string& path);

// The entity inspector and parameter panel rows and details, and the
// directive menus, rebuilt from the current environment.
void rebuild_entity_panels(Application& app);
