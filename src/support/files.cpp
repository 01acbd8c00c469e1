#include "support/files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "support/errors.h"

namespace marlinet::support {

namespace {

[[noreturn]] void Raise(const char* what, const std::filesystem::path& file, int error) {
    throw EFileStreamError(
        std::string(what) + " \"" + file.string() + "\": " + std::strerror(error), error);
}

// Closes a descriptor on every path out of a scope.
class FdGuard {
public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;

private:
    int fd_;
};

// Reads until Size bytes are in or the file ends; answers how many came.
std::size_t ReadUpTo(int fd, char* Data, std::size_t Size, const std::filesystem::path& File) {
    std::size_t used = 0;
    while (used < Size) {
        const ssize_t n = ::read(fd, Data + used, Size - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            Raise("Cannot read file", File, errno);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    return used;
}

} // namespace

std::string ReadFileBytes(const std::filesystem::path& FileName, std::size_t MaxBytes) {
    int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Raise("Cannot open file", FileName, errno);
    FdGuard guard(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) Raise("Cannot open file", FileName, errno);
    if (S_ISDIR(st.st_mode)) Raise("Cannot open file", FileName, EISDIR);

    // A regular file is read straight into its place; what follows (a file
    // that grew meanwhile, or anything but a regular file) in chunks.
    const std::size_t wanted = MaxBytes + 1;
    std::string bytes;
    if (S_ISREG(st.st_mode)) bytes.resize(std::min(static_cast<std::size_t>(st.st_size), wanted));
    const std::size_t got = ReadUpTo(fd, bytes.data(), bytes.size(), FileName);
    if (got < bytes.size()) {
        bytes.resize(got);
        return bytes;
    }
    char chunk[65536];
    while (bytes.size() < wanted) {
        const std::size_t n =
            ReadUpTo(fd, chunk, std::min(sizeof chunk, wanted - bytes.size()), FileName);
        if (n == 0) break;
        bytes.append(chunk, n);
    }
    return bytes;
}

std::string ReadStreamBytes(std::istream& Stream) {
    Stream.clear();
    Stream.seekg(0, std::ios::end);
    std::streamoff size = Stream.fail() ? -1 : std::streamoff(Stream.tellg());
    Stream.clear();
    Stream.seekg(0, std::ios::beg);
    Stream.clear();

    std::string bytes;
    if (size >= 0) {
        bytes.resize(static_cast<std::size_t>(size));
        Stream.read(bytes.data(), size);
        bytes.resize(static_cast<std::size_t>(Stream.gcount()));
    }
    // A stream that cannot seek, or that grew, is read to its end.
    if (!Stream.bad() && Stream.peek() != std::char_traits<char>::eof()) {
        std::ostringstream rest;
        rest << Stream.rdbuf();
        bytes += rest.str();
    }
    if (Stream.bad()) throw EFileStreamError("Cannot read stream: read error");
    return bytes;
}

TAtomicFile::TAtomicFile(const std::filesystem::path& FileName) : name_(FileName) {
    std::error_code ec;
    target_ = FileName;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(FileName, ec))) {
        auto resolved = std::filesystem::weakly_canonical(FileName, ec);
        if (!ec) target_ = resolved;
    }
    std::filesystem::path dir = target_.parent_path();
    if (dir.empty()) dir = ".";

    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(1, '.');
        name += target_.filename().string();
        name += ".save-";
        name += std::to_string(::getpid());
        name += '-';
        name += std::to_string(counter++);
        temp_ = dir / name;
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) Raise("Cannot create file", name_, errno);

    // The new version keeps the old one's permissions (and owner, where allowed).
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        (void)::fchmod(fd_, st.st_mode & 07777);
        (void)!::fchown(fd_, st.st_uid, st.st_gid);
    }
}

TAtomicFile::~TAtomicFile() {
    Discard();
}

void TAtomicFile::Discard() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(temp_.c_str());
    }
}

void TAtomicFile::Fail(const char* what, int error) {
    Discard();
    Raise(what, name_, error);
}

void TAtomicFile::Write(const char* data, std::size_t size) {
    if (fd_ < 0) Raise("Cannot write file", name_, EBADF);
    while (size > 0) {
        ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail("Cannot write file", errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void TAtomicFile::Commit() {
    if (fd_ < 0) Raise("Cannot write file", name_, EBADF);
    if (::fsync(fd_) != 0) Fail("Cannot write file", errno);
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temp_.c_str());
        Raise("Cannot write file", name_, error);
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        int error = errno;
        ::unlink(temp_.c_str());
        Raise("Cannot replace file", name_, error);
    }
}

void SaveFileAtomically(const std::filesystem::path& FileName, std::string_view Text) {
    TAtomicFile file(FileName);
    file.Write(Text.data(), Text.size());
    file.Commit();
}

} // namespace marlinet::support
