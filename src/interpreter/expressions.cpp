// Evaluation of 16-bit integer expressions over the token memo.
//
// The two binary levels run in one loop over the tokens, reading through an
// ExpressionReader: a copy of the program pointer and the current token that
// stays in registers while the expression is evaluated. Every level starts
// with its first token current and ends with the token after it current and
// read, so no token is moved back over and read again inside an expression.
// Nesting is bounded by parenthesis_depth_, so no input can exhaust the stack.
#include <array>
#include <string_view>

#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"

namespace marlinet::basic {

// Written back to the interpreter before anything that looks at its own copy
// (an error report, the first read from a position, a nested sum) and when
// the expression ends.
struct Interpreter::ExpressionReader {
    Interpreter& in;
    DecodedToken* const memo;
    std::size_t pc;
    std::size_t read_at;
    DecodedToken* current;

    explicit ExpressionReader(Interpreter& interpreter) noexcept
        : in(interpreter), memo(&interpreter.memo_.at(0)), pc(interpreter.pc_),
          read_at(interpreter.read_at_), current(interpreter.current_) {}

    [[gnu::always_inline]] void store() noexcept {
        in.pc_ = pc;
        in.read_at_ = read_at;
        in.current_ = current;
    }
    [[gnu::always_inline]] void load() noexcept {
        pc = in.pc_;
        read_at = in.read_at_;
        current = in.current_;
    }
    // read_token, on the copy. Inlined, so that the copy is never in memory.
    [[gnu::always_inline]] void read() {
        DecodedToken* const entry = memo + pc;
        if (!entry->decoded()) [[unlikely]] {
            store();
            in.read_token();
            load();
            return;
        }
        read_at = pc;
        pc += entry->end;
        current = entry;
    }
    char first() const noexcept { return current->first; }
    [[noreturn, gnu::always_inline]] void fail(int error) {
        store();
        in.raise_error(error);
    }
};

namespace {

// What the first character of a token can mean to an expression: one table
// look-up instead of a chain of compares at every token.
enum OperatorFlag : std::uint8_t {
    kSumOperator = 1,  // + -
    kTermOperator = 2, // * / % & |
    kSign = 4,         // + -, before an atom
};

constexpr std::array<std::uint8_t, 256> make_operator_flags() {
    std::array<std::uint8_t, 256> flags{};
    flags['+'] = flags['-'] = kSumOperator | kSign;
    for (unsigned char c : std::string_view{"*/%&|"})
        flags[c] = kTermOperator;
    return flags;
}
constexpr std::array<std::uint8_t, 256> kOperatorFlags = make_operator_flags();

inline bool is(char c, OperatorFlag flag) noexcept {
    return kOperatorFlags[static_cast<unsigned char>(c)] & flag;
}

} // namespace

void Interpreter::evaluate_expression(std::int16_t& result) {
    result = expression();
    unread_token();
}

std::int16_t Interpreter::expression() {
    ExpressionReader r(*this);
    const std::int16_t value = expression(r);
    r.store();
    return value;
}

std::int16_t Interpreter::expression(ExpressionReader& r) {
    r.read();
    if (r.current->length == 0) r.fail(kNoExpression);
    parenthesis_depth_ = 0;
    return sum(r);
}

// comparison -> expression (= | < | >) expression
// Signed 16-bit values; there is no two-character relation: in <= the = is
// read as the start of the right side, and fails there.
bool Interpreter::comparison() {
    ExpressionReader r(*this);
    const bool holds = compare(r);
    r.store();
    return holds;
}

// condition -> comparison end-of-line
// A pause line's condition: a comparison as IF reads it, and nothing after
// it. A function of its own, so that IF keeps the only call of comparison(),
// which the statement loop inlines.
bool Interpreter::condition_holds() {
    ExpressionReader r(*this);
    const bool holds = compare(r);
    const TokenCode after = r.current->code;
    if (after != TokenCode::EndOfLine && after != TokenCode::EndOfText) r.fail(kSyntaxError);
    r.store();
    return holds;
}

bool Interpreter::compare(ExpressionReader& r) {
    const std::int16_t left = expression(r);
    const char relation = r.first();
    if (relation != '=' && relation != '<' && relation != '>') r.fail(kSyntaxError);
    const std::int16_t right = expression(r);
    return relation == '<' ? left < right : relation == '>' ? left > right : left == right;
}

// sum -> term { (+ | -) term }
std::int16_t Interpreter::sum(ExpressionReader& r) {
    std::int16_t total = term(r);
    for (char op = r.first(); is(op, kSumOperator); op = r.first()) {
        r.read();
        const std::int16_t right = term(r);
        total = wrap16(op == '+' ? total + right : total - right);
    }
    return total;
}

// term -> factor { (* | / | % | & | '|') factor }
std::int16_t Interpreter::term(ExpressionReader& r) {
    std::int16_t product = factor(r);
    for (char op = r.first(); is(op, kTermOperator); op = r.first()) {
        r.read();
        product = combine(op, product, factor(r), r);
    }
    return product;
}

std::int16_t Interpreter::combine(char op, std::int16_t left, std::int16_t right,
                                  ExpressionReader& r) {
    switch (op) {
    case '*': return wrap16(std::int32_t{left} * right);
    case '&': return static_cast<std::int16_t>(left & right);
    case '|': return static_cast<std::int16_t>(left | right);
    default: break;
    }
    if (right == 0) r.fail(kDivisionByZero);
    // Widened to 32 bits, -32768 / -1 is 32768 and wraps back to -32768.
    const std::int32_t quotient = std::int32_t{left} / right;
    return wrap16(op == '/' ? quotient : left - quotient * right);
}

// factor -> [+ | -] atom
// A String whose text starts with a minus sign counts as one, as every token
// is judged by the first character of its text.
std::int16_t Interpreter::factor(ExpressionReader& r) {
    const char sign = r.first();
    if (is(sign, kSign)) [[unlikely]] {
        if (sign == '-') {
            r.read();
            return wrap16(-std::int32_t{atom(r)});
        }
        if (r.current->token_type() == TokenType::Delimiter) r.read();
    }
    return atom(r);
}

// atom -> ( sum ) | variable | number
std::int16_t Interpreter::atom(ExpressionReader& r) {
    const DecodedToken& t = *r.current;
    std::int16_t value;
    switch (t.token_type()) {
    case TokenType::Variable: value = variable(t.first - 'a'); break;
    case TokenType::Number: value = t.number; break;
    case TokenType::Delimiter:
        if (t.first != '(') r.fail(kSyntaxError);
        r.store();
        value = parenthesised();
        r.load();
        return value;
    default: r.fail(kSyntaxError);
    }
    r.read();
    return value;
}

// ( sum ), from the interpreter's own reading state.
std::int16_t Interpreter::parenthesised() {
    ExpressionReader r(*this);
    if (++parenthesis_depth_ > kMaxParenthesisDepth) r.fail(kExpressionTooComplex);
    r.read();
    const std::int16_t value = sum(r);
    if (r.first() != ')') r.fail(kUnbalancedParentheses);
    --parenthesis_depth_;
    r.read();
    r.store();
    return value;
}

} // namespace marlinet::basic
