// Interpreter error numbers and their messages.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace marlinet::basic {

enum ErrorNumber : int {
    kNoError = -1,
    kSyntaxError = 0,
    kUnbalancedParentheses = 1,
    kNoExpression = 2,
    kEqualsExpected = 3,
    kNotAVariable = 4,
    kLabelTableFull = 5,
    kDuplicateLabel = 6,
    kUndefinedLabel = 7,
    kThenExpected = 8,
    kToExpected = 9,
    kTooManyFors = 10,
    kNextWithoutFor = 11,
    kTooManyGosubs = 12,
    kReturnWithoutGosub = 13,
    kDivisionByZero = 14,
    kTokenTooLong = 15,
    kInvalidAdcValue = 16,
    kExpressionTooComplex = 17,
};

// Indexed by error number; kept in step with ErrorNumber.
inline constexpr std::array<std::string_view, 18> kErrorMessages{
    "Syntax error",
    "Unbalanced parentheses",
    "No expression present",
    "Equals sign expected",
    "Not a variable",
    "Label table full",
    "Duplicate label",
    "Undefined label",
    "THEN expected",
    "TO expected",
    "Too many nested FOR loops",
    "NEXT without FOR",
    "Too many nested GOSUBs",
    "RETURN without GOSUB",
    "Division by zero",
    "Token too long",
    "Invalid ADC value",
    "Expression too complex",
};

// The message for an error number; empty for a number outside the table.
constexpr std::string_view error_message(int number) noexcept {
    return number >= 0 && static_cast<std::size_t>(number) < kErrorMessages.size()
               ? kErrorMessages[static_cast<std::size_t>(number)]
               : std::string_view{};
}

// "ERROR: %s in line %d": how the window's status bar and the runner's trace
// report an error that ended a run.
inline std::string error_status_text(int number, int line) {
    return "ERROR: " + std::string(error_message(number)) + " in line " + std::to_string(line);
}

} // namespace marlinet::basic
