// An INI file held in memory: read through the inih parser, written back
// line by line so that comments, blank lines and sections this program does
// not know survive a save.
//
// Section and key names compare without regard to ASCII case, section names
// only on their first 49 bytes (all the parser keeps). When a key occurs more
// than once, the first occurrence in the file is the one read and the one
// written. A line counts as far as the parser reads it: up to a NUL, at most
// 198 bytes, after the byte order mark that may start the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marlinet::highlight {

class TIniFile {
public:
    // Reads the file when it exists; a missing file is an empty one.
    explicit TIniFile(std::string FileName);

    const std::string& FileName() const noexcept { return file_name_; }
    // False when the file exists but could not be read. Such a file is
    // never overwritten.
    bool Readable() const noexcept { return readable_; }
    // True when a write changed the text since it was read or last saved.
    bool Modified() const noexcept { return modified_; }

    bool SectionExists(std::string_view Section) const;
    // The key names of the section, in file order, each once; empty when the
    // section is missing.
    std::vector<std::string> ReadSection(std::string_view Section) const;
    bool ValueExists(std::string_view Section, std::string_view Ident) const;
    std::string ReadString(std::string_view Section, std::string_view Ident,
                           std::string_view Default) const;
    // A signed decimal or a hexadecimal ("0x" or "$") 32-bit integer; the
    // default when the key is missing or its value is not such a number.
    int ReadInteger(std::string_view Section, std::string_view Ident, int Default) const;

    // Replaces the key's value in place, or adds the key at the end of its
    // section, or adds the section at the end of the file.
    void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);
    void WriteInteger(std::string_view Section, std::string_view Ident, int Value);

    // Writes the text back when it changed: to a temporary file beside it,
    // then renamed over it, so a failed save never leaves half a file.
    // False when the file cannot be written or was not readable.
    bool UpdateFile();

private:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    void Parse();
    const Entry* Find(std::string_view Section, std::string_view Ident) const;

    std::string file_name_;
    bool readable_ = true;
    bool modified_ = false;
    std::string line_break_ = "\n";
    std::vector<std::string> lines_; // the text, without line breaks
    std::vector<Entry> entries_;     // what the parser read from lines_, in order
};

} // namespace marlinet::highlight
