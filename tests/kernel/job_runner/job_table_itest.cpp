#include "kernel/job_table.h"
#include "kernel/staging.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

namespace {

const std::string k_slow_logic = "stub(\"delay\", 300);\nreturn cube;";

class KernelJobsWithStandin : public StandinWorkspaceTest {
protected:
    void SetUp() override
    {
        StandinWorkspaceTest::SetUp();
        saved_limit_ = g_max_parallel_jobs;
    }
    void TearDown() override
    {
        g_max_parallel_jobs = saved_limit_;
        reset_kernel_jobs(g_sub_element_table);
        StandinWorkspaceTest::TearDown();
    }

    // One slot per logic; an empty logic gets a slot without a kernel run,
    // as sub-element assembly sets it up.
    void stage_slots(const TextList& logics)
    {
        set_up_kernel_jobs(g_sub_element_table, static_cast<std::int32_t>(logics.size()));
        g_kernel_job_body = launch_sub_element_job;
        for (std::size_t i = 0; i < logics.size(); ++i) {
            const std::int32_t index = static_cast<std::int32_t>(i);
            g_sub_element_table.input_paths[i] = numbered_staging_path(k_sub_in_prefix, index);
            g_sub_element_table.output_paths[i] = numbered_staging_path(k_sub_out_prefix, index);
            if (logics[i].empty())
                continue;
            ASSERT_TRUE(stage_run_files(g_sub_element_table.input_paths[i],
                                        element_blocks_text({element_block(logics[i], 2)}),
                                        g_sub_element_table.output_paths[i]));
            g_sub_element_table.runs_kernel[i] = 1;
        }
    }

    void run_one_job_per_slot()
    {
        g_running_jobs = 0;
        g_finished_jobs = 0;
        for (std::int32_t i = 0; i < g_sub_element_table.count; ++i)
            ASSERT_TRUE(push_kernel_job(step_counter_up, kernel_job_entry, step_counter_down));
        run_kernel_jobs(g_sub_element_table);
    }

    std::int32_t saved_limit_ = 4;
};

} // namespace

TEST_F(KernelJobsWithStandin, AtMostFourSlowRunsOverlapAndEveryElementRunsOnce)
{
    g_max_parallel_jobs = 4;
    TextList logics(10, k_slow_logic);
    // Elements without logic between them must not swallow a run.
    logics.insert(logics.begin() + 1, "");
    logics.insert(logics.begin() + 6, "");
    stage_slots(logics);
    run_one_job_per_slot();

    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 10u);
    EXPECT_LE(most_overlapping_runs(log), 4);
    EXPECT_GE(most_overlapping_runs(log), 2);
    for (std::size_t i = 0; i < logics.size(); ++i) {
        const int expected = logics[i].empty() ? 0 : 1;
        EXPECT_EQ(runs_naming(log, g_sub_element_table.input_paths[i]), expected) << "element " << i;
        EXPECT_EQ(fs::exists(g_sub_element_table.output_paths[i]) && fs::file_size(g_sub_element_table.output_paths[i]) > 0,
                  expected == 1)
            << "element " << i;
    }
    EXPECT_EQ(g_finished_jobs, 12);
    EXPECT_EQ(g_running_jobs, 0);
}

TEST_F(KernelJobsWithStandin, WorkersPassTheProfilingFlagAndTheCcppPath)
{
    stage_slots({"return cube;", "return sphere(1);"});
    g_kernel_job_ppd = 1;
    g_ccpp_out_path = staging_path(k_ccpp_out_name);
    run_one_job_per_slot();

    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 2u);
    for (const StandinRun& run : log) {
        ASSERT_EQ(run.arguments.size(), 6u);
        EXPECT_EQ(run.arguments[0], "-interop");
        EXPECT_EQ(run.arguments[1], "-assemble-ppd");
        EXPECT_EQ(run.arguments[4], "-ccpp");
        EXPECT_EQ(run.arguments[5], staging_path(k_ccpp_out_name));
    }
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(runs_naming(log, g_sub_element_table.input_paths[i]), 1);
        EXPECT_NE(g_sub_element_table.outputs[i], "");
        EXPECT_LE(g_sub_element_table.start_ms[i], g_sub_element_table.end_ms[i]);
    }
}

TEST_F(KernelJobsWithStandin, ALimitOfOneRunsTheKernelOneAtATime)
{
    g_max_parallel_jobs = 1;
    stage_slots(TextList(3, "stub(\"delay\", 50);\nreturn cube;"));
    run_one_job_per_slot();
    const std::vector<StandinRun> log = runs();
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(most_overlapping_runs(log), 1);
}
