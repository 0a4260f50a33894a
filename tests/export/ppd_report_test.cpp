#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "export/ppd_report.h"
#include "export_fixture.h"

namespace {

// A profiled single entity: 2 directive, 1 parameter, 1 function and
// `operations` statement lines; the profiling text holds one function line,
// then the timings, then the trailer the kernel appends.
struct ProfiledEntity {
    std::unique_ptr<Mesh> mesh = std::make_unique<Mesh>();
    Entity entity = construct_entity();

    ProfiledEntity(const std::string& timings, std::int32_t operations,
                   const std::string& statements)
    {
        ParseReport& report = entity.parse_report;
        report.script_path = "/ws/scripts/box.plim";
        report.script_text = std::string(2048, 'x');
        report.operations_text = statements;
        report.section_line_counts = {2, 1, 1, operations, 0, 0, 0};
        mesh->mesh_name = "fn 10\n" + timings + "total_ns\n";
        mesh->execute_mode = 2;
        entity.mesh = mesh.get();
        entity.vertex_count = 1234;
        entity.index_count = 40;
        entity.polygon_count = 6;
        entity.triangle_count = 12;
        entity.mesh_bytes = 5'000'000'000ull;
        entity.mesh_mb = 4768.37;
        entity.run_time_ms = 2500;
        entity.run_time_seconds = 2.5;
    }
};

TEST(PpdReport, MonolithAndElementMatchTheirGoldenTexts)
{
    ProfiledEntity monolith("1500000\n2600000000\n", 2, "a = cube;\nreturn a;\n");
    EXPECT_EQ(format_ppd_report(monolith.entity), read_golden("ppd_monolith.txt"));

    ProfiledEntity element("7\r\n", 1, "return cube;\n");
    element.entity.in_group = 1;
    element.mesh->result_index = 2;
    element.mesh->group_member_count = 3;
    element.mesh->batch_id = 0;
    element.mesh->batch_count = 2;
    EXPECT_EQ(format_ppd_report(element.entity), read_golden("ppd_element.txt"));
}

TEST(PpdReport, StatementRowsPadTheirIndexAndColumns)
{
    std::string timings;
    std::string statements;
    for (int k = 0; k < 12; ++k) {
        timings += "1500000\n";
        statements += "s;\n";
    }
    const std::string twelve = format_ppd_report(ProfiledEntity(timings, 12, statements).entity);
    EXPECT_NE(twelve.find("  s00 : [ 1.5 ms | 1500000 ns | 0.00 s ] \t s;\n"), std::string::npos);
    EXPECT_NE(twelve.find("  s11 : "), std::string::npos);
    const std::string nine = format_ppd_report(ProfiledEntity(timings, 9, statements).entity);
    EXPECT_NE(nine.find("  s0 : "), std::string::npos);
    EXPECT_NE(nine.find("  s8 : "), std::string::npos);
    EXPECT_EQ(nine.find("  s9 : "), std::string::npos);
}

TEST(PpdReport, AbsentFunctionsSectionGivesNoRowsAndNoValues)
{
    ProfiledEntity profiled("5\n6\n", 2, "a;\nb;\n");
    profiled.entity.parse_report.section_line_counts[SECTION_FUNCTIONS] = -1;
    const std::string report = format_ppd_report(profiled.entity);
    EXPECT_EQ(report.find("  s0 : "), std::string::npos);
    EXPECT_NE(report.find(" 2147.5 ms  \t minimum"), std::string::npos);
    EXPECT_EQ(format_ppd_report(construct_entity()), "M!");
}

TEST(PpdReport, StatisticsReadOnlyDigitLinesInSixtyFourBits)
{
    struct Case {
        const char* name;
        TextList lines;
        std::int32_t first;
        std::int32_t count;
        const char* min_srt;
        const char* max_srt;
    };
    const Case cases[] = {
        {"no usable line", {"x1", "-5"}, 0, 2, "2147.5", "-2147.5"},
        {"lines past the end", {"3000000"}, 0, 4, "3.0", "3.0"},
        {"over 2^31 ns", {"2600000000", "1000000"}, 0, 2, "1.0", "2600.0"},
        {"empty line counts as 0", {"", "4000000"}, 0, 2, "0.0", "4.0"},
        {"negative first", {"9000000", "1000000"}, -1, 2, "9.0", "9.0"},
    };
    ProfiledEntity profiled("", 0, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text =
            format_ppd_statistics(profiled.entity, c.lines, 5, c.first, c.count);
        EXPECT_NE(text.find("min_SRT  = "), std::string::npos);
        const auto value_of = [&text](const std::string& key) {
            const std::size_t at = text.find(key) + key.size();
            std::string value = text.substr(at, text.find(" ms", at) - at);
            return value.substr(value.find_first_not_of(' '));
        };
        EXPECT_EQ(value_of("min_SRT  = "), c.min_srt);
        EXPECT_EQ(value_of("max_SRT  = "), c.max_srt);
    }
}

TEST(PpdReport, ParallelReportListsMembersNullSlotAndBatches)
{
    std::vector<std::unique_ptr<Entity>> members;
    Entity group = construct_entity_as_group(true);
    group.parse_report.script_path = "/ws/par.plim";
    group.parse_report.operations_text = "return{ sub(1 | a), sub(1 | b), sub(c) };\n";
    group.parse_report.functions_text =
        "#PLIM(a){ cube; };\n#PLIM(b){ cube; };\n#PLIM(c){ cube; };\n";
    group.vertex_count = 16;
    for (const char* path : {"/ws/a.plim", "/ws/b.plim"}) {
        members.push_back(std::make_unique<Entity>(construct_entity()));
        members.back()->parse_report.script_path = path;
        members.back()->parse_report.section_line_counts = {1, 0, 1, 2, 0, 0, 0};
        members.back()->vertex_count = 8;
        group.members.push_back(members.back().get());
    }
    group.members.push_back(nullptr);
    group.member_count = 3;
    const std::string report = format_ppd_report_parallel(group);
    EXPECT_EQ(report, read_golden("ppd_parallel.txt"));
}

// The section headings of both forms (a tab-led line between two rules), in
// order, as the golden list holds them.
TEST(PpdReport, SectionHeadingsAreExactAndInOrder)
{
    const auto headings = [](const std::string& report) {
        const std::string rule(64, '-');
        std::vector<std::string> lines;
        std::istringstream in(report);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        std::string found;
        for (std::size_t i = 1; i + 1 < lines.size(); ++i)
            if (lines[i - 1] == rule && lines[i + 1] == rule && lines[i].rfind('\t', 0) == 0)
                found += lines[i] + "\n";
        return found;
    };
    ProfiledEntity monolith("1500000\n", 1, "return cube;\n");
    Entity group = construct_entity_as_group(true);
    EXPECT_EQ("monolith:\n" + headings(format_ppd_report(monolith.entity)) + "parallel:\n" +
                  headings(format_ppd_report_parallel(group)),
              read_golden("ppd_headings.txt"));
}

} // namespace
