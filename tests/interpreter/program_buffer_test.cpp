#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "interpreter/program_buffer.h"
#include "temp_dir.h"

namespace marlinet::basic {
namespace {

namespace fs = std::filesystem;

std::string buffer_bytes(const ProgramBuffer& buffer) {
    return {buffer.data(), buffer.size()};
}

class ProgramFile : public ::testing::Test {
protected:
    marlinet::testing::TempDir temp;
    const fs::path dir = temp.Path();
    fs::path write(const std::string& name, const std::string& bytes) {
        const fs::path file = dir / name;
        marlinet::testing::WriteFile(file, bytes);
        return file;
    }
};

TEST(ProgramBufferText, EveryLineBreakBecomesCrLfAndTheTrailerFollows) {
    using namespace std::string_literals;
    EXPECT_EQ(buffer_bytes(ProgramBuffer::from_file_bytes("A\r\nB\nC\rD")),
              "A\r\nB\r\nC\r\nD\r\n\r\n\0"s);
    EXPECT_EQ(buffer_bytes(ProgramBuffer::from_file_bytes("\n\r\r\n")), "\r\n\r\n\r\n\r\n\r\n\0"s);
    EXPECT_EQ(buffer_bytes(ProgramBuffer()), "\r\n\r\n\0"s);
    // Bytes other than line breaks are kept as they are.
    EXPECT_EQ(buffer_bytes(ProgramBuffer::from_file_bytes("a\0\xff"s)), "a\0\xff\r\n\r\n\0"s);
    EXPECT_EQ(ProgramBuffer::from_file_bytes("A\nB").text(), "A\r\nB");
}

TEST_F(ProgramFile, LoadsTheWholeFileWithoutACutAt9995Bytes) {
    std::string big;
    while (big.size() < 20000)
        big += "A = A + 1\n";
    const ProgramBuffer buffer = load_program_buffer(write("big.bas", big));
    EXPECT_EQ(buffer.size(), big.size() + 2000 + ProgramBuffer::kTrailer.size());
    EXPECT_EQ(buffer.line_index_of(buffer.size() - 1), 2002);
}

TEST_F(ProgramFile, RefusesFilesOverOneMebibyteWithAClearMessage) {
    const fs::path limit = write("limit.bas", std::string(ProgramBuffer::kMaxFileSize, 'A'));
    EXPECT_EQ(load_program_buffer(limit).text().size(), ProgramBuffer::kMaxFileSize);
    const fs::path over = write("over.bas", std::string(ProgramBuffer::kMaxFileSize + 1, 'A'));
    try {
        load_program_buffer(over);
        FAIL() << "a file over the limit was loaded";
    } catch (const ProgramFileError& e) {
        EXPECT_NE(std::string(e.what()).find("over.bas"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
}

TEST_F(ProgramFile, UnreadableFilesNameTheFile) {
    try {
        load_program_buffer(dir / "missing.bas");
        FAIL() << "a missing file was loaded";
    } catch (const ProgramFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("missing.bas"), std::string::npos) << e.what();
    }
    EXPECT_THROW(load_program_buffer(dir), ProgramFileError); // a folder
}

} // namespace
} // namespace marlinet::basic
