#include "widgets/SpinEdit.hpp"

#include "WidgetTestSupport.hpp"

#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

using quoddle::SpinEdit;

namespace {

// The port field: 1 to 99999, five characters at most.
struct PortField {
    PortField(int maxLength = 5)
    {
        edit.setRange(1, 99999);
        edit.setMaxLength(maxLength);
        edit.setValue(5555);
    }
    SpinEdit edit;
};

struct TypingCase {
    const char* name;
    QString start;
    QString typed;
    int maxLength;
    int refusals;
    QString shown;        // right after typing
    QString afterLeaving; // after the focus has left
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class SpinEditTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(SpinEditTyping, FiltersKeysAndClampsNumbersOnLeaving)
{
    const auto& c = GetParam();
    PortField field(c.maxLength);
    field.edit.setText(c.start);
    QSignalSpy refused(&field.edit, &SpinEdit::keyRefused);
    QTest::keyClicks(field.edit.lineEdit(), c.typed);
    EXPECT_EQ(c.refusals, refused.count());
    EXPECT_EQ(c.shown, field.edit.text());
    quoddle::test::LoseFocus(field.edit.lineEdit());
    EXPECT_EQ(c.afterLeaving, field.edit.text());
}

INSTANTIATE_TEST_SUITE_P(Port, SpinEditTyping, testing::Values(
    TypingCase{"letter_refused", "5555", "a", 5, 1, "5555", "5555"},
    TypingCase{"blank_and_symbols_refused", "", "1 x%2", 5, 3, "12", "12"},
    TypingCase{"zero_becomes_lower_bound", "", "0", 5, 0, "0", "1"},
    TypingCase{"negative_becomes_lower_bound", "", "-5", 5, 0, "-5", "1"},
    TypingCase{"above_range_becomes_upper_bound", "", "100000", 6, 0, "100000", "99999"},
    TypingCase{"sixth_character_refused", "", "123456", 5, 1, "12345", "12345"},
    TypingCase{"lone_minus_stays", "", "-", 5, 0, "-", "-"},
    TypingCase{"signs_in_the_middle_stay", "", "1+-2", 5, 0, "1+-2", "1+-2"},
    TypingCase{"plus_sign_number_in_range_stays", "", "+7", 5, 0, "+7", "+7"},
    TypingCase{"leading_zeros_in_range_stay", "", "00042", 5, 0, "00042", "00042"},
    TypingCase{"all_zeros_become_lower_bound", "", "00000", 5, 0, "00000", "1"},
    TypingCase{"enter_beeps", "5555", "\r", 5, 1, "5555", "5555"}));

TEST(SpinEdit, AcceptsTheLocaleDecimalSeparatorOnly)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    PortField field;
    field.edit.setText("");
    QSignalSpy refused(&field.edit, &SpinEdit::keyRefused);
    QTest::keyClicks(field.edit.lineEdit(), "1,5.");
    QLocale::setDefault(saved);
    EXPECT_EQ(QString("1,5"), field.edit.text());
    EXPECT_EQ(1, refused.count());
    quoddle::test::LoseFocus(field.edit.lineEdit());
    EXPECT_EQ(QString("1,5"), field.edit.text()) << "no number: left as it stands";
}

struct StepCase {
    const char* name;
    QString start;
    Qt::Key key;
    QString shown;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class SpinEditStepping : public testing::TestWithParam<StepCase> {};

TEST_P(SpinEditStepping, StepsByOneWithinTheRange)
{
    const auto& c = GetParam();
    PortField field;
    field.edit.setText(c.start);
    QTest::keyClick(field.edit.lineEdit(), c.key);
    EXPECT_EQ(c.shown, field.edit.text());
}

INSTANTIATE_TEST_SUITE_P(Keys, SpinEditStepping, testing::Values(
    StepCase{"up", "5555", Qt::Key_Up, "5556"},
    StepCase{"down", "5555", Qt::Key_Down, "5554"},
    StepCase{"up_stops_at_upper_bound", "99999", Qt::Key_Up, "99999"},
    StepCase{"down_stops_at_lower_bound", "1", Qt::Key_Down, "1"},
    StepCase{"no_number_counts_as_lower_bound", "-", Qt::Key_Up, "2"},
    StepCase{"out_of_range_is_clamped", "0", Qt::Key_Down, "1"}));

TEST(SpinEdit, ArrowButtonsStepLikeTheKeys)
{
    PortField field;
    field.edit.resize(65, 22);
    field.edit.upButton()->click();
    field.edit.upButton()->click();
    EXPECT_EQ(QString("5557"), field.edit.text());
    field.edit.downButton()->click();
    EXPECT_EQ(5556, field.edit.value());
}

TEST(SpinEdit, ArrowsSitInsideTheEditOnTheRight)
{
    PortField field;
    field.edit.resize(65, 22);
    ASSERT_TRUE(quoddle::test::ShowAndWait(&field.edit));
    const QRect up = field.edit.upButton()->geometry();
    const QRect down = field.edit.downButton()->geometry();
    EXPECT_TRUE(field.edit.lineEdit()->rect().contains(up.united(down)));
    EXPECT_EQ(up.left(), down.left());
    EXPECT_EQ(up.bottom() + 1, down.top());
    EXPECT_GT(up.left(), 40);
}

} // namespace
