// How kernel runs judge a kernel that fails: by its exit status beside an
// empty record, and by output too large to keep.

#include "kernel/assemble_runs.h"
#include "kernel/assembly_kinds.h"
#include "kernel/parse_runs.h"
#include "platform/process.h"

#include "tests/kernel/hostile_kernel.h"
#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

namespace {

class KernelFaults : public StandinWorkspaceTest {
protected:
    void use_hostile_kernel(const char* behaviour, const char* run)
    {
        settings.kernel_path = write_hostile_kernel(workspace / "hostile");
        ::setenv("PLIM_HOSTILE", behaviour, 1);
        ::setenv("PLIM_HOSTILE_RUN", run, 1);
    }
    void TearDown() override
    {
        ::unsetenv("PLIM_HOSTILE");
        ::unsetenv("PLIM_HOSTILE_RUN");
        ::unsetenv("PLIM_HOSTILE_BYTES");
        StandinWorkspaceTest::TearDown();
    }
};

TEST_F(KernelFaults, AnEmptyRecordIsAnAssemblyErrorOnlyWhenTheKernelFailed)
{
    struct Case {
        const char* behaviour; // "" for the stand-in as it is
        const char* logic;
        bool has_vertices;
        std::int32_t errors;
    };
    const Case cases[] = {
        {"", "return cube;", true, 0},
        {"", "return cube + 1;", false, 1}, // the stand-in exits 1 itself
        {"exit0", "return cube + 1;", false, 0},
        {"exit1", "return cube;", true, 0},
        {"exit1", "return cube + 1;", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.behaviour) + " " + c.logic);
        if (*c.behaviour != '\0') use_hostile_kernel(c.behaviour, "-assemble");
        Mesh* mesh = keep(run_assemble(settings, c.logic, 2, false));
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->vertex_data != nullptr && !mesh->vertex_data->empty(), c.has_vertices);
        EXPECT_EQ(mesh->assembly_error_count, c.errors);
    }
}

TEST_F(KernelFaults, AFailedElementIsCountedInEveryAssemblyKind)
{
    const ParallelElementList elements{{"good", "return cube;"}, {"bad", "return cube + 1;"}};
    const BatchList batches{{0, 1}};
    const ElementResults kinds[] = {
        assemble_single(settings, elements, {}, false, false, 2),
        assemble_parallel_sub(settings, elements, {}, false, false, 2),
        assemble_parallel_batches(settings, elements, batches, false, false, 2),
    };
    for (const ElementResults& results : kinds) {
        ASSERT_EQ(results.size(), 2u);
        for (Mesh* mesh : results)
            ASSERT_NE(keep(mesh), nullptr);
        EXPECT_EQ(results[0]->assembly_error_count, 0);
        EXPECT_EQ(results[1]->assembly_error_count, 1);
    }
}

TEST_F(KernelFaults, OnlyTheFirstPartOfAFloodIsKeptAndTheRestIsCounted)
{
    use_hostile_kernel("flood", "-parse");
    const std::size_t flood = 3 * k_process_output_limit;
    ::setenv("PLIM_HOSTILE_BYTES", std::to_string(flood).c_str(), 1);
    const ParseReport report = run_parse_logic(settings, "ball", "return sphere(1);");
    EXPECT_EQ(report.output_unreadable, 0) << "the run itself succeeded";

    const std::string& kept_text = g_kernel_output_texts[0];
    ASSERT_GT(kept_text.size(), k_process_output_limit);
    const std::size_t line_start = kept_text.rfind('\n', kept_text.size() - 2) + 1;
    const std::string last_line = kept_text.substr(line_start);
    EXPECT_GE(line_start, k_process_output_limit);
    EXPECT_LE(line_start, k_process_output_limit + 1) << "only a closing line feed is added";
    EXPECT_EQ(last_line.rfind("OUTPUT-TRUNCATED: ", 0), 0u) << last_line;
    const std::size_t dropped = std::stoull(last_line.substr(18));
    EXPECT_GT(dropped, flood - k_process_output_limit);
    EXPECT_LT(dropped, flood);
}

} // namespace
