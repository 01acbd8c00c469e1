// The program the editor benchmarks open: 40,000 lines (about 700 KB) mixing
// statements, numbers, strings and comments, CR LF between lines and none
// after the last.
#pragma once

#include <string>

namespace marlinet::bench {

inline constexpr int kProgramLines = 40000;

inline std::string EditorBenchProgram() {
    static const char* const statements[] = {"FOR I = 1 TO 100",
                                             "  PRINT \"A is\", A + 12",
                                             "  IF A > 2500 THEN END",
                                             "  SETB 2 ' on",
                                             "  DELAY 250",
                                             "  A = A * 3 + B / 2",
                                             "NEXT",
                                             "REM read the converter",
                                             "ADC V",
                                             "SCALE V, 5000, 4095"};
    std::string text;
    for (int i = 0; i < kProgramLines; ++i) {
        text += statements[i % 10];
        if (i + 1 < kProgramLines) text += "\r\n";
    }
    return text;
}

} // namespace marlinet::bench
