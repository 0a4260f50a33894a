#include "panels/info_texts.h"

#include "tests/panels/panel_fixture.h"

namespace {

TEST_F(PanelTest, EmptyTotalsAndAScriptListNamingScriptsAndDirectories)
{
    build_script_list_text(app);
    update_environment_totals(app);
    EXPECT_EQ(app.script_list_text, "(open a brisk-form script file...)");
    EXPECT_EQ(app.mesh_statistics_lines[0], "0 vertices");
    EXPECT_EQ(app.mesh_statistics_lines[3], "extent [ w:0.00,h:0.00,d:0.00 ]");
    EXPECT_EQ(app.mesh_statistics_lines[6], "0.00 seconds (0 ms)");
    EXPECT_EQ(app.mesh_statistics_lines[7], "0.00 MB (0.00 kb | 0 bytes)");

    add_script("/w/a.plim", 1);
    build_script_list_text(app);
    EXPECT_EQ(app.script_list_text, "Script: a.plim in /w/");

    add_script("/w/b.plim", 1);
    add_script("/w/c.plim", 1);
    build_script_list_text(app);
    EXPECT_EQ(app.script_list_text, "3 Scripts: [a.plim, b.plim, c.plim] in /w/");

    add_script("/v/d.plim", 1);
    build_script_list_text(app);
    EXPECT_EQ(app.script_list_text,
              "4 Scripts: [a.plim, b.plim, c.plim, d.plim] in 2 Locations: ['/w/', '/v/']");
}

TEST_F(PanelTest, TotalsSumTheEntitiesAndSpanTheirBounds)
{
    Entity& first = add_script("/w/a.plim", 1200);
    first.bounds[BOUNDS_MINIMUM][0] = -1.0;
    first.bounds[BOUNDS_MAXIMUM][0] = 1.0;
    Entity& second = add_script("/w/b.plim", 34);
    second.bounds[BOUNDS_MINIMUM][0] = 0.5;
    second.bounds[BOUNDS_MAXIMUM][0] = 3.0;
    update_environment_totals(app);
    EXPECT_EQ(app.totals.vertex_count, 1234u);
    EXPECT_DOUBLE_EQ(app.totals.extent[0], 4.0);
    EXPECT_EQ(app.mesh_statistics_lines[0], "1,234 vertices");
    EXPECT_EQ(app.mesh_statistics_lines[4], "min [ w:-1.00,h:0.00,d:0.00 ]");
    EXPECT_EQ(app.mesh_statistics_lines[6], "3.00 seconds (3000 ms)");
    EXPECT_EQ(app.mesh_statistics_lines[7], "0.00 MB (4.00 kb | 4096 bytes)");

    // Byte totals past 4 GiB do not wrap.
    std::vector<Entity>& entities = app.current_entity_list->entities;
    entities[0].mesh_bytes = 5'000'000'000;
    update_environment_totals(app);
    EXPECT_EQ(app.totals.bytes, 5'000'000'000u + entities[1].mesh_bytes);
}

TEST_F(PanelTest, StatusLineCountsEntitiesAndShowsTheCamera)
{
    build_status_line(app);
    EXPECT_EQ(app.status_line_text.rfind(
                  "env0 | 0 entities | 720 x 480 | free-roam | eye(-1.00,1.00,3.00)", 0),
              0u);
    add_script("/w/a.plim", 1);
    app.camera_mode = CAMERA_FIRST_PERSON;
    app.camera.eye[1] = 9.0;
    build_status_line(app);
    EXPECT_EQ(app.status_line_text.rfind(
                  "env0 | 1 entity | 720 x 480 | first-person | eye(-1.00,1.75,3.00)", 0),
              0u);
    app.camera_mode = CAMERA_OBJECT_ORBIT;
    build_status_line(app);
    EXPECT_EQ(app.status_line_text,
              "env0 | 1 entity | 720 x 480 | object-orbit | zoom(400%) | euler(30,30,0)");
}

} // namespace
