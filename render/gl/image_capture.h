#pragma once

// Captured images, upright (top row first) RGBA8 and opaque: the 3-D view
// alone drawn off screen, and the whole window read back after a full frame;
// and the textures the toolkit shows them in (the capture preview, the
// thumbnail atlas of environments and camera directives).

#include <cstdint>
#include <vector>

#include "render/picking.h"
#include "render/render_scene.h"

struct CapturedImage {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
};

// The scene's panes drawn off screen at the size of the box around them;
// empty when there is no pane or no off-screen target.
CapturedImage capture_scene_image(const RenderScene& scene, ImageGlCache& cache);
// The window's back buffer as the last frame left it.
CapturedImage capture_window_image(int width, int height);

// Shows the image in the capture texture (made on first use) that the
// toolkit draws for WidgetImage::kCapture.
void upload_capture_texture(const CapturedImage& image, ImageGlCache& cache);

// Draws the scene's first pane, seen by `camera`, into the atlas cell;
// false for a cell outside the atlas or without an off-screen target.
bool render_thumbnail(const RenderScene& scene, const CameraSettings& camera, int cell,
                      ImageGlCache& cache);

// Frees the targets, the pick arrays and both textures (context current).
void release_image_gl_cache(ImageGlCache& cache);
