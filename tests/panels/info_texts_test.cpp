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

    // Byte totals past double precision stay exact.
    entities[0].mesh_bytes = 9'007'199'254'740'993u;
    entities[1].mesh_bytes = 0;
    update_environment_totals(app);
    const std::string& line = app.mesh_statistics_lines[7];
    EXPECT_EQ(line.substr(line.rfind('|')), "| 9007199254740993 bytes)");
}

TEST_F(PanelTest, StatusLineCountsEntitiesShowsTheCameraAndResetsTheSharedStream)
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
    // A fixed notation left on the shared stream does not leak into the line.
    app.camera_mode = CAMERA_OBJECT_ORBIT;
    app.trace_text << std::fixed;
    app.trace_text.precision(2);
    build_status_line(app);
    EXPECT_EQ(app.status_line_text,
              "env0 | 1 entity | 720 x 480 | object-orbit | zoom(400%) | euler(30,30,0)");
}

TEST_F(PanelTest, FrameRateTextAndColourByThemeAndThreshold)
{
    build_fps_text(app);
    EXPECT_EQ(app.fps_readout.label, "") << "nothing while the read-out is off";
    app.view_settings.show_fps = 1;
    struct Case {
        std::int32_t theme;
        std::int64_t frame_ns;
        std::string text;
        std::uint32_t text_colour;
        std::uint32_t shape_colour;
    };
    const Case cases[] = {
        {2, 0, "? fps (0.0 ms)", 0xFF808080u, 0x80FFFFFFu},
        {2, 16'666'666, "60.0 fps (16.7 ms)", 0xFF20A020u, 0x80FFFFFFu},
        {0, 16'666'666, "60.0 fps (16.7 ms)", 0xFF40C020u, 0x40000000u},
        {0, 5'000'000, "200.0 fps (5.0 ms)", 0xFF2080FFu, 0x40000000u},
        {3, 50'000'000, "20.0 fps (50.0 ms)", 0xFFF0C000u, 0x40000000u},
        {1, 500'000'000, "2.0 fps (500.0 ms)", 0xFFC02000u, 0x80FFFFFFu},
    };
    for (const Case& c : cases) {
        app.view_settings.theme_index = c.theme;
        app.frame_times_ns.fill(c.frame_ns);
        build_fps_text(app);
        EXPECT_EQ(app.fps_readout.label, c.text) << c.frame_ns;
        EXPECT_EQ(app.fps_readout.text_colour, c.text_colour) << c.theme << " " << c.frame_ns;
        EXPECT_EQ(app.fps_readout.shape_colour, c.shape_colour) << c.theme;
    }
    // An unknown theme leaves the colours as they are.
    app.view_settings.theme_index = 9;
    app.frame_times_ns.fill(5'000'000);
    build_fps_text(app);
    EXPECT_EQ(app.fps_readout.text_colour, 0xFFC02000u);
}

} // namespace
