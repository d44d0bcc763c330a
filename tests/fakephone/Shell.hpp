#pragma once
// The phone's shell, reduced to the commands a desktop front end sends:
// getprop, pm, cmd package, bmgr, rm, service call, input keyevent, joined
// by "&&", "||" or ";". Quoting follows sh (single quotes, double quotes,
// backslash); "<" redirections are dropped; "*" matches files of the phone.
// Anything else is "/system/bin/sh: X: not found" with status 127.

#include "PhoneState.hpp"

#include <optional>
#include <string>
#include <vector>

namespace fakephone {

struct ShellResult {
    std::string out; // lines end in LF here; the caller applies the phone's line ending
    std::string err;
    int status = 0;
};

// Runs one command line. The caller holds phone.lock.
ShellResult RunShell(const std::string& commandLine, PhoneState& phone);

// pm clear, disable-user, disable, enable and list packages -d/-e as the
// phone's release answers them (PackageStateVerbs.cpp); nothing for other verbs.
// `cmdPackage`: answered by PackageManagerShellCommand (cmd package, pm from 9).
std::optional<ShellResult> PackageStateVerb(const std::vector<std::string>& args, std::size_t first, PhoneState& phone,
                                            bool cmdPackage);

// How long the command line waits before it answers (answer_delays), in
// milliseconds. The configuration is fixed: no lock needed.
int AnswerDelay(const std::string& commandLine, const PhoneConfig& config);

// Splits one simple command into words the way sh would (no operators).
std::vector<std::string> SplitWords(const std::string& command);

struct InstallOptions {
    bool replace = false;  // -r
    bool external = false; // -s
    bool internal = false; // -f
};

// Installs the package whose file holds these bytes: a real .apk, or a text
// file whose first line is "package=com.example.notes" (see ReadPackageFile in
// InstallSession.hpp). A lone split is refused from Android 5 on. Returns pm's verdict
// line without its line end: "Success" or "Failure [...]". Caller holds the lock.
std::string InstallPackage(PhoneState& phone, const std::string& fileBytes, const InstallOptions& options);

// Reads pm/cmd install options from args[from..]; the rest (file name, -S
// size) is left in `rest`.
InstallOptions ParseInstallOptions(const std::vector<std::string>& args, std::size_t from,
                                   std::vector<std::string>& rest);

} // namespace fakephone
