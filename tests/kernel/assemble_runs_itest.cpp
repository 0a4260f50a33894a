#include "kernel/assemble_runs.h"
#include "kernel/staging.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

using AssembleRuns = StandinWorkspaceTest;

TEST_F(AssembleRuns, OneLogicIsStagedAssembledAndStampedWithItsMode)
{
    Mesh* mesh = keep(run_assemble(settings, "return cube;", 1, false));
    EXPECT_EQ(
        read_tmp("plim_assemble_in"),
        "1;\n\n{\n// directives\n#execute_mode:basic_csg_mesh;\n// logic\nreturn cube;\n};\n");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->valid, 1);
    EXPECT_EQ(mesh->execute_mode, 1u);
    EXPECT_EQ(mesh->algorithm, 1u);
    EXPECT_GE(mesh->run_time_ms, 0);
    EXPECT_NE(g_kernel_output_texts[0], "");
    EXPECT_EQ(g_kernel_output_texts[1], "");
    EXPECT_EQ(g_kernel_output_texts[2], "");
    EXPECT_EQ(g_kernel_output_texts[3], "");

    Mesh* optimal = keep(run_assemble_optimal(settings, "return cube;"));
    Mesh* profiled = keep(run_assemble(settings, "return cube;", 0, true));
    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].arguments, (TextList{"-interop", "-assemble", tmp_file("plim_assemble_in"),
                                          tmp_file("plim_assemble_out")}));
    EXPECT_EQ(log[1].arguments[1], "-assemble");
    EXPECT_EQ(log[2].arguments[1], "-assemble-ppd");
    ASSERT_NE(optimal, nullptr);
    EXPECT_EQ(optimal->execute_mode, 2u);
    ASSERT_NE(profiled, nullptr);
    EXPECT_NE(profiled->mesh_name, "");
}

// A stale output file must never be read as this run's mesh.
TEST_F(AssembleRuns, AKernelThatWritesNothingGivesNullNotThePreviousMesh)
{
    const std::string no_output = "stub(\"fault\", \"no-output\");\nreturn cube;";
    ASSERT_NE(keep(run_assemble(settings, "return cube;", 2, false)), nullptr);
    EXPECT_EQ(keep(run_assemble(settings, no_output, 2, false)), nullptr);
    EXPECT_EQ(runs().size(), 2u);

    write_text_file("not a mesh file", tmp_file("plim_assemble_out"));
    EXPECT_EQ(keep(run_assemble_scripts(settings, {no_output, "return cube;"}, {2, 2}, false)),
              (std::vector<Mesh*>{nullptr, nullptr}));
}

TEST_F(AssembleRuns, AnUnstageableRunIsSkippedWithATraceLine)
{
    fs::create_directories(tmp_file("plim_assemble_in"));
    TraceCapture trace;
    EXPECT_EQ(run_assemble(settings, "return cube;", 2, false), nullptr);
    EXPECT_EQ(trace.text(), "ERROR-WRITING-STAGING-FILE: " + tmp_file("plim_assemble_in") + "\n");
    EXPECT_TRUE(runs().empty());
    EXPECT_EQ(g_kernel_output_texts[0], "");
}

TEST_F(AssembleRuns, SeveralLogicsInOneRunEachGetTheirOwnMode)
{
    const auto& got = keep(run_assemble_scripts(
        settings, {"return cube;", "return sphere(1);", "return cone(1, 2, 8);"}, {0, 2, 1},
        false));
    EXPECT_EQ(read_tmp("plim_assemble_in"),
              assemble_list_text({"return cube;", "return sphere(1);", "return cone(1, 2, 8);"},
                                 {0, 2, 1}));
    ASSERT_EQ(got.size(), 3u);
    const std::uint32_t modes[] = {0, 2, 1};
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_NE(got[i], nullptr);
        EXPECT_EQ(got[i]->execute_mode, modes[i]);
    }
}

TEST_F(AssembleRuns, TooFewMeshesArePaddedWithNulls)
{
    const std::string missing = "stub(\"fault\", \"missing-mesh\");\nreturn cube;";
    const auto& got = keep(run_assemble_scripts(settings, {"return cube;", missing, "return cube;"},
                                                {0, 2, 2}, false));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_NE(got[0], nullptr);
    EXPECT_NE(got[1], nullptr);
    EXPECT_EQ(got[2], nullptr);
}

TEST_F(AssembleRuns, CcppParsesThenComputesIntoOneOutputAndLeavesTheConsoleAlone)
{
    EXPECT_FALSE(run_ccpp_compute(settings, " \t\n", 2, false))
        << "a blank text stages and runs nothing";
    EXPECT_FALSE(fs::exists(tmp_file("plim_assemble_ccpp_in")));
    EXPECT_FALSE(fs::exists(tmp_file("plim_assemble_ccpp_out")));
    EXPECT_TRUE(runs().empty());

    EXPECT_TRUE(run_ccpp_compute(settings, "k = 0.75;", 1, false));
    EXPECT_TRUE(run_ccpp_compute(settings, "k = 0.75;", 2, true));
    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 4u);
    const std::string in = tmp_file("plim_assemble_ccpp_in");
    const std::string out = tmp_file("plim_assemble_ccpp_out");
    EXPECT_EQ(log[0].arguments, (TextList{"-interop", "-parse", in, out, "-ccpp"}));
    EXPECT_EQ(log[1].arguments, (TextList{"-interop", "-compute", in, out, "1"}));
    EXPECT_EQ(log[3].arguments, (TextList{"-interop", "-compute-ppd", in, out, "2"}));
    EXPECT_EQ(read_tmp("plim_assemble_ccpp_in"), "k = 0.75;");
    EXPECT_EQ(read_tmp("plim_assemble_ccpp_out").rfind("PLIM-STANDIN-CCPP computed", 0), 0u);
    EXPECT_EQ(g_kernel_output_texts[0], "kernel");
    EXPECT_EQ(g_kernel_output_texts[3], "error");
}
