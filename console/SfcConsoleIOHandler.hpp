#pragma once
// The console command runner: runs one program hidden, captures what it
// prints, and keeps the text as lines with a result code.

#include "platform/Error.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quoddle {

// One run: the program's file name, its argument text, its folder (ending in
// the path separator, or empty) and the child's working folder (or empty).
struct TCommandInfo {
    std::string ExeName;
    std::string Params;
    std::string ExeDir;
    std::string WorkDir;
};

// Fills `info` from a program path (only its file-name part is kept), an
// argument text, a folder (a separator is appended unless it ends in one; a
// folder of blanks and control characters only leaves ExeDir empty) and a
// working folder.
void MakeCommandInfo(const std::string& programPath, const std::string& params, const std::string& dir,
                     const std::string& workDir, TCommandInfo& info);

bool IsWinNT();

// 0 not recognised, 1 Windows GUI program, 2 console program, 3 DOS program.
// Raises "Impossible d'ouvrir le fichier %s" and "Erreur de lecture du flux".
std::uint8_t ExecutableKind(const std::string& fileName);

// Result codes of Execute.
enum : std::uint8_t {
    kOutputGaveLines = 0,
    kOnlyErrorGaveLines = 1,
    kNoLines = 2,
    kNotExecutable = 3,
};

class TSfcConsoleIOHandler {
public:
    // The captured lines of the last run: standard output's when it gave any,
    // else standard error's. Unchanged by a run of code 3 or a failed run.
    std::vector<std::string> Lines;

    // Runs the command, blocking until the child has ended; returns the
    // result code (0 to 3). System failures raise quoddle::Error.
    std::uint8_t Execute(const TCommandInfo& info);

    // Facts of the last run that reached the child, beside Lines.
    int ExitStatus() const { return exitStatus_; }
    // Whether the text that became Lines had a line ended by CR CR LF.
    bool EndedLinesWithCrCrLf() const { return crcrlf_; }
    // Standard error's lines, drained on every run.
    const std::vector<std::string>& ErrorLines() const { return errorLines_; }

    // Called every few tens of milliseconds while a run waits on its child.
    void SetWhileWaiting(std::function<void()> callback) { whileWaiting_ = std::move(callback); }

private:
    int exitStatus_ = 0;
    bool crcrlf_ = false;
    std::vector<std::string> errorLines_;
    std::function<void()> whileWaiting_;
};

} // namespace quoddle
