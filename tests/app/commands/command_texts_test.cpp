#include "app/commands/command_texts.h"
#include "app/commands/entity_assembly.h"
#include "app/commands/parse_check.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(CommandTexts, ReassemblyErrorPanesNameTheEntityOnlyForASingleScript)
{
    const PaneText single = reassembly_error_pane("a.plim", 2, false);
    EXPECT_EQ(single.title, "Error: Re-Assembly Errors Occurred");
    EXPECT_EQ(
        single.text,
        "The input script 'a.plim' caused 2 runtime errors.\n\nRefer to the kernel execution trace "
        "for "
        "further details in order to identify and correct each error.\n\nNote: re-assembly errors "
        "typically indicate spatial or logical issues and/or improper use of a language feature, "
        "function or entity.\n\nNote: the input script 'a.plim' can not be re-assembled until each "
        "error has been resolved.\n\nNote: the state of the entity 'a.plim' has not been "
        "modified.");
    EXPECT_EQ(critical_reassembly_pane("a.plim", true).title,
              "Error: Critical Re-Assembly Error Occurred");
    EXPECT_EQ(plural_ending(0), "s") << "no errors are plural";
}

TEST(ParameterAssignment, DoubleValuesReadBackExactly)
{
    ScriptParameter parameter = construct_script_parameter("DBL x = 1;");
    for (double value : {1234567.0, 1.0 / 3.0, 0.1, -2.5e-7, 1e21, 4.0}) {
        parameter.current.dbl_value = value;
        const std::string statement = parameter_assignment(parameter);
        ASSERT_EQ(statement.rfind("DBL x = ", 0), 0u) << statement;
        EXPECT_EQ(std::strtod(statement.c_str() + 8, nullptr), value) << statement;
        EXPECT_EQ(statement.find('e'), std::string::npos) << statement;
    }
    ScriptParameter text = construct_script_parameter("STR s(\"ring\", 'Title');");
    EXPECT_EQ(parameter_assignment(text), "STR s = \"ring\";");
}

TEST(ParseCheckRows, SectionSlotsComeFromTheLinesPresent)
{
    ParseReport report = construct_parse_report();
    report.valid = 1;
    report.script_path = "dir/a.plim";
    report.directives_text =
        "#CAM(a){0,0,1,0,0,0};\n#PSET(b){n=1};"; // last line without a line feed
    report.section_line_counts = {1, 0, 0, 0, 0, 0, -1};
    EXPECT_EQ(section_rows(report, SECTION_DIRECTIVES),
              (std::vector<std::string>{"#CAM(a){0,0,1,0,0,0};", "#PSET(b){n=1};",
                                        "\t Directives: [1]"}));
    EXPECT_EQ(section_rows(report, SECTION_NOTES), (std::vector<std::string>{"\t Notes: [0]"}));

    // A report the kernel never completed is an erroneous row with no sections.
    const ParseResultRow incomplete = build_parse_row(construct_parse_report(), PARSE_ROW_SCRIPT);
    EXPECT_TRUE(incomplete.erroneous);
    EXPECT_EQ(incomplete.label, "");
    EXPECT_TRUE(incomplete.sections[SECTION_ERRORS].empty());
}

TEST(GroupEntity, AMemberWithoutItsParseReportStillOwnsItsMesh)
{
    ElementResults results = {new Mesh(), new Mesh()};
    for (Mesh* mesh : results)
        mesh->valid = 1;
    const std::vector<ParseReport> one_report = {construct_parse_report()};
    Entity group = build_group_entity(construct_parse_report(), one_report, results, 0, 0);
    ASSERT_EQ(group.members.size(), 2u);
    for (std::size_t i = 0; i < results.size(); ++i) {
        ASSERT_NE(group.members[i], nullptr);
        EXPECT_EQ(group.members[i]->mesh, results[i]);
    }
    release_entity_resources(group);
}
