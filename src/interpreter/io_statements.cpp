// Console and board statements: PRINT, INPUT, ADC, DAC, SETB, CLRB, TSTB,
// DELAY and SCALE. They reach the outside only through the host.
#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"

namespace marlinet::basic {
namespace {

constexpr bool is_end(TokenCode code) noexcept {
    return code == TokenCode::EndOfLine || code == TokenCode::EndOfText;
}

} // namespace

// The operand of INPUT, ADC, TSTB and SCALE: one token whose first letter names a variable.
int Interpreter::variable_operand() {
    read_token();
    return current_variable();
}

void Interpreter::expect_comma() {
    read_token();
    if (first() != ',') raise_error(kUnbalancedParentheses);
}

int Interpreter::variable_operand_and_comma() {
    const int index = variable_operand();
    expect_comma();
    return index;
}

// PRINT item { (, | ;) item } [, | ;]
// A comma pads to the next multiple of 8 of what this statement has written;
// a string starting with $ makes the next value print as one character.
void Interpreter::print_statement() {
    int column = 0;
    bool char_marker = false;
    char last_separator = 0;
    for (;;) {
        if (read_token() == TokenType::String) {
            char_marker = first() == '$';
            if (!char_marker) {
                host_.host_print(token_text());
                column += current().length;
            }
            read_token();
        } else if (is_end(code())) {
            break;
        } else {
            unread_token();
            print_value(char_marker, column);
            char_marker = false;
        }
        last_separator = first();
        if (last_separator == ',') {
            for (int blanks = 8 - column % 8; blanks > 0; --blanks) {
                host_.host_print(" ");
                ++column;
            }
        } else if (last_separator != ';' && !is_end(code())) {
            raise_error(kSyntaxError);
        }
        if (last_separator != ';' && last_separator != ',') break;
    }
    if (last_separator != ';' && last_separator != ',') host_.host_print("\r\n");
}

// An expression item: its value as a number, or as one character after a
// "$" string. The token after it is left current.
void Interpreter::print_value(bool as_character, int& column) {
    const std::int16_t value = expression();
    if (as_character) {
        // The host takes text that ends at a NUL, so character 0 writes nothing.
        const char c = static_cast<char>(value & 0xff);
        host_.host_print(c ? std::string_view(&c, 1) : std::string_view{});
        column += 1;
    } else {
        column += host_.host_print(NumberText(value));
    }
}

// INPUT variable | INPUT "prompt", variable | INPUT "$", variable (one key)
void Interpreter::input_statement() {
    read_token();
    bool key_form = false;
    if (current().token_type() == TokenType::String) {
        key_form = first() == '$';
        if (!key_form) host_.host_print(token_text());
        expect_comma();
        read_token();
    } else {
        host_.host_print("? ");
    }
    const int index = current_variable();
    const std::int16_t value = key_form ? static_cast<std::int16_t>(host_.host_request_key() & 0xff)
                                        : to_number(host_.host_request_value());
    set_variable(index, value);
}

// ADC variable
void Interpreter::adc_statement() {
    const int index = variable_operand();
    const std::optional<std::int32_t> reading = host_.host_read_adc();
    if (!reading) raise_error(kInvalidAdcValue);
    set_variable(index, wrap16(*reading));
}

// DAC expression
void Interpreter::dac_statement() {
    std::int16_t value;
    evaluate_expression(value);
    host_.host_write_dac(value);
}

// SETB expression | CLRB expression: outputs 1..4, or 128 for the ADC channel.
void Interpreter::setb_statement(bool set) {
    std::int16_t value;
    evaluate_expression(value);
    if (value >= 1 && value <= 4) {
        if (set)
            host_.host_set_output(value);
        else
            host_.host_clear_output(value);
    } else if (value == 128) {
        host_.host_select_adc(set);
    }
}

// TSTB variable, expression
void Interpreter::tstb_statement() {
    const int index = variable_operand_and_comma();
    std::int16_t input;
    evaluate_expression(input);
    set_variable(index, host_.host_test_input(static_cast<std::uint8_t>(input & 0xff)) ? 1 : 0);
}

// DELAY expression (milliseconds; a negative value waits 0)
void Interpreter::delay_statement() {
    std::int16_t milliseconds;
    evaluate_expression(milliseconds);
    host_.host_delay(milliseconds < 0 ? 0 : milliseconds);
}

// SCALE variable, multiplier, divisor: variable * multiplier / divisor with a 32-bit product.
void Interpreter::scale_statement() {
    const int index = variable_operand_and_comma();
    const std::int16_t multiplier = expression();
    if (first() != ',') raise_error(kUnbalancedParentheses);
    const std::int32_t product = std::int32_t{variable(index)} * multiplier;
    std::int16_t divisor;
    evaluate_expression(divisor);
    if (divisor == 0) raise_error(kDivisionByZero);
    set_variable(index, wrap16(product / divisor));
}

} // namespace marlinet::basic
