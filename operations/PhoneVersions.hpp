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
