// Recursive-descent evaluation of 16-bit integer expressions over the token
// memo.
//
// Each level starts with its first token current and returns with the token
// after it current and read, so no level moves back over a token it has seen.
// Nesting is bounded by parenthesis_depth_, so no input can exhaust the stack.
#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"

namespace marlinet::basic {

void Interpreter::evaluate_expression(std::int16_t& result) {
    result = expression();
    unread_token();
}

std::int16_t Interpreter::expression() {
    read_token();
    if (current().length == 0) raise_error(kNoExpression);
    parenthesis_depth_ = 0;
    return sum();
}

// sum -> term { (+ | -) term }
std::int16_t Interpreter::sum() {
    std::int16_t result = term();
    for (;;) {
        const char op = first();
        if (op == '+') {
            read_token();
            result = wrap16(result + term());
        } else if (op == '-') {
            read_token();
            result = wrap16(result - term());
        } else {
            return result;
        }
    }
}

// term -> factor { (* | / | % | & | '|') factor }
std::int16_t Interpreter::term() {
    std::int16_t result = factor();
    for (;;) {
        const char op = first();
        switch (op) {
        case '*':
        case '/':
        case '%':
        case '&':
        case '|': break;
        default: return result;
        }
        read_token();
        const std::int16_t right = factor();
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
// A String whose text starts with a minus sign counts as one, as every token
// is judged by the first character of its text.
std::int16_t Interpreter::factor() {
    const char sign = first();
    if (sign == '-' || (sign == '+' && current().token_type() == TokenType::Delimiter)) {
        read_token();
        if (sign == '-') return wrap16(-std::int32_t{atom()});
    }
    return atom();
}

// atom -> ( sum ) | variable | number
std::int16_t Interpreter::atom() {
    const DecodedToken& t = current();
    switch (t.token_type()) {
    case TokenType::Variable: {
        const std::int16_t value = variable(t.first - 'a');
        read_token();
        return value;
    }
    case TokenType::Number: {
        const std::int16_t value = t.number;
        read_token();
        return value;
    }
    case TokenType::Delimiter:
        if (t.first == '(') {
            if (++parenthesis_depth_ > kMaxParenthesisDepth) raise_error(kExpressionTooComplex);
            read_token();
            const std::int16_t value = sum();
            if (first() != ')') raise_error(kUnbalancedParentheses);
            --parenthesis_depth_;
            read_token();
            return value;
        }
        break;
    default: break;
    }
    raise_error(kSyntaxError);
}

} // namespace marlinet::basic
