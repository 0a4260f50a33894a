#include "kernel/parallel_batches.h"
#include "kernel/parallel_script.h"

#include <gtest/gtest.h>

namespace {

struct Built {
    ParallelElementList elements;
    std::string last_message;
};

Built build(const std::string& directives, const std::string& functions,
            const std::string& operations)
{
    TextList messages{""};
    ParallelElementList elements =
        build_parallel_elements(directives, functions, operations, &messages);
    return {elements, messages.front()};
}

const std::string k_cube_source = "#PLIM(cube){ make(); };\n";

} // namespace

// Each element's logic is the global prefix, its own source and the global
// suffix; directive lines are classified by their key, the first prefix or
// suffix staying in use.
TEST(ParallelScript, JoinsPrefixOwnSourceAndSuffix)
{
    struct Case {
        const char* directives;
        const char* logic;
        const char* message;
    };
    const Case cases[] = {
        {"#PARALLEL;\n#PRE{ a = 1; };\n", "a = 1;\nmake();", ""},
        {"#PARALLEL;\n#POSTFIX{ x; };\n", "make();\nx;", ""},
        {"#PRE{};", "\nmake();", ""},
        {"#PARALLEL;\n#global_pre{ p; };\n#GLOBAL{ q; };\n#VIEWPOINT(1,2,3);\n#CAMERA(a){1};\n",
         "p;\nmake();", "ERROR: GLOBAL-PREFIX-ALREADY-DEFINED!"},
        {"#SUFFIX{ s; };\n#POST{ t; };\n", "make();\ns;", "ERROR: GLOBAL-SUFFIX-ALREADY-DEFINED!"},
        // An unknown line does not stop the build; bare keywords and view
        // lines are not parallel directives.
        {"#PARALLEL;\n#FOO;\n", "make();", "ERROR: UNKNOWN-PARALLEL-TYPE : { #FOO; };"},
        {"#PRE\n#PARALLEL\n#VIEW(a){0,0,0,0,0,0};\n", "make();",
         "ERROR: UNKNOWN-PARALLEL-TYPE : { #VIEW(a){0,0,0,0,0,0}; };"},
    };
    for (const Case& c : cases) {
        const Built built = build(c.directives, k_cube_source, "return{ sub(cube) };\n");
        ASSERT_EQ(built.elements.size(), 1u) << c.directives;
        EXPECT_EQ(built.elements[0].name, "cube");
        EXPECT_EQ(built.elements[0].logic, c.logic) << c.directives;
        EXPECT_EQ(built.last_message, c.message) << c.directives;
    }
}

TEST(ParallelScript, ResolvesSourcesByDefinitionThenInline)
{
    Built built = build("", k_cube_source,
                        "return{ sub(cube){ inline(); }, sub(ball){ roll(); }, sub( 2 | cube ) };");
    ASSERT_EQ(built.elements.size(), 3u);
    EXPECT_EQ(built.elements[0].logic, "make();") << "the definition wins";
    EXPECT_EQ(built.elements[1].logic, "roll();");
    EXPECT_EQ(built.elements[2].name, "2 | cube");
    EXPECT_EQ(built.elements[2].logic, "make();") << "a batch-prefixed name finds its definition";
    EXPECT_EQ(extract_batch_prefixes(built.elements), (std::vector<std::int32_t>{3, 4, 2}));
    EXPECT_EQ(built.elements[2].name, "cube");

    built = build("", k_cube_source, "return{ sub(Cube) };");
    ASSERT_EQ(built.elements.size(), 1u) << "an unresolved element stays in the list";
    EXPECT_EQ(built.elements[0].logic, "");
    EXPECT_EQ(
        built.last_message,
        "ERROR-IN-PARALLEL-ASSEMBLY : UNABLE TO RESOLVE SUB-ELEMENT SOURCE-DEFINITION : [Cube]");

    built = build("", "", "return{ a(x){1;}, b(f(1,2)){2;} };");
    ASSERT_EQ(built.elements.size(), 2u) << "commas inside brackets do not split invocations";
    EXPECT_EQ(built.elements[0].name, "x");
    EXPECT_EQ(built.elements[1].name, "f(1,2");
}

TEST(ParallelScript, FatalReturnProblemsGiveNoElements)
{
    const std::pair<std::string, std::string> cases[] = {
        {"return{ a(x) };\nreturn{ b(y) };\n",
         "ERROR-IN-PARALLEL-ASSEMBLY : GREATER-THAN-ONE TOP-LEVEL OPERATIVE SCRIPT STATEMENT!"},
        {"", "ERROR-IN-PARALLEL-ASSEMBLY : MISSING-RETURN!"},
        {"return a(x);", "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED RETURN!"},
        {"return} a(x) {;", "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED RETURN!"},
        {"return{};", "ERROR-IN-PARALLEL-ASSEMBLY : EMPTY (ZERO-LENGTH) RETURN!"},
        {"return{ cube };",
         "ERROR-IN-PARALLEL-ASSEMBLY : MISSING SUB-ELEMENT INVOCATION IN RETURN!"},
        {"return{ a(x), b };",
         "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED SUB-ELEMENT INVOCATIVE-REFERENCE IN RETURN!"},
        {"return{ a)x( };",
         "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED SUB-ELEMENT INVOCATIVE-REFERENCE IN RETURN!"},
    };
    for (const auto& [operations, message] : cases) {
        Built built = build("", k_cube_source, operations);
        EXPECT_TRUE(built.elements.empty()) << operations;
        EXPECT_EQ(built.last_message, message) << operations;
    }
}

TEST(ParallelScript, MalformedBracesAreReportedNeverCutNegatively)
{
    struct Case {
        std::string directives;
        std::string functions;
        std::string message;
    };
    const Case cases[] = {
        {"#PRE x;", "", "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED GLOBAL-PREFIX!"},
        {"#PRE x{", "", "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED GLOBAL-PREFIX!"},
        {"#PRE x{;", "", "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED GLOBAL-PREFIX!"},
        {"#POST x{", "", "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED GLOBAL-SUFFIX!"},
        {"", "#PLIM(cube){",
         "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED SUB-ELEMENT SOURCE-DEFINITION : [cube]"},
        {"", "#PLIM(cube) make();",
         "ERROR-IN-PARALLEL-ASSEMBLY : MALFORMED SUB-ELEMENT SOURCE-DEFINITION : [cube]"},
    };
    for (const Case& c : cases) {
        Built built = build(c.directives, c.functions, "return{ sub(cube) };");
        EXPECT_TRUE(built.elements.empty()) << c.directives << c.functions;
        EXPECT_EQ(built.last_message, c.message) << c.directives << c.functions;
    }
}

TEST(ParallelScript, GlobalPrefixAloneIsReadQuietly)
{
    EXPECT_EQ(parallel_global_prefix("#PARALLEL;\n#CCPP{ c = 2; };\n#PRE{ p; };\n", ""), "c = 2;");
    EXPECT_EQ(parallel_global_prefix("#GLOBALSUFFIX{ s; };\n", ""), "") << "a suffix is no prefix";
    EXPECT_EQ(parallel_global_prefix("#PRE{", ""), "");
    EXPECT_EQ(parallel_global_prefix("", "#GLOBAL{ g; };"), "g;");
}

TEST(BatchPrefixes, OnlyEightDigitsFitBeforeTheBar)
{
    ParallelElementList elements{{"12345678|a", "x;"}, {"123456789|b", "y;"}};
    EXPECT_EQ(extract_batch_prefixes(elements), (std::vector<std::int32_t>{12345678, 12345679}));
    EXPECT_EQ(elements[0].name, "a");
    EXPECT_EQ(elements[1].name, "123456789|b");
    EXPECT_EQ(sub_element_name("123456789|b"), "123456789|b");
    EXPECT_EQ(sub_element_name(" 1 2 | b"), "b");
}

TEST(BatchPrefixes, ElementsWithoutPrefixGetTheirOwnBatches)
{
    ParallelElementList elements{{"4|a", "x;"}, {"b", "y;"}, {"c", "z;"}};
    EXPECT_EQ(extract_batch_prefixes(elements), (std::vector<std::int32_t>{4, 5, 6}));

    ParallelElementList unnumbered{{" |a", "x;"}, {"b", "y;"}, {"", "z;"}, {"d", "1"}};
    EXPECT_EQ(extract_batch_prefixes(unnumbered), (std::vector<std::int32_t>{1, 2, -1, -1}))
        << "a bare bar is cut but its 0 still counts as seen";
    EXPECT_EQ(unnumbered[0].name, "a");
    EXPECT_EQ(unnumbered[3].name, "d") << "non-qualifying names are left alone";
}

TEST(BatchGroups, GroupedByIdInIdOrder)
{
    EXPECT_EQ(group_parallel_batches({3, -1, 3, 1}, {true, true, true, true}),
              (std::vector<std::vector<std::int32_t>>{{3}, {0, 2}}));
    EXPECT_EQ(group_parallel_batches({3, -1, 3, 1}, {true, true, false, true}),
              (std::vector<std::vector<std::int32_t>>{{3}, {0}}));
    EXPECT_TRUE(group_parallel_batches({1, 2}, {true}).empty());
    EXPECT_TRUE(group_parallel_batches({}, {}).empty());
}
