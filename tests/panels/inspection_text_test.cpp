#include <gtest/gtest.h>

#include <string>

#include "model/entity.h"
#include "model/mesh.h"
#include "panels/inspection_text.h"

namespace {

// Two triangles of polygons 3 and 9 over four vertices. The group map reaches
// polygon 3 only, the operand map is absent, user id 1 is named "floor", the
// colours stop after vertex 2 and there are no normals.
Mesh* make_mesh()
{
    Mesh* mesh = construct_mesh(new F64Array{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0.5},
                                new U32Array{10, 0}, 0, 3);
    mesh->triangle_indices = new U32Array{0, 1, 2, 0, 2, 3};
    mesh->triangle_polygons = new U32Array{3, 9};
    mesh->group_ids = new U32Array{0, 0, 0, 7};
    mesh->label_ids = new U32Array{0, 0, 0, 1};
    mesh->label_words_1 = new U32Array{0, 4};
    mesh->label_words_2 = new U32Array{4, 5};
    mesh->label_text = new U8Array{'w', 'a', 'l', 'l', 'f', 'l', 'o', 'o', 'r'};
    mesh->vertex_colours = new F64Array{1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0.25};
    return mesh;
}

class InspectionTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        Entity entity = construct_entity();
        entity.parse_report.script_path = "/ws/scripts/room.plim";
        entity.mesh = make_mesh();
        list.entities.push_back(entity);
        list.count = 1;
    }
    void TearDown() override { release_entity_meshes(list); }
    EntityList list;
};

// The hint line and the report's mode line name the same pick the same way.
TEST_F(InspectionTextTest, HintAndReportLinesFollowThePickMode)
{
    struct Case {
        char mode;
        std::int32_t entity;
        std::int32_t triangle;
        const char* title;
        const char* hint;
        const char* report; // the report's line after the entity line, null: not checked
    };
    const Case cases[] = {
        {'P', 0, 0, "\t room.plim", "polygon : 3", nullptr},
        {'G', 0, 0, "\t room.plim", "group : 7", "\t Gouraud-Group: 7\n"},
        {'G', 0, 1, "\t room.plim", "group : -1", "\t Gouraud-Group: -1\n"}, // beyond the map
        {'O', 0, 0, "\t room.plim", "operand : -1", "\t Operand: -1\n"},     // no operand map
        {'U', 0, 0, "\t room.plim", "\"floor\" | 1", "\t Type: \"floor\" | 1\n"},
        {'u', 0, 0, "\t room.plim", "\"floor\" | 1", nullptr},
        {'U', 0, 1, "\t room.plim", "\"\" | -1", "\t Type: -1\n"},
        {'E', 0, 0, "\t room.plim", "index : 0", "\t Triangle: 0 of 2"},
        {'T', 0, 1, "\t room.plim", "triangle : 1", "\t Triangle: 1 of 2"},
        {'T', 0, 5, "\t room.plim", "triangle : 5", nullptr}, // beyond the polygon map
        {'P', 3, 0, "\t ?", "polygon : 0", nullptr},          // entity beyond the flat list
        {'!', 0, 0, "\t room.plim", "0", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.entity << " " << c.triangle);
        const InspectionLines lines = format_inspection_lines(&list, c.entity, c.triangle, c.mode);
        EXPECT_TRUE(lines.picked);
        EXPECT_EQ(lines.title, c.title);
        EXPECT_EQ(lines.text, c.hint);
        if (c.report != nullptr) {
            const std::string text = format_llmi_report(&list, 0, c.triangle, c.mode).text;
            const std::size_t after = text.find("| 0\n") + 4;
            EXPECT_EQ(text.compare(after, std::string(c.report).size(), c.report), 0) << text;
        }
    }
}

TEST_F(InspectionTextTest, ReportListsTheTriangleAndMarksMissingDataWithQuestionMarks)
{
    const LlmiReport report = format_llmi_report(&list, 0, 1, 'P');
    ASSERT_TRUE(report.shown);
    EXPECT_EQ(report.title, "LLMI:[P] \t Polygon Picking-Mode");
    const std::string rule = "----------------------------------------------\n";
    EXPECT_EQ(report.text, rule + "LLMI \t Low-Level-Mesh-Inspector\n" + rule +
                               "\t Entity: room.plim | 0\n"
                               "\t Polygon: 9 of 10\n"
                               "\t Triangle: 1 of 2 [0,2,3]\n"
                               "     V[0,0,0] C[1,0,0,1] N[?,?,?]\n"
                               "     V[1,1,0] C[0,0,1,0.25] N[?,?,?]\n"
                               "     V[0,1,0.5] C[?,?,?,?] N[?,?,?]\n");
}

// A miss clears the hint and no list shows raw indices; the report needs a
// mode and a pick inside the flat list.
TEST_F(InspectionTextTest, MissesAndPicksOutsideTheListShowNothing)
{
    EXPECT_FALSE(format_inspection_lines(&list, NO_PICK, 0, 'T').picked);
    EXPECT_FALSE(format_inspection_lines(&list, 0, NO_PICK, 'T').picked);
    EXPECT_FALSE(format_inspection_lines(&list, -1, 0, 'T').picked);
    const InspectionLines raw = format_inspection_lines(nullptr, 4, 2, 'P');
    EXPECT_EQ(raw.title, "entity \t 4");
    EXPECT_EQ(raw.text, "triangle : 2");
    Entity group = construct_entity();
    group.kind = ENTITY_GROUP;
    group.members = {nullptr};
    group.member_count = 1;
    list.entities.push_back(group);
    list.count = 2;
    EXPECT_FALSE(format_llmi_report(&list, 0, 0, '!').shown);
    EXPECT_FALSE(format_llmi_report(&list, 2, 0, 'T').shown); // the group's empty member slot
    EXPECT_FALSE(format_llmi_report(&list, 3, 0, 'T').shown);
    EXPECT_FALSE(format_llmi_report(&list, 0, -1, 'T').shown);
    EXPECT_FALSE(format_llmi_report(nullptr, 0, 0, 'T').shown);
    const LlmiReport no_triangle = format_llmi_report(&list, 0, 7, 'T');
    ASSERT_TRUE(no_triangle.shown);
    EXPECT_EQ(no_triangle.text.find("Triangle"), std::string::npos);
}

} // namespace
