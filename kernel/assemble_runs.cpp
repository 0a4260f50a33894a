#include "kernel/assemble_runs.h"

#include "kernel/interop_reader.h"
#include "kernel/kernel_arguments.h"
#include "kernel/kernel_run_output.h"
#include "kernel/staging.h"
#include "platform/clock.h"
#include "platform/process.h"

namespace {

// Resets the trace texts, stages the text and runs the assemble kernel. A run
// whose files could not be staged reports not started.
ProcessResult run_assemble_kernel(const KernelSettings& settings, const std::string& staged_input,
                                  bool profiling)
{
    set_kernel_trace_texts(std::string());
    const std::string input_path = staging_path(settings, k_assemble_in_name);
    const std::string output_path = staging_path(settings, k_assemble_out_name);
    if (!stage_run_files(settings, input_path, staged_input, output_path)) return ProcessResult();
    ProcessResult run = run_process_with_status(
        settings.kernel_path, assemble_arguments(input_path, output_path, profiling));
    g_kernel_output_texts[0] = run.output;
    return run;
}

// The meshes of a run that started; the cause goes to the error text when the
// file holds none.
std::vector<Mesh*> read_run_meshes(const ProcessResult& run, const std::string& path)
{
    if (!run.started) return {};
    std::vector<Mesh*> meshes = read_interop_file(path);
    if (meshes.empty()) note_kernel_run_failure("ERROR-READING-BINARY-INTEROP-FILE: " + path);
    return meshes;
}

} // namespace

void count_failed_record(Mesh* mesh, bool run_failed)
{
    if (mesh == nullptr || !run_failed) return;
    if (mesh->vertex_data == nullptr || mesh->vertex_data->empty()) mesh->assembly_error_count = 1;
}

void discard_mesh(Mesh* mesh)
{
    if (!mesh) return;
    free_mesh_buffers(*mesh);
    delete_mesh(mesh, 1);
}

Mesh* run_assemble(const KernelSettings& settings, const std::string& logic,
                   std::int32_t execute_mode, bool profiling)
{
    const std::int64_t start = now_ms();
    const ProcessResult run =
        run_assemble_kernel(settings, assemble_text(logic, execute_mode), profiling);
    const std::int64_t end = now_ms();

    std::vector<Mesh*> meshes = read_run_meshes(run, staging_path(settings, k_assemble_out_name));
    Mesh* result = meshes.empty() ? nullptr : meshes.front();
    for (std::size_t i = 1; i < meshes.size(); ++i)
        discard_mesh(meshes[i]);
    count_failed_record(result, process_failed(run));
    if (result && result->valid) {
        set_assembly_mode(*result, static_cast<std::uint32_t>(execute_mode));
        result->run_time_ms = static_cast<std::int32_t>(end - start);
    }
    return result;
}

Mesh* run_assemble_optimal(const KernelSettings& settings, const std::string& logic)
{
    return run_assemble(settings, logic, 2, false);
}

std::vector<Mesh*> run_assemble_scripts(const KernelSettings& settings, const TextList& logics,
                                        const std::vector<std::int32_t>& modes, bool profiling)
{
    const std::size_t count = std::min(logics.size(), modes.size());
    const ProcessResult run =
        run_assemble_kernel(settings, assemble_list_text(logics, modes), profiling);
    std::vector<Mesh*> meshes = read_run_meshes(run, staging_path(settings, k_assemble_out_name));
    if (meshes.size() < count) meshes.resize(count, nullptr);
    for (Mesh* mesh : meshes)
        count_failed_record(mesh, process_failed(run));
    for (std::size_t i = 0; i < count; ++i) {
        if (meshes[i] && meshes[i]->valid)
            set_assembly_mode(*meshes[i], static_cast<std::uint32_t>(modes[i]));
    }
    return meshes;
}

bool run_ccpp_compute(const KernelSettings& settings, const std::string& ccpp_text,
                      std::int32_t execute_mode, bool profiling)
{
    if (trim_text(ccpp_text).empty()) return false;
    const std::string input_path = staging_path(settings, k_ccpp_in_name);
    const std::string output_path = staging_path(settings, k_ccpp_out_name);
    if (!stage_run_files(settings, input_path, ccpp_text, output_path)) return false;
    // Both runs share the output file: the compute run reads what the parse
    // run left there. Their standard output is not shown.
    run_process(settings.kernel_path, ccpp_parse_arguments(input_path, output_path));
    run_process(settings.kernel_path,
                ccpp_compute_arguments(input_path, output_path, profiling, execute_mode));
    return true;
}
