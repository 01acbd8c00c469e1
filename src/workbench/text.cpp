#include "workbench/text.h"

#include "interpreter/numbers.h"

namespace marlinet::workbench {

namespace {

bool IsBlank(char C) {
    const auto code = static_cast<unsigned char>(C);
    return code <= ' ' || code == 127;
}

} // namespace

std::string_view TrimBlanks(std::string_view Text) {
    while (!Text.empty() && IsBlank(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && IsBlank(Text.back()))
        Text.remove_suffix(1);
    return Text;
}

std::optional<std::int32_t> ParseInteger(std::string_view Text) {
    // The analog-input rule is the same conversion, except that it reads an
    // empty field as 0; here empty text is not a number.
    if (Text.empty() || TrimBlanks(Text).size() != Text.size()) return std::nullopt;
    return basic::parse_adc_text(Text);
}

QString NotAnIntegerMessage(std::string_view Text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(ToQString(Text));
}

} // namespace marlinet::workbench
