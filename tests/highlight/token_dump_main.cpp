// highlight_token_dump FILE | --sample
// Writes the tokens of a BASIC file (or of the highlighter's sample source)
// in the golden-file form; regenerate_golden.sh runs it over golden/.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "highlight/vb_highlighter.h"
#include "token_dump.h"

int main(int argc, char** argv) {
    using namespace marlinet::highlight;
    if (argc != 2) {
        std::cerr << "usage: highlight_token_dump FILE | --sample\n";
        return 2;
    }
    TSynVBSyn hl(nullptr);
    std::string text;
    if (std::string(argv[1]) == "--sample") {
        text = hl.GetSampleSource();
    } else {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::cerr << "highlight_token_dump: cannot read " << argv[1] << "\n";
            return 1;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::cout << testing::DumpTokens(hl, text);
    return std::cout ? 0 : 1;
}
