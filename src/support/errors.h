// The root of every failure the program raises as an exception, and the
// failure of the file layer. `what()` is the message text.
#pragma once

#include <stdexcept>
#include <string>

namespace marlinet::support {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file or stream that cannot be opened, created, read, written or
// replaced. The message names the file and the reason; Error() is the
// system's error number (0 when there is none).
class EFileStreamError : public Exception {
public:
    explicit EFileStreamError(const std::string& Message, int Error = 0)
        : Exception(Message), error_(Error) {}
    int Error() const noexcept { return error_; }

private:
    int error_;
};

} // namespace marlinet::support
