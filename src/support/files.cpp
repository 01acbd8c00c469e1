#include "support/files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <istream>
#include <sstream>
#include <sys/file.h>
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

// Temporary files of a save are named ".NAME.save-PID-N" beside NAME.
std::string TempPrefix(const std::filesystem::path& Target) {
    return '.' + Target.filename().string() + ".save-";
}

bool IsTempName(std::string_view Name, std::string_view Prefix) {
    if (!Name.starts_with(Prefix)) return false;
    const std::string_view rest = Name.substr(Prefix.size());
    const std::size_t dash = rest.find('-');
    const auto digits = [](std::string_view s) {
        return !s.empty() &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dash != std::string_view::npos && digits(rest.substr(0, dash)) &&
           digits(rest.substr(dash + 1));
}

// Removes the temporary files that writers of the same target left when
// they were killed or crashed: a file whose lock can be taken has no live
// writer. A file that cannot be opened or locked, or that changes while it
// is looked at, is left alone.
void RemoveAbandonedTemporaries(const std::filesystem::path& Dir, const std::string& Prefix) {
    DIR* listing = ::opendir(Dir.c_str());
    if (listing == nullptr) return;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTempName(entry->d_name, Prefix)) continue;
        const std::filesystem::path path = Dir / entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        FdGuard guard(fd);
        struct stat held {
        }, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 ||
            ::lstat(path.c_str(), &named) != 0)
            continue;
        if (S_ISREG(held.st_mode) && held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            ::unlink(path.c_str());
    }
    ::closedir(listing);
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

    // First, so that a writer killed at any point leaves at most its own.
    const std::string prefix = TempPrefix(target_);
    RemoveAbandonedTemporaries(dir, prefix);

    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_ = dir / (prefix + std::to_string(::getpid()) + '-' + std::to_string(counter++));
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            if (errno == EEXIST) continue;
            break;
        }
        // The lock tells a later save that this writer is alive; the kernel
        // drops it when the process ends, however it ends. Another save may
        // have taken the file for a dead writer's before the lock was held.
        (void)::flock(fd_, LOCK_EX);
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && st.st_nlink > 0) break;
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0) Raise("Cannot create file", name_, errno != 0 ? errno : EEXIST);

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
    // Renamed while still locked, so that no other save takes the file for
    // an abandoned one in between.
    if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail("Cannot replace file", errno);
    // The bytes are on disk already (fsync), so closing cannot lose any.
    ::close(fd_);
    fd_ = -1;
}

void SaveFileAtomically(const std::filesystem::path& FileName, std::string_view Text) {
    TAtomicFile file(FileName);
    file.Write(Text.data(), Text.size());
    file.Commit();
}

} // namespace marlinet::support
