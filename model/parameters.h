#pragma once

// The parameters of one script, built from its PARAMETERS section, and the
// merged set of a group entity, which points into its members' sets.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/parameter_definition.h"

// Per-type counts in the order INT, DBL, LNG, BLN, CHR, STR.
using ParameterTypeCounts = std::array<std::uint32_t, 6>;

struct ParameterSet {
    std::uint8_t valid = 0;                  // at least one parameter and no error
    std::string definitions_text;            // empty in a merged set
    std::vector<ScriptParameter> parameters; // definition order; empty in a merged set
    std::int32_t count = 0;                  // a merged set: the total over its members
    std::int32_t row_count = 0;              // parameter panel rows this set needs
    std::string type_summary;                // "2 INT, 0 DBL, ..., 1 STR"
    ParameterTypeCounts type_counts{};
    std::string error_text;
    // Merged set only. Not owned: the member entities must outlive the merged
    // set and keep their sets in place. Copies share the same pointers.
    std::vector<std::string> member_names;
    std::vector<ParameterSet*> member_sets;
    std::vector<ScriptParameter*> member_parameters;
};

// Copy, assignment and destruction are the memberwise defaults.
ParameterSet construct_parameter_set(const std::string& definitions_text);
ParameterSet construct_parameter_set_from_list(const std::vector<std::string>& member_names,
                                               const std::vector<ParameterSet*>& member_sets,
                                               std::int32_t total_count);

// One parameter per definition line; invalid lines are left out, and any
// line that did not become a parameter marks the whole set invalid with the
// cardinality error.
void instantiate_parameters(ParameterSet& set, const std::string& definitions_text);
void merge_parameter_sets(ParameterSet& set, const std::vector<std::string>& member_names,
                          const std::vector<ParameterSet*>& member_sets, std::int32_t total_count);
void describe_parameter_types(ParameterSet& set);
void collect_parameter_errors(ParameterSet& set);
// Null for an empty name or when no parameter has exactly that name.
ScriptParameter* find_parameter_record(ParameterSet& set, const std::string& name);

// Rows a parameter needs in the panel: 3 with both bounds, 2 otherwise.
std::int32_t parameter_row_count(const ScriptParameter& parameter);
