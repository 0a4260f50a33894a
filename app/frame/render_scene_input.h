#pragma once

// The renderer's view of the application for one frame.

#include "render/render_scene.h"

struct Application;

// The visible entities of the current environment (a group's members with
// the group's matrix), the 3-D view's panes with their cameras (the whole
// window with the live camera while the view widget is not in the tree), the
// world widget meshes, the environment's box and the view options.
RenderScene build_render_scene(Application& app);
