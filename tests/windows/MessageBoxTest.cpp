// The message boxes that show a command's output, through the real services:
// however long the text, the box fits the screen, its OK button is on screen
// and reachable from the keyboard, and the whole text is there to select and copy.

#include "support/RecordingServices.hpp" // PrintTo for QString
#include "windows/MessageBoxes.hpp"
#include "windows/Services.hpp"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace quoddle;

namespace {

QString ManyLines(int count)
{
    QString text = QStringLiteral("Résultat de la commande : \r");
    text.reserve(count * 50);
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("rm: /data/local/tmp/f%1: Permission denied\r\n").arg(i, 6, 10, QLatin1Char('0'));
    return text;
}

// The text as the text area holds it: every line break one paragraph.
QString AsParagraphs(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Runs `look` on the modal box that `show` opens, then closes it as `close` does.
void WithModalBox(const std::function<void()>& show, const std::function<void(QDialog&)>& look)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        look(*box);
        if (box->isVisible()) // the look did not close it: the test has failed already
            box->reject();
    });
    show();
    EXPECT_TRUE(seen) << "no modal box came up";
}

struct LongCase {
    const char* name;
    QString text;
    bool error;
};

void PrintTo(const LongCase& c, std::ostream* os) { *os << c.name; }

class LongOutput : public testing::TestWithParam<LongCase> {};

INSTANTIATE_TEST_SUITE_P(
    Boxes, LongOutput,
    testing::Values(LongCase{"hundred_thousand_lines", ManyLines(100000), false},
                    LongCase{"one_endless_line", QStringLiteral("ECHEC : ") + QString(200000, QLatin1Char('x')), false},
                    LongCase{"long_error", QStringLiteral("Erreur\n").repeated(40), true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(LongOutput, FitsTheScreenWithItsButtonInReachAndTheWholeText)
{
    const LongCase& c = GetParam();
    SetApplicationTitle(QStringLiteral("Quoddle"));
    WithModalBox([&] { c.error ? services().ShowError(c.text) : services().ShowInformation(c.text); },
                 [&](QDialog& dialog) {
        auto* box = qobject_cast<LongMessageBox*>(&dialog);
        ASSERT_NE(nullptr, box) << "a long text needs the scrolling box";
        EXPECT_EQ(QStringLiteral("Quoddle"), box->windowTitle());
        EXPECT_EQ(c.text, box->text());
        EXPECT_EQ(AsParagraphs(c.text), box->textArea()->toPlainText());
        EXPECT_TRUE(box->textArea()->isReadOnly());
        EXPECT_TRUE(box->textArea()->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));

        const QRect screen = box->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(box->frameGeometry())) << "box " << box->frameGeometry().height() << " px tall";
        QPushButton* ok = box->okButton();
        const QRect okOnScreen(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        EXPECT_TRUE(box->geometry().contains(okOnScreen));
        EXPECT_TRUE(screen.contains(okOnScreen));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_TRUE(box->textArea()->verticalScrollBar()->isVisible()
                    || box->textArea()->horizontalScrollBar()->isVisible());

        // From the keyboard: the text area is a Tab away, Enter there closes the box.
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        EXPECT_TRUE(ok->hasFocus());
        QTest::keyClick(ok, Qt::Key_Tab);
        EXPECT_TRUE(box->textArea()->hasFocus());
        QTest::keyClick(box->textArea(), Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(AsParagraphs(c.text).size(), box->textArea()->textCursor().selectedText().size());
        QTest::keyClick(box->textArea(), Qt::Key_Return);
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(QDialog::Accepted, box->result());
    });
    SetApplicationTitle(QString());
}

TEST(MessageBoxes, AShortTextStaysAPlainMessageBoxThatFitsTheScreen)
{
    const QString lines = QStringLiteral("Résultat de la commande : \r");
    const struct {
        QString text;
        bool isLong;
    } cases[] = {
        {QStringLiteral("Application installé avec succès !"), false},
        {lines + QStringLiteral("rm: /data/local/tmp/f000001: Permission denied\r\n").repeated(24), false},
        {lines + QStringLiteral("rm: f: Permission denied\r\n").repeated(25), true},
        {QStringLiteral("ECHEC : ") + QString(100, QLatin1Char('x')), false},
        {QStringLiteral("ECHEC : ") + QString(101, QLatin1Char('x')), true}, // a word too wide to wrap
        {(QStringLiteral("Failure [INSTALL_FAILED_INVALID_APK] ") + QString(60, QLatin1Char('y')) + QLatin1Char(' '))
             .repeated(20), false},
        {QString(2001, QLatin1Char(' ')), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(40).toStdString());
        EXPECT_EQ(c.isLong, IsLongMessage(c.text));
        const auto box = BuildMessageBox(QMessageBox::NoIcon, QStringLiteral("Quoddle"), c.text);
        if (c.isLong)
            continue;
        auto* plain = qobject_cast<QMessageBox*>(box.get());
        ASSERT_NE(nullptr, plain);
        EXPECT_EQ(c.text, plain->text());
        plain->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(plain));
        EXPECT_TRUE(plain->screen()->availableGeometry().contains(plain->frameGeometry()))
            << plain->frameGeometry().width() << " × " << plain->frameGeometry().height();
    }
}
