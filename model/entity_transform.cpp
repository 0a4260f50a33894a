#include "model/entity_transform.h"

#include <cmath>
#include <vector>

#include "platform/math_constants.h"

namespace {

using Matrix4 = std::array<double, 16>; // column-major

constexpr Matrix4 IDENTITY{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

enum Step { ROTATE, SCALE, TRANSLATE };

constexpr int ROTATION_SEQUENCES[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                          {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
constexpr Step TRANSFORM_SEQUENCES[6][3] = {{ROTATE, SCALE, TRANSLATE}, {ROTATE, TRANSLATE, SCALE},
                                            {SCALE, ROTATE, TRANSLATE}, {SCALE, TRANSLATE, ROTATE},
                                            {TRANSLATE, ROTATE, SCALE}, {TRANSLATE, SCALE, ROTATE}};

// Cosine and sine of each Euler angle; a zero angle is skipped, not computed.
struct AxisRotations {
    bool active[3] = {false, false, false};
    double cosine[3] = {1.0, 1.0, 1.0};
    double sine[3] = {0.0, 0.0, 0.0};
};

AxisRotations rotations_of(const Entity& entity)
{
    AxisRotations rotations;
    for (int axis = 0; axis < 3; ++axis) {
        const double degrees = entity.rotation_degrees[static_cast<std::size_t>(axis)];
        if (degrees == 0.0) continue;
        const double radians = degrees / 180.0 * g_pi;
        rotations.active[axis] = true;
        rotations.cosine[axis] = std::cos(radians);
        rotations.sine[axis] = std::sin(radians);
    }
    return rotations;
}

// The steps in application order: the transform order's sequence, or only
// the rotation for an order outside the table.
std::vector<Step> steps_of(const Entity& entity)
{
    if (entity.transform_order > 5) return {ROTATE};
    const Step* sequence = TRANSFORM_SEQUENCES[entity.transform_order];
    return {sequence[0], sequence[1], sequence[2]};
}

// Axes in application order; none for an order outside the table.
std::vector<int> rotation_axes_of(const Entity& entity)
{
    if (entity.rotation_order > 5) return {};
    const int* sequence = ROTATION_SEQUENCES[entity.rotation_order];
    return {sequence[0], sequence[1], sequence[2]};
}

void rotate_about(int axis, double c, double s, double& x, double& y, double& z)
{
    const double x0 = x, y0 = y, z0 = z;
    if (axis == 0) {
        y = c * y0 - s * z0;
        z = s * y0 + c * z0;
    } else if (axis == 1) {
        x = c * x0 + s * z0;
        z = -s * x0 + c * z0;
    } else {
        x = c * x0 - s * y0;
        y = s * x0 + c * y0;
    }
}

void rotate_vector(const Entity& entity, const AxisRotations& rotations, double& x, double& y,
                   double& z)
{
    for (const int axis : rotation_axes_of(entity)) {
        if (rotations.active[axis])
            rotate_about(axis, rotations.cosine[axis], rotations.sine[axis], x, y, z);
    }
}

// Per-axis scale factors, the uniform factor included.
std::array<double, 3> scale_of(const Entity& entity)
{
    const double u = entity.uniform_scale;
    return {u * entity.axis_scale[0], u * entity.axis_scale[1], u * entity.axis_scale[2]};
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 product{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[static_cast<std::size_t>(4 * k + row)] *
                       b[static_cast<std::size_t>(4 * column + k)];
            product[static_cast<std::size_t>(4 * column + row)] = sum;
        }
    return product;
}

Matrix4 rotation_matrix(int axis, double c, double s)
{
    Matrix4 m = IDENTITY;
    const int a = (axis + 1) % 3; // the two coordinates the rotation mixes,
    const int b = (axis + 2) % 3; // in right-handed order
    m[static_cast<std::size_t>(4 * a + a)] = c;
    m[static_cast<std::size_t>(4 * b + a)] = -s;
    m[static_cast<std::size_t>(4 * a + b)] = s;
    m[static_cast<std::size_t>(4 * b + b)] = c;
    return m;
}

// The elementary matrices in application order.
std::vector<Matrix4> elementary_matrices(const Entity& entity)
{
    const AxisRotations rotations = rotations_of(entity);
    const std::array<double, 3> scale = scale_of(entity);
    std::vector<Matrix4> matrices;
    for (const Step step : steps_of(entity)) {
        if (step == SCALE) {
            Matrix4 m = IDENTITY;
            m[0] = scale[0];
            m[5] = scale[1];
            m[10] = scale[2];
            matrices.push_back(m);
        } else if (step == TRANSLATE) {
            Matrix4 m = IDENTITY;
            m[12] = entity.translation[0];
            m[13] = entity.translation[1];
            m[14] = entity.translation[2];
            matrices.push_back(m);
        } else {
            for (const int axis : rotation_axes_of(entity))
                matrices.push_back(
                    rotation_matrix(axis, rotations.cosine[axis], rotations.sine[axis]));
        }
    }
    return matrices;
}

void store_matrix(Entity& entity, const Matrix4& matrix)
{
    entity.model_matrix_d = matrix;
    for (std::size_t at = 0; at < matrix.size(); ++at)
        entity.model_matrix[at] = static_cast<float>(matrix[at]);
}

void copy_matrices_to_members(Entity& group)
{
    if (group.kind != ENTITY_GROUP) return;
    for (Entity* member : group.members) {
        if (member == nullptr) continue;
        member->model_matrix_d = group.model_matrix_d;
        member->model_matrix = group.model_matrix;
    }
}

} // namespace

bool is_entity_transform_identity(const Entity& entity)
{
    return entity.translation[0] == 0.0 && entity.translation[1] == 0.0 &&
           entity.translation[2] == 0.0 && entity.uniform_scale == 1.0 &&
           entity.axis_scale[0] == 1.0 && entity.axis_scale[1] == 1.0 &&
           entity.axis_scale[2] == 1.0 && entity.rotation_degrees[0] == 0.0 &&
           entity.rotation_degrees[1] == 0.0 && entity.rotation_degrees[2] == 0.0;
}

void compute_entity_matrix(Entity& entity)
{
    if (entity.in_group) return;
    Matrix4 matrix = IDENTITY;
    if (!is_entity_transform_identity(entity)) {
        // The first matrix acts first on a column vector: M = last x ... x first.
        for (const Matrix4& step : elementary_matrices(entity))
            matrix = multiply(step, matrix);
    }
    store_matrix(entity, matrix);
    copy_matrices_to_members(entity);
}

void transform_entity_point(const Entity& entity, double& x, double& y, double& z)
{
    const AxisRotations rotations = rotations_of(entity);
    const double u = entity.uniform_scale;
    for (const Step step : steps_of(entity)) {
        if (step == TRANSLATE) {
            x += entity.translation[0];
            y += entity.translation[1];
            z += entity.translation[2];
        } else if (step == SCALE) {
            x = (u * x) * entity.axis_scale[0];
            y = (u * y) * entity.axis_scale[1];
            z = (u * z) * entity.axis_scale[2];
        } else {
            rotate_vector(entity, rotations, x, y, z);
        }
    }
}

void transform_entity_normal(const Entity& entity, double& x, double& y, double& z)
{
    const AxisRotations rotations = rotations_of(entity);
    const std::array<double, 3> scale = scale_of(entity);
    for (const Step step : steps_of(entity)) {
        if (step == SCALE) {
            x = x / scale[0];
            y = y / scale[1];
            z = z / scale[2];
        } else if (step == ROTATE) {
            rotate_vector(entity, rotations, x, y, z);
        }
    }
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
        x = y = z = 0.0;
        return;
    }
    const double length = std::sqrt(y * y + x * x + z * z);
    if (length > 0.0) {
        const double inverse = 1.0 / length;
        x *= inverse;
        y *= inverse;
        z *= inverse;
    }
}
