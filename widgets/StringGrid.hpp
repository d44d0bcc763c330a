#pragma once
// A grid of text cells counted the way a Delphi string grid counts them: row
// 0 is the fixed header row (drawn as the column header, so it can never be
// selected or scrolled away) and rowCount() includes it. A click selects one
// whole row (Ctrl and Shift add rows); cells cannot be edited; column borders
// can be dragged in the header row.
//
// A click on a column header sorts the rows by that column (again: the other
// way); the rows are then in that order for cell() too, and the selected rows
// stay selected, so "the selected row" names the same row as before. A filter
// hides the rows whose search columns do not hold its text, for the view
// only: rowCount() and cell() still count every row. Typing selects the next
// row whose search columns hold what was typed. A marked row shows the mark
// text after its first cell, dimmed.
//
// row() is the selected row as Delphi's Row reads it: 1 when the user has
// chosen none, kept while the row exists, moved to the last row when rows go
// away. With the header alone there is no data row to select; row() then
// still reads 1 and the cells of that missing row read empty, so nothing that
// reads "the selected row" can ever pick up the header texts.

#include "widgets/TypeAhead.hpp"

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

    // The view index of a data row's cell (row >= 1), for tests and painting;
    // invalid for a row the filter hides.
    QModelIndex cellIndex(int col, int row) const;

    // The selected data rows in the order shown; the current row alone when
    // none is selected and it exists; empty with the header alone.
    QList<int> selectedRows() const;

    // Sorts the data rows by a column's text, ignoring letter case; ties keep
    // their order. Later setRows() keep this order. -1 goes back to none
    // (rows stay as they stand).
    void sortByColumn(int col, Qt::SortOrder order);
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // The columns that the filter and type-ahead look in; all when empty.
    void setSearchColumns(const QList<int>& columns);
    // Shows only the rows whose search columns hold `text` (any letter case);
    // empty shows all. Kept over later setRows().
    void setFilter(const QString& text);
    QString filter() const;
    bool isRowShown(int row) const;
    int shownRowCount() const;

    void setRowMarked(int row, bool marked);
    bool isRowMarked(int row) const;
    void setMarkText(const QString& text);

    TypeAhead& typeAhead() { return typeAhead_; }
    void keyboardSearch(const QString& search) override;

signals:
    // The selected row changed (by the user or by a change of the row count).
    void rowChanged(int row);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                          const QEvent* event = nullptr) const override;

private:
    void keepSelectedRow(int row);
    // Selects these data rows (0-based) after the model was reset.
    void restoreSelection(const std::vector<int>& dataRows, int currentDataRow);
    std::vector<int> selectedDataRows() const;

    StringGridModel* model_;
    int defaultRowHeight_ = 24;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    int lastRow_ = 1; // the selected row while the filter hides it
    TypeAhead typeAhead_;
};

} // namespace quoddle
