#include "parse_output.h"

#include "script_outline.h"
#include "text.h"

namespace {

int section_index(const std::string& tag)
{
    for (size_t i = 0; i < kSectionTags.size(); ++i)
        if (to_upper(tag) == kSectionTags[i]) return static_cast<int>(i);
    return -1;
}

void apply_pragmas(const std::vector<Pragma>& pragmas, ParseBlock& block)
{
    for (const Pragma& pragma : pragmas) {
        if (pragma.word == "error")
            block.sections[kErrors].push_back(pragma.rest);
        else if (pragma.word == "warn")
            block.sections[kWarnings].push_back(pragma.rest);
        else if (pragma.word == "note")
            block.sections[kNotes].push_back(pragma.rest);
        else if (pragma.word == "inject") {
            const size_t blank = pragma.rest.find(' ');
            const int index = section_index(pragma.rest.substr(0, blank));
            if (index >= 0)
                block.sections[index].push_back(
                    blank == std::string::npos ? "" : pragma.rest.substr(blank + 1));
        }
    }
}

std::string tagged(const char* tag, const std::vector<std::string>& lines)
{
    std::string text = std::string("<") + tag + ">\n";
    for (const std::string& line : lines)
        text += line + "\n";
    return text + "</" + tag + ">\n";
}

// Bytes no parser should make sense of: NULs, high bytes and a stray tag.
std::string garbage_bytes()
{
    std::string bytes = "<ERRORS>\x01\xff";
    for (int i = 0; i < 250; ++i)
        bytes += static_cast<char>((i * 167 + 13) & 0xff);
    return bytes + std::string("</ERR\0OR\0", 9);
}

std::string malform_tags(std::string block, const std::string& fault, const std::string& tag)
{
    const std::string open = "<" + tag + ">\n";
    const std::string close = "</" + tag + ">\n";
    if (fault == "no-open-tag") return replace_all(block, open, "");
    if (fault == "no-close-tag") return replace_all(block, close, "");
    block = replace_all(block, close, "");
    return replace_all(block, open, close + open);
}

} // namespace

ParseBlock build_parse_block(const std::string& script_text)
{
    const ScriptOutline outline = outline_script(script_text);
    ParseBlock block;
    block.sections[kDirectives] = outline.directives;
    block.sections[kFunctions] = outline.functions;
    for (const Statement* statement : parameter_statements(outline))
        block.sections[kParameters].push_back(statement->text);
    for (const Statement* statement : operation_statements(outline))
        block.sections[kOperations].push_back(statement->text);
    block.sections[kErrors] = outline.errors;
    block.sections[kWarnings] = outline.warnings;
    apply_pragmas(outline.pragmas, block);
    block.source = script_text;
    return block;
}

std::string format_parse_block(const ParseBlock& block)
{
    std::string text;
    for (size_t i = 0; i < kSectionTags.size(); ++i)
        text += tagged(kSectionTags[i], block.sections[i]);
    return text + "<SOURCE>\n" + block.source + "\n</SOURCE>\n<BREAK>\n";
}

bool format_parse_output(const std::vector<ParseBlock>& blocks, const std::string& fault,
                         std::string& output)
{
    const size_t blank = fault.find(' ');
    const std::string name = fault.substr(0, blank);
    const std::string tag =
        blank == std::string::npos ? "OPERATIONS" : to_upper(trim(fault.substr(blank)));
    const bool tag_fault =
        name == "no-open-tag" || name == "no-close-tag" || name == "swapped-tags";
    if (!name.empty() && !tag_fault && name != "few-breaks" && name != "no-separator" &&
        name != "crlf" && name != "garbage")
        return false;

    output.clear();
    const size_t kept = name == "few-breaks" && !blocks.empty() ? blocks.size() - 1 : blocks.size();
    for (size_t i = 0; i < kept; ++i) {
        std::string text = format_parse_block(blocks[i]);
        if (tag_fault) text = malform_tags(text, name, tag);
        if (name == "no-separator") {
            const int index = section_index(tag);
            ParseBlock emptied = blocks[i];
            if (index >= 0) emptied.sections[index].clear();
            text = replace_all(format_parse_block(emptied), "<" + tag + ">\n</", "<" + tag + "></");
        }
        output += text;
    }
    if (name == "crlf") output = replace_all(output, "\n", "\r\n");
    if (name == "garbage") output = garbage_bytes();
    return true;
}
