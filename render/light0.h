#pragma once

// The terms of light 0 of the fixed-function pipeline, computed from the
// lighting switches without GL; the GL layer hands them to the driver.

#include <array>

struct Light0Terms {
    std::array<float, 4> ambient{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 4> diffuse{0.0f, 0.0f, 0.0f, 1.0f};
    std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
};

// Ambient 0.05, diffuse 1.0 and specular 0.05 in red, green and blue for
// each term that is on, 0 otherwise; alpha stays 1.
Light0Terms compute_light0_terms(bool ambient, bool diffuse, bool specular);
