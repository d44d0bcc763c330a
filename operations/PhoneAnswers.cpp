#include "PhoneAnswers.hpp"

#include <algorithm>

namespace quoddle {

namespace {

bool AnyLine(const QStringList& lines, bool (*test)(const QString&))
{
    return std::any_of(lines.begin(), lines.end(), test);
}

} // namespace

bool IsUnknownVerb(const QStringList& lines)
{
    return AnyLine(lines, [](const QString& line) {
        return line.startsWith(QLatin1String("Unknown command: "))
            || line.startsWith(QLatin1String("Error: unknown command '"));
    });
}

bool BackupWriteConfirmed(const QStringList& lines, bool enabled)
{
    const QString wanted = enabled ? QStringLiteral("Backup Manager now enabled")
                                   : QStringLiteral("Backup Manager now disabled");
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.trimmed() == wanted; });
}

bool ServiceCallConfirmed(const QStringList& lines)
{
    static const QString kReply = QStringLiteral("Result: Parcel(");
    const auto reply = std::find_if(lines.begin(), lines.end(),
                                    [](const QString& line) { return line.startsWith(kReply); });
    if (reply == lines.end())
        return false;
    // The first word of the reply is the exception code: on the same line for
    // a short reply, after "0x00000000: " on the next non-empty line for a long one.
    QString words = reply->mid(kReply.size()).trimmed();
    if (words.isEmpty()) {
        const auto next = std::find_if(reply + 1, lines.end(), [](const QString& line) { return !line.trimmed().isEmpty(); });
        if (next == lines.end())
            return false;
        words = next->trimmed();
        if (!words.startsWith(QLatin1String("0x00000000:")))
            return false;
        words = words.mid(11).trimmed();
    }
    return words.startsWith(QLatin1String("00000000"));
}

bool ActivityStartConfirmed(const QStringList& lines)
{
    const bool started = AnyLine(lines, [](const QString& line) { return line.startsWith(QLatin1String("Starting: ")); });
    const bool failed = AnyLine(lines, [](const QString& line) {
        return line.startsWith(QLatin1String("Error")) || line.contains(QLatin1String("Exception"));
    });
    return started && !failed;
}

bool SilentWriteConfirmed(const QStringList& lines)
{
    return AnyLine(lines, [](const QString& line) { return !line.trimmed().isEmpty(); }) == false;
}

} // namespace quoddle
