#pragma once
// The services the program asks of the operating system, one interface for
// every build: posix/ implements it here, win32/ on Windows. Standard C++ only.
// Failures of system calls raise quoddle::Error with the runner's wording.

#include <chrono>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoddle::platform {

// The folder separator of this platform, and the executable's own folder
// ending in it.
char PathSeparator();
std::string ExecutableDir();

// True on the Windows NT family; false elsewhere.
bool IsWinNT();

// Whether a file beginning with these bytes is a program this platform runs
// natively outside the PE rules (on POSIX: an ELF binary or a "#!" script).
bool IsNativeExecutableHeader(std::string_view firstBytes);

// The command interpreter to open beside adb: on Windows cmd.exe in the
// system folder; on Linux the user's terminal emulator. Empty when none is found.
std::string CommandInterpreterPath();

void SleepMilliseconds(unsigned milliseconds);

// Opens a file (UTF-8 path) for reading in binary, other writers refused
// where the system can refuse them. Null when it cannot be opened.
std::FILE* OpenFileForReading(const std::string& path);

// One child run with both standard streams captured.
struct ChildCommand {
    // Program file to run. When empty, the first word of `arguments` names the
    // program and is looked up the platform's way (PATH).
    std::string program;
    // Argument text, a Windows command line (see CommandLine.hpp). With an
    // empty program it is the whole command line.
    std::string arguments;
    // Working folder of the child; empty inherits the caller's.
    std::string workDir;
};

enum class Stream { Output, Error };

struct ChildCallbacks {
    // Each read as it arrives, at most kReadSize bytes, in order per stream.
    std::function<void(Stream, std::string_view)> onRead;
    // Called every `waitInterval` while the child runs (optional).
    std::function<void()> whileWaiting;
    std::chrono::milliseconds waitInterval{25};
};

inline constexpr std::size_t kReadSize = 2048;

// Runs the child hidden, standard input empty, both outputs on pipes read
// together until both end, then waits for it. Returns its exit status
// (128 + signal number when a signal ended it on POSIX).
// Raises Error("Erreur système.  Code : %d.\r\n%s") when it cannot start.
int RunChild(const ChildCommand& command, const ChildCallbacks& callbacks);

// Turns a child's captured bytes into the program's UTF-8 text, once. On
// POSIX output is UTF-8 already; on Windows it is kept when it is valid UTF-8
// and converted from the OEM code page otherwise.
std::string DecodeChildOutput(std::string bytes);
// Whether DecodeChildOutput leaves every text unchanged, so that output can
// be split as it arrives.
bool ChildOutputIsUtf8();

// Starts a program detached (not waited for, nothing read back), hidden, in
// workDir. Returns false when the start failed.
bool StartDetached(const std::string& program, const std::string& arguments, const std::string& workDir);

struct ProcessEntry {
    std::uint32_t pid;
    std::string exeName; // file name of the executable, without folder
};

// Running processes in the system's order (ascending pid on Linux).
// nullopt when the list cannot be taken.
std::optional<std::vector<ProcessEntry>> ListProcesses();

// Ends the process with that id (exit code 0 on Windows, SIGKILL on POSIX).
// Returns false when it could not be ended.
bool EndProcess(std::uint32_t pid);

// The system's text for an error code, and the runner's wording of a failed
// system call ("Erreur système.  Code : %d.\r\n%s", or the generic text when
// the code is 0).
std::string SystemErrorText(int code);
std::string SystemCallFailure(int code);

} // namespace quoddle::platform
