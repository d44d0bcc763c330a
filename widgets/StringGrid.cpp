#include "widgets/StringGrid.hpp"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QSignalBlocker>

#include <QColor>

#include <algorithm>
#include <numeric>

namespace quoddle {

// Header texts and data rows; data row d is the grid's row d + 1. The view
// sees the rows that the filter shows, in order: view row v is data row
// shown_[v] while a filter is set, data row v otherwise.
class StringGridModel : public QAbstractTableModel {
public:
    struct Row {
        QStringList cells;
        bool marked = false;
        bool shown = true;
    };

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(filtered_ ? shown_.size() : rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(header_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const Row& row = rows_[dataRow(index.row())];
        switch (role) {
        case Qt::DisplayRole:
            return row.marked && index.column() == 0 ? row.cells[0] + markText_ : row.cells[index.column()];
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case Qt::ForegroundRole:
            return row.marked ? QVariant(QColor(Qt::gray)) : QVariant();
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= header_.size())
            return {};
        if (role == Qt::DisplayRole)
            return header_[section];
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void setColumns(int count)
    {
        const int old = int(header_.size());
        if (count == old)
            return;
        if (count > old) {
            beginInsertColumns({}, old, count - 1);
            resizeAll(count);
            endInsertColumns();
        } else {
            beginRemoveColumns({}, count, old - 1);
            resizeAll(count);
            endRemoveColumns();
        }
    }

    void setDataRows(int count)
    {
        const int old = int(rows_.size());
        if (filtered_) {
            beginResetModel();
            rows_.resize(count, Row{QStringList(header_.size())});
            refilter();
            endResetModel();
        } else if (count > old) {
            beginInsertRows({}, old, count - 1);
            rows_.resize(count, Row{QStringList(header_.size())});
            endInsertRows();
        } else if (count < old) {
            // A row that goes away takes its texts with it: a row added later starts empty.
            beginRemoveRows({}, count, old - 1);
            rows_.resize(count);
            endRemoveRows();
        }
    }

    void replaceDataRows(std::vector<QStringList> rows)
    {
        beginResetModel();
        rows_.clear();
        rows_.reserve(rows.size());
        for (QStringList& row : rows) {
            row.resize(header_.size());
            rows_.push_back(Row{std::move(row)});
        }
        refilter();
        endResetModel();
    }

    int dataRowCount() const { return int(rows_.size()); }
    int dataRow(int viewRow) const { return filtered_ ? shown_[viewRow] : viewRow; }
    // -1 when the filter hides it.
    int viewRow(int dataRow) const
    {
        if (dataRow < 0 || dataRow >= int(rows_.size()))
            return -1;
        if (!filtered_)
            return dataRow;
        const auto at = std::lower_bound(shown_.begin(), shown_.end(), dataRow);
        return at != shown_.end() && *at == dataRow ? int(at - shown_.begin()) : -1;
    }

    QString cell(int col, int gridRow) const
    {
        if (col < 0 || col >= header_.size() || gridRow < 0 || gridRow > int(rows_.size()))
            return {};
        return gridRow == 0 ? header_[col] : rows_[gridRow - 1].cells[col];
    }

    void setCell(int col, int gridRow, const QString& text)
    {
        if (col < 0 || col >= header_.size() || gridRow < 0 || gridRow > int(rows_.size()))
            return;
        if (gridRow == 0) {
            header_[col] = text;
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            rows_[gridRow - 1].cells[col] = text;
            changed(gridRow - 1, col);
        }
    }

    bool marked(int dataRow) const { return dataRow >= 0 && dataRow < int(rows_.size()) && rows_[dataRow].marked; }
    void setMarked(int dataRow, bool marked)
    {
        if (dataRow < 0 || dataRow >= int(rows_.size()) || rows_[dataRow].marked == marked)
            return;
        rows_[dataRow].marked = marked;
        changed(dataRow, 0);
    }
    void setMarkText(const QString& text) { markText_ = text; }

    // Reorders the data rows; `moved[old]` gives each row's new place.
    std::vector<int> sortBy(int col, Qt::SortOrder order)
    {
        const int n = int(rows_.size());
        std::vector<QString> keys(n);
        for (int i = 0; i < n; ++i)
            keys[i] = rows_[i].cells.value(col).toCaseFolded();
        std::vector<int> byPlace(n);
        std::iota(byPlace.begin(), byPlace.end(), 0);
        if (order == Qt::AscendingOrder)
            std::stable_sort(byPlace.begin(), byPlace.end(), [&](int a, int b) { return keys[a] < keys[b]; });
        else
            std::stable_sort(byPlace.begin(), byPlace.end(), [&](int a, int b) { return keys[b] < keys[a]; });
        std::vector<int> moved(n);
        std::vector<Row> sorted;
        sorted.reserve(n);
        for (int place = 0; place < n; ++place) {
            moved[byPlace[place]] = place;
            sorted.push_back(std::move(rows_[byPlace[place]]));
        }
        beginResetModel();
        rows_ = std::move(sorted);
        refilter();
        endResetModel();
        return moved;
    }

    void setSearchColumns(const QList<int>& columns) { searchColumns_ = columns; }
    bool holds(int dataRow, const QString& text) const
    {
        const QStringList& cells = rows_[dataRow].cells;
        if (searchColumns_.isEmpty())
            return std::any_of(cells.begin(), cells.end(),
                               [&](const QString& c) { return c.contains(text, Qt::CaseInsensitive); });
        return std::any_of(searchColumns_.begin(), searchColumns_.end(),
                           [&](int col) { return cells.value(col).contains(text, Qt::CaseInsensitive); });
    }

    void setFilter(const QString& text)
    {
        beginResetModel();
        filter_ = text;
        refilter();
        endResetModel();
    }
    QString filter() const { return filter_; }
    bool shown(int dataRow) const { return dataRow >= 0 && dataRow < int(rows_.size()) && rows_[dataRow].shown; }

private:
    void changed(int dataRow, int col)
    {
        const int v = viewRow(dataRow);
        if (v >= 0) {
            const QModelIndex at = index(v, col);
            emit dataChanged(at, at, {Qt::DisplayRole});
        }
    }

    // Call between beginResetModel() and endResetModel().
    void refilter()
    {
        filtered_ = !filter_.isEmpty();
        shown_.clear();
        for (int i = 0; i < int(rows_.size()); ++i) {
            rows_[i].shown = !filtered_ || holds(i, filter_);
            if (filtered_ && rows_[i].shown)
                shown_.push_back(i);
        }
    }

    void resizeAll(int columns)
    {
        header_.resize(columns);
        for (Row& row : rows_)
            row.cells.resize(columns);
    }

    QStringList header_;
    std::vector<Row> rows_;
    std::vector<int> shown_;
    bool filtered_ = false;
    QString filter_;
    QList<int> searchColumns_;
    QString markText_;
};

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), model_(new StringGridModel)
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false); // Tab leaves the grid for the next control
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a long text is cut at the cell border
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setCornerButtonEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder); // no order until a click asks for one
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(1);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setDefaultSectionSize(64 + 1);
    // A click on the header flips the indicator (the other way on the same column).
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int col, Qt::SortOrder order) { sortByColumn(col, order); });

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    lastRow_ = model_->dataRow(current.row()) + 1;
                    emit rowChanged(lastRow_);
                }
            });

    setDefaultRowHeight(24);
    setColCount(5);
    setRowCount(5);
}

StringGrid::~StringGrid()
{
    setModel(nullptr);
    delete model_;
}

void StringGrid::setColCount(int count)
{
    const int wanted = row();
    model_->setColumns(std::max(1, count));
    keepSelectedRow(wanted);
}

int StringGrid::colCount() const { return model_->columnCount(); }

void StringGrid::setRowCount(int count)
{
    const int wanted = row();
    model_->setDataRows(std::max(1, count) - 1);
    keepSelectedRow(wanted);
}

int StringGrid::rowCount() const { return model_->dataRowCount() + 1; }

QString StringGrid::cell(int col, int row) const { return model_->cell(col, row); }

void StringGrid::setCell(int col, int row, const QString& text) { model_->setCell(col, row, text); }

void StringGrid::setRows(std::vector<QStringList> rows)
{
    const int wanted = row();
    model_->replaceDataRows(std::move(rows));
    if (sortColumn_ >= 0)
        model_->sortBy(sortColumn_, sortOrder_);
    keepSelectedRow(wanted);
}

int StringGrid::row() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    if (current.isValid())
        return model_->dataRow(current.row()) + 1;
    if (!model_->filter().isEmpty())
        return std::clamp(lastRow_, 1, std::max(1, model_->dataRowCount()));
    return 1;
}

void StringGrid::setRow(int row)
{
    const QModelIndex index = cellIndex(0, row);
    if (row >= 1 && row < rowCount() && index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Keeps `wanted` selected after a change of shape, or the last row when it
// went away, as the Delphi grid keeps its Row.
void StringGrid::keepSelectedRow(int wanted)
{
    const int dataRows = model_->dataRowCount();
    if (dataRows == 0)
        return;
    const int target = std::clamp(wanted, 1, dataRows);
    const QModelIndex index = cellIndex(0, target);
    if (!index.isValid()) {
        restoreSelection({target - 1}, target - 1);
        return;
    }
    if (selectionModel()->currentIndex() != index || !selectionModel()->isRowSelected(index.row()))
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<int> StringGrid::selectedDataRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(model_->dataRow(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> StringGrid::selectedRows() const
{
    QList<int> viewRows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        viewRows.push_back(index.row());
    std::sort(viewRows.begin(), viewRows.end());
    QList<int> rows;
    for (const int v : viewRows)
        rows.push_back(model_->dataRow(v) + 1);
    if (rows.isEmpty() && row() < rowCount() && isRowShown(row()))
        rows.push_back(row());
    return rows;
}

void StringGrid::restoreSelection(const std::vector<int>& dataRows, int currentDataRow)
{
    std::vector<int> viewRows;
    for (const int d : dataRows) {
        const int v = model_->viewRow(d);
        if (v >= 0)
            viewRows.push_back(v);
    }
    std::sort(viewRows.begin(), viewRows.end());
    int current = model_->viewRow(currentDataRow);
    if (current < 0)
        current = viewRows.empty() ? (model_->rowCount() > 0 ? 0 : -1) : viewRows.front();
    if (current < 0)
        return;
    if (viewRows.empty())
        viewRows.push_back(current);
    QItemSelection selection;
    for (std::size_t i = 0; i < viewRows.size();) {
        std::size_t j = i;
        while (j + 1 < viewRows.size() && viewRows[j + 1] == viewRows[j] + 1)
            ++j;
        selection.select(model_->index(viewRows[i], 0), model_->index(viewRows[j], model_->columnCount() - 1));
        i = j + 1;
    }
    selectionModel()->setCurrentIndex(model_->index(current, 0), QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void StringGrid::sortByColumn(int col, Qt::SortOrder order)
{
    {
        const QSignalBlocker quiet(horizontalHeader());
        horizontalHeader()->setSortIndicator(col, order);
    }
    if (col < 0 || col >= colCount()) {
        sortColumn_ = -1;
        return;
    }
    sortColumn_ = col;
    sortOrder_ = order;
    const std::vector<int> selected = selectedDataRows();
    const QModelIndex current = selectionModel()->currentIndex();
    const int currentData = current.isValid() ? model_->dataRow(current.row()) : -1;
    const std::vector<int> moved = model_->sortBy(col, order);
    std::vector<int> nowSelected;
    nowSelected.reserve(selected.size());
    for (const int d : selected)
        nowSelected.push_back(moved[d]);
    if (currentData >= 0 || !nowSelected.empty())
        restoreSelection(nowSelected, currentData >= 0 ? moved[currentData] : nowSelected.front());
}

void StringGrid::setSearchColumns(const QList<int>& columns) { model_->setSearchColumns(columns); }

void StringGrid::setFilter(const QString& text)
{
    if (text == model_->filter())
        return;
    const std::vector<int> selected = selectedDataRows();
    const QModelIndex current = selectionModel()->currentIndex();
    const int currentData = current.isValid() ? model_->dataRow(current.row()) : lastRow_ - 1;
    model_->setFilter(text);
    restoreSelection(selected, currentData);
}

QString StringGrid::filter() const { return model_->filter(); }

bool StringGrid::isRowShown(int row) const { return model_->shown(row - 1); }

int StringGrid::shownRowCount() const { return model_->rowCount(); }

void StringGrid::setRowMarked(int row, bool marked) { model_->setMarked(row - 1, marked); }

bool StringGrid::isRowMarked(int row) const { return model_->marked(row - 1); }

void StringGrid::setMarkText(const QString& text) { model_->setMarkText(text); }

void StringGrid::keyboardSearch(const QString& search)
{
    const QModelIndex current = selectionModel()->currentIndex();
    const int found = typeAhead_.find(search, current.isValid() ? current.row() : -1, model_->rowCount(),
                                      [this](int v, const QString& text) { return model_->holds(model_->dataRow(v), text); });
    if (found < 0)
        return;
    const QModelIndex index = model_->index(found, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void StringGrid::setColWidths(const QList<int>& widths)
{
    for (int col = 0; col < widths.size() && col < colCount(); ++col)
        horizontalHeader()->resizeSection(col, widths[col] + 1);
}

int StringGrid::colWidth(int col) const { return horizontalHeader()->sectionSize(col) - 1; }

void StringGrid::setDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    verticalHeader()->setDefaultSectionSize(height + 1);
    horizontalHeader()->setFixedHeight(height + 1);
}

QModelIndex StringGrid::cellIndex(int col, int row) const
{
    const int v = model_->viewRow(row - 1);
    return v < 0 ? QModelIndex() : model_->index(v, col);
}

QItemSelectionModel::SelectionFlags StringGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // Whole rows only; a click below the rows changes nothing, and Ctrl never
    // takes away the last selected row.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
    if (flags == QItemSelectionModel::NoUpdate)
        return flags;
    if ((flags & (QItemSelectionModel::Toggle | QItemSelectionModel::Deselect)) && !(flags & QItemSelectionModel::Clear)
        && selectionModel()->isRowSelected(index.row()) && selectionModel()->selectedRows().size() == 1)
        return QItemSelectionModel::NoUpdate;
    return flags | QItemSelectionModel::Rows;
}

} // namespace quoddle
