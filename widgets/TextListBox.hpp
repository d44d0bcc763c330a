#pragma once
// A list box whose items can be given as one text: setText() replaces every
// item by the lines of the text, broken at CR, LF or CR LF. Two breaks in a
// row give an empty item between them; a break at the very end adds no empty
// item; a NUL ends the text. text() gives every item followed by CR LF.
// One item can be selected at most; items stay in the order given.

#include <QListWidget>

namespace quoddle {

class TextListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TextListBox(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;
    QStringList items() const;

    void addItemText(const QString& text);
    void clearItems();

    // Every row this many pixels high; 0 lets the style decide.
    void setItemHeight(int height);
    int itemHeight() const { return itemHeight_; }

    // The line rule behind setText().
    static QStringList splitLines(const QString& text);

private:
    int itemHeight_ = 0;
};

} // namespace quoddle
