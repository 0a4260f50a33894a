#include "model/entity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/entity_stats.h"
#include "model/text_metrics.h"
#include "tests/platform/trace_capture.h"

namespace {

// Two quads and four triangles; bounds from `low` to `high` on every axis.
Mesh* box_mesh(std::size_t vertices, double low, double high, double mean)
{
    Mesh* mesh = construct_mesh(new F64Array(3 * vertices, 0.0),
                                new U32Array{2, 4, 4, 0, 1, 2, 3, 4, 5, 6, 7}, 0, 3);
    const double e = high - low, c = low + e / 2;
    mesh->bounds =
        new F64Array{low, low, low, high, high, high, c, c, c, mean, mean, mean, e, e, e};
    mesh->triangle_indices = new U32Array(12, 0);
    mesh->normal_data = new F64Array(3 * vertices, 0.0);
    mesh->run_time_ms = 1500;
    return mesh;
}

void release(Mesh* mesh)
{
    free_mesh_buffers(*mesh);
    delete_mesh(mesh, 1);
}

} // namespace

TEST(Entity, AttachingAMeshDerivesItsStatistics)
{
    Entity entity;
    entity.visible = 0;
    Mesh* mesh = box_mesh(8, -1.0, 3.0, 0.5);
    mesh->has_aux_count = 1;
    attach_mesh_to_entity(entity, mesh);
    EXPECT_EQ(mesh->visible, 0);
    EXPECT_EQ(entity.pending, 0);
    EXPECT_EQ(entity.vertex_count, 8u);
    EXPECT_EQ(entity.mesh_flag, 1);
    EXPECT_EQ(entity.polygon_count, 2u);
    EXPECT_EQ(entity.triangle_count, 4u);
    EXPECT_EQ(entity.mesh_bytes, 24u * 8 + 11u * 4 + 24u * 8);
    EXPECT_DOUBLE_EQ(entity.run_time_seconds, 1.5);
    EXPECT_EQ(entity.bounds[BOUNDS_EXTENT][0], 4.0);
    release(mesh);

    Mesh* flat = construct_mesh(new F64Array{0, 0, 1, 0, 1, 1}, new U32Array{1, 3, 0, 1, 2}, 0, 2);
    flat->bounds = new F64Array{0, 0, 1, 1, 0.5, 0.5, 0.3, 0.3, 1, 1};
    Entity plane;
    attach_mesh_to_entity(plane, flat);
    EXPECT_EQ(plane.vertex_count, 3u);
    EXPECT_EQ(plane.bounds[BOUNDS_MEAN][1], 0.3);
    EXPECT_EQ(plane.bounds[BOUNDS_MEAN][2], 0.0) << "a 2-D mesh has no z";
    release(flat);
}

TEST(Entity, DegenerateMeshesGiveZeroesNotFaults)
{
    Entity entity;
    Mesh* empty = construct_mesh(nullptr, new U32Array, 0, 0);
    attach_mesh_to_entity(entity, empty);
    EXPECT_EQ(entity.vertex_count + entity.polygon_count, 0u);
    release(empty);

    Mesh* short_bounds = box_mesh(3, 0, 1, 0.5);
    short_bounds->bounds->resize(4);
    attach_mesh_to_entity(entity, short_bounds);
    EXPECT_EQ(entity.bounds[BOUNDS_MAXIMUM][0], 0.0) << "a short bounds array is not read";
    (*short_bounds->bounds) = {1, 1, 1, 2, 2, 2, 1.5, 1.5, 1.5, NAN, 1.5, 1.5, 1, 1, 1};
    (*short_bounds->bounds)[4] = -INFINITY;
    attach_mesh_to_entity(entity, short_bounds);
    EXPECT_EQ(entity.bounds[BOUNDS_MEAN][0], 0.0) << "NaN and infinities are not kept";
    EXPECT_EQ(entity.bounds[BOUNDS_MINIMUM][1], 0.0);
    EXPECT_EQ(entity.bounds[BOUNDS_MAXIMUM][2], 2.0);
    Entity group_of_one = construct_entity_as_group(true);
    assign_group_members(group_of_one, {&entity}, 0, 0);
    EXPECT_EQ(group_of_one.bounds[BOUNDS_MINIMUM][0], 0.0);
    release(short_bounds);

    Entity group = construct_entity_as_group(true);
    Entity unassembled;
    assign_group_members(group, {nullptr, &unassembled}, 0, 0);
    for (const auto& vector : group.bounds)
        for (double value : vector)
            EXPECT_EQ(value, 0.0) << "no member: no infinite or NaN bounds";
}

TEST(Entity, GroupStatisticsSumMembersAndEncloseTheirBounds)
{
    Mesh* small = box_mesh(2, -1.0, 1.0, 0.0);
    Mesh* large = box_mesh(6, 0.0, 5.0, 4.0);
    small->batch_id = 3;
    large->batch_id = 1;
    Entity a, b, unassembled;
    attach_mesh_to_entity(a, small);
    attach_mesh_to_entity(b, large);
    Entity group = construct_entity_as_group(true);
    group.visible = 0;
    assign_group_members(group, {&a, nullptr, &b, &unassembled}, 1, 250);
    EXPECT_EQ(group.vertex_count, 8u);
    EXPECT_EQ(group.polygon_count, 4u);
    EXPECT_EQ(group.triangle_count, 8u);
    EXPECT_EQ(group.mesh_bytes, count_mesh_bytes(*small) + count_mesh_bytes(*large));
    EXPECT_EQ(group.run_time_ms, 250);
    EXPECT_EQ(group.bounds[BOUNDS_EXTENT][2], 6.0);
    EXPECT_EQ(group.bounds[BOUNDS_CENTRE][2], 2.0);
    EXPECT_DOUBLE_EQ(group.bounds[BOUNDS_MEAN][0], 0.75 * 4.0) << "weighted by vertex count";
    EXPECT_EQ(a.in_group, 1);
    EXPECT_EQ(large->visible, 0);
    EXPECT_EQ(small->group_member_count, 4);
    EXPECT_EQ(large->batch_count, 4);
    EXPECT_EQ(unassembled.in_group, 0);
    release(small);
    release(large);
}

TEST(Entity, ByteTotalsDoNotWrapAt32Bits)
{
    // 600 members sharing one 8 MiB mesh sum to more than 2^32 bytes.
    Mesh mesh;
    mesh.dimension = 3;
    mesh.vertex_data = new F64Array(std::size_t{1} << 20);
    std::vector<Entity> members(600);
    EntityPointers pointers;
    for (Entity& member : members) {
        attach_mesh_to_entity(member, &mesh);
        pointers.push_back(&member);
    }
    Entity group = construct_entity_as_group(true);
    assign_group_members(group, pointers, 2, 10);
    EXPECT_EQ(group.mesh_bytes, 600ull << 23);
    EXPECT_DOUBLE_EQ(group.mesh_mb, 600.0 * 8.0);
}

TEST(Entity, MemberListAndVisibilityReachMembers)
{
    TraceCapture quiet;
    Mesh own, member_mesh;
    Entity single, parametric, empty_set;
    single.mesh = &own;
    parametric.mesh = &member_mesh;
    parametric.parameters = construct_parameter_set("INT n = 1;\n");
    empty_set.parameters.valid = 1;
    Entity group = construct_entity_as_group(true);
    set_group_member_list(group, {&single, &parametric, nullptr, &empty_set, &parametric}, 2);
    EXPECT_EQ(group.parameterised_members, (std::vector<std::int32_t>{1, 4}));

    toggle_entity_visible(single);
    EXPECT_EQ(own.visible, 0);
    group.members = {&parametric, nullptr, &empty_set};
    set_entity_visible(group, false);
    EXPECT_EQ(member_mesh.visible, 0);
    EXPECT_EQ(empty_set.visible, 0);
    toggle_entity_visible(group);
    EXPECT_EQ(parametric.visible, 1);
    EXPECT_EQ(member_mesh.visible, 1);
}

TEST(Entity, StatisticsLinesAndTextWidths)
{
    EXPECT_EQ(measure_text_width("any \xff"), 0) << "no width table before the interface exists";
    g_char_widths.assign(128, 2);
    Entity entity;
    entity.parse_report.script_path = "work/scripts/tower.plim";
    entity.parse_report.script_text = std::string(2048, 'x');
    entity.vertex_count = 12345;
    entity.polygon_count = 1000;
    entity.triangle_count = 7;
    entity.run_time_seconds = 0.25;
    entity.mesh_kb = 3.14159;
    format_entity_stats(entity);
    EXPECT_EQ(entity.statistics_lines[0], "tower.plim");
    EXPECT_EQ(entity.statistics_lines[1],
              "12,345 vertex | 1,000 polygons \t 7 triangles | 0.25 seconds");
    EXPECT_EQ(entity.statistics_lines[2],
              "2.00 kb (script) | 3.14 kb (mesh) | path: \"work/scripts/\"");
    EXPECT_EQ(entity.statistics_width, 2 * entity.statistics_lines[1].size()) << "the widest line";
    EXPECT_EQ(measure_text_width("a\xff"), 2) << "bytes past the table count 0";
    g_char_widths.clear();
}
