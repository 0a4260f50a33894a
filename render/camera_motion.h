#pragma once

// Camera motion without GL: key moves, zoom steps, view drags, presets, the
// orbit of the object-orbit controller and the controller switch. One live
// controller exists; each mode's pose is saved and restored around it.

#include <array>
#include <cstdint>

#include "render/camera.h"

// The camera state as the application holds it, by reference.
struct CameraRig {
    CameraSettings& camera;
    std::int32_t& mode;
    std::array<CameraSet, 3>& saved;
    double& zoom;
    std::array<double, 3>& euler_degrees;
};

// A view drag: where it began, the camera and angles it began with, and its
// latest result (two angles, two pan offsets or a look vector) until the
// frame tick has taken it.
struct ViewDrag {
    std::uint8_t active = 0;
    std::uint8_t pan = 0; // free-roam drags pan instead of turning
    int start_x = 0;
    int start_y = 0;
    CameraSettings start_camera;
    std::array<double, 3> start_euler{};
    std::uint8_t result_pending = 0;
    std::array<double, 3> result{};
};

// Free-roam pans move this many units per 360 degrees of drag result, so a
// drag across the larger window side pans about ten units.
constexpr double PAN_UNITS_PER_TURN = 10.0;

constexpr double ZOOM_STEP = 0.05;
constexpr double ZOOM_MINIMUM = 0.05;
constexpr double ZOOM_MAXIMUM = 1000.0;
// Orbit distance = ORBIT_REACH / zoom: the default zoom of 4 orbits at 10.
constexpr double ORBIT_REACH = 40.0;
// The Euler orbit's pitch stops short of the poles, where yaw and pitch lose
// the up direction.
constexpr double EULER_PITCH_LIMIT = 89.9;

// Moves eye and target by step x movement speed along forward, right or the
// world up. With the ground lock, forward and backward keep the height.
void move_camera_forward(CameraSettings& camera, double step);
void move_camera_backward(CameraSettings& camera, double step);
void move_camera_left(CameraSettings& camera, double step);
void move_camera_right(CameraSettings& camera, double step);
void move_camera_up(CameraSettings& camera, double step);
void move_camera_down(CameraSettings& camera, double step);

// zoom x 1.05 up to the maximum, or zoom - zoom x 0.05 down to the minimum;
// false, the zoom unchanged, when it already stood at the bound.
bool zoom_in_step(double& zoom);
bool zoom_out_step(double& zoom);

// A pixel delta as degrees: delta / the larger window side x 360.
double drag_degrees(int delta, int width, int height);

// Eye := base + a right + b up + c forward; the target stays one unit ahead.
void place_camera_in_frame(CameraSettings& camera, const double base[3], double a, double b,
                           double c);
// Looks along (x, y, z): the directions follow and the target stays one unit
// ahead. A zero or non-finite vector changes nothing.
void set_camera_look_vector(CameraSettings& camera, double x, double y, double z);

// The start camera's forward turned by yaw (about the world up) and pitch
// (about its right), as a unit look vector.
std::array<double, 3> turned_look_vector(const CameraSettings& start, double yaw_degrees,
                                         double pitch_degrees);

// Places the eye on the orbit around `centre` at ORBIT_REACH / zoom: by the
// first two Euler angles (yaw, pitch clamped short of the poles) when
// orbit_kind is 0, by the quaternion of yaw then pitch (passing over the
// poles, the up vector turning with it) otherwise.
void orbit_camera(CameraSettings& camera, const double centre[3], double zoom,
                  const std::array<double, 3>& euler_degrees, std::int32_t orbit_kind);

enum ViewPreset : int { VIEW_TOP, VIEW_BASE, VIEW_LEFT, VIEW_RIGHT, VIEW_FRONT, VIEW_BACK };

// Looks at `centre` from the preset side at the orbit distance; in
// object-orbit mode the Euler angles take the preset's yaw and pitch.
void set_view_preset(CameraRig rig, ViewPreset preset, const double centre[3]);

// Saves the live pose into the current mode's set, loads the new mode's set,
// sets the ground lock exactly for first-person and derives the directions.
void switch_camera_controller(CameraRig rig, std::int32_t new_mode);

// Home pose for the live camera, default zoom and angles.
void reset_camera(CameraRig rig);

// Aims at `centre` from the current direction at a distance that shows a
// sphere of `radius` (at least 0.1) in the field of view.
void focus_camera_on(CameraSettings& camera, const double centre[3], double radius);

// Column-major 4 x 4 matrices for GL.
using Matrix4 = std::array<float, 16>;
Matrix4 view_matrix(const CameraSettings& camera);
// Field of view clamped to 20-160 degrees; an aspect of 0 or NaN counts as 1.
Matrix4 perspective_matrix(double field_of_view, double aspect, double near_plane,
                           double far_plane);
// Half height = distance x tan(field of view / 2), so the target plane keeps
// its size when the projection changes; depth runs from -far to far.
Matrix4 orthographic_matrix(double field_of_view, double aspect, double distance, double far_plane);
