#include "kernel/job_table.h"

#include "kernel/kernel_arguments.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "platform/trace.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <system_error>
#include <thread>

namespace {

constexpr auto k_runner_pause = std::chrono::milliseconds(5);

// Slots that have both a state and a job entry; the two agree whenever the
// run was set up with set_up_kernel_jobs.
std::size_t job_slot_count(const KernelJobRun& run)
{
    return std::min(run.table.states.size(), run.jobs.work.size());
}

void call_if_set(KernelJobCallback callback, KernelJobRun& run)
{
    if (callback) callback(run);
}

// Calls the completion callback of every finished slot and marks it
// collected. The acquire load makes the worker's results visible.
void collect_finished_jobs(KernelJobRun& run)
{
    for (std::size_t j = 0; j < job_slot_count(run); ++j) {
        auto& state = run.table.states[j];
        if (state.load(std::memory_order_acquire) != JOB_FINISHED) continue;
        call_if_set(run.jobs.completion[j], run);
        state.store(JOB_COLLECTED, std::memory_order_relaxed);
    }
}

void wait_for_room(KernelJobRun& run)
{
    const std::int32_t limit = std::max<std::int32_t>(1, run.settings.max_parallel_jobs);
    while (run.running_jobs >= limit) {
        collect_finished_jobs(run);
        std::this_thread::sleep_for(k_runner_pause);
    }
}

// A worker that cannot get a thread runs here instead, so its slot still
// finishes and the runner never waits for a job that never started.
std::thread start_worker(KernelJobCallback work, KernelJobRun& run)
{
    try {
        return std::thread(work, std::ref(run));
    } catch (const std::system_error&) {
        work(run);
        return std::thread();
    }
}

void run_slot(KernelJobRun& run, std::size_t slot)
{
    KernelJobTable& table = run.table;
    if (table.runs_kernel[slot]) {
        const std::int64_t start = now_ms();
        const TextList arguments = assemble_arguments(
            table.input_paths[slot], table.output_paths[slot], run.ppd != 0, run.ccpp_out_path);
        ProcessResult result = run_process_with_status(run.settings.kernel_path, arguments);
        table.outputs[slot] = std::move(result.output);
        table.run_failed[slot] = process_failed(result) ? 1 : 0;
        table.end_ms[slot] = static_cast<std::uint32_t>(now_ms());
        table.start_ms[slot] = static_cast<std::uint32_t>(start);
    }
    table.states[slot].store(JOB_FINISHED, std::memory_order_release);
}

} // namespace

void set_up_kernel_jobs(KernelJobRun& run, std::int32_t count)
{
    const std::size_t size = static_cast<std::size_t>(std::max<std::int32_t>(0, count));
    KernelJobTable& table = run.table;
    table.count = static_cast<std::int32_t>(size);
    table.states = std::vector<std::atomic<std::uint32_t>>(size);
    table.input_paths.assign(size, std::string());
    table.output_paths.assign(size, std::string());
    table.runs_kernel.assign(size, 0);
    table.outputs.assign(size, std::string());
    table.run_failed.assign(size, 0);
    table.start_ms.assign(size, 0);
    table.end_ms.assign(size, 0);
    KernelJobList& jobs = run.jobs;
    jobs.start.assign(size, nullptr);
    jobs.work.assign(size, nullptr);
    jobs.completion.assign(size, nullptr);
    jobs.push_index = 0;
    run.running_jobs = 0;
    run.finished_jobs = 0;
}

bool push_kernel_job(KernelJobRun& run, KernelJobCallback start, KernelJobCallback work,
                     KernelJobCallback completion)
{
    KernelJobList& jobs = run.jobs;
    const std::size_t index = static_cast<std::size_t>(jobs.push_index);
    if (index >= jobs.work.size()) return false;
    jobs.start[index] = start;
    jobs.work[index] = work;
    jobs.completion[index] = completion;
    ++jobs.push_index;
    return true;
}

void run_kernel_jobs(KernelJobRun& run)
{
    std::vector<std::thread> workers(job_slot_count(run));
    for (std::size_t i = 0; i < workers.size(); ++i) {
        wait_for_room(run);
        call_if_set(run.jobs.start[i], run);
        if (run.jobs.work[i]) workers[i] = start_worker(run.jobs.work[i], run);
        std::this_thread::sleep_for(k_runner_pause);
    }
    for (std::thread& worker : workers) {
        if (worker.joinable()) worker.join();
    }
    collect_finished_jobs(run);
}

void step_counter_up(KernelJobRun& run)
{
    ++run.running_jobs;
}

void step_counter_down(KernelJobRun& run)
{
    --run.running_jobs;
    ++run.finished_jobs;
}

void kernel_job_entry(KernelJobRun& run)
{
    call_if_set(run.body, run);
}

std::int32_t claim_kernel_job_slot(KernelJobTable& table)
{
    for (std::size_t slot = 0; slot < table.states.size(); ++slot) {
        std::uint32_t expected = JOB_FREE;
        if (table.states[slot].compare_exchange_strong(expected, JOB_TAKEN,
                                                       std::memory_order_acq_rel))
            return static_cast<std::int32_t>(slot);
    }
    return -1;
}

void launch_kernel_job(KernelJobRun& run)
{
    const std::int32_t slot = claim_kernel_job_slot(run.table);
    if (slot < 0) {
        trace_line("*** INDEX-GRAB-ISSUE !!!");
        return;
    }
    run_slot(run, static_cast<std::size_t>(slot));
}
