#include "shell/camera_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "state/application.h"
#include "lumo/widget.h"

namespace {

class CameraControlTest : public testing::Test {
protected:
    void SetUp() override { init_view_settings(app.camera); }
    void TearDown() override { lumo::g_held_key_counts[2] = 0; }
    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

TEST_F(CameraControlTest, DragsStartOnlyOnTheRightButtonOfAnUnlockedCamera)
{
    EXPECT_FALSE(begin_view_drag(app, 10, 10, 0));
    EXPECT_FALSE(update_view_drag(app, 20, 20, 0)) << "no drag is active";
    app.view_settings.panel_flags[PANEL_VIEW_LOCK] = 1;
    EXPECT_FALSE(begin_view_drag(app, 10, 10, 2));
    app.view_settings.panel_flags[PANEL_VIEW_LOCK] = 0;
    lumo::g_held_key_counts[2] = 1; // Ctrl
    EXPECT_TRUE(begin_view_drag(app, 10, 10, 2));
    EXPECT_EQ(app.view_drag.pan, 1);
}

TEST_F(CameraControlTest, DragResultsByControllerMode)
{
    // 720 x 480: 72 pixels are 36 degrees.
    app.camera_mode = CAMERA_OBJECT_ORBIT;
    ASSERT_TRUE(begin_view_drag(app, 100, 100, 2));
    ASSERT_TRUE(update_view_drag(app, 172, 64, 0));
    EXPECT_DOUBLE_EQ(app.view_settings.euler_degrees[0], 30.0 - 36.0);
    EXPECT_DOUBLE_EQ(app.view_settings.euler_degrees[1], 30.0 - 18.0);
    EXPECT_EQ(app.view_drag.result_pending, 1);
    end_view_drag(app);
    // 300 degrees down: the Euler orbit stops at the pole, so the next drag
    // up moves the view at once; the quaternion orbit goes over the top.
    for (const auto& [kind, pitch] : {std::pair{0, 89.9}, std::pair{1, 89.9 + 300.0}}) {
        app.view_settings.orbit_kind = kind;
        ASSERT_TRUE(begin_view_drag(app, 0, 0, 2));
        update_view_drag(app, 0, 600, 0);
        end_view_drag(app);
        EXPECT_DOUBLE_EQ(app.view_settings.euler_degrees[1], pitch) << "orbit kind " << kind;
    }

    app.camera_mode = CAMERA_FREE_ROAM;
    const CameraSettings start = app.camera;
    ASSERT_TRUE(begin_view_drag(app, 0, 0, 2));
    ASSERT_TRUE(update_view_drag(app, 180, 0, 0)); // a quarter turn
    // A yaw about the world up: the horizontal part turns by 90 degrees.
    const double turned =
        app.camera.forward[0] * start.forward[0] + app.camera.forward[2] * start.forward[2];
    EXPECT_NEAR(turned, 0.0, 1e-9);
    EXPECT_NEAR(app.camera.forward[1], start.forward[1], 1e-9);
    EXPECT_EQ(app.camera.eye[0], start.eye[0]) << "turning keeps the eye";
}

TEST_F(CameraControlTest, DirectivesAimTheCameraAndADegenerateOneKeepsTheDirections)
{
    app.directive_menus.camera_points = {{0, 2, 8, 0, 1, 0}, {1, 1, 1, 1, 1, 1}};
    apply_camera_directive(app, 0);
    EXPECT_DOUBLE_EQ(app.camera.eye[2], 8.0);
    const double n = std::sqrt(65.0);
    EXPECT_NEAR(app.camera.forward[1], -1.0 / n, 1e-12);
    EXPECT_EQ(app.view_settings.current_camera_directive, 0);
    const CameraSettings before = app.camera;
    apply_camera_directive(app, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(app.camera.forward[i], before.forward[i]);
        EXPECT_TRUE(std::isfinite(app.camera.target[i]));
    }
    apply_camera_directive(app, 5);
    EXPECT_EQ(app.view_settings.current_camera_directive, 1) << "out of range: nothing";
}

TEST_F(CameraControlTest, PushingTheOrbitCameraStoresItInTheSelectedPane)
{
    app.camera_mode = CAMERA_OBJECT_ORBIT;
    app.view_settings.euler_degrees = {0.0, 0.0, 0.0};
    app.view.panes.assign(1, lumo::PaneRect{});
    app.view.pane_views.assign(1, lumo::VL::ViewRecord{});
    push_camera_to_viewport(app);
    EXPECT_NEAR(app.camera.eye[2], 10.0, 1e-9) << "zoom 4 orbits at 10";
    EXPECT_NEAR(app.view.pane_views[0][2], 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(app.view.pane_views[0][18], 4.0);
}

} // namespace
