#include "workbench/trim.h"

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

} // namespace marlinet::workbench
