#include "kernel/staging.h"

#include "tests/kernel/run_workspace.h"

#include <gtest/gtest.h>

// The run tests stage through a workspace path given without its trailing
// "/", read the staged files back and cover unwritable staging files.
using StagingTest = RunWorkspaceTest;

TEST_F(StagingTest, PathsAreTheSameWithATrailingSlashAndAMissingWorkspaceIsRefused)
{
    const std::string expected = workspace.string() + "/tmp/plim_parse_in";
    EXPECT_EQ(staging_path(settings, k_parse_in_name), expected);
    settings.workspace_path = workspace.string() + "/";
    EXPECT_EQ(staging_path(settings, k_parse_in_name), expected);
    EXPECT_EQ(numbered_staging_path(settings, k_batch_out_prefix, 12),
              workspace.string() + "/tmp/plim_assemble_out_batch_12");

    settings.workspace_path = (workspace / "missing").string();
    TraceCapture trace;
    EXPECT_FALSE(stage_run_files(settings, staging_path(settings, k_parse_in_name), "x",
                                 staging_path(settings, k_parse_out_name)));
    EXPECT_NE(trace.text().find("ERROR-WRITING-STAGING-FILE: "), std::string::npos);
}

TEST(StagingTexts, AssembleTextsNameTheModeInTheirDirectiveBlock)
{
    EXPECT_EQ(assemble_list_text({"a();", "b();"}, {0, 2}),
              "2;\n"
              "\n{\n// directives\n#execute_mode:pure_union_mesh;\n// logic\na();\n};\n"
              "\n{\n// directives\n#execute_mode:optimal_csg_mesh;\n// logic\nb();\n};\n");
    // Element blocks have no leading empty line; empty blocks stand in for elements without logic.
    const std::string block = element_block("s();", 2);
    EXPECT_EQ(block, "{\n// directives\n#execute_mode:optimal_csg_mesh;\n// logic\ns();\n};\n");
    EXPECT_EQ(element_blocks_text({block, k_empty_block, block}),
              "3;\n" + block + "{ };\n" + block);
    EXPECT_EQ(execute_mode_name(3), "") << "a mode outside the table names nothing";
    EXPECT_EQ(execute_mode_name(-1), "");
}
