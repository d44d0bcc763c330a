// pm clear, pm disable-user, pm disable, pm enable and pm list packages -d/-e,
// as the package manager of the phone's release answers them. Taken from
// AOSP's sources of each release:
//
// - before 4.0 (sdk < 14), frameworks/base cmds/pm/src/com/android/commands/pm/Pm.java
//   of gingerbread: no clear, no disable-user (Release.cpp's unknown command);
//   enable/disable exist; list packages takes -f only ("Error: Unknown option: -d").
// - 4.0 (sdk 14, ice cream sandwich Pm.java): clear, disable-user and list
//   packages -d/-e arrive. runSetEnabledSetting() takes the first word as the
//   package (no --user) and prints "Package P new state: S" on standard
//   error; runClear() prints "Success" or "Failed" on standard error, "Failed"
//   twice for an unknown package (clearApplicationUserData refuses, then the
//   observer says so). PackageManagerService raises IllegalArgumentException
//   ("Unknown package: P"), which Pm does not catch: the runtime's handler
//   logs it, and the shell sees nothing.
// - 4.4 (sdk 19, kitkat Pm.java): [--user USER_ID]; the new state and "Success"
//   on standard output, "Failed" on standard error.
// - 5.0 to 8.1 (marshmallow Pm.java): main() catches the exception, "Error:
//   java.lang.IllegalArgumentException: Unknown package: P", and pm exits 1.
// - cmd package, and pm from 9: services/core/java/com/android/server/pm/
//   PackageManagerShellCommand.java, the same texts; an exception is printed by
//   ShellCommand.exec (before 11: "Exception occurred while executing:") or
//   BasicShellCommandHandler.exec (11 on: "Exception occurred while executing
//   'VERB':") after an empty line, with its stack, and the status is 255.

#include "Release.hpp"
#include "Shell.hpp"

#include <algorithm>

namespace fakephone {

namespace {

// PackageManager.COMPONENT_ENABLED_STATE_*.
enum EnabledState { kDefault = 0, kEnabled = 1, kDisabled = 2, kDisabledUser = 3 };

const char* StateName(int state)
{
    switch (state) {
    case kDefault: return "default";
    case kEnabled: return "enabled";
    case kDisabled: return "disabled";
    case kDisabledUser: return "disabled-user";
    }
    return "unknown";
}

std::string Arg(const std::vector<std::string>& args, std::size_t i) { return i < args.size() ? args[i] : std::string(); }

// An exception that reaches the top of the package manager's command.
ShellResult Uncaught(const PhoneState& phone, bool shellCommand, const std::string& verb, const std::string& exception)
{
    ShellResult r;
    const int sdk = phone.sdk();
    if (shellCommand) {
        r.err = std::string("\n") + (sdk >= 30 ? "Exception occurred while executing '" + verb + "':\n"
                                               : std::string("Exception occurred while executing:\n"))
            + exception + "\n\tat com.android.server.pm.PackageManagerService.setEnabledSetting(PackageManagerService.java)\n";
        r.status = 255;
    } else if (sdk >= 21) {
        r.err = "Error: " + exception + "\n";
        r.status = 1;
    } // before 5.0 the runtime logs it; nothing reaches the shell
    return r;
}

// The package after the verb, past "[--user USER_ID]" where the release takes it
// (one user here: user 0).
std::string PackageArgument(const std::vector<std::string>& args, std::size_t first, const PhoneState& phone)
{
    std::size_t at = first + 1;
    if (phone.sdk() >= 19 && Arg(args, at) == "--user")
        at += 2;
    return Arg(args, at);
}

ShellResult Missing(const char* error)
{
    ShellResult r;
    r.err = error;
    r.status = 1;
    return r;
}

ShellResult SetEnabled(const std::vector<std::string>& args, std::size_t first, int state, PhoneState& phone,
                       bool shellCommand)
{
    const std::string verb = Arg(args, first);
    std::size_t at = first + 1;
    if (phone.sdk() >= 19 && Arg(args, at) == "--user")
        at += 2; // one user here: user 0
    const std::string name = Arg(args, at);
    ShellResult r;
    if (name.empty()) {
        r.err = "Error: no package or component specified\n";
        r.status = 1;
        return r;
    }
    Package* package = phone.FindPackage(name);
    if (!package)
        return Uncaught(phone, shellCommand, verb, "java.lang.IllegalArgumentException: Unknown package: " + name);
    package->enabledState = state;
    const std::string line = "Package " + name + " new state: " + StateName(state) + "\n";
    (phone.sdk() < 19 ? r.err : r.out) = line;
    return r;
}

ShellResult Clear(const std::vector<std::string>& args, std::size_t first, PhoneState& phone)
{
    const std::string name = PackageArgument(args, first, phone);
    ShellResult r;
    if (name.empty())
        return Missing("Error: no package specified\n");
    const bool known = phone.FindPackage(name) != nullptr;
    if (phone.sdk() < 19) { // 4.0 prints "Failed" twice for an unknown package: once per check
        r.err = known ? "Success\n" : "Failed\nFailed\n";
        return r;
    }
    if (known) {
        r.out = "Success\n";
    } else {
        r.err = "Failed\n";
        r.status = ToolsFor(phone.sdk()).pmExitStatus ? 1 : 0;
    }
    return r;
}

ShellResult ListByState(const std::vector<std::string>& args, std::size_t first, PhoneState& phone)
{
    bool withPath = false, disabledOnly = false, enabledOnly = false;
    std::string filter;
    ShellResult r;
    for (std::size_t i = first + 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-f")
            withPath = true;
        else if (a == "-d")
            disabledOnly = true;
        else if (a == "-e")
            enabledOnly = true;
        else if (!a.empty() && a[0] != '-')
            filter = a;
    }
    if (phone.sdk() < 14) {
        r.err = PmUnknownCommand("", phone, false).err;
        r.err = std::string("Error: Unknown option: ") + (disabledOnly ? "-d" : "-e") + "\n" + r.err;
        return r;
    }
    for (const Package& p : phone.packages) {
        const bool enabled = p.enabledState != kDisabled && p.enabledState != kDisabledUser;
        if ((disabledOnly && enabled) || (enabledOnly && !enabled))
            continue;
        if (!filter.empty() && p.name.find(filter) == std::string::npos)
            continue;
        r.out += "package:" + (withPath ? p.path + "=" : std::string()) + p.name + "\n";
    }
    return r;
}

} // namespace

std::optional<ShellResult> PackageStateVerb(const std::vector<std::string>& args, std::size_t first, PhoneState& phone,
                                            bool cmdPackage)
{
    const std::string verb = Arg(args, first);
    if (verb == "list" && (Arg(args, first + 1) == "packages" || Arg(args, first + 1) == "package")) {
        const bool byState = std::any_of(args.begin() + static_cast<std::ptrdiff_t>(first) + 2, args.end(),
                                         [](const std::string& a) { return a == "-d" || a == "-e"; });
        if (!byState)
            return std::nullopt;
        return ListByState(args, first, phone);
    }
    if ((verb == "clear" || verb == "disable-user") && phone.sdk() < 14)
        return PmUnknownCommand(verb, phone, cmdPackage);
    if (verb == "clear")
        return Clear(args, first, phone);
    if (verb == "disable-user")
        return SetEnabled(args, first, kDisabledUser, phone, cmdPackage);
    if (verb == "disable")
        return SetEnabled(args, first, kDisabled, phone, cmdPackage);
    if (verb == "enable")
        return SetEnabled(args, first, kEnabled, phone, cmdPackage);
    return std::nullopt;
}

} // namespace fakephone
