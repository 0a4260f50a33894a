#include "kernel/job_table.h"

#include "tests/kernel/run_workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// What the fake workers saw; the workers write only atomics.
std::atomic<int> g_active_bodies{0};
std::atomic<int> g_most_active_bodies{0};
std::atomic<int> g_body_calls{0};
std::vector<std::atomic<int>> g_claims_per_slot(64);

// Stands in for a kernel run: claims a slot like the real worker, stays busy
// for a while and publishes the slot as finished.
void busy_body(KernelJobRun& run)
{
    ++g_body_calls;
    const std::int32_t slot = claim_kernel_job_slot(run.table);
    ASSERT_GE(slot, 0);
    ++g_claims_per_slot[static_cast<std::size_t>(slot)];
    const int now_active = ++g_active_bodies;
    int most = g_most_active_bodies.load();
    while (now_active > most && !g_most_active_bodies.compare_exchange_weak(most, now_active))
        continue;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    --g_active_bodies;
    run.table.states[static_cast<std::size_t>(slot)].store(JOB_FINISHED, std::memory_order_release);
}

class KernelJobRunner : public ::testing::Test {
protected:
    static void forget_runs()
    {
        g_active_bodies = 0;
        g_most_active_bodies = 0;
        g_body_calls = 0;
        for (auto& claims : g_claims_per_slot)
            claims = 0;
    }

    // One job per slot, as the assembly operations push them.
    static void push_jobs(KernelJobRun& run, std::int32_t count, KernelJobCallback body)
    {
        set_up_kernel_jobs(run, count);
        run.body = body;
        for (std::int32_t i = 0; i < count; ++i)
            ASSERT_TRUE(push_kernel_job(run, step_counter_up, kernel_job_entry, step_counter_down));
    }
};

} // namespace

// A limit below one runs one job at a time. The callbacks of jobs that
// finished after the last wait for room are collected too.
TEST_F(KernelJobRunner, NeverRunsMoreThanTheLimitAndClaimsEverySlotOnce)
{
    struct Case {
        std::int32_t limit;
        std::int32_t jobs;
        int fewest_at_once;
        int most_at_once;
    };
    for (const Case& c :
         {Case{4, 10, 2, 4}, Case{0, 3, 1, 1}, Case{-3, 3, 1, 1}, Case{4, 0, 0, 0}}) {
        SCOPED_TRACE("limit " + std::to_string(c.limit) + ", jobs " + std::to_string(c.jobs));
        forget_runs();
        KernelJobRun run;
        run.settings.max_parallel_jobs = c.limit;
        push_jobs(run, c.jobs, busy_body);
        run_kernel_jobs(run);
        EXPECT_EQ(g_body_calls, c.jobs);
        EXPECT_GE(g_most_active_bodies, c.fewest_at_once);
        EXPECT_LE(g_most_active_bodies, c.most_at_once);
        for (std::size_t slot = 0; slot < static_cast<std::size_t>(c.jobs); ++slot) {
            EXPECT_EQ(g_claims_per_slot[slot], 1) << "slot " << slot;
            EXPECT_EQ(run.table.states[slot].load(), JOB_COLLECTED) << "slot " << slot;
        }
        EXPECT_EQ(run.running_jobs, 0);
        EXPECT_EQ(run.finished_jobs, c.jobs);
    }
}

TEST_F(KernelJobRunner, SlotsWithoutAKernelRunFinishAtOnceWithoutTimes)
{
    KernelJobRun run;
    push_jobs(run, 5, launch_kernel_job);
    run_kernel_jobs(run);
    EXPECT_EQ(run.finished_jobs, 5);
    for (std::size_t slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(run.table.states[slot].load(), JOB_COLLECTED);
        EXPECT_EQ(run.table.start_ms[slot], 0u);
        EXPECT_EQ(run.table.outputs[slot], "");
    }
}

TEST(KernelJobSlots, ClaimsTakeTheLowestFreeSlotAndAFullTableIsReported)
{
    KernelJobRun run;
    set_up_kernel_jobs(run, 3);
    KernelJobTable& table = run.table;
    table.states[0] = JOB_FINISHED;
    EXPECT_EQ(claim_kernel_job_slot(table), 1);
    EXPECT_EQ(claim_kernel_job_slot(table), 2);
    EXPECT_EQ(claim_kernel_job_slot(table), -1);

    TraceCapture trace;
    launch_kernel_job(run);
    EXPECT_EQ(trace.text(), "*** INDEX-GRAB-ISSUE !!!\n");
    EXPECT_EQ(table.states[0].load(), JOB_FINISHED);
}

TEST(KernelJobSlots, RacingWorkersClaimEverySlotExactlyOnce)
{
    constexpr int k_slots = 32;
    KernelJobRun run;
    set_up_kernel_jobs(run, k_slots);
    KernelJobTable& table = run.table;
    std::vector<std::int32_t> claimed(k_slots, -1);
    std::atomic<bool> go{false};
    std::vector<std::thread> workers;
    for (int w = 0; w < k_slots; ++w) {
        workers.emplace_back([&, w] {
            while (!go.load())
                std::this_thread::yield();
            claimed[static_cast<std::size_t>(w)] = claim_kernel_job_slot(table);
        });
    }
    go = true;
    for (std::thread& worker : workers)
        worker.join();
    std::sort(claimed.begin(), claimed.end());
    for (int slot = 0; slot < k_slots; ++slot)
        EXPECT_EQ(claimed[static_cast<std::size_t>(slot)], slot);
}
