#pragma once
// The runner tests' child (tests/child), which the benchmarks run too, and
// the least a program can do to run it: the yardstick the runner is set
// against. POSIX only, as the benchmarks are.

#include "tests/core/TestChild.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <span>
#include <string>
#include <string_view>

#ifndef QUODDLE_TESTCHILD
#error "QUODDLE_TESTCHILD (the path of quoddle_testchild) comes from bench/CMakeLists.txt"
#endif

extern char** environ;

namespace quoddle::bench {

inline std::string ChildPath() { return QUODDLE_TESTCHILD; }

inline std::string ChildDir()
{
    const std::string path = ChildPath();
    return path.substr(0, path.rfind('/') + 1);
}

using quoddle::test::Hex;

// Runs argv[0] with a pipe as its standard output and reads that pipe to the
// end into `buffer`, handing each read to `onRead`, then reaps the child:
// posix_spawn, read, waitpid and nothing more. Returns what failed ("pipe2",
// "posix_spawn"), or nullptr.
template <class OnRead>
const char* SpawnAndReadAll(char* const argv[], std::span<char> buffer, OnRead&& onRead)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return "pipe2";
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return "posix_spawn";
    }
    for (ssize_t got; (got = ::read(fds[0], buffer.data(), buffer.size())) > 0;)
        onRead(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return nullptr;
}

} // namespace quoddle::bench
