#include "Release.hpp"

#include <algorithm>
#include <cctype>

namespace fakephone {

namespace {

constexpr ReleaseTools kReleases[] = {
    // 2.2 (froyo): Pm.java with setInstallLocation/getInstallLocation; ITelephony.call(String number).
    {8, false, false, true, false, false, false, "usage: bmgr [backup|restore|list|transport|run]"},
    // 4.0: the install-location verbs are dashed from here on (seen in jb-mr1 and kitkat Pm.java).
    {14, false, false, false, false, false, false, "usage: bmgr [backup|restore|list|transport|run]"},
    // 4.1: am shows tel: URIs with their digits hidden.
    {16, false, false, false, false, false, true, "usage: bmgr [backup|restore|list|transport|run]"},
    // 4.3 (jb-mr2): ITelephony.call(String callingPackage, String number).
    {18, false, false, false, false, true, true, "usage: bmgr [backup|restore|list|transport|run]"},
    // 5.0 (lollipop): pm exits with a status.
    {21, false, false, false, true, true, true, "usage: bmgr [backup|restore|list|transport|run]"},
    // 7.0 (nougat): cmd, and cmd package (PackageManagerShellCommand.java).
    {24, false, true, false, true, true, true, "usage: bmgr [backup|restore|list|transport|run]"},
    // 9 (pie): pm is `cmd package "$@"` (cmds/pm/pm).
    {28, true, true, false, true, true, true, "usage: bmgr [backup|restore|list|transport|run]"},
    // 10: bmgr takes --user (Bmgr.java, android10).
    {29, true, true, false, true, true, true, "usage: bmgr [--user <userId>] [backup|restore|list|transport|run]"},
};

std::string Arg(const std::vector<std::string>& args, std::size_t i)
{
    return i < args.size() ? args[i] : std::string();
}

// The usage texts, abridged to their first lines: nothing reads them but people.
std::string PmUsage(bool cmdPackage)
{
    if (cmdPackage)
        return "Package manager (package) commands:\n  help\n    Print this help text.\n";
    return "usage: pm [list|path|install|uninstall]\n       pm list packages [-f] [-d] [-e] [-s] [-3] [-i] [-u] "
           "[--user USER_ID] [FILTER]\n";
}

std::string BmgrUsage(const PhoneState& phone)
{
    return std::string(ToolsFor(phone.sdk()).bmgrUsage) + "\n       bmgr backup PACKAGE\n       bmgr enable BOOL\n"
        + "       bmgr enabled\n";
}

// Boolean.parseBoolean: "true" in any letter case, anything else is false.
bool ParseBoolean(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text == "true";
}

} // namespace

const ReleaseTools& ToolsFor(int sdk)
{
    const ReleaseTools* found = &kReleases[0];
    for (const ReleaseTools& row : kReleases)
        if (row.firstSdk <= sdk)
            found = &row;
    return *found;
}

std::optional<ShellResult> PmInstallLocation(const std::vector<std::string>& args, std::size_t first,
                                             PhoneState& phone, bool cmdPackage)
{
    // cmd package has only the dashed verbs; Pm.java the ones of its release.
    const bool camelCase = !cmdPackage && ToolsFor(phone.sdk()).pmCamelCaseInstallLocation;
    const std::string verb = Arg(args, first);
    const bool exitStatus = cmdPackage || ToolsFor(phone.sdk()).pmExitStatus;
    ShellResult r;
    if (verb == (camelCase ? "getInstallLocation" : "get-install-location")) {
        // Pm.java and PackageManagerShellCommand runGetInstallLocation: loc + "[" + name + "]".
        static const char* const names[] = {"0[auto]", "1[internal]", "2[external]"};
        r.out = std::string(names[phone.installLocation]) + "\n";
        return r;
    }
    if (verb != (camelCase ? "setInstallLocation" : "set-install-location"))
        return std::nullopt;
    // runSetInstallLocation: Integer.parseInt, then IPackageManager.setInstallLocation,
    // which refuses anything but 0, 1 and 2.
    const std::string n = Arg(args, first + 1);
    if (n.empty()) {
        r.err = "Error: no install location specified.\n" + (cmdPackage ? std::string() : PmUsage(false));
    } else if (n.size() != 1 || n[0] < '0' || n[0] > '2') {
        r.err = "Error: install location has to be a number.\n" + (cmdPackage ? std::string() : PmUsage(false));
    } else {
        phone.installLocation = n[0] - '0';
        return r;
    }
    r.status = exitStatus ? 1 : 0;
    return r;
}

ShellResult PmUnknownCommand(const std::string& verb, const PhoneState& phone, bool cmdPackage)
{
    ShellResult r;
    if (cmdPackage) {
        // core/java/android/os/ShellCommand.java handleDefaultCommands: on
        // standard output, and -1 as the status.
        if (verb.empty())
            r.out = PmUsage(true);
        else
            r.out = "Unknown command: " + verb + "\n";
        r.status = 255;
        return r;
    }
    // Pm.java run(): "Error: unknown command '...'" and the usage, on standard error.
    r.err = (verb.empty() ? std::string() : "Error: unknown command '" + verb + "'\n") + PmUsage(false);
    r.status = ToolsFor(phone.sdk()).pmExitStatus ? 1 : 0;
    return r;
}

ShellResult Bmgr(const std::vector<std::string>& args, PhoneState& phone)
{
    // frameworks/base cmds/bmgr/src/com/android/commands/bmgr/Bmgr.java, the
    // same from 2.2 (froyo) to 14: "enable" needs a BOOL, there is no
    // "disable"; every complaint goes to standard error and bmgr exits 0.
    ShellResult r;
    const std::string verb = Arg(args, 1);
    if (verb == "enabled") {
        r.out = std::string("Backup Manager currently ") + (phone.backupEnabled ? "enabled" : "disabled") + "\n";
    } else if (verb == "enable") {
        if (args.size() < 3) {
            r.err = BmgrUsage(phone);
        } else {
            phone.backupEnabled = ParseBoolean(args[2]);
            r.out = std::string("Backup Manager now ") + (phone.backupEnabled ? "enabled" : "disabled") + "\n";
        }
    } else if (verb.empty()) {
        r.err = BmgrUsage(phone);
    } else {
        r.err = "Unknown command\n" + BmgrUsage(phone);
    }
    return r;
}

ShellResult ServiceCall(const std::vector<std::string>& args, PhoneState& phone)
{
    // frameworks/native cmds/service/service.cpp prints the reply Parcel;
    // a void method that threw nothing replies its exception header, one 0.
    ShellResult r;
    static const std::string kNoException = "Result: Parcel(00000000    '....')\n";
    if (Arg(args, 2) != "phone") {
        r.out = "service: Service " + Arg(args, 2) + " does not exist\n";
        return r;
    }
    std::vector<std::string> strings;
    for (std::size_t i = 4; i + 1 < args.size(); i += 2)
        if (args[i] == "s16")
            strings.push_back(args[i + 1]);
    const std::string code = Arg(args, 3);
    if (code == "1") {
        // dial(String number): shows the dialler with the number; places nothing.
        r.out = kNoException;
        return r;
    }
    if (code == "2") {
        // call(String number) places the call. call(String callingPackage,
        // String number) with one string takes it as the package and reads a
        // null number: createTelUrl(null) gives null and the call returns
        // quietly (the shell uid's app op is allowed: AppOpsService maps it
        // to com.android.shell).
        const bool takesPackage = ToolsFor(phone.sdk()).callTakesPackage;
        const std::size_t numberAt = takesPackage ? 1 : 0;
        if (numberAt < strings.size() && !strings[numberAt].empty())
            phone.callsPlaced.push_back(strings[numberAt]);
        r.out = kNoException;
        return r;
    }
    r.out = kNoException;
    return r;
}

ShellResult Am(const std::vector<std::string>& args, PhoneState& phone)
{
    // cmds/am Am.java runStart (2.2, 4.4), ActivityManagerShellCommand.java
    // runStartActivity (9, 14): "Starting: " and the intent, then the start.
    ShellResult r;
    std::string action, data;
    for (std::size_t i = 2; i + 1 < args.size(); ++i) {
        if (args[i] == "-a")
            action = args[++i];
        else if (args[i] == "-d")
            data = args[++i];
    }
    if (Arg(args, 1) != "start" || action.empty()) {
        r.err = "usage: am [subcommand] [options]\n";
        return r;
    }
    std::string shown = data;
    if (ToolsFor(phone.sdk()).amHidesTelDigits && shown.rfind("tel:", 0) == 0)
        std::transform(shown.begin() + 4, shown.end(), shown.begin() + 4,
                       [](char c) { return c == '-' || c == '@' || c == '.' ? c : 'x'; });
    r.out = "Starting: Intent { act=" + action + (data.empty() ? "" : " dat=" + shown) + " }\n";
    // ACTION_CALL reaches the phone's outgoing-call activity; the shell holds
    // CALL_PHONE (data/etc/platform.xml, later the Shell package's manifest).
    if (action == "android.intent.action.CALL" && data.rfind("tel:", 0) == 0 && data.size() > 4)
        phone.callsPlaced.push_back(data.substr(4));
    return r;
}

} // namespace fakephone
