#pragma once

// The arithmetic of picking, thumbnails and captures that needs no GL: colour
// ids, the projection that narrows a pane to the pixel under the pointer, the
// cells of the thumbnail atlas, capture file names and the row order of read
// pixels.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/camera_motion.h"
#include "render/render_scene.h"

// The colour id of nothing: the pick target is cleared to it.
constexpr std::uint32_t PICK_NONE = 0xFFFFFF;

// An id as the three bytes red, green, blue; false for ids that do not fit
// below PICK_NONE.
bool encode_pick_id(std::int64_t id, std::array<std::uint8_t, 3>& rgb);
std::uint32_t decode_pick_id(const std::uint8_t* rgb);

// The pane under the window pixel (x, y), or -1; panes of no size hold nothing.
int pane_at(const RenderScene& scene, int x, int y);

// The pane's projection (perspective or orthographic by the options).
Matrix4 pane_projection(const ScenePane& pane, const SceneOptions& options);
// The same, narrowed so that the pane pixel (x, y) (top-left origin) fills a
// one-pixel viewport.
Matrix4 pixel_pick_projection(const ScenePane& pane, const SceneOptions& options, int x, int y);

// Column-major product a x b.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);

// Whether a box (min x, y, z, max x, y, z) may show through the view of
// `clip_from_box` (projection x view x model): false only when all eight
// corners lie beyond one plane of the clip volume. Tested in homogeneous
// coordinates, so corners behind the eye need no special case.
bool box_may_show(const Matrix4& clip_from_box, const std::array<double, 6>& box);

// The thumbnail atlas: 16 x 16 cells of 128 x 128 pixels. Environments take
// cells down from 255 (255 - id), camera directives cells up from 0.
constexpr int THUMBNAIL_SIZE = 128;
constexpr int THUMBNAIL_COLUMNS = 16;
constexpr int THUMBNAIL_CELLS = THUMBNAIL_COLUMNS * THUMBNAIL_COLUMNS;
constexpr int THUMBNAIL_ATLAS_SIZE = THUMBNAIL_SIZE * THUMBNAIL_COLUMNS;

bool valid_thumbnail_cell(int cell);
// -1 for an id whose cell would fall outside the atlas.
int environment_thumbnail_cell(std::uint32_t environment_id);
// -1 for an index below 0 or past the upper half of the atlas, which the
// environments count down into.
int directive_thumbnail_cell(int directive_index);
// Pixel origin of a cell in the atlas (column, row of 128-pixel cells).
std::array<int, 2> thumbnail_cell_origin(int cell);
// Texture coordinates u0, v0 (top edge), u1, v1 (bottom edge) of a cell whose
// rows were copied bottom-up, as GL reads a framebuffer.
std::array<float, 4> thumbnail_cell_uv(int cell);

// "plim_snapshot_" or "plim_screenshot_" + YYYYMMDDhhmmss + ".png"; the
// stamp is taken as given.
std::string snapshot_file_name(const std::string& stamp);
std::string screenshot_file_name(const std::string& stamp);

// Reverses the order of `height` rows of `width` RGBA pixels in place: GL
// reads rows bottom-up, images are written top-down.
void flip_rows(std::vector<std::uint8_t>& rgba, int width, int height);

// A framebuffer object with an RGBA8 colour and a 24-bit depth renderbuffer,
// reused while its size fits; names are 0 until it is first made.
struct OffscreenTarget {
    std::uint32_t framebuffer = 0;
    std::uint32_t colour = 0;
    std::uint32_t depth = 0;
    int width = 0;
    int height = 0;
};

// The de-indexed triangles of one mesh for the triangle pass: three corners
// per triangle, each with the triangle's id as its colour.
struct PickArray {
    std::uint32_t mesh_id = 0;
    std::uint32_t buffer = 0;
    std::uint32_t corner_count = 0;
};

// The vertex bounds of one mesh, kept so a pick skips meshes the pixel's
// view misses without walking their vertices again.
struct PickBounds {
    std::uint32_t mesh_id = 0;
    std::array<double, 6> box{};
};

// GL objects of picking, thumbnails and captures, kept between frames by the
// application and released with the context.
struct ImageGlCache {
    OffscreenTarget pick_target;
    OffscreenTarget image_target;
    std::vector<PickArray> pick_arrays;
    std::vector<PickBounds> pick_bounds;
    std::uint32_t thumbnail_texture = 0;
    std::uint32_t capture_texture = 0;
};
