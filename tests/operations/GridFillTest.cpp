// The grid's bulk fill that the application list uses: the same grid as
// setRowCount and a setCell per cell would leave, in one change.

#include "support/RecordingServices.hpp" // readable QStringList in failures
#include "widgets/StringGrid.hpp"

#include <gtest/gtest.h>

using quoddle::StringGrid;

namespace {

QList<QStringList> Cells(const StringGrid& grid)
{
    QList<QStringList> rows;
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.colCount(); ++col)
            cells << grid.cell(col, row);
        rows << cells;
    }
    return rows;
}

TEST(GridFill, ReplacesTheDataRowsAndKeepsTheSelectedRowAsSetRowCountWould)
{
    const struct {
        const char* name;
        int selected;                   // before the fill
        std::vector<QStringList> rows;  // given
        QList<QStringList> expected;    // header included
        int selectedAfter;
    } cases[] = {
        {"cut_and_padded", 2, {{"a", "a.apk", "com.a", "extra"}, {"b"}, {"c", "c.apk"}},
         {{"Nom Prog", "APK", "Nom Composant"}, {"a", "a.apk", "com.a"}, {"b", "", ""}, {"c", "c.apk", ""}}, 2},
        {"selection_moves_to_the_last_row", 3, {{"a", "a.apk", "com.a"}},
         {{"Nom Prog", "APK", "Nom Composant"}, {"a", "a.apk", "com.a"}}, 1},
        {"header_alone", 2, {}, {{"Nom Prog", "APK", "Nom Composant"}}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StringGrid grid;
        grid.setColCount(3);
        grid.setRowCount(4);
        grid.setCell(0, 0, "Nom Prog");
        grid.setCell(1, 0, "APK");
        grid.setCell(2, 0, "Nom Composant");
        grid.setCell(1, 3, "old.apk"); // an old row's text never shows through
        grid.setRow(c.selected);
        grid.setRows(c.rows);
        EXPECT_EQ(c.expected, Cells(grid));
        EXPECT_EQ(c.selectedAfter, grid.row());
    }
}

} // namespace
