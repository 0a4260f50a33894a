#include "app/commands/script_reload.h"

#include <algorithm>
#include <set>

#include "kernel/assemble_runs.h"
#include "app/commands/entity_assembly.h"
#include "app/commands/kernel_run_settings.h"
#include "kernel/parallel_batches.h"
#include "kernel/parse_report_builder.h"
#include "kernel/parse_runs.h"
#include "state/application.h"
#include "panels/console_channels.h"
#include "panels/entity_colouring.h"
#include "panels/entity_rows.h"
#include "panels/info_texts.h"
#include "platform/clock.h"
#include "platform/paths.h"

namespace {

// One re-assembly: the entity in the list (replaced on success), the mode
// asked for and the fresh parse of its script.
struct Reload {
    Application& app;
    Entity& entity;
    std::int32_t mode;
    std::string name;
    ParseReport report;
    KernelSettings kernel;
};

bool mode_unchanged(const Reload& reload)
{
    const Entity& entity = reload.entity;
    const auto mode = static_cast<std::uint32_t>(reload.mode);
    if (entity.kind == ENTITY_GROUP) return entity.root_execute_mode == mode;
    return entity.mesh != nullptr && entity.mesh->execute_mode == mode;
}

// The text the inspector staged is compared, not the kernel's echo of it.
bool nothing_to_do(const Reload& reload)
{
    return reload.app.view_settings.culling != 0 &&
           reload.report.script_text == reload.entity.parse_report.script_text &&
           mode_unchanged(reload);
}

std::vector<const ScriptParameter*> parameter_pointers(const ParameterSet& set)
{
    std::vector<const ScriptParameter*> pointers;
    for (const ScriptParameter& parameter : set.parameters)
        pointers.push_back(&parameter);
    return pointers;
}

bool can_keep_parameters(const Entity& entity, const ParameterSet& fresh)
{
    return entity.keep_parameter_values != 0 && is_parametric(entity.parameters) &&
           is_parametric(fresh) && entity.parameters.count == fresh.count;
}

// Releases an entity's meshes and members, except the meshes in `carried`,
// which another entity still holds.
void release_replaced(Application& app, Entity& replaced, const ElementResults& carried)
{
    const std::set<const Mesh*> kept(carried.begin(), carried.end());
    if (replaced.kind != ENTITY_GROUP) {
        release_entity_queued(app, replaced);
        return;
    }
    for (Entity*& member : replaced.members) {
        if (member == nullptr) continue;
        if (kept.count(member->mesh) == 0) release_mesh_queued(app, member->mesh);
        delete_entity(member);
        member = nullptr;
    }
}

// Puts the successor in the place of `replaced`, a copy of the entity taken
// before; afterwards `reload.entity` is the successor. A successor that
// cannot take the place is released, except for the meshes it carried over
// from `replaced`, which still uses them.
bool replace_in_list(Reload& reload, Entity& successor, const Entity& replaced,
                     const ElementResults& carried)
{
    Application& app = reload.app;
    copy_entity_render_attributes(replaced, successor);
    if (app.current_scene_state == nullptr ||
        !replace_entity(*app.current_scene_state, replaced, successor)) {
        release_replaced(app, successor, carried);
        return false;
    }
    if (app.current_selection != nullptr) measure_entity_statistics_view(*app.current_selection);
    update_environment_totals(app);
    return true;
}

void report_single_failure(Reload& reload, Mesh* mesh)
{
    Application& app = reload.app;
    if (!is_finished_mesh(mesh)) {
        console_line(app, k_critical_reassembly_line);
        show_pane(app, critical_reassembly_pane(reload.name, false));
        console_append_kernel_run_errors(app);
    } else {
        const std::int32_t errors = mesh->assembly_error_count;
        console_line(app, reassembly_error_line(errors));
        show_pane(app, reassembly_error_pane(reload.name, errors, false));
        console_show_kernel_run(app);
    }
    release_mesh_queued(app, mesh);
}

// A script that is not parallel, for a single entity or in place of a group.
void reassemble_single(Reload& reload)
{
    Application& app = reload.app;
    const bool from_group = reload.entity.kind == ENTITY_GROUP;
    const bool kept = !from_group &&
                      can_keep_parameters(reload.entity, reload.report.parameter_set) &&
                      keep_parameter_values(reload.entity.parameters, reload.report.parameter_set);
    const std::int64_t started_ms = now_ms();
    console_line(app, "Re-Assembling: " + reload.name);
    const std::string logic =
        kept ? parameter_script_text(parameter_pointers(reload.entity.parameters), reload.report,
                                     false)
             : parse_statement_text(reload.report);
    std::int32_t mode = reload.mode;
    Mesh* mesh = run_assemble(reload.kernel, logic, mode, app.view_settings.profiler != 0);
    if (!is_finished_mesh(mesh) || mesh->assembly_error_count >= 1) {
        report_single_failure(reload, mesh);
        return;
    }
    Entity successor = build_single_entity(mesh, reload.report);
    Entity replaced = reload.entity;
    if (!replace_in_list(reload, successor, replaced, {})) return;
    if (needs_colouring(app)) colour_entity(app, reload.entity);
    release_entity_queued(app, replaced);
    console_line(app, timing_line(now_ms() - started_ms));
}

// Culling and parameter keeping of a group's elements against its members.
struct ElementPlan {
    ElementMask assemble;
    ElementResults carried; // the old member's mesh of each culled element
};

const Entity* find_member(const Entity& group, const std::string& path, const std::string* text,
                          std::int32_t parameter_count)
{
    for (const Entity* member : group.members) {
        if (member == nullptr || member->parse_report.script_path != path) continue;
        if (text != nullptr && member->parse_report.script_text != *text) continue;
        if (parameter_count >= 0 && member->parameters.count != parameter_count) continue;
        return member;
    }
    return nullptr;
}

void cull_unchanged_elements(const Reload& reload, const ParsedElements& parsed, ElementPlan& plan)
{
    const Entity& group = reload.entity;
    if (reload.app.view_settings.reassembly_culling == 0 || !mode_unchanged(reload)) return;
    std::set<const Mesh*> taken;
    for (std::size_t i = 0; i < parsed.elements.size() && i < parsed.reports.size(); ++i) {
        const Entity* member =
            find_member(group, parsed.elements[i].name, &parsed.reports[i].script_text, -1);
        // A mesh is carried into one element only, so it is never freed twice.
        if (member == nullptr || !is_finished_mesh(member->mesh) || taken.count(member->mesh) != 0)
            continue;
        taken.insert(member->mesh);
        plan.assemble[i] = false;
        plan.carried[i] = member->mesh;
    }
}

std::int32_t total_parameters(const std::vector<ParseReport>& reports)
{
    std::int32_t total = 0;
    for (const ParseReport& report : reports)
        total += std::max(0, report.parameter_set.count);
    return total;
}

void keep_element_parameters(const Reload& reload, ParsedElements& parsed)
{
    const Entity& group = reload.entity;
    if (group.keep_parameter_values == 0 || !is_parametric(group.parameters) ||
        total_parameters(parsed.reports) < 1)
        return;
    for (std::size_t i = 0; i < parsed.elements.size() && i < parsed.reports.size(); ++i) {
        ParseReport& report = parsed.reports[i];
        if (!is_parametric(report.parameter_set)) continue;
        const Entity* member =
            find_member(group, report.script_path, nullptr, report.parameter_set.count);
        if (member == nullptr || !keep_parameter_values(member->parameters, report.parameter_set))
            continue;
        parsed.elements[i].logic =
            parameter_script_text(parameter_pointers(report.parameter_set), report, true);
    }
}

ElementResults assemble_elements(Reload& reload, const ParsedElements& parsed,
                                 const ElementPlan& plan)
{
    const ViewSettings& settings = reload.app.view_settings;
    ElementResults results(parsed.elements.size(), nullptr);
    if (std::none_of(plan.assemble.begin(), plan.assemble.end(), [](bool on) { return on; }))
        return results;
    const bool profiling = settings.profiler != 0;
    if (settings.ccpp != 0)
        run_ccpp_compute(reload.kernel, get_parallel_global_prefix(reload.report), reload.mode,
                         profiling);
    BatchList batches;
    if (settings.invocation_groups != 0 && settings.multi_core != 0)
        batches = group_parallel_batches(parsed.batch_ids, plan.assemble);
    ElementResults assembled = reassemble_script(reload.kernel, parsed.elements, plan.assemble,
                                                 batches, settings.ccpp != 0, profiling,
                                                 reload.mode, settings.multi_core != 0 ? 1 : 0);
    for (std::size_t i = 0; i < assembled.size(); ++i) {
        if (i < results.size() && plan.assemble[i])
            results[i] = assembled[i];
        else
            release_mesh_queued(reload.app, assembled[i]);
    }
    return results;
}

bool report_group_failure(Reload& reload, const ElementResults& fresh)
{
    Application& app = reload.app;
    const ResultCheck check = check_results(fresh);
    if (!check.critical && check.errors < 1) return false;
    if (check.critical) {
        console_line(app, k_critical_parallel_reassembly_line);
        show_pane(app, critical_reassembly_pane(reload.name, true));
        console_append_kernel_run_errors(app);
    } else {
        console_line(app, reassembly_error_line(check.errors));
        show_pane(app, reassembly_error_pane(reload.name, check.errors, true));
        console_show_kernel_run(app);
    }
    return true;
}

// A parallel script, for a group (culling unchanged elements) or in place
// of a single entity (every element assembled).
void reassemble_group(Reload& reload)
{
    Application& app = reload.app;
    const std::int64_t started_ms = now_ms();
    ParsedElements parsed = parse_parallel_elements(reload.kernel, reload.report);
    if (!check_parsed_elements(app, parsed, reload.name)) return;
    const std::size_t count = parsed.elements.size();
    ElementPlan plan{ElementMask(count, true), ElementResults(count, nullptr)};
    if (reload.entity.kind == ENTITY_GROUP) {
        cull_unchanged_elements(reload, parsed, plan);
        keep_element_parameters(reload, parsed);
    }
    console_line(app, "Re-Assembling: " + reload.name);
    ElementResults results = assemble_elements(reload, parsed, plan);
    for (std::size_t i = 0; i < count; ++i)
        if (!plan.assemble[i]) results[i] = plan.carried[i];
    if (report_group_failure(reload, results)) {
        for (std::size_t i = 0; i < count; ++i)
            if (plan.assemble[i]) release_mesh_queued(app, results[i]);
        return;
    }
    Entity successor = build_group_entity(reload.report, parsed.reports, results, reload.mode,
                                          static_cast<std::int32_t>(now_ms() - started_ms));
    Entity replaced = reload.entity;
    if (!replace_in_list(reload, successor, replaced, plan.carried)) return;
    release_replaced(app, replaced, plan.carried);
    build_script_list_text(app);
    build_status_line(app);
    if (needs_colouring(app)) colour_entity(app, reload.entity);
    console_line(app, timing_line(now_ms() - started_ms));
    console_show_kernel_run(app);
}

void report_syntax_errors(Reload& reload, std::int32_t errors)
{
    Application& app = reload.app;
    if (reload.report.output_unreadable != 0) console_line(app, k_unreadable_parse_line);
    console_line(app, syntax_error_line(errors));
    show_pane(app, reparse_syntax_error_pane(reload.name, errors));
    if (reload.report.output_unreadable != 0) console_show_kernel_run(app);
}

} // namespace

void reload_script_entity(Application& app, Entity& entity, std::int32_t execute_mode)
{
    Reload reload{app,          entity,
                  execute_mode, path_file_name(entity.parse_report.script_path),
                  {},           kernel_run_settings(app)};
    if (reload.kernel.workspace_path.empty()) {
        console_line(app, k_workspace_not_set_line);
        show_pane(app, workspace_not_set_pane(reload.name));
        return;
    }
    const std::int64_t started_ms = now_ms();
    console_line(app, "Re-Parsing: " + reload.name);
    reload.report = parse_script_file(reload.kernel, entity.parse_report.script_path);
    console_line(app, timing_line(now_ms() - started_ms));
    const std::int32_t errors = reload.report.section_line_counts[SECTION_ERRORS];
    // A kernel whose parse output cannot be read is never taken for an
    // unchanged script.
    if (reload.report.output_unreadable != 0) {
        report_syntax_errors(reload, errors);
        return;
    }
    if (nothing_to_do(reload)) {
        console_line(app, k_skip_reassembly_line);
        return;
    }
    if (errors >= 1) {
        report_syntax_errors(reload, errors);
        return;
    }
    if (reload.report.parallel != 0)
        reassemble_group(reload);
    else
        reassemble_single(reload);
}
