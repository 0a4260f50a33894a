// Parallel kernel jobs: 8 elements whose stand-in runs each sleep a fixed
// time, run with a job limit of 1 and of 4. The ratio of the two real times
// is the speed-up the job runner gives.

#include "kernel/job_table.h"
#include "kernel/staging.h"
#include "platform/kernel_config.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

constexpr std::int32_t k_elements = 8;
const std::string k_element_logic = "stub(\"delay\", 100);\nreturn cube;";

void stage_elements()
{
    set_up_kernel_jobs(g_sub_element_table, k_elements);
    g_kernel_job_body = launch_sub_element_job;
    for (std::int32_t i = 0; i < k_elements; ++i) {
        const std::size_t slot = static_cast<std::size_t>(i);
        g_sub_element_table.input_paths[slot] = numbered_staging_path(k_sub_in_prefix, i);
        g_sub_element_table.output_paths[slot] = numbered_staging_path(k_sub_out_prefix, i);
        const bool staged = stage_run_files(g_sub_element_table.input_paths[slot],
                                            element_blocks_text({element_block(k_element_logic, 2)}),
                                            g_sub_element_table.output_paths[slot]);
        g_sub_element_table.runs_kernel[slot] = staged ? 1 : 0;
    }
    g_running_jobs = 0;
    g_finished_jobs = 0;
    for (std::int32_t i = 0; i < k_elements; ++i)
        push_kernel_job(step_counter_up, kernel_job_entry, step_counter_down);
}

void BM_EightSlowElements(benchmark::State& state)
{
    const std::filesystem::path workspace =
        std::filesystem::temp_directory_path() / ("plim_bench_jobs_" + std::to_string(::getpid()));
    std::filesystem::create_directories(workspace / "tmp");
    set_workspace_path(workspace.string());
    if (!set_kernel_path(PLIM_STANDIN_PATH)) {
        state.SkipWithError("stand-in kernel missing");
        return;
    }
    g_max_parallel_jobs = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        stage_elements();
        state.ResumeTiming();
        run_kernel_jobs(g_sub_element_table);
    }
    reset_kernel_jobs(g_sub_element_table);
    std::filesystem::remove_all(workspace);
}

} // namespace

BENCHMARK(BM_EightSlowElements)->ArgName("job_limit")->Arg(1)->Arg(4)->Iterations(3)->UseRealTime()->Unit(
    benchmark::kMillisecond);
