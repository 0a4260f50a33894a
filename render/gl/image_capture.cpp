#include "render/gl/image_capture.h"

#include <algorithm>
#include <climits>

#include "lumo/gl/textures.h"
#include "render/gl/gl_extensions.h"
#include "render/gl/offscreen_target.h"
#include "render/gl/pick_pass.h"
#include "render/gl/scene_renderer.h"

namespace {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Box pane_box(const RenderScene& scene)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const ScenePane& pane : scene.panes) {
        if (pane.width <= 0 || pane.height <= 0) continue;
        left = std::min(left, pane.x);
        top = std::min(top, pane.y);
        right = std::max(right, pane.x + pane.width);
        bottom = std::max(bottom, pane.y + pane.height);
    }
    if (left == INT_MAX) return {};
    return {left, top, right - left, bottom - top};
}

// The scene as if the box were the whole window.
RenderScene scene_in_box(const RenderScene& scene, const Box& box)
{
    RenderScene moved = scene;
    moved.window_width = box.width;
    moved.window_height = box.height;
    for (ScenePane& pane : moved.panes) {
        pane.x -= box.x;
        pane.y -= box.y;
    }
    return moved;
}

void draw_off_screen(const RenderScene& scene)
{
    glPushAttrib(GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, scene.window_width, scene.window_height);
    glClearColor(scene.clear_colour[0], scene.clear_colour[1], scene.clear_colour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Blending translucent parts would lower the target's alpha where they
    // lie; the image is what the view shows, so it keeps the clear's opaque
    // alpha everywhere.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    draw_scene(scene);
    glPopAttrib();
}

void make_texture(std::uint32_t& name, int width, int height, const void* pixels)
{
    if (name == 0) glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// A fresh atlas is transparent, so a cell never rendered shows nothing.
void ensure_thumbnail_atlas(ImageGlCache& cache)
{
    if (cache.thumbnail_texture != 0) return;
    const std::vector<std::uint8_t> clear(
        std::size_t{THUMBNAIL_ATLAS_SIZE} * THUMBNAIL_ATLAS_SIZE * 4, 0);
    make_texture(cache.thumbnail_texture, THUMBNAIL_ATLAS_SIZE, THUMBNAIL_ATLAS_SIZE, clear.data());
    lumo::g_toolkit_textures.thumbnails = cache.thumbnail_texture;
}

// A window whose visual has an alpha channel keeps what blending left in
// it, which is not part of what a person sees.
void make_opaque(std::vector<std::uint8_t>& rgba)
{
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        rgba[i] = 0xFF;
}

} // namespace

CapturedImage capture_scene_image(const RenderScene& scene, ImageGlCache& cache)
{
    CapturedImage image;
    const Box box = pane_box(scene);
    if (box.width <= 0 || !bind_offscreen_target(cache.image_target, box.width, box.height))
        return image;
    draw_off_screen(scene_in_box(scene, box));
    image.pixels = read_rgba_pixels(0, 0, box.width, box.height);
    unbind_offscreen_target();
    image.width = box.width;
    image.height = box.height;
    flip_rows(image.pixels, image.width, image.height);
    return image;
}

CapturedImage capture_window_image(int width, int height)
{
    CapturedImage image;
    if (width <= 0 || height <= 0) return image;
    glReadBuffer(GL_BACK);
    image.pixels = read_rgba_pixels(0, 0, width, height);
    make_opaque(image.pixels);
    image.width = width;
    image.height = height;
    flip_rows(image.pixels, width, height);
    return image;
}

void upload_capture_texture(const CapturedImage& image, ImageGlCache& cache)
{
    if (image.pixels.empty()) return;
    make_texture(cache.capture_texture, image.width, image.height, image.pixels.data());
    lumo::g_toolkit_textures.capture = cache.capture_texture;
}

bool render_thumbnail(const RenderScene& scene, const CameraSettings& camera, int cell,
                      ImageGlCache& cache)
{
    if (!valid_thumbnail_cell(cell) || scene.panes.empty()) return false;
    if (!bind_offscreen_target(cache.image_target, THUMBNAIL_SIZE, THUMBNAIL_SIZE)) return false;
    RenderScene square = scene;
    square.window_width = THUMBNAIL_SIZE;
    square.window_height = THUMBNAIL_SIZE;
    ScenePane pane = scene.panes.front();
    pane.x = pane.y = 0;
    pane.width = pane.height = THUMBNAIL_SIZE;
    pane.camera = camera;
    square.panes = {pane};
    draw_off_screen(square);
    ensure_thumbnail_atlas(cache);
    const std::array<int, 2> origin = thumbnail_cell_origin(cell);
    glBindTexture(GL_TEXTURE_2D, cache.thumbnail_texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, origin[0], origin[1], 0, 0, THUMBNAIL_SIZE,
                        THUMBNAIL_SIZE);
    glBindTexture(GL_TEXTURE_2D, 0);
    unbind_offscreen_target();
    return true;
}

void release_image_gl_cache(ImageGlCache& cache)
{
    release_pick_arrays(cache);
    release_offscreen_target(cache.pick_target);
    release_offscreen_target(cache.image_target);
    for (std::uint32_t* name : {&cache.thumbnail_texture, &cache.capture_texture})
        if (*name != 0) glDeleteTextures(1, name);
    cache = ImageGlCache{};
    lumo::g_toolkit_textures.thumbnails = 0;
    lumo::g_toolkit_textures.capture = 0;
}
