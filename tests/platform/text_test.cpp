#include "platform/text.h"

#include <gtest/gtest.h>

TEST(TextSmallHelpers, PadAndCase)
{
    EXPECT_EQ(pad_text("7", 3, '0'), "007"); // fills in front, never cuts
    EXPECT_EQ(pad_text("1234", 3, '0'), "1234");
    EXPECT_EQ(pad_text("ab", -5, ' '), "ab");
    EXPECT_EQ(char_to_text('\0').size(), 1u);
    EXPECT_EQ(to_upper_text("#cam(x)"), "#CAM(X)"); // ASCII letters only
    EXPECT_EQ(to_lower_text("AbC-\xC4"), "abc-\xC4");
    EXPECT_EQ(to_upper_text("\xE4z"), "\xE4Z");
}

TEST(TextNumbers, DecimalGeneralFixedAndGroupedForms)
{
    EXPECT_EQ(int_to_text(-42), "-42");
    EXPECT_EQ(unsigned_to_text(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(double_to_text(0.5), "0.5");
    EXPECT_EQ(double_to_text(100), "100");
    EXPECT_EQ(double_to_text(1234567), "1.23457e+06");
    EXPECT_EQ(double_to_text(0.00001), "1e-05");
    EXPECT_EQ(double_to_text(1.0 / 3.0), "0.333333");
    EXPECT_EQ(fixed_to_text(2.0, 3), "2.000");
    EXPECT_EQ(fixed_to_text(1.0 / 3.0, 4), "0.3333");
    EXPECT_EQ(fixed_to_text(-1.25, 1), "-1.2");
    EXPECT_EQ(fixed_to_text(2.5, -3), "2");
    const std::pair<std::uint64_t, const char*> grouped[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {100000, "100,000"}, {1234567, "1,234,567"},
        {4294967295u, "4,294,967,295"}, {5000000000u, "5,000,000,000"}};
    for (const auto& [value, text] : grouped)
        EXPECT_EQ(uint_to_grouped_text(value), text);
}

TEST(TextTrim, UsesExactlyTheFiveBlankBytes)
{
    EXPECT_EQ(trim_text("\t a b \r\n"), "a b");
    EXPECT_EQ(trim_text(" "), "");
    EXPECT_EQ(trim_text(""), "");
    EXPECT_EQ(trim_text("\v"), "\v");
    EXPECT_EQ(trim_text(std::string("\0x\0", 3)), "x");
    EXPECT_FALSE(is_blank_char('\f'));
    EXPECT_TRUE(is_blank_char('\0'));
}

TEST(TextSplitAndJoin, SplitsKeepInnerEmptyFieldsAndJoinTakesAtMostCount)
{
    EXPECT_EQ(split_text("", '\n'), TextList{});
    EXPECT_EQ(split_text("x\n", '\n'), TextList{"x"});
    EXPECT_EQ(split_text("\nx", '\n'), (TextList{"", "x"}));
    EXPECT_EQ(split_text("a,,b", ','), (TextList{"a", "", "b"}));
    EXPECT_EQ(split_text(",", ','), TextList{""});
    EXPECT_EQ(split_text_skip_empty("a,,b,", ','), (TextList{"a", "b"}));
    EXPECT_EQ(split_text_skip_empty(",,,", ','), TextList{});

    const std::string amp = " &&& ";
    EXPECT_EQ(split_text_by("", amp), TextList{""});
    EXPECT_EQ(split_text_by("a &&& b", amp), (TextList{"a", "b"}));
    EXPECT_EQ(split_text_by("a &&& b &&& ", amp), (TextList{"a", "b", ""}));
    EXPECT_EQ(split_text_by(" &&& a &&& b", amp), (TextList{"a", "b"}));
    EXPECT_EQ(split_text_by(" &&& a", amp), TextList{"a"});
    EXPECT_EQ(split_text_by("a &&&  &&& b", amp), (TextList{"a", "", "b"}));
    EXPECT_EQ(split_text_by("a<BREAK>\nb<BREAK>\n", "<BREAK>\n"), (TextList{"a", "b", ""}));
    EXPECT_EQ(split_text_by("aaaa", "aa"), (TextList{"", ""}));
    EXPECT_EQ(split_text_by("abc", ""), TextList{"abc"});

    const TextList abc{"a", "b", "c"};
    EXPECT_EQ(join_strings(abc, 2, ','), "a,b");
    EXPECT_EQ(join_strings(abc, 0, ','), "");
    EXPECT_EQ(join_strings(abc, -1, ','), "");
    EXPECT_EQ(join_strings({}, 3, ','), "");
}
