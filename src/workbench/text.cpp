#include "workbench/text.h"

#include "editor/qt/qt_platform.h"
#include "interpreter/numbers.h"

namespace marlinet::workbench {

QString ToQString(std::string_view Text) {
    return editor::qt::FromLatin1(Text);
}

std::string FromQString(const QString& Text) {
    return editor::qt::ToLatin1(Text);
}

std::optional<std::int32_t> ParseInteger(std::string_view Text) {
    // The analog-input rule is the same conversion, except that it reads an
    // empty field as 0; here empty text is not a number.
    if (Text.empty() || basic::trim_blanks(Text).size() != Text.size()) return std::nullopt;
    return basic::parse_adc_text(Text);
}

QString NotAnIntegerMessage(std::string_view Text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(ToQString(Text));
}

} // namespace marlinet::workbench
