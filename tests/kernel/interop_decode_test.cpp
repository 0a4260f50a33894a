#include "kernel/interop_decode.h"
#include "tests/kernel/interop_bytes.h"

#include <gtest/gtest.h>

namespace {

using U32 = std::vector<std::uint32_t>;
using U16 = std::vector<std::uint16_t>;

std::optional<std::vector<InteropMeshData>> decode(const std::vector<std::uint8_t>& bytes)
{
    return decode_interop_bytes(bytes.data(), bytes.size());
}

// One 2-D triangle, 32-bit indices, named "tri": every byte written out.
const std::vector<std::uint8_t> k_triangle_file = {
    0x01, 0x00, 0x00, 0x00,                                                    // N = 1
    0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                            // H1 = 6, H2 = 0
    0x07, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,                            // H3 = 7, H4 = 2
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,    0, // H5 - H8
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0,                // H9 - H11
    0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                            // H12 = 3, H13 = 0
    0x01, 0x00, 0x00, 0x00,                                                    // H14 = 1
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0,                // H15 - H17
    0x01, 0x00, 0x00, 0x00,                                                    // H18 = 1: 32-bit
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,    0, // H19 - H22
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,    0, // H23 - H26
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,    0, // H27 - H30
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0,                // H31 - H33
    0x03, 0x00, 0x00, 0x00,                                                    // H34 = 3
    0,    0,    0,    0,    0,    0,    0,    0,                               // H35, H36
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,    0, // (0, 0)
    0,    0,    0,    0,    0,    0,    0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0,    0, // (1, 0)
    0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0xF0, 0x3F, // (0, 1)
    0,    0,    0,    0,    1,    0,    0,    0,    2, 0, 0, 0,                   // triangle 0 1 2
    0,    0,    0,    0,                                                          // its polygon 0
    't',  'r',  'i'};

// A 3-D quad of four vertices with two triangles and 32-bit indices, the
// base of the header-count cases.
HeaderFields quad_header(std::initializer_list<std::pair<int, std::int32_t>> fields = {})
{
    return with_fields(fields, with_fields({{1, 12}, {4, 3}, {12, 6}, {18, 1}}));
}

// The mesh count 1, the header and `values` doubles of `value`.
InteropBytes start_file(const HeaderFields& h, int values, double value = 0.0)
{
    InteropBytes file;
    file.i32(1).header(h);
    for (int i = 0; i < values; ++i)
        file.f64(value);
    return file;
}

InteropBytes& quad_triangles(InteropBytes& file, std::uint32_t last = 3)
{
    for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, last})
        file.u32(i);
    return file;
}

InteropBytes quad_file(const HeaderFields& h)
{
    InteropBytes file = start_file(h, 0);
    for (double v : {0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0})
        file.f64(v);
    return quad_triangles(file);
}

} // namespace

TEST(InteropDecode, ReadsTheHandWrittenTriangleAndAnEmptyList)
{
    ASSERT_EQ(k_triangle_file.size(), 4u + 144u + 48u + 12u + 4u + 3u);
    auto meshes = decode(k_triangle_file);
    ASSERT_TRUE(meshes);
    ASSERT_EQ(meshes->size(), 1u);
    const InteropMeshData& mesh = meshes->front();
    EXPECT_EQ(mesh.vertex_data, (std::vector<double>{0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(mesh.header_h3, 7u);
    EXPECT_EQ(mesh.dimension, 2u);
    EXPECT_EQ(mesh.triangle_indices, (U32{0, 1, 2}));
    EXPECT_EQ(mesh.triangle_polygons, (U32{0}));
    EXPECT_EQ(mesh.mesh_name, "tri");
    EXPECT_TRUE(mesh.index_data.empty());
    EXPECT_TRUE(mesh.vertex_colours.empty());
    EXPECT_TRUE(mesh.vertex_colour_bytes.empty());
    EXPECT_FALSE(mesh.has_aux_count);

    for (std::size_t length = 0; length < k_triangle_file.size(); ++length)
        EXPECT_FALSE(decode({k_triangle_file.begin(), k_triangle_file.begin() + length}))
            << "length " << length;

    InteropBytes empty;
    empty.i32(0).header(HeaderFields{}); // padding to the minimum size
    meshes = decode(empty.bytes);
    ASSERT_TRUE(meshes) << "zero meshes is a result, not a failure";
    EXPECT_TRUE(meshes->empty());
}

TEST(InteropDecode, SixteenBitFilesWidenIndicesAndKeepRawEdgesAndGroups)
{
    // A polygon stream of one triangle, plain edge lists 1 and 3, 16-bit
    // indices (H18 = 0), group J without items, group K of one item with
    // three values and one local index.
    const HeaderFields h = with_fields(
        {{1, 9}, {2, 4}, {4, 3}, {12, 3}, {15, 2}, {17, 4}, {18, 0}, {21, 1}, {22, 3}, {23, 1}});
    InteropBytes file;
    file.i32(1).header(h);
    for (int i = 0; i < 9; ++i)
        file.f64(i);
    file.u16(1).u16(3).u16(0).u16(2);        // polygon stream
    file.u16(2).u16(1).u16(0);               // triangle
    file.u16(0).u16(1);                      // edge list 1
    file.u16(1).u16(2).u16(2).u16(0);        // edge list 3
    file.u32(0).u32(1).u32(2).u32(0).u32(1); // K values and local counts
    file.u16(0);                             // K local index
    auto meshes = decode(file.bytes);
    ASSERT_TRUE(meshes);
    const InteropMeshData& mesh = meshes->front();
    EXPECT_EQ(mesh.index_data, (U32{1, 3, 0, 2}));
    EXPECT_EQ(mesh.triangle_indices, (U32{2, 1, 0}));
    EXPECT_EQ(mesh.edge_pairs_1_16, (U16{0, 1}));
    EXPECT_TRUE(mesh.edge_pairs_2_16.empty());
    EXPECT_EQ(mesh.edge_pairs_3_16, (U16{1, 2, 2, 0}));
    EXPECT_TRUE(mesh.edge_pairs_1.empty());
    EXPECT_EQ(mesh.index_groups[1].item_count, 1);
    EXPECT_EQ(mesh.index_groups[1].values, (U32{0, 1, 2}));
    EXPECT_EQ(mesh.index_groups[1].local_counts, (U32{0, 1}));
    EXPECT_EQ(mesh.index_groups[1].local_indices, (U16{0}));
}

TEST(InteropDecode, ThirtyTwoBitFilesDecodeAndDeduplicateEdgeGroups)
{
    // A plain list that 32-bit files pass over; K with pairs (0,1) (1,0)
    // (2,3), L with (3,2) (1,2), M with (2,3) twice.
    InteropBytes file = quad_file(quad_header({{15, 2},
                                               {21, 1},
                                               {22, 6},
                                               {23, 6},
                                               {24, 1},
                                               {25, 6},
                                               {26, 4},
                                               {27, 1},
                                               {28, 4},
                                               {29, 4}}));
    file.u32(9).u32(9);                                           // plain list, skipped
    file.u32(0).u32(4).u32(0).u32(1).u32(2).u32(3).u32(0).u32(6); // K values, local counts
    for (std::uint16_t l : {0, 1, 1, 0, 2, 3})
        file.u16(l);
    file.u32(0).u32(4).u32(3).u32(2).u32(1).u32(2).u32(0).u32(4); // L
    for (std::uint16_t l : {0, 1, 2, 3})
        file.u16(l);
    file.u32(0).u32(2).u32(2).u32(3).u32(0).u32(4); // M
    for (std::uint16_t l : {0, 1, 0, 1})
        file.u16(l);
    auto meshes = decode(file.bytes);
    ASSERT_TRUE(meshes);
    const InteropMeshData& mesh = meshes->front();
    EXPECT_EQ(mesh.edge_pairs_3, (U32{2, 3, 2, 3})); // list 3 stays whole
    EXPECT_EQ(mesh.edge_pairs_1, (U32{0, 1}));       // reverse and list-3 edge dropped
    EXPECT_EQ(mesh.edge_pairs_2, (U32{1, 2}));
    EXPECT_TRUE(mesh.edge_pairs_1_16.empty());
    for (const InteropIndexGroup& group : mesh.index_groups) {
        EXPECT_EQ(group.item_count, 0);
        EXPECT_TRUE(group.values.empty());
    }
}

TEST(InteropDecode, PaletteIndexWidthFollowsThePaletteSize)
{
    struct Case {
        std::int32_t palette_values;
        int index_bytes;
    };
    for (Case c : {Case{1020, 1}, Case{1024, 2}, Case{262144, 4}}) {
        InteropBytes file = start_file(quad_header({{12, 0}, {6, c.palette_values}}), 12);
        for (std::int32_t i = 0; i < c.palette_values; ++i)
            file.f64(i < 4 ? 1.0 : 0.5); // colour 0 white, the rest half
        for (std::uint8_t colour : {0, 1, 0, 1})
            c.index_bytes == 1   ? file.u8(colour)
            : c.index_bytes == 2 ? file.u16(colour)
                                 : file.u32(colour);
        auto meshes = decode(file.bytes);
        ASSERT_TRUE(meshes) << c.palette_values;
        const InteropMeshData& mesh = meshes->front();
        ASSERT_EQ(mesh.vertex_colours.size(), 16u);
        EXPECT_EQ(mesh.vertex_colours[0], 1.0);
        EXPECT_EQ(mesh.vertex_colours[4], 0.5);
        ASSERT_EQ(mesh.vertex_colour_bytes.size(), 16u);
        EXPECT_EQ(mesh.vertex_colour_bytes[3], 255);
        EXPECT_EQ(mesh.vertex_colour_bytes[7], 127);
    }
}

TEST(InteropDecode, SignBytesNegateOnlyTheirOwnPolygonNormal)
{
    InteropBytes file = start_file(quad_header({{5, 12}, {13, 3}}),
                                   12); // four normals, three of them polygon normals
    for (int n = 0; n < 4; ++n)
        file.f64(1.0).f64(2.0).f64(3.0);
    quad_triangles(file).u8(0xFF).u8(0).u8(1); // -1, 0, 1
    auto meshes = decode(file.bytes);
    ASSERT_TRUE(meshes);
    EXPECT_EQ(meshes->front().polygon_normals, (std::vector<double>{-1, -2, -3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(meshes->front().normal_data.size(), 12u);
}

TEST(InteropDecode, CarriesTrailerValuesAndSkipsTheSkippedOnes)
{
    // Aux count 5, two skipped values, one extra, a name, label words and text.
    InteropBytes file =
        quad_file(quad_header({{30, 5}, {31, 2}, {32, 1}, {34, 2}, {35, 1}, {36, 3}}));
    file.u32(111).u32(222).u32(333).text("nm").u32(44).u32(55).text("abc");
    auto meshes = decode(file.bytes);
    ASSERT_TRUE(meshes);
    const InteropMeshData& mesh = meshes->front();
    EXPECT_EQ(mesh.aux_count, 5);
    EXPECT_TRUE(mesh.has_aux_count);
    EXPECT_EQ(mesh.extra_values, (U32{333}));
    EXPECT_EQ(mesh.mesh_name, "nm");
    EXPECT_EQ(mesh.label_words_1, (U32{44}));
    EXPECT_EQ(mesh.label_words_2, (U32{55}));
    EXPECT_EQ(mesh.label_text, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

TEST(InteropDecode, RejectsCountsThatDoNotHoldTogether)
{
    struct Case {
        const char* what;
        int field;
        std::int32_t value;
    };
    const Case cases[] = {
        {"negative vertex values", 1, -12},
        {"negative skipped count", 31, -1},
        {"negative label words", 35, -4},
        {"dimension zero", 4, 0},
        {"negative dimension", 4, -3},
        {"more polygon normals than normals", 13, 1},
        {"more vertex values than bytes", 1, 1 << 28},
        {"name longer than the file", 34, 1000},
        {"triangle entries not in threes", 12, 5},
        {"negative group item count", 21, -1},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(decode(quad_file(quad_header({{c.field, c.value}})).bytes)) << c.what;
    for (std::int32_t count : {-1, 0x7FFFFFFF}) {
        InteropBytes file;
        file.i32(count).header(quad_header());
        EXPECT_FALSE(decode(file.bytes)) << "mesh count " << count;
    }
}

TEST(InteropDecode, RejectsIndicesOutsideTheirTables)
{
    InteropBytes vertex_oob = start_file(quad_header(), 12);
    EXPECT_FALSE(decode(quad_triangles(vertex_oob, 4).bytes)) << "triangle index 4 of 4 vertices";

    // Two colours, then half a colour: no palette index can be inside.
    for (std::int32_t palette_values : {8, 2}) {
        InteropBytes file =
            start_file(quad_header({{6, palette_values}}), 12 + palette_values, 0.5);
        file.u8(0).u8(palette_values == 8 ? 1 : 0).u8(palette_values == 8 ? 2 : 0).u8(0);
        EXPECT_FALSE(decode(quad_triangles(file).bytes)) << "palette of " << palette_values;
    }
}

TEST(InteropDecode, RejectsEdgeListsThatDoNotHoldTogether)
{
    struct Case {
        const char* what;
        U32 values;
        U32 local_counts;
        U16 locals;
    };
    const Case cases[] = {
        {"local index outside its item", {0, 2, 0, 1}, {0, 2}, {0, 2}},
        {"decoded index outside the vertices", {0, 2, 0, 4}, {0, 2}, {0, 1}},
        {"odd edge list", {0, 3, 0, 1, 2}, {0, 3}, {0, 1, 2}},
        {"local counts past the locals", {0, 2, 0, 1}, {0, 3}, {0, 1}},
        {"local counts short of the locals", {0, 2, 0, 1}, {0, 2}, {0, 1, 0, 1}},
        {"item values past the table", {0, 5, 0, 1}, {0, 2}, {0, 1}},
    };
    for (const Case& c : cases) {
        InteropBytes file =
            quad_file(quad_header({{21, 1},
                                   {22, static_cast<std::int32_t>(c.values.size())},
                                   {23, static_cast<std::int32_t>(c.locals.size())}}));
        for (std::uint32_t v : c.values)
            file.u32(v);
        for (std::uint32_t o : c.local_counts)
            file.u32(o);
        for (std::uint16_t l : c.locals)
            file.u16(l);
        EXPECT_FALSE(decode(file.bytes)) << c.what;
    }

    InteropBytes file =
        start_file(quad_header({{18, 0}, {16, 3}}), 12); // an odd plain list in a 16-bit file
    for (std::uint16_t i : {0, 1, 2, 0, 2, 3, 0, 1, 2})
        file.u16(i);
    EXPECT_FALSE(decode(file.bytes)) << "odd plain edge list";
}
