// Ownership as the script commands use it: built, copied into a list,
// replaced, removed and released. Under ASan a leak or double free fails.

#include "model/entity_views.h"

#include <gtest/gtest.h>

#include "model/entity_stats.h"
#include "model/entity_transform.h"
#include "tests/platform/trace_capture.h"

namespace {

Mesh* new_mesh(std::size_t vertices)
{
    Mesh* mesh = construct_mesh(new F64Array(3 * vertices, 1.0), new U32Array{1, 3, 0, 1, 2}, 0, 3);
    mesh->bounds = new F64Array(15, 0.5);
    mesh->vertex_colour_bytes = new U8Array(4 * vertices, 0);
    mesh->valid = 1;
    mesh->pending = 0;
    return mesh;
}

Entity loaded_single(const std::string& path)
{
    Entity entity;
    entity.parse_report.script_path = path;
    attach_mesh_to_entity(entity, new_mesh(3));
    format_entity_stats(entity);
    return entity;
}

// A group as the parallel load builds it: heap members with their own
// meshes and parameters, and a merged set pointing into them.
Entity loaded_group(const std::string& path)
{
    TraceCapture quiet;
    EntityPointers members;
    std::vector<std::string> names;
    std::vector<ParameterSet*> sets;
    for (int at = 0; at < 3; ++at) {
        Entity* member = new Entity;
        member->parameters = construct_parameter_set("INT n(1, 0, 4);\n");
        attach_mesh_to_entity(*member, new_mesh(4 + at));
        members.push_back(member);
        names.push_back("element " + std::to_string(at));
        sets.push_back(&member->parameters);
    }
    Entity group = construct_entity_as_group(true);
    group.parse_report.script_path = path;
    assign_group_members(group, members, 2, 40);
    group.parameters = construct_parameter_set_from_list(names, sets, 3);
    compute_entity_matrix(group);
    return group;
}

} // namespace

TEST(Lifecycle, CommandsReleaseEveryMeshAndMemberExactlyOnce)
{
    EntityList list;
    SceneState scene{.entity_list = &list};
    EntitySelection selection{.entity_list = &list};

    // Load: the command's local entity and the listed copy share the mesh.
    {
        const Entity single = loaded_single("a.plim");
        ASSERT_TRUE(add_entity_unique(scene, single));
        const Entity group = loaded_group("g.plim");
        ASSERT_TRUE(add_entity_unique(scene, group));
        ASSERT_TRUE(add_entity_unique(scene, loaded_single("b.plim")));
        ASSERT_TRUE(add_entity_unique(scene, loaded_group("h.plim")));
    }
    ASSERT_EQ(list.count, 4);
    toggle_selection(selection, 0);
    EXPECT_EQ(selection.content_height, (3 * 3 + 3) * PARAMETER_ROW_HEIGHT);
    Entity* group_in_list = get_selected_entity(selection);
    ASSERT_NE(group_in_list, nullptr);
    EXPECT_EQ(group_in_list->parameters.member_parameters[2]->current.int_value, 1);

    // Re-load of a single script: the old mesh goes through the old copy.
    {
        Entity old = *find_entity_by_path(list, "a.plim");
        Entity fresh = loaded_single("a.plim");
        ASSERT_TRUE(replace_entity(scene, old, fresh));
        release_entity_resources(old);
    }

    // Parameter synchronisation attaches a new mesh to the listed entity.
    {
        Entity& synced = *find_entity_by_path(list, "b.plim");
        Mesh* previous = synced.mesh;
        attach_mesh_to_entity(synced, new_mesh(5));
        free_mesh_buffers(*previous);
        delete_mesh(previous, 1);
    }

    // Re-load of a group: the old members and their meshes go with the old copy.
    {
        Entity old = *find_entity_by_path(list, "g.plim");
        ASSERT_TRUE(replace_entity(scene, old, loaded_group("g.plim")));
        release_entity_resources(old);
        EXPECT_TRUE(old.members.empty());
        EXPECT_TRUE(old.parameters.member_parameters.empty()) << "no pointers into freed members";
    }

    // Closing a group script: removed from the list, then released by the caller.
    {
        const std::int32_t index = 3;
        Entity removed = list.entities[index];
        ASSERT_TRUE(remove_entity_at(scene, index));
        release_entity_resources(removed);
    }

    // Two listed entities that share one mesh (built from one result) free it once.
    {
        Entity twin;
        attach_mesh_to_entity(twin, list.entities[0].mesh);
        ASSERT_TRUE(add_entity_unique(scene, twin));
    }

    release_entity_meshes(list);
    EXPECT_EQ(list.entities[0].mesh, nullptr);
    EXPECT_TRUE(list.entities[1].members.empty());
    release_entity_meshes(list); // closing twice frees nothing twice
}
