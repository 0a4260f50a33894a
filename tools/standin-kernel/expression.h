#pragma once

#include "script_scan.h"

#include <string>
#include <vector>

// Expressions of the evaluated language subset, parsed from a token range.

enum class ExprKind { Number, Bool, Text, Name, Call, Method, Binary, Negate };

struct Expr {
    ExprKind kind = ExprKind::Number;
    double number = 0.0;
    bool flag = false;
    std::string text; // Text: content; Name/Call/Method: the name; Binary: "+", "-", "*" or "/"
    std::vector<Expr>
        args; // Call: arguments; Method: target then arguments; Binary: two; Negate: one
    int line = 0;
};

struct ExprParse {
    bool ok = false;
    Expr expr;
    std::string error; // what went wrong, when not ok
};

// Parses tokens [begin, end) as one whole expression.
ExprParse parse_expression(const std::vector<Token>& tokens, size_t begin, size_t end);
