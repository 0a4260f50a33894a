#include "model/parameters.h"

#include <gtest/gtest.h>

#include "tests/platform/trace_capture.h"

namespace {

ScriptParameter read(const std::string& line)
{
    TraceCapture quiet;
    return construct_script_parameter(line);
}

} // namespace

TEST(ParameterDefinition, FormsGiveValueLabelAndRowsAndValuesCanBeEdited)
{
    const struct {
        const char* line;
        ValueType type;
        const char *name, *value_text, *label;
        std::int32_t rows;
    } cases[] = {
        {"INT n(5, 0, 10, 'Count')", ValueType::INT, "n", "5", "Count", 3},
        {"INT n(5, 0)", ValueType::INT, "n", "5", "n", 2},
        {"BLN b(true, 'Show')", ValueType::BLN, "b", "true", "Show", 2},
        // Field 1 is the label of BLN, CHR and STR; only numbers have bounds.
        {"STR s(\"ab\", 0, 9, 'Text')", ValueType::STR, "s", "ab", "0", 2},
        {"DBL  d = 0.5", ValueType::DBL, "d", "0.5", "d", 2},
        {"int n = 3", ValueType::INT, "n", "3", "n", 2},
        {"INT n = 4=5", ValueType::INT, "n", "4", "n", 2},
        {"INT n(,5)", ValueType::INT, "n", "5", "n", 2},
        // Commas inside quotes are not protected.
        {"STR s('a,b')", ValueType::STR, "s", "", "b'", 2},
    };
    for (const auto& c : cases) {
        const ScriptParameter p = read(c.line);
        SCOPED_TRACE(c.line);
        EXPECT_EQ(p.valid, 1);
        EXPECT_EQ(p.value_type, c.type);
        EXPECT_EQ(p.current.type, c.type);
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.value_text, c.value_text);
        EXPECT_EQ(p.label, c.label);
        EXPECT_EQ(parameter_row_count(p), c.rows);
        EXPECT_EQ(p.maximum.type == ValueType::UNDEFINED, c.rows == 2);
    }
    const ScriptParameter p = read("INT n(5, 0, 10, 'Count')");
    EXPECT_EQ(p.initial.int_value, 5);
    EXPECT_FALSE(is_parameter_changed(p)) << "a fresh parameter is in sync";
    EXPECT_EQ(p.type_name, "INT");
    EXPECT_EQ(read("DBL r(0.5, -1, 1)").minimum.dbl_value, -1.0);
    EXPECT_EQ(read("DBL  d = 0.5").current.dbl_value, 0.5);

    EXPECT_EQ(format_parameter_assignment(p), "INT n = 5;");
    ScriptParameter edited = p;
    ParameterValue seven = p.current;
    seven.int_value = 7;
    copy_parameter_value(edited, seven, "7");
    EXPECT_TRUE(is_parameter_changed(edited));
    EXPECT_DOUBLE_EQ(compute_parameter_fraction(edited), 0.7);
    mark_parameter_synced(edited);
    EXPECT_FALSE(is_parameter_changed(edited));
    seven.int_value = 11;
    EXPECT_FALSE(check_parameter_in_range(edited, seven));
}

TEST(ParameterDefinition, UnusableLinesAreInvalidAndTraced)
{
    TraceCapture trace;
    EXPECT_EQ(construct_script_parameter("VEC v = 1").valid, 0);
    EXPECT_EQ(trace.text(), "!!! INVALID-PARAMETER-DEFINITION : 'VEC v = 1'\n");
    EXPECT_EQ(describe_parameter_error(construct_script_parameter("VEC v")),
              "-> ERROR : | TYPE | INIT |");
    EXPECT_EQ(describe_parameter_error(construct_script_parameter("= 4")),
              "-> ERROR : | TYPE | NAME | INIT |");
    for (const char* line : {"INT n = x", "INT n", "INT n{4}", "MSH m(1)", ""})
        EXPECT_EQ(construct_script_parameter(line).valid, 0) << line;
}

TEST(ParameterSet, SectionsBecomeSets)
{
    TraceCapture trace;
    ParameterSet set = construct_parameter_set(
        "INT a(1, 0, 2, 'A');\nDBL b = 0.5;\nSTR s(\"x\", 'Name');\nINT c = 3;\n");
    EXPECT_EQ(set.valid, 1);
    EXPECT_EQ(set.count, 4);
    EXPECT_EQ(set.row_count, 3 + 2 + 2 + 2);
    EXPECT_EQ(set.type_summary, "2 INT, 1 DBL, 0 LNG, 0 BLN, 0 CHR, 1 STR");
    EXPECT_EQ(find_parameter_record(set, "c"), &set.parameters[3]);
    EXPECT_EQ(find_parameter_record(set, "C"), nullptr);
    EXPECT_EQ(find_parameter_record(set, ""), nullptr);

    const ParameterSet broken = construct_parameter_set("INT a = 1;\nVEC v = 2;\nDBL d = 1.5;\n");
    EXPECT_EQ(broken.valid, 0);
    EXPECT_EQ(broken.count, 2);
    EXPECT_EQ(broken.error_text, "ERROR-INSTANTIATING-PARAMETERS : "
                                 "CARDINALITY-INCONSISTENCY-BETWEEN-DEFINITION-AND-RESULT\n");
    EXPECT_NE(trace.text().find("'VEC v = 2'"), std::string::npos);
    EXPECT_EQ(construct_parameter_set("INT a = 1;\n ;\n").valid, 0) << "blank lines count too";

    const ParameterSet empty = construct_parameter_set("\n\n");
    EXPECT_EQ(empty.valid, 0);
    EXPECT_EQ(empty.error_text, "");
}

TEST(ParameterSet, MergedSetPointsIntoMembersInOrder)
{
    ParameterSet first = construct_parameter_set("INT a(1, 0, 2);\nDBL b = 1;\n");
    ParameterSet second =
        construct_parameter_set("INT c(1, 0, 2);\nINT d(1, 0, 2);\nSTR s = \"x\";\n");
    ASSERT_EQ(first.row_count, 5);
    ASSERT_EQ(second.row_count, 8);
    const ParameterSet merged =
        construct_parameter_set_from_list({"one.plim", "two.plim"}, {&first, &second}, 5);
    EXPECT_EQ(merged.valid, 1);
    EXPECT_EQ(merged.count, 5);
    EXPECT_EQ(merged.row_count, 15);
    EXPECT_EQ(merged.type_summary, "3 INT, 1 DBL, 0 LNG, 0 BLN, 0 CHR, 1 STR");
    EXPECT_EQ(merged.member_parameters,
              (std::vector<ScriptParameter*>{&first.parameters[0], &first.parameters[1],
                                             &second.parameters[0], &second.parameters[1],
                                             &second.parameters[2]}));

    EXPECT_EQ(construct_parameter_set_from_list({}, {&first, nullptr, &second}, 3).count, 3)
        << "a short total bounds what is stored";
    EXPECT_EQ(construct_parameter_set_from_list({}, {&first}, 9).count, 2);
    EXPECT_EQ(construct_parameter_set_from_list({}, {}, 0).valid, 0);

    TraceCapture quiet;
    ParameterSet bad = construct_parameter_set("INT b = 1;\nbad line;\n");
    const ParameterSet with_error = construct_parameter_set_from_list({}, {&first, &bad}, 3);
    EXPECT_EQ(with_error.valid, 0);
    EXPECT_EQ(with_error.error_text, bad.error_text);
}
