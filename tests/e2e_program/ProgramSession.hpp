#pragma once
// Everything one start of the real program needs: fakephone answering as
// emulator-5554, a private adb server port, a copy of the program in a folder
// of its own beside a link named "adb" to the real adb (build/ is never
// touched), an X server of its own, and the program started there in
// isolation (IsolatedProgram.hpp). Needs QUODDLE_PROGRAM, QUODDLE_REAL_ADB,
// QUODDLE_FAKEPHONE, QUODDLE_XVFB and QUODDLE_UNSHARE from the build.

#include "IsolatedProgram.hpp"
#include "VirtualDisplay.hpp"
#include "e2e/AdbSession.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

namespace quoddle::test {

// Whether something accepts TCP connections on 127.0.0.1:port.
inline bool LoopbackPortListening(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// Whether this process could listen on 127.0.0.1:port now.
inline bool LoopbackPortFree(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// Why a start of the real program cannot be made here, or nullopt.
inline std::optional<std::string> WhyProgramCannotStart()
{
    if (!LoopbackPortFree(5555))
        return std::string("127.0.0.1:5555 is taken: fakephone cannot answer as emulator-5554");
    return IsolatedProgram::WhyUnsafe();
}

// The title a top-level window of the program carries once a run has set it.
inline bool IsMainWindow(const WindowWatcher::Shown& shown)
{
    return shown.kind == WindowWatcher::Kind::Normal && shown.title.starts_with("Quoddle - ");
}

class ProgramSession {
public:
    // `phoneConfig`: fakephone's configuration; `decoy`: a process named adb
    // for the program to end at start-up (always there without a namespace);
    // `adbInFolder`: false leaves the program's folder without its adb;
    // `desktopLocale`: the desktop's LANG, the only language variable it has
    // (C.UTF-8 speaks French, whatever the caller's desktop speaks).
    explicit ProgramSession(const std::string& phoneConfig = "{}", bool decoy = true, bool adbInFolder = true,
                            const std::string& desktopLocale = "C.UTF-8")
        : adb_(SessionOptions(phoneConfig)), watcher_(display_.name())
    {
        program_ = adb_.AppDir() + "quoddle";
        std::filesystem::copy_file(QUODDLE_PROGRAM, program_);
        if (!adbInFolder)
            std::filesystem::remove(adb_.AppDir() + "adb");
        IsolatedProgram::Options options;
        options.program = program_;
        // The private server port and the emulator scan come from the adb session.
        options.env = EnvironmentWith({{"DISPLAY", display_.name()},
                                       {"QT_QPA_PLATFORM", std::nullopt},
                                       {"WAYLAND_DISPLAY", std::nullopt},
                                       {"LANG", desktopLocale},
                                       {"LANGUAGE", std::nullopt},
                                       {"LC_ALL", std::nullopt},
                                       {"LC_MESSAGES", std::nullopt}});
        options.log = adb_.WorkDir() / "program.log";
        options.decoyFolder = adb_.WorkDir() / "decoy";
        options.decoy = decoy;
        running_ = std::make_unique<IsolatedProgram>(options);
    }

    AdbSession& adb() { return adb_; }
    WindowWatcher& watcher() { return watcher_; }
    IsolatedProgram& program() { return *running_; }
    const std::string& display() const { return display_.name(); }

    // What the program printed so far.
    std::string Log() const
    {
        std::ifstream file(adb_.WorkDir() / "program.log");
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    static AdbSessionOptions SessionOptions(const std::string& phoneConfig)
    {
        AdbSessionOptions options;
        options.phoneConfig = phoneConfig;
        options.emulator = true;     // listens on 5555 before the program starts the server
        options.startServer = false; // the program starts it
        options.connect = false;     // and finds the phone by itself
        return options;
    }

    // Teardown in reverse: the program (and its namespace), the X server, then the adb session.
    AdbSession adb_;
    VirtualDisplay display_;
    WindowWatcher watcher_;
    std::string program_;
    std::unique_ptr<IsolatedProgram> running_;
};

} // namespace quoddle::test
