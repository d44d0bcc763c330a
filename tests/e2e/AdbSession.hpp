#pragma once
// One end-to-end session with the real adb: a private adb server port, one or
// more fakephone processes on free loopback ports, a folder holding a link
// named "adb" to the real adb (the program's folder for the runner), and a
// teardown that always stops the server and the phones, even when a test
// fails or the set-up throws halfway. POSIX only; needs QUODDLE_REAL_ADB and
// QUODDLE_FAKEPHONE (paths) defined by the build.
//
// The session sets ANDROID_ADB_SERVER_PORT, TERM and (unless the emulator
// scan is wanted) ADB_EMU=0 in this process's environment, so every adb it
// or the code under test starts talks to the private server; the previous
// values come back at the end. One session at a time per process.

#include "console/SfcConsoleIOHandler.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace quoddle::test {

struct ProcessResult {
    std::string out;
    std::string err;
    int status = -1; // exit status, 128 + signal, or -1 when it had to be ended
};

namespace detail {

inline std::vector<char*> Argv(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

inline int WaitStatus(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Starts args[0] with stdin on /dev/null and stdout (and stderr unless
// `keepStderr`) on close-on-exec pipes whose read ends are returned.
inline pid_t Spawn(const std::vector<std::string>& args, int& outRead, int* errRead)
{
    int out[2], err[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0 || (errRead && ::pipe2(err, O_CLOEXEC) != 0))
        throw std::runtime_error("pipe2 failed");
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (errRead)
        ::posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, args[0].c_str(), &actions, nullptr, Argv(args).data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (errRead)
        ::close(err[1]);
    if (failed != 0) {
        ::close(out[0]);
        if (errRead)
            ::close(err[0]);
        throw std::runtime_error("cannot start " + args[0]);
    }
    outRead = out[0];
    if (errRead)
        *errRead = err[0];
    return pid;
}

} // namespace detail

// Runs a program to its end, both outputs captured; ends it after `timeout`.
inline ProcessResult RunProcess(const std::vector<std::string>& args,
                                std::chrono::milliseconds timeout = std::chrono::seconds(30))
{
    int outFd = -1, errFd = -1;
    const pid_t pid = detail::Spawn(args, outFd, &errFd);
    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool timedOut = false;
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        if (::poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
            }
        }
    }
    for (auto& fd : fds)
        if (fd.fd >= 0)
            ::close(fd.fd);
    if (timedOut)
        ::kill(pid, SIGKILL);
    result.status = detail::WaitStatus(pid);
    if (timedOut)
        result.status = -1;
    return result;
}

// A free TCP port on 127.0.0.1, outside adb's own ranges (5037, 5555-5585).
inline int FreeLoopbackPort()
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        ::close(fd);
        const int port = ntohs(address.sin_port);
        if (bound && port > 5585)
            return port;
    }
    throw std::runtime_error("no free loopback port");
}

struct AdbSessionOptions {
    std::string phoneConfig = "{}"; // fakephone's configuration (JSON text)
    bool emulator = false;          // the phone also listens on 5555 and the server scans for emulators
    bool startServer = true;        // start the private server (else the first adb run starts it)
    bool connect = true;            // "adb connect" the phone and wait until it is online
    std::string term = "dumb";      // TERM for adb, which passes it on to shell_v2 phones
};

class AdbSession {
public:
    explicit AdbSession(AdbSessionOptions options = {}) : options_(std::move(options))
    {
        folder_ = std::make_unique<Folder>();
        std::filesystem::create_directories(folder_->path / "app");
        std::filesystem::create_directories(folder_->path / "work");
        std::filesystem::create_symlink(QUODDLE_REAL_ADB, folder_->path / "app" / "adb");

        // The phone first: an emulator phone must listen before the server starts.
        AddPhone(options_.phoneConfig, options_.emulator, false);

        serverPort_ = FreeLoopbackPort();
        env_.set("ANDROID_ADB_SERVER_PORT", std::to_string(serverPort_));
        env_.set("TERM", options_.term);
        if (options_.emulator)
            env_.unset("ADB_EMU");
        else
            env_.set("ADB_EMU", "0");
        serverGuard_.armed = true;

        if (options_.startServer) {
            const ProcessResult started = Adb({"start-server"});
            if (started.status != 0)
                throw std::runtime_error("adb start-server failed: " + started.err);
        }
        if (options_.connect)
            Connect(0);
    }

    AdbSession(const AdbSession&) = delete;
    AdbSession& operator=(const AdbSession&) = delete;

    // Another phone on its own port, connected unless told otherwise; returns its index.
    std::size_t AddPhone(const std::string& config, bool emulator = false, bool connect = true)
    {
        const std::size_t index = phones_.size();
        const auto base = folder_->path / ("phone" + std::to_string(index));
        std::ofstream(base.string() + ".json") << config;
        phones_.push_back(std::make_unique<Phone>(base.string() + ".json", base.string() + ".journal", emulator));
        if (connect)
            Connect(index);
        return index;
    }

    // Ends a phone's process, as a phone switched off or unplugged: its
    // connection drops in the middle of whatever it was answering.
    void StopPhone(std::size_t phone = 0) { phones_.at(phone)->stop(); }

    // "127.0.0.1:PORT", the serial adb gives a connected phone.
    std::string Serial(std::size_t phone = 0) const { return "127.0.0.1:" + std::to_string(phones_.at(phone)->port); }
    int PhonePort(std::size_t phone = 0) const { return phones_.at(phone)->port; }
    int ServerPort() const { return serverPort_; }

    // The program's folder (ending in '/'), holding the link "adb".
    std::string AppDir() const { return (folder_->path / "app" / "").string(); }
    // A folder for the test's own files.
    std::filesystem::path WorkDir() const { return folder_->path / "work"; }

    // The runner's command for an argument text, as the program builds it.
    TCommandInfo Command(const std::string& params) const
    {
        TCommandInfo info;
        MakeCommandInfo(AppDir() + "adb", params, AppDir(), AppDir(), info);
        return info;
    }

    // Runs the real adb directly (set-up steps, not the code under test).
    ProcessResult Adb(std::vector<std::string> args) const
    {
        args.insert(args.begin(), QUODDLE_REAL_ADB);
        return RunProcess(args);
    }

    void Connect(std::size_t phone)
    {
        const ProcessResult connected = Adb({"connect", Serial(phone)});
        if (connected.out != "connected to " + Serial(phone) + "\n")
            throw std::runtime_error("adb connect " + Serial(phone) + " said: " + connected.out + connected.err);
        if (!WaitForState(Serial(phone), "device"))
            throw std::runtime_error(Serial(phone) + " did not come online");
        TakeJournal(phone);
    }

    // Polls "adb -s SERIAL get-state" until it prints `state`.
    bool WaitForState(const std::string& serial, const std::string& state,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) const
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        do {
            if (Adb({"-s", serial, "get-state"}).out == state + "\n")
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

    // The services the phone saw since the last call, one per line as its
    // journal writes them (a NUL shows as \0).
    std::vector<std::string> TakeJournal(std::size_t phone = 0)
    {
        Phone& p = *phones_.at(phone);
        std::ifstream file(p.journal, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        for (std::size_t n = 0; std::getline(file, line); ++n)
            if (n >= p.journalSeen)
                lines.push_back(line);
        p.journalSeen += lines.size();
        return lines;
    }

private:
    struct Folder {
        Folder()
        {
            const char* tmp = std::getenv("TMPDIR");
            std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quoddle-e2e-XXXXXX";
            if (!::mkdtemp(pattern.data()))
                throw std::runtime_error("mkdtemp failed");
            path = pattern;
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        std::filesystem::path path;
    };

    class Environment {
    public:
        void set(const char* name, const std::string& value)
        {
            save(name);
            ::setenv(name, value.c_str(), 1);
        }
        void unset(const char* name)
        {
            save(name);
            ::unsetenv(name);
        }
        ~Environment()
        {
            for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
                if (it->second)
                    ::setenv(it->first.c_str(), it->second->c_str(), 1);
                else
                    ::unsetenv(it->first.c_str());
            }
        }

    private:
        void save(const char* name)
        {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        }
        std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
    };

    // A fakephone process that watches this one and lives at most five minutes.
    struct Phone {
        Phone(std::string config, std::string journalPath, bool emulator) : journal(std::move(journalPath))
        {
            std::vector<std::string> args = {QUODDLE_FAKEPHONE, "--port", "0", "--config", config, "--journal",
                                             journal, "--parent-pid", std::to_string(::getpid()), "--lifetime", "300"};
            if (emulator)
                args.push_back("--emulator");
            int outFd = -1;
            pid = detail::Spawn(args, outFd, nullptr);
            std::string line;
            pollfd fd{outFd, POLLIN, 0};
            char c = 0;
            while (line.find('\n') == std::string::npos && ::poll(&fd, 1, 10000) > 0 && ::read(outFd, &c, 1) == 1)
                line += c;
            ::close(outFd);
            port = std::atoi(line.c_str());
            if (port <= 0) {
                stop();
                throw std::runtime_error("fakephone did not start (see its message above)");
            }
        }
        ~Phone() { stop(); }
        void stop()
        {
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                detail::WaitStatus(pid);
                pid = -1;
            }
        }
        pid_t pid = -1;
        int port = 0;
        std::string journal;
        std::size_t journalSeen = 0;
    };

    // Stops the private server; destroyed first, while the environment still names its port.
    struct ServerGuard {
        ~ServerGuard()
        {
            if (armed)
                RunProcess({QUODDLE_REAL_ADB, "kill-server"}, std::chrono::seconds(10));
        }
        bool armed = false;
    };

    // Declaration order is teardown order, reversed: server, phones, environment, folder.
    AdbSessionOptions options_;
    std::unique_ptr<Folder> folder_;
    Environment env_;
    std::vector<std::unique_ptr<Phone>> phones_;
    int serverPort_ = 0;
    ServerGuard serverGuard_;
};

} // namespace quoddle::test
