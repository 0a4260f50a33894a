#include "render/colour_functions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The unit square in the xy plane as two triangles (0 1 2) and (0 2 3), each
// also a polygon; polygon 0 has face id 1, polygon 1 face id 3.
std::unique_ptr<Mesh> square()
{
    auto mesh = std::make_unique<Mesh>();
    mesh->dimension = 3;
    mesh->vertex_data = new F64Array{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    mesh->index_data = new U32Array{2, 3, 3, 0, 1, 2, 0, 2, 3};
    mesh->triangle_indices = new U32Array{0, 1, 2, 0, 2, 3};
    mesh->face_ids = new U32Array{1, 3};
    mesh->vertex_colours = new F64Array{1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 0.5};
    return mesh;
}

using Rgb = std::array<int, 3>;

Rgb rgb(const Mesh& mesh, std::size_t v)
{
    const U8Array& b = *mesh.vertex_colour_bytes;
    return {b[v * 4], b[v * 4 + 1], b[v * 4 + 2]};
}

// Settings colouring by `function` on the full-range scheme.
ColourSettings by_function(ColourModeId function)
{
    ColourSettings settings;
    settings.scheme = 3;
    settings.function = function;
    return settings;
}

Rgb g(int level) // a grey
{
    return {level, level, level};
}

void expect_near(const Rgb& got, const Rgb& want, const char* what, std::size_t v)
{
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(got[c], want[c], 1) << what << " vertex " << v << " channel " << c;
}

TEST(ColourFunctions, KnownValuesAtKnownVertices)
{
    struct FunctionCase {
        const char* name;
        ColourModeId function;
        bool multi_channel;
        std::array<Rgb, 4> expected;
    };
    using C = ColourModeId;
    const Rgb red{255, 0, 0}, rose{255, 0, 153}, facing_z{127, 127, 255};
    const Rgb face_1{191, 63, 127}, face_3{255, 191, 0}, element_2{127, 191, 63};
    const FunctionCase cases[] = {
        {"elevation", C::ELEVATION, false, {g(0), g(0), g(255), g(255)}},
        {"elevation hue", C::ELEVATION, true, {red, red, rose, rose}},
        // Eye at (0, 0, 2): distances 2, sqrt 5, sqrt 6, sqrt 5.
        {"depth", C::DEPTH, false, {g(0), g(134), g(255), g(134)}},
        {"normal", C::NORMAL, true, {facing_z, facing_z, facing_z, facing_z}},
        {"verticality", C::VERTICALITY, false, {g(255), g(255), g(255), g(255)}},
        {"planarity", C::PLANARITY, false, {g(0), g(0), g(0), g(0)}},
        {"curvature", C::CURVATURE, false, {g(0), g(0), g(0), g(0)}},
        // Right isosceles triangles: 4 sqrt 3 x 0.5 / 4 = 0.866.
        {"quality", C::QUALITY, false, {g(220), g(220), g(220), g(220)}},
        {"valence ngon", C::VALENCE_NGON, false, {g(255), g(127), g(255), g(127)}},
        {"valence tess", C::VALENCE_TESS, false, {g(255), g(127), g(255), g(127)}},
        {"order", C::DECLARATION_ORDER, false, {g(0), g(85), g(170), g(255)}},
        // Ids through the entity palette; a vertex takes the last polygon's id.
        {"face id", C::FACEID, false, {face_1, face_3, face_1, face_1}},
        {"operand (missing)", C::OPERAND, false, {g(127), g(127), g(127), g(127)}},
        {"element id 2", C::ELEMENTID, false, {element_2, element_2, element_2, element_2}},
        {"batch id none", C::BATCHID, false, {g(127), g(127), g(127), g(127)}},
    };
    for (const FunctionCase& c : cases) {
        auto mesh = square();
        mesh->result_index = 2;
        ColourSettings settings = by_function(c.function);
        settings.multi_channel = c.multi_channel;
        settings.eye = {0.0, 0.0, 2.0};
        apply_colour_function(settings, *mesh);
        ASSERT_EQ(mesh->vertex_colour_bytes->size(), 16u) << c.name;
        for (std::size_t v = 0; v < 4; ++v)
            expect_near(rgb(*mesh, v), c.expected[v], c.name, v);
        EXPECT_EQ(mesh->colours_pending, 1) << c.name;
    }
}

TEST(ColourFunctions, NegateInversionTransparencyAndSchemes)
{
    auto mesh = square();
    ColourSettings settings = by_function(ColourModeId::ELEVATION);
    settings.multi_channel = false;
    settings.negate = true;
    apply_colour_function(settings, *mesh);
    expect_near(rgb(*mesh, 0), {255, 255, 255}, "negated elevation", 0);
    settings.negate = false;
    settings.inverted = true;
    settings.transparent = true;
    apply_colour_function(settings, *mesh);
    expect_near(rgb(*mesh, 0), {255, 255, 255}, "inverted elevation", 0);
    EXPECT_EQ((*mesh->vertex_colour_bytes)[3], TRANSPARENT_ALPHA);
    // Back to the mesh's own colours and alpha: the settings undo themselves.
    settings = ColourSettings{};
    apply_colour_function(settings, *mesh);
    EXPECT_EQ(*mesh->vertex_colour_bytes,
              (U8Array{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 127}));
    settings.scheme = 1;
    apply_colour_function(settings, *mesh);
    expect_near(rgb(*mesh, 2), {63, 63, 63}, "dark", 2);
}

TEST(ColourFunctions, MissingOrBrokenArraysGiveGreyWithoutReadingPastThem)
{
    auto mesh = square();
    // A triangle naming vertex 9 and a polygon running past the stream.
    *mesh->triangle_indices = {0, 1, 9, 0, 2, 3};
    *mesh->index_data = {2, 3, 7, 0, 1, 2};
    delete mesh->vertex_colours;
    mesh->vertex_colours = new F64Array{1, 0, 0}; // shorter than one vertex
    const ColourModeId all[] = {ColourModeId::NORMAL,    ColourModeId::QUALITY,
                                ColourModeId::PLANARITY, ColourModeId::VALENCE_NGON,
                                ColourModeId::CURVATURE, ColourModeId::FACEID};
    for (ColourModeId function : all) {
        apply_colour_function(by_function(function), *mesh);
        EXPECT_EQ(mesh->vertex_colour_bytes->size(), 16u);
    }
    ColourSettings own;
    apply_colour_function(own, *mesh);
    expect_near(rgb(*mesh, 0), {255, 0, 0}, "own colour without alpha", 0);
    EXPECT_EQ((*mesh->vertex_colour_bytes)[3], 255);
    expect_near(rgb(*mesh, 1), {127, 127, 127}, "beyond the own colours", 1);
    // Vertex 1 lies only in the dropped triangle: no quality, grey.
    ColourSettings quality = by_function(ColourModeId::QUALITY);
    quality.multi_channel = false;
    apply_colour_function(quality, *mesh);
    expect_near(rgb(*mesh, 1), {127, 127, 127}, "no triangle", 1);
}

TEST(ColourFunctions, PaletteInBothColourSpaces)
{
    const auto grey = build_function_palette(false);
    const auto hue = build_function_palette(true);
    EXPECT_EQ(std::tuple(grey[0], grey[5], hue[0]),
              std::tuple(0xFF000000u, 0xFF7F7F7Fu, 0xFFFF0000u));
    EXPECT_EQ(hue[9] & 0xFFFFFF00u, 0xFFFF0000u) << "hue 0.9: red with some blue";
    EXPECT_NEAR(static_cast<int>(hue[9] & 0xFFu), 153, 1);
    for (std::uint32_t swatch : hue)
        EXPECT_EQ(swatch >> 24, 0xFFu);
}

} // namespace
