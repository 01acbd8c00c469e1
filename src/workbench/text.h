// Small text helpers of the window layer. Text is 8-bit throughout; QString
// appears only at the widget boundary and is converted with Latin-1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "workbench/trim.h"

namespace marlinet::workbench {

inline QString ToQString(std::string_view Text) {
    return QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size()));
}

inline std::string FromQString(const QString& Text) {
    const QByteArray bytes = Text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A decimal integer with an optional sign that fits in 32 bits, and nothing
// else (no blanks, no empty text).
std::optional<std::int32_t> ParseInteger(std::string_view Text);

// The message of a text that ParseInteger refuses.
QString NotAnIntegerMessage(std::string_view Text);

} // namespace marlinet::workbench
