#include "evaluator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Evaluation evaluated(const std::string& logic)
{
    Evaluation evaluation = evaluate_script(logic);
    EXPECT_TRUE(evaluation.ok) << logic << ": " << evaluation.error;
    return evaluation;
}

std::string failure(const std::string& logic)
{
    const Evaluation evaluation = evaluate_script(logic);
    EXPECT_FALSE(evaluation.ok) << logic;
    EXPECT_EQ(evaluation.mesh, nullptr);
    return evaluation.error;
}

TEST(Evaluator, PrimitivesHaveFixedCounts)
{
    struct Count {
        const char* script;
        size_t vertices;
        size_t polygons;
    };
    for (const Count& count :
         {Count{"return cube;", 8, 6}, Count{"return mcube;", 24, 6},
          Count{"return bcube(1, 0.1);", 8, 6}, Count{"return rcube(1, 2, 3, 0.1, 8);", 8, 6},
          Count{"return sphere(1);", 86, 96}, Count{"return cylinder(1, 2, 16);", 32, 18},
          Count{"return cone(1, 2, 16);", 17, 17},
          Count{"return torus(1, 0.25, 16, 8);", 128, 128}}) {
        const Evaluation evaluation = evaluated(count.script);
        EXPECT_EQ(evaluation.mesh->positions.size(), count.vertices) << count.script;
        EXPECT_EQ(evaluation.mesh->polygons.size(), count.polygons) << count.script;
    }
}

// Front faces wind counter-clockwise seen from outside: a convex solid's
// polygons face away from its centre, the torus's along its vertex normals.
TEST(Evaluator, PrimitivesWindOutwardLikeTheirNormals)
{
    for (const auto& [script, convex] : {std::pair{"return cube;", true},
                                         {"return mcube;", true},
                                         {"return sphere(1);", true},
                                         {"return cylinder(1, 2, 16);", true},
                                         {"return cone(1, 2, 16);", true},
                                         {"return torus(1, 0.25, 16, 8);", false}}) {
        const Evaluation evaluation = evaluated(script);
        const Mesh& mesh = *evaluation.mesh;
        Vec3 centre{};
        for (const Vec3& p : mesh.positions)
            for (int k = 0; k < 3; ++k)
                centre[k] += p[k] / static_cast<double>(mesh.positions.size());
        for (const auto& polygon : mesh.polygons) {
            Vec3 winding{}, outward{}; // winding: the area-weighted normal by corner order
            for (std::size_t i = 0; i < polygon.size(); ++i) {
                const Vec3& a = mesh.positions[polygon[i]];
                const Vec3& b = mesh.positions[polygon[(i + 1) % polygon.size()]];
                for (int k = 0; k < 3; ++k) {
                    const int u = (k + 1) % 3, v = (k + 2) % 3;
                    winding[k] += (a[u] - b[u]) * (a[v] + b[v]);
                    outward[k] += convex ? a[k] - centre[k] : mesh.normals[polygon[i]][k];
                }
            }
            ASSERT_GT(winding[0] * outward[0] + winding[1] * outward[1] + winding[2] * outward[2],
                      0.0)
                << script << " polygon " << (&polygon - mesh.polygons.data());
        }
    }
}

// Methods change their mesh in place, duo copies, parameters bind with later
// bindings winning, and a parallel script assembled whole joins its elements.
TEST(Evaluator, ScriptsGiveTheirVertexCountAndFirstVertex)
{
    struct Case {
        const char* script;
        std::size_t vertices;
        Vec3 first; // NaN: not checked
    };
    const double any = std::nan("");
    const Case cases[] = {
        {"a = cube; a.tx(2); b = a.duo.ty(5); return a;", 8, {1.5, -0.5, -0.5}},
        {"a = cube.s(1, 2, 4); a.rx90; return a;", 8, {-0.5, 2, -1}}, // z became y
        {"INT n(4, 0, 10, 'Count');\nreturn cylinder(1, 1, n);", 8, {any, any, any}},
        {"INT n = 6;\nINT n(4, 0, 10);\nINT n = 5;\nreturn cylinder(1, 1, n * 2 - 5);",
         10,
         {any, any, any}},
        {"DBL k = 1.5e+00;\nreturn cube.s(k / 3);", 8, {-0.25, -0.25, -0.25}},
        {"#PARALLEL;\n#PRE{ k = 2; };\n#PLIM(a){ ret = cube.s(k); };\n#POSTFIX{ return ret; };\n"
         "return{ sub(0|a), sub(b){ ret = mcube; }, sub(a) };",
         8 + 24 + 8,
         {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        const Evaluation evaluation = evaluated(c.script);
        ASSERT_EQ(evaluation.mesh->positions.size(), c.vertices) << c.script;
        for (int k = 0; k < 3 && !std::isnan(c.first[0]); ++k)
            EXPECT_NEAR(evaluation.mesh->positions[0][k], c.first[k], 1e-12) << c.script << k;
    }

    const Evaluation coloured = evaluated("return cube.rgb(0.5) + cube.rgba(1, 0, 0, 0.5);");
    EXPECT_EQ(coloured.mesh->colours[0], (Rgba{0.5, 0.5, 0.5, 1}));
    EXPECT_EQ(coloured.mesh->colours[8], (Rgba{1, 0, 0, 0.5}));

    const Evaluation minus = evaluated("return cube - sphere(1);");
    EXPECT_EQ(minus.mesh->positions.size(), 8u) << "minus keeps the left mesh";
    ASSERT_EQ(minus.messages.size(), 1u);
    EXPECT_NE(minus.messages[0].find("keeps the left mesh"), std::string::npos);
}

TEST(Evaluator, OneTimingPerOperation)
{
    const Evaluation evaluation =
        evaluated("#PLIM(x){ return cube; };\nINT n = 3;\na = cube;\nreturn a;\nb = cube;");
    EXPECT_EQ(evaluation.function_lines.size(), 1u);
    ASSERT_EQ(evaluation.operation_ns.size(), 3u);
    EXPECT_GT(evaluation.operation_ns[0], 0);
    EXPECT_EQ(evaluation.operation_ns[2], 0); // after the return
}

TEST(Evaluator, FailuresExplainThemselves)
{
    const std::pair<const char*, const char*> cases[] = {
        {"return nosuch;", "does not parse"},
        {"return sphere;", "takes 1 argument"},
        {"return cube.rgb(1, 2);", "'rgb' takes 1 or 3"},
        {"a = 3; return a.tx(1);", "needs a mesh"},
        {"return 1 + 2;", "not a mesh"},
        {"return cube.s(\"big\");", "expects a number"},
        {"stub(\"fault\", \"nosuch\"); return cube;", "unknown fault"},
        {"stub(\"delay\", 20000); return cube;", "out of range"},
        {"stub(\"wobble\"); return cube;", "unknown kind"},
        {"#PARALLEL;\nreturn{ sub(missing) };", "no source for element 'missing'"},
        {"#PARALLEL;\n#PRE{ #PARALLEL; };\n#PLIM(x){ return{ sub(x) }; };\nreturn{ sub(x) };",
         "cannot be parallel itself"},
    };
    for (const auto& [logic, why] : cases)
        EXPECT_NE(failure(logic).find(why), std::string::npos) << logic;
}

} // namespace
