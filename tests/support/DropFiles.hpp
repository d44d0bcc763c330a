#pragma once
// Drags files over a window and drops them, as a file manager does.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <vector>

namespace quoddle::test {

// false when the window did not take the drag (or the drop).
inline bool DropFiles(QWidget* window, const std::vector<std::string>& paths, bool asWebAddresses = false)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& path : paths)
        urls << (asWebAddresses ? QUrl(QStringLiteral("https://example.org/") + QString::fromStdString(path))
                                : QUrl::fromLocalFile(QString::fromStdString(path)));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

} // namespace quoddle::test
