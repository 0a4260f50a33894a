#include "expression.h"

#include <cstdlib>

namespace {

// Deeper expressions would only exhaust the stack of the recursive parser and
// evaluator; no sensible script comes near this.
constexpr int kMaxCompositeNodes = 1000;

struct ParseFailure {
    std::string message;
};

class ExprParser {
public:
    ExprParser(const std::vector<Token>& tokens, size_t begin, size_t end)
        : tokens_(tokens), at_(begin), begin_(begin), end_(end)
    {
    }

    Expr parse_whole()
    {
        Expr expr = parse_sum();
        if (at_ < end_) fail_here();
        return expr;
    }

private:
    const std::vector<Token>& tokens_;
    size_t at_;
    size_t begin_;
    size_t end_;
    int composite_nodes_ = 0;

    void count_composite()
    {
        if (++composite_nodes_ > kMaxCompositeNodes)
            throw ParseFailure{"expression too deeply nested"};
    }

    bool is_symbol(const char* symbol) const
    {
        return at_ < end_ && tokens_[at_].kind == TokenKind::Symbol && tokens_[at_].text == symbol;
    }

    // A token that starts a new line where an operator was due is most likely
    // the start of the next statement.
    [[noreturn]] void fail_here() const
    {
        if (at_ >= end_) throw ParseFailure{"incomplete expression"};
        const Token& token = tokens_[at_];
        if (token.kind == TokenKind::Unterminated) throw ParseFailure{"unterminated quoted text"};
        if (at_ > begin_ && token.line > tokens_[at_ - 1].line)
            throw ParseFailure{"missing ';' before '" + token.text + "'"};
        throw ParseFailure{"unexpected token '" + token.text + "'"};
    }

    void expect(const char* symbol)
    {
        if (!is_symbol(symbol)) fail_here();
        ++at_;
    }

    Expr parse_sum()
    {
        Expr left = parse_product();
        while (is_symbol("+") || is_symbol("-"))
            left = binary(left, &ExprParser::parse_product);
        return left;
    }

    Expr parse_product()
    {
        Expr left = parse_unary();
        while (is_symbol("*") || is_symbol("/"))
            left = binary(left, &ExprParser::parse_unary);
        return left;
    }

    Expr binary(Expr& left, Expr (ExprParser::*next)())
    {
        count_composite();
        Expr node;
        node.kind = ExprKind::Binary;
        node.text = tokens_[at_].text;
        node.line = tokens_[at_].line;
        ++at_;
        node.args.push_back(std::move(left));
        node.args.push_back((this->*next)());
        return node;
    }

    Expr parse_unary()
    {
        if (!is_symbol("-")) return parse_postfix();
        count_composite();
        Expr node;
        node.kind = ExprKind::Negate;
        node.line = tokens_[at_].line;
        ++at_;
        node.args.push_back(parse_unary());
        return node;
    }

    Expr parse_postfix()
    {
        Expr expr = parse_primary();
        while (is_symbol(".")) {
            ++at_;
            if (at_ >= end_ || tokens_[at_].kind != TokenKind::Identifier) fail_here();
            count_composite();
            Expr method;
            method.kind = ExprKind::Method;
            method.text = tokens_[at_].text;
            method.line = tokens_[at_].line;
            ++at_;
            method.args.push_back(std::move(expr));
            if (is_symbol("(")) parse_arguments(method.args);
            expr = std::move(method);
        }
        return expr;
    }

    void parse_arguments(std::vector<Expr>& args)
    {
        expect("(");
        if (is_symbol(")")) {
            ++at_;
            return;
        }
        args.push_back(parse_sum());
        while (is_symbol(",")) {
            ++at_;
            args.push_back(parse_sum());
        }
        expect(")");
    }

    Expr parse_primary()
    {
        if (at_ >= end_) fail_here();
        const Token& token = tokens_[at_];
        Expr expr;
        expr.line = token.line;
        if (is_symbol("(")) {
            count_composite();
            ++at_;
            expr = parse_sum();
            expect(")");
            return expr;
        }
        switch (token.kind) {
        case TokenKind::Number:
            expr.kind = ExprKind::Number;
            expr.number = std::strtod(token.text.c_str(), nullptr);
            break;
        case TokenKind::String:
        case TokenKind::Char:
            expr.kind = ExprKind::Text;
            expr.text = token.text;
            break;
        case TokenKind::Identifier:
            if (token.text == "true" || token.text == "false") {
                expr.kind = ExprKind::Bool;
                expr.flag = token.text == "true";
                break;
            }
            if (token.text == "return") fail_here();
            expr.kind = ExprKind::Name;
            expr.text = token.text;
            ++at_;
            if (is_symbol("(")) {
                count_composite();
                expr.kind = ExprKind::Call;
                parse_arguments(expr.args);
            }
            return expr;
        default:
            fail_here();
        }
        ++at_;
        return expr;
    }
};

} // namespace

ExprParse parse_expression(const std::vector<Token>& tokens, size_t begin, size_t end)
{
    ExprParse result;
    try {
        result.expr = ExprParser(tokens, begin, end).parse_whole();
        result.ok = true;
    } catch (const ParseFailure& failure) {
        result.error = failure.message;
    }
    return result;
}
