#include "kernel/assembly_kinds.h"

#include "kernel/assemble_runs.h"
#include "kernel/interop_reader.h"
#include "kernel/job_table.h"
#include "kernel/kernel_arguments.h"
#include "kernel/kernel_run_output.h"
#include "kernel/parallel_batches.h"
#include "kernel/parse_report_builder.h"
#include "kernel/parse_runs.h"
#include "kernel/staging.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "platform/trace.h"

namespace {

constexpr std::uint32_t k_not_measured = 0xFFFFFFFFu;

bool admits(const ElementMask& mask, std::size_t element_count, std::size_t index)
{
    if (mask.empty()) return true;
    return mask.size() == element_count && mask[index];
}

std::string ccpp_out_path(const KernelSettings& settings, bool ccpp)
{
    return ccpp ? staging_path(settings, k_ccpp_out_name) : std::string();
}

// The element's texts and the mode; the times stay unmeasured for runs that
// assembled several elements at once.
void stamp_element(Mesh& mesh, const ParallelElement& element, std::int32_t execute_mode)
{
    mesh.element_name = element.name;
    mesh.element_logic = element.logic;
    mesh.kernel_time_ms = k_not_measured;
    mesh.read_time_ms = k_not_measured;
    mesh.run_time_ms = -1;
    set_assembly_mode(mesh, static_cast<std::uint32_t>(execute_mode));
}

// The meshes of an element run's output file, each counted as an assembly
// error when the run failed and it holds nothing; the cause goes to the error
// trace text when the file holds no mesh.
std::vector<Mesh*> read_element_run(const std::string& path, bool run_failed)
{
    std::vector<Mesh*> meshes = read_interop_meshes(path);
    if (meshes.empty()) note_kernel_run_failure("ERROR-READING-BINARY-INTEROP-FILE: " + path);
    for (Mesh* mesh : meshes)
        count_failed_record(mesh, run_failed);
    return meshes;
}

void release_unplaced(std::vector<Mesh*>& meshes)
{
    for (Mesh*& mesh : meshes) {
        discard_mesh(mesh);
        mesh = nullptr;
    }
}

// Shared set-up of a job run: free slots, empty job lists and the settings
// every worker reads.
void set_up_job_run(KernelJobRun& run, const KernelSettings& settings, std::size_t slots, bool ccpp,
                    bool profiling)
{
    set_up_kernel_jobs(run, static_cast<std::int32_t>(slots));
    run.settings = settings;
    run.body = launch_kernel_job;
    run.ccpp_out_path = ccpp_out_path(settings, ccpp);
    run.ppd = profiling ? 1 : 0;
}

// One job for every slot: a worker claims the lowest free slot, so a slot
// without a job would absorb another slot's job. Slots without a kernel run
// finish at once.
void run_one_job_per_slot(KernelJobRun& run)
{
    for (std::int32_t slot = 0; slot < run.table.count; ++slot)
        push_kernel_job(run, step_counter_up, kernel_job_entry, step_counter_down);
    run_kernel_jobs(run);
}

// Reads sub-element slot i back and stamps the measured times: the kernel
// run from the slot, the read around the reader, all in 32-bit milliseconds.
Mesh* read_sub_element_result(const KernelJobTable& table, std::size_t i,
                              const ParallelElement& element, std::int32_t execute_mode)
{
    const std::uint32_t t1 = static_cast<std::uint32_t>(now_ms());
    const std::string& path = table.output_paths[i];
    Mesh* mesh = read_interop_first_mesh(path);
    const std::uint32_t t2 = static_cast<std::uint32_t>(now_ms());
    if (!mesh) {
        note_kernel_run_failure("ERROR-READING-BINARY-INTEROP-FILE: " + path);
        return nullptr;
    }
    count_failed_record(mesh, table.run_failed[i] != 0);
    const std::uint32_t start = table.start_ms[i];
    const std::uint32_t end = table.end_ms[i];
    mesh->element_name = element.name;
    mesh->element_logic = element.logic;
    mesh->kernel_time_ms = end - start;
    mesh->read_time_ms = t2 - t1;
    mesh->run_time_ms = static_cast<std::int32_t>(end + (t2 - t1) - start);
    set_assembly_mode(*mesh, static_cast<std::uint32_t>(execute_mode));
    return mesh;
}

bool valid_index(std::int32_t index, std::size_t count)
{
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

// Text A5 of one batch: an element block per element with logic, else the
// empty block (also for an index outside the element list).
std::string batch_text(const ParallelElementList& elements, const std::vector<std::int32_t>& batch,
                       std::int32_t execute_mode)
{
    TextList blocks;
    for (std::int32_t e : batch) {
        const bool assembled =
            valid_index(e, elements.size()) && !elements[static_cast<std::size_t>(e)].logic.empty();
        blocks.push_back(
            assembled ? element_block(elements[static_cast<std::size_t>(e)].logic, execute_mode)
                      : std::string(k_empty_block));
    }
    return element_blocks_text(blocks);
}

// Places the meshes of one batch run at their elements, when the run
// returned one mesh per element of the batch.
void place_batch_results(const ParallelElementList& elements,
                         const std::vector<std::int32_t>& batch, std::vector<Mesh*> meshes,
                         std::int32_t execute_mode, ElementResults& results)
{
    if (meshes.size() == batch.size()) {
        for (std::size_t k = 0; k < batch.size(); ++k) {
            const std::int32_t e = batch[k];
            if (!meshes[k] || !valid_index(e, elements.size())) continue;
            const std::size_t element = static_cast<std::size_t>(e);
            if (elements[element].logic.empty() || results[element]) continue;
            stamp_element(*meshes[k], elements[element], execute_mode);
            results[element] = meshes[k];
            meshes[k] = nullptr;
        }
    }
    release_unplaced(meshes);
}

} // namespace

ElementResults assemble_script(const KernelSettings& settings, const std::string& script_path,
                               std::int32_t execute_mode, std::int32_t kind, bool batched,
                               bool ccpp, bool profiling)
{
    const ParseReport report = parse_script_file(settings, script_path);
    ParallelElementList elements = build_parallel_script_default(report);
    ElementResults results;
    if (kind == ASSEMBLY_SINGLE) {
        results = assemble_single(settings, elements, ElementMask(), ccpp, profiling, execute_mode);
    } else if (kind == ASSEMBLY_PARALLEL && !batched) {
        results =
            assemble_parallel_sub(settings, elements, ElementMask(), ccpp, profiling, execute_mode);
    } else if (kind == ASSEMBLY_PARALLEL) {
        const ElementMask every_element(elements.size(), true);
        const std::vector<std::int32_t> batch_ids = extract_batch_prefixes(elements);
        const BatchList batches = group_parallel_batches(batch_ids, every_element);
        results =
            assemble_parallel_batches(settings, elements, batches, ccpp, profiling, execute_mode);
        stamp_batch_ids(results, batches);
    }
    stamp_result_indices(results);
    return results;
}

ElementResults reassemble_script(const KernelSettings& settings,
                                 const ParallelElementList& elements, const ElementMask& mask,
                                 const BatchList& batches, bool ccpp, bool profiling,
                                 std::int32_t execute_mode, std::int32_t kind)
{
    ElementResults results;
    if (kind == ASSEMBLY_SINGLE) {
        results = assemble_single(settings, elements, mask, ccpp, profiling, execute_mode);
    } else if (kind == ASSEMBLY_PARALLEL) {
        // The batches, when there are any, decide alone: no mask applies.
        results = batches.empty() ? assemble_parallel_sub(settings, elements, mask, ccpp, profiling,
                                                          execute_mode)
                                  : assemble_parallel_batches(settings, elements, batches, ccpp,
                                                              profiling, execute_mode);
        stamp_batch_ids(results, batches);
    }
    stamp_result_indices(results);
    return results;
}

ElementResults assemble_single(const KernelSettings& settings, const ParallelElementList& elements,
                               const ElementMask& mask, bool ccpp, bool profiling,
                               std::int32_t execute_mode)
{
    const std::size_t count = elements.size();
    ElementResults results(count, nullptr);
    std::vector<bool> staged(count, false);
    TextList blocks;
    for (std::size_t i = 0; i < count; ++i) {
        staged[i] = !elements[i].logic.empty() && admits(mask, count, i);
        blocks.push_back(staged[i] ? element_block(elements[i].logic, execute_mode)
                                   : std::string(k_empty_block));
    }

    const std::string input_path = staging_path(settings, k_assemble_in_name);
    const std::string output_path = staging_path(settings, k_assemble_out_name);
    if (!stage_run_files(settings, input_path, element_blocks_text(blocks), output_path))
        return results;
    const ProcessResult run = run_process_with_status(
        settings.kernel_path,
        assemble_arguments(input_path, output_path, profiling, ccpp_out_path(settings, ccpp)));

    std::vector<Mesh*> meshes = read_element_run(output_path, process_failed(run));
    if (count >= 1 && meshes.size() == count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!staged[i] || !meshes[i]) continue;
            stamp_element(*meshes[i], elements[i], execute_mode);
            results[i] = meshes[i];
            meshes[i] = nullptr;
        }
    }
    release_unplaced(meshes);
    return results;
}

ElementResults assemble_parallel_sub(const KernelSettings& settings,
                                     const ParallelElementList& elements, const ElementMask& mask,
                                     bool ccpp, bool profiling, std::int32_t execute_mode)
{
    const std::size_t count = elements.size();
    ElementResults results(count, nullptr);
    KernelJobRun run;
    set_up_job_run(run, settings, count, ccpp, profiling);
    KernelJobTable& table = run.table;

    for (std::size_t i = 0; i < count; ++i) {
        if (elements[i].logic.empty()) {
            trace_line("ERROR : UNABLE-TO-RESOLVE-PARALLEL-ELEMENT [ " + elements[i].name + " ]");
            continue;
        }
        const std::int32_t index = static_cast<std::int32_t>(i);
        table.input_paths[i] = numbered_staging_path(settings, k_sub_in_prefix, index);
        table.output_paths[i] = numbered_staging_path(settings, k_sub_out_prefix, index);
        // An element the mask leaves out still runs, on the input an earlier
        // assembly staged; only its output is emptied, and it is not read.
        const std::string staged_input =
            element_blocks_text({element_block(elements[i].logic, execute_mode)});
        const bool staged = admits(mask, count, i)
                                ? stage_run_files(settings, table.input_paths[i], staged_input,
                                                  table.output_paths[i])
                                : empty_run_output(settings, table.output_paths[i]);
        table.runs_kernel[i] = staged ? 1 : 0;
    }

    run_one_job_per_slot(run);

    for (std::size_t i = 0; i < count; ++i) {
        if (table.runs_kernel[i] && admits(mask, count, i))
            results[i] = read_sub_element_result(table, i, elements[i], execute_mode);
    }
    return results;
}

ElementResults assemble_parallel_batches(const KernelSettings& settings,
                                         const ParallelElementList& elements, BatchList batches,
                                         bool ccpp, bool profiling, std::int32_t execute_mode)
{
    ElementResults results(elements.size(), nullptr);
    KernelJobRun run;
    set_up_job_run(run, settings, batches.size(), ccpp, profiling);
    KernelJobTable& table = run.table;

    for (std::size_t b = 0; b < batches.size(); ++b) {
        const std::int32_t index = static_cast<std::int32_t>(b);
        table.input_paths[b] = numbered_staging_path(settings, k_batch_in_prefix, index);
        table.output_paths[b] = numbered_staging_path(settings, k_batch_out_prefix, index);
        // A batch without elements gets no run.
        const bool staged =
            !batches[b].empty() &&
            stage_run_files(settings, table.input_paths[b],
                            batch_text(elements, batches[b], execute_mode), table.output_paths[b]);
        table.runs_kernel[b] = staged ? 1 : 0;
    }

    run_one_job_per_slot(run);

    for (std::size_t b = 0; b < batches.size(); ++b) {
        if (table.runs_kernel[b])
            place_batch_results(elements, batches[b],
                                read_element_run(table.output_paths[b], table.run_failed[b] != 0),
                                execute_mode, results);
    }
    return results;
}

void stamp_batch_ids(ElementResults& results, const BatchList& batches)
{
    if (batches.empty() || batches.size() == results.size()) return;
    for (std::size_t b = 0; b < batches.size(); ++b) {
        for (std::int32_t e : batches[b]) {
            if (!valid_index(e, results.size())) continue;
            Mesh* mesh = results[static_cast<std::size_t>(e)];
            if (mesh && mesh->valid) mesh->batch_id = static_cast<std::int32_t>(b);
        }
    }
}

void stamp_result_indices(ElementResults& results)
{
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i] && results[i]->valid)
            results[i]->result_index = static_cast<std::int32_t>(i);
    }
}
