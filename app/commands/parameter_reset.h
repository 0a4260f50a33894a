#pragma once

// Resetting parameter values to the values the script declares, after
// confirmation, and the small information panes of the parameter panel.

#include <cstdint>

struct Application;

// Ask to reset parameter `index` of the entity selected in the parameter
// panel; nothing happens without such an entity.
void reset_parameter_value(Application& app, std::int32_t index);
// Ask to reset the selected parameters, or all when none or all are selected.
void reset_parameter_values(Application& app);

// Accept actions of the two confirmations.
void reset_parameter_confirmed(Application& app);
void reset_parameters_confirmed(Application& app);

void show_variant_directives_placeholder(Application& app);
void show_parameter_type_info(Application& app, std::int32_t type_code);
void show_parameter_definition_info(Application& app, std::int32_t index);
