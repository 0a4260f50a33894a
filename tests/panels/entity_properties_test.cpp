#include "panels/entity_properties.h"

#include "platform/text.h"
#include "tests/panels/panel_fixture.h"

namespace {

TEST_F(PanelTest, ASingleEntityHas27PropertyLinesTitledTwoAboveTheirValues)
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

TEST_F(PanelTest, AGroupListsItsMembersWithTheirShares)
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
    // An element assembled together with others has no time of its own.
    member.run_time_ms = -1;
    format_entity_properties(group);
    EXPECT_EQ(group.property_lines[16], "\t [tower] : |V| 25 (0.00%) | ? ms (?)");

    const TextList titles = split_text(group.property_titles + "\n", '\n');
    EXPECT_EQ(titles[14], "Parallel-Elements");
    EXPECT_EQ(titles[20], "Output-Mesh");
    EXPECT_EQ(titles[33], "Runtime-Properties");
}

// The execution mode names the mesh's own mode; an entity whose assembly gave
// no mesh names none, not the first mode.
TEST_F(PanelTest, TheExecutionModeLineNamesOnlyAModeAMeshReported)
{
    Mesh mesh;
    const std::pair<std::int32_t, const char*> cases[] = {
        {-1, "\t Execution-Mode: "},
        {0, "\t Execution-Mode: Pure-Union Mesh"},
        {2, "\t Execution-Mode: Optimal-CSG Mesh"},
    };
    for (const auto& [mode, line] : cases) {
        Entity entity = construct_entity();
        if (mode >= 0) {
            mesh.execute_mode = static_cast<std::uint32_t>(mode);
            entity.mesh = &mesh;
        }
        format_entity_properties(entity);
        ASSERT_EQ(entity.property_lines.size(), 27u);
        EXPECT_EQ(entity.property_lines[10], line) << mode;
    }
}

} // namespace
