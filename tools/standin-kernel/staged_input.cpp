#include "staged_input.h"

#include "text.h"

#include <cctype>

const char* const kExecuteModeNames[3] = {"pure_union_mesh", "basic_csg_mesh", "optimal_csg_mesh"};

namespace {

// The count line "N;", or -1.
int read_count_line(const std::string& line)
{
    const std::string trimmed = trim(line);
    if (trimmed.size() < 2 || trimmed.size() > 9 || trimmed.back() != ';') return -1;
    for (size_t i = 0; i + 1 < trimmed.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(trimmed[i]))) return -1;
    return std::stoi(trimmed);
}

std::string join_lines(const std::vector<std::string>& lines, size_t begin, size_t end)
{
    std::string text;
    for (size_t i = begin; i < end; ++i)
        text += (i > begin ? "\n" : "") + lines[i];
    return text;
}

// A block's body ends before its last "};" line; text after that is stray.
size_t block_body_end(const std::vector<std::string>& lines, size_t begin, size_t end)
{
    for (size_t close = end; close > begin; --close)
        if (trim(lines[close - 1]) == "};") return close - 1;
    return end;
}

void note_count_mismatch(int declared, size_t found, std::string& problem)
{
    if (declared >= 0 && static_cast<size_t>(declared) != found)
        problem = "the count line says " + std::to_string(declared) + " but " +
                  std::to_string(found) + " block" + (found == 1 ? "" : "s") + " follow";
}

bool is_empty_block(const std::string& line)
{
    const std::string trimmed = trim(line);
    return trimmed == "{ };" || trimmed == "{};";
}

bool starts_block(const std::vector<std::string>& lines, size_t at)
{
    return is_empty_block(lines[at]) || (trim(lines[at]) == "{" && at + 1 < lines.size() &&
                                         trim(lines[at + 1]) == "// directives");
}

// The mode named on an "#execute_mode:" line, or -1.
int execute_mode_of(const std::string& line)
{
    std::string name = trim(line.substr(14));
    if (!name.empty() && name.back() == ';') name.pop_back();
    for (int mode = 0; mode < 3; ++mode)
        if (name == kExecuteModeNames[mode]) return mode;
    return -1;
}

// The block's lines before "// logic" carry its execute mode.
StagedBlock read_block(const std::vector<std::string>& lines, size_t begin, size_t end,
                       std::string& problem)
{
    StagedBlock block;
    size_t logic_begin = begin;
    for (size_t i = begin; i < end; ++i) {
        const std::string line = trim(lines[i]);
        if (line.rfind("#execute_mode:", 0) == 0) {
            const int mode = execute_mode_of(line);
            if (mode < 0)
                problem = "unknown execute mode in '" + line + "'";
            else
                block.execute_mode = mode;
        }
        if (line == "// logic") {
            logic_begin = i + 1;
            break;
        }
    }
    block.logic = join_lines(lines, logic_begin, end);
    return block;
}

} // namespace

std::string normalise_line_ends(const std::string& text)
{
    return replace_all(replace_all(text, "\r\n", "\n"), "\r", "\n");
}

StagedScript split_single_script(const std::string& staged)
{
    const std::string marker = "// logic\n";
    return {"", staged.rfind(marker, 0) == 0 ? staged.substr(marker.size()) : staged};
}

std::vector<StagedScript> split_script_list(const std::string& staged, std::string& problem)
{
    const std::vector<std::string> lines = split_lines(staged);
    const int declared = read_count_line(lines[0]);
    if (declared < 0) {
        problem = "the staged list has no count line; reading it as one script";
        return {{"", staged}};
    }
    std::vector<size_t> starts;
    for (size_t i = 1; i + 1 < lines.size(); ++i)
        if (trim(lines[i]) == "{" && lines[i + 1].rfind("// E:", 0) == 0) starts.push_back(i);
    std::vector<StagedScript> scripts;
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t begin = starts[k] + 2;
        const size_t end =
            block_body_end(lines, begin, k + 1 < starts.size() ? starts[k + 1] : lines.size());
        scripts.push_back({lines[starts[k] + 1].substr(5), join_lines(lines, begin, end)});
    }
    note_count_mismatch(declared, scripts.size(), problem);
    return scripts;
}

std::vector<StagedBlock> split_assembly_input(const std::string& staged, std::string& problem)
{
    const std::vector<std::string> lines = split_lines(staged);
    const int declared = read_count_line(lines[0]);
    if (declared < 0) return {StagedBlock{false, 2, staged}};
    std::vector<size_t> starts;
    for (size_t i = 1; i < lines.size(); ++i)
        if (starts_block(lines, i)) starts.push_back(i);
    std::vector<StagedBlock> blocks;
    for (size_t k = 0; k < starts.size(); ++k) {
        if (is_empty_block(lines[starts[k]])) {
            blocks.push_back(StagedBlock{true, 2, ""});
            continue;
        }
        const size_t next = k + 1 < starts.size() ? starts[k + 1] : lines.size();
        blocks.push_back(
            read_block(lines, starts[k] + 1, block_body_end(lines, starts[k] + 1, next), problem));
    }
    note_count_mismatch(declared, blocks.size(), problem);
    return blocks;
}
