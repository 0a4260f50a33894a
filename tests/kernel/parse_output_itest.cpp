#include "kernel/parse_output.h"
#include "kernel/parse_report_builder.h"
#include "kernel/parse_runs.h"

#include "tests/kernel/standin_workspace.h"

#include <gtest/gtest.h>

namespace {

// Reports built straight from the stand-in's output, sectioned or not.
class StandinParse : public StandinWorkspaceTest {
protected:
    ParseReport parse(const std::string& script_text)
    {
        TraceCapture quiet;
        run_parse_logic(settings, "script.plim", script_text);
        return build_parse_report("script.plim", script_text, read_tmp("plim_parse_out"));
    }
};

} // namespace

TEST_F(StandinParse, MalformedOutputsGiveReportsWithoutReadingOutsideTheBlock)
{
    struct Case {
        const char* fault;
        ParseSection section;
    };
    for (const Case& c : {Case{"no-open-tag OPERATIONS", SECTION_OPERATIONS},
                          Case{"no-close-tag ERRORS", SECTION_ERRORS},
                          Case{"swapped-tags DIRECTIVES", SECTION_DIRECTIVES},
                          Case{"no-separator NOTES", SECTION_NOTES}}) {
        const ParseReport report =
            parse(std::string("// @parse-fault ") + c.fault + "\nreturn cube;\n");
        EXPECT_EQ(report.valid, 1) << c.fault;
        EXPECT_EQ(report.section_line_counts[c.section], -1) << c.fault;
        EXPECT_EQ(report.section_line_counts[SECTION_PARAMETERS], 0) << c.fault;
    }
    for (const char* fault : {"garbage", "crlf", "no-output", "crash"})
        EXPECT_EQ(parse(std::string("// @parse-fault ") + fault + "\nreturn cube;\n").valid, 1)
            << fault;

    TraceCapture quiet;
    run_parse_wrapped(settings, {{"first", "// @parse-fault few-breaks\nreturn cube;"},
                                 {"second", "return sphere(1);"}});
    const TextList blocks = split_parse_output(read_tmp("plim_parse_out"), 2);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(build_parse_report("first", "", blocks[0]).section_line_counts[SECTION_OPERATIONS],
              1);
    const ParseReport second = build_parse_report("second", "", blocks[1]);
    EXPECT_EQ(second.section_line_counts[SECTION_OPERATIONS], -1)
        << "the missing block is built empty";
    EXPECT_EQ(second.valid, 1);
}
