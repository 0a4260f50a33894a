#include "kernel/script_statements.h"

#include <gtest/gtest.h>

namespace {

std::string marks_of(std::string_view text)
{
    std::string digits;
    for (std::uint8_t mark : mark_comment_chars(text, text.size()))
        digits.push_back(static_cast<char>('0' + mark));
    return digits;
}

TextList split_commas(std::string_view text)
{
    return split_statements(text, ',', true, true);
}

} // namespace

TEST(CommentMarks, QuotesAndCommentsAreMarkedWithTheirDelimitersAndEndWhereTheyMust)
{
    EXPECT_EQ(marks_of("a\"b\"c"), "01110");
    EXPECT_EQ(marks_of("x'y'"), "0111");
    EXPECT_EQ(marks_of("a//b\nc"), "022220");
    EXPECT_EQ(marks_of("a/*b*/c"), "0222220");
    EXPECT_EQ(marks_of("\"a\\\"b\"c"), "1111110") << "an escaped quote does not end the text";
    EXPECT_EQ(marks_of("\"//\"/'"), "111101") << "a comment opener in quotes opens nothing";
    EXPECT_EQ(marks_of("//'\nx"), "22220") << "a quote in a comment opens nothing";
    EXPECT_EQ(marks_of("'ab\ncd"), "111100") << "a quote ends at the line feed";
    EXPECT_EQ(marks_of("/*ab"), "2222") << "a block comment runs to the end";
    EXPECT_EQ(marks_of("/*/"), "222") << "the opener's asterisk cannot close";
    EXPECT_EQ(marks_of("a/"), "00") << "no pair starts at the last character";
    EXPECT_EQ(marks_of("'\\"), "11");
    EXPECT_EQ(mark_comment_chars("abc", 2).size(), 2u);
    EXPECT_EQ(mark_comment_chars("abc", 10).size(), 3u);
}

TEST(TopLevelSeparators, BracketsOfAllKindsNestAndOnlyDepthZeroCounts)
{
    EXPECT_EQ(split_commas("a(x), b(f(1,2))"), (TextList{"a(x)", "b(f(1,2))"}));
    EXPECT_EQ(split_commas("p(a < b, c)"), (TextList{"p(a < b, c)"}));
    EXPECT_EQ(split_commas("a > b, c"), (TextList{"a > b, c"})) << "a closer first leaves depth -1";
    EXPECT_EQ(split_commas("{a,[b,c]},d"), (TextList{"{a,[b,c]}", "d"}));
    // Quotes keep the depth but not the separator.
    EXPECT_EQ(split_commas("s(\"a\"), \"x,y\""), (TextList{"s(\"a\")", "\"x", "y\""}));
    EXPECT_EQ(split_commas("f(\"(\"), g"), (TextList{"f(\"(\")", "g"}));
    EXPECT_EQ(split_commas("f // (\n, g"), (TextList{"f // (\n, g"}))
        << "a commented bracket counts";
    EXPECT_EQ(replace_top_level_separator("a;b(c;d);e", ';', "|"), "a|b(c;d)|e");
    EXPECT_EQ(replace_top_level_separator("", ';', "|"), "");
}

// The parallel script builder splits with dropping and trimming on.
TEST(SplitStatements, BlankPartsAreDroppedAndPartsTrimmed)
{
    EXPECT_TRUE(split_commas("").empty());
    EXPECT_EQ(split_commas("a, ,b"), (TextList{"a", "b"}));
    EXPECT_EQ(split_commas("a &&& b, c"), (TextList{"a", "b", "c"})) << "an existing marker cuts";
}
