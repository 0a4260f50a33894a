#include "export/ppd_report.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>
#include <sstream>
#include <vector>

#include "kernel/parallel_batches.h"
#include "kernel/parallel_script.h"
#include "model/enum_names.h"
#include "platform/paths.h"
#include "platform/trace.h"

namespace {

const std::string R64(64, '-');
const std::string R62 = "  " + std::string(62, '-');

const char* const TASK_TYPE_TABLE = "  | Key    | Time       | Ratio    | Kernel |\n"
                                    "  -------------------------------------------\n"
                                    "  | GEOM   | 9999999 ms | 100.00 % | 9999 # |\n"
                                    "  | TFORM  |       ? ms |    ?.? % |    3 # |\n"
                                    "  | CSG    |       ? ms |    ?.? % |    3 # |\n"
                                    "  | ITER   |       ? ms |    ?.? % |    3 # |\n"
                                    "  | UTIL   |       ? ms |    ?.? % |    3 # |\n"
                                    "  | MISC.  |       ? ms |    ?.? % |    N/A |\n";

struct SectionCounts {
    std::int32_t directives = 0;
    std::int32_t parameters = 0;
    std::int32_t functions = 0;
    std::int32_t operations = 0;

    std::int32_t total() const { return directives + parameters + functions + operations; }
};

SectionCounts section_counts(const ParseReport& report)
{
    const auto& lines = report.section_line_counts;
    return {lines[SECTION_DIRECTIVES], lines[SECTION_PARAMETERS], lines[SECTION_FUNCTIONS],
            lines[SECTION_OPERATIONS]};
}

std::int32_t digit_count(std::int64_t value)
{
    return static_cast<std::int32_t>(std::to_string(value).size());
}

// Byte sizes pass 4 GiB on large meshes, so they are grouped in 64 bits.
std::string grouped64(std::uint64_t value)
{
    std::string digits = std::to_string(value);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string mode_name(std::uint32_t mode)
{
    if (mode >= g_mesh_algorithm_short_names.size()) return "?";
    return to_upper_text(g_mesh_algorithm_short_names[mode]);
}

// A timing line of decimal digits only (empty gives 0), in 64 bits so that a
// statement of more than 2.147 s reads right; the kernel may end lines with
// a carriage return, which is not part of the number.
std::optional<std::int64_t> parse_timing(std::string line)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::int64_t value = 0;
    for (const char c : line) {
        if (c < '0' || c > '9') return std::nullopt;
        const std::int64_t digit = c - '0';
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

TextList timing_lines_of(const Mesh& mesh)
{
    TextList lines = split_text(mesh.mesh_name, '\n');
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    return lines;
}

void write_head(std::ostringstream& out, const std::string& script_path)
{
    out << R64 << "\nPLIM:PPD\n" << R64 << "\n\t Assembly Overview\n" << R64 << "\n";
    out << "  [ '" << path_file_name(script_path) << "' ]\n";
}

void write_input_script(std::ostringstream& out, const SectionCounts& counts,
                        std::uint64_t script_bytes)
{
    out << R62 << "\n  Input-Script | Statements: " << counts.total()
        << "\n    \t directives: " << counts.directives
        << "\n    \t parameters: " << counts.parameters
        << "\n    \t functions:  " << counts.functions
        << "\n    \t operations: " << counts.operations << "\n    \t "
        << fixed_to_text(static_cast<double>(script_bytes) / 1024.0, 2) << " kb ("
        << grouped64(script_bytes) << " bytes)\n";
}

void write_run_process(std::ostringstream& out, std::uint32_t mode, const Entity& entity,
                       const std::string& phase_time)
{
    out << R62 << "\n  Run-Process | Mode: " << mode_name(mode)
        << "\n    Runtime: " << fixed_to_text(entity.run_time_seconds, 2) << " seconds ("
        << entity.run_time_ms << " ms)\n";
    for (const char* phase : {"core", "post", "io3D", "misc"})
        out << "    \t " << phase << ": " << phase_time << " ms\n";
}

void write_output_mesh(std::ostringstream& out, const Entity& entity, const char* type)
{
    out << R62 << "\n  Output-Mesh | Type: " << type
        << "\n    \t |V| = " << uint_to_grouped_text(entity.vertex_count)
        << "\n    \t |I| = " << uint_to_grouped_text(entity.index_count)
        << "\n    \t |N| = " << uint_to_grouped_text(entity.polygon_count)
        << "\n    \t |T| = " << uint_to_grouped_text(entity.triangle_count) << "\n    \t "
        << fixed_to_text(entity.mesh_mb, 2) << " MB (" << grouped64(entity.mesh_bytes)
        << " bytes)\n";
}

// `title` ends with its own line break.
void write_section_title(std::ostringstream& out, const char* title)
{
    out << R64 << "\n" << title << R64 << "\n";
}

void write_tail(std::ostringstream& out, const Entity& entity, const TextList& timing_lines,
                std::int32_t statements, std::int32_t first, std::int32_t count)
{
    write_section_title(out, "\t Auxiliary : Summary Statistics\n");
    out << format_ppd_statistics(entity, timing_lines, statements, first, count);
    out << R64 << "\nEnd.\n" << R64;
}

// The rows need one timing line per statement after the FUNCTIONS lines; an
// absent FUNCTIONS section gives no place to start, so no rows.
bool has_statement_rows(const TextList& timing_lines, const SectionCounts& counts)
{
    if (counts.functions < 0 || counts.operations < 1) return false;
    const std::int64_t needed = std::int64_t{counts.functions} + counts.operations;
    return static_cast<std::int64_t>(timing_lines.size()) > needed;
}

struct ColumnWidths {
    std::int32_t ms = 3;
    std::int32_t ns = 5;
    std::int32_t s = 4;
};

ColumnWidths column_widths(const TextList& timing_lines, const SectionCounts& counts, bool rows)
{
    std::int32_t longest = 1;
    if (rows) {
        for (std::int32_t k = 0; k < counts.operations; ++k) {
            const auto& line = timing_lines[static_cast<std::size_t>(counts.functions + k)];
            longest = std::max(longest, static_cast<std::int32_t>(line.size()));
        }
    }
    return {std::max(longest - 4, 3), std::max(longest, 5), std::max(longest - 6, 4)};
}

void write_statement_rows(std::ostringstream& out, const TextList& timing_lines,
                          const TextList& statements, const SectionCounts& counts)
{
    const ColumnWidths widths = column_widths(timing_lines, counts, true);
    const std::int32_t index_width = digit_count(counts.operations);
    for (std::int32_t k = 0; k < counts.operations; ++k) {
        const std::string& timing = timing_lines[static_cast<std::size_t>(counts.functions + k)];
        const std::optional<std::int64_t> ns = parse_timing(timing);
        std::string ms_text = "?";
        std::string s_text = "?";
        if (ns) {
            ms_text = fixed_to_text(static_cast<double>(*ns) / 1000000.0, 1);
            s_text = fixed_to_text(static_cast<double>(*ns / 1000000) / 1000.0, 2);
        }
        const std::size_t at = static_cast<std::size_t>(k);
        out << "  s" << pad_text(std::to_string(k), index_width, '0') << " : [ "
            << pad_text(ms_text, widths.ms, ' ') << " ms | " << pad_text(timing, widths.ns, ' ')
            << " ns | " << pad_text(s_text, widths.s, ' ') << " s ] \t "
            << (at < statements.size() ? statements[at] : std::string()) << "\n";
    }
}

struct Batch {
    std::string id_text;
    std::string text;
};

std::vector<Batch> parallel_batches(const Entity& group)
{
    const ParseReport& report = group.parse_report;
    ParallelElementList elements = build_parallel_elements(
        report.directives_text, report.functions_text, get_parse_operations_text(report), nullptr);
    const std::vector<std::int32_t> ids = extract_batch_prefixes(elements);
    const auto grouped = group_parallel_batches(ids, std::vector<bool>(ids.size(), true));
    const std::int32_t count_width = digit_count(group.member_count);
    std::vector<Batch> batches;
    for (const std::vector<std::int32_t>& members : grouped) {
        std::string names;
        for (const std::int32_t index : members) {
            if (!names.empty()) names += ",";
            names += elements[static_cast<std::size_t>(index)].name;
        }
        batches.push_back({std::to_string(ids[static_cast<std::size_t>(members.front())]),
                           "[" + pad_text(std::to_string(members.size()), count_width, ' ') +
                               "]{ " + names + " };"});
    }
    return batches;
}

void write_member_rows(std::ostringstream& out, const Entity& group)
{
    const std::string group_vertices = uint_to_grouped_text(group.vertex_count);
    const std::int32_t index_width = digit_count(group.member_count);
    for (std::int32_t i = 0; i < group.member_count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const Entity* member = at < group.members.size() ? group.members[at] : nullptr;
        out << "  | E" << pad_text(std::to_string(i), index_width, '0') << " | ";
        if (member == nullptr) {
            out << "? ms (? %) | " << pad_text("0", 12, ' ') << " v (" << pad_text("?", 6, ' ')
                << " %) | \t null\n";
            continue;
        }
        // An empty group total leaves every share at zero rather than inf or nan.
        const double share = group.vertex_count == 0
                                 ? 0.0
                                 : static_cast<double>(member->vertex_count) /
                                       static_cast<double>(group.vertex_count) * 100.0;
        out << "0 ms (? %) | "
            << pad_text(uint_to_grouped_text(member->vertex_count),
                        static_cast<std::int32_t>(group_vertices.size()), ' ')
            << " v (" << pad_text(fixed_to_text(share, 2), 6, ' ') << " %) | \t ["
            << path_file_name(member->parse_report.script_path) << "]\n";
    }
}

void write_batch_rows(std::ostringstream& out, const std::vector<Batch>& batches)
{
    std::int32_t id_width = 0;
    for (const Batch& batch : batches)
        id_width = std::max(id_width, static_cast<std::int32_t>(batch.id_text.size()));
    const std::int32_t index_width = digit_count(static_cast<std::int64_t>(batches.size()));
    for (std::size_t j = 0; j < batches.size(); ++j)
        out << "  | B" << pad_text(std::to_string(j), index_width, '0') << " | "
            << pad_text(batches[j].id_text, id_width, ' ') << " \t " << batches[j].text << "\n";
}

void write_suggestions(std::ostringstream& out)
{
    out << "\n";
    const std::pair<const char*, int> examples[] = {
        {"DUAL-CORE", 2}, {"TRI-CORE", 3}, {"QUAD-CORE", 4}};
    for (const auto& [title, cores] : examples) {
        out << "    // " << title << "\n    return {\n";
        for (int k = 0; k < cores; ++k) {
            const std::string entry = "PLIM(" + std::to_string(k) + "|\"...\")";
            out << "      " << entry << "," << entry << (k + 1 < cores ? "," : "") << "\n";
        }
        out << "    };\n";
    }
}

} // namespace

std::string format_ppd_report(const Entity& entity)
{
    if (entity.mesh == nullptr) return "M!";
    const ParseReport& report = entity.parse_report;
    const SectionCounts counts = section_counts(report);
    const TextList timing_lines = timing_lines_of(*entity.mesh);
    const TextList statements = split_text(get_parse_operations_text(report), '\n');
    if (statements.size() < static_cast<std::uint32_t>(counts.operations))
        g_trace_stream << "ERROR:OPc!=|OP|;" << std::endl;

    std::ostringstream out;
    write_head(out, report.script_path);
    const bool element = entity.in_group != 0;
    if (element) {
        const Mesh& mesh = *entity.mesh;
        out << "    \t ordinal: " << mesh.result_index << " (" << mesh.result_index + 1 << " of "
            << mesh.group_member_count << ")\n";
        out << "    \t batch:   " << mesh.batch_id << " (" << mesh.batch_id + 1 << " of "
            << mesh.batch_count << ")\n";
    }
    write_input_script(out, counts, report.script_text.size());
    write_run_process(out, entity.mesh->execute_mode, entity, "-1");
    write_output_mesh(out, entity, element ? "ELEMENT" : "MONOLITH");
    write_section_title(out, "\t Workload : Task-Type Distribution\n");
    out << TASK_TYPE_TABLE;
    write_section_title(out, "\t Workload : Per-Statement Breakdown\n");
    if (has_statement_rows(timing_lines, counts))
        write_statement_rows(out, timing_lines, statements, counts);
    write_section_title(out, "\t Workload : Post-Execution Operations\n");
    out << "  TODO!\n";
    write_tail(out, entity, timing_lines, counts.total(), counts.functions, counts.operations);
    return out.str();
}

std::string format_ppd_report_parallel(const Entity& group)
{
    SectionCounts counts;
    for (const Entity* member : group.members) {
        if (member == nullptr) continue;
        const SectionCounts own = section_counts(member->parse_report);
        counts.directives += own.directives;
        counts.parameters += own.parameters;
        counts.functions += own.functions;
        counts.operations += own.operations;
    }
    const std::vector<Batch> batches = parallel_batches(group);

    std::ostringstream out;
    write_head(out, group.parse_report.script_path);
    write_input_script(out, counts, group.parse_report.script_text.size());
    write_run_process(out, group.root_execute_mode, group, "?");
    write_output_mesh(out, group, "PARALLEL");
    write_section_title(out, "\t Workload : Task-Type Distribution\n");
    out << TASK_TYPE_TABLE;
    write_section_title(out, "\t Workload : Per-Entity Breakdown\n");
    write_member_rows(out, group);
    write_section_title(out, "\t Workload : Parallel-Assembly Outline\n");
    out << "  \t executor:   0\n  \t processors: 0\n";
    write_section_title(out, "\t Workload : Parallel-Assembly Batching\n");
    write_batch_rows(out, batches);
    out << R62 << "\n    ...\n" << R62 << "\n  \t Batch-Identifier Suggestions\n" << R62;
    write_suggestions(out);
    write_tail(out, group, TextList{"0"}, counts.total(), 0, 1);
    return out.str();
}

std::string format_ppd_statistics(const Entity& entity, const TextList& timing_lines,
                                  std::int32_t statement_count, std::int32_t first,
                                  std::int32_t count)
{
    // The 32-bit extremes stand only for "no value seen".
    std::optional<std::int64_t> minimum;
    std::optional<std::int64_t> maximum;
    const std::int64_t begin = std::max<std::int64_t>(first, 0);
    const std::int64_t end = std::min<std::int64_t>(std::int64_t{first} + std::max(count, 0),
                                                    static_cast<std::int64_t>(timing_lines.size()));
    for (std::int64_t at = begin; at < end; ++at) {
        const auto value = parse_timing(timing_lines[static_cast<std::size_t>(at)]);
        if (!value) continue;
        minimum = std::min(minimum.value_or(*value), *value);
        maximum = std::max(maximum.value_or(*value), *value);
    }
    const double low =
        static_cast<double>(minimum.value_or(std::numeric_limits<std::int32_t>::max()));
    const double high =
        static_cast<double>(maximum.value_or(std::numeric_limits<std::int32_t>::min()));
    const double seconds = entity.run_time_seconds;
    const double statements = static_cast<double>(statement_count);
    const double script_bytes = static_cast<double>(entity.parse_report.script_text.size());
    std::vector<std::string> values{
        fixed_to_text(static_cast<double>(entity.vertex_count) / seconds, 1),
        fixed_to_text(statements / seconds, 1),
        fixed_to_text(low / 1000000.0, 1),
        fixed_to_text(high / 1000000.0, 1),
        fixed_to_text(static_cast<double>(entity.run_time_ms) / statements, 1),
        "1:" + fixed_to_text(static_cast<double>(entity.mesh_bytes) / script_bytes, 1)};
    std::int32_t width = 0;
    for (const std::string& value : values)
        width = std::max(width, static_cast<std::int32_t>(value.size()));
    for (std::string& value : values)
        value = pad_text(value, width, ' ');
    return "  VPS      = " + values[0] + " #   \t vertices per-second throughput\n" +
           "  SPS      = " + values[1] + " #   \t statements per-second throughput\n" +
           "  min_SRT  = " + values[2] + " ms  \t minimum statement runtime\n" +
           "  max_SRT  = " + values[3] + " ms  \t maximum statement runtime\n" +
           "  avg_SRT  = " + values[4] + " ms  \t average statement runtime\n" +
           "  IO_ratio = " + values[5] + " i:o \t input-output byte-ratio\n";
}
