#include "render/camera.h"

#include <cmath>

#include "platform/numeric.h"

namespace {

void copy3(const double* from, double* to)
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

Vector3 as_vector(const double* v)
{
    return {v[0], v[1], v[2]};
}

void store(const Vector3& v, double* to)
{
    to[0] = v.x;
    to[1] = v.y;
    to[2] = v.z;
}

// Scales v to unit length; false (v unchanged) when it has none.
bool normalise(double* v)
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 1e-12)) return false;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
    return true;
}

} // namespace

CameraSet make_camera_set(const double eye[3], const double target[3])
{
    CameraSet set;
    copy3(eye, set.eye);
    copy3(target, set.target);
    copy3(eye, set.home_eye);
    copy3(target, set.home_target);
    return set;
}

void init_view_settings(CameraSettings& camera)
{
    camera = CameraSettings{};
    update_camera_direction(camera);
}

CameraState make_camera_state()
{
    CameraState state;
    init_view_settings(state.controller);
    const double origin[3] = {0.0, 0.0, 0.0};
    const double orbit_eye[3] = {0.0, 0.0, 10.0};
    const double roam_eye[3] = {-1.0, 1.0, 3.0};
    const double walk_eye[3] = {-1.0, 1.75, 3.0};
    const double walk_target[3] = {0.0, 0.75, 0.0};
    state.saved[kObjectOrbit] = make_camera_set(orbit_eye, origin);
    state.saved[kFreeRoam] = make_camera_set(roam_eye, origin);
    state.saved[kFirstPerson] = make_camera_set(walk_eye, walk_target);
    return state;
}

void update_camera_direction(CameraSettings& camera)
{
    double forward[3] = {camera.target[0] - camera.eye[0], camera.target[1] - camera.eye[1],
                         camera.target[2] - camera.eye[2]};
    if (!normalise(forward)) return;
    normalised_cross(as_vector(forward), as_vector(camera.world_up));
    const Vector3 right = g_cross_result;
    // No right (looking along the world up, or an up that is no direction):
    // the frame stays as it was.
    if (!(right.x * right.x + right.y * right.y + right.z * right.z > 0.0)) return;
    normalised_cross(as_vector(forward), {-right.x, -right.y, -right.z});
    const Vector3 up = g_cross_result;
    copy3(forward, camera.forward);
    store(right, camera.right);
    store(up, camera.camera_up);
    for (int i = 0; i < 3; ++i)
        camera.target[i] = camera.eye[i] + forward[i];
}

void copy_camera_pose(const CameraSet& source, CameraSettings& destination)
{
    copy3(source.eye, destination.eye);
    copy3(source.target, destination.target);
    copy3(source.up, destination.world_up);
    destination.field_of_view = source.field_of_view;
    destination.near_plane = source.near_plane;
    destination.far_plane = source.far_plane;
    copy3(source.home_eye, destination.home_eye);
    copy3(source.home_target, destination.home_target);
}

void store_camera_pose(const CameraSettings& source, CameraSet& destination)
{
    copy3(source.eye, destination.eye);
    copy3(source.target, destination.target);
    copy3(source.world_up, destination.up);
    destination.field_of_view = source.field_of_view;
    destination.near_plane = source.near_plane;
    destination.far_plane = source.far_plane;
    copy3(source.home_eye, destination.home_eye);
    copy3(source.home_target, destination.home_target);
}
