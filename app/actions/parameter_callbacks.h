#pragma once

// What the parameter panel's controls do to the values of the selected
// entity's parameters: Enter and Esc in a value field, moving and releasing
// a slider, and clicks in the zones of a parameter row. A changed value asks
// for a synchronisation, which the frame tick runs, unless the entity is in
// multi-edit mode. Each body exists for a single entity's own parameters and
// for a group's parameter references (`through_refs`).

#include <cstdint>
#include <string>

struct Application;
struct ParameterValue;
struct ScriptParameter;

// The two error panes of a rejected entry.
std::string parameter_parse_error_text(const std::string& typed);
std::string parameter_bounds_error_text(const ScriptParameter& parameter,
                                        const ParameterValue& value);

void commit_parameter_value(Application& app, std::int32_t index, bool through_refs);
void restore_parameter_text(Application& app, std::int32_t index, bool through_refs);
// `released`: the knob was let go, which always asks for a synchronisation;
// a move asks only in immediate mode.
void move_parameter_slider(Application& app, std::int32_t index, double fraction, bool released,
                           bool through_refs);
// (x, y): the press point in the detail area.
void click_parameter_details(Application& app, std::int32_t x, std::int32_t y, bool through_refs);

// Fills the parameter entries of the lists' callback table.
void wire_parameter_callbacks(Application& app);
