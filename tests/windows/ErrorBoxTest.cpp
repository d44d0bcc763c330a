// An error leaving a wired handler: the user sees the error box (its text with
// the full-stop rule) and the program goes on. Creation handlers and the text
// rule on its own are covered with the operations.

#include "operations/MainWindowFixture.hpp"
#include "platform/Error.hpp"
#include "windows/AboutWindow.hpp"
#include "windows/HandlerGuard.hpp"

#include <QAction>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quoddle;
using namespace quoddle::test;

namespace {

// The recorder, with a failure that the command prompt and the web page raise.
class FailingServices : public RecordingServices {
public:
    std::function<void()> failure;
    bool OpenCommandInterpreter(const std::string& interpreter, const std::string& folder) override
    {
        if (failure)
            failure();
        return RecordingServices::OpenCommandInterpreter(interpreter, folder);
    }
    void OpenUrl(const QString& url) override
    {
        if (failure)
            failure();
        RecordingServices::OpenUrl(url);
    }
};

struct FailureCase {
    const char* name;
    std::function<void()> raise;
    const char* shown; // nullptr: any text ending in a full stop
};

const FailureCase kFailures[] = {
    {"letter_gets_a_stop", [] { throw Error("Le système ne trouve pas le fichier spécifié"); },
     "Le système ne trouve pas le fichier spécifié."},
    {"stop_stays_single", [] { throw Error("Accès refusé."); }, "Accès refusé."},
    {"bracket_sorts_below", [] { throw Error("Opération impossible (5)"); }, "Opération impossible (5)"},
    {"quote_sorts_below", [] { throw Error("Fichier 'cmd'"); }, "Fichier 'cmd'"},
    {"slash_sorts_above", [] { throw Error("Dossier C:/"); }, "Dossier C:/."},
    {"standard_exception", [] { throw std::out_of_range("Index hors limites"); }, "Index hors limites."},
    {"anything_else", [] { throw 42; }, nullptr},
};

void PrintTo(const FailureCase& failure, std::ostream* os) { *os << failure.name; }

class HandlerFailure : public testing::TestWithParam<FailureCase> {};

INSTANTIATE_TEST_SUITE_P(Raised, HandlerFailure, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

void ExpectOneErrorBox(const FailingServices& services, const char* shown)
{
    ASSERT_EQ(1, services.errors().size()) << services.log.join(QLatin1Char('\n')).toStdString();
    if (shown)
        EXPECT_EQ(QString::fromUtf8(shown), services.errors().front());
    else
        EXPECT_TRUE(services.errors().front().endsWith(QLatin1Char('.')) && services.errors().front().size() > 1);
    EXPECT_TRUE(services.messages().isEmpty());
}

} // namespace

TEST_P(HandlerFailure, MainWindowButtonShowsTheErrorBoxAndTheWindowGoesOn)
{
    TempDir folder("guard");
    FakeAdb adb(folder.path());
    FakeAdb::PlaceAs(folder.path());
    adb.Script(PhoneRules()); // with a phone: the command prompt button is enabled
    FailingServices services;
    services.appDir = folder.dir();
    TFrmMain window;
    window.show();
    services.clear();

    services.failure = GetParam().raise;
    window.bt_cmd->click();
    ExpectOneErrorBox(services, GetParam().shown);

    // The program goes on: the same button works once the cause is gone, and so do the others.
    services.failure = nullptr;
    services.clear();
    window.bt_cmd->click();
    EXPECT_EQ(QStringList{QString::fromStdString("interpreter:" + window.CmdPath + "|" + folder.dir())}, services.log);
    adb.ClearJournal();
    window.Chercherletlphone1->trigger();
    ASSERT_FALSE(adb.Journal().empty());
    EXPECT_EQ((std::vector<std::string>{"devices"}), adb.Journal().front());
    EXPECT_TRUE(services.errors().isEmpty());
    EXPECT_TRUE(window.isVisible());
}

TEST_P(HandlerFailure, AboutLinkShowsTheErrorBoxAndTheWindowStaysOpen)
{
    FailingServices services;
    Tfm_apropos about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    services.failure = GetParam().raise;
    QTest::mouseClick(about.Label1, Qt::LeftButton);
    ExpectOneErrorBox(services, GetParam().shown);
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(about.sLabelFX2, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(MainWindowTest, AdbGoneMidSessionIsToldAndTheNextSearchWorksAgain)
{
    Open({DevicesRule("")});
    std::filesystem::rename(folder.path() / FakeAdb::AdbFileName(), folder.path() / "adb.away");
    services.clear();
    window->Chercherletlphone1->trigger();
    ASSERT_EQ(1, services.errors().size());
    EXPECT_EQ(QString::fromStdString("Impossible d'ouvrir le fichier " + folder.dir() + FakeAdb::AdbFileName() + "."),
              services.errors().front());

    std::filesystem::rename(folder.path() / "adb.away", folder.path() / FakeAdb::AdbFileName());
    Rescript(PhoneRules());
    window->Chercherletlphone1->trigger();
    EXPECT_TRUE(services.errors().isEmpty());
    EXPECT_EQ(QString::fromStdString(kSerial), window->listdevices->currentText());
}

TEST(ErrorBoxLook, ErrorIconOneOkButtonAndTheApplicationsTitle)
{
    SetApplicationTitle(QStringLiteral("Quoddle"));
    struct Seen {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        QList<QAbstractButton*> buttons;
        bool modal = false;
    };
    const auto readBox = [](Seen& seen) {
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = {box->icon(), box->windowTitle(), box->text(), box->buttons(), box->isModal()};
            box->accept();
        });
    };
    Seen error;
    readBox(error);
    ReportHandlerError(Error("Erreur de lecture"));
    EXPECT_EQ(QMessageBox::Critical, error.icon);
    EXPECT_EQ(QStringLiteral("Quoddle"), error.title);
    EXPECT_EQ(QStringLiteral("Erreur de lecture."), error.text);
    ASSERT_EQ(1, error.buttons.size());
    EXPECT_TRUE(error.modal);

    // The information boxes of the operations: the same without the icon.
    Seen information;
    readBox(information);
    services().ShowInformation(QStringLiteral("Installation réussie"));
    EXPECT_EQ(QMessageBox::NoIcon, information.icon);
    EXPECT_EQ(QStringLiteral("Quoddle"), information.title);
    EXPECT_EQ(QStringLiteral("Installation réussie"), information.text);
    EXPECT_EQ(1, information.buttons.size());
    SetApplicationTitle(QString());
}
