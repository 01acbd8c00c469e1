// Exceptions raised by the editor core. Each carries its fixed message text.
#pragma once

#include <stdexcept>
#include <string>

namespace marlinet::editor {

// Base of every error the editor core raises, so the application can show any
// of them the same way.
class ESynError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A list operation that cannot be carried out, such as a capacity below the
// count.
class EListError : public ESynError {
public:
    using ESynError::ESynError;
};

// A line index outside the range an operation of the line store accepts.
class ESynEditStringList : public EListError {
public:
    explicit ESynEditStringList(int index)
        : EListError("Invalid stringlist index " + std::to_string(index)), index_(index) {}
    int Index() const noexcept { return index_; }

private:
    int index_;
};

// A file that cannot be opened, created, read, written or replaced. The
// message names the file and the reason.
class EFileStreamError : public ESynError {
public:
    using ESynError::ESynError;
};

// A keystroke table conflict, or a keystroke stream that cannot be read.
class ESynKeyError : public ESynError {
public:
    using ESynError::ESynError;
};

} // namespace marlinet::editor
