#include "lumo/assets/sdf.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "lumo/assets/raster.h"

namespace lumo::sdf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

double line(double x, double y, double x0, double y0, double x1, double y1, double half_width)
{
    return segment_distance(x, y, x0, y0, x1, y1) - half_width;
}

// Corners of a hexagon with a corner pointing up.
void hex_corner(double cx, double cy, double r, int k, double& x, double& y)
{
    const double angle = (90.0 + 60.0 * k) * kDegree;
    x = cx + r * std::cos(angle);
    y = cy + r * std::sin(angle);
}

} // namespace

double circle(double x, double y, const double* p)
{
    return std::hypot(x - p[0], y - p[1]) - p[2];
}

double ring(double x, double y, const double* p)
{
    return std::fabs(std::hypot(x - p[0], y - p[1]) - p[2]) - p[3];
}

double box(double x, double y, const double* p)
{
    const double r = p[4];
    const double qx = std::fabs(x - p[0]) - p[2] + r;
    const double qy = std::fabs(y - p[1]) - p[3] + r;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - r;
}

double frame(double x, double y, const double* p)
{
    return std::fabs(box(x, y, p)) - p[5];
}

double segment(double x, double y, const double* p)
{
    return line(x, y, p[0], p[1], p[2], p[3], p[4]);
}

double cross(double x, double y, const double* p)
{
    const double a = p[4] * kDegree;
    const double dx = std::cos(a) * p[2];
    const double dy = std::sin(a) * p[2];
    return std::min(line(x, y, p[0] - dx, p[1] - dy, p[0] + dx, p[1] + dy, p[3]),
                    line(x, y, p[0] + dy, p[1] - dx, p[0] - dy, p[1] + dx, p[3]));
}

double triangle(double x, double y, const double* p)
{
    const double d = std::min({segment_distance(x, y, p[0], p[1], p[2], p[3]),
                               segment_distance(x, y, p[2], p[3], p[4], p[5]),
                               segment_distance(x, y, p[4], p[5], p[0], p[1])});
    // Inside when the point lies on the same side of all three edges.
    auto side = [&](double ax, double ay, double bx, double by) {
        return (bx - ax) * (y - ay) - (by - ay) * (x - ax);
    };
    const double s0 = side(p[0], p[1], p[2], p[3]);
    const double s1 = side(p[2], p[3], p[4], p[5]);
    const double s2 = side(p[4], p[5], p[0], p[1]);
    const bool inside = (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
    return inside ? -d : d;
}

double hexagon(double x, double y, const double* p)
{
    // Distance to the hexagon as the largest of its six edge half-planes.
    const double apothem = p[2] * std::cos(30.0 * kDegree);
    double d = -1e9;
    for (int k = 0; k < 6; ++k) {
        const double normal = (60.0 * k) * kDegree;
        d = std::max(d, (x - p[0]) * std::cos(normal) + (y - p[1]) * std::sin(normal) - apothem);
    }
    return d;
}

double arc(double x, double y, const double* p)
{
    const double dx = x - p[0];
    const double dy = y - p[1];
    double angle = std::atan2(dy, dx) / kDegree - p[4];
    angle = std::remainder(angle, 360.0);
    const double band = std::fabs(std::hypot(dx, dy) - p[2]) - p[3];
    if (std::fabs(angle) > p[5]) return band;
    // Inside the gap: distance to the nearer end of the arc.
    double best = 1e9;
    for (double end : {p[4] - p[5], p[4] + p[5]}) {
        const double ex = p[0] + p[2] * std::cos(end * kDegree);
        const double ey = p[1] + p[2] * std::sin(end * kDegree);
        best = std::min(best, std::hypot(x - ex, y - ey) - p[3]);
    }
    return best;
}

double rays(double x, double y, const double* p)
{
    const int count = static_cast<int>(p[4]);
    double d = 1e9;
    for (int k = 0; k < count; ++k) {
        const double a = 360.0 * k / count * kDegree;
        d = std::min(d, line(x, y, p[0] + p[2] * std::cos(a), p[1] + p[2] * std::sin(a),
                             p[0] + p[3] * std::cos(a), p[1] + p[3] * std::sin(a), p[5]));
    }
    return d;
}

double bars(double x, double y, const double* p)
{
    const int count = static_cast<int>(p[2]);
    double d = 1e9;
    for (int k = 0; k < count; ++k) {
        const double bx = p[0] + (k - (count - 1) * 0.5) * p[3];
        d = std::min(d, line(x, y, bx, p[1] - p[5], bx, p[1] + p[5], p[4]));
    }
    return d;
}

double hbars(double x, double y, const double* p)
{
    const int count = static_cast<int>(p[2]);
    double d = 1e9;
    for (int k = 0; k < count; ++k) {
        const double by = p[1] + (k - (count - 1) * 0.5) * p[3];
        d = std::min(d, line(x, y, p[0] - p[5], by, p[0] + p[5], by, p[4]));
    }
    return d;
}

double knobs(double x, double y, const double* p)
{
    double d = 1e9;
    for (int k = 0; k < 3; ++k) {
        const double ky = (k - 1) * p[0];
        d = std::min(d, std::hypot(x - p[5] - p[2 + k], y - ky) - p[1]);
    }
    return d;
}

double corners(double x, double y, const double* p)
{
    const double s = p[2];
    const double leg = p[3];
    double d = 1e9;
    for (int sx = -1; sx <= 1; sx += 2) {
        for (int sy = -1; sy <= 1; sy += 2) {
            const double cx = p[0] + sx * s;
            const double cy = p[1] + sy * s;
            // Legs point inward along the edges, or outward for a collapse mark.
            const double dir = p[5] > 0.5 ? -1.0 : 1.0;
            d = std::min(d, line(x, y, cx, cy, cx - sx * leg * dir, cy, p[4]));
            d = std::min(d, line(x, y, cx, cy, cx, cy - sy * leg * dir, p[4]));
        }
    }
    return d;
}

double checker(double x, double y, const double* p)
{
    const double half = p[2];
    const double params[6] = {p[0], p[1], half, half, 0.0, 0.0};
    const double outer = box(x, y, params);
    const double cell = 2.0 * half / std::max(p[3], 1.0);
    const int i = static_cast<int>(std::floor((x - p[0] + half) / cell));
    const int j = static_cast<int>(std::floor((y - p[1] + half) / cell));
    if (((i + j) & 1) == 0) return std::max(outer, 0.02);
    const double lx = std::fmod(x - p[0] + half, cell);
    const double ly = std::fmod(y - p[1] + half, cell);
    const double inner = -std::min({lx, cell - lx, ly, cell - ly});
    return std::max(outer, inner);
}

double stripes(double x, double y, const double* p)
{
    const double a = p[4] * kDegree;
    const double t = (x - p[0]) * std::cos(a) + (y - p[1]) * std::sin(a);
    const double phase = t - p[2] * std::floor(t / p[2] + 0.5);
    return std::fabs(phase) - p[3];
}

double ellipse_ring(double x, double y, const double* p)
{
    const double a = p[5] * kDegree;
    const double dx = x - p[0];
    const double dy = y - p[1];
    const double u = dx * std::cos(a) + dy * std::sin(a);
    const double v = -dx * std::sin(a) + dy * std::cos(a);
    // Distance to an ellipse, scaled by the local gradient (good near the edge).
    const double k = std::hypot(u / p[2], v / p[3]);
    const double grad = std::hypot(u / (p[2] * p[2]), v / (p[3] * p[3]));
    const double d = grad > 1e-9 ? (k - 1.0) * k / grad : -std::min(p[2], p[3]);
    return std::fabs(d) - p[4];
}

double vesica(double x, double y, const double* p)
{
    // The outline of two circle arcs meeting at the left and right corners.
    const double w = p[2];
    const double h = p[3];
    const double r = (w * w + h * h) / (2.0 * h);
    const double upper[4] = {p[0], p[1] - (r - h), r, p[4]};
    const double lower[4] = {p[0], p[1] + (r - h), r, p[4]};
    const double inside_band = std::fabs(x - p[0]) <= w ? 0.0 : 1e9;
    const double du = ring(x, y, upper) + (y >= p[1] ? inside_band : 1e9);
    const double dl = ring(x, y, lower) + (y <= p[1] ? inside_band : 1e9);
    return std::min(du, dl);
}

double info_glyph(double x, double y, const double* p)
{
    const double h = p[2];
    const double stem = line(x, y, p[0], p[1] - h * 0.5, p[0], p[1] + h * 0.15, p[3]);
    const double dot = std::hypot(x - p[0], y - (p[1] + h * 0.5)) - p[3] * 1.2;
    return std::min(stem, dot);
}

double check_mark(double x, double y, const double* p)
{
    const double s = p[2];
    return std::min(line(x, y, p[0] - s, p[1], p[0] - s * 0.3, p[1] - s * 0.7, p[3]),
                    line(x, y, p[0] - s * 0.3, p[1] - s * 0.7, p[0] + s, p[1] + s * 0.7, p[3]));
}

double axes(double x, double y, const double* p)
{
    const double l = p[2];
    const double w = p[3];
    const double ox = p[0] - l * 0.35;
    const double oy = p[1] - l * 0.35;
    double d = line(x, y, ox, oy, ox + l, oy, w);
    d = std::min(d, line(x, y, ox, oy, ox, oy + l, w));
    d = std::min(d, line(x, y, ox, oy, ox - l * 0.45, oy - l * 0.45, w));
    d = std::min(d, std::hypot(x - ox - l, y - oy) - w * 2.0);
    d = std::min(d, std::hypot(x - ox, y - oy - l) - w * 2.0);
    return d;
}

double tri_mesh(double x, double y, const double* p)
{
    double cx[3], cy[3];
    for (int k = 0; k < 3; ++k) {
        const double a = (90.0 + 120.0 * k) * kDegree;
        cx[k] = p[0] + p[2] * std::cos(a);
        cy[k] = p[1] + p[2] * std::sin(a);
    }
    double d = 1e9;
    for (int k = 0; k < 3; ++k) {
        const int n = (k + 1) % 3;
        d = std::min(d, line(x, y, cx[k], cy[k], cx[n], cy[n], p[3]));
        // Midpoint edges split the triangle into four.
        const int m = (k + 2) % 3;
        d = std::min(d, line(x, y, (cx[k] + cx[n]) * 0.5, (cy[k] + cy[n]) * 0.5,
                             (cx[n] + cx[m]) * 0.5, (cy[n] + cy[m]) * 0.5, p[3]));
    }
    return d;
}

double cube_wire(double x, double y, const double* p)
{
    double d = 1e9;
    double hx[6], hy[6];
    for (int k = 0; k < 6; ++k)
        hex_corner(p[0], p[1], p[2], k, hx[k], hy[k]);
    for (int k = 0; k < 6; ++k)
        d = std::min(d, line(x, y, hx[k], hy[k], hx[(k + 1) % 6], hy[(k + 1) % 6], p[3]));
    // Three inner edges meet at the centre: corners 0 (top), 2 and 4.
    for (int k = 0; k < 6; k += 2)
        d = std::min(d, line(x, y, p[0], p[1], hx[(k + 3) % 6], hy[(k + 3) % 6], p[3]));
    return d;
}

double tri_star(double x, double y, const double* p)
{
    double d = 1e9;
    for (int k = 1; k < 6; k += 2) {
        double ex, ey;
        hex_corner(p[0], p[1], p[2], k, ex, ey);
        d = std::min(d, line(x, y, p[0], p[1], ex, ey, p[3]));
    }
    return d;
}

double wedge(double x, double y, const double* p)
{
    const double a = p[3] * kDegree;
    const double l = p[2];
    return std::min(line(x, y, p[0], p[1], p[0] + l * std::cos(a), p[1] + l * std::sin(a), p[4]),
                    line(x, y, p[0], p[1], p[0] + l * std::cos(a), p[1] - l * std::sin(a), p[4]));
}

} // namespace lumo::sdf
