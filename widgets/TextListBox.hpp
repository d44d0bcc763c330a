#pragma once
// A list box whose items can be given as one text: setText() replaces every
// item by the lines of the text, broken at CR, LF or CR LF. Two breaks in a
// row give an empty item between them; a break at the very end adds no empty
// item; a NUL ends the text. text() gives every item followed by CR LF.
// One item can be selected at most unless the selection mode says otherwise;
// items stay in the order given until sortByText() reorders them.
//
// For the application lists: a filter hides the items that do not hold its
// text, typing selects the next item that holds what was typed, and a marked
// item shows the mark text after its own, dimmed (text() and items() give
// the items' own texts, hidden ones included).

#include "widgets/TypeAhead.hpp"

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
    // Replaces every item; the filter stays in force.
    void setItems(const QStringList& items);
    void clearItems();

    // Every row this many pixels high; 0 lets the style decide.
    void setItemHeight(int height);
    int itemHeight() const { return itemHeight_; }

    // The line rule behind setText().
    static QStringList splitLines(const QString& text);

    // Reorders the items by their text, ignoring letter case (ties keep their
    // order); selected items stay selected, marks and the filter follow.
    void sortByText(Qt::SortOrder order);
    // Shows only the items that hold `text` (any letter case); empty shows all.
    void setFilter(const QString& text);
    QString filter() const { return filter_; }
    // Selected rows in order; the current row alone when none is selected.
    QList<int> selectedRows() const;

    void setItemMarked(int row, bool marked);
    bool isItemMarked(int row) const;
    void setMarkText(const QString& text) { markText_ = text; }
    const QString& markText() const { return markText_; }

    TypeAhead& typeAhead() { return typeAhead_; }
    void keyboardSearch(const QString& search) override;

private:
    int itemHeight_ = 0;
    QString filter_;
    QString markText_;
    TypeAhead typeAhead_;
};

} // namespace quoddle
