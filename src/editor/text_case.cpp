#include "editor/text_case.h"

#include <array>

namespace marlinet::editor {

namespace {

constexpr bool IsUpperByte(unsigned C) {
    return (C >= 'A' && C <= 'Z') || (C >= 0xC0 && C <= 0xDE && C != 0xD7);
}
constexpr bool IsLowerByte(unsigned C) {
    return (C >= 'a' && C <= 'z') || (C >= 0xE0 && C <= 0xFE && C != 0xF7);
}

// Upper and lower case partners are 32 apart in both ranges.
constexpr std::array<char, 256> MakeTable(bool Upper) {
    std::array<char, 256> table{};
    for (unsigned c = 0; c < 256; ++c) {
        unsigned mapped = c;
        if (Upper && IsLowerByte(c)) mapped = c - 32;
        if (!Upper && IsUpperByte(c)) mapped = c + 32;
        table[c] = static_cast<char>(static_cast<unsigned char>(mapped));
    }
    return table;
}

constexpr std::array<char, 256> kUpper = MakeTable(true);
constexpr std::array<char, 256> kLower = MakeTable(false);

unsigned Byte(char C) {
    return static_cast<unsigned char>(C);
}

} // namespace

char UpperCaseChar(char C) {
    return kUpper[Byte(C)];
}

char LowerCaseChar(char C) {
    return kLower[Byte(C)];
}

bool IsTitleWordChar(char C) {
    const unsigned c = Byte(C);
    return IsUpperByte(c) || IsLowerByte(c) || (c >= '0' && c <= '9') || c == '_' || c == 0xDF ||
           c == 0xFF;
}

void ChangeCase(std::string& Text, TSynCaseChange How, char Before) {
    char previous = Before;
    for (char& c : Text) {
        const char original = c;
        switch (How) {
        case TSynCaseChange::Upper: c = UpperCaseChar(c); break;
        case TSynCaseChange::Lower: c = LowerCaseChar(c); break;
        case TSynCaseChange::Toggle:
            c = IsUpperByte(Byte(c)) ? LowerCaseChar(c) : UpperCaseChar(c);
            break;
        case TSynCaseChange::Title:
            c = IsTitleWordChar(previous) ? LowerCaseChar(c) : UpperCaseChar(c);
            break;
        }
        previous = original;
    }
}

} // namespace marlinet::editor
