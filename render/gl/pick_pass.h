#pragma once

// Colour-id picking: what lies under one pixel of a view pane. The entity
// pass draws every mesh of the scene in its entity's id; the triangle pass
// draws the hit mesh's triangles in their own ids. Both draw into a 1 x 1
// off-screen target through a projection narrowed to that pixel, with
// blending, lighting, dithering, multisampling and textures off, so the ids
// come back exactly and the window's frame is untouched.

#include <cstdint>

#include "render/picking.h"
#include "render/render_scene.h"

// PICK_NONE where nothing was hit.
struct PickResult {
    std::uint32_t entity = PICK_NONE;
    std::uint32_t triangle = PICK_NONE;
};

// The pick at window pixel (x, y), top-left origin; nothing outside the
// panes. The triangle pass builds the hit mesh's de-indexed array on first
// use and keeps it in the cache; arrays of meshes no longer in the scene are
// dropped.
PickResult pick_scene(const RenderScene& scene, int x, int y, ImageGlCache& cache);

// Frees every pick array (the pick mode was turned off).
void release_pick_arrays(ImageGlCache& cache);
