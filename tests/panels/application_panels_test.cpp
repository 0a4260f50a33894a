// The panels that draw from the application: console channels, info texts,
// environment tabs, entity colouring and entity properties.

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "app/state/application.h"
#include "app/state/current_environment.h"
#include "model/entity.h"
#include "model/text_metrics.h"
#include "panels/console_channels.h"
#include "panels/directive_menus.h"
#include "panels/entity_colouring.h"
#include "panels/entity_properties.h"
#include "panels/environment_tabs.h"
#include "panels/info_texts.h"
#include "platform/kernel_config.h"
#include "platform/text.h"

namespace {

// Every byte 7 units wide, lines 14 units high.
class ApplicationPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_char_widths.assign(256, 7);
        g_default_line_height = 14;
        add_first_environment(app);
    }
    void TearDown() override
    {
        g_char_widths.clear();
        g_default_line_height = 0;
    }
    ConsoleState& console() { return *app.current_console; }
    std::vector<std::string> channel(std::int32_t k)
    {
        const auto at = static_cast<std::size_t>(k);
        return {console().channel_lines[at].begin(),
                console().channel_lines[at].begin() + console().channel_count[at]};
    }

    Entity& add_script(const std::string& path, std::uint32_t vertices)
    {
        Entity entity = construct_entity();
        entity.parse_report.script_path = path;
        entity.vertex_count = vertices;
        entity.mesh_bytes = 2048;
        entity.run_time_ms = 1500;
        app.current_entity_list->entities.push_back(entity);
        app.current_entity_list->count =
            static_cast<std::int32_t>(app.current_entity_list->entities.size());
        return app.current_entity_list->entities.back();
    }

    std::unique_ptr<Application> owner = std::make_unique<Application>();
    Application& app = *owner;
};

// One red vertex whose bytes were drawn over.
void give_red_vertex(Mesh& mesh)
{
    mesh.vertex_colours = new F64Array{1.0, 0.0, 0.0, 1.0};
    mesh.vertex_colour_bytes = new U8Array{9, 9, 9, 200};
}

// The main log's growth is append_console_line's, tested with the model.
TEST_F(ApplicationPanelTest, TheMainLogStampsOnlyWhenTheTimeServiceIsInstalled)
{
    console_log(app, "Parsing: a.plim", true);
    app.platform.time_text = [] { return std::string("12:34:56"); };
    console_log(app, "Parsing: b.plim", true);
    console_log(app, "plain", false);
    EXPECT_EQ(console().lines[0], "Parsing: a.plim");
    EXPECT_EQ(console().lines[1], "12:34:56 | Parsing: b.plim");
    EXPECT_EQ(console().lines[2], "plain");
    EXPECT_EQ(console().widest_line, 26 * 7);
    EXPECT_EQ(console().total_height, 3 * 14);
    EXPECT_EQ(app.text_views[0].label.substr(0, 22), "Parsing: a.plim\n12:34:");
}

TEST_F(ApplicationPanelTest, ChannelCapacityGrowsTo420AndAResetStartsOverAt64)
{
    append_console_channel(console(), CHANNEL_ERROR, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", "");
    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "l\n";
    append_console_channel(console(), CHANNEL_ERROR, many, "");
    EXPECT_EQ(console().channel_capacity[CHANNEL_ERROR], 420);
    EXPECT_EQ(console().channel_lines[CHANNEL_ERROR].size(), 420u);

    console_show_kernel_trace(app, many.substr(0, 200));
    EXPECT_EQ(console().channel_capacity[CHANNEL_KERNEL], 128);
    console_show_kernel_trace(app, "short");
    EXPECT_EQ(console().channel_capacity[CHANNEL_KERNEL], 64);
    EXPECT_EQ(console().channel_lines[CHANNEL_KERNEL].size(), 64u);
    EXPECT_EQ(console().channel_widest[CHANNEL_KERNEL], 5 * 7);
}

TEST_F(ApplicationPanelTest, ChannelLinesSplitKeepingEmptyOnesAndOnlyTheShownOneMirrors)
{
    append_console_channel(console(), CHANNEL_FILE_IO, "first\n\nthird", "09:00:00");
    EXPECT_EQ(channel(CHANNEL_FILE_IO), (std::vector<std::string>{"first", "", "third"}));
    EXPECT_EQ(console().channel_height[CHANNEL_FILE_IO], 3 * 14);
    append_console_channel(console(), CHANNEL_FILE_IO, "wrote a.obj\n", "09:00:01");
    EXPECT_EQ(channel(CHANNEL_FILE_IO).back(), "09:00:01 | wrote a.obj\n");

    // Only the shown channel (the kernel's) updates the shown fields.
    console().channel_view_1[CHANNEL_KERNEL] = 0.5;
    append_console_channel(console(), CHANNEL_KERNEL, "", "");
    EXPECT_EQ(console().channel_count[CHANNEL_KERNEL], 0) << "an empty text stores nothing";
    EXPECT_EQ(console().channel_shown_1, 0.5) << "but still mirrors the shown channel";
    append_console_channel(console(), CHANNEL_SCRIPT, "script output", "");
    EXPECT_EQ(console().channel_content_width, 0);
    append_console_channel(console(), CHANNEL_KERNEL, "kernel", "");
    EXPECT_EQ(console().channel_content_width, 6 * 7);
    EXPECT_EQ(console().channel_content_height, 14);
}

TEST_F(ApplicationPanelTest, TheKernelRunReplacesKernelAndScriptAndAppendsTheOthers)
{
    g_kernel_output_texts = {"run one\nparsed", "", "saved", "oops"};
    console_show_kernel_run(app);
    g_kernel_output_texts = {"run two", "", "saved again\nand more", ""};
    console_show_kernel_run(app);
    EXPECT_EQ(channel(CHANNEL_KERNEL), (std::vector<std::string>{"run two"}));
    EXPECT_EQ(channel(CHANNEL_SCRIPT), (std::vector<std::string>{}));
    EXPECT_EQ(channel(CHANNEL_FILE_IO),
              (std::vector<std::string>{"saved", "saved again", "and more"}));
    EXPECT_EQ(channel(CHANNEL_ERROR), (std::vector<std::string>{"oops"}));
    EXPECT_EQ(app.text_views[1].label, "run two");
    g_kernel_output_texts = {};
}

TEST_F(ApplicationPanelTest, EmptyTotalsAndAScriptListNamingScriptsAndDirectories)
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

TEST_F(ApplicationPanelTest, TotalsSumTheEntitiesAndSpanTheirBounds)
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

TEST_F(ApplicationPanelTest, StatusLineCountsEntitiesAndShowsTheCamera)
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

TEST_F(ApplicationPanelTest, OneTabPerEnvironment64PixelsApartAndAHoverMarker)
{
    rebuild_environment_tabs(app);
    ASSERT_EQ(app.environment_tabs.tabs.size(), 1u);
    EXPECT_EQ(app.environment_tabs.tabs[0]->x, 1);
    EXPECT_EQ(app.environment_tabs.strip.content_width, 66);

    app.environment_tab_names = {"env0", "env1", "env2"};
    app.environment_tab_count = 3;
    app.current_environment_index = 1;
    rebuild_environment_tabs(app);
    ASSERT_EQ(app.environment_tabs.strip.children.size(), 3u);
    EXPECT_EQ(app.environment_tabs.tabs[1]->x, 65);
    EXPECT_EQ(app.environment_tabs.tabs[2]->x, 129);
    EXPECT_EQ(app.environment_tabs.tabs[2]->height, 22);
    EXPECT_EQ(app.environment_tabs.tabs[2]->label, "env2");
    EXPECT_EQ(app.environment_tabs.strip.content_width, 194);
    EXPECT_TRUE(app.environment_tabs.tabs[1]->selected);
    EXPECT_FALSE(app.environment_tabs.tabs[0]->selected);
    const std::pair<int, int> tab_at_x[] = {{1, 0}, {64, 0}, {65, 1}, {129, 2}};
    for (const auto& [x, tab] : tab_at_x)
        EXPECT_EQ(environment_tab_at(x), tab) << x;

    // The hover marker shows only over another valid tab; 3 is left over from
    // a closed environment.
    const std::pair<int, bool> shown_over[] = {{1, false}, {2, true}, {3, false}};
    for (const auto& [hovered, shown] : shown_over) {
        app.hovered_environment_tab = hovered;
        rebuild_environment_tabs(app);
        EXPECT_EQ(app.environment_tabs.hover_marker.visible, shown) << hovered;
    }
}

TEST_F(ApplicationPanelTest, SchemesFillGreyOrRestoreTheOwnColoursTakingTheOwnAlpha)
{
    EXPECT_FALSE(needs_colouring(app)) << "the meshes' own colours need no recolouring";
    Mesh mesh;
    give_red_vertex(mesh);
    app.view_settings.colour_mode = COLOUR_SCHEME_DARK;
    apply_colour_function(app, mesh);
    EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{63, 63, 63, 255}));
    app.view_settings.colour_mode = COLOUR_SCHEME_VERTEX;
    app.view_settings.colour_inverted = 1;
    EXPECT_TRUE(needs_colouring(app));
    apply_colour_function(app, mesh);
    EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{0, 255, 255, 255}));

    // A group colours every member and skips missing ones.
    Entity member = construct_entity();
    member.mesh = &mesh;
    Entity group = construct_entity_as_group(true);
    group.members = {nullptr, &member};
    app.view_settings.colour_mode = COLOUR_SCHEME_LIGHT;
    app.view_settings.colour_inverted = 0;
    colour_entity(app, group);
    EXPECT_EQ(*mesh.vertex_colour_bytes, (U8Array{255, 255, 255, 255}));
}

TEST_F(ApplicationPanelTest, ASingleEntityHas27PropertyLinesTitledTwoAboveTheirValues)
{
    Mesh mesh;
    Entity entity = construct_entity();
    entity.mesh = &mesh;
    mesh.execute_mode = 1;
    entity.parse_report.script_path = "/work/scripts/ball.plim";
    entity.parse_report.script_text = std::string(1234, 'x');
    entity.parameters.count = 2;
    entity.run_time_seconds = 1.5;
    entity.run_time_ms = 1500;
    entity.mesh_bytes = 1234567;
    entity.mesh_kb = 1205.63;
    entity.mesh_mb = 1.177;
    entity.vertex_count = 4321;
    entity.index_count = 12000;
    entity.triangle_index_count = 18000;
    entity.polygon_count = 3000;
    entity.triangle_count = 6000;
    for (int c = 0; c < 3; ++c) {
        entity.bounds[BOUNDS_MINIMUM][c] = -1.0;
        entity.bounds[BOUNDS_MAXIMUM][c] = 1.0;
        entity.bounds[BOUNDS_EXTENT][c] = 2.0 / (1 << c);
    }
    format_entity_properties(entity);
    format_property_titles(entity);
    update_entity_label(entity);
    const std::vector<std::string>& lines = entity.property_lines;
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[2], "\t Name: ball.plim");
    EXPECT_EQ(lines[3], "\t Path: /work/scripts/");
    EXPECT_EQ(lines[4], "\t Size: 1,234 bytes");
    EXPECT_EQ(lines[5], "\t Type: MONOLITH");
    EXPECT_EQ(lines[9], "\t Entity-Parameters: 2");
    EXPECT_EQ(lines[10], "\t Execution-Mode: Basic-CSG Mesh");
    EXPECT_EQ(lines[11], "\t Execution-Time: 1.50 seconds (1500 ms)");
    EXPECT_EQ(lines[15], "\t Size: 1.18 MB (1205.63 kb | 1,234,567 bytes)");
    EXPECT_EQ(lines[16], "\t Vertex: 4,321");
    EXPECT_EQ(lines[17], "\t Indices: 12,000 \t 18,000");
    EXPECT_EQ(lines[18], "\t Polygons: 3,000 (6,000 as triangles)");
    EXPECT_EQ(lines[19], "\t AABB-Extent: [ width:2.0000, height:1.0000, depth:0.5000 ]");
    EXPECT_EQ(lines[20], "\t AABB-Minimum: [ x:-1.0000, y:-1.0000, z:-1.0000 ]");
    EXPECT_EQ(lines[22], "\t AABB-Center: [ x:0.0000, y:0.0000, z:0.0000 ]");
    EXPECT_EQ(lines[24], "\t Non-Planar Gouraud-Shading Smoothing-Groups Defined: false");
    EXPECT_EQ(lines[26], "");

    const TextList titles = split_text(entity.property_titles + "\n", '\n');
    ASSERT_EQ(titles.size(), 27u);
    EXPECT_EQ(titles[0], "Input-Script");
    EXPECT_EQ(titles[7], "Kernel-Process");
    EXPECT_EQ(titles[13], "Output-Mesh");
    EXPECT_EQ(titles[26], "Runtime-Properties");

    // Non-empty lines count by their width, empty ones by four pixels.
    std::uint32_t widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, static_cast<std::uint32_t>(7 * line.size()));
    EXPECT_EQ(entity.property_width, widest);
    EXPECT_EQ(entity.property_height, 17u * 14u + 10u * 4u);
    EXPECT_EQ(entity.label, ": ball.plim");
    EXPECT_EQ(entity.label_width, 11u * 7u);
}

TEST_F(ApplicationPanelTest, AGroupListsItsMembersWithTheirShares)
{
    Mesh first;
    first.element_name = "tower";
    Entity member = construct_entity();
    member.mesh = &first;
    member.vertex_count = 25;
    member.run_time_ms = 30;
    Entity group = construct_entity_as_group(true);
    group.members = {&member, nullptr, &member};
    group.parse_report.script_path = "city.plim";
    group.root_execute_mode = 2;
    group.vertex_count = 100;
    group.run_time_ms = 120;
    group.run_time_seconds = 0.12;
    group.mesh_bytes = 5'000'000'000; // beyond 32 bits
    format_entity_properties(group);
    format_property_titles(group);

    const std::vector<std::string>& lines = group.property_lines;
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[3], "\t Path: ");
    EXPECT_EQ(lines[5], "\t Type: PARALLEL");
    EXPECT_EQ(lines[10], "\t Root-Execution-Mode: Optimal-CSG Mesh");
    EXPECT_EQ(lines[11], "\t Root-Execution-Time: 0.12 seconds (120 ms)");
    EXPECT_EQ(lines[12], "\t Element-Count: 3");
    EXPECT_EQ(lines[16], "\t [tower] : |V| 25 (25.00%) | 30 ms (25.00%)");
    EXPECT_EQ(lines[17], "\t [!] : |V|=? | ? ms (NULL)");
    EXPECT_EQ(lines[22], "\t Size: 0.00 MB (0.00 kb | 5,000,000,000 bytes)");

    // A group assembled in under a millisecond and without vertices.
    member.run_time_ms = 0;
    group.vertex_count = 0;
    group.run_time_ms = 0;
    format_entity_properties(group);
    EXPECT_EQ(group.property_lines[16], "\t [tower] : |V| 25 (0.00%) | 0 ms (0.00%)");

    const TextList titles = split_text(group.property_titles + "\n", '\n');
    EXPECT_EQ(titles[14], "Parallel-Elements");
    EXPECT_EQ(titles[20], "Output-Mesh");
    EXPECT_EQ(titles[33], "Runtime-Properties");
}

} // namespace

TEST_F(ApplicationPanelTest, CameraDirectiveRowsAndTheirListOrGridPlaces)
{
    Entity& entity = add_script("examples/parameters.plim", 8);
    entity.parse_report.directives_text =
        "#CAM(front){0, 2, 8, 0, 1, 0};\n#CAM(above){0, 9, 0.01, 0, 0, 0};\n#VIEW(odd){1, 2}\n";
    app.current_scene_state->selected_index = 0;
    build_camera_directive_menu(app);
    ASSERT_EQ(app.directive_menus.camera_rows, (std::vector<std::string>{"front", "above", "odd"}));
    EXPECT_EQ(app.directive_menus.camera_points[1], (std::array<double, 6>{0, 9, 0.01, 0, 0, 0}));
    EXPECT_EQ(app.directive_menus.camera_points[2], (std::array<double, 6>{1, 2, 0, 0, 0, 0}));

    struct Case {
        std::int32_t style;
        DirectiveRowRect third;
    };
    // Column 216 wide, gap 8, row height 32: grid cells (216 - 24) / 2 = 96.
    const Case cases[] = {{1, {8, 88, 200, 32}}, {2, {8, 112, 96, 96}}};
    for (const Case& c : cases) {
        app.view_settings.directive_mode = c.style;
        layout_directive_menu(app, 216);
        const DirectiveRowRect& r = app.directive_menus.camera_row_rects.at(2);
        EXPECT_EQ(std::make_tuple(r.x, r.y, r.width, r.height),
                  std::make_tuple(c.third.x, c.third.y, c.third.width, c.third.height))
            << "style " << c.style;
    }
}
