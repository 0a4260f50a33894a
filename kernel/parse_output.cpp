#include "kernel/parse_output.h"

#include "model/enum_names.h"

#include <algorithm>

namespace {

std::int32_t count_line_feeds(const std::string& text)
{
    return static_cast<std::int32_t>(std::count(text.begin(), text.end(), '\n'));
}

// Operations without tabs, line feeds and spaces; carriage returns stay, so a
// CRLF return does not pass.
std::string compact_operations(const std::string& text)
{
    std::string compact;
    for (char c : text) {
        if (c != '\t' && c != '\n' && c != ' ') compact.push_back(c);
    }
    return compact;
}

bool tags_in_order(const std::string& block, const std::string& opening, const std::string& closing)
{
    const std::size_t open = block.find(opening);
    const std::size_t close = block.find(closing);
    return open != std::string::npos && close != std::string::npos &&
           close >= open + opening.size();
}

} // namespace

bool parse_block_is_sectioned(const std::string& block)
{
    for (const char* tag : g_parse_section_tags) {
        const std::string name = tag;
        if (!tags_in_order(block, "<" + name + ">", "</" + name + ">")) return false;
    }
    return tags_in_order(block, "<SOURCE>", "</SOURCE>");
}

std::string drop_carriage_returns(const std::string& output)
{
    std::string text;
    text.reserve(output.size());
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (output[i] == '\r' && i + 1 < output.size() && output[i + 1] == '\n') continue;
        text.push_back(output[i]);
    }
    return text;
}

TextList split_parse_output(const std::string& output, std::size_t script_count)
{
    TextList blocks = split_text_by(output, "<BREAK>\n");
    blocks.resize(script_count);
    return blocks;
}

TaggedSection cut_tagged_section(const std::string& block, const std::string& tag)
{
    const std::string opening = "<" + tag + ">";
    const std::string closing = "</" + tag + ">";
    const std::size_t open = block.find(opening);
    const std::size_t close = block.find(closing);
    if (open == std::string::npos || close == std::string::npos) return {};
    const std::size_t start = open + opening.size() + 1;
    if (close < start) return {};
    TaggedSection section;
    section.content = block.substr(start, close - start);
    section.line_count = count_line_feeds(section.content);
    return section;
}

std::string cut_source_text(const std::string& block)
{
    const std::string opening = "<SOURCE>";
    const std::size_t open = block.find(opening);
    const std::size_t close = block.find("</SOURCE>");
    if (open == std::string::npos || close == std::string::npos || close < open + opening.size())
        return {};
    return block.substr(open + opening.size(), close - open - opening.size());
}

ParallelCheck check_parallel_script(const TaggedSection& directives,
                                    const TaggedSection& operations)
{
    if (directives.line_count < 1 || directives.content.empty() ||
        to_upper_text(directives.content).find("#PARALLEL;") == std::string::npos)
        return ParallelCheck::NOT_PARALLEL;
    if (operations.line_count >= 2) return ParallelCheck::SUPERFLUOUS_STATEMENTS;
    const std::string compact = compact_operations(operations.content);
    if (compact.size() >= 9 && compact.starts_with("return{") && compact.ends_with("};"))
        return ParallelCheck::PARALLEL;
    return ParallelCheck::INVALID_RETURN;
}
