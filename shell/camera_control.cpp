#include "shell/camera_control.h"

#include <algorithm>
#include <cmath>

#include "state/application.h"
#include "lumo/widget.h"
#include "model/directives.h"
#include "render/camera_motion.h"

namespace {

CameraRig rig_of(Application& app)
{
    return {app.camera, app.camera_mode, app.saved_cameras, app.view_settings.zoom,
            app.view_settings.euler_degrees};
}

bool camera_locked(const Application& app)
{
    return app.view_settings.panel_flags[PANEL_VIEW_LOCK] != 0;
}

void preset(Application& app, ViewPreset which)
{
    double centre[3];
    orbit_centre(app, centre);
    set_view_preset(rig_of(app), which, centre);
    app.redraw_requested = 1;
}

// A point through the entity's column-major model matrix.
void transform_point(const Entity& entity, const double in[3], double out[3])
{
    const auto& m = entity.model_matrix_d;
    for (int r = 0; r < 3; ++r)
        out[r] = m[static_cast<std::size_t>(r)] * in[0] +
                 m[static_cast<std::size_t>(4 + r)] * in[1] +
                 m[static_cast<std::size_t>(8 + r)] * in[2] + m[static_cast<std::size_t>(12 + r)];
}

} // namespace

void orbit_centre(const Application& app, double centre[3])
{
    for (int i = 0; i < 3; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const double mid = (app.totals.minimum[k] + app.totals.maximum[k]) / 2.0;
        centre[i] = app.view_settings.orbit_about_centre != 0 && std::isfinite(mid) ? mid : 0.0;
    }
}

bool zoom_in_step(Application& app)
{
    return zoom_in_step(app.view_settings.zoom);
}

bool zoom_out_step(Application& app)
{
    return zoom_out_step(app.view_settings.zoom);
}

bool begin_view_drag(Application& app, int x, int y, int button)
{
    if (button != 2 || camera_locked(app)) return false;
    ViewDrag& drag = app.view_drag;
    drag.active = 1;
    drag.start_x = x;
    drag.start_y = y;
    drag.start_camera = app.camera;
    drag.start_euler = app.view_settings.euler_degrees;
    drag.pan = lumo::g_held_key_counts[1] > 0 || lumo::g_held_key_counts[2] > 0 ? 1 : 0;
    drag.result_pending = 0;
    return true;
}

bool update_view_drag(Application& app, int x, int y, int /*code*/)
{
    ViewDrag& drag = app.view_drag;
    if (drag.active == 0) return false;
    const double dx = drag_degrees(x - drag.start_x, app.window_width, app.window_height);
    const double dy = drag_degrees(y - drag.start_y, app.window_width, app.window_height);
    if (app.camera_mode == CAMERA_OBJECT_ORBIT) {
        // The Euler orbit keeps its pitch within the poles: a pitch stored
        // beyond them would have to be dragged back before the view moved.
        double pitch = drag.start_euler[1] + dy;
        if (app.view_settings.orbit_kind == 0)
            pitch = std::clamp(pitch, -EULER_PITCH_LIMIT, EULER_PITCH_LIMIT);
        drag.result = {drag.start_euler[0] - dx, pitch, 0.0};
    } else if (app.camera_mode == CAMERA_FREE_ROAM && drag.pan != 0) {
        drag.result = {-dx / 360.0 * PAN_UNITS_PER_TURN, dy / 360.0 * PAN_UNITS_PER_TURN, 0.0};
    } else {
        drag.result = turned_look_vector(drag.start_camera, dx, dy);
    }
    drag.result_pending = 1;
    apply_drag_result(app);
    return true;
}

void apply_drag_result(Application& app)
{
    const ViewDrag& drag = app.view_drag;
    if (app.camera_mode == CAMERA_OBJECT_ORBIT) {
        app.view_settings.euler_degrees[0] = drag.result[0];
        app.view_settings.euler_degrees[1] = drag.result[1];
    } else if (app.camera_mode == CAMERA_FREE_ROAM && drag.pan != 0) {
        place_camera_in_frame(app.camera, drag.start_camera.eye, drag.result[0], drag.result[1],
                              0.0);
    } else {
        set_camera_look_vector(app.camera, drag.result[0], drag.result[1], drag.result[2]);
    }
    app.redraw_requested = 1;
}

void end_view_drag(Application& app)
{
    app.view_drag.active = 0;
    app.view_drag.result_pending = 0;
}

void push_camera_to_viewport(Application& app)
{
    if (app.camera_mode == CAMERA_OBJECT_ORBIT) {
        double centre[3];
        orbit_centre(app, centre);
        orbit_camera(app.camera, centre, app.view_settings.zoom, app.view_settings.euler_degrees,
                     app.view_settings.orbit_kind);
    }
    lumo::VL& view = app.view;
    if (view.pane_count() == 0) return;
    double saved[3][6];
    for (int m = 0; m < 3; ++m)
        for (int i = 0; i < 3; ++i) {
            saved[m][i] = app.saved_cameras[static_cast<std::size_t>(m)].eye[i];
            saved[m][3 + i] = app.saved_cameras[static_cast<std::size_t>(m)].target[i];
        }
    view.store_pane_view_state(app.camera_mode, app.camera.eye, app.camera.target,
                               app.view_settings.zoom, app.view_settings.euler_degrees.data(),
                               saved);
}

void sync_view_widget(Application& app)
{
    push_camera_to_viewport(app);
    app.redraw_requested = 1;
}

void reset_camera(Application& app)
{
    reset_camera(rig_of(app));
    app.redraw_requested = 1;
}

void set_view_top(Application& app)
{
    preset(app, VIEW_TOP);
}
void set_view_base(Application& app)
{
    preset(app, VIEW_BASE);
}
void set_view_left(Application& app)
{
    preset(app, VIEW_LEFT);
}
void set_view_right(Application& app)
{
    preset(app, VIEW_RIGHT);
}
void set_view_front(Application& app)
{
    preset(app, VIEW_FRONT);
}
void set_view_back(Application& app)
{
    preset(app, VIEW_BACK);
}

void switch_camera_controller(Application& app, int mode)
{
    switch_camera_controller(rig_of(app), mode);
    app.redraw_requested = 1;
}

void focus_camera_on_entity(Application& app, const Entity& entity)
{
    double centre[3];
    transform_point(entity, entity.bounds[BOUNDS_CENTRE], centre);
    const double* extent = entity.bounds[BOUNDS_EXTENT];
    const double scale = std::fabs(entity.uniform_scale) *
                         std::max({std::fabs(entity.axis_scale[0]), std::fabs(entity.axis_scale[1]),
                                   std::fabs(entity.axis_scale[2])});
    const double radius =
        std::sqrt(extent[0] * extent[0] + extent[1] * extent[1] + extent[2] * extent[2]) / 2.0 *
        (std::isfinite(scale) && scale > 0.0 ? scale : 1.0);
    focus_camera_on(app.camera, centre, radius);
    const double d[3] = {app.camera.eye[0] - centre[0], app.camera.eye[1] - centre[1],
                         app.camera.eye[2] - centre[2]};
    const double distance = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (distance > 0.0 && std::isfinite(distance))
        app.view_settings.zoom = std::clamp(ORBIT_REACH / distance, ZOOM_MINIMUM, ZOOM_MAXIMUM);
    app.redraw_requested = 1;
}

void apply_camera_directive(Application& app, int index)
{
    const std::vector<std::array<double, 6>>& points = app.directive_menus.camera_points;
    if (index < 0 || index >= static_cast<int>(points.size())) return;
    const std::array<double, 6>& point = points[static_cast<std::size_t>(index)];
    const Entity* entity = app.current_scene_state != nullptr
                               ? get_inspected_entity(*app.current_scene_state)
                               : nullptr;
    double eye[3] = {point[0], point[1], point[2]};
    double look_at[3] = {point[3], point[4], point[5]};
    if (entity != nullptr) {
        transform_point(*entity, point.data(), eye);
        transform_point(*entity, point.data() + 3, look_at);
    }
    const CameraSettings before = app.camera;
    for (int i = 0; i < 3; ++i) {
        app.camera.eye[i] = eye[i];
        app.camera.target[i] = look_at[i];
    }
    update_camera_direction(app.camera);
    // An eye on its look-at keeps the previous directions; the target goes
    // one unit ahead along them. Unreadable numbers keep the camera.
    for (int i = 0; i < 3; ++i)
        app.camera.target[i] = app.camera.eye[i] + app.camera.forward[i];
    if (!std::isfinite(app.camera.eye[0] + app.camera.eye[1] + app.camera.eye[2]) ||
        !std::isfinite(app.camera.target[0] + app.camera.target[1] + app.camera.target[2]))
        app.camera = before;
    app.view_settings.current_camera_directive = index;
    app.redraw_requested = 1;
}
