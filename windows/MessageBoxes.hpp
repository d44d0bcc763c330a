#pragma once
// The program's modal boxes: centred, one OK button (the default), a title,
// an optional icon. A short text stands in a message box as the platform
// draws it. A long one, such as the whole output of a command that printed
// 100,000 lines, goes into a scrolling read-only text area of bounded size
// inside the box, where it can be selected and copied: the box always fits
// the screen and its button stays in reach. Building either costs time
// linear in the text.

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <memory>

class QPlainTextEdit;

namespace quoddle {

// Whether `text` is too long for a plain message box: more lines, more
// characters, or a longer unbroken word than one can show on screen.
bool IsLongMessage(const QString& text);

// The box for a long text; text() gives it back as it was handed in.
class LongMessageBox : public QDialog {
    Q_OBJECT
public:
    LongMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    QPlainTextEdit* textArea() const { return textArea_; }
    QPushButton* okButton() const { return okButton_; }

private:
    QString text_;
    QPlainTextEdit* textArea_;
    QPushButton* okButton_;
};

// A QMessageBox for a short text, a LongMessageBox for a long one.
std::unique_ptr<QDialog> BuildMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                         QWidget* parent = nullptr);

} // namespace quoddle
