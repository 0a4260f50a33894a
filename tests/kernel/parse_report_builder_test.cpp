#include "kernel/parse_report_builder.h"
#include "tests/platform/trace_capture.h"

#include <gtest/gtest.h>

namespace {

std::string tagged(const std::string& tag, const std::string& content)
{
    return "<" + tag + ">\n" + content + "</" + tag + ">\n";
}

std::string block(const std::string& directives, const std::string& operations,
                  const std::string& errors = "", const std::string& parameters = "",
                  const std::string& functions = "")
{
    return tagged("DIRECTIVES", directives) + tagged("PARAMETERS", parameters) +
           tagged("FUNCTIONS", functions) + tagged("OPERATIONS", operations) +
           tagged("ERRORS", errors) + tagged("WARNINGS", "") + tagged("NOTES", "") +
           "<SOURCE>\nsource text\n</SOURCE>\n";
}

ParseReport built(const std::string& parse_block)
{
    TraceCapture quiet;
    return build_parse_report("a.plim", "staged", parse_block);
}

} // namespace

TEST(ParseReportBuilder, CutsEverySectionAndCountsItsLines)
{
    const ParseReport report =
        built(block("#CAM(a){1,2,3,4,5,6};\n", "return cube;\n", "bad;\nworse;\n",
                    "INT n(5, 0, 10, 'Count');\n", "#PLIM(x){ y; };\n"));
    EXPECT_EQ(report.valid, 1);
    EXPECT_EQ(report.parallel, 0u);
    EXPECT_EQ(report.directives_text, "#CAM(a){1,2,3,4,5,6};\n");
    EXPECT_EQ(report.functions_text, "#PLIM(x){ y; };\n");
    EXPECT_EQ(report.operations_text, "return cube;\n");
    EXPECT_EQ(report.errors_text, "bad;\nworse;\n");
    EXPECT_EQ(report.section_line_counts, (std::array<std::int32_t, 7>{1, 1, 1, 1, 2, 0, 0}));
    EXPECT_EQ(report.source_text, "\nsource text\n");
    EXPECT_EQ(report.parameter_set.count, 1);
    EXPECT_EQ(report.parameter_set.valid, 1);
    EXPECT_EQ(report.parameter_set.parameters[0].name, "n");
}

TEST(ParseReportBuilder, ParallelErrorsAreAppendedAndCountedOnce)
{
    const ParseReport superfluous = built(block("#PARALLEL;\n", "a;\nb;\n", "kernel error;\n"));
    EXPECT_EQ(superfluous.parallel, 0u);
    EXPECT_EQ(
        superfluous.errors_text,
        "kernel error;\nSUPERFLUOUS STATEMENTS AT ROOT-OPERATIVE-SCOPE IN PARALLEL-ASSEMBLY -> "
        "EXPECTED SINGLE PARALLEL-RETURN STATEMENT;\n");
    EXPECT_EQ(superfluous.section_line_counts[SECTION_ERRORS], 2);

    const ParseReport invalid = built(block("#PARALLEL;\n", "return{}\n"));
    EXPECT_EQ(invalid.errors_text, "INVALID-PARALLEL-RETURN-ERROR;\n");
    EXPECT_EQ(invalid.section_line_counts[SECTION_ERRORS], 1);

    const ParseReport no_section =
        built(tagged("DIRECTIVES", "#PARALLEL;\n") + tagged("OPERATIONS", "x;\ny;\n"));
    EXPECT_EQ(no_section.section_line_counts[SECTION_ERRORS], 1)
        << "counted even without an errors section";
    EXPECT_FALSE(no_section.errors_text.empty());
}

TEST(ParseReportBuilder, BrokenBlocksGiveEmptyUncountedSections)
{
    const ParseReport empty = built("");
    EXPECT_EQ(empty.valid, 1);
    EXPECT_EQ(empty.section_line_counts, (std::array<std::int32_t, 7>{-1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(empty.source_text, "");
    EXPECT_EQ(empty.parameter_set.count, 0);

    const ParseReport no_separator =
        built("<DIRECTIVES></DIRECTIVES><OPERATIONS>\nreturn cube;\n</OPERATIONS>");
    EXPECT_EQ(no_separator.section_line_counts[SECTION_DIRECTIVES], -1);
    EXPECT_EQ(no_separator.section_line_counts[SECTION_OPERATIONS], 1);
}

TEST(ParseReportBuilder, ParallelScriptsReachTheBuilderOnlyWhenMarked)
{
    const std::string parallel_block = block("#PARALLEL;\n#PRE{ p; };\n", "return{ sub(cube) };\n",
                                             "", "", "#PLIM(cube){ make(); };\n");
    const ParseReport report = built(parallel_block);
    ASSERT_EQ(report.parallel, 1u);
    TraceCapture quiet;
    TextList messages{""};
    const ParallelElementList elements = build_parallel_script(report, &messages);
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].logic, "p;\nmake();");
    EXPECT_EQ(build_parallel_script_default(report).size(), 1u);
    EXPECT_EQ(get_parallel_global_prefix(report), "p;");

    ParseReport unmarked = report;
    unmarked.parallel = 0;
    EXPECT_TRUE(build_parallel_assembly_script(unmarked, &messages).empty());
    EXPECT_EQ(get_parallel_global_prefix(unmarked), "");
    EXPECT_EQ(messages.front(), "");
}
