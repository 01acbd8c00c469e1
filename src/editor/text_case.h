// Letter case of 8-bit text read as Latin-1. A-Z and the accented capitals
// 0xC0-0xDE (but 0xD7, the multiplication sign) pair with a-z and 0xE0-0xFE
// (but 0xF7, the division sign); every other byte, including the letters
// without a single-byte partner (0xDF, 0xFF, 0xAA, 0xB5, 0xBA), stays as it is.
#pragma once

#include <cstdint>
#include <string>

namespace marlinet::editor {

enum class TSynCaseChange : std::uint8_t { Upper, Lower, Toggle, Title };

char UpperCaseChar(char C);
char LowerCaseChar(char C);
// A Latin-1 letter, or a digit or '_': what keeps a word going for title case.
bool IsTitleWordChar(char C);

// Changes the case of Text in place. Title case makes a letter upper case
// where it starts a word and lower case inside one; Before is the character
// in front of Text ('\0' at the start of a line), so that a piece of a word
// stays inside it.
void ChangeCase(std::string& Text, TSynCaseChange How, char Before = '\0');

} // namespace marlinet::editor
