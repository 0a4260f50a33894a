#include "render/camera_motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Rig {
    CameraSettings camera;
    std::int32_t mode = kFreeRoam;
    std::array<CameraSet, 3> saved;
    double zoom = 4.0;
    std::array<double, 3> euler{30.0, 30.0, 0.0};
    Rig()
    {
        init_view_settings(camera);
        const CameraState state = make_camera_state();
        for (int i = 0; i < 3; ++i)
            saved[static_cast<std::size_t>(i)] = state.saved[i];
    }
    CameraRig rig() { return {camera, mode, saved, zoom, euler}; }
};

void expect_eye(const CameraSettings& camera, double x, double y, double z, const char* what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(camera.eye[i], (i == 0 ? x : i == 1 ? y : z), 1e-6) << what << " " << i;
}

TEST(CameraMotion, ZoomStepsStopAtTheirBoundsAndDragsScaleByTheLargerSide)
{
    EXPECT_DOUBLE_EQ(drag_degrees(72, 720, 480), 36.0);
    EXPECT_DOUBLE_EQ(drag_degrees(-36, 480, 720), -18.0);
    EXPECT_DOUBLE_EQ(drag_degrees(10, 0, 0), 0.0) << "an empty pane divides by nothing";
    struct Case {
        double zoom;
        bool in;
        double after;
        bool moved;
    };
    const Case cases[] = {{4.0, true, 4.2, true},        {999.0, true, 1000.0, true},
                          {1000.0, true, 1000.0, false}, {4.0, false, 3.8, true},
                          {0.052, false, 0.05, true},    {0.05, false, 0.05, false}};
    for (const Case& c : cases) {
        double zoom = c.zoom;
        EXPECT_EQ(c.in ? zoom_in_step(zoom) : zoom_out_step(zoom), c.moved) << c.zoom;
        EXPECT_NEAR(zoom, c.after, 1e-12) << c.zoom;
    }
}

TEST(CameraMotion, MovesAreStepTimesSpeedAlongTheirDirection)
{
    using Move = void (*)(CameraSettings&, double);
    struct Case {
        Move move;
        double (CameraSettings::*axis)[3];
        double sign;
    };
    const Case cases[] = {{move_camera_forward, &CameraSettings::forward, 1},
                          {move_camera_backward, &CameraSettings::forward, -1},
                          {move_camera_right, &CameraSettings::right, 1},
                          {move_camera_left, &CameraSettings::right, -1},
                          {move_camera_up, &CameraSettings::world_up, 1},
                          {move_camera_down, &CameraSettings::world_up, -1}};
    for (const Case& c : cases) {
        Rig r;
        const CameraSettings before = r.camera;
        c.move(r.camera, 2.0);
        const double* axis = before.*c.axis;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(r.camera.eye[i] - before.eye[i], c.sign * 0.25 * axis[i], 1e-12);
            EXPECT_NEAR(r.camera.target[i] - before.target[i], c.sign * 0.25 * axis[i], 1e-12);
        }
    }
    Rig walker;
    walker.camera.ground_lock = 1;
    move_camera_forward(walker.camera, 8.0);
    EXPECT_DOUBLE_EQ(walker.camera.eye[1], 1.0) << "the ground lock keeps the height";
}

TEST(CameraMotion, PresetsOrbitAndControllerSwitch)
{
    Rig r;
    const double origin[3] = {0, 0, 0};
    set_view_preset(r.rig(), VIEW_FRONT, origin);
    expect_eye(r.camera, 0, 0, 10, "front");
    set_view_preset(r.rig(), VIEW_RIGHT, origin);
    expect_eye(r.camera, 10, 0, 0, "right");
    set_view_preset(r.rig(), VIEW_TOP, origin);
    EXPECT_NEAR(r.camera.eye[1], 10.0, 1e-3);
    EXPECT_LT(r.camera.forward[1], -0.999);

    // Free-roam pose survives a trip through first-person.
    set_view_preset(r.rig(), VIEW_FRONT, origin);
    switch_camera_controller(r.rig(), kFirstPerson);
    EXPECT_EQ(r.camera.ground_lock, 1);
    expect_eye(r.camera, -1, 1.75, 3, "first-person set");
    move_camera_forward(r.camera, 4.0);
    switch_camera_controller(r.rig(), kFreeRoam);
    EXPECT_EQ(r.camera.ground_lock, 0);
    expect_eye(r.camera, 0, 0, 10, "free-roam restored");
    switch_camera_controller(r.rig(), kFirstPerson);
    EXPECT_NE(r.camera.eye[2], 3.0) << "the first-person move was kept";

    // The quaternion orbit passes over the pole with its up vector.
    orbit_camera(r.camera, origin, 4.0, {0.0, 120.0, 0.0}, 1);
    EXPECT_NEAR(r.camera.eye[1], 10.0 * std::sin(60.0 * 3.14159265358979 / 180.0), 1e-6);
    EXPECT_LT(r.camera.eye[2], 0.0);
}

TEST(CameraMotion, NothingLeavesTheCameraAtNaN)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Rig r;
    const CameraSettings before = r.camera;
    set_camera_look_vector(r.camera, nan, 0, 1);
    set_camera_look_vector(r.camera, 0, 0, 0);
    const double base[3] = {nan, 0, 0};
    place_camera_in_frame(r.camera, base, 1, 1, 1);
    move_camera_forward(r.camera, nan);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::pair(r.camera.eye[i], r.camera.forward[i]),
                  std::pair(before.eye[i], before.forward[i]));
    const double origin[3] = {0, 0, 0};
    orbit_camera(r.camera, origin, nan, {nan, nan, 0.0}, 0);
    focus_camera_on(r.camera, origin, nan);
    const Matrix4 p = perspective_matrix(nan, 0.0, 0.01, 1000.0);
    const Matrix4 o = orthographic_matrix(0.0, nan, nan, 1000.0);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(std::isfinite(p[static_cast<std::size_t>(i)]));
        EXPECT_TRUE(std::isfinite(o[static_cast<std::size_t>(i)]));
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(std::isfinite(r.camera.eye[i]) && std::isfinite(r.camera.forward[i]));
}

} // namespace
