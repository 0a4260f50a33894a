#include "state/application.h"

#include <gtest/gtest.h>

#include <cmath>

#include "state/current_environment.h"

namespace {

TEST(Application, CreatedAndDestroyedWithoutADisplay)
{
    ASSERT_EQ(g_app, nullptr);
    Application& app = create_application();
    EXPECT_EQ(g_app, &app);
    EXPECT_EQ(&create_application(), &app);
    destroy_application();
    EXPECT_EQ(g_app, nullptr);
}

TEST(Application, FreshObjectLooksAtTheOriginAndSeedsNewEnvironments)
{
    Application app;
    EXPECT_EQ(query_local_time_text(app), "") << "no platform installed, no crash";
    EXPECT_EQ(query_local_datetime_text(app), "");
    app.platform.datetime_text = [] { return std::string("20240305090530"); };
    EXPECT_EQ(query_local_datetime_text(app), "20240305090530");
    const CameraSettings& camera = app.camera;
    const double length = std::sqrt(11.0);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(camera.forward[k], -camera.eye[k] / length, 1e-12);

    // A new environment starts with what a fresh application holds.
    const EnvironmentRecord record = construct_environment_record();
    EXPECT_TRUE(record.view_settings == app.view_settings);
    EXPECT_EQ(record.camera_mode, app.camera_mode);
    for (int set = 0; set < 3; ++set)
        for (int k = 0; k < 3; ++k) {
            EXPECT_DOUBLE_EQ(record.view.camera_sets[set].eye[k], app.saved_cameras[set].eye[k]);
            EXPECT_DOUBLE_EQ(record.view.camera_sets[set].target[k],
                             app.saved_cameras[set].target[k]);
        }
}

Mesh* make_mesh()
{
    return construct_mesh(new F64Array{0.0, 0.0, 0.0}, new U32Array{1u}, 0, 3);
}

// ASan reports a leak or a double free if a record, entity or mesh is
// released other than once.
TEST(Application, DestructionReleasesEveryEnvironmentOnce)
{
    auto* app = new Application();
    add_first_environment(*app);
    for (int i = 0; i < 3; ++i) {
        EnvironmentRecord* record = create_environment(*app);
        Entity single = construct_entity();
        single.mesh = make_mesh();
        record->entities.entities.push_back(single);
        Entity group = construct_entity_as_group(true);
        auto* member = new Entity(construct_entity());
        member->mesh = make_mesh();
        group.members = {member, nullptr};
        group.member_count = 2;
        record->entities.entities.push_back(group);
        record->entities.count = 2;
    }
    app->builtin_mesh = make_mesh();
    app->builtin_entity.mesh = app->builtin_mesh;
    app->builtin_gizmo_meshes[1] = make_mesh();
    EXPECT_EQ(app->environment_store.count, 4);
    delete app;
}

} // namespace
