#pragma once

// The parameter panel: one row per listed (parametric) entity in display
// order, and the parameter rows of the selected entity with their type,
// name, value field and, for a bounded number, a slider.

#include <cstdint>

struct Application;
struct ScriptParameter;

void rebuild_parameter_rows(Application& app);
void rebuild_parameter_details(Application& app);

// Discrete slider positions of a bounded parameter: maximum - minimum for
// INT and LNG (0 when the bounds are reversed), 0 (continuous) otherwise.
std::int32_t parameter_slider_steps(const ScriptParameter& parameter);
