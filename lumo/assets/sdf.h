#pragma once

// Signed-distance shapes of the icons. Each takes a point of icon space
// (x right, y up, the cell spans -2 to 2) and six parameters, and returns
// the distance to the shape's edge, negative inside. Parameters that a shape
// does not use are ignored.
namespace lumo::sdf {

double circle(double x, double y, const double* p); // cx, cy, r
double ring(double x, double y, const double* p);   // cx, cy, r, half width
double box(double x, double y, const double* p);    // cx, cy, half w, half h, corner radius
double frame(double x, double y,
             const double* p); // cx, cy, half w, half h, corner radius, half width
double segment(double x, double y, const double* p);  // x0, y0, x1, y1, half width
double cross(double x, double y, const double* p);    // cx, cy, arm, half width, angle in degrees
double triangle(double x, double y, const double* p); // three corners x0, y0, x1, y1, x2, y2
double hexagon(double x, double y, const double* p);  // cx, cy, r (corner up)
double arc(double x, double y,
           const double* p); // cx, cy, r, half width, gap centre angle, gap half angle
double rays(double x, double y, const double* p); // cx, cy, inner r, outer r, count, half width
double bars(double x, double y,
            const double* p); // cx, cy, count, spacing, half width, half length (vertical)
double hbars(double x, double y,
             const double* p); // cx, cy, count, spacing, half height, half length (horizontal)
double knobs(double x, double y,
             const double* p); // spacing, r, and the x of three knobs on the hbars rows, cx
double corners(double x, double y,
               const double* p); // cx, cy, half size, leg length, half width, inward flag
double checker(double x, double y, const double* p); // cx, cy, half size, cells per side
double stripes(double x, double y, const double* p); // cx, cy, period, half width, angle in degrees
double ellipse_ring(double x, double y,
                    const double* p); // cx, cy, rx, ry, half width, angle in degrees
double vesica(double x, double y,
              const double* p); // cx, cy, half width, half height, half line width
double info_glyph(double x, double y, const double* p); // cx, cy, height, half width
double check_mark(double x, double y, const double* p); // cx, cy, size, half width
double axes(double x, double y, const double* p);       // cx, cy, length, half width
double tri_mesh(double x, double y,
                const double* p); // cx, cy, r, half width (subdivided triangle edges)
double cube_wire(double x, double y,
                 const double* p); // cx, cy, r, half width (isometric cube edges)
double tri_star(double x, double y,
                const double* p); // cx, cy, r, half width (three spokes of a cube corner)
double wedge(double x, double y,
             const double* p); // apex x, apex y, length, half angle deg, half width

} // namespace lumo::sdf
