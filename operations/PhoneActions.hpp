#pragma once
// Reboots, dialling, the temporary folder and the command prompt.

#include <QString>

#include <optional>
#include <string>

namespace quoddle {

// The number to dial from the number field's 14 characters: leading and
// trailing blanks removed; nothing when it holds no digit.
std::optional<QString> DialNumberText(const QString& fieldText);

// "tel:" and the number's digits, the URI that "am start" calls.
std::string TelUri(const QString& number);

} // namespace quoddle
