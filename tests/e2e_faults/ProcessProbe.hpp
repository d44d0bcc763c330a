#pragma once
// What the fault and soak checks read about this process from /proc (its
// children, the adb server of a port, its descriptors and memory), and the
// package files fakephone takes.
// Linux only.

#include "e2e_program/Processes.hpp"

#include <malloc.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace quoddle::test {

// Children of this process named `name` (every child when empty), zombies
// included: a run must have reaped its child by the time it returns.
inline std::vector<pid_t> ChildrenNamed(const std::string& name)
{
    std::vector<pid_t> children;
    ForEachProcess([&](pid_t pid) {
        const auto stat = ReadProcessStat(pid);
        if (stat && stat->parent == ::getpid() && (name.empty() || stat->name == name))
            children.push_back(pid);
    });
    return children;
}

// The live adb server of this port: the process whose command line is
// "adb -L tcp:PORT fork-server server ...".
inline std::optional<pid_t> AdbServerOn(int port)
{
    const std::string listenArg = "tcp:" + std::to_string(port);
    std::optional<pid_t> found;
    ForEachProcess([&](pid_t pid) {
        std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
        bool server = false, ours = false;
        for (std::string arg; std::getline(file, arg, '\0');) {
            server = server || arg == "fork-server";
            ours = ours || arg == listenArg;
        }
        const auto stat = server && ours ? ReadProcessStat(pid) : std::nullopt;
        if (stat && stat->state != 'Z')
            found = pid;
    });
    return found;
}

// Waits until `done()` holds, at most `timeout`.
template <class Condition>
bool WaitUntil(Condition done, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// What this process holds at one moment.
struct Resources {
    long fds = 0;         // open file descriptors
    long children = 0;    // child processes, zombies included
    long adbChildren = 0; // of them, adb clients
    long threads = 0;
    long rssKb = 0;       // resident memory
    long heapKb = 0;      // heap in use (malloc's count)

    static Resources Now()
    {
        Resources r;
        for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
            (void)entry;
            ++r.fds;
        }
        --r.fds; // the directory being read
        r.children = static_cast<long>(ChildrenNamed("").size());
        r.adbChildren = static_cast<long>(ChildrenNamed("adb").size());
        r.threads = StatusKb(::getpid(), "Threads").value_or(0);
        r.rssKb = StatusKb(::getpid(), "VmRSS").value_or(0);
        r.heapKb = static_cast<long>(::mallinfo2().uordblks / 1024);
        return r;
    }
};

inline std::ostream& operator<<(std::ostream& os, const Resources& r)
{
    return os << r.fds << " descriptors, " << r.children << " children (" << r.adbChildren << " adb), " << r.threads
              << " threads, " << r.rssKb << " kB resident, " << r.heapKb << " kB heap";
}

// A package file for fakephone (its first line names the package), `size` bytes long.
inline void WritePackageFile(const std::filesystem::path& path, const std::string& package, std::size_t size)
{
    const std::string head = "package=" + package + "\n";
    std::ofstream(path, std::ios::binary) << head << std::string(size > head.size() ? size - head.size() : 0, 'x');
}

} // namespace quoddle::test
