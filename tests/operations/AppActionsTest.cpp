// The row actions of the application pages against the scripted adb: their
// argument texts, how the phone's answers read, what the menu offers by
// Android version, the question before anything is sent, and the one report.

#include "MainWindowFixture.hpp"

#include "operations/AppActions.hpp"
#include "operations/PhoneVersions.hpp"
#include "operations/Texts.hpp"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

namespace quoddle::test {
namespace {

TEST(RowActionTexts, ByActionAndRelease)
{
    const struct {
        RowAction action;
        int sdk;
        const char* text;
    } cases[] = {
        {RowAction::Remove, 34, " shell pm uninstall com.example.notes"},
        {RowAction::RemoveKeepData, 34, " shell pm uninstall -k com.example.notes"},
        {RowAction::ClearData, 34, " shell pm clear com.example.notes"},
        {RowAction::Disable, 34, " shell pm disable-user --user 0 com.example.notes"},
        {RowAction::Disable, 19, " shell pm disable-user --user 0 com.example.notes"},
        {RowAction::Disable, 15, " shell pm disable-user com.example.notes"}, // 4.0's pm reads --user as a package
        {RowAction::Enable, 34, " shell pm enable com.example.notes"},
        {RowAction::Enable, 15, " shell pm enable com.example.notes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sdk);
        EXPECT_EQ(std::string(c.text), RowActionArgs(c.action, "com.example.notes", RulesForSdk(c.sdk)));
    }
}

TEST(RowActionTexts, VerbsByRelease)
{
    const struct {
        int sdk;
        bool clear, setEnabled, user, listDisabled;
    } cases[] = {
        {0, false, false, false, false},  // not known yet: the oldest release's
        {8, false, false, false, false},  // 2.2
        {10, false, false, false, false}, // 2.3
        {14, true, true, false, true},    // 4.0
        {18, true, true, false, true},
        {19, true, true, true, true},     // 4.4
        {34, true, true, true, true},     // 14
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sdk);
        const ReleaseRules& verbs = RulesForSdk(c.sdk);
        EXPECT_EQ(c.clear, verbs.clearData);
        EXPECT_EQ(c.setEnabled, verbs.setEnabled);
        EXPECT_EQ(c.user, verbs.userOption);
        EXPECT_EQ(c.listDisabled, verbs.listDisabled);
    }
}

TEST(RowActionTexts, OnlyTheSuccessLineOfThatPackageWithExitZeroIsSuccess)
{
    const QString p = QStringLiteral("com.example.notes");
    const struct {
        RowAction action;
        int status;
        QStringList lines;
        bool success;
    } cases[] = {
        {RowAction::Disable, 0, {"Package com.example.notes new state: disabled-user"}, true},
        {RowAction::Disable, 0, {"Package com.example.other new state: disabled-user"}, false},
        {RowAction::Disable, 0, {"Package com.example.notes new state: enabled"}, false},
        // Refusals that exit 0 (no shell_v2, or the old pm that never sets a status).
        {RowAction::Disable, 0, {"Error: java.lang.IllegalArgumentException: Unknown package: com.example.notes"}, false},
        {RowAction::Disable, 0,
         {"java.lang.SecurityException: Shell cannot change component state for com.example.notes/null to 3"}, false},
        {RowAction::Disable, 255,
         {"", "Exception occurred while executing 'disable-user':",
          "java.lang.IllegalArgumentException: Unknown package: com.example.notes"},
         false},
        {RowAction::Disable, 0, {}, false},
        {RowAction::Enable, 0, {"Package com.example.notes new state: enabled"}, true},
        {RowAction::ClearData, 0, {"Success"}, true},
        {RowAction::ClearData, 0, {"Failed", "Failed"}, false},
        {RowAction::ClearData, 1, {"Success"}, false},
        {RowAction::Remove, 0, {"Success"}, true},
        {RowAction::RemoveKeepData, 0, {"Failure [DELETE_FAILED_INTERNAL_ERROR]"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.join(QLatin1Char('|')).toStdString());
        EXPECT_EQ(c.success, RowActionSucceeded(c.action, p, c.status, c.lines));
    }
}

TEST(RowActionTexts, PackageNamesFromListingsAndItems)
{
    EXPECT_EQ((QSet<QString>{"com.a", "com.b"}),
              ListedPackages({"package:com.a", "", "package:/data/app/~~x==/com.b-y==/base.apk=com.b\r", "Error: x"}));
    EXPECT_EQ(QStringLiteral("com.android.browser"), PackageOfListItem("Browser.apk=com.android.browser"));
    EXPECT_EQ(QString(), PackageOfListItem("Browser.apk"));
    for (const char* good : {"com.example.notes", "a_b.C9"})
        EXPECT_TRUE(IsPackageName(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "com.x;reboot", "com.x y", "a$(id)", "com.x&&rm", "'q'"})
        EXPECT_FALSE(IsPackageName(QString::fromLatin1(bad))) << bad;
}

// A phone of that release with two user applications and one system one,
// the system one disabled.
std::vector<FakeAdbRule> ListingRules(const std::string& sdk, const std::string& userApps)
{
    const std::string s = "-s " + kSerial + " shell ";
    return {FakeAdbRule::Args(s + "pm list packages -f")
                .Out(userApps + "package:/system/app/Browser.apk=com.android.browser\n"),
            FakeAdbRule::Args(s + "getprop ro.build.version.sdk").Out(sdk + "\n"),
            FakeAdbRule::Args(s + "pm list packages -d").Out("package:com.android.browser\n"),
            FakeAdbRule::Default().Out("Package com.example.notes new state: disabled-user\n")};
}

const std::string kTwoApps = "package:/data/app/com.example.notes-1.apk=com.example.notes\n"
                             "package:/data/app/com.example.chess-1.apk=com.example.chess\n";

std::vector<std::string> ShellArgv(const std::string& command)
{
    std::vector<std::string> argv{"-s", kSerial, "shell"};
    for (std::size_t at = 0; at <= command.size();) {
        const std::size_t end = std::min(command.find(' ', at), command.size());
        argv.push_back(command.substr(at, end - at));
        at = end + 1;
    }
    return argv;
}

class AppActions : public MainWindowTest {
protected:
    void Refresh(const std::string& sdk, const std::string& userApps = kTwoApps)
    {
        Rescript(ListingRules(sdk, userApps));
        window->sBitBtn1->click();
        adb.ClearJournal();
    }

    QAction* Action(QMenu& menu, const char* name) const
    {
        QAction* action = menu.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(nullptr, action) << name;
        return action;
    }
    // "shown/enabled" of the named actions, for a compact comparison.
    QStringList Offers(QAbstractItemView* view) const
    {
        std::unique_ptr<QMenu> menu = window->ApplicationMenu(view);
        QStringList offers;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator())
                offers << a->objectName() + (a->isVisible() ? (a->isEnabled() ? "" : "/off") : "/hidden");
        return offers;
    }
    void Trigger(QAbstractItemView* view, const char* name)
    {
        std::unique_ptr<QMenu> menu = window->ApplicationMenu(view);
        Action(*menu, name)->trigger();
    }
};

TEST_F(AppActions, RefreshLearnsTheReleaseOnceAndMarksDisabledPackages)
{
    Open(PhoneRules());
    Rescript(ListingRules("34", kTwoApps));
    window->sBitBtn1->click();
    window->sBitBtn1->click();
    EXPECT_EQ((FakeAdb::Calls{ShellArgv("pm list packages -f"), ShellArgv("getprop ro.build.version.sdk"),
                              ShellArgv("pm list packages -d"), ShellArgv("pm list packages -f"),
                              ShellArgv("pm list packages -d")}),
              Sent());
    EXPECT_TRUE(window->listapplisys->isItemMarked(0));
    EXPECT_FALSE(window->StringGrid1->isRowMarked(1));

    // An Android 2.2 phone has no "-d": nothing more after the first refresh's question.
    Open(PhoneRules());
    Rescript(ListingRules("8", kTwoApps));
    window->sBitBtn1->click();
    window->sBitBtn1->click();
    EXPECT_EQ((FakeAdb::Calls{ShellArgv("pm list packages -f"), ShellArgv("getprop ro.build.version.sdk"),
                              ShellArgv("pm list packages -f")}),
              Sent());
    EXPECT_FALSE(window->listapplisys->isItemMarked(0));
}

TEST_F(AppActions, MenuOffersWhatThePhonesReleaseHasForTheSelection)
{
    Open(PhoneRules());
    const QStringList userPage14 = {"copyPackage", "remove", "removeKeepData", "clearData", "disable", "enable/off",
                                    "filter"};
    const QStringList systemPage14 = {"copyPackage",   "remove/hidden",  "removeKeepData/hidden", "clearData/hidden",
                                      "disable/off",   "enable",         "sortAscending/off",     "sortDescending/off",
                                      "filter"};
    Refresh("34");
    window->StringGrid1->setRow(1);
    EXPECT_EQ(userPage14, Offers(window->StringGrid1));
    window->listapplisys->setCurrentRow(0);
    EXPECT_EQ(systemPage14, Offers(window->listapplisys)) << "the browser is disabled; one item, nothing to sort";

    Refresh("34", "");
    EXPECT_EQ((QStringList{"copyPackage/off", "remove/off", "removeKeepData/off", "clearData/off", "disable/off",
                           "enable/off", "filter"}),
              Offers(window->StringGrid1))
        << "the header alone: no package";

    Open(PhoneRules()); // another phone, Android 2.2
    Refresh("8");
    EXPECT_EQ((QStringList{"copyPackage", "remove", "removeKeepData", "clearData/hidden", "disable/hidden",
                           "enable/hidden", "filter"}),
              Offers(window->StringGrid1))
        << "Android 2.2 has no pm clear, disable-user";
}

TEST_F(AppActions, NothingIsSentBeforeYesAndTheReportTellsWhatThePhoneSaid)
{
    Open(PhoneRules());
    Refresh("34");
    window->StringGrid1->setRow(1);
    Trigger(window->StringGrid1, "disable");
    ASSERT_EQ(1, services.questions().size());
    EXPECT_TRUE(services.questions()[0].contains("com.example.notes")) << services.questions()[0].toStdString();
    EXPECT_TRUE(services.questions()[0].contains("Réactiver")) << "says what it does and how to undo it";
    EXPECT_EQ(FakeAdb::Calls{}, Sent()) << "answered Non";
    EXPECT_TRUE(services.messages().isEmpty());

    services.questionAnswers = {true};
    Trigger(window->StringGrid1, "disable");
    EXPECT_EQ(FakeAdb::Calls{ShellArgv("pm disable-user --user 0 com.example.notes")}, Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kRowActionReport) + "\ncom.example.notes : fait"},
              services.messages());
    EXPECT_TRUE(window->StringGrid1->isRowMarked(1));

    // A refusal that exits 0 is a failure, told with the phone's words.
    Rescript({FakeAdbRule::Default().Out("Error: java.lang.SecurityException: Cannot disable a protected package: "
                                         "com.example.chess\n")});
    services.questionAnswers = {true};
    window->StringGrid1->setRow(2);
    Trigger(window->StringGrid1, "disable");
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kRowActionReport)
                          + "\ncom.example.chess : ÉCHEC - Error: java.lang.SecurityException: Cannot disable a "
                            "protected package: com.example.chess"},
              services.messages());
    EXPECT_FALSE(window->StringGrid1->isRowMarked(2));
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionRefused), Caption()) << "exit 0, but no success";
}

TEST_F(AppActions, SeveralRowsOneRunEachOneReport)
{
    Open(PhoneRules());
    Refresh("34");
    window->StringGrid1->setRow(1);
    window->StringGrid1->selectionModel()->select(window->StringGrid1->cellIndex(0, 2),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Rescript({FakeAdbRule::Default().Out("Success\n")});
    services.questionAnswers = {true};
    Trigger(window->StringGrid1, "clearData");
    ASSERT_EQ(1, services.questions().size());
    EXPECT_TRUE(services.questions()[0].contains("com.example.notes\ncom.example.chess"));
    EXPECT_EQ((FakeAdb::Calls{ShellArgv("pm clear com.example.notes"), ShellArgv("pm clear com.example.chess")}),
              Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kRowActionReport)
                          + "\ncom.example.notes : fait\ncom.example.chess : fait"},
              services.messages());
}

// The caption after several rows: success only when the phone acted on every
// one, whichever of them it refused.
TEST_F(AppActions, SeveralRowsTheCaptionTellsTheFailureOfAny)
{
    const std::vector<std::string> notes = ShellArgv("pm clear com.example.notes");
    const std::vector<std::string> chess = ShellArgv("pm clear com.example.chess");
    const FakeAdbRule success = FakeAdbRule::Default().Out("Success\n");
    const struct {
        const char* name;
        std::vector<FakeAdbRule> rules;
        const char* caption;
    } cases[] = {
        {"both done", {success}, texts::kCaptionSuccess},
        {"the first refused with exit 0", {FakeAdbRule::Argv(notes).Out("Failed\n"), success}, texts::kCaptionRefused},
        {"the first failed with exit 1",
         {FakeAdbRule::Argv(notes).Err("Error: java.lang.SecurityException: Shell cannot clear\n").Status(1), success},
         texts::kCaptionBadCommand},
        {"the last refused", {FakeAdbRule::Argv(chess).Out("Failed\n"), success}, texts::kCaptionRefused},
    };
    for (const auto& c : cases) {
        Open(PhoneRules());
        Refresh("34");
        window->StringGrid1->setRow(1);
        window->StringGrid1->selectionModel()->select(window->StringGrid1->cellIndex(0, 2),
                                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Rescript(c.rules);
        services.questionAnswers = {true};
        Trigger(window->StringGrid1, "clearData");
        EXPECT_EQ((FakeAdb::Calls{notes, chess}), Sent()) << c.name;
        EXPECT_EQ(QString::fromUtf8(c.caption), Caption()) << c.name;
        EXPECT_EQ(1, services.messages().size()) << c.name;
    }
}

TEST_F(AppActions, APackageGoneFromTheListSinceItWasChosenIsNotSent)
{
    Open(PhoneRules());
    Refresh("34");
    window->StringGrid1->setRow(1); // com.example.notes
    // The list is refreshed while the question is open; notes is gone from it.
    services.onQuestion = [this](const QString&) {
        adb.Script(ListingRules("34", "package:/data/app/com.example.chess-1.apk=com.example.chess\n"));
        window->sBitBtn1Click();
        adb.ClearJournal();
    };
    services.questionAnswers = {true};
    Trigger(window->StringGrid1, "remove");
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kRowActionReport) + "\n"
                          + QString::fromUtf8(texts::kRowActionNotListed).arg("com.example.notes")},
              services.messages());
}

TEST_F(AppActions, TheRowsOfAnotherPhoneAreNotActedOnThisOne)
{
    Open(PhoneRules());
    Refresh("34");
    window->StringGrid1->setRow(1);
    window->CurrentDevice = "emulator-5554"; // picked in the device list since the refresh
    services.questionAnswers = {true};
    Trigger(window->StringGrid1, "disable");
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kRowActionOtherPhone)}, services.messages());
    EXPECT_TRUE(services.questions().isEmpty());
}

TEST_F(AppActions, SortingKeepsThePackageThatTheRemovalButtonSends)
{
    Open(PhoneRules());
    Refresh("34");
    window->StringGrid1->setRow(2); // chess
    window->StringGrid1->sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(QStringLiteral("com.example.chess"), window->StringGrid1->cell(2, 1));
    Rescript({FakeAdbRule::Default().Out("Success\n")});
    window->bt_desinstalltt->click();
    EXPECT_EQ(FakeAdb::Calls{ShellArgv("pm uninstall com.example.chess")}, Sent());
}

TEST_F(AppActions, CtrlFFiltersTheThreePagesAndEscapeShowsAllAgain)
{
    Open(PhoneRules());
    Refresh("34");
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_FALSE(window->ed_filtre->isVisible()) << "hidden until asked for";
    window->StringGrid1->setFocus();
    QTest::keyClick(window->StringGrid1, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(window->ed_filtre->isVisible());
    EXPECT_TRUE(window->ed_filtre->hasFocus());
    QTest::keyClicks(window->ed_filtre, QStringLiteral("CHESS"));
    EXPECT_EQ(1, window->StringGrid1->shownRowCount());
    EXPECT_EQ(QStringLiteral("com.example.chess"), window->StringGrid1->cellIndex(2, 2).data().toString());
    EXPECT_TRUE(window->listapplisys->item(0)->isHidden());

    QTest::keyClick(window->ed_filtre, Qt::Key_Escape);
    EXPECT_FALSE(window->ed_filtre->isVisible());
    EXPECT_EQ(2, window->StringGrid1->shownRowCount());
    EXPECT_FALSE(window->listapplisys->item(0)->isHidden());
}

// The removal buttons take the grid's selected row; while the filter hides
// every row they have nothing to remove, not the row hidden since.
TEST_F(AppActions, RemovalButtonsSendNothingWhileTheFilterHidesEveryRow)
{
    Open(PhoneRules());
    Refresh("34");
    window->StringGrid1->setRow(2); // chess
    window->ed_filtre->setText(QStringLiteral("nothing like it"));
    ASSERT_EQ(0, window->StringGrid1->shownRowCount());
    Rescript({FakeAdbRule::Default().Out("Success\n")});
    window->bt_desinstalltt->click();
    window->bt_desinstall->click();
    EXPECT_EQ(FakeAdb::Calls{}, Sent());

    window->ed_filtre->setText(QStringLiteral("notes")); // shown again: that one
    window->bt_desinstalltt->click();
    EXPECT_EQ(FakeAdb::Calls{ShellArgv("pm uninstall com.example.notes")}, Sent());
}

} // namespace
} // namespace quoddle::test
