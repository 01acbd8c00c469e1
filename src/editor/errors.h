// Exceptions raised by the editor core. Each carries its fixed message text.
#pragma once

#include <string>

#include "support/errors.h"

namespace marlinet::editor {

// Every error the editor core raises is one, so the application can show any
// of them the same way; it is the program's root exception.
using ESynError = support::Exception;

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

// A file that cannot be opened, created, read, written or replaced.
using support::EFileStreamError;

// A keystroke table conflict, or a keystroke stream that cannot be read.
class ESynKeyError : public ESynError {
public:
    using ESynError::ESynError;
};

} // namespace marlinet::editor
