#include "kernel/assemble_runs.h"
#include "kernel/assembly_kinds.h"
#include "kernel/staging.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

namespace {

const std::string k_cube = "return cube;";
const std::string k_ball = "return sphere(1);";

std::string block(const std::string& logic)
{
    return element_block(logic, 2);
}

using AssemblyKinds = StandinWorkspaceTest;

// Result i carries its index, batch and execute mode.
void expect_stamped(const ElementResults& got, std::size_t i, std::int32_t batch,
                    std::uint32_t mode)
{
    ASSERT_LT(i, got.size());
    ASSERT_NE(got[i], nullptr) << "element " << i;
    EXPECT_EQ(got[i]->result_index, static_cast<std::int32_t>(i)) << "element " << i;
    EXPECT_EQ(got[i]->batch_id, batch) << "element " << i;
    EXPECT_EQ(got[i]->execute_mode, mode) << "element " << i;
}

} // namespace

// An element without logic, or outside the mask, is staged as an empty block
// and gets no mesh; so does every element when the kernel writes nothing.
TEST_F(AssemblyKinds, SingleStagesEmptyBlocksAndFollowsTheMask)
{
    const ElementResults& got =
        keep(reassemble_script(settings, {{"a", k_cube}, {"b", ""}, {"c", k_ball}}, {}, {}, false,
                               false, 2, ASSEMBLY_SINGLE));
    EXPECT_EQ(read_tmp("plim_assemble_in"), "3;\n" + block(k_cube) + "{ };\n" + block(k_ball));
    ASSERT_EQ(got.size(), 3u);
    expect_stamped(got, 0, -1, 2);
    EXPECT_EQ(got[1], nullptr);
    expect_stamped(got, 2, -1, 2);
    EXPECT_EQ(got[2]->element_name, "c");
    EXPECT_EQ(got[2]->element_logic, k_ball);
    EXPECT_EQ(got[2]->kernel_time_ms, 0xFFFFFFFFu) << "one run for all: no time per element";
    EXPECT_EQ(got[2]->run_time_ms, -1);

    const ParallelElementList elements = {{"a", k_cube}, {"b", k_ball}, {"c", k_cube}};
    const ElementResults& masked =
        keep(assemble_single(settings, elements, {false, true, false}, false, false, 2));
    EXPECT_EQ(read_tmp("plim_assemble_in"), "3;\n{ };\n" + block(k_ball) + "{ };\n");
    EXPECT_NE(masked[1], nullptr);
    EXPECT_EQ(masked, (ElementResults{nullptr, masked[1], nullptr}));

    const ElementResults& none =
        keep(assemble_single(settings, elements, {true, true}, false, false, 2));
    EXPECT_EQ(read_tmp("plim_assemble_in"), "3;\n{ };\n{ };\n{ };\n")
        << "a mask of another length admits nothing";
    EXPECT_EQ(none, (ElementResults{nullptr, nullptr, nullptr}));

    const std::string no_output = "stub(\"fault\", \"no-output\");\nreturn cube;";
    const ElementResults& failed =
        keep(assemble_single(settings, {{"a", no_output}, {"b", k_ball}}, {}, false, false, 2));
    EXPECT_EQ(failed, (ElementResults{nullptr, nullptr}));
}

TEST_F(AssemblyKinds, AMaskedSubElementAssemblyRestagesAndReadsOnlyAdmittedElements)
{
    keep(assemble_parallel_sub(settings, {{"a", k_cube}, {"b", k_cube}, {"c", k_cube}}, {}, false,
                               false, 2));
    const ElementResults& got =
        keep(assemble_parallel_sub(settings, {{"a", k_ball}, {"b", k_ball}, {"c", k_ball}},
                                   {false, true, false}, false, false, 2));
    EXPECT_EQ(read_tmp("plim_assemble_in_sub_0"), "1;\n" + block(k_cube));
    EXPECT_EQ(read_tmp("plim_assemble_in_sub_1"), "1;\n" + block(k_ball));
    EXPECT_EQ(read_tmp("plim_assemble_in_sub_2"), "1;\n" + block(k_cube));
    EXPECT_EQ(runs().size(), 6u);
    EXPECT_EQ(got[0], nullptr);
    ASSERT_NE(got[1], nullptr);
    EXPECT_EQ(got[1]->element_logic, k_ball);
    EXPECT_EQ(got[2], nullptr);
}

TEST_F(AssemblyKinds, BatchesRunOneJobEachAndStampTheirIds)
{
    const ParallelElementList elements = {{"a", k_cube}, {"b", k_ball}, {"c", ""}, {"d", k_cube}};
    const ElementResults& got = keep(reassemble_script(settings, elements, {}, {{0, 2}, {1, 3}},
                                                       false, false, 1, ASSEMBLY_PARALLEL));
    EXPECT_EQ(read_tmp("plim_assemble_in_batch_0"), "2;\n" + element_block(k_cube, 1) + "{ };\n");
    EXPECT_EQ(read_tmp("plim_assemble_in_batch_1"),
              "2;\n" + element_block(k_ball, 1) + element_block(k_cube, 1));
    EXPECT_EQ(runs().size(), 2u);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[2], nullptr);
    for (const auto& [e, batch] : {std::pair{0u, 0}, {1u, 1}, {3u, 1}}) {
        expect_stamped(got, e, batch, 1);
        EXPECT_EQ(got[e]->kernel_time_ms, 0xFFFFFFFFu);
    }

    // One batch per element stamps no batch ids.
    const ElementResults& alone =
        keep(reassemble_script(settings, {{"a", k_cube}, {"b", k_ball}}, {}, {{0}, {1}}, false,
                               false, 2, ASSEMBLY_PARALLEL));
    expect_stamped(alone, 0, -1, 2);
    expect_stamped(alone, 1, -1, 2);
}

TEST_F(AssemblyKinds, ABatchWithTheWrongMeshCountGivesNoResults)
{
    const ParallelElementList elements = {
        {"a", k_cube}, {"b", "stub(\"fault\", \"missing-mesh\");\nreturn cube;"}, {"c", k_ball}};
    const ElementResults& got =
        keep(assemble_parallel_batches(settings, elements, {{0, 1}, {2}}, false, false, 2));
    EXPECT_EQ(got[0], nullptr);
    EXPECT_EQ(got[1], nullptr);
    EXPECT_NE(got[2], nullptr);
}

TEST_F(AssemblyKinds, CcppRunsComeFirstAndEveryAssemblyRunNamesTheirResult)
{
    const ParallelElementList elements = {{"a", k_cube}, {"b", k_ball}};
    const auto assemble_every_kind = [&](bool ccpp) {
        keep(reassemble_script(settings, elements, {}, {}, ccpp, false, 2, ASSEMBLY_SINGLE));
        keep(reassemble_script(settings, elements, {}, {}, ccpp, false, 2, ASSEMBLY_PARALLEL));
        keep(
            reassemble_script(settings, elements, {}, {{0, 1}}, ccpp, false, 2, ASSEMBLY_PARALLEL));
    };
    ASSERT_TRUE(run_ccpp_compute(settings, "k = 1;", 2, false));
    assemble_every_kind(true);
    const std::vector<StandinRun> with_ccpp = runs();
    ASSERT_EQ(with_ccpp.size(), 2u + 1u + 2u + 1u);
    EXPECT_EQ(with_ccpp[0].arguments.back(), "-ccpp");
    EXPECT_EQ(with_ccpp[1].arguments[1], "-compute");
    const TextList ccpp_tail = {"-ccpp", tmp_file("plim_assemble_ccpp_out")};
    for (std::size_t i = 2; i < with_ccpp.size(); ++i) {
        const TextList& arguments = with_ccpp[i].arguments;
        ASSERT_EQ(arguments.size(), 6u) << "run " << i;
        EXPECT_EQ(arguments[1], "-assemble");
        EXPECT_EQ(TextList(arguments.end() - 2, arguments.end()), ccpp_tail) << "run " << i;
    }

    fs::remove(log_path);
    assemble_every_kind(false);
    const std::vector<StandinRun> without = runs();
    ASSERT_EQ(without.size(), 4u);
    EXPECT_EQ(runs_naming(without, "-ccpp"), 0);

    fs::remove(log_path);
    EXPECT_TRUE(keep(reassemble_script(settings, elements, {}, {}, false, false, 2, 2)).empty())
        << "unknown kind";
    EXPECT_TRUE(runs().empty());
}

namespace {

// Two batch prefixes and an inline element without one.
class ScriptAssembly : public StandinWorkspaceTest {
protected:
    void SetUp() override
    {
        StandinWorkspaceTest::SetUp();
        script = (workspace / "parallel.plim").string();
        write_text_file(
            "#PARALLEL;\n"
            "#PRE{ k = 1; };\n"
            "#POST{ return ret; };\n"
            "#PLIM(a){ ret = cube; };\n"
            "#PLIM(b){ ret = sphere(k); };\n"
            "return{ sub(0 | a), sub(0 | b), sub(1 | a), sub(c){ ret = cube.tx(2); } };\n",
            script);
    }

    std::string script;
};

} // namespace

TEST_F(ScriptAssembly, SingleKindAssemblesEveryElementInOneRunParallelKindOneRunEach)
{
    const ElementResults& single =
        keep(assemble_script(settings, script, 2, ASSEMBLY_SINGLE, false, false, false));
    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].arguments[1], "-parse");
    EXPECT_EQ(log[1].arguments[1], "-assemble");
    ASSERT_EQ(single.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        expect_stamped(single, i, -1, 2);
    EXPECT_EQ(single[1]->element_name, "0 | b");
    EXPECT_EQ(single[1]->element_logic, "k = 1;\nret = sphere(k);\nreturn ret;");

    fs::remove(log_path);
    const ElementResults& parallel =
        keep(assemble_script(settings, script, 1, ASSEMBLY_PARALLEL, false, false, false));
    EXPECT_EQ(runs().size(), 1u + 4u);
    ASSERT_EQ(parallel.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        expect_stamped(parallel, i, -1, 1);

    fs::remove(log_path);
    EXPECT_TRUE(keep(assemble_script(settings, script, 2, 5, false, false, false)).empty())
        << "an unknown kind";
    EXPECT_EQ(runs().size(), 1u) << "an unknown kind only parses";
}

TEST_F(ScriptAssembly, BatchedKindGroupsByPrefixAndStampsTheBatches)
{
    const ElementResults& got =
        keep(assemble_script(settings, script, 2, ASSEMBLY_PARALLEL, true, false, true));
    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 1u + 3u);
    EXPECT_EQ(log[1].arguments[1], "-assemble-ppd");
    EXPECT_EQ(read_tmp("plim_assemble_in_batch_0").substr(0, 3), "2;\n");
    ASSERT_EQ(got.size(), 4u);
    const std::int32_t batch[] = {0, 0, 1, 2};
    const char* names[] = {"a", "b", "a", "c"};
    for (std::size_t i = 0; i < 4; ++i) {
        expect_stamped(got, i, batch[i], 2);
        EXPECT_EQ(got[i]->element_name, names[i]);
    }
}
