#include "kernel/parallel_batches.h"
#include "kernel/parse_output.h"
#include "kernel/parse_report_builder.h"
#include "tests/kernel/standin_run.h"
#include "tests/kernel/trace_capture.h"

#include <gtest/gtest.h>

namespace {

const std::string k_parallel_script =
    "#PARALLEL;\n"
    "#PRE{ k = 2; };\n"
    "#POST{ k = 3; };\n"
    "#PLIM(box){ return cube.s(k); };\n"
    "#PLIM(ball){ return sphere(k); };\n"
    "return{ sub(1 | box), sub(1 | ball), sub(ring){ return torus(2, 0.5, 6, 4); } };\n";

class StandinParse : public ::testing::Test
{
protected:
    StandinWorkspace workspace;

    ParseReport parse(const std::string& script_text)
    {
        const std::string output = workspace.parse(script_text);
        TraceCapture quiet;
        return build_parse_report("script.plim", script_text, output);
    }
};

} // namespace

TEST_F(StandinParse, PlainScriptFillsItsSections)
{
    const ParseReport report = parse("#CAM(front){0,0,5,0,0,0};\nINT n(5, 0, 10, 'Count');\n"
                                     "DBL d = 0.5;\nreturn cube.s(n);\n");
    EXPECT_EQ(report.valid, 1);
    EXPECT_EQ(report.parallel, 0u);
    EXPECT_EQ(report.section_line_counts[SECTION_DIRECTIVES], 1);
    EXPECT_EQ(report.section_line_counts[SECTION_PARAMETERS], 2);
    EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], 0);
    EXPECT_EQ(report.parameter_set.valid, 1);
    EXPECT_EQ(report.parameter_set.count, 2);
    EXPECT_NE(report.source_text.find("return cube.s(n);"), std::string::npos);
}

TEST_F(StandinParse, ErrorsOfTheKernelAreCounted)
{
    const ParseReport report = parse("// @error one\n// @error two\nreturn cube;\n");
    EXPECT_EQ(report.section_line_counts[SECTION_ERRORS], 2);
}

TEST_F(StandinParse, ParallelScriptBecomesElementsAndBatches)
{
    const ParseReport report = parse(k_parallel_script);
    ASSERT_EQ(report.parallel, 1u) << report.parse_block;
    TraceCapture quiet;
    TextList messages{""};
    ParallelElementList elements = build_parallel_script(report, &messages);
    EXPECT_EQ(messages.front(), "");
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].logic, "k = 2;\nreturn cube.s(k);\nk = 3;");
    EXPECT_EQ(elements[2].logic, "k = 2;\nreturn torus(2, 0.5, 6, 4);\nk = 3;");
    const std::vector<std::int32_t> ids = extract_batch_prefixes(elements);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 1, 2}));
    EXPECT_EQ(elements[1].name, "ball");
    EXPECT_EQ(group_parallel_batches(ids, {true, true, true}),
              (std::vector<std::vector<std::int32_t>>{{0, 1}, {2}}));
}

TEST_F(StandinParse, MalformedOutputsGiveReportsWithoutReadingOutsideTheBlock)
{
    struct Case
    {
        const char* fault;
        ParseSection section;
    };
    const Case cases[] = {{"no-open-tag OPERATIONS", SECTION_OPERATIONS},
                          {"no-close-tag ERRORS", SECTION_ERRORS},
                          {"swapped-tags DIRECTIVES", SECTION_DIRECTIVES},
                          {"no-separator NOTES", SECTION_NOTES}};
    for (const Case& c : cases) {
        const ParseReport report = parse(std::string("// @parse-fault ") + c.fault + "\nreturn cube;\n");
        EXPECT_EQ(report.valid, 1) << c.fault;
        EXPECT_EQ(report.section_line_counts[c.section], -1) << c.fault;
        EXPECT_EQ(report.section_line_counts[SECTION_PARAMETERS], 0) << c.fault;
    }
    for (const char* fault : {"garbage", "crlf", "no-output", "crash"}) {
        const ParseReport report = parse(std::string("// @parse-fault ") + fault + "\nreturn cube;\n");
        EXPECT_EQ(report.valid, 1) << fault;
    }
}

TEST_F(StandinParse, MissingBlocksAreBuiltEmpty)
{
    workspace.write("list_in", "2;\n{\n// E:first\n// @parse-fault few-breaks\nreturn cube;\n};\n"
                               "{\n// E:second\nreturn sphere(1);\n};\n");
    workspace.write("list_out", "");
    workspace.run("-interop -parse '" + workspace.path("list_in") + "' '" + workspace.path("list_out") + "' '*'");
    const TextList blocks = split_parse_output(workspace.read("list_out"), 2);
    ASSERT_EQ(blocks.size(), 2u);
    TraceCapture quiet;
    const ParseReport first = build_parse_report("first", "", blocks[0]);
    const ParseReport second = build_parse_report("second", "", blocks[1]);
    EXPECT_EQ(first.section_line_counts[SECTION_OPERATIONS], 1);
    EXPECT_EQ(second.section_line_counts[SECTION_OPERATIONS], -1);
    EXPECT_EQ(second.valid, 1);
}
