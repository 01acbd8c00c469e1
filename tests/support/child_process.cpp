#include "child_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace marlinet::testing {

namespace {

// An unnamed temporary file: gone from the folder at once, so nothing is
// left behind however the test ends.
int AnonymousFile() {
    char name[] = "/tmp/marlinet-child-XXXXXX";
    const int fd = ::mkostemp(name, O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    ::unlink(name);
    return fd;
}

void WriteAll(int fd, const std::string& Bytes) {
    for (std::size_t done = 0; done < Bytes.size();) {
        const ssize_t n = ::write(fd, Bytes.data() + done, Bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw std::runtime_error("cannot write a child's input");
        done += static_cast<std::size_t>(n);
    }
}

std::string ReadAll(int fd) {
    std::string bytes;
    ::lseek(fd, 0, SEEK_SET);
    char chunk[65536];
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return bytes;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void BecomeChild(char* const* Argv, char* const* Envp, int In, int Out, int Err,
                              const ChildOptions& Options) {
    ::dup2(In, 0);
    ::dup2(Out, 1);
    ::dup2(Err, 2);
    if (Options.AsUser && (::setgroups(0, nullptr) != 0 || ::setgid(*Options.AsUser) != 0 ||
                           ::setuid(*Options.AsUser) != 0))
        ::_exit(126);
    ::execvpe(Argv[0], Argv, Envp);
    ::_exit(127);
}

// Waits for the child, interrupting and killing it on time. A descriptor of
// the process wakes the wait the moment it ends; without one (an old
// kernel), the wait looks every millisecond.
int Wait(pid_t Pid, std::chrono::steady_clock::time_point Start, const ChildOptions& Options,
         bool& TimedOut) {
    using namespace std::chrono;
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, Pid, 0));
    bool interrupted = false;
    int raw = 0;
    while (true) {
        const pid_t done = ::waitpid(Pid, &raw, WNOHANG);
        if (done == Pid || (done < 0 && errno != EINTR)) break;
        const auto elapsed = steady_clock::now() - Start;
        if (Options.InterruptAfter && !interrupted && elapsed >= *Options.InterruptAfter) {
            ::kill(Pid, SIGINT);
            interrupted = true;
        }
        if (elapsed >= Options.Timeout && !TimedOut) {
            ::kill(Pid, SIGKILL);
            TimedOut = true;
        }
        auto next = Options.Timeout - elapsed;
        if (Options.InterruptAfter && !interrupted)
            next = std::min<steady_clock::duration>(next, *Options.InterruptAfter - elapsed);
        const int wait = TimedOut ? 1000 : static_cast<int>(ceil<milliseconds>(next).count());
        if (pidfd >= 0) {
            pollfd ready{pidfd, POLLIN, 0};
            ::poll(&ready, 1, std::max(wait, 1));
        } else {
            std::this_thread::sleep_for(milliseconds(1));
        }
    }
    if (pidfd >= 0) ::close(pidfd);
    return raw;
}

} // namespace

ChildResult RunChild(const std::vector<std::string>& Argv, const ChildOptions& Options) {
    if (Argv.empty()) throw std::invalid_argument("RunChild needs a program");
    std::vector<std::string> args = Argv;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // The child's environment: this one's, with the options' names replaced.
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (std::none_of(Options.Environment.begin(), Options.Environment.end(),
                         [&](const auto& set) { return set.first == name; }))
            environment.push_back(entry);
    }
    for (const auto& [name, value] : Options.Environment)
        environment.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int in[2] = {-1, -1};
    if (Options.KeepInputOpen) {
        if (::pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        WriteAll(in[1], Options.Input);
    } else {
        in[0] = AnonymousFile();
        WriteAll(in[0], Options.Input);
        ::lseek(in[0], 0, SEEK_SET);
    }
    const int out = AnonymousFile();
    const int err = AnonymousFile();

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) BecomeChild(argv.data(), envp.data(), in[0], out, err, Options);
    if (pid < 0) throw std::runtime_error("fork failed");

    ChildResult result;
    const int raw = Wait(pid, start, Options, result.TimedOut);
    for (const int fd : in)
        if (fd >= 0) ::close(fd);
    if (WIFEXITED(raw)) result.Status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) result.Signal = WTERMSIG(raw);
    result.Out = ReadAll(out);
    result.Err = ReadAll(err);
    ::close(out);
    ::close(err);
    return result;
}

std::string ShellQuote(const std::string& Text) {
    std::string quoted = "'";
    for (const char c : Text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace marlinet::testing
