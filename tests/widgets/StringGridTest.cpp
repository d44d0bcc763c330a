#include "widgets/StringGrid.hpp"

#include "WidgetTestSupport.hpp"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

using quoddle::StringGrid;

namespace {

// The application grid as the main window creates it.
class StringGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(545, 148);
        grid.setColCount(3);
        grid.setRowCount(2);
        grid.setColWidths({144, 199, 194});
        grid.setDefaultRowHeight(24);
        grid.setCell(0, 0, "Nom Prog");
        grid.setCell(1, 0, "APK");
        grid.setCell(2, 0, "Nom Composant");
    }

    // Appends data rows of "<name>", "<name>.apk", "com.example.<name>".
    void addRows(const QStringList& names)
    {
        for (const QString& name : names) {
            const int last = grid.rowCount();
            grid.setRowCount(last + 1);
            grid.setCell(0, last, name);
            grid.setCell(1, last, name + ".apk");
            grid.setCell(2, last, "com.example." + name);
        }
    }

    QPoint cellCentre(int col, int row) const { return grid.visualRect(grid.cellIndex(col, row)).center(); }

    StringGrid grid;
};

TEST_F(StringGridTest, CountsTheHeaderRowAndShowsItAsTheHeader)
{
    EXPECT_EQ(2, grid.rowCount());
    EXPECT_EQ(3, grid.colCount());
    EXPECT_EQ(1, grid.model()->rowCount()) << "one data row under the header";
    EXPECT_EQ(QString("APK"), grid.cell(1, 0));
    EXPECT_EQ(QString("Nom Composant"), grid.model()->headerData(2, Qt::Horizontal).toString());
    EXPECT_EQ(QString(), grid.cell(0, 1));
    grid.setCell(1, 1, "notes.apk");
    EXPECT_EQ(QString("notes.apk"), grid.cell(1, 1));
    EXPECT_EQ(QString("notes.apk"), grid.model()->index(0, 1).data().toString());
}

TEST_F(StringGridTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites)
{
    grid.setCell(0, 2, "beyond");
    grid.setCell(3, 1, "beyond");
    EXPECT_EQ(QString(), grid.cell(0, 2));
    EXPECT_EQ(QString(), grid.cell(3, 1));
    EXPECT_EQ(QString(), grid.cell(-1, 0));
    grid.setRowCount(3);
    EXPECT_EQ(QString(), grid.cell(0, 2));
}

TEST_F(StringGridTest, RowsThatGoAwayComeBackEmpty)
{
    addRows({"notes", "maps"}); // rows 2 and 3
    grid.setRowCount(3);
    grid.setRowCount(4);
    EXPECT_EQ(QString("notes"), grid.cell(0, 2));
    EXPECT_EQ(QString(), grid.cell(0, 3));
    EXPECT_EQ(QString(), grid.cell(2, 3));
    grid.setRowCount(0);
    EXPECT_EQ(1, grid.rowCount()) << "never fewer than the header row";
}

TEST_F(StringGridTest, SelectedRowFollowsDelphiRow)
{
    EXPECT_EQ(1, grid.row()) << "first data row when nobody chose one";
    addRows({"notes", "maps", "clock"}); // rows 2..4, after the empty row 1
    EXPECT_EQ(1, grid.row());
    grid.setRow(3);
    EXPECT_EQ(3, grid.row());
    grid.setRowCount(grid.rowCount() + 1);
    EXPECT_EQ(3, grid.row()) << "kept while the row exists";
    grid.setRowCount(3);
    EXPECT_EQ(2, grid.row()) << "moved to the last row when it went away";
    grid.setRow(0);
    EXPECT_EQ(2, grid.row()) << "the header row cannot be selected";
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(1)) << "the selected row is shown selected";
}

TEST_F(StringGridTest, HeaderAloneNeverLendsItsTextsToTheSelectedRow)
{
    grid.setRowCount(grid.rowCount() - 1); // a refresh that found no application
    ASSERT_EQ(1, grid.rowCount());
    EXPECT_EQ(1, grid.row());
    EXPECT_EQ(QString(), grid.cell(2, grid.row()));
    EXPECT_EQ(QString(), grid.cell(1, grid.row()));
    EXPECT_EQ(QString("Nom Composant"), grid.cell(2, 0));
    grid.setRowCount(2);
    EXPECT_EQ(1, grid.row());
    EXPECT_EQ(QString(), grid.cell(2, 1));
}

TEST_F(StringGridTest, ClickSelectsOneWholeRowAndCtrlAddsRows)
{
    addRows({"notes", "maps"});
    ASSERT_TRUE(quoddle::test::ShowAndWait(&grid));
    QSignalSpy changed(&grid, &StringGrid::rowChanged);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(1, 3));
    EXPECT_EQ(3, grid.row());
    EXPECT_EQ(3, changed.takeLast().at(0).toInt());
    const QModelIndexList selected = grid.selectionModel()->selectedIndexes();
    EXPECT_EQ(3, selected.size()) << "every cell of the row";
    for (const QModelIndex& index : selected)
        EXPECT_EQ(2, index.row());

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(0, 2));
    EXPECT_EQ(2, grid.row());
    EXPECT_EQ((QList<int>{2, 3}), grid.selectedRows()) << "Ctrl adds a row";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(0, 3));
    EXPECT_EQ(QList<int>{2}, grid.selectedRows()) << "Ctrl takes a row away again";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(0, 2));
    EXPECT_EQ(QList<int>{2}, grid.selectedRows()) << "but never the last one";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(0, 3));
    EXPECT_EQ((QList<int>{2, 3}), grid.selectedRows()) << "Shift takes the rows between";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(0, 2));
    EXPECT_EQ(QList<int>{2}, grid.selectedRows()) << "a plain click selects one row again";

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, grid.viewport()->height() - 3));
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(1)) << "a click below the rows keeps the row";
}

TEST_F(StringGridTest, CellsCannotBeEdited)
{
    addRows({"notes"});
    ASSERT_TRUE(quoddle::test::ShowAndWait(&grid));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(0, 2));
    QTest::keyClicks(grid.viewport(), "x");
    QTest::keyClick(grid.viewport(), Qt::Key_F2);
    EXPECT_TRUE(grid.viewport()->findChildren<QLineEdit*>().isEmpty()) << "no cell editor opened";
    EXPECT_EQ(QString("notes"), grid.cell(0, 2));
    EXPECT_FALSE(grid.model()->flags(grid.cellIndex(0, 2)) & Qt::ItemIsEditable);
}

TEST_F(StringGridTest, ColumnsAreSizedAndResizableRowsAreNot)
{
    EXPECT_EQ(144, grid.colWidth(0));
    EXPECT_EQ(199, grid.colWidth(1));
    EXPECT_EQ(194, grid.colWidth(2));
    EXPECT_EQ(145, grid.columnWidth(0)) << "plus the one-pixel grid line";
    EXPECT_EQ(25, grid.rowHeight(0));
    EXPECT_EQ(25, grid.horizontalHeader()->height()) << "the header row is as high as a data row";
    EXPECT_EQ(QHeaderView::Interactive, grid.horizontalHeader()->sectionResizeMode(0));
    EXPECT_EQ(QHeaderView::Fixed, grid.verticalHeader()->sectionResizeMode(0));
    EXPECT_TRUE(grid.showGrid());
    EXPECT_FALSE(grid.tabKeyNavigation()) << "Tab leaves the grid";
}

} // namespace
