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

// Each fault is one error line; the golden "errors" script covers the others.
// Absurd nesting must be an error, not a stack overflow.
TEST(ParseOutput, ScriptFaultsAreReported)
{
    const std::pair<std::string, const char*> cases[] = {
        {"a = cube;", "the script has no top-level return statement;\n"},
        {"return blob(1);", "line 1: unknown primitive 'blob';\n"},
        {"return " + std::string(20000, '(') + "cube" + std::string(20000, ')') + ";",
         "line 1: expression too deeply nested;\n"},
    };
    for (const auto& [script, error] : cases)
        EXPECT_EQ(section(parse_text(script), "ERRORS"), error) << script.substr(0, 20);
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
    std::string unused;
    EXPECT_FALSE(format_parse_output({}, "no-such-fault", unused));
    EXPECT_EQ(count_of(output_with(""), "<BREAK>"), 2u);
    EXPECT_EQ(count_of(output_with("few-breaks"), "<BREAK>"), 1u);
    EXPECT_EQ(count_of(output_with("garbage"), "<BREAK>"), 0u);
    EXPECT_NE(output_with("crlf").find("</ERRORS>\r\n<WARNINGS>\r\n"), std::string::npos);
    EXPECT_NE(output_with("no-separator ERRORS").find("<ERRORS></ERRORS>\n"), std::string::npos);
    // What the inspector cuts from the operations of the first block.
    for (const auto& [fault, operations] : {std::pair{"no-open-tag", "(absent)"},
                                            {"no-close-tag", "(absent)"},
                                            {"swapped-tags", "(close before open)"},
                                            {"no-separator", "(close before open)"},
                                            {"no-separator ERRORS", "return cube;\n"}}) {
        const std::string output = output_with(fault);
        EXPECT_EQ(section(output.substr(0, output.find("<BREAK>")), "OPERATIONS"), operations)
            << fault;
    }
}

} // namespace
