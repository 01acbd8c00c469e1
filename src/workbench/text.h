// Small text helpers of the window layer. Text is 8-bit throughout; QString
// appears only at the widget boundary and is converted with Latin-1, as the
// editor converts it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace marlinet::workbench {

// The editor's conversion (editor::qt::FromLatin1 and ToLatin1): a character
// Latin-1 cannot hold becomes one '?'.
QString ToQString(std::string_view Text);
std::string FromQString(const QString& Text);

// A decimal integer with an optional sign that fits in 32 bits, and nothing
// else (no blanks, no empty text).
std::optional<std::int32_t> ParseInteger(std::string_view Text);

// The message of a text that ParseInteger refuses.
QString NotAnIntegerMessage(std::string_view Text);

} // namespace marlinet::workbench
