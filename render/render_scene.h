#pragma once

// What one frame of the 3-D view draws, filled by the frame layer from the
// application: the meshes with their model matrices, the view panes with
// their cameras, the background and the view options. The renderer reads
// nothing else of the application, so it is driven the same way by the
// program, by the tests and by the benchmarks.

#include <array>
#include <cstdint>
#include <vector>

#include "model/mesh.h"
#include "render/camera.h"
#include "render/camera_motion.h"

// One mesh to draw; a group member carries its group's matrix.
struct SceneMesh {
    Mesh* mesh = nullptr;
    Matrix4 model{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    // Index of the entity in the flat entity list; -1 for a mesh that can
    // only hide what lies behind it from the pick.
    std::int32_t pick_id = -1;
};

// A pane in window pixels, origin at the top left, with its own view.
struct ScenePane {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    CameraSettings camera;
    double view_distance = 10.0; // sizes the orthographic view
};

enum BackgroundGradient : std::int32_t {
    GRADIENT_NONE = -1,
    GRADIENT_LINEAR = 0,
    GRADIENT_RADIAL = 1,
};

// The display and view option bytes as the renderer needs them.
struct SceneOptions {
    bool surface = true;
    bool polygons = false;
    bool triangles = false;
    bool smooth_groups = false;
    bool points = false;
    bool axes = true;
    bool grids = true;
    bool rings = true;
    bool bounds = false;
    bool alpha_grid = false;
    bool upright_grid = false;

    bool smooth_shading = true;
    bool programmable = true;
    bool perspective = true;
    bool anti_aliasing = true;
    bool culling = true;
    bool unlit = false;
    std::array<bool, 6> terms{true, true, true, false, false, false}; // kA kD kS kO kE kR
    bool mono_edge = true;
    bool mono_dot = false;
    bool brighten = false;
    bool silhouette = false;
    bool x_ray = false;
    bool negative = false;
    int mono_edge_tone = 4; // grey t / 8
    int mono_dot_tone = 4;
    int silhouette_tone = 0;
    double light_intensity = 1.0;
    double world_scale = 1.0;
};

// GL objects the renderer builds once and keeps between frames; held by the
// application so that no global is needed.
struct RendererCache {
    std::uint32_t entity_program = 0;
    bool program_tried = false;
};

struct RenderScene {
    int window_width = 720;
    int window_height = 480;
    std::array<float, 4> clear_colour{0.0f, 0.0f, 0.0f, 1.0f};
    std::int32_t gradient = GRADIENT_NONE;
    double gradient_intensity = 0.5;
    std::vector<ScenePane> panes;
    std::vector<SceneMesh> meshes;
    // Grid, axes and rings; null for a widget whose mesh is missing.
    std::array<Mesh*, 3> widget_meshes{};
    bool has_bounds = false;
    std::array<double, 6> bounds{}; // min x, y, z, max x, y, z
    SceneOptions options;
    RendererCache* cache = nullptr;
};

// Nothing of the entities is drawn: every topology is off.
inline bool no_topology(const SceneOptions& options)
{
    return !options.surface && !options.polygons && !options.triangles && !options.smooth_groups &&
           !options.points;
}

// A world scale of zero, below zero or NaN counts as 1.
inline double usable_scale(double scale)
{
    return scale > 0.0 && scale < 1e12 ? scale : 1.0;
}
