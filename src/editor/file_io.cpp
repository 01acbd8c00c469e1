#include "editor/file_io.h"

#include <cstring>

namespace marlinet::editor {

TSynEditFileWriter::TSynEditFileWriter(const std::filesystem::path& FileName)
    : TSynEditFiler(FileName), buffer_(kBufferSize) {}

void TSynEditFileWriter::WriteLine(std::string_view Line, std::string_view LineBreak) {
    std::size_t needed = Line.size() + LineBreak.size();
    if (used_ + needed > buffer_.size()) {
        Flush();
        if (needed > buffer_.size()) buffer_.resize(needed);
    }
    // An empty view may carry a null pointer, which memcpy must not get.
    if (!Line.empty()) std::memcpy(buffer_.data() + used_, Line.data(), Line.size());
    used_ += Line.size();
    if (!LineBreak.empty()) std::memcpy(buffer_.data() + used_, LineBreak.data(), LineBreak.size());
    used_ += LineBreak.size();
}

void TSynEditFileWriter::Flush() {
    if (used_ == 0) return;
    file_.Write(buffer_.data(), used_);
    used_ = 0;
}

void TSynEditFileWriter::Close() {
    Flush();
    file_.Commit();
}

} // namespace marlinet::editor
