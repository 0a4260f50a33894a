#include "kernel/staging.h"

#include "tests/kernel/run_workspace.h"

#include <gtest/gtest.h>

using StagingTest = RunWorkspaceTest;

TEST_F(StagingTest, PathsLieInTheWorkspaceTmpDirectoryWithOrWithoutATrailingSlash)
{
    const std::string expected = workspace.string() + "/tmp/plim_parse_in";
    EXPECT_EQ(staging_path(settings, k_parse_in_name), expected);
    settings.workspace_path = workspace.string() + "/";
    EXPECT_EQ(staging_path(settings, k_parse_in_name), expected);
    EXPECT_EQ(numbered_staging_path(settings, k_sub_in_prefix, 0),
              workspace.string() + "/tmp/plim_assemble_in_sub_0");
    EXPECT_EQ(numbered_staging_path(settings, k_batch_out_prefix, 12),
              workspace.string() + "/tmp/plim_assemble_out_batch_12");
}

TEST(StagingTexts, AssembleTextsNameTheModeInTheirDirectiveBlock)
{
    EXPECT_EQ(assemble_text("cube();", 1),
              "1;\n\n{\n// directives\n#execute_mode:basic_csg_mesh;\n// logic\ncube();\n};\n");
    EXPECT_EQ(assemble_list_text({"a();", "b();"}, {0, 2}),
              "2;\n"
              "\n{\n// directives\n#execute_mode:pure_union_mesh;\n// logic\na();\n};\n"
              "\n{\n// directives\n#execute_mode:optimal_csg_mesh;\n// logic\nb();\n};\n");
    // Element blocks have no leading empty line; empty blocks stand in for elements without logic.
    const std::string block = element_block("s();", 2);
    EXPECT_EQ(block, "{\n// directives\n#execute_mode:optimal_csg_mesh;\n// logic\ns();\n};\n");
    EXPECT_EQ(element_blocks_text({block, k_empty_block, block}),
              "3;\n" + block + "{ };\n" + block);
    EXPECT_EQ(element_blocks_text({block}), "1;\n" + block);
    EXPECT_EQ(execute_mode_name(3), "") << "a mode outside the table names nothing";
    EXPECT_EQ(execute_mode_name(-1), "");
}

TEST_F(StagingTest, StagingWritesTheInputAndEmptiesTheOutput)
{
    const std::string in = staging_path(settings, k_assemble_in_name);
    const std::string out = staging_path(settings, k_assemble_out_name);
    write_text_file("stale mesh", out);
    EXPECT_TRUE(stage_run_files(settings, in, "1;\n", out));
    EXPECT_EQ(read_text_file(in), "1;\n");
    EXPECT_TRUE(fs::exists(out));
    EXPECT_EQ(fs::file_size(out), 0u);
}

TEST_F(StagingTest, AnUnwritableStagingFileIsReportedAndRefused)
{
    // A directory where the output file should be.
    fs::create_directories(tmp_file("plim_assemble_out"));
    TraceCapture trace;
    EXPECT_FALSE(stage_run_files(settings, staging_path(settings, k_assemble_in_name), "1;\n",
                                 staging_path(settings, k_assemble_out_name)));
    EXPECT_EQ(trace.text(),
              "ERROR-WRITING-STAGING-FILE: " + staging_path(settings, k_assemble_out_name) + "\n");

    settings.workspace_path = (workspace / "missing").string();
    TraceCapture second;
    EXPECT_FALSE(stage_run_files(settings, staging_path(settings, k_parse_in_name), "x",
                                 staging_path(settings, k_parse_out_name)));
    EXPECT_NE(second.text().find("ERROR-WRITING-STAGING-FILE: "), std::string::npos);
}
