#pragma once
// A grid of text cells counted the way a Delphi string grid counts them: row
// 0 is the fixed header row (drawn as the column header, so it can never be
// selected or scrolled away) and rowCount() includes it. A click selects one
// whole row; cells cannot be edited; column borders can be dragged in the
// header row.
//
// row() is the selected row as Delphi's Row reads it: 1 when the user has
// chosen none, kept while the row exists, moved to the last row when rows go
// away. With the header alone there is no data row to select; row() then
// still reads 1 and the cells of that missing row read empty, so nothing that
// reads "the selected row" can ever pick up the header texts.

#include <QStringList>
#include <QTableView>

#include <vector>

namespace quoddle {

class StringGridModel;

class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    void setColCount(int count);
    int colCount() const;
    // Rows including the header row; never fewer than 1.
    void setRowCount(int count);
    int rowCount() const;

    // Row 0 is the header row. Cells outside the grid read empty; writes to
    // them are dropped.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Replaces every data row at once: rows[0] becomes row 1, each cut or
    // padded to the column count. The same as setRowCount(1 + rows.size())
    // then setCell for each cell, but one change for the view instead of one
    // per cell, which matters with thousands of rows.
    void setRows(std::vector<QStringList> rows);

    // The selected row, >= 1.
    int row() const;
    // Selects a data row, as a click on it does; other rows are ignored.
    void setRow(int row);

    // Widths and heights without the one-pixel grid line, as Delphi gives them.
    void setColWidths(const QList<int>& widths);
    int colWidth(int col) const;
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return defaultRowHeight_; }

    // The view index of a data row's cell (row >= 1), for tests and painting.
    QModelIndex cellIndex(int col, int row) const;

signals:
    // The selected row changed (by the user or by a change of the row count).
    void rowChanged(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                          const QEvent* event = nullptr) const override;

private:
    void keepSelectedRow(int row);

    StringGridModel* model_;
    int defaultRowHeight_ = 24;
};

} // namespace quoddle
