#pragma once

#include "render/light0.h"

// Hands the terms to GL_LIGHT0; needs a current GL context.
void apply_light0_terms(const Light0Terms& terms);
