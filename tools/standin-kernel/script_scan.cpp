#include "script_scan.h"

#include "text.h"

#include <cctype>

namespace {

struct Cursor {
    const std::string& text;
    size_t at = 0;
    int line = 1;
    bool line_start = true;

    char peek(size_t ahead = 0) const { return at + ahead < text.size() ? text[at + ahead] : '\0'; }
    bool done() const { return at >= text.size(); }
    void advance()
    {
        if (text[at] == '\n') {
            ++line;
            line_start = true;
        }
        ++at;
    }
};

bool is_identifier_start(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool is_identifier_char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

void scan_line_comment(Cursor& cursor, ScannedScript& scanned)
{
    const size_t begin = cursor.at + 2;
    while (!cursor.done() && cursor.peek() != '\n')
        ++cursor.at;
    const std::string body = trim(cursor.text.substr(begin, cursor.at - begin));
    if (body.size() > 1 && body[0] == '@') {
        const size_t blank = body.find_first_of(" \t");
        Pragma pragma;
        pragma.word = body.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
        pragma.rest = blank == std::string::npos ? "" : trim(body.substr(blank));
        pragma.line = cursor.line;
        scanned.pragmas.push_back(pragma);
    }
}

void scan_block_comment(Cursor& cursor)
{
    cursor.at += 2;
    while (!cursor.done() && !(cursor.peek() == '*' && cursor.peek(1) == '/'))
        cursor.advance();
    if (!cursor.done()) cursor.at += 2;
}

void scan_directive(Cursor& cursor, ScannedScript& scanned)
{
    const size_t begin = cursor.at;
    while (!cursor.done() && cursor.peek() != '\n')
        ++cursor.at;
    scanned.directives.push_back({trim(cursor.text.substr(begin, cursor.at - begin)), cursor.line});
}

void scan_number(Cursor& cursor)
{
    while (is_digit(cursor.peek()))
        ++cursor.at;
    if (cursor.peek() == '.' && is_digit(cursor.peek(1))) {
        ++cursor.at;
        while (is_digit(cursor.peek()))
            ++cursor.at;
    }
    const char sign = cursor.peek(1);
    if ((cursor.peek() == 'e' || cursor.peek() == 'E') &&
        (is_digit(sign) || ((sign == '+' || sign == '-') && is_digit(cursor.peek(2))))) {
        cursor.at += 2;
        while (is_digit(cursor.peek()))
            ++cursor.at;
    }
}

// Quoted text ends at its closing quote; a line break ends it unterminated.
Token scan_quoted(Cursor& cursor)
{
    const char quote = cursor.peek();
    Token token{quote == '"' ? TokenKind::String : TokenKind::Char, "", cursor.at, 0, cursor.line};
    ++cursor.at;
    while (!cursor.done() && cursor.peek() != quote && cursor.peek() != '\n') {
        if (cursor.peek() == '\\' && cursor.at + 1 < cursor.text.size() && cursor.peek(1) != '\n')
            ++cursor.at;
        token.text += cursor.peek();
        ++cursor.at;
    }
    if (cursor.peek() == quote)
        ++cursor.at;
    else
        token.kind = TokenKind::Unterminated;
    token.end = cursor.at;
    return token;
}

} // namespace

ScannedScript scan_script(const std::string& text)
{
    ScannedScript scanned;
    Cursor cursor{text};
    while (!cursor.done()) {
        const char c = cursor.peek();
        if (c == '\n' || is_blank(c)) {
            cursor.advance();
            continue;
        }
        const bool at_line_start = cursor.line_start;
        cursor.line_start = false;
        if (c == '#' && at_line_start) {
            scan_directive(cursor, scanned);
        } else if (c == '/' && cursor.peek(1) == '/') {
            scan_line_comment(cursor, scanned);
        } else if (c == '/' && cursor.peek(1) == '*') {
            scan_block_comment(cursor);
        } else if (c == '"' || c == '\'') {
            scanned.tokens.push_back(scan_quoted(cursor));
        } else {
            Token token{TokenKind::Symbol, "", cursor.at, 0, cursor.line};
            if (is_identifier_start(c)) {
                token.kind = TokenKind::Identifier;
                while (is_identifier_char(cursor.peek()))
                    ++cursor.at;
            } else if (is_digit(c) || (c == '.' && is_digit(cursor.peek(1)))) {
                token.kind = TokenKind::Number;
                scan_number(cursor);
            } else {
                ++cursor.at;
            }
            token.end = cursor.at;
            token.text = text.substr(token.begin, token.end - token.begin);
            scanned.tokens.push_back(token);
        }
    }
    return scanned;
}

std::string join_token_text(const std::string& text, const std::vector<Token>& tokens, size_t first,
                            size_t last)
{
    std::string joined;
    for (size_t i = first; i <= last && i < tokens.size(); ++i) {
        if (i > first) {
            const std::string gap =
                text.substr(tokens[i - 1].end, tokens[i].begin - tokens[i - 1].end);
            joined += gap.find_first_not_of(" \t") == std::string::npos ? gap : " ";
        }
        joined += text.substr(tokens[i].begin, tokens[i].end - tokens[i].begin);
    }
    return joined;
}
