#pragma once
// Child processes for the tests that run the real program: started with
// chosen descriptors and ended by the kernel if this process dies first,
// lines read with a time limit, and what /proc tells about a process tree.
// POSIX (Linux) only.

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace quoddle::test {

// This process's environment with some variables replaced (a value) or
// removed (nullopt).
inline std::vector<std::string> EnvironmentWith(const std::map<std::string, std::optional<std::string>>& changes)
{
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!changes.contains(text.substr(0, text.find('='))))
            env.push_back(text);
    }
    for (const auto& [name, value] : changes)
        if (value)
            env.push_back(name + "=" + *value);
    return env;
}

// Starts args[0] (a path) with `fds` as its descriptors 0, 1, 2, 3...
// (-1: /dev/null). The child gets SIGKILL when this thread ends, so nothing
// outlives a crashed test.
inline pid_t StartChild(const std::vector<std::string>& args, const std::vector<std::string>& env,
                        const std::vector<int>& fds)
{
    std::vector<char*> argv, envp;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        // Move the sources above the targets first, so no dup2 overwrites a later source.
        std::vector<int> sources(fds.size());
        for (std::size_t i = 0; i < fds.size(); ++i)
            sources[i] = ::fcntl(fds[i] < 0 ? devNull : fds[i], F_DUPFD_CLOEXEC, 64);
        for (std::size_t i = 0; i < fds.size(); ++i)
            ::dup2(sources[i], static_cast<int>(i));
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(devNull);
    return pid;
}

// Waits for a child, at most `timeout`; its exit status, 128 + signal, or nullopt.
inline std::optional<int> WaitChild(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0 && errno != EINTR)
            return std::nullopt;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        ::usleep(5000);
    }
}

// SIGTERM, then SIGKILL when it has not ended within `grace`.
inline void EndChild(pid_t pid, std::chrono::milliseconds grace = std::chrono::seconds(5))
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    if (!WaitChild(pid, grace)) {
        ::kill(pid, SIGKILL);
        WaitChild(pid, std::chrono::seconds(5));
    }
}

// Reads one line (without its LF) from a descriptor; nullopt at its end or
// after `timeout`.
inline std::optional<std::string> ReadLine(int fd, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) == 0)
            return std::nullopt;
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            return line;
        line += c;
    }
}

// The parent and short name of a running process, from /proc/PID/stat.
struct ProcessStat {
    pid_t parent = 0;
    std::string name;
    char state = '?';
};

inline std::optional<ProcessStat> ReadProcessStat(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(file, text))
        return std::nullopt;
    // "PID (NAME) STATE PPID ...": the name may hold blanks and parentheses.
    const auto open = text.find('('), close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos)
        return std::nullopt;
    ProcessStat stat;
    stat.name = text.substr(open + 1, close - open - 1);
    std::istringstream rest(text.substr(close + 2));
    rest >> stat.state >> stat.parent;
    return stat;
}

// Calls `each(pid)` for every process.
template <class Each>
void ForEachProcess(Each each)
{
    if (DIR* dir = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(dir)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (end != entry->d_name && *end == '\0')
                each(static_cast<pid_t>(pid));
        }
        ::closedir(dir);
    }
}

// A live descendant of `ancestor` whose short name is `name`, if any.
inline std::optional<pid_t> FindDescendant(pid_t ancestor, const std::string& name)
{
    std::map<pid_t, ProcessStat> all;
    ForEachProcess([&](pid_t pid) {
        if (auto stat = ReadProcessStat(pid))
            all.emplace(pid, *stat);
    });
    for (const auto& [pid, stat] : all) {
        if (stat.name != name || stat.state == 'Z')
            continue;
        for (pid_t up = stat.parent; up > 1 && all.contains(up); up = all.at(up).parent)
            if (up == ancestor)
                return pid;
    }
    return std::nullopt;
}

// A field of /proc/PID/status in kB ("VmHWM", "VmRSS"), or nullopt.
inline std::optional<long> StatusKb(pid_t pid, const std::string& field)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(file, line);)
        if (line.starts_with(field + ":"))
            return std::atol(line.c_str() + field.size() + 1);
    return std::nullopt;
}

} // namespace quoddle::test
