#pragma once
// A single-line edit driven by a Delphi-style edit mask such as
// "999\.999\.999\.999;1;_": the part before the first ';' gives one
// character per position ('9' an optional digit, '0' a required one, '\'
// makes the next character a fixed literal, '!' right-aligns the fields of an
// assigned text), the second field says whether the literals belong to the
// text, the third names the character shown for an empty position.
//
// Qt's own mask language spells these differently and its text() drops empty
// positions, so the mask is translated once and the text is read back from
// the displayed form: every position is kept, an empty one reads as a blank.

#include <QLineEdit>
#include <QVector>

namespace quoddle {

class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget* parent = nullptr);

    void setEditMask(const QString& delphiMask);
    QString editMask() const { return delphiMask_; }
    // The Qt input mask the Delphi mask was translated to.
    static QString toQtInputMask(const QString& delphiMask);

    // Text as the window data stores it: a blank for each empty position. A
    // text whose fields are shorter than the mask's is padded field by field
    // (at the front when the mask holds '!', else at the end), so
    // "192.168.1.6" and "192.168.1  .6  " give the same field.
    void setMaskedText(const QString& text);
    // Always the mask's full width: literals in place, empty positions as blanks.
    QString maskedText() const;

signals:
    // A key was released in the field (for handlers that act on Enter).
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct Position {
        bool literal = false;
        QChar character; // the literal, or the Delphi mask character of an input position
    };
    static bool accepts(QChar maskCharacter, QChar typed);

    QString delphiMask_;
    QVector<Position> positions_;
    bool rightAligned_ = false;
    bool literalsInText_ = true;
    QChar blank_ = u'_';
};

} // namespace quoddle
