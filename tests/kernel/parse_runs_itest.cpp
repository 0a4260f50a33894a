#include "kernel/parse_runs.h"
#include "kernel/staging.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

using ParseRuns = StandinWorkspaceTest;

TEST_F(ParseRuns, ScriptsAreStagedAsAListAndGetOneReportEach)
{
    const std::vector<ParseReport> reports =
        run_parse_wrapped(settings, {{"a", "return cube;"}, {"b", "return sphere(1);"}});

    EXPECT_EQ(read_tmp("plim_parse_in"),
              "2;\n{\n// E:a\nreturn cube;\n};\n{\n// E:b\nreturn sphere(1);\n};\n");
    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].arguments, (TextList{"-interop", "-parse", tmp_file("plim_parse_in"),
                                          tmp_file("plim_parse_out"), "*"}));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].script_path, "a");
    EXPECT_EQ(reports[1].script_path, "b");
    EXPECT_EQ(reports[1].script_text, "return sphere(1);");
    EXPECT_NE(reports[1].operations_text.find("sphere"), std::string::npos);
    EXPECT_EQ(reports[0].section_line_counts[SECTION_ERRORS], 0);
    EXPECT_NE(g_kernel_output_texts[0], "");
    EXPECT_EQ(g_kernel_output_texts[1], "");
    EXPECT_EQ(g_kernel_output_texts[3], "");

    EXPECT_TRUE(run_parse_wrapped(settings, {}).empty());
    EXPECT_EQ(read_tmp("plim_parse_in"), "0;\n");
    EXPECT_EQ(runs().size(), 2u) << "no scripts still run the kernel";
}

TEST_F(ParseRuns, OneScriptFileIsParsedWholeWithFourArguments)
{
    const std::string text = "#CAM(front){0,0,5,0,0,0};\nINT n(5, 0, 10, 'Count');\nDBL d = 0.5;\n"
                             "// @error one\n// @error two\nreturn sphere(n);";
    const std::string script = (workspace / "ball.plim").string();
    write_text_file(text, script);
    const ParseReport report = parse_script_file(settings, script);

    EXPECT_EQ(read_tmp("plim_parse_in"), "// logic\n" + text);
    const std::vector<StandinRun> log = runs();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].arguments, (TextList{"-interop", "-parse", tmp_file("plim_parse_in"),
                                          tmp_file("plim_parse_out")}));
    EXPECT_EQ(report.script_path, script);
    EXPECT_EQ(report.script_text, text);
    // The block is the whole output, "<BREAK>" included.
    EXPECT_EQ(report.parse_block, read_tmp("plim_parse_out"));
    EXPECT_NE(report.parse_block.find("<BREAK>"), std::string::npos);
    EXPECT_EQ(report.operations_text, "return sphere(n);\n");
    EXPECT_EQ(report.parallel, 0u);
    EXPECT_EQ(report.section_line_counts[SECTION_DIRECTIVES], 1);
    EXPECT_EQ(report.section_line_counts[SECTION_PARAMETERS], 2);
    EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], 2);
    EXPECT_EQ(report.parameter_set.valid, 1);
    EXPECT_EQ(report.parameter_set.count, 2);
    EXPECT_NE(report.source_text.find("return sphere(n);"), std::string::npos);
}

TEST_F(ParseRuns, OutputThatCannotBeCutFailsEveryScriptOfTheRun)
{
    // Fewer blocks than scripts: no script may take another's block.
    const std::vector<ParseReport> reports =
        run_parse(settings, 3, {"a", "b", "c"}, {"return cube;", "x", "y"},
                  parse_list_text({"a"}, {"return cube;"}));
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[2].script_path, "c");
    for (const ParseReport& report : reports) {
        EXPECT_EQ(report.output_unreadable, 1);
        EXPECT_EQ(report.errors_text, "KERNEL-PARSE-OUTPUT-UNREADABLE;\n");
        EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], 1);
        EXPECT_EQ(report.operations_text, "");
    }
    EXPECT_EQ(g_kernel_output_texts[3],
              "ERROR-READING-PARSE-OUTPUT: " + tmp_file("plim_parse_out"));

    // CRLF line ends read like line feeds: no phantom error line.
    ::setenv("PLIM_STANDIN_FAULT", "parse:crlf", 1);
    const std::vector<ParseReport> crlf = run_parse_wrapped(settings, {{"a", "return cube;"}});
    ASSERT_EQ(crlf.size(), 1u);
    EXPECT_EQ(crlf[0].section_line_counts[SECTION_ERRORS], 0);
    EXPECT_EQ(crlf[0].operations_text, "return cube;\n");
    ::unsetenv("PLIM_STANDIN_FAULT");
}

TEST_F(ParseRuns, AnUnstageableParseMakesNoRun)
{
    fs::create_directories(tmp_file("plim_parse_out"));
    TraceCapture trace;
    const std::vector<ParseReport> reports = run_parse_wrapped(settings, {{"a", "return cube;"}});
    EXPECT_EQ(trace.text(), "ERROR-WRITING-STAGING-FILE: " + tmp_file("plim_parse_out") + "\n");
    EXPECT_TRUE(runs().empty());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].parse_block, "");
    EXPECT_EQ(g_kernel_output_texts[0], "");
}
