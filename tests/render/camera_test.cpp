#include "render/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

double dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

TEST(CameraDirection, DefaultEyeLooksAtTheOriginAndADegeneratePoseKeepsItsDirections)
{
    CameraSettings camera;
    init_view_settings(camera);
    const double n = std::sqrt(11.0);
    EXPECT_NEAR(camera.forward[2], -3.0 / n, 1e-12);
    EXPECT_NEAR(camera.target[0], -1.0 + 1.0 / n, 1e-12) << "one unit ahead of the eye";
    // Right is horizontal, and the three directions are orthonormal.
    EXPECT_NEAR(camera.right[1], 0.0, 1e-12);
    EXPECT_NEAR(dot(camera.forward, camera.right), 0.0, 1e-12);
    EXPECT_NEAR(dot(camera.forward, camera.camera_up), 0.0, 1e-12);
    EXPECT_NEAR(dot(camera.right, camera.camera_up), 0.0, 1e-12);
    EXPECT_NEAR(dot(camera.camera_up, camera.camera_up), 1.0, 1e-12);
    EXPECT_GT(camera.camera_up[1], 0.0);

    const double before = camera.forward[2];
    std::copy(camera.eye, camera.eye + 3, camera.target);
    update_camera_direction(camera);
    EXPECT_EQ(camera.forward[2], before);
    camera.target[1] = camera.eye[1] + 5.0; // straight up the world axis: no right vector
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
    const auto pose = [](const CameraSettings& c) {
        return std::vector<double>{c.eye[0],     c.target[1], c.world_up[2], c.field_of_view,
                                   c.near_plane, c.far_plane, c.home_eye[2], c.home_target[0]};
    };
    EXPECT_EQ(pose(other), pose(camera));
    EXPECT_EQ(other.home_up[1], 1.0) << "the home up is not part of a saved set";
}

} // namespace
