#include "widgets/TextListBox.hpp"

#include <QStyledItemDelegate>

namespace quoddle {

namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    explicit FixedHeightDelegate(TextListBox* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (list_->itemHeight() > 0)
            size.setHeight(list_->itemHeight());
        return size;
    }

private:
    const TextListBox* list_;
};

} // namespace

TextListBox::TextListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    // Long lines are shown whole, reachable by scrolling, not cut short.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(new FixedHeightDelegate(this));
}

QStringList TextListBox::splitLines(const QString& text)
{
    QStringList lines;
    QString line;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\0')
            break;
        if (c == u'\r' || c == u'\n') {
            lines.push_back(line);
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        line += c;
    }
    if (!line.isEmpty()) // a break at the very end adds no empty line
        lines.push_back(line);
    return lines;
}

void TextListBox::setText(const QString& text)
{
    clear();
    addItems(splitLines(text));
}

QString TextListBox::text() const
{
    QString result;
    for (int i = 0; i < count(); ++i)
        result += item(i)->text() + QStringLiteral("\r\n");
    return result;
}

QStringList TextListBox::items() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.push_back(item(i)->text());
    return result;
}

void TextListBox::addItemText(const QString& text) { addItem(text); }

void TextListBox::clearItems() { clear(); }

void TextListBox::setItemHeight(int height)
{
    itemHeight_ = height;
    doItemsLayout();
}

} // namespace quoddle
