// Random BASIC programs for property tests: every statement kind, board
// reads and writes, INPUT in both forms, loops, jumps and calls.
#pragma once

#include <random>
#include <string>

namespace marlinet::testing {

// Random programs: a main part of labelled lines with loops, jumps and calls,
// then subroutines. Errors (a zero divisor, GOSUBs nested too deep, NEXT
// without FOR after a jump) and endless loops are part of what is tested.
class ProgramMaker {
public:
    // Long runs: without division, which a variable still 0 makes an error
    // at once in most programs, and without END.
    enum class Runs { Any, Long };
    explicit ProgramMaker(unsigned seed, Runs runs = Runs::Any)
        : random_(seed), operators_(runs == Runs::Any ? 6 : 4) {}

    std::string make() {
        std::string text;
        const int lines = pick(6, 20);
        main_lines_ = lines;
        int open_loops = 0;
        for (int n = 0; n < lines; ++n) {
            text += std::to_string(10 * (n + 1)) + " ";
            if (open_loops < 2 && pick(0, 5) == 0) {
                text += "FOR " + var() + " = " + std::to_string(pick(-1, 2)) + " TO " +
                        std::to_string(pick(0, 3));
                ++open_loops;
            } else if (open_loops > 0 && pick(0, 3) == 0) {
                text += "NEXT";
                --open_loops;
            } else {
                text += statement(true);
            }
            text += "\n";
        }
        for (; open_loops > 0; --open_loops)
            text += "NEXT\n";
        text += pick(0, 1) && operators_ == 6 ? "END\n" : "GOTO 10\n";
        for (int s = 0; s < 3; ++s) {
            text += std::to_string(1000 + s) + " " + statement(false) + "\n";
            for (int n = pick(0, 3); n > 0; --n)
                text += statement(false) + "\n";
            text += "RETURN\n";
        }
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string var() { return std::string(1, static_cast<char>('A' + pick(0, 7))); }
    std::string expr(int depth = 0) {
        const int kind = pick(0, depth >= 2 ? 1 : 3);
        if (kind == 0) return var();
        if (kind == 1) return std::to_string(pick(0, 40));
        static const std::string ops[] = {"+", "-", "*", "&", "|", "/", "%"};
        static const int any[] = {0, 1, 2, 5, 6, 3, 4}; // the order the seeds were made with
        const int op = pick(0, operators_);
        const std::string e =
            expr(depth + 1) + " " + ops[operators_ == 6 ? any[op] : op] + " " + expr(depth + 1);
        return kind == 2 ? "(" + e + ")" : e;
    }
    std::string statement(bool in_main) {
        static const char* const relations[] = {"<", "=", ">"};
        switch (pick(0, 12)) {
        case 0: return "PRINT " + expr() + "; \"x\", " + expr();
        case 1:
            return "IF " + expr() + " " + relations[pick(0, 2)] + " " + expr() + " THEN " +
                   (in_main ? "GOTO " + std::to_string(10 * pick(1, main_lines_))
                            : var() + " = " + expr());
        case 2: return "GOSUB " + std::to_string(1000 + pick(0, 2));
        case 3:
            return (pick(0, 1) ? "SETB " : "CLRB ") + std::to_string(pick(0, 1) ? pick(1, 4) : 128);
        case 4: return "STOP";
        case 5: return "DAC " + expr();
        case 6: return "ADC " + var();
        case 7: return "TSTB " + var() + ", " + std::to_string(pick(0, 1) ? pick(1, 4) : 126);
        case 8: return (pick(0, 1) ? "INPUT " : "INPUT \"$\", ") + var();
        case 9: return "DELAY " + expr();
        case 10:
            return "SCALE " + var() + ", " + expr() + ", " + expr() +
                   (operators_ == 6 ? "" : " | 1");
        default: return var() + " = " + expr() + " " + var() + " = " + expr();
        }
    }

    std::mt19937 random_;
    int operators_; // the last of ops that may be picked
    int main_lines_ = 1;
};

} // namespace marlinet::testing
