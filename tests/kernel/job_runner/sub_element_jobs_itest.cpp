#include "kernel/assemble_runs.h"
#include "kernel/assembly_kinds.h"
#include "kernel/job_table.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

// Sub-element assembly: the job runner in its real use, with the stand-in
// kernel as the jobs' work. Also run under ThreadSanitizer.

using SubElementJobs = StandinWorkspaceTest;

TEST_F(SubElementJobs, StayWithinTheLimitAndRunEachElementOnce)
{
    settings.max_parallel_jobs = 4;
    ParallelElementList elements;
    for (int i = 0; i < 10; ++i)
        elements.push_back({"slow" + std::to_string(i), "stub(\"delay\", 300);\nreturn cube;"});
    elements.insert(elements.begin() + 2, ParallelElement{"ghost", ""});
    elements.insert(elements.begin() + 7, ParallelElement{"phantom", ""});

    TraceCapture trace;
    const ElementResults& got =
        keep(reassemble_script(settings, elements, {}, {}, false, false, 2, ASSEMBLY_PARALLEL));

    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 10u);
    EXPECT_LE(most_overlapping_runs(log), 4);
    ASSERT_EQ(got.size(), elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const std::string input = tmp_file("plim_assemble_in_sub_" + std::to_string(i));
        if (elements[i].logic.empty()) {
            EXPECT_EQ(runs_naming(log, input), 0) << "element " << i;
            EXPECT_EQ(got[i], nullptr);
            continue;
        }
        EXPECT_EQ(runs_naming(log, input), 1) << "element " << i;
        ASSERT_NE(got[i], nullptr) << "element " << i;
        EXPECT_EQ(got[i]->element_name, elements[i].name);
        EXPECT_EQ(got[i]->result_index, static_cast<std::int32_t>(i));
        EXPECT_NE(got[i]->kernel_time_ms, 0xFFFFFFFFu);
        EXPECT_EQ(static_cast<std::uint32_t>(got[i]->run_time_ms),
                  got[i]->kernel_time_ms + got[i]->read_time_ms);
    }
    EXPECT_NE(trace.text().find("ERROR : UNABLE-TO-RESOLVE-PARALLEL-ELEMENT [ ghost ]\n"),
              std::string::npos);
    EXPECT_NE(trace.text().find("ERROR : UNABLE-TO-RESOLVE-PARALLEL-ELEMENT [ phantom ]\n"),
              std::string::npos);
}

TEST_F(SubElementJobs, AnElementThatWritesNothingYieldsNullNotItsOldMesh)
{
    const std::string ball = "return sphere(1);";
    ASSERT_NE(keep(assemble_parallel_sub(settings, {{"a", "return cube;"}, {"b", ball}}, {}, false,
                                         false, 2))[1],
              nullptr);
    const std::string no_output = "stub(\"fault\", \"no-output\");\nreturn cube;";
    const ElementResults& got = keep(assemble_parallel_sub(
        settings, {{"a", "return cube;"}, {"b", no_output}}, {}, false, false, 2));
    EXPECT_NE(got[0], nullptr);
    EXPECT_EQ(got[1], nullptr);
}
