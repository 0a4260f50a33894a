#include "render/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CameraDirection, DefaultEyeLooksTowardsOrigin)
{
    CameraSettings camera;
    init_view_settings(camera);
    const double n = std::sqrt(11.0);
    EXPECT_NEAR(camera.forward[0], 1.0 / n, 1e-12);
    EXPECT_NEAR(camera.forward[1], -1.0 / n, 1e-12);
    EXPECT_NEAR(camera.forward[2], -3.0 / n, 1e-12);
    // The target is moved one unit ahead of the eye.
    EXPECT_NEAR(camera.target[0], -1.0 + 1.0 / n, 1e-12);
    EXPECT_NEAR(camera.target[2], 3.0 - 3.0 / n, 1e-12);
    // Right is horizontal, and the three directions are orthonormal.
    EXPECT_NEAR(camera.right[1], 0.0, 1e-12);
    double dot_fr = 0, dot_fu = 0, dot_ru = 0, len_u = 0;
    for (int i = 0; i < 3; ++i) {
        dot_fr += camera.forward[i] * camera.right[i];
        dot_fu += camera.forward[i] * camera.camera_up[i];
        dot_ru += camera.right[i] * camera.camera_up[i];
        len_u += camera.camera_up[i] * camera.camera_up[i];
    }
    EXPECT_NEAR(dot_fr, 0.0, 1e-12);
    EXPECT_NEAR(dot_fu, 0.0, 1e-12);
    EXPECT_NEAR(dot_ru, 0.0, 1e-12);
    EXPECT_NEAR(len_u, 1.0, 1e-12);
    EXPECT_GT(camera.camera_up[1], 0.0);
}

TEST(CameraDirection, DegeneratePoseKeepsPreviousDirections)
{
    CameraSettings camera;
    init_view_settings(camera);
    const double before = camera.forward[2];
    camera.target[0] = camera.eye[0];
    camera.target[1] = camera.eye[1];
    camera.target[2] = camera.eye[2];
    update_camera_direction(camera);
    EXPECT_EQ(camera.forward[2], before);
    // Looking straight down the world up axis has no right vector either.
    camera.target[1] = camera.eye[1] + 5.0;
    update_camera_direction(camera);
    EXPECT_FALSE(std::isnan(camera.right[0]));
}

TEST(CameraPose, RoundTripsThroughACameraSet)
{
    CameraSettings camera;
    init_view_settings(camera);
    camera.eye[0] = 4.0;
    camera.target[1] = 2.5;
    camera.world_up[2] = 0.5;
    camera.field_of_view = 75.0;
    camera.near_plane = 0.5;
    camera.far_plane = 50.0;
    camera.home_eye[2] = 9.0;
    camera.home_target[0] = -2.0;
    CameraSet set;
    store_camera_pose(camera, set);
    CameraSettings other;
    copy_camera_pose(set, other);
    EXPECT_EQ(other.eye[0], 4.0);
    EXPECT_EQ(other.target[1], 2.5);
    EXPECT_EQ(other.world_up[2], 0.5);
    EXPECT_EQ(other.field_of_view, 75.0);
    EXPECT_EQ(other.near_plane, 0.5);
    EXPECT_EQ(other.far_plane, 50.0);
    EXPECT_EQ(other.home_eye[2], 9.0);
    EXPECT_EQ(other.home_target[0], -2.0);
    // The home up is not part of a saved set.
    EXPECT_EQ(other.home_up[1], 1.0);
}

TEST(CameraState, HoldsTheThreeControllerDefaults)
{
    const CameraState state = make_camera_state();
    EXPECT_EQ(state.mode, kFreeRoam);
    EXPECT_EQ(state.zoom, 4.0);
    EXPECT_EQ(state.saved[kObjectOrbit].eye[2], 10.0);
    EXPECT_EQ(state.saved[kFreeRoam].eye[0], -1.0);
    EXPECT_EQ(state.saved[kFirstPerson].eye[1], 1.75);
    EXPECT_EQ(state.saved[kFirstPerson].home_target[1], 0.75);
    EXPECT_EQ(state.saved[kFirstPerson].field_of_view, 60.0);
    EXPECT_EQ(state.saved[kObjectOrbit].far_plane, 1000.0);
}

} // namespace
