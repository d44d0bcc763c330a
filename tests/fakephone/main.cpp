// fakephone: the device side of the ADB protocol on 127.0.0.1, for tests and
// the demo. An adb server reaches it with "adb connect 127.0.0.1:PORT", or
// finds it by itself as emulator-5554 when it listens on 5555 before the
// server starts (--emulator).
//
//   fakephone [--port N] [--config FILE.json] [--journal FILE] [--emulator]
//             [--lifetime SECONDS] [--parent-pid PID]
//
// Prints its port on a line of its own once it accepts connections (port 0,
// the default, picks a free one). It ends by itself when the process it
// watches ends (its parent, or --parent-pid; 0 watches none) or after
// --lifetime seconds (600 by default; 0 for no limit).

#include "Connection.hpp"
#include "PhoneState.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

struct Options {
    int port = 0;
    std::string config;
    std::string journal;
    bool emulator = false;
    long lifetimeSeconds = 600;
    long parentPid = -1; // -1: the parent at start
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::fprintf(stderr,
                 "fakephone: %s\n"
                 "usage: fakephone [--port N] [--config FILE.json] [--journal FILE] [--emulator]\n"
                 "                 [--lifetime SECONDS] [--parent-pid PID]\n",
                 problem.c_str());
    std::exit(2);
}

long Number(const char* text, long low, long high, const char* what)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < low || value > high)
        Usage(std::string("bad ") + what + ": " + text);
    return value;
}

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc)
                Usage(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--port")
            o.port = static_cast<int>(Number(value(), 0, 65535, "port"));
        else if (arg == "--config")
            o.config = value();
        else if (arg == "--journal")
            o.journal = value();
        else if (arg == "--emulator")
            o.emulator = true;
        else if (arg == "--lifetime")
            o.lifetimeSeconds = Number(value(), 0, 7 * 24 * 3600, "lifetime");
        else if (arg == "--parent-pid")
            o.parentPid = Number(value(), 0, 1L << 30, "parent pid");
        else
            Usage("unknown argument " + arg);
    }
    return o;
}

// A listening socket on 127.0.0.1 only; returns it and its port.
int Listen(int port, int& boundPort)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    boundPort = ntohs(address.sin_port);
    return fd;
}

void AcceptLoop(int listener, fakephone::PhoneState& phone, fakephone::Journal& journal)
{
    for (;;) {
        const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        const int yes = 1;
        ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        std::thread([connection, &phone, &journal] { fakephone::ServeConnection(connection, phone, journal); })
            .detach();
    }
}

fakephone::PhoneConfig LoadConfig(const std::string& path)
{
    if (path.empty())
        return fakephone::PhoneConfig::Preset("classic");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        Usage("cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return fakephone::PhoneConfig::FromJsonText(text.str());
    } catch (const fakephone::ConfigError& e) {
        Usage(path + ": " + e.what());
    }
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    ::signal(SIGPIPE, SIG_IGN);
    static fakephone::PhoneState phone(LoadConfig(options.config));
    static fakephone::Journal journal(options.journal);

    int port = 0;
    const int listener = Listen(options.port, port);
    if (listener < 0)
        Usage("cannot listen on 127.0.0.1:" + std::to_string(options.port) + ": " + std::strerror(errno));
    if (options.emulator) {
        int emulatorPort = 0;
        const int emulatorListener = Listen(5555, emulatorPort);
        if (emulatorListener < 0)
            Usage(std::string("cannot listen on 127.0.0.1:5555: ") + std::strerror(errno));
        std::thread(AcceptLoop, emulatorListener, std::ref(phone), std::ref(journal)).detach();
    }
    std::thread(AcceptLoop, listener, std::ref(phone), std::ref(journal)).detach();
    std::printf("%d\n", port);
    std::fflush(stdout);

    const pid_t watched = options.parentPid < 0 ? ::getppid() : static_cast<pid_t>(options.parentPid);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.lifetimeSeconds);
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (watched > 1 && (ProcessIsGone(watched) || (options.parentPid < 0 && ::getppid() != watched)))
            break;
        if (options.lifetimeSeconds > 0 && std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "fakephone: lifetime of %ld s over\n", options.lifetimeSeconds);
            break;
        }
    }
    // Connection threads may still run: end without unwinding them.
    std::_Exit(0);
}
