// What every writer shares: which meshes are written, how transforms,
// missing arrays and bad indices are handled, and that header counts match
// the body. Checked mostly through the text forms.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "export_fixture.h"

namespace {

using Lines = std::vector<std::string>;

Lines lines_starting(const Lines& lines, const std::string& prefix)
{
    Lines found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                 [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return found;
}

// The lines after "end_header" of an ascii PLY file.
Lines ply_body(const Lines& lines)
{
    const auto end = std::find(lines.begin(), lines.end(), "end_header");
    return end == lines.end() ? Lines{} : Lines(end + 1, lines.end());
}

class ExportFrame : public ::testing::Test {
protected:
    Scene scene;
    ScratchDir scratch;

    Lines obj_lines(std::int32_t topology, bool normals, bool colours)
    {
        EXPECT_TRUE(write_obj(scene.list, scratch.path("s.obj"), topology, normals, colours));
        return read_lines(scratch.path("s.obj"));
    }
    Lines ply_lines(std::int32_t topology, bool normals, bool colours)
    {
        EXPECT_TRUE(
            write_ply(scene.list, scratch.path("s.ply"), topology, normals, colours, false));
        return read_lines(scratch.path("s.ply"));
    }
    Lines stl_normals()
    {
        EXPECT_TRUE(write_stl(scene.list, scratch.path("s.stl"), false));
        return lines_starting(read_lines(scratch.path("s.stl")), "facet normal ");
    }
};

TEST_F(ExportFrame, OnlyMeshesAreWrittenAndGroupMembersFollowTheGroupTransform)
{
    scene.add(construct_entity_as_group(true)); // no members
    scene.add(construct_entity());              // never assembled: no mesh
    Entity& group = scene.add(make_group_entity({triangle_arrays(), triangle_arrays()}));
    group.translation = {0.0, 0.0, 5.0};
    group.members[0]->visible = 0;                     // a member's own visibility
    group.members[1]->translation = {100.0, 0.0, 0.0}; // and transform are not used

    const auto lines = obj_lines(3, false, false);
    EXPECT_EQ(lines_starting(lines, "v "),
              (Lines{"v 0 0 5", "v 1 0 5", "v 0 1 5", "v 0 0 5", "v 1 0 5", "v 0 1 5"}));
    EXPECT_EQ(lines_starting(lines, "f"), (Lines{"f 1 2 3", "f 4 5 6"}));
    EXPECT_EQ(lines_starting(obj_lines(0, false, false), "f"), (Lines{"f  1 2 3", "f  4 5 6"}));
}

TEST_F(ExportFrame, MissingNormalsAndColoursGetNeutralValues)
{
    MeshArrays partial = triangle_arrays();
    partial.polygon_normals = {0, 0, 1}; // only the first vertex has one
    partial.colours = {0.5, 0.5, 0.5, 0.5};
    scene.add(make_single_entity(partial));

    const auto obj = obj_lines(0, true, true);
    EXPECT_EQ(lines_starting(obj, "v "),
              (Lines{"v 0 0 0 0.5 0.5 0.5", "v 1 0 0 1 1 1", "v 0 1 0 1 1 1"}));
    EXPECT_EQ(lines_starting(obj, "vn "), (Lines{"vn 0 0 1", "vn 0 0 0", "vn 0 0 0"}));
    const auto body = ply_body(ply_lines(3, true, true)); // no triangle normals at all
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(body[0], "0 0 0 0 0 0 127 127 127 127");
    EXPECT_EQ(body[1], "1 0 0 0 0 0 255 255 255 255");
}

TEST_F(ExportFrame, ColoursAreClampedBeforeConversion)
{
    MeshArrays odd = triangle_arrays();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    odd.colours = {nan, -0.5, 2.0, 1.0, 0.999, 0.5, 0.25, 0.0, 1, 1, 1, 1};
    scene.add(make_single_entity(odd));

    const auto body = ply_body(ply_lines(3, false, true));
    EXPECT_EQ(body[0], "0 0 0 0 0 255 255");
    EXPECT_EQ(body[1], "1 0 0 254 127 63 0");
    EXPECT_EQ(lines_starting(obj_lines(3, false, true), "v ")[0], "v 0 0 0 0 0 1");
}

TEST_F(ExportFrame, FacesNamingMissingVerticesAreSkippedAndNotCounted)
{
    MeshArrays broken = triangle_arrays();
    broken.triangle_indices = {0, 1, 2, 0, 1, 7, 2, 1, 0, 1};  // a bad triangle and a stray index
    broken.polygon_stream = {3, 3, 3, 9, 0, 1, 2, 0, 1, 5, 2}; // second bad, third cut short
    scene.add(make_single_entity(broken));

    const auto triangles = ply_lines(3, false, false);
    EXPECT_EQ(lines_starting(triangles, "element face "), (Lines{"element face 2"}));
    const auto body = ply_body(triangles);
    EXPECT_EQ(Lines(body.begin() + 3, body.end()), (Lines{"3 0 1 2", "3 2 1 0"}));
    const auto polygons = ply_lines(0, false, false);
    EXPECT_EQ(lines_starting(polygons, "element face "), (Lines{"element face 1"}));
    EXPECT_EQ(ply_body(polygons).back(), "3 0 1 2");
}

TEST_F(ExportFrame, TwoDimensionalMeshesGetZeroDepth)
{
    MeshArrays flat;
    flat.dimension = 2;
    flat.positions = {0, 0, 4, 0, 0, 3};
    flat.triangle_indices = {0, 1, 2};
    scene.add(make_single_entity(flat));

    const auto lines = obj_lines(3, false, false);
    EXPECT_EQ(lines_starting(lines, "v "), (Lines{"v 0 0 0", "v 4 0 0", "v 0 3 0"}));
    EXPECT_EQ(lines_starting(lines, "#   - vertex : "), (Lines{"#   - vertex : 3"}));
}

TEST_F(ExportFrame, TransformMovesPositionsAndNormalsButNeverColours)
{
    MeshArrays triangle = triangle_arrays();
    triangle.triangle_normals = {1, 1, 0, 1, 1, 0, 1, 1, 0};
    triangle.colours = {0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 1};
    Entity& entity = scene.add(make_single_entity(triangle));
    entity.axis_scale = {2.0, 1.0, 1.0};
    entity.translation = {0.0, 1.0, 0.0};

    const auto lines = obj_lines(3, true, true);
    EXPECT_EQ(lines_starting(lines, "v "),
              (Lines{"v 0 1 0 0.5 0.5 0.5", "v 2 1 0 0.5 0.5 0.5", "v 0 2 0 0.5 0.5 0.5"}));
    // Normals take the inverse scale, then unit length: (0.5, 1, 0) / |(0.5, 1, 0)|.
    EXPECT_EQ(lines_starting(lines, "vn ")[0], "vn 0.447214 0.894427 0");
}

TEST_F(ExportFrame, MirroringTransformReversesFaceOrderAndDoubleMirrorKeepsIt)
{
    Entity& entity = scene.add(make_single_entity(triangle_arrays()));
    entity.axis_scale = {-1.0, 1.0, 1.0};
    EXPECT_EQ(ply_body(ply_lines(3, false, false)).back(), "3 2 1 0");
    EXPECT_EQ(ply_body(ply_lines(0, false, false)).back(), "3 2 1 0");
    EXPECT_EQ(stl_normals(), (Lines{"facet normal 0 0 1"}));
    entity.axis_scale = {-1.0, -1.0, 1.0};
    EXPECT_EQ(ply_body(ply_lines(3, false, false)).back(), "3 0 1 2");
}

// STL facet normals come from the corner positions, in the corner order.
TEST_F(ExportFrame, StlFacetNormalsFollowCornerOrderAndDegenerateOnesAreZero)
{
    MeshArrays odd;
    odd.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0, 2, 2, 2, 4, 4, 4};
    odd.triangle_indices = {0, 1, 2, 0, 2, 1, 3, 3, 3, 0, 3, 4}; // ccw, cw, one point, one line
    scene.add(make_single_entity(odd));
    EXPECT_EQ(stl_normals(), (Lines{"facet normal 0 0 1", "facet normal 0 0 -1",
                                    "facet normal 0 0 0", "facet normal 0 0 0"}));
}

TEST_F(ExportFrame, OtherTopologiesWriteVerticesButNoFaces)
{
    scene.add(make_single_entity(triangle_arrays()));
    const auto lines = obj_lines(4, true, false);
    EXPECT_EQ(lines_starting(lines, "#   - topology : "), (Lines{"#   - topology : 4 (quads)"}));
    EXPECT_EQ(lines_starting(lines, "#   - faces : "), (Lines{"#   - faces : 0"}));
    EXPECT_EQ(lines_starting(lines, "vn ").size(), 3u);
    EXPECT_TRUE(lines_starting(lines, "f").empty());
    EXPECT_EQ(lines_starting(obj_lines(7, false, false), "#   - topology : "),
              (Lines{"#   - topology : 7 (points)"}));
}

TEST_F(ExportFrame, AllHiddenGivesHeadersWithZeroCounts)
{
    set_entity_visible(scene.add(make_single_entity(triangle_arrays())), false);
    const auto obj = obj_lines(3, true, true);
    EXPECT_EQ(obj.size(), 9u);
    EXPECT_EQ(obj[3], "#   - vertex : 0");
    ASSERT_TRUE(write_off(scene.list, scratch.path("e.off"), 0, false, false, false));
    const auto off = read_lines(scratch.path("e.off"));
    EXPECT_EQ(off.front(), "OFF");
    EXPECT_EQ(off.back(), "0 0 0");
    EXPECT_TRUE(stl_normals().empty());
    EXPECT_EQ(read_file_bytes(scratch.path("s.stl")), "solid object\nendsolid object\n");
}

TEST_F(ExportFrame, LongPolygonsKeepEveryIndexInBinaryForms)
{
    MeshArrays ring;
    std::vector<std::uint32_t> polygon;
    for (std::uint32_t k = 0; k < 40; ++k) {
        ring.positions.insert(ring.positions.end(),
                              {std::cos(k * 0.157), std::sin(k * 0.157), 0.0});
        polygon.push_back(k);
    }
    ring.polygon_stream = polygon_stream_of({polygon});
    scene.add(make_single_entity(ring));

    // Each face record: count, indices and (OFF only) a colour count of 0.
    const auto record_bytes = [&](bool big_endian, bool colour_count) {
        std::string bytes;
        std::vector<std::uint32_t> words{40};
        words.insert(words.end(), polygon.begin(), polygon.end());
        if (colour_count) words.push_back(0);
        for (std::uint32_t word : words) {
            for (int i = 0; i < 4; ++i)
                bytes.push_back(char(word >> (big_endian ? 24 - 8 * i : 8 * i)));
        }
        return bytes;
    };
    ASSERT_TRUE(write_ply(scene.list, scratch.path("r.ply"), 0, false, false, true));
    const std::string ply = read_file_bytes(scratch.path("r.ply"));
    EXPECT_EQ(ply.substr(ply.size() - 41 * 4), record_bytes(false, false));
    ASSERT_TRUE(write_off(scene.list, scratch.path("r.off"), 0, false, false, true));
    const std::string off = read_file_bytes(scratch.path("r.off"));
    EXPECT_EQ(off.size(), std::string("OFF BINARY\n").size() + 3 * 4 + 40 * 12 + 42 * 4);
    EXPECT_EQ(off.substr(off.size() - 42 * 4), record_bytes(true, true));
}

TEST_F(ExportFrame, OffKeywordNamesTheAttributes)
{
    scene.add(make_single_entity(triangle_arrays()));
    const std::string path = scratch.path("k.off");
    const char* keywords[] = {"OFF", "COFF", "NOFF", "CNOFF"}; // index: normals * 2 + colours
    for (int i = 0; i < 8; ++i) {
        const bool binary = i >= 4;
        ASSERT_TRUE(write_off(scene.list, path, 3, i & 2, i & 1, binary));
        EXPECT_EQ(read_lines(path).front(),
                  std::string(keywords[i % 4]) + (binary ? " BINARY" : ""));
    }
}

} // namespace
