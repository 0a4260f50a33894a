#pragma once

// Colour and vector helpers that hand their result back through a global:
// callers copy it right after the call. User-interface thread only.

struct RgbColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

extern RgbColour g_hsv_colour;
extern Vector3 g_cross_result;

// Hue 0..1 is one full turn. Channels end clamped to 0..1; a hue above one
// turn (or NaN) gives black.
void hsv_to_rgb(double hue, double saturation, double value);
// a x b scaled to unit length; parallel vectors give the zero vector.
void normalised_cross(const Vector3& a, const Vector3& b);
