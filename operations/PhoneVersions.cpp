#include "PhoneVersions.hpp"

#include <QString>


namespace quoddle {

namespace {

// One row per release where a rule changes, oldest first.
//                dial by       clear  disable-user  --user  list -d
//                service call
constexpr ReleaseRules kRules[] = {
    {1, true, false, false, false, false}, // up to 4.2: ITelephony.call(String number)
    {14, true, true, true, false, true},   // 4.0: pm clear, disable-user, list packages -d
    {18, false, true, true, false, true},  // 4.3: ITelephony.call(String callingPackage, String number)
    {19, false, true, true, true, true},   // 4.4: pm disable-user [--user USER_ID]
};

} // namespace

const ReleaseRules& RulesForSdk(int sdk)
{
    const ReleaseRules* found = &kRules[0];
    for (const ReleaseRules& row : kRules)
        if (row.firstSdk <= sdk)
            found = &row;
    return *found;
}

std::optional<int> SdkFromAnswer(const QString& line)
{
    bool ok = false;
    const int sdk = line.trimmed().toInt(&ok);
    if (!ok || sdk < 1 || sdk > 999)
        return std::nullopt;
    return sdk;
}

} // namespace quoddle
