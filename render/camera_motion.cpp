#include "render/camera_motion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double DEGREES = std::numbers::pi / 180.0;
constexpr double PITCH_LIMIT = EULER_PITCH_LIMIT;

double length3(const double* v)
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// Moves eye and target together; a non-finite or zero offset moves nothing.
void shift(CameraSettings& camera, const double direction[3], double distance)
{
    const double offset[3] = {direction[0] * distance, direction[1] * distance,
                              direction[2] * distance};
    if (!std::isfinite(offset[0]) || !std::isfinite(offset[1]) || !std::isfinite(offset[2])) return;
    for (int i = 0; i < 3; ++i) {
        camera.eye[i] += offset[i];
        camera.target[i] += offset[i];
    }
}

void move_along_forward(CameraSettings& camera, double distance)
{
    double direction[3] = {camera.forward[0], camera.forward[1], camera.forward[2]};
    if (camera.ground_lock != 0) {
        direction[1] = 0.0;
        const double length = length3(direction);
        if (!(length > 1e-12)) return; // looking straight down: no way along the ground
        for (double& d : direction)
            d /= length;
    }
    shift(camera, direction, distance);
}

std::array<double, 3> orbit_direction(double yaw, double pitch)
{
    return {std::cos(pitch * DEGREES) * std::sin(yaw * DEGREES), std::sin(pitch * DEGREES),
            std::cos(pitch * DEGREES) * std::cos(yaw * DEGREES)};
}

struct Quaternion {
    double w, x, y, z;
};

Quaternion multiply(const Quaternion& a, const Quaternion& b)
{
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
            a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

std::array<double, 3> rotate(const Quaternion& q, const std::array<double, 3>& v)
{
    const Quaternion p{0.0, v[0], v[1], v[2]};
    const Quaternion conjugate{q.w, -q.x, -q.y, -q.z};
    const Quaternion r = multiply(multiply(q, p), conjugate);
    return {r.x, r.y, r.z};
}

Quaternion axis_angle(double x, double y, double z, double degrees)
{
    const double half = degrees * DEGREES / 2.0;
    const double s = std::sin(half);
    return {std::cos(half), x * s, y * s, z * s};
}

double finite_or(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

void look_from(CameraSettings& camera, const double centre[3], const std::array<double, 3>& offset,
               const std::array<double, 3>& up)
{
    const CameraSettings before = camera;
    for (int i = 0; i < 3; ++i) {
        camera.eye[i] = centre[i] + offset[i];
        camera.target[i] = centre[i];
        camera.world_up[i] = up[i];
    }
    update_camera_direction(camera);
    if (!std::isfinite(camera.eye[0] + camera.eye[1] + camera.eye[2])) camera = before;
}

} // namespace

void move_camera_forward(CameraSettings& camera, double step)
{
    move_along_forward(camera, step * camera.movement_speed);
}

void move_camera_backward(CameraSettings& camera, double step)
{
    move_along_forward(camera, -step * camera.movement_speed);
}

void move_camera_left(CameraSettings& camera, double step)
{
    shift(camera, camera.right, -step * camera.movement_speed);
}

void move_camera_right(CameraSettings& camera, double step)
{
    shift(camera, camera.right, step * camera.movement_speed);
}

void move_camera_up(CameraSettings& camera, double step)
{
    shift(camera, camera.world_up, step * camera.movement_speed);
}

void move_camera_down(CameraSettings& camera, double step)
{
    shift(camera, camera.world_up, -step * camera.movement_speed);
}

bool zoom_in_step(double& zoom)
{
    if (!(zoom < ZOOM_MAXIMUM)) return false;
    zoom = std::min(ZOOM_MAXIMUM, zoom * (1.0 + ZOOM_STEP));
    return true;
}

bool zoom_out_step(double& zoom)
{
    if (!(zoom > ZOOM_MINIMUM)) return false;
    zoom = std::max(ZOOM_MINIMUM, zoom - zoom * ZOOM_STEP);
    return true;
}

double drag_degrees(int delta, int width, int height)
{
    const int larger = std::max(width, height);
    return larger > 0 ? static_cast<double>(delta) / larger * 360.0 : 0.0;
}

void place_camera_in_frame(CameraSettings& camera, const double base[3], double a, double b,
                           double c)
{
    double eye[3];
    for (int i = 0; i < 3; ++i)
        eye[i] = base[i] + a * camera.right[i] + b * camera.camera_up[i] + c * camera.forward[i];
    if (!std::isfinite(eye[0] + eye[1] + eye[2])) return;
    for (int i = 0; i < 3; ++i) {
        camera.eye[i] = eye[i];
        camera.target[i] = eye[i] + camera.forward[i];
    }
}

void set_camera_look_vector(CameraSettings& camera, double x, double y, double z)
{
    const double look[3] = {x, y, z};
    if (!std::isfinite(x + y + z) || !(length3(look) > 1e-12)) return;
    for (int i = 0; i < 3; ++i)
        camera.target[i] = camera.eye[i] + look[i];
    update_camera_direction(camera);
    // A look along the world up keeps the directions; the target follows them.
    for (int i = 0; i < 3; ++i)
        camera.target[i] = camera.eye[i] + camera.forward[i];
}

std::array<double, 3> turned_look_vector(const CameraSettings& start, double yaw_degrees,
                                         double pitch_degrees)
{
    const Quaternion yaw =
        axis_angle(start.world_up[0], start.world_up[1], start.world_up[2], -yaw_degrees);
    const Quaternion pitch =
        axis_angle(start.right[0], start.right[1], start.right[2], -pitch_degrees);
    std::array<double, 3> look =
        rotate(multiply(yaw, pitch), {start.forward[0], start.forward[1], start.forward[2]});
    // Stop short of the world up, where the right vector would vanish.
    const double up_dot =
        look[0] * start.world_up[0] + look[1] * start.world_up[1] + look[2] * start.world_up[2];
    if (std::fabs(up_dot) > std::sin(PITCH_LIMIT * DEGREES))
        return {start.forward[0], start.forward[1], start.forward[2]};
    return look;
}

void orbit_camera(CameraSettings& camera, const double centre[3], double zoom,
                  const std::array<double, 3>& euler_degrees, std::int32_t orbit_kind)
{
    const double safe_zoom = std::clamp(finite_or(zoom, 4.0), ZOOM_MINIMUM, ZOOM_MAXIMUM);
    const double distance = ORBIT_REACH / safe_zoom;
    const double yaw = finite_or(euler_degrees[0], 0.0);
    const double pitch = finite_or(euler_degrees[1], 0.0);
    if (orbit_kind == 0) {
        const std::array<double, 3> d =
            orbit_direction(yaw, std::clamp(pitch, -PITCH_LIMIT, PITCH_LIMIT));
        look_from(camera, centre, {d[0] * distance, d[1] * distance, d[2] * distance},
                  {0.0, 1.0, 0.0});
        return;
    }
    const Quaternion q =
        multiply(axis_angle(0.0, 1.0, 0.0, yaw), axis_angle(1.0, 0.0, 0.0, -pitch));
    look_from(camera, centre, rotate(q, {0.0, 0.0, distance}), rotate(q, {0.0, 1.0, 0.0}));
}

void set_view_preset(CameraRig rig, ViewPreset preset, const double centre[3])
{
    static constexpr double angles[6][2] = {{0.0, PITCH_LIMIT}, {0.0, -PITCH_LIMIT}, {-90.0, 0.0},
                                            {90.0, 0.0},        {0.0, 0.0},          {180.0, 0.0}};
    const double yaw = angles[preset][0];
    const double pitch = angles[preset][1];
    if (rig.mode == kObjectOrbit) {
        rig.euler_degrees = {yaw, pitch, 0.0};
        orbit_camera(rig.camera, centre, rig.zoom, rig.euler_degrees, 0);
        return;
    }
    const double distance =
        ORBIT_REACH / std::clamp(finite_or(rig.zoom, 4.0), ZOOM_MINIMUM, ZOOM_MAXIMUM);
    const std::array<double, 3> d = orbit_direction(yaw, pitch);
    look_from(rig.camera, centre, {d[0] * distance, d[1] * distance, d[2] * distance},
              {0.0, 1.0, 0.0});
}

void switch_camera_controller(CameraRig rig, std::int32_t new_mode)
{
    if (new_mode < 0 || new_mode > 2) return;
    if (rig.mode >= 0 && rig.mode <= 2) store_camera_pose(rig.camera, rig.saved[rig.mode]);
    copy_camera_pose(rig.saved[new_mode], rig.camera);
    rig.mode = new_mode;
    rig.camera.ground_lock = new_mode == kFirstPerson ? 1 : 0;
    update_camera_direction(rig.camera);
}

void reset_camera(CameraRig rig)
{
    for (int i = 0; i < 3; ++i) {
        rig.camera.eye[i] = rig.camera.home_eye[i];
        rig.camera.target[i] = rig.camera.home_target[i];
        rig.camera.world_up[i] = rig.camera.home_up[i];
    }
    rig.zoom = 4.0;
    rig.euler_degrees = {30.0, 30.0, 0.0};
    update_camera_direction(rig.camera);
}

void focus_camera_on(CameraSettings& camera, const double centre[3], double radius)
{
    const double half_angle = std::clamp(camera.field_of_view, 20.0, 160.0) * DEGREES / 2.0;
    const double distance = std::max(finite_or(radius, 0.0), 0.1) / std::sin(half_angle);
    const std::array<double, 3> back{-camera.forward[0] * distance, -camera.forward[1] * distance,
                                     -camera.forward[2] * distance};
    look_from(camera, centre, back, {camera.world_up[0], camera.world_up[1], camera.world_up[2]});
}

Matrix4 view_matrix(const CameraSettings& camera)
{
    const double* f = camera.forward;
    const double* r = camera.right;
    const double* u = camera.camera_up;
    const double* e = camera.eye;
    auto dot_eye = [&](const double* v) { return v[0] * e[0] + v[1] * e[1] + v[2] * e[2]; };
    Matrix4 m{};
    for (int i = 0; i < 3; ++i) {
        m[static_cast<std::size_t>(i * 4 + 0)] = static_cast<float>(r[i]);
        m[static_cast<std::size_t>(i * 4 + 1)] = static_cast<float>(u[i]);
        m[static_cast<std::size_t>(i * 4 + 2)] = static_cast<float>(-f[i]);
    }
    m[12] = static_cast<float>(-dot_eye(r));
    m[13] = static_cast<float>(-dot_eye(u));
    m[14] = static_cast<float>(dot_eye(f));
    m[15] = 1.0f;
    return m;
}

Matrix4 perspective_matrix(double field_of_view, double aspect, double near_plane, double far_plane)
{
    const double fov = std::clamp(finite_or(field_of_view, 60.0), 20.0, 160.0);
    const double a = aspect > 0.0 && std::isfinite(aspect) ? aspect : 1.0;
    const double f = 1.0 / std::tan(fov * DEGREES / 2.0);
    Matrix4 m{};
    m[0] = static_cast<float>(f / a);
    m[5] = static_cast<float>(f);
    m[10] = static_cast<float>((far_plane + near_plane) / (near_plane - far_plane));
    m[11] = -1.0f;
    m[14] = static_cast<float>(2.0 * far_plane * near_plane / (near_plane - far_plane));
    return m;
}

Matrix4 orthographic_matrix(double field_of_view, double aspect, double distance, double far_plane)
{
    const double fov = std::clamp(finite_or(field_of_view, 60.0), 20.0, 160.0);
    const double a = aspect > 0.0 && std::isfinite(aspect) ? aspect : 1.0;
    const double half_height =
        std::max(finite_or(distance, 1.0), 1e-3) * std::tan(fov * DEGREES / 2.0);
    const double half_width = half_height * a;
    // The near plane may lie behind the eye: orthographic depth needs no eye.
    const double n = -far_plane;
    Matrix4 m{};
    m[0] = static_cast<float>(1.0 / half_width);
    m[5] = static_cast<float>(1.0 / half_height);
    m[10] = static_cast<float>(-2.0 / (far_plane - n));
    m[14] = static_cast<float>(-(far_plane + n) / (far_plane - n));
    m[15] = 1.0f;
    return m;
}
