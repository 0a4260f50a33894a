#pragma once

#include <string>
#include <vector>

// First pass over a script text: directive lines, comment pragmas and the
// tokens of everything else.

enum class TokenKind { Identifier, Number, String, Char, Symbol, Unterminated };

struct Token {
    TokenKind kind;
    std::string text; // for String and Char: the content without quotes
    size_t begin;     // byte range in the script text, quotes included
    size_t end;
    int line; // 1-based
};

struct DirectiveLine {
    std::string text; // the whole line, trimmed
    int line;
};

// A line comment of the form "// @word rest".
struct Pragma {
    std::string word;
    std::string rest;
    int line;
};

struct ScannedScript {
    std::vector<DirectiveLine> directives;
    std::vector<Pragma> pragmas;
    std::vector<Token> tokens;
};

ScannedScript scan_script(const std::string& text);

// The source of tokens [first, last] on one line: gaps are copied as written,
// except that a gap holding a line break or a comment becomes one blank.
std::string join_token_text(const std::string& text, const std::vector<Token>& tokens, size_t first,
                            size_t last);
