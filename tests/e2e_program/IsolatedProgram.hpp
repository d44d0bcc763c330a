#pragma once
// The real program, started so that its start-up step "end the first running
// process named adb" can only ever end a process of the test's own.
//
// Preferred: a PID namespace of its own (unshare --pid --mount-proc). Its
// /proc lists only the processes of that namespace, so the program cannot see
// any other adb, and whatever it leaves behind (the adb server it starts)
// ends with the namespace, also when the test dies halfway.
//
// Where the system refuses a namespace, the program runs only when no process
// named adb is running at that moment (WhyUnsafe), and a decoy named adb is
// started just before it: the program ends only the first match in /proc's
// order, which is ascending process ids, so it ends the decoy even if some
// adb appears meanwhile. ctest's RESOURCE_LOCK adb keeps the other adb tests
// of the same run away.
//
// In both cases a shell stands between: it starts the decoy and the program,
// reports their fate on a pipe, and stays (keeping the namespace alive) until
// the test says it is done, so the test can look at what the program left
// behind before everything is cleared away. Needs QUODDLE_UNSHARE (path,
// may be empty) from the build.

#include "Processes.hpp"
#include "platform/Platform.hpp"
#include "platform/ProcessName.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quoddle::test {

// The shell between the test and the program: $1 the program's log, $2 the
// decoy (or empty), then the program.
inline const char* const kProgramShell = R"sh(
log=$1 decoy=$2; shift 2
if [ -n "$decoy" ]; then
    "$decoy" 600 </dev/null >/dev/null 2>&1 &
    decoypid=$!
    n=0
    while [ "$(readlink "/proc/$decoypid/exe")" != "$decoy" ] && [ $n -lt 500 ]; do sleep 0.01; n=$((n + 1)); done
fi
"$@" </dev/null >"$log" 2>&1 &
program=$!
echo "started $program"
wait $program
status=$?
if [ -n "$decoy" ]; then
    state=$(sed 's/.*) //' "/proc/$decoypid/stat" 2>/dev/null | cut -c1)
    case "$state" in
    "" | Z) echo "decoy ended" ;;
    *) echo "decoy alive"; kill -9 $decoypid ;;
    esac
fi
echo "exited $status"
read -r done
)sh";

class IsolatedProgram {
public:
    struct Options {
        std::string program;               // in a folder of its own, beside its "adb"
        std::vector<std::string> env;      // the program's whole environment
        std::filesystem::path log;         // receives its standard output and error
        std::filesystem::path decoyFolder; // where the decoy named adb is made
        bool decoy = true;                 // always made when no namespace is available
    };

    // The command prefix that gives a child its own PID namespace and /proc,
    // or an empty one when the system refuses it.
    static const std::vector<std::string>& NamespaceCommand()
    {
        static const std::vector<std::string> command = [] {
            const std::string unshare = QUODDLE_UNSHARE;
            if (unshare.empty())
                return std::vector<std::string>{};
            for (const bool mapRoot : {false, true}) {
                std::vector<std::string> c = {unshare, "--pid", "--fork", "--mount-proc", "--kill-child"};
                if (mapRoot)
                    c.insert(c.begin() + 1, "--map-root-user");
                auto probe = c;
                probe.insert(probe.end(), {"/bin/sh", "-c", "exit 0"});
                const pid_t pid = StartChild(probe, EnvironmentWith({}), {-1, -1, -1});
                if (WaitChild(pid, std::chrono::seconds(10)) == 0)
                    return c;
            }
            return std::vector<std::string>{};
        }();
        return command;
    }

    static bool Isolated() { return !NamespaceCommand().empty(); }

    // Why the program may not run now, or nullopt when it may.
    static std::optional<std::string> WhyUnsafe()
    {
        if (Isolated())
            return std::nullopt;
        const auto processes = platform::ListProcesses();
        if (!processes)
            return "no PID namespace available and the running processes cannot be listed";
        for (const auto& process : *processes) {
            // A zombie (an adb server that just ended) cannot be harmed.
            const auto stat = ReadProcessStat(static_cast<pid_t>(process.pid));
            if (platform::ProcessNameMatches(process.exeName, "adb") && stat && stat->state != 'Z')
                return "no PID namespace available and process " + std::to_string(process.pid) +
                    " is named adb: the program would end it at start-up";
        }
        return std::nullopt;
    }

    explicit IsolatedProgram(Options options) : options_(std::move(options))
    {
        std::string decoy;
        if (options_.decoy || !Isolated()) {
            std::filesystem::create_directories(options_.decoyFolder);
            const auto path = options_.decoyFolder / "adb";
            std::filesystem::copy_file("/bin/sleep", path, std::filesystem::copy_options::overwrite_existing);
            decoy = std::filesystem::canonical(path).string();
        }
        std::vector<std::string> args = NamespaceCommand();
        args.insert(args.end(), {"/bin/sh", "-c", kProgramShell, "sh", options_.log.string(), decoy,
                                 options_.program});
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe2 failed");
        pid_ = StartChild(args, options_.env, {in[0], out[1], -1});
        ::close(in[0]);
        ::close(out[1]);
        toShell_ = in[1];
        fromShell_ = out[0];
        const auto started = ReadLine(fromShell_, std::chrono::seconds(20));
        startedAt_ = std::chrono::steady_clock::now();
        if (!started || !started->starts_with("started ")) {
            Finish();
            throw std::runtime_error("the program did not start");
        }
    }
    ~IsolatedProgram() { Finish(); }
    IsolatedProgram(const IsolatedProgram&) = delete;
    IsolatedProgram& operator=(const IsolatedProgram&) = delete;

    // When the program was started (as the shell reported it).
    std::chrono::steady_clock::time_point startedAt() const { return startedAt_; }

    // The running program's process id as this process sees it.
    std::optional<pid_t> ProgramPid() const
    {
        const std::string name = std::filesystem::path(options_.program).filename().string().substr(0, 15);
        return FindDescendant(pid_, name);
    }

    // Waits for the program to end: its exit status, or nullopt after `timeout`.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout)
    {
        if (exitStatus_)
            return exitStatus_;
        while (auto line = ReadLine(fromShell_, timeout)) {
            if (*line == "decoy ended" || *line == "decoy alive")
                decoyEnded_ = *line == "decoy ended";
            else if (line->starts_with("exited "))
                return exitStatus_ = std::atoi(line->c_str() + 7);
        }
        return std::nullopt;
    }

    // After the program's end: whether the decoy was ended (nullopt: there was none).
    std::optional<bool> DecoyEnded() const { return decoyEnded_; }

    // Ends the shell, and with the namespace everything the program left in it.
    void Finish()
    {
        if (pid_ > 0 && !exitStatus_) {
            // Given up on (a failed test): without a namespace nothing would end them.
            for (const std::string& name : {std::filesystem::path(options_.program).filename().string(), std::string("adb")})
                if (const auto pid = FindDescendant(pid_, name.substr(0, 15)))
                    ::kill(*pid, SIGKILL);
        }
        if (toShell_ >= 0)
            ::close(toShell_);
        toShell_ = -1;
        if (pid_ > 0 && !WaitChild(pid_, std::chrono::seconds(5)))
            EndChild(pid_);
        pid_ = -1;
        if (fromShell_ >= 0)
            ::close(fromShell_);
        fromShell_ = -1;
    }

private:
    Options options_;
    pid_t pid_ = -1;
    int toShell_ = -1, fromShell_ = -1;
    std::chrono::steady_clock::time_point startedAt_;
    std::optional<int> exitStatus_;
    std::optional<bool> decoyEnded_;
};

} // namespace quoddle::test
