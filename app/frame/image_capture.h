#pragma once

// The image work of the paint path, run after each frame with the GL context
// current: a capture asked for by the snapshot or screenshot request, the
// thumbnails asked for by the preview and directive-refresh flags, and the
// pick under the pointer while a pick mode is on.

#include "render/gl/pick_pass.h"
#include "render/render_scene.h"

struct Application;

void run_image_passes(Application& app, const RenderScene& scene);

// Stores a pick as the picked entity and triangle; a pick outside the
// current flat entity list counts as no hit. Rewrites the inspection text
// and returns true only when one of the two changed.
bool store_pick(Application& app, const PickResult& pick);

// Frees the GL objects of picking, thumbnails and captures (context current).
void release_image_passes(Application& app);
