#pragma once

#include "expression.h"
#include "script_scan.h"

#include <string>
#include <vector>

// A script cut into directives, functions and top-level statements, with the
// errors and warnings a parse run reports. Parse and assembly runs share it, so
// both count the same FUNCTIONS and OPERATIONS lines.

enum class StatementKind { Parameter, Assignment, Expression, Return, ParallelReturn };

struct Statement {
    StatementKind kind = StatementKind::Expression;
    std::string text; // the statement on one line, ending in ';'
    int line = 0;
    std::string name;        // Assignment: target; Parameter: parameter name
    std::string type;        // Parameter: INT, DBL, LNG, BLN, CHR or STR
    Expr value;              // Parameter: its value literal; otherwise the expression
    std::string invocations; // ParallelReturn: the text between its braces
};

struct ScriptOutline {
    std::vector<std::string> directives; // trimmed lines; "#PLIM" lines go to functions
    std::vector<std::string> functions;
    std::vector<Statement> statements; // well-formed top-level statements in text order
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
    std::vector<Pragma> pragmas;
    bool parallel = false; // "#PARALLEL;" stands among the directives
};

ScriptOutline outline_script(const std::string& text);

// OPERATIONS are all statements but the parameter definitions.
std::vector<const Statement*> operation_statements(const ScriptOutline& outline);
std::vector<const Statement*> parameter_statements(const ScriptOutline& outline);
