#include "model/entity_views.h"

#include <gtest/gtest.h>

#include "tests/platform/trace_capture.h"

namespace {

Entity listed_entity(const std::string& path, std::uint32_t statistics_width, bool parametric)
{
    TraceCapture quiet;
    Entity entity;
    entity.parse_report.script_path = path;
    entity.statistics_width = statistics_width;
    entity.pending = 0;
    if (parametric) entity.parameters = construct_parameter_set("INT n(1, 0, 9);\nDBL r = 2;\n");
    return entity;
}

// Five entities; b and d are parametric, c has the widest statistics.
struct FiveEntities : ::testing::Test {
    EntityList list;
    SceneState scene{.entity_list = &list};
    EntitySelection selection{.entity_list = &list};

    void SetUp() override
    {
        add_entity_unique(scene, listed_entity("a.plim", 10, false));
        add_entity_unique(scene, listed_entity("b.plim", 0, true));
        add_entity_unique(scene, listed_entity("c.plim", 30, false));
        add_entity_unique(scene, listed_entity("d.plim", 0, true));
        add_entity_unique(scene, listed_entity("e.plim", 20, false));
    }
};

} // namespace

TEST_F(FiveEntities, AddingKeepsIdsUniqueAndRemovalFixesTheSelection)
{
    EXPECT_EQ(list.count, 5);
    EXPECT_EQ(list.change_counter, 5u);
    EXPECT_EQ(scene.widest_statistics, 30);
    EXPECT_EQ(list.display_order, (std::vector<std::int32_t>{1, 3}));
    list.changed = 0;
    EXPECT_FALSE(add_entity_unique(scene, list.entities[2]));
    EXPECT_EQ(list.count, 5);
    EXPECT_EQ(list.changed, 0);
    EXPECT_FALSE(contains_entity_path(list, "D.plim"));
    EXPECT_EQ(find_entity_by_path(list, "e.plim"), &list.entities[4]);

    // Removal fixes the inspector's selection.
    scene.selected_index = 3;
    ASSERT_TRUE(remove_entity_at(scene, 1));
    EXPECT_EQ(scene.selected_index, 2);
    ASSERT_TRUE(remove_entity_at(scene, 2));
    EXPECT_EQ(scene.selected_index, -1);
    scene.selected_index = 1;
    ASSERT_TRUE(remove_entity_at(scene, 2));
    EXPECT_EQ(scene.selected_index, 1);
    EXPECT_TRUE(list.display_order.empty());
    EXPECT_FALSE(remove_entity_at(scene, 2));
    EXPECT_FALSE(remove_entity_at(scene, -1));
    ASSERT_TRUE(remove_entity_at(scene, 0));
    ASSERT_TRUE(remove_entity_at(scene, 0));
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(scene.widest_statistics, 0);
}

TEST_F(FiveEntities, ReplacementNeedsSettledEntitiesAndRowsToggle)
{
    const Entity old = list.entities[2];
    Entity replacement = listed_entity("c2.plim", 5, false);
    Entity pending_old = old;
    pending_old.pending = 1;
    EXPECT_FALSE(replace_entity(scene, old, old));
    EXPECT_FALSE(replace_entity(scene, pending_old, replacement));
    EXPECT_FALSE(replace_entity(scene, listed_entity("x.plim", 0, false), replacement));
    replacement.pending = 1;
    EXPECT_FALSE(replace_entity(scene, old, replacement));
    EXPECT_EQ(list.entities[2].parse_report.script_path, "c.plim");
    replacement.pending = 0;
    ASSERT_TRUE(replace_entity(scene, old, replacement));
    EXPECT_EQ(list.entities[2].id, replacement.id);
    EXPECT_EQ(scene.widest_statistics, 20) << "recomputed from the list";

    // Panel rows toggle their selection, visibility and lock.
    list.entities[3].parameters.row_count = 7;
    toggle_selection(selection, 1);
    EXPECT_EQ(selection.content_height, 7 * 32);
    EXPECT_EQ(get_selected_entity(selection), &list.entities[3]);
    toggle_selection(selection, 0);
    EXPECT_EQ(selection.selected_position, 0);
    toggle_selection(selection, 0);
    EXPECT_EQ(selection.selected_position, -1);
    EXPECT_EQ(selection.content_height, 0);
    toggle_selection(selection, 9);
    EXPECT_EQ(get_selected_entity(selection), nullptr) << "no row there";

    toggle_entity_visible_at(selection, 1);
    EXPECT_EQ(list.entities[3].visible, 0);
    toggle_entity_visible_at(selection, 2);
    toggle_entity_selected(scene, 4);
    EXPECT_EQ(list.entities[4].assembly_locked, 1);
    toggle_entity_selected(scene, 5);
    scene.selected_index = 5;
    EXPECT_EQ(get_inspected_entity(scene), nullptr);
}

TEST(EntityList, FlatPointersAndGraphicsNames)
{
    Mesh mesh_a, mesh_b, mesh_c;
    mesh_a.vertex_array_name = 1;
    mesh_a.index_buffer_name = 21;
    mesh_b.index_buffer_name = 22;
    mesh_c.index_buffer_name = 23;
    Entity member_b, member_c, member_without_mesh;
    member_b.mesh = &mesh_b;
    member_c.mesh = &mesh_c;
    EntityList list;
    list.entities.resize(3);
    list.count = 3;
    list.entities[0].mesh = &mesh_a;
    list.entities[1].kind = ENTITY_GROUP;
    list.entities[1].members = {&member_b, nullptr, &member_without_mesh, &member_c};

    EXPECT_EQ(collect_entity_pointers(list),
              (EntityPointers{&list.entities[0], &list.entities[1], &member_b, nullptr,
                              &member_without_mesh, &member_c, &list.entities[2]}));
    U32Array names;
    collect_index_buffer_names(list, names);
    EXPECT_EQ(names, (U32Array{21, 22, 23}));
    collect_vertex_array_names(list, names);
    EXPECT_EQ(names, (U32Array{1, 0, 0}));
}
