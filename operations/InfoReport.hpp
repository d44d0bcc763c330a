#pragma once
// The phone information report: two getprop chains and the twelve items built
// from their values.

#include <QString>
#include <QStringList>

#include <array>

namespace quoddle {

// "getprop A && getprop B && ...", without the device part.
extern const char* const kReportFirstArgs;  // " shell getprop ro.product.model && ..." (8 properties)
extern const char* const kReportSecondArgs; // " shell getprop gsm.version.baseband && ..." (4 properties)

// The report as one text whose items are separated by CR: the first run's
// eight values in the order asked, then the second run's four.
QString ReportFirstText(const std::array<QString, 8>& values);
QString ReportSecondText(const std::array<QString, 4>& values);

} // namespace quoddle
