#pragma once
// What differs between Android releases for the operations, in one table
// looked up by API level (ro.build.version.sdk), and what the session has
// learnt about each phone.

#include <optional>
#include <string>

class QString;

namespace quoddle {

struct ReleaseRules {
    int firstSdk; // the rules hold from this API level until the next row's
    // ITelephony's transaction 2 is call(String number), so "service call
    // phone 2 s16 NUMBER" places the call; from Android 4.3 it is
    // call(String callingPackage, String number) and the number would be
    // taken as a package name, so the call goes through "am start".
    bool dialByServiceCall;
    // The package manager's verbs of the application pages' row actions
    // (cmds/pm Pm.java): "pm clear", "pm disable-user" and "pm list packages
    // -d" arrive with Android 4.0; before it pm knows enable and disable only,
    // and list packages takes -f alone. 4.0's disable-user takes no --user
    // (it would read "--user" as the package); from 4.4 it takes
    // [--user USER_ID], as PackageManagerShellCommand does from Android 7.
    bool clearData;    // pm clear PKG
    bool setEnabled;   // pm disable-user PKG, pm enable PKG
    bool userOption;   // pm disable-user --user 0 PKG
    bool listDisabled; // pm list packages -d
};

// The rules of the release with this API level.
const ReleaseRules& RulesForSdk(int sdk);

// The API level in getprop's answer ("19"); nothing when it is not one.
std::optional<int> SdkFromAnswer(const QString& line);

// What the session has learnt about one phone (by serial).
struct KnownPhone {
    std::optional<int> sdk;             // read once, on first need
    bool dashedInstallLocation = false; // its pm knows get-/set-install-location only
};

} // namespace quoddle
