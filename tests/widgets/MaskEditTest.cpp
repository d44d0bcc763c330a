#include "widgets/MaskEdit.hpp"

#include "WidgetTestSupport.hpp"

#include <QSignalSpy>

#include <gtest/gtest.h>

using quoddle::MaskEdit;

namespace {

const QString kIpMask = QStringLiteral("999\\.999\\.999\\.999;1;_");
const QString kNumberMask = QStringLiteral("!99\\-99\\-99\\-99\\-99;1;_");

struct AssignCase {
    const char* name;
    QString mask;
    QString assigned;
    QString readBack;
};

void PrintTo(const AssignCase& c, std::ostream* os) { *os << c.name; }

class MaskEditAssign : public testing::TestWithParam<AssignCase> {};

TEST_P(MaskEditAssign, ReadsBackEveryPositionWithBlanksForEmptyOnes)
{
    const auto& c = GetParam();
    MaskEdit edit;
    edit.setEditMask(c.mask);
    edit.setMaskedText(c.assigned);
    EXPECT_EQ(c.readBack, edit.maskedText());
    EXPECT_EQ(edit.maxLength(), c.readBack.size());
}

INSTANTIATE_TEST_SUITE_P(Masks, MaskEditAssign, testing::Values(
    AssignCase{"ip_creation_text_exactly", kIpMask, "192.168.1  .6  ", "192.168.1  .6  "},
    AssignCase{"ip_short_fields_padded_at_end", kIpMask, "192.168.1.6", "192.168.1  .6  "},
    AssignCase{"ip_empty", kIpMask, "", "   .   .   .   "},
    AssignCase{"ip_letters_become_blanks", kIpMask, "1a2.b", "1 2.   .   .   "},
    AssignCase{"number_creation_text", kNumberMask, "  -  -  -  -  ", "  -  -  -  -  "},
    AssignCase{"number_full", kNumberMask, "06-12-34-56-78", "06-12-34-56-78"},
    AssignCase{"number_digits_without_dashes", kNumberMask, "0612345678", "06-12-34-56-78"},
    AssignCase{"number_bang_pads_fields_at_front", kNumberMask, "6-12", " 6-12-  -  -  "}));

TEST(MaskEdit, ShowsUnderscoreForEmptyPositions)
{
    MaskEdit edit;
    edit.setEditMask(kIpMask);
    edit.setMaskedText("192.168.1  .6  ");
    EXPECT_EQ(QString("192.168.1__.6__"), edit.displayText());
}

struct TypingCase {
    const char* name;
    QString mask;
    QString start;
    int cursor;
    QString keys; // typed characters; '\b' is Backspace, '\x7f' Delete
    QString readBack;
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class MaskEditTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(MaskEditTyping, KeepsLiteralsAndTakesDigitsOnly)
{
    const auto& c = GetParam();
    MaskEdit edit;
    edit.setEditMask(c.mask);
    edit.setMaskedText(c.start);
    edit.setCursorPosition(c.cursor);
    for (QChar key : c.keys) {
        if (key == u'\b')
            QTest::keyClick(&edit, Qt::Key_Backspace);
        else if (key == u'\x7f')
            QTest::keyClick(&edit, Qt::Key_Delete);
        else
            QTest::keyClicks(&edit, QString(key));
    }
    EXPECT_EQ(c.readBack, edit.maskedText());
}

INSTANTIATE_TEST_SUITE_P(Keys, MaskEditTyping, testing::Values(
    TypingCase{"ten_digits_fill_the_number", kNumberMask, "", 0, "0612345678", "06-12-34-56-78"},
    TypingCase{"two_digits_leave_the_rest_blank", kNumberMask, "", 0, "06", "06-  -  -  -  "},
    TypingCase{"letters_and_blanks_refused", kNumberMask, "", 0, "a0 b6x", "06-  -  -  -  "},
    TypingCase{"dash_typed_over_a_dash_is_no_digit", kNumberMask, "", 0, "0-6", "0 -6 -  -  -  "},
    TypingCase{"digit_overwrites", kNumberMask, "06-12-34-56-78", 0, "9", "96-12-34-56-78"},
    TypingCase{"backspace_over_literal_clears_digit_before_it", kNumberMask, "06-12-34-56-78", 3, "\b",
               "0 -12-34-56-78"},
    TypingCase{"backspaces_never_remove_a_dash", kNumberMask, "06-12-34-56-78", 6, "\b\b\b\b\b\b",
               "  -  -34-56-78"},
    // The cursor cannot rest on a literal: it stays before the digit next to it.
    TypingCase{"delete_next_to_a_dash_keeps_it", kNumberMask, "06-12-34-56-78", 2, "\x7f", "0 -12-34-56-78"},
    TypingCase{"ip_dot_jumps_to_next_group", kIpMask, "", 0, "10.0.0.1", "10 .0  .0  .1  "},
    TypingCase{"ip_letters_refused", kIpMask, "", 0, "1x9y2", "192.   .   .   "},
    TypingCase{"ip_typed_over_creation_text", kIpMask, "192.168.1  .6  ", 10, "5", "192.168.1 5.6  "}));

TEST(MaskEdit, SelectAllThenDeleteKeepsLiteralsOnly)
{
    MaskEdit edit;
    edit.setEditMask(kNumberMask);
    edit.setMaskedText("06-12-34-56-78");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(QString("  -  -  -  -  "), edit.maskedText());
}

TEST(MaskEdit, ReportsKeyReleases)
{
    MaskEdit edit;
    edit.setEditMask(kNumberMask);
    QSignalSpy released(&edit, &MaskEdit::keyReleased);
    QTest::keyRelease(&edit, Qt::Key_Return);
    ASSERT_EQ(1, released.count());
    EXPECT_EQ(int(Qt::Key_Return), released.at(0).at(0).toInt());
}

} // namespace
