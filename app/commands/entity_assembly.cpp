#include "app/commands/entity_assembly.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "kernel/parallel_batches.h"
#include "kernel/assemble_runs.h"
#include "kernel/parse_report_builder.h"
#include "kernel/parse_runs.h"
#include "state/application.h"
#include "model/entity_stats.h"
#include "panels/console_channels.h"
#include "panels/entity_properties.h"
#include "panels/message_panes.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/trace.h"

namespace {

void queue_graphics_names(Application& app, const Mesh& mesh)
{
    app.gl_vertex_arrays_to_delete.push_back(mesh.vertex_array_name);
    app.gl_buffers_to_delete.push_back(mesh.vertex_buffer_name);
    app.gl_index_buffers_to_delete.push_back(mesh.index_buffer_name);
}

bool same_parameter_shape(const ScriptParameter& old_parameter, ParameterSet& fresh)
{
    const ScriptParameter* namesake = find_parameter_record(fresh, old_parameter.name);
    return namesake != nullptr && namesake->value_type == old_parameter.value_type &&
           check_parameter_in_range(*namesake, old_parameter.current);
}

std::string shortest_fixed(double value)
{
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return double_to_text(value);
    return std::string(buffer, result.ptr);
}

} // namespace

bool is_finished_mesh(const Mesh* mesh)
{
    return mesh != nullptr && mesh->pending == 0;
}

void release_mesh_queued(Application& app, Mesh* mesh)
{
    if (mesh == nullptr) return;
    queue_graphics_names(app, *mesh);
    discard_mesh(mesh);
}

void release_entity_queued(Application& app, Entity& entity)
{
    if (entity.mesh != nullptr) queue_graphics_names(app, *entity.mesh);
    for (const Entity* member : entity.members)
        if (member != nullptr && member->mesh != nullptr) queue_graphics_names(app, *member->mesh);
    release_entity_resources(entity);
}

void release_results(Application& app, const ElementResults& results)
{
    for (Mesh* mesh : results)
        release_mesh_queued(app, mesh);
}

void fill_entity_texts(Entity& entity)
{
    update_entity_label(entity);
    format_entity_stats(entity);
    format_entity_properties(entity);
    format_property_titles(entity);
}

Entity build_single_entity(Mesh* mesh, const ParseReport& report)
{
    Entity entity = construct_entity();
    attach_mesh_to_entity(entity, mesh);
    entity.parse_report = report;
    entity.parameters = report.parameter_set;
    fill_entity_texts(entity);
    return entity;
}

ParsedElements parse_parallel_elements(const KernelSettings& settings, const ParseReport& report)
{
    ParsedElements parsed;
    TextList messages{std::string()};
    parsed.elements = build_parallel_script(report, &messages);
    parsed.build_error = messages[0];
    if (!parsed.build_error.empty()) return parsed;
    parsed.batch_ids = extract_batch_prefixes(parsed.elements);
    parsed.reports = run_parse_wrapped(settings, parsed.elements);
    if (!parsed.reports.empty() && parsed.reports.front().output_unreadable != 0) {
        parsed.output_unreadable = true;
        parsed.syntax_errors = 1;
        parsed.error_block = get_parse_errors_text(parsed.reports.front());
        return parsed;
    }
    for (std::size_t i = 0; i < parsed.reports.size() && i < parsed.elements.size(); ++i) {
        const std::int32_t errors = parsed.reports[i].section_line_counts[SECTION_ERRORS];
        if (errors < 1) continue;
        parsed.syntax_errors += errors;
        parsed.error_block +=
            "// E:" + parsed.elements[i].name + "\n" + get_parse_errors_text(parsed.reports[i]);
    }
    return parsed;
}

bool check_parsed_elements(Application& app, const ParsedElements& parsed, const std::string& name)
{
    if (!parsed.build_error.empty()) {
        trace_line("!!! ERROR !!! : " + parsed.build_error);
        show_error_pane(app, "ERROR: ...", parsed.build_error);
        return false;
    }
    if (parsed.syntax_errors < 1) return true;
    if (parsed.output_unreadable) {
        console_line(app, k_unreadable_parse_line);
        console_show_kernel_run(app);
    }
    console_line(app, syntax_error_line(parsed.syntax_errors));
    show_pane(app, element_syntax_error_pane(name, parsed.syntax_errors, parsed.error_block));
    return false;
}

ResultCheck check_results(const ElementResults& results)
{
    ResultCheck check;
    check.critical = std::none_of(results.begin(), results.end(), [](const Mesh* mesh) {
        return mesh != nullptr && mesh->valid != 0;
    });
    for (const Mesh* mesh : results)
        check.errors +=
            mesh == nullptr || mesh->valid == 0 ? 1 : std::max(0, mesh->assembly_error_count);
    return check;
}

Entity build_group_entity(const ParseReport& report,
                          const std::vector<ParseReport>& element_reports,
                          const ElementResults& results, std::int32_t execute_mode,
                          std::int32_t run_time_ms)
{
    EntityPointers members(results.size(), nullptr);
    std::vector<std::string> names;
    std::vector<ParameterSet*> sets;
    std::int32_t total = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i] == nullptr || results[i]->valid == 0) continue;
        // A member without its parse report still takes its mesh, so the mesh
        // has an owner and is released with the group.
        const ParseReport report_of_member =
            i < element_reports.size() ? element_reports[i] : construct_parse_report();
        members[i] = new Entity(build_single_entity(results[i], report_of_member));
        if (members[i]->parameters.count < 1) continue;
        names.push_back(path_file_name(members[i]->parse_report.script_path));
        sets.push_back(&members[i]->parameters);
        total += members[i]->parameters.count;
    }
    Entity group = construct_entity_as_group(true);
    assign_group_members(group, members, static_cast<std::uint32_t>(execute_mode), run_time_ms);
    group.parse_report = report;
    group.parse_report.parameter_set = construct_parameter_set_from_list(names, sets, total);
    group.parameters = group.parse_report.parameter_set;
    fill_entity_texts(group);
    return group;
}

std::string parameter_assignment(const ScriptParameter& parameter)
{
    if (parameter.value_type != ValueType::DBL) return format_parameter_assignment(parameter);
    return std::string(value_type_name(ValueType::DBL)) + " " + parameter.name + " = " +
           shortest_fixed(parameter.current.dbl_value) + ";";
}

std::string parameter_script_text(const std::vector<const ScriptParameter*>& parameters,
                                  const ParseReport& report, bool logic_marker)
{
    std::string text = "// parameters\n";
    for (const ScriptParameter* parameter : parameters)
        if (parameter != nullptr) text += parameter_assignment(*parameter) + "\n";
    if (logic_marker) text += "// logic\n";
    return text + report.directives_text + "\n" + report.functions_text + "\n" +
           report.operations_text + "\n";
}

bool keep_parameter_values(const ParameterSet& old_set, ParameterSet& fresh)
{
    for (const ScriptParameter& old_parameter : old_set.parameters)
        if (!same_parameter_shape(old_parameter, fresh)) return false;
    for (const ScriptParameter& old_parameter : old_set.parameters) {
        ScriptParameter* namesake = find_parameter_record(fresh, old_parameter.name);
        copy_parameter_value(*namesake, old_parameter.current,
                             get_parameter_value_text(old_parameter));
        namesake->selected = old_parameter.selected;
        mark_parameter_synced(*namesake);
    }
    return true;
}

void show_pane(Application& app, const PaneText& pane)
{
    show_error_pane(app, pane.title, pane.text);
}

void console_line(Application& app, const std::string& text)
{
    console_log(app, text, true);
}

void grow_parameter_list(Application& app, const Entity& entity)
{
    if (app.current_selection == nullptr || !is_parametric(entity.parameters)) return;
    EntitySelection& selection = *app.current_selection;
    selection.content_width =
        std::max(selection.content_width, static_cast<std::int32_t>(entity.statistics_width));
    selection.content_height += 50;
}

void copy_entity_render_attributes(const Entity& from, Entity& to)
{
    to.translation = from.translation;
    to.uniform_scale = from.uniform_scale;
    to.axis_scale = from.axis_scale;
    to.rotation_degrees = from.rotation_degrees;
    to.rotation_order = from.rotation_order;
    to.transform_order = from.transform_order;
    to.model_matrix_d = from.model_matrix_d;
    to.model_matrix = from.model_matrix;
    to.assembly_locked = from.assembly_locked;
    to.keep_parameter_values = from.keep_parameter_values;
    to.live_sync = from.live_sync;
    to.manual_sync = from.manual_sync;
    set_entity_visible(to, from.visible != 0);
}
