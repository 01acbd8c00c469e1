#include "token_dump.h"

#include <cstdio>
#include <vector>

namespace marlinet::highlight::testing {

std::string_view KindName(int kind) {
    static constexpr std::string_view names[] = {"com", "id",  "key", "null", "num",
                                                 "sp",  "str", "sym", "unk"};
    if (kind < 0 || kind >= static_cast<int>(std::size(names))) return "?";
    return names[kind];
}

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string ScanLine(TSynCustomHighlighter& highlighter, const std::string& line) {
    std::string out;
    for (highlighter.SetLine(line, 0); !highlighter.GetEol(); highlighter.Next()) {
        if (!out.empty()) out += ' ';
        out += KindName(highlighter.GetTokenKind());
        out += '[';
        out += Escape(highlighter.GetToken());
        out += ']';
    }
    return out;
}

namespace {
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(begin, end - begin));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        begin = end + 1;
    }
    return lines;
}
} // namespace

std::string DumpTokens(TSynCustomHighlighter& highlighter, std::string_view text) {
    std::string out;
    const std::vector<std::string> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (highlighter.SetLine(lines[i], static_cast<int>(i)); !highlighter.GetEol();
             highlighter.Next()) {
            out += std::to_string(i + 1) + ":" + std::to_string(highlighter.GetTokenPos()) + " " +
                   std::string(KindName(highlighter.GetTokenKind())) + " [" +
                   Escape(highlighter.GetToken()) + "]\n";
        }
    }
    return out;
}

} // namespace marlinet::highlight::testing
