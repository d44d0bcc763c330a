#pragma once
// Where the look tests leave pictures for a person to look at.

#include <QDir>
#include <QString>

namespace quoddle::test {

inline QString LookOutputPath(const QString& fileName)
{
    QDir().mkpath(QStringLiteral(QUODDLE_LOOK_OUTPUT_DIR));
    return QStringLiteral(QUODDLE_LOOK_OUTPUT_DIR "/") + fileName;
}

} // namespace quoddle::test
