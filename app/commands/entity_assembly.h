#pragma once

// The steps the load, re-assembly and synchronisation commands share: taking
// kernel results apart, building entities and groups from them, reporting
// their failures and releasing meshes that are dropped.

#include <cstdint>
#include <string>
#include <vector>

#include "kernel/assembly_kinds.h"
#include "app/commands/command_texts.h"
#include "kernel/parallel_script.h"
#include "model/entity.h"
#include "model/parse_report.h"

struct Application;

// A mesh the kernel finished: present and no longer pending.
bool is_finished_mesh(const Mesh* mesh);

// Queues the mesh's graphics names for the renderer to delete, then frees it.
void release_mesh_queued(Application& app, Mesh* mesh);
// A single entity's mesh, or a group's member meshes and members.
void release_entity_queued(Application& app, Entity& entity);
void release_results(Application& app, const ElementResults& results);

// A new entity with the mesh, a copy of the report and its parameters, and
// every text the panels show.
Entity build_single_entity(Mesh* mesh, const ParseReport& report);
void fill_entity_texts(Entity& entity);

// The parallel script taken apart and parsed element by element.
struct ParsedElements {
    ParallelElementList elements;
    std::vector<ParseReport> reports;    // one per element
    std::vector<std::int32_t> batch_ids; // one per element, -1 none
    std::string build_error;             // the builder's message; empty when built
    std::int64_t syntax_errors = 0;
    std::string error_block; // "// E:" + name + "\n" + the element's errors, per element
    // The kernel's element parse output could not be cut: one error for all.
    bool output_unreadable = false;
};

ParsedElements parse_parallel_elements(const KernelSettings& settings, const ParseReport& report);
// Shows the builder's failure or the elements' syntax errors; false when
// there was one.
bool check_parsed_elements(Application& app, const ParsedElements& parsed, const std::string& name);

// Critical when nothing came back assembled; otherwise the count of elements
// without a mesh plus the meshes' own error counts.
struct ResultCheck {
    bool critical = false;
    std::int64_t errors = 0;
};
ResultCheck check_results(const ElementResults& results);

// Members from the finished results (other slots stay null), the merged
// parameter set of the parametric members, and the group itself.
Entity build_group_entity(const ParseReport& report,
                          const std::vector<ParseReport>& element_reports,
                          const ElementResults& results, std::int32_t execute_mode,
                          std::int32_t run_time_ms);

// The statement that writes the parameter's current value into a script. A
// DBL value is written in the shortest fixed form that reads back to the
// same double, so synchronising never rounds the user's value.
std::string parameter_assignment(const ScriptParameter& parameter);
// The assignment statements of the parameters, one per line, then the
// directives, functions and operations of the report.
std::string parameter_script_text(const std::vector<const ScriptParameter*>& parameters,
                                  const ParseReport& report, bool logic_marker);

// Takes over the old values when every old parameter has a namesake of the
// same type in `fresh` whose range admits its value; false, nothing changed,
// otherwise.
bool keep_parameter_values(const ParameterSet& old_set, ParameterSet& fresh);

void show_pane(Application& app, const PaneText& pane);
// A time-stamped line of the current console.
void console_line(Application& app, const std::string& text);
// The parameter panel's bookkeeping when a parametric entity joins.
void grow_parameter_list(Application& app, const Entity& entity);
// Carries what the user set on an entity over to its re-assembled successor:
// the transform with its orders and matrices, the assembly lock, the
// parameter-editing switches and the visibility (mirrored into the
// successor's mesh and members).
void copy_entity_render_attributes(const Entity& from, Entity& to);
