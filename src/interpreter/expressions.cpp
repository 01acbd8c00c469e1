// Recursive-descent evaluation of 16-bit integer expressions.
//
// Each level leaves the token that follows it as the current token. Nesting
// is bounded by parenthesis_depth_, so no input can exhaust the stack.
#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"

namespace marlinet::basic {

void Interpreter::evaluate_expression(std::int16_t& result) {
    read_token();
    if (token_.length == 0) raise_error(kNoExpression);
    parenthesis_depth_ = 0;
    sum(result);
    unread_token();
}

// sum -> term { (+ | -) term }
void Interpreter::sum(std::int16_t& result) {
    term(result);
    for (;;) {
        const char op = token_.first();
        if (op != '+' && op != '-') return;
        read_token();
        std::int16_t right;
        term(right);
        result = op == '+' ? wrap16(result + right) : wrap16(result - right);
    }
}

// term -> factor { (* | / | % | & | '|') factor }
void Interpreter::term(std::int16_t& result) {
    factor(result);
    for (;;) {
        const char op = token_.first();
        switch (op) {
        case '*':
        case '/':
        case '%':
        case '&':
        case '|': break;
        default: return;
        }
        read_token();
        std::int16_t right;
        factor(right);
        switch (op) {
        case '*': result = wrap16(std::int32_t{result} * right); break;
        case '/': result = divide(result, right, false); break;
        case '%': result = divide(result, right, true); break;
        case '&': result = static_cast<std::int16_t>(result & right); break;
        default: result = static_cast<std::int16_t>(result | right); break;
        }
    }
}

std::int16_t Interpreter::divide(std::int32_t left, std::int32_t right, bool remainder) {
    if (right == 0) raise_error(kDivisionByZero);
    // Widened to 32 bits, -32768 / -1 is 32768 and wraps back to -32768.
    const std::int32_t quotient = left / right;
    return wrap16(remainder ? left - quotient * right : quotient);
}

// factor -> [+ | -] atom
void Interpreter::factor(std::int16_t& result) {
    char sign = 0;
    if ((token_.type == TokenType::Delimiter && token_.first() == '+' && token_.length == 1) ||
        token_.first() == '-') {
        sign = token_.first();
        read_token();
    }
    atom(result);
    if (sign == '-') result = wrap16(-std::int32_t{result});
}

// atom -> ( sum ) | variable | number
void Interpreter::atom(std::int16_t& result) {
    switch (token_.type) {
    case TokenType::Variable:
        result = variable(token_.first() - 'a');
        read_token();
        return;
    case TokenType::Number:
        result = token_.number;
        read_token();
        return;
    case TokenType::Delimiter:
        if (token_.first() == '(') {
            if (++parenthesis_depth_ > kMaxParenthesisDepth) raise_error(kExpressionTooComplex);
            read_token();
            sum(result);
            if (token_.first() != ')') raise_error(kUnbalancedParentheses);
            --parenthesis_depth_;
            read_token();
            return;
        }
        break;
    default: break;
    }
    raise_error(kSyntaxError);
}

} // namespace marlinet::basic
