// Sorting, the filter, type-ahead and marks of the application grid and lists.

#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include "WidgetTestSupport.hpp"

#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

using quoddle::StringGrid;
using quoddle::TextListBox;

namespace {

// The grid as the main window uses it: name, package file, package.
class GridFind : public testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(545, 148);
        grid.setColCount(3);
        grid.setRowCount(2);
        grid.setColWidths({144, 199, 194});
        grid.setSearchColumns({0, 2});
        grid.setRows({{"notes", "~~Chess==/com.example.notes-1/base.apk", "com.example.notes"},
                      {"Chess", "com.example.chess-1.apk", "com.example.chess"},
                      {"maps", "com.example.maps-1.apk", "com.example.maps"},
                      {"chat", "com.example.chat-1.apk", "org.talk.chat"}});
        ASSERT_TRUE(quoddle::test::ShowAndWait(&grid));
    }

    QStringList Column(int col) const
    {
        QStringList texts;
        for (int row = 1; row < grid.rowCount(); ++row)
            texts << grid.cell(col, row);
        return texts;
    }
    QStringList ShownNames() const
    {
        QStringList names;
        for (int v = 0; v < grid.model()->rowCount(); ++v)
            names << grid.model()->index(v, 0).data().toString();
        return names;
    }
    void ClickHeader(int col)
    {
        const int x = grid.horizontalHeader()->sectionViewportPosition(col) + 20;
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 10));
    }

    StringGrid grid;
};

TEST_F(GridFind, HeaderClickSortsAgainReversesAndTheSelectedRowsFollow)
{
    grid.setRow(2); // Chess
    ClickHeader(0);
    EXPECT_EQ((QStringList{"chat", "Chess", "maps", "notes"}), Column(0)) << "letter case ignored";
    EXPECT_EQ(QStringLiteral("com.example.chess"), grid.cell(2, grid.row())) << "the same row stays selected";
    ClickHeader(0);
    EXPECT_EQ((QStringList{"notes", "maps", "Chess", "chat"}), Column(0));
    EXPECT_EQ(QStringLiteral("com.example.chess"), grid.cell(2, grid.row()));
    ClickHeader(2);
    EXPECT_EQ((QStringList{"com.example.chess", "com.example.maps", "com.example.notes", "org.talk.chat"}), Column(2));
    EXPECT_EQ(QStringLiteral("com.example.chess"), grid.cell(2, grid.row()));

    // A refresh's new rows come in the chosen order.
    grid.setRows({{"z", "z.apk", "com.z"}, {"a", "a.apk", "com.a"}});
    EXPECT_EQ((QStringList{"com.a", "com.z"}), Column(2));
}

TEST_F(GridFind, FilterShowsMatchingRowsOnlyAndKeepsEveryCell)
{
    grid.setRow(3); // maps
    grid.setFilter(QStringLiteral("CH"));
    EXPECT_EQ((QStringList{"Chess", "chat"}), ShownNames()) << "name or package, any case; not the APK file";
    EXPECT_EQ(5, grid.rowCount()) << "the data keeps every row";
    EXPECT_EQ(QStringLiteral("maps"), grid.cell(0, 3));
    EXPECT_FALSE(grid.isRowShown(3));
    EXPECT_EQ(QStringLiteral("Chess"), grid.cell(0, grid.row())) << "the selection moves to a shown row";

    grid.setFilter(QStringLiteral("talk"));
    EXPECT_EQ(QStringList{"chat"}, ShownNames());
    EXPECT_EQ(QStringLiteral("chat"), grid.cell(0, grid.row()));
    grid.setFilter(QStringLiteral("nothing like it"));
    EXPECT_EQ(QStringList{}, ShownNames());
    EXPECT_EQ(QList<int>{}, grid.selectedRows()) << "no shown row, nothing to act on";
    grid.setFilter(QString());
    EXPECT_EQ((QStringList{"notes", "Chess", "maps", "chat"}), ShownNames());
    EXPECT_EQ(QStringLiteral("chat"), grid.cell(0, grid.row()));
}

TEST_F(GridFind, TypingSelectsTheNextRowHoldingTheTypedText)
{
    grid.setFocus();
    grid.setRow(1);
    QTest::keyClicks(&grid, QStringLiteral("ch"));
    EXPECT_EQ(QStringLiteral("Chess"), grid.cell(0, grid.row()));
    QTest::keyClicks(&grid, QStringLiteral("a"));
    EXPECT_EQ(QStringLiteral("chat"), grid.cell(0, grid.row())) << "the search text grows";
    QTest::keyClicks(&grid, QStringLiteral("tx"));
    EXPECT_EQ(QStringLiteral("chat"), grid.cell(0, grid.row())) << "no match: the selection stays";

    grid.typeAhead().setResetDelay(0); // every character a new search, from the next row on
    QTest::keyClicks(&grid, QStringLiteral("m"));
    EXPECT_EQ(QStringLiteral("notes"), grid.cell(0, grid.row())) << "wraps round; 'com.example.' holds an m";
    QTest::keyClicks(&grid, QStringLiteral("m"));
    EXPECT_EQ(QStringLiteral("Chess"), grid.cell(0, grid.row())) << "the next one";
}

TEST_F(GridFind, MarkedRowShowsTheMarkAfterItsName)
{
    grid.setMarkText(QStringLiteral(" (off)"));
    grid.setRowMarked(2, true);
    EXPECT_TRUE(grid.isRowMarked(2));
    EXPECT_EQ(QStringLiteral("Chess (off)"), grid.cellIndex(0, 2).data().toString());
    EXPECT_EQ(QStringLiteral("Chess"), grid.cell(0, 2)) << "the cell's own text";
    ClickHeader(0);
    EXPECT_TRUE(grid.isRowMarked(2)) << "the mark goes with its row";
    EXPECT_EQ(QStringLiteral("Chess"), grid.cell(0, 2));
}

TEST(ListFind, SortFilterTypeAheadAndMarksFollowTheItems)
{
    TextListBox list;
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.setMarkText(QStringLiteral(" (off)"));
    list.setItems({"Phone.apk=com.android.phone", "browser.apk=com.android.browser", "Clock.apk=com.android.clock"});
    ASSERT_TRUE(quoddle::test::ShowAndWait(&list));
    list.setItemMarked(0, true);
    list.setCurrentRow(0);

    list.sortByText(Qt::AscendingOrder);
    EXPECT_EQ((QStringList{"browser.apk=com.android.browser", "Clock.apk=com.android.clock",
                           "Phone.apk=com.android.phone"}),
              list.items());
    EXPECT_EQ(QList<int>{2}, list.selectedRows()) << "the selection follows its item";
    EXPECT_TRUE(list.isItemMarked(2));
    EXPECT_FALSE(list.isItemMarked(0));
    list.sortByText(Qt::DescendingOrder);
    EXPECT_EQ(QStringLiteral("Phone.apk=com.android.phone"), list.item(0)->text());
    EXPECT_TRUE(list.isItemMarked(0));

    list.setFilter(QStringLiteral("CLOCK"));
    EXPECT_TRUE(list.item(0)->isHidden());
    EXPECT_FALSE(list.item(1)->isHidden());
    EXPECT_EQ(QList<int>{1}, list.selectedRows()) << "the selection moves to a shown item";
    list.setItems({"Clock.apk=com.android.clock", "Dialer.apk=com.android.dialer"});
    EXPECT_TRUE(list.item(1)->isHidden()) << "new items meet the filter in force";
    list.setFilter(QString());
    EXPECT_FALSE(list.item(1)->isHidden());

    list.setFocus();
    list.setCurrentRow(0);
    QTest::keyClicks(&list, QStringLiteral("dial"));
    EXPECT_EQ(1, list.currentRow());
}

} // namespace
