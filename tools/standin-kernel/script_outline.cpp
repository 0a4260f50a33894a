#include "script_outline.h"

#include "text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace {

const std::set<std::string> kPrimitives = {"cube",   "mcube",    "bcube", "rcube",
                                           "sphere", "cylinder", "cone",  "torus"};

const std::set<std::string> kMethods = {
    "rgb",  "rgba",  "s",     "tx",    "ty",  "tz", "txy", "t",   "rx", "ry",  "rz", "rx90", "ry90",
    "rz90", "rxN90", "ryN90", "rzN90", "duo", "ix", "zy",  "gty", "c",  "flx", "fl", "flz"};

const std::set<std::string> kParameterTypes = {"INT", "DBL", "LNG", "BLN", "CHR", "STR"};

// Directive keywords, matched as prefixes of the upper-cased word after '#'
// with '_' removed.
const char* const kDirectiveKeywords[] = {
    "PARALLEL", "PRE",  "CCPP",    "GLOBAL",  "POST", "VCPS",  "SUFFIX", "PLIM",
    "CAM",      "VIEW", "EYELOOK", "VARIANT", "PSET", "PARAM", "ANIM",   "EXECUTEMODE"};

std::string at_line(int line, const std::string& message)
{
    return "line " + std::to_string(line) + ": " + message + ";";
}

std::string directive_keyword(const std::string& line)
{
    std::string keyword;
    for (size_t i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '_') continue;
        if (!std::isalnum(static_cast<unsigned char>(c))) break;
        keyword += c;
    }
    return to_upper(keyword);
}

void classify_directives(const ScannedScript& scanned, ScriptOutline& outline)
{
    for (const DirectiveLine& directive : scanned.directives) {
        const std::string keyword = directive_keyword(directive.text);
        if (keyword.rfind("PLIM", 0) == 0)
            outline.functions.push_back(directive.text);
        else
            outline.directives.push_back(directive.text);
        if (to_upper(directive.text).find("#PARALLEL;") != std::string::npos)
            outline.parallel = true;
        bool known = false;
        for (const char* candidate : kDirectiveKeywords)
            known = known || keyword.rfind(candidate, 0) == 0;
        if (!known)
            outline.warnings.push_back(
                at_line(directive.line, "unknown directive '" + directive.text + "'"));
    }
}

// Returns the first bracket problem of a statement, or an empty text.
std::string check_brackets(const std::vector<Token>& tokens, size_t begin, size_t end)
{
    std::string open;
    for (size_t i = begin; i < end; ++i) {
        if (tokens[i].kind != TokenKind::Symbol) continue;
        const char c = tokens[i].text[0];
        if (c == '(' || c == '[' || c == '{') {
            open += c;
        } else if (c == ')' || c == ']' || c == '}') {
            const char expected = c == ')' ? '(' : c == ']' ? '[' : '{';
            if (open.empty() || open.back() != expected)
                return "unbalanced brackets at '" + tokens[i].text + "'";
            open.pop_back();
        }
    }
    return open.empty()
               ? ""
               : "unbalanced brackets: '" + std::string(1, open.back()) + "' is not closed";
}

bool is_symbol(const Token& token, const char* symbol)
{
    return token.kind == TokenKind::Symbol && token.text == symbol;
}

// A literal, possibly negated number, folded into a Number, Bool or Text.
bool fold_literal(const Expr& expr, Expr& literal)
{
    if (expr.kind == ExprKind::Negate && expr.args[0].kind == ExprKind::Number) {
        literal = expr.args[0];
        literal.number = -literal.number;
        return true;
    }
    literal = expr;
    return expr.kind == ExprKind::Number || expr.kind == ExprKind::Bool ||
           expr.kind == ExprKind::Text;
}

bool literal_fits_type(const Expr& literal, const std::string& type)
{
    if (type == "INT" || type == "LNG")
        return literal.kind == ExprKind::Number && std::floor(literal.number) == literal.number;
    if (type == "DBL") return literal.kind == ExprKind::Number;
    if (type == "BLN") return literal.kind == ExprKind::Bool;
    if (type == "CHR") return literal.kind == ExprKind::Text && literal.text.size() == 1;
    return literal.kind == ExprKind::Text;
}

// Splits tokens [begin, end) at commas outside brackets.
std::vector<std::pair<size_t, size_t>> split_fields(const std::vector<Token>& tokens, size_t begin,
                                                    size_t end)
{
    std::vector<std::pair<size_t, size_t>> fields;
    int depth = 0;
    size_t field_begin = begin;
    for (size_t i = begin; i < end; ++i) {
        if (tokens[i].kind != TokenKind::Symbol) continue;
        const char c = tokens[i].text[0];
        depth += (c == '(' || c == '[' || c == '{') - (c == ')' || c == ']' || c == '}');
        if (c == ',' && depth == 0) {
            fields.emplace_back(field_begin, i);
            field_begin = i + 1;
        }
    }
    fields.emplace_back(field_begin, end);
    return fields;
}

bool field_is_literal(const std::vector<Token>& tokens, std::pair<size_t, size_t> field,
                      Expr& literal)
{
    const ExprParse parsed = parse_expression(tokens, field.first, field.second);
    return parsed.ok && fold_literal(parsed.expr, literal);
}

// `TYPE name = value` or `TYPE name(value, min, max, 'label')`; the bounds and
// the label are optional and only checked for their kind.
bool parse_parameter(const std::vector<Token>& tokens, size_t begin, size_t end,
                     Statement& statement)
{
    statement.type = to_upper(tokens[begin].text);
    if (end - begin < 4 || tokens[begin + 1].kind != TokenKind::Identifier) return false;
    statement.name = tokens[begin + 1].text;
    const Token& form = tokens[begin + 2];
    if (is_symbol(form, "="))
        return field_is_literal(tokens, {begin + 3, end}, statement.value) &&
               literal_fits_type(statement.value, statement.type);
    if (!is_symbol(form, "(") || !is_symbol(tokens[end - 1], ")")) return false;
    const auto fields = split_fields(tokens, begin + 3, end - 1);
    if (!field_is_literal(tokens, fields[0], statement.value) ||
        !literal_fits_type(statement.value, statement.type))
        return false;
    const bool numeric =
        statement.type == "INT" || statement.type == "DBL" || statement.type == "LNG";
    for (size_t i = 1; i < fields.size(); ++i) {
        Expr field;
        if (!field_is_literal(tokens, fields[i], field)) return false;
        const bool is_bound = numeric && i <= 2;
        if (is_bound ? field.kind != ExprKind::Number : field.kind != ExprKind::Text) return false;
    }
    return true;
}

class StatementChecker {
public:
    StatementChecker(const std::string& text, const ScannedScript& scanned, ScriptOutline& outline)
        : text_(text), tokens_(scanned.tokens), outline_(outline)
    {
    }

    void check(size_t begin, size_t end)
    {
        if (end - begin < 2) return; // a lone ';' is an empty statement and harmless
        Statement statement;
        statement.line = tokens_[begin].line;
        statement.text = join_token_text(text_, tokens_, begin, end - 1);
        const bool after_return = seen_return_;
        seen_return_ = seen_return_ || (tokens_[begin].kind == TokenKind::Identifier &&
                                        tokens_[begin].text == "return");
        const std::string problem = classify(begin, end - 1, statement);
        if (!problem.empty()) {
            outline_.errors.push_back(at_line(statement.line, problem));
            return;
        }
        if (after_return)
            outline_.warnings.push_back(
                at_line(statement.line, "statement after the return is never evaluated"));
        outline_.statements.push_back(statement);
    }

    bool seen_return() const { return seen_return_; }

private:
    const std::string& text_;
    const std::vector<Token>& tokens_;
    ScriptOutline& outline_;
    std::set<std::string> variables_;
    bool seen_return_ = false;

    // Fills the statement from tokens [begin, end), its ';' excluded; returns
    // the problem found, or an empty text.
    std::string classify(size_t begin, size_t end, Statement& statement)
    {
        const std::string brackets = check_brackets(tokens_, begin, end);
        if (!brackets.empty()) return brackets;
        const Token& first = tokens_[begin];
        if (first.kind == TokenKind::Identifier && kParameterTypes.count(to_upper(first.text))) {
            statement.kind = StatementKind::Parameter;
            const bool well_formed = parse_parameter(tokens_, begin, end, statement);
            variables_.insert(statement.name);
            return well_formed ? "" : "malformed parameter definition '" + statement.text + "'";
        }
        if (first.kind == TokenKind::Identifier && first.text == "return") {
            if (end - begin > 1 && is_symbol(tokens_[begin + 1], "{"))
                return classify_parallel_return(begin, end, statement);
            statement.kind = StatementKind::Return;
            return parse_checked(begin + 1, end, statement.value);
        }
        if (end - begin > 1 && first.kind == TokenKind::Identifier &&
            is_symbol(tokens_[begin + 1], "=")) {
            statement.kind = StatementKind::Assignment;
            statement.name = first.text;
            // The name counts as defined even when its value is faulty, so
            // that one fault gives one error.
            variables_.insert(statement.name);
            return parse_checked(begin + 2, end, statement.value);
        }
        statement.kind = StatementKind::Expression;
        return parse_checked(begin, end, statement.value);
    }

    std::string classify_parallel_return(size_t begin, size_t end, Statement& statement)
    {
        statement.kind = StatementKind::ParallelReturn;
        if (!outline_.parallel) return "parallel return without the #PARALLEL; directive";
        if (!is_symbol(tokens_[end - 1], "}")) return "unexpected token after the parallel return";
        if (end - begin > 3)
            statement.invocations = join_token_text(text_, tokens_, begin + 2, end - 2);
        return "";
    }

    std::string parse_checked(size_t begin, size_t end, Expr& expr)
    {
        const ExprParse parsed = parse_expression(tokens_, begin, end);
        if (!parsed.ok) return parsed.error;
        expr = parsed.expr;
        return check_names(expr);
    }

    std::string check_names(const Expr& expr) const
    {
        if (expr.kind == ExprKind::Name && !variables_.count(expr.text) &&
            !kPrimitives.count(expr.text))
            return "unknown variable '" + expr.text + "'";
        if (expr.kind == ExprKind::Call && !kPrimitives.count(expr.text) && expr.text != "stub")
            return "unknown primitive '" + expr.text + "'";
        if (expr.kind == ExprKind::Method && !kMethods.count(expr.text))
            return "unknown method '" + expr.text + "'";
        for (const Expr& arg : expr.args) {
            const std::string problem = check_names(arg);
            if (!problem.empty()) return problem;
        }
        return "";
    }
};

} // namespace

ScriptOutline outline_script(const std::string& text)
{
    const ScannedScript scanned = scan_script(text);
    ScriptOutline outline;
    outline.pragmas = scanned.pragmas;
    classify_directives(scanned, outline);

    StatementChecker checker(text, scanned, outline);
    const std::vector<Token>& tokens = scanned.tokens;
    size_t begin = 0;
    int brace_depth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != TokenKind::Symbol) continue;
        if (tokens[i].text == "{")
            ++brace_depth;
        else if (tokens[i].text == "}")
            brace_depth = std::max(0, brace_depth - 1);
        else if (tokens[i].text == ";" && brace_depth == 0) {
            checker.check(begin, i + 1);
            begin = i + 1;
        }
    }
    if (begin < tokens.size()) {
        const std::string brackets = check_brackets(tokens, begin, tokens.size());
        outline.errors.push_back(at_line(
            tokens[begin].line,
            !brackets.empty() ? brackets
                              : "missing ';' after '" +
                                    join_token_text(text, tokens, begin, tokens.size() - 1) + "'"));
    }
    if (!checker.seen_return())
        outline.errors.push_back("the script has no top-level return statement;");
    return outline;
}

std::vector<const Statement*> operation_statements(const ScriptOutline& outline)
{
    std::vector<const Statement*> operations;
    for (const Statement& statement : outline.statements)
        if (statement.kind != StatementKind::Parameter) operations.push_back(&statement);
    return operations;
}

std::vector<const Statement*> parameter_statements(const ScriptOutline& outline)
{
    std::vector<const Statement*> parameters;
    for (const Statement& statement : outline.statements)
        if (statement.kind == StatementKind::Parameter) parameters.push_back(&statement);
    return parameters;
}
