#pragma once
// How the phone's own tools answer, by Android release. The simulated phone
// knows its release from its profile's ro.build.version.sdk; each row below
// names the AOSP sources it was taken from. Tools and answers that are the
// same on every release live in Shell.cpp.

#include "Shell.hpp"

#include <optional>
#include <string>
#include <vector>

namespace fakephone {

struct ReleaseTools {
    int firstSdk; // the row holds from this API level until the next row's
    // pm is Pm.java (frameworks/base cmds/pm/src/com/android/commands/pm/Pm.java)
    // until 8.1; from 9 cmds/pm/pm is the script `cmd package "$@"`, so pm
    // answers as PackageManagerShellCommand.
    bool pmIsCmdPackage;
    // `cmd` (frameworks/native cmds/cmd) exists from 7.0.
    bool hasCmd;
    // Pm.java's install-location verbs: setInstallLocation/getInstallLocation
    // in 2.2 and 2.3 (froyo Pm.java, gingerbread's usage), set-install-location/
    // get-install-location in 4.2 and 4.4 (jb-mr1, kitkat Pm.java) and later;
    // taken to change with 4.0.
    bool pmCamelCaseInstallLocation;
    // Pm.java's run() returns an exit status from 5.0 (lollipop Pm.java:
    // System.exit(exitCode)); before, main() returns and pm exits 0.
    bool pmExitStatus;
    // ITelephony transaction 2 (telephony/java/com/android/internal/telephony/
    // ITelephony.aidl): call(String number) until 4.2; call(String
    // callingPackage, String number) from 4.3, when app ops came
    // (packages/apps/Phone, later packages/services/Telephony,
    // PhoneInterfaceManager.java).
    bool callTakesPackage;
    // am prints the intent it starts; a tel: URI shows its digits as x's
    // (core/java/android/net/Uri.java toSafeString) from 4.1.
    bool amHidesTelDigits;
    // The first line of bmgr's usage (cmds/bmgr Bmgr.java showUsage); the
    // --user option came with 10.
    const char* bmgrUsage;
};

// The row for this API level.
const ReleaseTools& ToolsFor(int sdk);

// pm's install-location verbs (camelCase or dashed, as the release knows
// them); nothing when `verb` is not one the release has.
std::optional<ShellResult> PmInstallLocation(const std::vector<std::string>& args, std::size_t first,
                                             PhoneState& phone, bool cmdPackage);
// What pm (Pm.java) or cmd package says of a verb it does not know.
ShellResult PmUnknownCommand(const std::string& verb, const PhoneState& phone, bool cmdPackage);

ShellResult Bmgr(const std::vector<std::string>& args, PhoneState& phone);
// service call phone CODE [i32 N | s16 TEXT]...
ShellResult ServiceCall(const std::vector<std::string>& args, PhoneState& phone);
// am start -a ACTION -d URI
ShellResult Am(const std::vector<std::string>& args, PhoneState& phone);

} // namespace fakephone
