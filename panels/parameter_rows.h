#pragma once

// The parameter panel: one row per listed (parametric) entity in display
// order, and the parameter rows of the selected entity with their type,
// name, value field and, for a bounded number, a slider.

#include <cstdint>
#include <string>

struct Application;
struct ParameterRowWidgets;
struct ScriptParameter;

void rebuild_parameter_rows(Application& app);
void rebuild_parameter_details(Application& app);
// The details with no entity selected: the title and `header`, the toggles,
// RESET and APPLY dimmed, for they have nothing to act on, the rest hidden.
void show_no_parameters(Application& app, const std::string& header);

// Discrete slider positions of a bounded parameter: maximum - minimum for
// INT and LNG (0 when the bounds are reversed), 0 (continuous) otherwise.
std::int32_t parameter_slider_steps(const ScriptParameter& parameter);

// The built rows of parameter `index` (its value field's row id); null when
// that parameter has no row.
ParameterRowWidgets* find_parameter_row(Application& app, std::int32_t index);
// Shows what the panel's model holds for parameter `index` in its built
// row: the value field's text (BLN upper case in its colour) and the slider.
void show_parameter_row_value(Application& app, std::int32_t index);
