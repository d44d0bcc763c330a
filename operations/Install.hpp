#pragma once
// Installing a package file and removing an application.

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace quoddle {

// "install" with its options and the file between double quotes, quoted by
// the C runtime's rules so that any path reaches adb as one argument.
std::string InstallArgs(const char* options, const std::string& file);

// The install verdict. adb 29 prints "Performing Streamed Install" then
// "Success" on standard output; a refusal goes to standard error:
//   adb: failed to install /tmp/x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]
// and exits 1. On exit 0 the verdict is the pane's last non-empty line; on
// failure standard error's last non-empty line, else the pane's.
QString InstallVerdict(int exitStatus, const QStringList& paneLines, const QStringList& errorLines);

// NoAnswer: the install printed nothing (an empty verdict), which a working
// phone never does; a failure whatever adb's exit status.
enum class InstallOutcome { Success, AlreadyInstalled, Failure, NoAnswer };
InstallOutcome ClassifyVerdict(const QString& verdict);

struct InstallResult {
    QString verdict;
    InstallOutcome outcome = InstallOutcome::Failure;
};
// What the user is told of one install: the success or already-there
// message, else "ECHEC : " and the verdict.
QString OutcomeMessage(const InstallResult& result);
// After several installs, one message: each application (or file) and its outcome.
QString BatchMessage(const std::vector<std::pair<QString, InstallResult>>& results);

// The package of a grid row: the component cell when it holds any character
// above the blank, else the APK cell without its last four characters.
QString PackageOfRow(const QString& apkCell, const QString& componentCell);

} // namespace quoddle
