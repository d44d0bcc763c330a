// pm clear, pm disable-user, pm disable, pm enable and pm list packages -d/-e,
// as the package manager of the phone's release answers them (its
// ro.build.version.sdk). Taken from AOSP's sources of each release:
//
// - sdk < 14, Android 2.2/2.3, frameworks/base cmds/pm/src/com/android/commands/pm/Pm.java
//   (gingerbread): no clear, no disable-user ("Error: unknown command 'clear'"
//   and the usage on standard error); enable/disable exist; list packages
//   takes -f only ("Error: Unknown option: -d"). main() returns nothing: exit 0.
// - 14 <= sdk < 19, Android 4.0, the same Pm.java (ice cream sandwich): clear,
//   disable-user, list packages -d/-e. runSetEnabledSetting() takes the first
//   word as the package (no --user) and prints "Package P new state: S" on
//   standard error; runClear() prints "Success" or "Failed" on standard error.
//   An unknown package raises IllegalArgumentException("Unknown package: P")
//   from PackageManagerService, which nothing in Pm catches: the runtime's
//   handler writes it to the log only, so the shell sees nothing.
// - 19 <= sdk < 24, Android 4.4 to 6, Pm.java (marshmallow): [--user USER_ID];
//   the new state and "Success" on standard output, "Failed" on standard
//   error (exit 1); main() catches the exception: "Error: java.lang.
//   IllegalArgumentException: Unknown package: P", exit 1.
// - sdk >= 24, Android 7 on: services/core/java/com/android/server/pm/
//   PackageManagerShellCommand.java, the same texts; an exception is printed
//   by ShellCommand.exec (Android 7-10: "Exception occurred while executing:")
//   or BasicShellCommandHandler.exec (Android 11 on: "Exception occurred while
//   executing 'VERB':") after an empty line, with its stack, exit 255.

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

int Sdk(const PhoneState& phone)
{
    const std::string sdk = phone.property("ro.build.version.sdk");
    return sdk.empty() || !std::all_of(sdk.begin(), sdk.end(), [](char c) { return c >= '0' && c <= '9'; })
        ? 0
        : std::stoi(sdk);
}

std::string Arg(const std::vector<std::string>& args, std::size_t i) { return i < args.size() ? args[i] : std::string(); }

// Gingerbread's showUsage(), its first lines.
const char* const kOldUsage = "usage: pm [list|path|install|uninstall]\n"
                              "       pm list packages [-f]\n"
                              "       pm uninstall [-k] PACKAGE\n"
                              "       pm enable PACKAGE_OR_COMPONENT\n"
                              "       pm disable PACKAGE_OR_COMPONENT\n";

// An exception that reaches the top of the package manager's command.
ShellResult Uncaught(const PhoneState& phone, const std::string& verb, const std::string& exception)
{
    ShellResult r;
    const int sdk = Sdk(phone);
    if (sdk < 19) // the runtime logs it; nothing reaches the shell
        return r;
    if (sdk < 24) {
        r.err = "Error: " + exception + "\n";
        r.status = 1;
        return r;
    }
    r.err = std::string("\n") + (sdk >= 30 ? "Exception occurred while executing '" + verb + "':\n"
                                           : std::string("Exception occurred while executing:\n"))
        + exception + "\n\tat com.android.server.pm.PackageManagerService.setEnabledSetting(PackageManagerService.java)\n";
    r.status = 255;
    return r;
}

// The package after the verb, past "[--user USER_ID]" where the release takes it
// (one user here: user 0).
std::string PackageArgument(const std::vector<std::string>& args, std::size_t first, const PhoneState& phone)
{
    std::size_t at = first + 1;
    if (Sdk(phone) >= 19 && Arg(args, at) == "--user")
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

ShellResult SetEnabled(const std::vector<std::string>& args, std::size_t first, int state, PhoneState& phone)
{
    const std::string verb = Arg(args, first);
    std::size_t at = first + 1;
    if (Sdk(phone) >= 19 && Arg(args, at) == "--user")
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
        return Uncaught(phone, verb, "java.lang.IllegalArgumentException: Unknown package: " + name);
    package->enabledState = state;
    const std::string line = "Package " + name + " new state: " + StateName(state) + "\n";
    (Sdk(phone) < 19 ? r.err : r.out) = line;
    return r;
}

ShellResult Clear(const std::vector<std::string>& args, std::size_t first, PhoneState& phone)
{
    const std::string name = PackageArgument(args, first, phone);
    ShellResult r;
    if (name.empty())
        return Missing("Error: no package specified\n");
    const bool known = phone.FindPackage(name) != nullptr;
    if (Sdk(phone) < 19) { // 4.0 prints "Failed" twice for an unknown package: once per check
        r.err = known ? "Success\n" : "Failed\nFailed\n";
        return r;
    }
    if (known) {
        r.out = "Success\n";
    } else {
        r.err = "Failed\n";
        r.status = 1;
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
    if (Sdk(phone) < 14) {
        r.err = std::string("Error: Unknown option: ") + (disabledOnly ? "-d" : "-e") + "\n" + kOldUsage;
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

std::optional<ShellResult> PackageStateVerb(const std::vector<std::string>& args, std::size_t first, PhoneState& phone)
{
    const std::string verb = Arg(args, first);
    const int sdk = Sdk(phone);
    if (verb == "list" && (Arg(args, first + 1) == "packages" || Arg(args, first + 1) == "package")) {
        const bool byState = std::any_of(args.begin() + static_cast<std::ptrdiff_t>(first) + 2, args.end(),
                                         [](const std::string& a) { return a == "-d" || a == "-e"; });
        if (!byState)
            return std::nullopt;
        return ListByState(args, first, phone);
    }
    if ((verb == "clear" || verb == "disable-user") && sdk < 14) {
        ShellResult r;
        r.err = "Error: unknown command '" + verb + "'\n" + kOldUsage;
        return r;
    }
    if (verb == "clear")
        return Clear(args, first, phone);
    if (verb == "disable-user")
        return SetEnabled(args, first, kDisabledUser, phone);
    if (verb == "disable")
        return SetEnabled(args, first, kDisabled, phone);
    if (verb == "enable")
        return SetEnabled(args, first, kEnabled, phone);
    return std::nullopt;
}

} // namespace fakephone
