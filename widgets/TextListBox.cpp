#include "widgets/TextListBox.hpp"

#include <QStyledItemDelegate>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace quoddle {

namespace {

constexpr int kMarkedRole = Qt::UserRole + 1;

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

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(kMarkedRole).toBool()) {
            option->text += list_->markText();
            option->palette.setColor(QPalette::Text, Qt::gray);
        }
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

void TextListBox::setText(const QString& text) { setItems(splitLines(text)); }

void TextListBox::setItems(const QStringList& items)
{
    clear();
    addItems(items);
    if (!filter_.isEmpty())
        setFilter(std::exchange(filter_, QString()));
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

void TextListBox::addItemText(const QString& text)
{
    addItem(text);
    if (!filter_.isEmpty())
        item(count() - 1)->setHidden(!text.contains(filter_, Qt::CaseInsensitive));
}

void TextListBox::clearItems() { clear(); }

void TextListBox::setItemHeight(int height)
{
    itemHeight_ = height;
    doItemsLayout();
}

void TextListBox::sortByText(Qt::SortOrder order)
{
    struct Entry {
        QString text;
        QString key;
        bool marked;
        bool selected;
    };
    const int n = count();
    std::vector<Entry> entries;
    entries.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QListWidgetItem* it = item(i);
        entries.push_back({it->text(), it->text().toCaseFolded(), it->data(kMarkedRole).toBool(), it->isSelected()});
    }
    const int current = currentRow();
    std::vector<int> byPlace(n);
    std::iota(byPlace.begin(), byPlace.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(byPlace.begin(), byPlace.end(), [&](int a, int b) { return entries[a].key < entries[b].key; });
    else
        std::stable_sort(byPlace.begin(), byPlace.end(), [&](int a, int b) { return entries[b].key < entries[a].key; });

    // The items are rewritten in place with the model quiet: one signal per
    // item would cost more than the sort itself.
    setUpdatesEnabled(false);
    model()->blockSignals(true);
    int newCurrent = -1;
    for (int place = 0; place < n; ++place) {
        const Entry& e = entries[byPlace[place]];
        QListWidgetItem* it = item(place);
        if (byPlace[place] == place)
            continue;
        it->setText(e.text);
        if (e.marked != entries[place].marked)
            it->setData(kMarkedRole, e.marked ? QVariant(true) : QVariant());
        if (const bool hide = !filter_.isEmpty() && !e.text.contains(filter_, Qt::CaseInsensitive); hide != it->isHidden())
            it->setHidden(hide);
    }
    for (int place = 0; place < n; ++place)
        if (byPlace[place] == current)
            newCurrent = place;
    model()->blockSignals(false);
    setUpdatesEnabled(true);
    QItemSelection selection;
    for (int place = 0; place < n; ++place) {
        if (entries[byPlace[place]].selected)
            selection.select(model()->index(place, 0), model()->index(place, 0));
    }
    if (newCurrent >= 0)
        selectionModel()->setCurrentIndex(model()->index(newCurrent, 0), QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    // The same texts in another order: the layout's extent stays, only the
    // rows' contents change.
    viewport()->update();
}

void TextListBox::setFilter(const QString& text)
{
    if (text == filter_)
        return;
    filter_ = text;
    setUpdatesEnabled(false);
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* it = item(i);
        const bool hide = !text.isEmpty() && !it->text().contains(text, Qt::CaseInsensitive);
        if (it->isHidden() != hide)
            it->setHidden(hide);
    }
    // The selection moves to a shown item when the filter hid it.
    if (QListWidgetItem* current = currentItem(); current && current->isHidden()) {
        for (int i = 0; i < count(); ++i) {
            if (!item(i)->isHidden()) {
                setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
                break;
            }
        }
    }
    setUpdatesEnabled(true);
}

QList<int> TextListBox::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (!item(index.row())->isHidden())
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && currentRow() >= 0 && !item(currentRow())->isHidden())
        rows.push_back(currentRow());
    return rows;
}

void TextListBox::setItemMarked(int row, bool marked)
{
    if (QListWidgetItem* it = item(row))
        it->setData(kMarkedRole, marked ? QVariant(true) : QVariant());
}

bool TextListBox::isItemMarked(int row) const
{
    const QListWidgetItem* it = item(row);
    return it && it->data(kMarkedRole).toBool();
}

void TextListBox::keyboardSearch(const QString& search)
{
    const int found = typeAhead_.find(search, currentRow(), count(), [this](int row, const QString& text) {
        const QListWidgetItem* it = item(row);
        return !it->isHidden() && it->text().contains(text, Qt::CaseInsensitive);
    });
    if (found < 0)
        return;
    setCurrentRow(found, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(found));
}

} // namespace quoddle
