#include "parse_output.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string parse_text(const std::string& script)
{
    std::string output;
    EXPECT_TRUE(format_parse_output({build_parse_block(script)}, "", output));
    return output;
}

class GoldenParse : public testing::TestWithParam<const char*> {};

TEST_P(GoldenParse, MatchesTheRecordedOutput)
{
    const std::string name = GetParam();
    EXPECT_EQ(parse_text(read_test_file("golden/" + name + ".plim")),
              read_test_file("golden/" + name + ".parse"));
}

INSTANTIATE_TEST_SUITE_P(Scripts, GoldenParse,
                         testing::Values("simple", "parameters", "directives", "parallel",
                                         "errors"));

TEST(ParseOutput, AParallelReturnStaysOneOperationLine)
{
    const std::string output =
        parse_text("#PARALLEL;\nreturn{\n  sub(a){ ret = cube; return ret; },\n  sub(b)\n};");
    EXPECT_EQ(section(output, "OPERATIONS"),
              "return{ sub(a){ ret = cube; return ret; }, sub(b) };\n");
    EXPECT_EQ(section(output, "ERRORS"), "");
}

// The golden "errors" script covers the other faults.
TEST(ParseOutput, ScriptFaultsAreReported)
{
    EXPECT_NE(section(parse_text("a = cube;"), "ERRORS").find("no top-level return"),
              std::string::npos);
    EXPECT_NE(section(parse_text("return blob(1);"), "ERRORS").find("unknown primitive 'blob'"),
              std::string::npos);
}

TEST(ParseOutput, AbsurdNestingIsOneErrorNotACrash)
{
    const std::string deep =
        "return " + std::string(20000, '(') + "cube" + std::string(20000, ')') + ";";
    EXPECT_EQ(section(parse_text(deep), "ERRORS"), "line 1: expression too deeply nested;\n");
}

TEST(ParseOutput, SynchronisedAssignmentsAreParameters)
{
    const std::string output =
        parse_text("// parameters\nINT n = 4;\nDBL r = 0.333333;\nSTR s = \"ab\";\n"
                   "CHR c = 'x';\nBLN b = true;\nLNG k = -7;\n// logic\nreturn cube.s(r);");
    EXPECT_EQ(section(output, "PARAMETERS"), "INT n = 4;\nDBL r = 0.333333;\nSTR s = \"ab\";\nCHR "
                                             "c = 'x';\nBLN b = true;\nLNG k = -7;\n");
    EXPECT_EQ(section(output, "ERRORS"), "");
}

TEST(ParseOutput, FaultsMalformTheOutput)
{
    const std::vector<ParseBlock> blocks = {build_parse_block("return cube;"),
                                            build_parse_block("return mcube;")};
    const auto output_with = [&](const std::string& fault) {
        std::string output;
        EXPECT_TRUE(format_parse_output(blocks, fault, output)) << fault;
        return output;
    };
    const std::string few_breaks = output_with("few-breaks");
    EXPECT_EQ(few_breaks.find("<BREAK>"), few_breaks.rfind("<BREAK>"));
    EXPECT_NE(output_with("crlf").find("</ERRORS>\r\n<WARNINGS>\r\n"), std::string::npos);
    EXPECT_EQ(output_with("garbage").find("<BREAK>"), std::string::npos);
    struct Case {
        const char* fault;
        const char* operations;
    };
    for (const Case& c : {Case{"no-open-tag", "(absent)"}, Case{"no-close-tag", "(absent)"},
                          Case{"swapped-tags", "(close before open)"},
                          Case{"no-separator", "(close before open)"}}) {
        const std::string output = output_with(c.fault);
        EXPECT_EQ(section(output.substr(0, output.find("<BREAK>")), "OPERATIONS"), c.operations)
            << c.fault;
    }
}

TEST(ParseOutput, TagFaultsTakeTheSectionTheyName)
{
    std::string output;
    ASSERT_TRUE(
        format_parse_output({build_parse_block("return cube;")}, "no-separator ERRORS", output));
    EXPECT_NE(output.find("<ERRORS></ERRORS>\n"), std::string::npos);
    EXPECT_EQ(section(output, "OPERATIONS"), "return cube;\n");
    EXPECT_FALSE(format_parse_output({}, "no-such-fault", output));
}

} // namespace
