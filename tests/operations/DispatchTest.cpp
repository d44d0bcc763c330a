#include "MainWindowFixture.hpp"

#include "operations/Texts.hpp"
#include "widgets/StringGrid.hpp"

#include "windows/HandlerGuard.hpp"
#include "windows/Waiting.hpp"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace quoddle;
using namespace quoddle::test;

struct CaptionCase {
    const char* name;
    std::string out, err;
    int status;
    const char* caption;
};

class CaptionByOutcome : public MainWindowTest, public testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionByOutcome, TellsTheRunAsItWent)
{
    const auto& c = GetParam();
    Open({DevicesRule("")});
    adb.Script({FakeAdbRule::Args("-s X reboot").Out(c.out).Err(c.err).Status(c.status)});
    window->AdbArgs = "-s X reboot";
    window->RunCommand(window->AdbPath, window->AppDir());
    EXPECT_EQ(QString::fromUtf8(c.caption), Caption());
}

INSTANTIATE_TEST_SUITE_P(Runs, CaptionByOutcome, testing::Values(
    CaptionCase{"printed_and_succeeded", "ok\n", "", 0, texts::kCaptionSuccess},
    CaptionCase{"silent_success", "", "", 0, texts::kCaptionSuccess},
    CaptionCase{"stderr_only_but_succeeded", "", "* daemon started successfully\n", 0, texts::kCaptionSuccess},
    CaptionCase{"failed_with_error", "", "error: device 'X' not found\n", 1, texts::kCaptionBadCommand},
    CaptionCase{"failed_printing_on_stdout", "Performing Streamed Install\n", "adb: failed to install\n", 1,
                texts::kCaptionBadCommand},
    CaptionCase{"failed_silently", "", "", 1, texts::kCaptionRunError}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, RunCommandFillsThePaneAndANonExecutableKeepsIt)
{
    Open({DevicesRule("")});
    adb.Script({FakeAdbRule::Args("shell x").Out("word\r\r\nnext\r\r\n")});
    window->AdbArgs = "shell x";
    window->RunCommand(window->AdbPath, window->AppDir());
    ASSERT_EQ(4, window->Memo->lineCount());
    EXPECT_EQ(QStringLiteral("word\r\n\r\nnext\r\n\r\n"), window->Memo->text());
    EXPECT_EQ(QStringLiteral("next"), window->ShellLine(1));
    const QString caption = Caption();

    // adb replaced by a data file: nothing runs, caption and pane stay.
    std::filesystem::remove(folder.path() / FakeAdb::AdbFileName());
    folder.write(FakeAdb::AdbFileName(), std::string(80, 'x'));
    window->setWindowTitle(QStringLiteral("before"));
    window->RunCommand(window->AdbPath, window->AppDir());
    EXPECT_EQ(QStringLiteral("before"), Caption());
    EXPECT_EQ(4, window->Memo->lineCount());
}

TEST(OutputPane, ReadingRules)
{
    OutputPane pane;
    EXPECT_EQ(0, pane.lineCount());
    EXPECT_EQ(QString(), pane.line(-2));
    pane.setLines({"a", std::string(5000, 'x'), ""});
    EXPECT_EQ(3, pane.lineCount());
    EXPECT_EQ(4096, pane.line(1).size());
    EXPECT_EQ(QString(), pane.line(3));
    EXPECT_EQ(QString(), pane.line(-1));
    EXPECT_EQ(QStringLiteral("a"), pane.line(0));
}

TEST_F(MainWindowTest, MissingAdbFailsCreationWithTheMessageAndNoHeader)
{
    std::filesystem::remove(folder.path() / FakeAdb::AdbFileName());
    Open({});
    ASSERT_EQ(1, services.errors().size());
    EXPECT_EQ(QString::fromStdString("Impossible d'ouvrir le fichier " + folder.dir() + FakeAdb::AdbFileName() + "."),
              services.errors().front());
    EXPECT_EQ(QString(), window->StringGrid1->cell(0, 0));
    EXPECT_EQ(QStringLiteral("Quoddle"), Caption());
}

TEST_F(MainWindowTest, CreationWritesTheGridHeader)
{
    Open({DevicesRule("")});
    EXPECT_EQ(QStringLiteral("Nom Prog"), window->StringGrid1->cell(0, 0));
    EXPECT_EQ(QStringLiteral("APK"), window->StringGrid1->cell(1, 0));
    EXPECT_EQ(QStringLiteral("Nom Composant"), window->StringGrid1->cell(2, 0));
}

TEST_F(MainWindowTest, RawCommandEntry)
{
    Open(PhoneRules() + std::vector{FakeAdbRule::Default()});
    Rescript({FakeAdbRule::Default().Out("ok\n")});
    window->txtParams->setText(QStringLiteral("shell ls"));
    window->BtnSendClick();
    EXPECT_EQ(QStringList{QString::fromStdString("-s " + kSerial + " shell ls")}, services.messages());
    window->txtParamsKeyUp(65);
    window->txtParamsKeyUp(13);
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "shell", "ls"}, {"-s", kSerial, "shell", "ls"}}), Sent());

    window->CurrentDevice.clear();
    Rescript({FakeAdbRule::Default()});
    window->BtnSendClick();
    EXPECT_EQ(QStringList{QStringLiteral("aucun appareil selectionné")}, services.messages());
    EXPECT_TRUE(Sent().empty());
}

TEST(ErrorBox, AppendsAFullStopAfterCharactersAboveIt)
{
    EXPECT_EQ(QStringLiteral("Erreur de lecture du flux."), ErrorBoxText(QStringLiteral("Erreur de lecture du flux")));
    EXPECT_EQ(QStringLiteral("Fin."), ErrorBoxText(QStringLiteral("Fin.")));
    EXPECT_EQ(QStringLiteral("Quoi !"), ErrorBoxText(QStringLiteral("Quoi !")));
    EXPECT_EQ(QStringLiteral("(x)"), ErrorBoxText(QStringLiteral("(x)")));
    EXPECT_EQ(QStringLiteral("a/."), ErrorBoxText(QStringLiteral("a/")));
    EXPECT_EQ(QString(), ErrorBoxText(QString()));
}

TEST_F(MainWindowTest, InputDuringARunIsHandledAfterItInOrder)
{
    Open(PhoneRules());
    window->show();
    ASSERT_TRUE(window->windowHandle());
    Rescript({FakeAdbRule::Args("-s " + kSerial + " reboot").DelayMs(300),
              FakeAdbRule::Args("-s " + kSerial + " reboot-bootloader"),
              FakeAdbRule::Args("-s " + kSerial + " reboot recovery")});
    // Two clicks from the window system while the first run is under way:
    // the window keeps painting, and the clicks are handled after the run, in order.
    const auto click = [this](QWidget* button) {
        QWindow* handle = window->windowHandle();
        const QPointF at = button->mapTo(window.get(), QPointF(10, 10));
        const QPointF global = window->mapToGlobal(at);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, at, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, at, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    };
    bool timerRanDuringRun = false;
    QTimer::singleShot(100, window.get(), [&] {
        timerRanDuringRun = true;
        click(window->btrebootloader);
        click(window->bt_rebootrecovery);
    });
    window->bt_rebootClick();
    EXPECT_TRUE(timerRanDuringRun);
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "reboot"}}), Sent());
    for (int i = 0; i < 10 && Sent().size() < 3; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "reboot"}, {"-s", kSerial, "reboot-bootloader"},
                              {"-s", kSerial, "reboot", "recovery"}}),
              Sent());
}

TEST_F(MainWindowTest, TheWaitCursorShowsWhileARunOrAWaitIsUnderWay)
{
    Open({DevicesRule("")});
    adb.Script({FakeAdbRule::Args("-s X reboot").DelayMs(300)});
    std::optional<Qt::CursorShape> during;
    const auto look = [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        during = cursor ? cursor->shape() : Qt::ArrowCursor;
    };
    QTimer::singleShot(100, window.get(), look);
    window->AdbArgs = "-s X reboot";
    window->RunCommand(window->AdbPath, window->AppDir());
    EXPECT_EQ(std::optional(Qt::WaitCursor), during);
    EXPECT_EQ(nullptr, QApplication::overrideCursor());

    during.reset();
    QTimer::singleShot(50, window.get(), look);
    WaitPainting(300);
    EXPECT_EQ(std::optional(Qt::WaitCursor), during);
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}
