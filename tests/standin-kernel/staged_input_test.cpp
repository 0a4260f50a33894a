#include "staged_input.h"

#include <gtest/gtest.h>

namespace {

TEST(StagedInput, ScriptsComeExactlyAsWrittenAndListProblemsAreDescribed)
{
    EXPECT_EQ(split_single_script("// logic\nreturn cube;\n").text, "return cube;\n");
    EXPECT_EQ(split_single_script("return cube;").text, "return cube;");
    EXPECT_EQ(normalise_line_ends("a\r\nb\rc\n"), "a\nb\nc\n");

    std::string problem;
    const auto scripts =
        split_script_list("3;\n{\n// E:a\nreturn cube;\n};\n{\n// E:two "
                          "words\n#PARALLEL;\nreturn{\n  sub(x)\n};\n\n};\n{\n// E:c\n\n};\n",
                          problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(scripts.size(), 3u);
    EXPECT_EQ(scripts[0].name, "a");
    EXPECT_EQ(scripts[0].text, "return cube;");
    EXPECT_EQ(scripts[1].name, "two words");
    EXPECT_EQ(scripts[1].text, "#PARALLEL;\nreturn{\n  sub(x)\n};\n");
    EXPECT_EQ(scripts[2].text, "");

    EXPECT_EQ(split_script_list("2;\n{\n// E:a\nreturn cube;\n};\n", problem).size(), 1u);
    EXPECT_NE(problem.find("says 2 but 1 block follow"), std::string::npos);
    problem.clear();
    const auto whole = split_script_list("return cube;", problem);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].text, "return cube;");
    EXPECT_NE(problem.find("no count line"), std::string::npos);
}

// Modes, logic and empty blocks of a full list are the assemble run test's.
TEST(StagedInput, AssemblyBlocksCarryModeAndLogic)
{
    std::string problem;
    const auto plain = split_assembly_input("a = cube;\nreturn a;\n", problem);
    ASSERT_EQ(plain.size(), 1u) << "a plain script is one block";
    EXPECT_EQ(plain[0].execute_mode, 2);
    EXPECT_EQ(plain[0].logic, "a = cube;\nreturn a;\n");

    const auto short_list = split_assembly_input(
        "2;\n{\n// directives\n#execute_mode:fancy_mesh;\n// logic\nreturn cube;\n};\n", problem);
    ASSERT_EQ(short_list.size(), 1u);
    EXPECT_EQ(short_list[0].execute_mode, 2);
    EXPECT_NE(problem.find("says 2 but 1"), std::string::npos);
}

} // namespace
