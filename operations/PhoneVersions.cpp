#include "PhoneVersions.hpp"

#include <QString>


namespace quoddle {

namespace {

// One row per release where a rule changes, oldest first.
constexpr ReleaseRules kRules[] = {
    {1, true},   // up to 4.2: ITelephony.call(String number)
    {18, false}, // 4.3 and later: ITelephony.call(String callingPackage, String number)
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
