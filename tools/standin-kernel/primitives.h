#pragma once

#include "mesh.h"

// Primitive shapes with simple, fixed vertex and polygon counts. Solids of
// revolution stand on the y axis; everything else is centred on the origin.

// Eight shared corners, six quads; each face its own smooth group.
Mesh make_box(double width, double height, double depth);
// The unit cube with every face on its own four vertices (24 vertices).
Mesh make_split_cube();
// 12 segments by 8 rings: triangles at the poles, quads elsewhere.
Mesh make_sphere(double radius);
// From y = 0 to y = height: n side quads and two n-gon caps.
Mesh make_cylinder(double radius, double height, int segments);
// Base at y = 0, apex at y = height: n side triangles and an n-gon base.
Mesh make_cone(double radius, double height, int segments);
// In the xz plane: n x m quads.
Mesh make_torus(double major_radius, double minor_radius, int major_segments, int minor_segments);

// Segment counts are held within this range.
inline constexpr int kMinSegments = 3;
inline constexpr int kMaxSegments = 1024;
