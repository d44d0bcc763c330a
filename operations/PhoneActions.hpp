#pragma once
// Reboots, dialling, the temporary folder and the command prompt.

#include <QString>

#include <optional>

namespace quoddle {

// The number to dial from the number field's 14 characters: leading and
// trailing blanks removed; nothing when it holds no digit.
std::optional<QString> DialNumberText(const QString& fieldText);

} // namespace quoddle
