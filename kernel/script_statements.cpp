#include "kernel/script_statements.h"

#include <algorithm>

namespace {

enum class ScanState { PLAIN, LINE_COMMENT, BLOCK_COMMENT, SINGLE_QUOTED, DOUBLE_QUOTED };

bool is_opener(char c)
{
    return c == '(' || c == '<' || c == '[' || c == '{';
}

bool is_closer(char c)
{
    return c == ')' || c == '>' || c == ']' || c == '}';
}

} // namespace

std::vector<std::uint8_t> mark_comment_chars(std::string_view text, std::size_t length)
{
    const std::size_t n = std::min(length, text.size());
    std::vector<std::uint8_t> marks(n, CHAR_PLAIN);
    ScanState state = ScanState::PLAIN;
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        const bool has_next = i + 1 < n;
        const char next = has_next ? text[i + 1] : '\0';
        switch (state) {
        case ScanState::PLAIN:
            if (c == '"' || c == '\'') {
                marks[i] = CHAR_QUOTED;
                state = c == '"' ? ScanState::DOUBLE_QUOTED : ScanState::SINGLE_QUOTED;
            } else if (c == '/' && has_next && (next == '/' || next == '*')) {
                marks[i] = marks[i + 1] = CHAR_COMMENT;
                state = next == '/' ? ScanState::LINE_COMMENT : ScanState::BLOCK_COMMENT;
                ++i;
            }
            break;
        case ScanState::LINE_COMMENT:
            marks[i] = CHAR_COMMENT;
            if (c == '\n') state = ScanState::PLAIN;
            break;
        case ScanState::BLOCK_COMMENT:
            marks[i] = CHAR_COMMENT;
            if (c == '*' && has_next && next == '/') {
                marks[i + 1] = CHAR_COMMENT;
                state = ScanState::PLAIN;
                ++i;
            }
            break;
        case ScanState::SINGLE_QUOTED:
        case ScanState::DOUBLE_QUOTED: {
            marks[i] = CHAR_QUOTED;
            const char quote = state == ScanState::DOUBLE_QUOTED ? '"' : '\'';
            if (c == quote || c == '\n') {
                state = ScanState::PLAIN;
            } else if (c == '\\' && has_next) {
                // The escaped character cannot end the quoted text.
                marks[i + 1] = CHAR_QUOTED;
                ++i;
            }
            break;
        }
        }
        ++i;
    }
    return marks;
}

std::string replace_top_level_separator(std::string_view text, char separator,
                                        std::string_view replacement)
{
    const std::vector<std::uint8_t> marks = mark_comment_chars(text, text.size());
    std::string result;
    result.reserve(text.size());
    long depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (is_opener(c) || is_closer(c)) {
            if (marks[i] != CHAR_QUOTED) depth += is_opener(c) ? 1 : -1;
            result.push_back(c);
        } else if (c == separator && depth == 0) {
            result.append(replacement);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

TextList split_statements(std::string_view text, char separator, bool drop_blank_parts,
                          bool trim_parts)
{
    const std::string marked = replace_top_level_separator(text, separator, k_statement_marker);
    TextList parts = split_text_by(marked, std::string(k_statement_marker));
    if (!drop_blank_parts) return parts;
    TextList kept;
    for (std::string& part : parts) {
        std::string trimmed = trim_text(part);
        if (trimmed.empty()) continue;
        kept.push_back(trim_parts ? std::move(trimmed) : std::move(part));
    }
    return kept;
}
