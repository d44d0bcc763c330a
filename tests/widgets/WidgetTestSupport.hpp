#pragma once
// Small helpers shared by the widget tests.

#include <QApplication>
#include <QFocusEvent>
#include <QString>
#include <QTest>
#include <QWidget>

#include <ostream>

QT_BEGIN_NAMESPACE
// Failing expectations print texts readably, blanks made visible by quotes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quoddle::test {

// Tells a widget that the focus left it, without depending on a window
// manager to move the focus.
inline void LoseFocus(QWidget* widget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

// Shows a top-level widget and waits until it can take input.
inline bool ShowAndWait(QWidget* widget)
{
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}

} // namespace quoddle::test
