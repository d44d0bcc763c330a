#include "OutputPane.hpp"

namespace quoddle {

OutputPane::OutputPane(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QStringList OutputPane::FromUtf8Lines(const std::vector<std::string>& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines)
        list.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    return list;
}

void OutputPane::setLines(const std::vector<std::string>& lines)
{
    lines_ = FromUtf8Lines(lines);
    documentStale_ = true;
    if (isVisible())
        showEvent(nullptr);
}

QString OutputPane::line(int index) const
{
    if (index < 0 || index >= lines_.size())
        return {};
    return lines_.at(index).left(kMaxLineLength);
}

QStringList OutputPane::lines() const
{
    QStringList read;
    read.reserve(lines_.size());
    for (const QString& line : lines_)
        read.append(line.left(kMaxLineLength));
    return read;
}

QString OutputPane::text() const
{
    QString text;
    for (const auto& line : lines_) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

void OutputPane::showEvent(QShowEvent* event)
{
    if (documentStale_) {
        setPlainText(lines_.join(QLatin1Char('\n')));
        documentStale_ = false;
    }
    if (event)
        QPlainTextEdit::showEvent(event);
}

} // namespace quoddle
