#pragma once

// The scene passes of a frame: background gradient, then per view pane its
// viewport, camera and projection, the world widgets and the meshes in the
// chosen topologies and shading. Leaves the GL state as it found it, so the
// widget draw list that follows sees nothing of it.

#include "render/render_scene.h"

void draw_scene(const RenderScene& scene);

// Light 0 of the fixed-function pipeline from the lighting terms: ambient
// 0.05 with kA, diffuse 1.0 with kD, specular 0.05 with kS, else 0.
void set_up_light0(bool ambient, bool diffuse, bool specular);
