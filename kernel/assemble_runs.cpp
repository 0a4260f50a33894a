#include "kernel/assemble_runs.h"

#include "kernel/interop_reader.h"
#include "kernel/kernel_arguments.h"
#include "kernel/kernel_run_output.h"
#include "kernel/staging.h"
#include "platform/clock.h"
#include "platform/kernel_config.h"
#include "platform/process.h"

namespace {

// Stages the text and runs the assemble kernel; false when the files could
// not be staged, in which case nothing ran and the trace texts are emptied.
bool run_assemble_kernel(const std::string& staged_input, bool profiling)
{
    const std::string input_path = staging_path(k_assemble_in_name);
    const std::string output_path = staging_path(k_assemble_out_name);
    if (!stage_run_files(input_path, staged_input, output_path)) {
        set_kernel_trace_texts(std::string());
        return false;
    }
    set_kernel_trace_texts(
        run_process(get_kernel_path(), assemble_arguments(input_path, output_path, profiling)));
    return true;
}

} // namespace

void discard_mesh(Mesh* mesh)
{
    if (!mesh) return;
    free_mesh_buffers(*mesh);
    delete_mesh(mesh, 1);
}

Mesh* run_assemble(const std::string& logic, std::int32_t execute_mode, bool profiling)
{
    const std::int64_t start = now_ms();
    if (!run_assemble_kernel(assemble_text(logic, execute_mode), profiling)) return nullptr;
    const std::int64_t end = now_ms();

    std::vector<Mesh*> meshes = read_interop_file(staging_path(k_assemble_out_name));
    Mesh* result = meshes.empty() ? nullptr : meshes.front();
    for (std::size_t i = 1; i < meshes.size(); ++i)
        discard_mesh(meshes[i]);
    if (result && result->valid) {
        set_assembly_mode(*result, static_cast<std::uint32_t>(execute_mode));
        result->run_time_ms = static_cast<std::int32_t>(end - start);
    }
    return result;
}

Mesh* run_assemble_optimal(const std::string& logic)
{
    return run_assemble(logic, 2, false);
}

std::vector<Mesh*> run_assemble_scripts(const TextList& logics,
                                        const std::vector<std::int32_t>& modes, bool profiling)
{
    const std::size_t count = std::min(logics.size(), modes.size());
    std::vector<Mesh*> meshes;
    if (run_assemble_kernel(assemble_list_text(logics, modes), profiling))
        meshes = read_interop_file(staging_path(k_assemble_out_name));
    if (meshes.size() < count) meshes.resize(count, nullptr);
    for (std::size_t i = 0; i < count; ++i) {
        if (meshes[i] && meshes[i]->valid)
            set_assembly_mode(*meshes[i], static_cast<std::uint32_t>(modes[i]));
    }
    return meshes;
}

bool run_ccpp_compute(const std::string& ccpp_text, std::int32_t execute_mode, bool profiling)
{
    if (trim_text(ccpp_text).empty()) return false;
    const std::string input_path = staging_path(k_ccpp_in_name);
    const std::string output_path = staging_path(k_ccpp_out_name);
    if (!stage_run_files(input_path, ccpp_text, output_path)) return false;
    // Both runs share the output file: the compute run reads what the parse
    // run left there. Their standard output is not shown.
    run_process(get_kernel_path(), ccpp_parse_arguments(input_path, output_path));
    run_process(get_kernel_path(),
                ccpp_compute_arguments(input_path, output_path, profiling, execute_mode));
    return true;
}
