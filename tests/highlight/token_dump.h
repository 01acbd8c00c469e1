// Writing the tokens of BASIC text in a readable form, for the scanner
// tests and the golden files (and the tool that regenerates them).
#pragma once

#include <string>
#include <string_view>

#include "highlight/custom_highlighter.h"

namespace marlinet::highlight::testing {

// The short name of a token kind: com, id, key, null, num, sp, str, sym, unk.
std::string_view KindName(int kind);

// Bytes outside the printable ASCII range as \xNN, backslash as \\.
std::string Escape(std::string_view text);

// One line's tokens as "kind[text] kind[text] ...", text escaped.
std::string ScanLine(TSynCustomHighlighter& highlighter, const std::string& line);

// Every line of a text (split at CR LF, LF or CR, as the editor's line store
// does), one token per output line: "<line>:<pos> <kind> [<text>]" (line
// 1-based, position 0-based, text escaped).
std::string DumpTokens(TSynCustomHighlighter& highlighter, std::string_view text);

} // namespace marlinet::highlight::testing
