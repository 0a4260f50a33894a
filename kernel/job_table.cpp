#include "kernel/job_table.h"

#include "kernel/kernel_arguments.h"
#include "platform/clock.h"
#include "platform/kernel_config.h"
#include "platform/process.h"
#include "platform/trace.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

KernelJobTable g_sub_element_table;
KernelJobTable g_batch_table;
KernelJobList g_kernel_jobs;
std::int32_t g_running_jobs = 0;
std::int32_t g_finished_jobs = 0;
std::int32_t g_max_parallel_jobs = 4;
std::uint8_t g_kernel_job_ppd = 0;
KernelJobCallback g_kernel_job_body = nullptr;

namespace {

constexpr auto k_runner_pause = std::chrono::milliseconds(5);

// Slots that have both a state and a job entry; the two agree whenever the
// table was set up with set_up_kernel_jobs.
std::size_t job_slot_count(const KernelJobTable& table)
{
    return std::min(table.states.size(), g_kernel_jobs.work.size());
}

void call_if_set(KernelJobCallback callback)
{
    if (callback) callback();
}

// Calls the completion callback of every finished slot and marks it
// collected. The acquire load makes the worker's results visible.
void collect_finished_jobs(KernelJobTable& table)
{
    for (std::size_t j = 0; j < job_slot_count(table); ++j) {
        auto& state = table.states[j];
        if (state.load(std::memory_order_acquire) != JOB_FINISHED) continue;
        call_if_set(g_kernel_jobs.completion[j]);
        state.store(JOB_COLLECTED, std::memory_order_relaxed);
    }
}

void wait_for_room(KernelJobTable& table)
{
    const std::int32_t limit = std::max<std::int32_t>(1, g_max_parallel_jobs);
    while (g_running_jobs >= limit) {
        collect_finished_jobs(table);
        std::this_thread::sleep_for(k_runner_pause);
    }
}

// A worker that cannot get a thread runs here instead, so its slot still
// finishes and the runner never waits for a job that never started.
std::thread start_worker(KernelJobCallback work)
{
    try {
        return std::thread(work);
    } catch (const std::system_error&) {
        work();
        return std::thread();
    }
}

void run_slot(KernelJobTable& table, std::size_t slot)
{
    if (table.runs_kernel[slot]) {
        const std::int64_t start = now_ms();
        const TextList arguments =
            assemble_arguments(table.input_paths[slot], table.output_paths[slot],
                               g_kernel_job_ppd != 0, g_ccpp_out_path);
        ProcessResult run = run_process_with_status(get_kernel_path(), arguments);
        table.outputs[slot] = std::move(run.output);
        table.run_failed[slot] = process_failed(run) ? 1 : 0;
        table.end_ms[slot] = static_cast<std::uint32_t>(now_ms());
        table.start_ms[slot] = static_cast<std::uint32_t>(start);
    }
    table.states[slot].store(JOB_FINISHED, std::memory_order_release);
}

} // namespace

void set_up_kernel_jobs(KernelJobTable& table, std::int32_t count)
{
    const std::size_t size = static_cast<std::size_t>(std::max<std::int32_t>(0, count));
    table.count = static_cast<std::int32_t>(size);
    table.states = std::vector<std::atomic<std::uint32_t>>(size);
    table.input_paths.assign(size, std::string());
    table.output_paths.assign(size, std::string());
    table.runs_kernel.assign(size, 0);
    table.outputs.assign(size, std::string());
    table.run_failed.assign(size, 0);
    table.start_ms.assign(size, 0);
    table.end_ms.assign(size, 0);
    g_kernel_jobs.start.assign(size, nullptr);
    g_kernel_jobs.work.assign(size, nullptr);
    g_kernel_jobs.completion.assign(size, nullptr);
    g_kernel_jobs.push_index = 0;
}

void reset_kernel_jobs(KernelJobTable& table)
{
    set_up_kernel_jobs(table, 0);
    g_ccpp_out_path.clear();
    g_kernel_job_ppd = 0;
    g_kernel_job_body = nullptr;
}

bool push_kernel_job(KernelJobCallback start, KernelJobCallback work, KernelJobCallback completion)
{
    const std::size_t index = static_cast<std::size_t>(g_kernel_jobs.push_index);
    if (index >= g_kernel_jobs.work.size()) return false;
    g_kernel_jobs.start[index] = start;
    g_kernel_jobs.work[index] = work;
    g_kernel_jobs.completion[index] = completion;
    ++g_kernel_jobs.push_index;
    return true;
}

void run_kernel_jobs(KernelJobTable& table)
{
    std::vector<std::thread> workers(job_slot_count(table));
    for (std::size_t i = 0; i < workers.size(); ++i) {
        wait_for_room(table);
        call_if_set(g_kernel_jobs.start[i]);
        if (g_kernel_jobs.work[i]) workers[i] = start_worker(g_kernel_jobs.work[i]);
        std::this_thread::sleep_for(k_runner_pause);
    }
    for (std::thread& worker : workers) {
        if (worker.joinable()) worker.join();
    }
    collect_finished_jobs(table);
}

void step_counter_up()
{
    ++g_running_jobs;
}

void step_counter_down()
{
    --g_running_jobs;
    ++g_finished_jobs;
}

void kernel_job_entry()
{
    call_if_set(g_kernel_job_body);
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

void launch_kernel_job(KernelJobTable& table)
{
    const std::int32_t slot = claim_kernel_job_slot(table);
    if (slot < 0) {
        trace_line("*** INDEX-GRAB-ISSUE !!!");
        return;
    }
    run_slot(table, static_cast<std::size_t>(slot));
}

void launch_sub_element_job()
{
    launch_kernel_job(g_sub_element_table);
}

void launch_batch_job()
{
    launch_kernel_job(g_batch_table);
}
