#include "kernel/parse_runs.h"

#include "tests/kernel/run_workspace.h"

#include <gtest/gtest.h>

using ParseRunsWithoutKernel = RunWorkspaceTest;

TEST_F(ParseRunsWithoutKernel, AnEmptyScriptFileIsOneSyntaxErrorWithoutARun)
{
    const std::string script = (workspace / "empty.plim").string();
    write_text_file("", script);
    TraceCapture trace;
    const ParseReport report = parse_script_file(script);
    EXPECT_EQ(trace.text(), "SCRIPT-READ-EMPTY!\n");
    EXPECT_EQ(report.errors_text, "SCRIPT-READ-IS-NULL;\n");
    EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], 1);
    EXPECT_EQ(report.script_path, "");
    EXPECT_FALSE(fs::exists(tmp_file("plim_parse_in")));
    EXPECT_EQ(g_kernel_output_texts[0], "kernel");
}

TEST(ParseErrors, AppendingAddsALineAndCountsIt)
{
    ParseReport fresh = construct_parse_report();
    append_parse_error(fresh, "first;");
    EXPECT_EQ(fresh.errors_text, "first;");
    EXPECT_EQ(fresh.section_line_counts[SECTION_ERRORS], 1);

    ParseReport counted = construct_parse_report();
    counted.errors_text = "a;\nb;\n";
    counted.section_line_counts[SECTION_ERRORS] = 2;
    append_parse_error(counted, "c;");
    EXPECT_EQ(counted.errors_text, "a;\nb;\n\nc;");
    EXPECT_EQ(counted.section_line_counts[SECTION_ERRORS], 3);

    // A count of 0 means the kernel reported nothing: the line replaces the text.
    ParseReport clean = construct_parse_report();
    clean.errors_text = "\n";
    clean.section_line_counts[SECTION_ERRORS] = 0;
    append_parse_error(clean, "x;");
    EXPECT_EQ(clean.errors_text, "x;");
    EXPECT_EQ(clean.section_line_counts[SECTION_ERRORS], 1);
}

TEST(ParseStatements, TheLogicJoinsFourSectionsWithoutATrailingLineFeed)
{
    ParseReport report = construct_parse_report();
    report.directives_text = "#D;";
    report.parameters_text = "INT n = 1;";
    report.functions_text = "";
    report.operations_text = "return cube;";
    report.errors_text = "never";
    EXPECT_EQ(parse_statement_text(report), "#D;\nINT n = 1;\n\nreturn cube;");
}
