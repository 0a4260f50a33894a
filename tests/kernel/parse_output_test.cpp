#include "kernel/parse_output.h"

#include <gtest/gtest.h>

namespace {

TaggedSection section(const std::string& content, std::int32_t line_count)
{
    return TaggedSection{content, line_count};
}

} // namespace

TEST(ParseOutputBlocks, EveryScriptGetsABlock)
{
    EXPECT_EQ(split_parse_output("a<BREAK>\nb<BREAK>\n", 2), (TextList{"a", "b"}));
    EXPECT_EQ(split_parse_output("a<BREAK>\nb<BREAK>\n", 1), (TextList{"a"}));
    EXPECT_EQ(split_parse_output("a<BREAK>\n", 3), (TextList{"a", "", ""}));
    EXPECT_EQ(split_parse_output("", 2), (TextList{"", ""}));
}

TEST(ParseSections, ContentSkipsTheSeparatorAndKeepsTheLastLineFeed)
{
    const TaggedSection cut = cut_tagged_section("<ERRORS>\nbad 1;\nbad 2;\n</ERRORS>", "ERRORS");
    EXPECT_EQ(cut.content, "bad 1;\nbad 2;\n");
    EXPECT_EQ(cut.line_count, 2);

    const TaggedSection empty = cut_tagged_section("<NOTES>\n</NOTES>", "NOTES");
    EXPECT_EQ(empty.content, "");
    EXPECT_EQ(empty.line_count, 0);

    const TaggedSection first = cut_tagged_section("<A>\nx\n</A><A>\ny\n</A>", "A");
    EXPECT_EQ(first.content, "x\n") << "first occurrence wins";
}

TEST(ParseSections, BrokenTagsGiveAnEmptyUncountedSection)
{
    for (const std::string block :
         {"no tags at all", "<NOTES>\nonly opening", "only closing</NOTES>",
          "</NOTES>\nclosing first<NOTES>\n", "<NOTES></NOTES>", "<notes>\nwrong case</notes>"}) {
        const TaggedSection cut = cut_tagged_section(block, "NOTES");
        EXPECT_EQ(cut.content, "") << block;
        EXPECT_EQ(cut.line_count, -1) << block;
    }
}

TEST(ParseSections, SourceKeepsEverythingBetweenItsTags)
{
    EXPECT_EQ(cut_source_text("<SOURCE>\nreturn cube;\n</SOURCE>"), "\nreturn cube;\n");
    EXPECT_EQ(cut_source_text("<SOURCE></SOURCE>"), "");
    EXPECT_EQ(cut_source_text("</SOURCE><SOURCE>"), "");
    EXPECT_EQ(cut_source_text("<SOURCE>x"), "");
}

TEST(ParallelCheck, OnlyASingleReturnLineAfterACompleteDirectivePasses)
{
    const TaggedSection parallel = section("#PARALLEL;\n", 1);
    EXPECT_EQ(check_parallel_script(parallel, section("return{};", 0)), ParallelCheck::PARALLEL);
    EXPECT_EQ(check_parallel_script(parallel, section("return { a(x) } ;\n", 1)),
              ParallelCheck::PARALLEL);
    EXPECT_EQ(check_parallel_script(parallel, section("return{}", 0)),
              ParallelCheck::INVALID_RETURN);
    EXPECT_EQ(check_parallel_script(parallel, section("return{};\r", 0)),
              ParallelCheck::INVALID_RETURN);
    EXPECT_EQ(check_parallel_script(parallel, section("", -1)), ParallelCheck::INVALID_RETURN);
    EXPECT_EQ(check_parallel_script(parallel, section("a;\nb;\n", 2)),
              ParallelCheck::SUPERFLUOUS_STATEMENTS);
    // The directive needs its semicolon and a line.
    const TaggedSection ret = section("return{a(x)};\n", 1);
    EXPECT_EQ(check_parallel_script(section("#parallel;\n", 1), ret), ParallelCheck::PARALLEL);
    EXPECT_EQ(check_parallel_script(section("#Parallel;\n", 1), ret), ParallelCheck::PARALLEL);
    EXPECT_EQ(check_parallel_script(section("#PARALLEL\n", 1), ret), ParallelCheck::NOT_PARALLEL);
    EXPECT_EQ(check_parallel_script(section("#PARALLEL;", 0), ret), ParallelCheck::NOT_PARALLEL);
    EXPECT_EQ(check_parallel_script(section("", -1), section("a;\nb;\n", 2)),
              ParallelCheck::NOT_PARALLEL);
}
