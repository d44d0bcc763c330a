#pragma once
// What the end-to-end tests share: the phone profiles they run in (line
// ending of the phone's shell, with or without shell_v2), the runner's view
// of one run, and how a phone's shell output reaches the runner's lines.

#include "AdbSession.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quoddle::test {

struct Profile {
    const char* name;
    const char* lineEnding; // "lf", "crlf" or "crcrlf"
    bool shellV2;           // features shell_v2 and cmd, or none at all

    bool crcrlf() const { return std::string(lineEnding) == "crcrlf"; }

    // fakephone's configuration; `more` adds members ("\"tmp_files\": [...]").
    std::string Config(const std::string& more = "") const
    {
        return std::string("{\"features\": ") + (shellV2 ? "[\"shell_v2\", \"cmd\"]" : "[]")
            + ", \"line_ending\": \"" + lineEnding + "\"" + (more.empty() ? "" : ", " + more) + "}";
    }

    // The service adb opens for a shell command (TERM is set to "dumb" by the session).
    std::string ShellService(const std::string& command) const
    {
        return (shellV2 ? "shell,v2,TERM=dumb,raw:" : "shell:") + command;
    }

    // The runner's lines for lines printed by the phone's shell: CR CR LF
    // leaves an empty line after each.
    std::vector<std::string> ShellLines(const std::vector<std::string>& lines) const
    {
        if (!crcrlf())
            return lines;
        std::vector<std::string> split;
        for (const auto& line : lines) {
            split.push_back(line);
            split.emplace_back();
        }
        return split;
    }
};

inline const Profile kProfiles[] = {
    {"lf_shell_v2", "lf", true},   {"crlf_shell_v2", "crlf", true},   {"crcrlf_shell_v2", "crcrlf", true},
    {"lf_legacy", "lf", false},    {"crlf_legacy", "crlf", false},    {"crcrlf_legacy", "crcrlf", false},
};

inline std::string ProfileName(const ::testing::TestParamInfo<Profile>& info) { return info.param.name; }

inline std::ostream& operator<<(std::ostream& os, const Profile& p) { return os << p.name; }

// Everything the runner tells about one run.
struct Outcome {
    int code = 0;
    std::vector<std::string> lines;
    std::vector<std::string> errorLines;
    int exitStatus = 0;
    bool crcrlf = false;

    bool operator==(const Outcome&) const = default;
};

inline void PrintTo(const Outcome& o, std::ostream* os)
{
    *os << "code " << o.code << ", exit " << o.exitStatus << (o.crcrlf ? ", CR CR LF" : "") << "\n    lines " << ::testing::PrintToString(o.lines)
        << "\n    error lines " << ::testing::PrintToString(o.errorLines);
}

inline Outcome RunAdb(TSfcConsoleIOHandler& runner, const AdbSession& session, const std::string& params)
{
    Outcome o;
    o.code = runner.Execute(session.Command(params));
    o.lines = runner.Lines;
    o.errorLines = runner.ErrorLines();
    o.exitStatus = runner.ExitStatus();
    o.crcrlf = runner.EndedLinesWithCrCrLf();
    return o;
}

// The outcome of a run whose lines all came from the phone's shell: with
// shell_v2 the phone's two streams stay apart and its status is adb's; a
// legacy shell merges them on adb's standard output and adb exits 0.
inline Outcome ShellOutcome(const Profile& p, const std::vector<std::string>& out,
                            const std::vector<std::string>& err, int status)
{
    Outcome o;
    std::vector<std::string> stdoutLines = p.ShellLines(out);
    std::vector<std::string> stderrLines = p.ShellLines(err);
    if (!p.shellV2) {
        stdoutLines.insert(stdoutLines.end(), stderrLines.begin(), stderrLines.end());
        stderrLines.clear();
        status = 0;
    }
    o.exitStatus = status;
    o.errorLines = stderrLines;
    o.code = !stdoutLines.empty() ? kOutputGaveLines : !stderrLines.empty() ? kOnlyErrorGaveLines : kNoLines;
    o.lines = !stdoutLines.empty() ? stdoutLines : stderrLines;
    o.crcrlf = p.crcrlf() && !o.lines.empty();
    return o;
}

// The outcome of a run that printed adb's own lines (LF) on one stream.
inline Outcome AdbOutcome(const std::vector<std::string>& out, const std::vector<std::string>& err = {},
                          int status = 0)
{
    Outcome o;
    o.exitStatus = status;
    o.errorLines = err;
    o.code = !out.empty() ? kOutputGaveLines : !err.empty() ? kOnlyErrorGaveLines : kNoLines;
    o.lines = !out.empty() ? out : err;
    return o;
}

inline std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

} // namespace quoddle::test
