// Sub-element assembly of 8 parallel elements whose stand-in runs each sleep
// a fixed time, under a job limit of 1 and of 4. The ratio of the two real
// times is the speed-up the job runner gives; staging and reading the meshes
// back are included.

#include "kernel/assemble_runs.h"
#include "kernel/assembly_kinds.h"
#include "platform/kernel_config.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

constexpr int k_elements = 8;
const std::string k_element_logic = "stub(\"delay\", 250);\nreturn cube;";

void BM_EightSlowElements(benchmark::State& state)
{
    const std::filesystem::path workspace =
        std::filesystem::temp_directory_path() / ("plim_bench_jobs_" + std::to_string(::getpid()));
    std::filesystem::create_directories(workspace / "tmp");
    if (!std::filesystem::exists(PLIM_STANDIN_PATH)) {
        state.SkipWithError("stand-in kernel missing");
        return;
    }
    const KernelSettings settings{PLIM_STANDIN_PATH, workspace.string(),
                                  static_cast<std::int32_t>(state.range(0))};
    const ParallelElementList elements(k_elements, ParallelElement{"slow", k_element_logic});
    for (auto _ : state) {
        for (Mesh* mesh : assemble_parallel_sub(settings, elements, ElementMask(), false, false, 2))
            discard_mesh(mesh);
    }
    std::filesystem::remove_all(workspace);
}

} // namespace

BENCHMARK(BM_EightSlowElements)
    ->ArgName("job_limit")
    ->Arg(1)
    ->Arg(4)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
