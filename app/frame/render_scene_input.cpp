#include "app/frame/render_scene_input.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "state/application.h"
#include "platform/services.h"
#include "platform/x11/gl_window.h"
#include "shell/window_layout.h"

namespace {

Matrix4 model_matrix_of(const Entity& entity)
{
    Matrix4 m{};
    std::copy(entity.model_matrix.begin(), entity.model_matrix.end(), m.begin());
    return m;
}

// Grows the box by the eight corners of the entity's bounds after its matrix.
void grow_box(const Entity& entity, bool& any, std::array<double, 6>& box)
{
    const double* low = entity.bounds[BOUNDS_MINIMUM];
    const double* high = entity.bounds[BOUNDS_MAXIMUM];
    const auto& m = entity.model_matrix_d;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
                             (corner & 4) ? high[2] : low[2]};
        for (int r = 0; r < 3; ++r) {
            const double v =
                m[static_cast<std::size_t>(r)] * p[0] + m[static_cast<std::size_t>(4 + r)] * p[1] +
                m[static_cast<std::size_t>(8 + r)] * p[2] + m[static_cast<std::size_t>(12 + r)];
            if (!std::isfinite(v)) continue;
            box[static_cast<std::size_t>(r)] =
                any ? std::min(box[static_cast<std::size_t>(r)], v) : v;
            box[static_cast<std::size_t>(r + 3)] =
                any ? std::max(box[static_cast<std::size_t>(r + 3)], v) : v;
        }
        any = true;
    }
}

// Each mesh carries its entity's index in the flat entity list (every
// entity, then its group members) for the pick pass; hidden entities still
// count.
void collect_meshes(Application& app, RenderScene& scene)
{
    if (app.current_entity_list == nullptr) return;
    std::int32_t flat_index = 0;
    for (Entity& entity : app.current_entity_list->entities) {
        const std::int32_t entity_index = flat_index++;
        const std::int32_t first_member = flat_index;
        if (entity.kind == ENTITY_GROUP)
            flat_index += static_cast<std::int32_t>(entity.members.size());
        if (entity.visible == 0 || entity.assembled == 0) continue;
        const Matrix4 model = model_matrix_of(entity);
        if (entity.kind == ENTITY_GROUP) {
            for (std::size_t m = 0; m < entity.members.size(); ++m) {
                const Entity* member = entity.members[m];
                if (member != nullptr && member->mesh != nullptr)
                    scene.meshes.push_back(
                        {member->mesh, model, first_member + static_cast<std::int32_t>(m)});
            }
        } else if (entity.mesh != nullptr) {
            scene.meshes.push_back({entity.mesh, model, entity_index});
        }
        grow_box(entity, scene.has_bounds, scene.bounds);
    }
}

SceneOptions options_of(const ViewSettings& v)
{
    SceneOptions o;
    o.surface = v.show_surface != 0;
    o.polygons = v.show_polygons != 0;
    o.triangles = v.show_triangles != 0;
    o.smooth_groups = v.show_smooth_groups != 0;
    o.points = v.show_points != 0;
    o.axes = v.show_axes != 0;
    o.grids = v.show_grids != 0;
    o.rings = v.show_rings != 0;
    o.bounds = v.show_bounds != 0;
    o.alpha_grid = v.alpha_grid != 0;
    o.upright_grid = v.upright_grid != 0;
    o.smooth_shading = v.smooth_shading != 0;
    o.programmable = v.programmable_shading != 0;
    o.perspective = v.projection != 0;
    o.anti_aliasing = v.anti_aliasing != 0;
    o.culling = v.culling != 0;
    o.unlit = v.unlit != 0;
    o.terms = {v.ambient_term != 0,   v.diffuse_term != 0,  v.specular_term != 0,
               v.occlusion_term != 0, v.emission_term != 0, v.reflection_term != 0};
    o.mono_edge = v.mono_edge != 0;
    o.mono_dot = v.mono_dot != 0;
    o.brighten = v.brighten != 0;
    o.silhouette = v.silhouette != 0;
    o.x_ray = v.x_ray != 0;
    o.negative = v.negative != 0;
    o.mono_edge_tone = v.mono_edge_tone;
    o.mono_dot_tone = v.mono_dot_tone;
    o.silhouette_tone = v.silhouette_tone;
    o.light_intensity = v.light_intensity;
    o.world_scale = v.world_scale;
    return o;
}

// True when `target` is in the tree under `node` and no widget on the way
// is hidden.
bool shown_in(const lumo::P& node, const lumo::P& target)
{
    if (!node.visible) return false;
    if (&node == &target) return true;
    const auto* container = dynamic_cast<const lumo::KL*>(&node);
    if (container == nullptr) return false;
    for (const lumo::P* child : container->children)
        if (child != nullptr && shown_in(*child, target)) return true;
    return false;
}

// The pane's camera: the live one for the selected pane, else its record's
// eye and target of the current mode.
CameraSettings pane_camera(const Application& app, int pane)
{
    CameraSettings camera = app.camera;
    if (pane == app.view.selected_pane || pane >= static_cast<int>(app.view.pane_views.size()))
        return camera;
    const lumo::VL::ViewRecord& record = app.view.pane_views[static_cast<std::size_t>(pane)];
    const int m = std::clamp(app.camera_mode, 0, 2);
    for (int i = 0; i < 3; ++i) {
        camera.eye[i] = record[static_cast<std::size_t>(6 * m + i)];
        camera.target[i] = record[static_cast<std::size_t>(6 * m + 3 + i)];
    }
    update_camera_direction(camera);
    return camera;
}

double view_distance(const Application& app, const CameraSettings& camera, const RenderScene& scene)
{
    if (app.camera_mode == CAMERA_OBJECT_ORBIT)
        return ORBIT_REACH / std::clamp(app.view_settings.zoom, ZOOM_MINIMUM, ZOOM_MAXIMUM);
    double centre[3] = {0.0, 0.0, 0.0};
    if (scene.has_bounds)
        for (int i = 0; i < 3; ++i)
            centre[i] = (scene.bounds[static_cast<std::size_t>(i)] +
                         scene.bounds[static_cast<std::size_t>(i + 3)]) /
                        2.0;
    const double d[3] = {centre[0] - camera.eye[0], centre[1] - camera.eye[1],
                         centre[2] - camera.eye[2]};
    return std::max(0.1, std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]));
}

void collect_panes(Application& app, RenderScene& scene)
{
    const lumo::VL& view = app.view;
    if (view.width <= 0 || view.height <= 0 || view.panes.empty() || !shown_in(app.root, view)) {
        ScenePane pane;
        pane.width = scene.window_width;
        pane.height = scene.window_height;
        pane.camera = app.camera;
        pane.view_distance = view_distance(app, pane.camera, scene);
        scene.panes.push_back(pane);
        return;
    }
    for (int i = 0; i < view.pane_count(); ++i) {
        select_subview_rect(app, i);
        const std::array<std::int32_t, 4>& rect = app.panel_layout.view_rect;
        ScenePane pane;
        pane.x = rect[0];
        pane.y = rect[1];
        pane.width = rect[2];
        pane.height = rect[3];
        pane.camera = pane_camera(app, i);
        pane.view_distance = view_distance(app, pane.camera, scene);
        scene.panes.push_back(pane);
    }
}

} // namespace

RenderScene build_render_scene(Application& app)
{
    RenderScene scene;
    scene.window_width = g_client_size.width > 0 ? g_client_size.width : app.window_width;
    scene.window_height = g_client_size.height > 0 ? g_client_size.height : app.window_height;
    scene.clear_colour = {
        static_cast<float>(g_clear_colour.red), static_cast<float>(g_clear_colour.green),
        static_cast<float>(g_clear_colour.blue), static_cast<float>(g_clear_colour.alpha)};
    scene.gradient = app.view_settings.gradient;
    scene.gradient_intensity = app.view_settings.gradient_intensity;
    scene.options = options_of(app.view_settings);
    scene.cache = &app.renderer_cache;
    collect_meshes(app, scene);
    for (std::size_t i = 0; i < 3; ++i)
        scene.widget_meshes[i] = app.builtin_gizmo_meshes[i];
    collect_panes(app, scene);
    return scene;
}
