#include "model/entity_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

using Vec3 = std::array<double, 3>;

const char* const ROTATION_ORDERS[6] = {"xyz", "xzy", "yxz", "yzx", "zxy", "zyx"};
const char* const TRANSFORM_ORDERS[6] = {"RST", "RTS", "SRT", "STR", "TRS", "TSR"};

// Independent reference: a right-handed rotation about one coordinate axis,
// and the steps applied one after another as the order tables name them.
Vec3 rotate_about_axis(Vec3 p, int axis, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    const int j = (axis + 1) % 3, k = (axis + 2) % 3;
    const double pj = p[j], pk = p[k];
    p[j] = std::cos(a) * pj - std::sin(a) * pk;
    p[k] = std::sin(a) * pj + std::cos(a) * pk;
    return p;
}

Vec3 reference_point(const Entity& e, Vec3 p)
{
    for (const char step : std::string(TRANSFORM_ORDERS[e.transform_order])) {
        for (int i = 0; i < 3 && step != 'R'; ++i)
            p[i] = step == 'T' ? p[i] + e.translation[i] : p[i] * e.uniform_scale * e.axis_scale[i];
        for (const char axis : std::string(step == 'R' ? ROTATION_ORDERS[e.rotation_order] : ""))
            p = rotate_about_axis(p, axis - 'x', e.rotation_degrees[axis - 'x']);
    }
    return p;
}

// Normals go through the inverse transpose of the matrix's 3 x 3 block.
Vec3 reference_normal(const std::array<double, 16>& m, const Vec3& n)
{
    auto a = [&](int r, int c) { return m[4 * (c % 3) + r % 3]; };
    Vec3 out{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[r] +=
                (a(r + 1, c + 1) * a(r + 2, c + 2) - a(r + 1, c + 2) * a(r + 2, c + 1)) * n[c];
    const double length = std::hypot(out[0], out[1], out[2]);
    return {out[0] / length, out[1] / length, out[2] / length};
}

Entity posed(std::uint32_t rotation_order, std::uint32_t transform_order)
{
    Entity e;
    e.translation = {1.5, -2.0, 0.25};
    e.uniform_scale = 1.5;
    e.axis_scale = {2.0, 0.5, 3.0};
    e.rotation_degrees = {30.0, -45.0, 110.0};
    e.rotation_order = rotation_order;
    e.transform_order = transform_order;
    return e;
}

Vec3 by_matrix(const Entity& e, const Vec3& p)
{
    const auto& m = e.model_matrix_d;
    Vec3 out;
    for (int r = 0; r < 3; ++r)
        out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    return out;
}

Vec3 point(const Entity& e, Vec3 p)
{
    transform_entity_point(e, p[0], p[1], p[2]);
    return p;
}
Vec3 normal(const Entity& e, Vec3 n)
{
    transform_entity_normal(e, n[0], n[1], n[2]);
    return n;
}

void expect_near(const Vec3& actual, const Vec3& expected, double tolerance = 1e-12)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

} // namespace

TEST(EntityTransform, EveryOrderMatchesAnIndependentReference)
{
    for (std::uint32_t r = 0; r < 6; ++r)
        for (std::uint32_t t = 0; t < 6; ++t) {
            SCOPED_TRACE(std::string(ROTATION_ORDERS[r]) + " " + TRANSFORM_ORDERS[t]);
            Entity e = posed(r, t);
            compute_entity_matrix(e);
            for (const Vec3& p : {Vec3{0, 0, 0}, Vec3{1, -2, 0.5}, Vec3{-3, 4, 7}}) {
                expect_near(by_matrix(e, p), reference_point(e, p));
                expect_near(point(e, p), reference_point(e, p));
            }
            EXPECT_EQ(e.model_matrix[13], static_cast<float>(e.model_matrix_d[13]));
            expect_near(normal(e, {0.3, -0.2, 0.9}),
                        reference_normal(e.model_matrix_d, {0.3, -0.2, 0.9}));
        }
}

TEST(EntityTransform, IdentityWorkedExampleAndNormals)
{
    Entity e;
    EXPECT_TRUE(is_entity_transform_identity(e));
    e.model_matrix_d[3] = 7.0;
    compute_entity_matrix(e);
    EXPECT_EQ(e.model_matrix_d[3], 0.0) << "rebuilt as identity";
    e.translation = {1, 0, 0};
    e.uniform_scale = 2.0;
    expect_near(point(e, {1, 0, 0}), {3, 0, 0}, 0.0); // scale, then translate

    Entity r; // pins the sign of a rotation, which the reference could share
    r.rotation_degrees = {90, 0, 0};
    expect_near(point(r, {0, 1, 0}), {0, 0, 1});
    expect_near(normal(r, {0, 1, 0}), {0, 0, 1});

    Entity s;
    s.axis_scale = {2, 1, 1};
    s.translation = {5, 5, 5};
    const double unit = 1.0 / std::sqrt(1.25);
    expect_near(normal(s, {1, 1, 0}), {0.5 * unit, unit, 0});
    expect_near(normal(s, {0, 0, 0}), {0, 0, 0}, 0.0);
    s.axis_scale = {0, 1, 1};
    for (const Vec3& n : {Vec3{1, 0, 0}, Vec3{0, 1, 0}})
        for (double v : normal(s, n))
            EXPECT_TRUE(std::isfinite(v)) << "a zero scale gives no NaN";
}

TEST(EntityTransform, OrdersOutsideTheTableAddNoStepAndGroupsHandDownMatrices)
{
    Entity no_rotation = posed(6, 2), unrotated = posed(0, 2);
    unrotated.rotation_degrees = {0, 0, 0};
    compute_entity_matrix(no_rotation);
    compute_entity_matrix(unrotated);
    EXPECT_EQ(no_rotation.model_matrix_d, unrotated.model_matrix_d);

    Entity rotation_only = posed(0, 9), reference;
    reference.rotation_degrees = rotation_only.rotation_degrees;
    compute_entity_matrix(rotation_only);
    expect_near(by_matrix(rotation_only, {1, 2, 3}), point(reference, {1, 2, 3}));

    // Groups hand their matrices to their members.
    Entity a, b;
    a.in_group = b.in_group = 1;
    Entity group = construct_entity_as_group(true);
    group.members = {&a, nullptr, &b};
    group.translation = {0, 3, 0};
    compute_entity_matrix(group);
    EXPECT_EQ(a.model_matrix_d, group.model_matrix_d);
    EXPECT_EQ(b.model_matrix, group.model_matrix);
    a.translation = {9, 9, 9};
    compute_entity_matrix(a);
    EXPECT_EQ(a.model_matrix_d[13], 3.0) << "a member keeps its group's matrix";
    group.translation = {0, 0, 0};
    compute_entity_matrix(group);
    EXPECT_EQ(b.model_matrix_d[13], 0.0) << "an identity group resets its members";
}
