// POSIX implementation of the platform services (Linux first: /proc is read
// for the executable's folder and the process list).

#include "platform/CommandLine.hpp"
#include "platform/Error.hpp"
#include "platform/Platform.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace quoddle::platform {

namespace {

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

struct Pipe {
    FileDescriptor read, write;
};

Pipe MakePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw Error(SystemCallFailure(errno));
    Pipe p;
    p.read.reset(fds[0]);
    p.write.reset(fds[1]);
    return p;
}

// Spawn attributes and file actions shared by captured and detached starts:
// a new session (no controlling terminal), default signal handling and an
// empty signal mask whatever the caller set, standard input from /dev/null.
class SpawnSetup {
public:
    SpawnSetup(const std::string& workDir, int outFd, int errFd)
    {
        ::posix_spawnattr_init(&attr_);
        ::posix_spawn_file_actions_init(&actions_);
        sigset_t none, defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGCHLD, SIGHUP})
            sigaddset(&defaults, sig);
        ::posix_spawnattr_setsigmask(&attr_, &none);
        ::posix_spawnattr_setsigdefault(&attr_, &defaults);
        ::posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        if (outFd >= 0)
            ::posix_spawn_file_actions_adddup2(&actions_, outFd, 1);
        else
            ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
        if (errFd >= 0)
            ::posix_spawn_file_actions_adddup2(&actions_, errFd, 2);
        else
            ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
        if (!workDir.empty())
            ::posix_spawn_file_actions_addchdir_np(&actions_, workDir.c_str());
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup()
    {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attr_);
    }

    // Returns 0 or the errno of the failed start.
    int spawn(const std::string& program, const std::string& arguments, pid_t& pid)
    {
        std::vector<std::string> words;
        if (program.empty()) {
            words = SplitCommandLine(arguments, true);
            if (words.empty())
                return ENOENT;
        } else {
            words = SplitCommandLine(arguments);
            words.insert(words.begin(), program);
        }
        std::vector<char*> argv;
        argv.reserve(words.size() + 1);
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        return program.empty()
            ? ::posix_spawnp(&pid, argv[0], &actions_, &attr_, argv.data(), environ)
            : ::posix_spawn(&pid, program.c_str(), &actions_, &attr_, argv.data(), environ);
    }

private:
    posix_spawnattr_t attr_;
    posix_spawn_file_actions_t actions_;
};

int DecodeWaitStatus(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

std::string ReadLink(const std::string& path)
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t got = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (got < 0)
            return {};
        if (static_cast<std::size_t>(got) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(got));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string BaseName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Full path of an executable found in PATH, or empty.
std::string FindInPath(const std::string& name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        std::string dir(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (dir.empty())
            dir = ".";
        const std::string candidate = dir + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

} // namespace

char PathSeparator() { return '/'; }

std::string ExecutableDir()
{
    std::string self = ReadLink("/proc/self/exe");
    if (self.empty())
        throw Error(SystemCallFailure(errno));
    return self.substr(0, self.rfind('/') + 1);
}

bool IsWinNT() { return false; }

bool IsNativeExecutableHeader(std::string_view firstBytes)
{
    return firstBytes.starts_with("\x7f" "ELF") || firstBytes.starts_with("#!");
}

std::string CommandInterpreterPath()
{
    if (const char* terminal = std::getenv("TERMINAL"); terminal && *terminal) {
        // $TERMINAL may carry options ("kitty -1"); its first word is the program.
        const auto words = SplitCommandLine(terminal, true);
        if (!words.empty()) {
            if (auto found = FindInPath(words.front()); !found.empty())
                return found;
        }
    }
    for (const char* candidate : {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"}) {
        if (auto found = FindInPath(candidate); !found.empty())
            return found;
    }
    return {};
}

std::FILE* OpenFileForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

void SleepMilliseconds(unsigned milliseconds)
{
    timespec ts{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

int RunChild(const ChildCommand& command, const ChildCallbacks& callbacks)
{
    Pipe out = MakePipe();
    Pipe err = MakePipe();

    pid_t pid = -1;
    {
        SpawnSetup setup(command.workDir, out.write.get(), err.write.get());
        if (const int rc = setup.spawn(command.program, command.arguments, pid); rc != 0)
            throw Error(SystemCallFailure(rc));
    }
    out.write.reset();
    err.write.reset();

    const int intervalMs = callbacks.whileWaiting
        ? static_cast<int>(std::max<std::chrono::milliseconds::rep>(1, callbacks.waitInterval.count()))
        : -1;
    // One system call takes what the pipe holds, up to 64 KiB, and hands it on
    // in reads of kReadSize: the very pieces that reads of that size would
    // have returned, since a pipe read gives min(held, asked) bytes.
    constexpr std::size_t kPipeReadSize = 64 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kPipeReadSize]);
    pollfd fds[2] = {{out.read.get(), POLLIN, 0}, {err.read.get(), POLLIN, 0}};
    const Stream streams[2] = {Stream::Output, Stream::Error};
    int open = 2;
    while (open > 0) {
        const int ready = ::poll(fds, 2, intervalMs);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break; // cannot happen with valid descriptors; the child is still reaped below
        }
        if (ready == 0) {
            callbacks.whileWaiting();
            continue;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0)
                continue;
            const ssize_t got = ::read(fds[k].fd, buffer.get(), kPipeReadSize);
            if (got > 0) {
                for (std::size_t at = 0; callbacks.onRead && at < static_cast<std::size_t>(got); at += kReadSize)
                    callbacks.onRead(streams[k], std::string_view(buffer.get() + at,
                                                                  std::min(kReadSize, static_cast<std::size_t>(got) - at)));
            } else if (got == 0 || errno != EINTR) {
                fds[k].fd = -1; // the end of this pipe (or a failed read, which ends it too)
                --open;
            }
        }
    }
    out.read.reset();
    err.read.reset();

    int status = 0;
    if (callbacks.whileWaiting) {
        // Usually the child has exited when its pipes end; a child that
        // handed its pipes away may still run, and the window keeps painting.
#ifdef SYS_pidfd_open
        // Where the system has pidfds, the child's exit wakes a poll at once.
        if (const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); pidfd >= 0) {
            FileDescriptor exitFd(pidfd);
            pollfd exited{pidfd, POLLIN, 0};
            for (int ready; (ready = ::poll(&exited, 1, intervalMs)) <= 0;) {
                if (ready == 0)
                    callbacks.whileWaiting();
                else if (errno != EINTR)
                    break;
            }
        }
#endif
        long pauseNs = 50000;
        for (;;) {
            const pid_t done = ::waitpid(pid, &status, WNOHANG);
            if (done == pid)
                break;
            if (done < 0 && errno != EINTR)
                throw Error(SystemCallFailure(errno));
            if (done == 0) {
                // A child is reapable a moment after its pipes end: look again
                // soon, then less and less often, up to 5 ms.
                callbacks.whileWaiting();
                timespec pause{0, pauseNs};
                ::nanosleep(&pause, nullptr);
                pauseNs = std::min(pauseNs * 2, std::min(intervalMs, 5) * 1000000L);
            }
        }
    } else {
        while (::waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR)
                throw Error(SystemCallFailure(errno));
        }
    }
    return DecodeWaitStatus(status);
}

std::string DecodeChildOutput(std::string bytes) { return bytes; }
bool ChildOutputIsUtf8() { return true; }

bool StartDetached(const std::string& program, const std::string& arguments, const std::string& workDir)
{
    pid_t pid = -1;
    SpawnSetup setup(workDir, -1, -1);
    if (setup.spawn(program, arguments, pid) != 0)
        return false;
    // Nobody waits for a detached start; this reaps it so no zombie is left.
    std::thread([pid] {
        int status;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

namespace {

// A zombie ('Z') or dead ('X') process, by the state in /proc/PID/stat.
bool ProcessHasEnded(const std::string& procDir)
{
    FILE* f = std::fopen((procDir + "/stat").c_str(), "r");
    if (!f)
        return true; // gone meanwhile
    char text[512] = {};
    const bool read = std::fgets(text, sizeof text, f) != nullptr;
    std::fclose(f);
    // "PID (NAME) STATE ...": the name may hold parentheses, so take the last one.
    const char* close = read ? std::strrchr(text, ')') : nullptr;
    return close && close[1] == ' ' && (close[2] == 'Z' || close[2] == 'X');
}

} // namespace

std::optional<std::vector<ProcessEntry>> ListProcesses()
{
    DIR* dir = ::opendir("/proc");
    if (!dir)
        return std::nullopt;
    std::vector<ProcessEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        char* end = nullptr;
        const unsigned long pid = std::strtoul(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0')
            continue;
        const std::string base = "/proc/" + std::string(entry->d_name);
        std::string exe = ReadLink(base + "/exe");
        if (constexpr std::string_view deleted = " (deleted)"; exe.ends_with(deleted))
            exe.resize(exe.size() - deleted.size());
        std::string name = BaseName(exe);
        if (name.empty()) {
            // An ended process that its parent has not collected yet is no longer running.
            if (ProcessHasEnded(base))
                continue;
            // Not ours to inspect (or a kernel thread): fall back on its short name.
            if (FILE* f = std::fopen((base + "/comm").c_str(), "r")) {
                char comm[64] = {};
                if (std::fgets(comm, sizeof comm, f))
                    name = comm;
                std::fclose(f);
                while (!name.empty() && (name.back() == '\n'))
                    name.pop_back();
            }
        }
        entries.push_back({static_cast<std::uint32_t>(pid), std::move(name)});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.pid < b.pid; });
    return entries;
}

bool EndProcess(std::uint32_t pid)
{
    return pid != 0 && ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
}

std::string SystemErrorText(int code)
{
    char buffer[256] = {};
    // GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = ::strerror_r(code, buffer, sizeof buffer);
    return text ? std::string(text) : std::string(buffer);
}

} // namespace quoddle::platform
