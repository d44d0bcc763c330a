#include "widgets/TextListBox.hpp"

#include "WidgetTestSupport.hpp"

#include <gtest/gtest.h>

using quoddle::TextListBox;

namespace {

struct SplitCase {
    const char* name;
    QString text;
    QStringList items;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class TextListBoxSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(TextListBoxSplit, ReplacesItemsByTheLinesOfTheText)
{
    const auto& c = GetParam();
    TextListBox list;
    list.addItemText("old item");
    list.setText(c.text);
    EXPECT_EQ(c.items, list.items());
}

INSTANTIATE_TEST_SUITE_P(Breaks, TextListBoxSplit, testing::Values(
    SplitCase{"empty", "", {}},
    SplitCase{"one_line", "Modèle : X", {"Modèle : X"}},
    SplitCase{"cr", "a\rb", {"a", "b"}},
    SplitCase{"lf", "a\nb", {"a", "b"}},
    SplitCase{"crlf_is_one_break", "a\r\nb", {"a", "b"}},
    SplitCase{"two_crs_give_an_empty_item", "a\r\rb", {"a", "", "b"}},
    SplitCase{"lf_then_cr_gives_an_empty_item", "a\n\rb", {"a", "", "b"}},
    SplitCase{"crcrlf_gives_text_then_empty", "a\r\r\nb", {"a", "", "b"}},
    SplitCase{"trailing_break_adds_nothing", "a\r\n", {"a"}},
    SplitCase{"leading_break_gives_empty_first_item", "\ra", {"", "a"}},
    SplitCase{"blanks_kept", " a \r ", {" a ", " "}},
    SplitCase{"report_head", "INFORMATION SMARTPHONE : \r\rModèle : ", {"INFORMATION SMARTPHONE : ", "", "Modèle : "}},
    SplitCase{"nul_ends_the_text", QString("a\rb") + QChar(0) + "c", {"a", "b"}}));

TEST(TextListBox, TextGivesEveryItemWithCrLf)
{
    TextListBox list;
    list.setText("a\r\rb");
    EXPECT_EQ(QString("a\r\n\r\nb\r\n"), list.text());
    list.clearItems();
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(QString(), list.text());
}

TEST(TextListBox, SelectsOneItemAtMostAndKeepsTheOrderGiven)
{
    TextListBox list;
    list.setText("zeta\ralpha");
    EXPECT_EQ(QAbstractItemView::SingleSelection, list.selectionMode());
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_EQ(QString("zeta"), list.item(0)->text());
}

TEST(TextListBox, RowsTakeTheItemHeight)
{
    TextListBox list;
    list.resize(289, 249);
    list.setItemHeight(16);
    list.setText("a\rb\rc");
    ASSERT_TRUE(quoddle::test::ShowAndWait(&list));
    EXPECT_EQ(16, list.visualItemRect(list.item(0)).height());
    EXPECT_EQ(32, list.visualItemRect(list.item(2)).top() - list.visualItemRect(list.item(0)).top());
}

} // namespace
