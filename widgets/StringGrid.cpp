#include "widgets/StringGrid.hpp"

#include <QAbstractTableModel>
#include <QHeaderView>

#include <algorithm>

namespace quoddle {

// Header texts and data rows; data row d is the grid's row d + 1.
class StringGridModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(header_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return rows_[index.row()][index.column()];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return {};
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
        if (count > old) {
            beginInsertRows({}, old, count - 1);
            rows_.resize(count, QStringList(header_.size()));
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
        for (QStringList& row : rows)
            row.resize(header_.size());
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }

    QString cell(int col, int gridRow) const
    {
        if (col < 0 || col >= header_.size() || gridRow < 0 || gridRow > int(rows_.size()))
            return {};
        return gridRow == 0 ? header_[col] : rows_[gridRow - 1][col];
    }

    void setCell(int col, int gridRow, const QString& text)
    {
        if (col < 0 || col >= header_.size() || gridRow < 0 || gridRow > int(rows_.size()))
            return;
        if (gridRow == 0) {
            header_[col] = text;
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            rows_[gridRow - 1][col] = text;
            const QModelIndex changed = index(gridRow - 1, col);
            emit dataChanged(changed, changed, {Qt::DisplayRole});
        }
    }

private:
    void resizeAll(int columns)
    {
        header_.resize(columns);
        for (QStringList& row : rows_)
            row.resize(columns);
    }

    QStringList header_;
    std::vector<QStringList> rows_;
};

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), model_(new StringGridModel)
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
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
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(1);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setDefaultSectionSize(64 + 1);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emit rowChanged(current.row() + 1);
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

int StringGrid::rowCount() const { return model_->rowCount() + 1; }

QString StringGrid::cell(int col, int row) const { return model_->cell(col, row); }

void StringGrid::setCell(int col, int row, const QString& text) { model_->setCell(col, row, text); }

void StringGrid::setRows(std::vector<QStringList> rows)
{
    const int wanted = row();
    model_->replaceDataRows(std::move(rows));
    keepSelectedRow(wanted);
}

int StringGrid::row() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void StringGrid::setRow(int row)
{
    if (row >= 1 && row < rowCount())
        selectionModel()->setCurrentIndex(cellIndex(0, row),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Keeps `wanted` selected after a change of shape, or the last row when it
// went away, as the Delphi grid keeps its Row.
void StringGrid::keepSelectedRow(int wanted)
{
    const int dataRows = model_->rowCount();
    if (dataRows == 0)
        return;
    const int target = std::clamp(wanted, 1, dataRows);
    const QModelIndex index = cellIndex(0, target);
    if (selectionModel()->currentIndex() != index || !selectionModel()->isRowSelected(target - 1))
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
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

QModelIndex StringGrid::cellIndex(int col, int row) const { return model_->index(row - 1, col); }

QItemSelectionModel::SelectionFlags StringGrid::selectionCommand(const QModelIndex& index, const QEvent*) const
{
    // One whole row is always selected: no toggling, no clearing, no ranges.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

} // namespace quoddle
