#include "kernel/parse_runs.h"

#include "tests/kernel/run_workspace.h"

#include <gtest/gtest.h>

using ParseRunsWithoutKernel = RunWorkspaceTest;

TEST_F(ParseRunsWithoutKernel, AnEmptyScriptFileIsOneSyntaxErrorWithoutARun)
{
    const std::string script = (workspace / "empty.plim").string();
    write_text_file("", script);
    TraceCapture trace;
    const ParseReport report = parse_script_file(settings, script);
    EXPECT_EQ(trace.text(), "SCRIPT-READ-EMPTY!\n");
    EXPECT_EQ(report.errors_text, "SCRIPT-READ-IS-NULL;\n");
    EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], 1);
    EXPECT_EQ(report.script_path, "");
    EXPECT_FALSE(fs::exists(tmp_file("plim_parse_in")));
    EXPECT_EQ(g_kernel_output_texts[0], "kernel");
}

TEST(ParseErrors, AppendingAddsALineAndCountsIt)
{
    struct Case {
        std::string errors;
        std::int32_t count;
        std::string after;
        std::int32_t count_after;
    };
    // A count of 0 means the kernel reported nothing: the line replaces the text.
    for (const Case& c :
         {Case{"", -1, "x;", 1}, Case{"a;\nb;\n", 2, "a;\nb;\n\nx;", 3}, Case{"\n", 0, "x;", 1}}) {
        ParseReport report = construct_parse_report();
        if (c.count >= 0) {
            report.errors_text = c.errors;
            report.section_line_counts[SECTION_ERRORS] = c.count;
        }
        append_parse_error(report, "x;");
        EXPECT_EQ(report.errors_text, c.after) << c.errors;
        EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], c.count_after) << c.errors;
    }
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
