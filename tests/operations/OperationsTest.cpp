// The phone operations through their handlers, with the scripted adb: what is
// sent, what the window shows afterwards, what the user is told.

#include "MainWindowFixture.hpp"

#include "operations/Texts.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Panel.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quoddle;
using namespace quoddle::test;

namespace {

// The same shell output as an old phone's terminal (CR CR LF) and a current one (LF).
std::string CrCrLf(std::string lf)
{
    std::string out;
    for (char c : lf) {
        if (c == '\n')
            out += "\r\r";
        out += c;
    }
    return out;
}

const std::string kListing =
    "package:/data/app/com.example.notes-1.apk=com.example.notes\n"
    "package:/data/app/~~Zm9v==/com.example.chess-YmFy==/base.apk=com.example.chess\n"
    "package:/system/app/Browser.apk=com.android.browser\n"
    "package:/system/priv-app/Phone/Phone.apk=com.android.phone\n"
    "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game\n";

FakeAdb::Calls operator+(FakeAdb::Calls a, const FakeAdb::Calls& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

QStringList Row(const StringGrid* grid, int row)
{
    return {grid->cell(0, row), grid->cell(1, row), grid->cell(2, row)};
}

} // namespace

class LineEndings : public MainWindowTest, public testing::WithParamInterface<bool> {
protected:
    std::string Shell(const std::string& lf) const { return GetParam() ? CrCrLf(lf) : lf; }
};

INSTANTIATE_TEST_SUITE_P(Shapes, LineEndings, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "crcrlf" : "lf"; });

TEST_P(LineEndings, ReportReadsEveryValue)
{
    Open({DevicesRule(kSerial + "\tdevice\n"),
          FakeAdbRule::Args(ReportFirstText(kSerial)).Out(Shell("Pixel 7\n14\nbb-1\ndesc\nUQ1A\nboot-1\n\n14.0\n")),
          FakeAdbRule::Args(ReportSecondText(kSerial)).Out(Shell("g7-1\nOrange F\nOrange\nLTE\n"))});
    EXPECT_EQ((QStringList{"INFORMATION SMARTPHONE : ", "", "Modèle : Pixel 7", "Version d'Android : 14 Build UQ1A (Gms : )",
                           "Version de bande de base : bb-1", "Numéro de build : desc", "Numéro logiciel : 14.0",
                           "Version Bootloader : boot-1", "Version gsm : g7-1", "Opérateur : Orange F",
                           "Réseau utilisé : Orange", "Liaison réseau actuelle : LTE"}),
              window->list_infotel->items());
}

TEST_F(MainWindowTest, ReportOfAnErrorShowsItAfterTheFirstLabels)
{
    Open({DevicesRule(kSerial + "\tdevice\n"),
          FakeAdbRule::Default().Err("error: device '" + kSerial + "' not found\n").Status(1)});
    const QStringList items = window->list_infotel->items();
    ASSERT_EQ(12, items.size());
    EXPECT_EQ(QString::fromStdString("Modèle : error: device '" + kSerial + "' not found"), items[2]);
    EXPECT_EQ(QStringLiteral("Version Bootloader : "), items[7]);
    EXPECT_EQ(QString::fromStdString("Version gsm : error: device '" + kSerial + "' not found"), items[8]);
}

TEST_P(LineEndings, RefreshFillsGridAndListsOnceEachTime)
{
    Open(PhoneRules());
    Rescript({FakeAdbRule::Args("-s " + kSerial + " shell pm list packages -f").Out(Shell(kListing))});
    for (int refresh = 0; refresh < 2; ++refresh) {
        window->sBitBtn1->click();
        ASSERT_EQ(3, window->StringGrid1->rowCount());
        EXPECT_EQ((QStringList{"Nom Prog", "APK", "Nom Composant"}), Row(window->StringGrid1, 0));
        EXPECT_EQ((QStringList{"notes-1", "com.example.notes-1.apk", "com.example.notes"}), Row(window->StringGrid1, 1));
        EXPECT_EQ((QStringList{"chess", "~~Zm9v==/com.example.chess-YmFy==/base.apk", "com.example.chess"}),
                  Row(window->StringGrid1, 2));
        EXPECT_EQ((QStringList{"Browser.apk=com.android.browser", "priv-app/Phone/Phone.apk=com.android.phone"}),
                  window->listapplisys->items());
        EXPECT_EQ(QStringList{"package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game"},
                  window->listappautre->items());
    }
}

TEST_F(MainWindowTest, RefreshWithoutUserAppsLeavesTheHeaderAlone)
{
    Open(PhoneRules());
    Rescript({FakeAdbRule::Default().Err("error: closed\n").Status(1)});
    window->sBitBtn1->click();
    EXPECT_EQ(1, window->StringGrid1->rowCount());
    EXPECT_EQ(QStringLiteral("Nom Prog"), window->StringGrid1->cell(0, 0));
    // No application row: a removal names no package, never the header's "Nom Composant".
    Rescript({FakeAdbRule::Default().Out("Failure [DELETE_FAILED_INTERNAL_ERROR]\n").Status(1)});
    window->bt_desinstalltt->click();
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "shell", "pm", "uninstall"}}), Sent());
}

TEST_F(MainWindowTest, GuardedOperationsSearchInsteadWithoutADevice)
{
    Open({DevicesRule(""), FakeAdbRule::Default()});
    window->ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
    // Some of these buttons are disabled without a device; their handlers still guard.
    const std::vector<void (TFrmMain::*)()> guarded = {
        &TFrmMain::bt_rebootClick,     &TFrmMain::btrebootloaderClick, &TFrmMain::bt_rebootrecoveryClick,
        &TFrmMain::bt_trashClick,      &TFrmMain::bt_numeroterClick,   &TFrmMain::sBitBtn1Click,
        &TFrmMain::bt_installsdClick,  &TFrmMain::bt_installromClick,  &TFrmMain::bt_desinstallClick,
        &TFrmMain::bt_desinstallttClick, &TFrmMain::bt_appliquerClick};
    for (const auto handler : guarded) {
        adb.ClearJournal();
        (window.get()->*handler)();
        EXPECT_EQ((FakeAdb::Calls{{"devices"}}), Sent());
    }
    EXPECT_TRUE(services.messages().isEmpty());
}

TEST_F(MainWindowTest, PhoneActionsSendTheirTexts)
{
    Open(PhoneRules());
    const struct {
        QPushButton* button;
        std::vector<std::string> argv;
    } cases[] = {
        {window->bt_reboot, {"-s", kSerial, "reboot"}},
        {window->btrebootloader, {"-s", kSerial, "reboot-bootloader"}},
        {window->bt_rebootrecovery, {"-s", kSerial, "reboot", "recovery"}},
    };
    for (const auto& c : cases) {
        Rescript({FakeAdbRule::Default()});
        c.button->click();
        EXPECT_EQ(FakeAdb::Calls{c.argv}, Sent());
        EXPECT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption());
    }
}

TEST_F(MainWindowTest, DialSendsTheNumberTextAndNothingWithoutDigits)
{
    Open(PhoneRules());
    const FakeAdb::Calls askSdk = {{"-s", kSerial, "shell", "getprop", "ro.build.version.sdk"}};
    const struct {
        const char* field;
        FakeAdb::Calls sent;
    } cases[] = {
        {"06-12-34-56-78", {{"-s", kSerial, "shell", "service", "call", "phone", "2", "s16", "06-12-34-56-78"}}},
        {"06-  -  -  -  ", {{"-s", kSerial, "shell", "service", "call", "phone", "2", "s16", "06-  -  -  -"}}},
        {"  -  -  -  -  ", {}},
    };
    bool sdkKnown = false;
    for (const auto& c : cases) {
        Rescript({FakeAdbRule::Argv(askSdk[0]).Out("8\r\n"),
                  FakeAdbRule::Default().Out("Result: Parcel(00000000    '....')\r\n")});
        window->ed_numero->setMaskedText(QString::fromUtf8(c.field));
        window->bt_numeroter->click();
        window->ed_numeroKeyUp(65); // other keys do nothing
        window->ed_numeroKeyUp(13); // Enter dials again
        // The release is asked once, before the first call.
        FakeAdb::Calls expected = c.sent.empty() || sdkKnown ? FakeAdb::Calls{} : askSdk;
        sdkKnown = sdkKnown || !c.sent.empty();
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        EXPECT_EQ(expected, Sent()) << c.field;
        EXPECT_TRUE(services.messages().isEmpty()) << c.field;
    }
}

TEST_F(MainWindowTest, DialGoesThroughTheWayOfThePhonesRelease)
{
    const std::string parcelOk = "Result: Parcel(00000000    '....')\n";
    const std::string securityException =
        "Result: Parcel(\n  0x00000000: ffffffff 0000001e 00650050 006d0072 '........P.e.r.m.'\n)\n";
    const std::string started = "Starting: Intent { act=android.intent.action.CALL dat=tel:xxxxxxxxxx }\n";
    const FakeAdb::Calls serviceCall = {{"-s", kSerial, "shell", "service", "call", "phone", "2", "s16", "06-12-34-56-78"}};
    const FakeAdb::Calls amStart = {
        {"-s", kSerial, "shell", "am", "start", "-a", "android.intent.action.CALL", "-d", "tel:0612345678"}};
    const struct {
        const char* sdk;
        std::string answer;
        FakeAdb::Calls sent;
        bool refused;
    } cases[] = {
        {"8", parcelOk, serviceCall, false},
        {"17", parcelOk, serviceCall, false},
        {"8", securityException, serviceCall, true},
        {"18", started, amStart, false},
        {"34", started, amStart, false},
        {"34", started + "Error: Activity not started, unable to resolve Intent\n", amStart, true},
        {"", "", {}, true},                         // no API level: nothing is dialled
        {"error: closed", "", {}, true},
    };
    for (const auto& c : cases) {
        Open(PhoneRules());
        window->ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
        Rescript({FakeAdbRule::Argv({"-s", kSerial, "shell", "getprop", "ro.build.version.sdk"}).Out(std::string(c.sdk) + "\n"),
                  FakeAdbRule::Default().Out(c.answer)});
        window->bt_numeroter->click();
        FakeAdb::Calls expected = {{"-s", kSerial, "shell", "getprop", "ro.build.version.sdk"}};
        expected.insert(expected.end(), c.sent.begin(), c.sent.end());
        EXPECT_EQ(expected, Sent()) << c.sdk << " " << c.answer;
        EXPECT_EQ(QString::fromUtf8(c.refused ? texts::kCaptionRefused : texts::kCaptionSuccess), Caption())
            << c.sdk << " " << c.answer;
        EXPECT_EQ(c.refused ? 1 : 0, services.messages().size()) << c.sdk << " " << c.answer;
        if (c.refused) {
            EXPECT_TRUE(services.messages().value(0).startsWith(QString::fromUtf8(texts::kRefusedPrefix)));
        }
    }
}

TEST_F(MainWindowTest, TrashShowsTheOutputAndClaimsSuccessOnlyWhenItWas)
{
    Open(PhoneRules());
    Rescript({FakeAdbRule::Args("-s " + kSerial + " shell rm /data/local/tmp/*")});
    window->bt_trash->click();
    EXPECT_EQ(QStringList{"Résultat de la commande : \r"}, services.messages());
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionApplied), Caption());

    Rescript({FakeAdbRule::Default().Err("rm: /data/local/tmp/*: No such file or directory\n").Status(1)});
    window->bt_trash->click();
    EXPECT_EQ(QStringList{"Résultat de la commande : \rrm: /data/local/tmp/*: No such file or directory\r\n"},
              services.messages());
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionBadCommand), Caption());
}

TEST_F(MainWindowTest, InstallVerdictsAndThePanel)
{
    Open(PhoneRules());
    const std::string file = folder.dir() + "My Apps/notes app.apk";
    services.fileAnswers = {QString(), QString::fromStdString(file)};
    window->bt_install->click(); // cancelled
    EXPECT_FALSE(window->panel_install->isVisibleTo(window->clientArea()));
    window->bt_install->click();
    EXPECT_TRUE(window->panel_install->isVisibleTo(window->clientArea()));

    const std::vector<std::string> plain = {"-s", kSerial, "install", file};
    Rescript({FakeAdbRule::Argv(plain).Out("Performing Streamed Install\n")
                  .Err("adb: failed to install " + file + ": Failure [INSTALL_FAILED_ALREADY_EXISTS]\n").Status(1)});
    window->bt_installsd->click();
    EXPECT_EQ(FakeAdb::Calls{plain}, Sent());
    EXPECT_EQ(QStringList{"L'Application est déjà présente sur le téléphone !"}, services.messages());
    EXPECT_TRUE(window->panel_install->isVisibleTo(window->clientArea()));

    window->box_reinstall->setChecked(true);
    const std::vector<std::string> again = {"-s", kSerial, "install", "-r", "-f", file};
    Rescript({FakeAdbRule::Argv(again).Out("Performing Streamed Install\nSuccess\n")});
    window->bt_installrom->click();
    EXPECT_EQ(FakeAdb::Calls{again}, Sent());
    EXPECT_EQ(QStringList{"Application installé avec succès !"}, services.messages());
    EXPECT_FALSE(window->panel_install->isVisibleTo(window->clientArea()));

    Rescript({FakeAdbRule::Default().Out("Performing Streamed Install\n")
                  .Err("adb: failed to install x: Failure [INSTALL_PARSE_FAILED_NOT_APK: Failed parse]\n").Status(1)});
    window->bt_installsd->click();
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "install", "-r", "-s", file}}), Sent());
    EXPECT_EQ(QStringList{"ECHEC : adb: failed to install x: Failure [INSTALL_PARSE_FAILED_NOT_APK: Failed parse]"},
              services.messages());
}

TEST_F(MainWindowTest, RemovalTakesThePackageOfTheSelectedRow)
{
    Open(PhoneRules());
    Rescript({FakeAdbRule::Default().Out(kListing)});
    window->sBitBtn1->click();
    window->StringGrid1->setRow(2);
    Rescript({FakeAdbRule::Default().Out("Success\n")});
    window->bt_desinstall->click();
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "shell", "pm", "uninstall", "-k", "com.example.chess"}}), Sent());
    EXPECT_EQ(QStringList{"Resultat : \rSuccess\r\n"}, services.messages());

    window->StringGrid1->setRow(1);
    window->StringGrid1->setCell(2, 1, QStringLiteral(" "));
    Rescript({FakeAdbRule::Default().Out("Success\n")});
    window->bt_desinstalltt->click();
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "shell", "pm", "uninstall", "com.example.notes-1"}}), Sent());
}

TEST_P(LineEndings, SettingsAreReadBack)
{
    Open(PhoneRules());
    const FakeAdb::Calls camelCase = {{"-s", kSerial, "shell", "pm", "getInstallLocation"}};
    const FakeAdb::Calls dashed = {{"-s", kSerial, "shell", "pm", "get-install-location"}};
    const FakeAdb::Calls backup = {{"-s", kSerial, "shell", "bmgr", "enabled"}};
    const struct {
        std::string location, backup;
        int locationIndex, backupIndex;
        bool warned;
    } cases[] = {
        {"2[external]\n", "Backup Manager currently enabled\n", 2, 0, false},
        {"1[internal]\n", "Backup Manager currently disabled\n", 1, 1, false},
        {"", "error: device '0123456789ABCDEF' not found\n", 1, 1, true},
    };
    for (const auto& c : cases) {
        Rescript({FakeAdbRule::Argv(camelCase[0]).Out(Shell(c.location)),
                  FakeAdbRule::Argv(backup[0]).Out(Shell(c.backup))});
        window->bt_actualfroyo->click();
        EXPECT_EQ(camelCase + backup, Sent());
        EXPECT_EQ(c.locationIndex, window->reglageappliinstall->itemIndex());
        EXPECT_EQ(c.backupIndex, window->reglagesave->itemIndex());
        EXPECT_EQ(c.warned ? 1 : 0, services.messages().size());
    }

    // A phone whose pm does not know the camelCase verb: the dashed one, and
    // from then on that one first.
    const std::vector<FakeAdbRule> currentPhone = {
        FakeAdbRule::Argv(camelCase[0]).Out(Shell("Unknown command: getInstallLocation\n")).Status(255),
        FakeAdbRule::Argv(dashed[0]).Out(Shell("2[external]\n")),
        FakeAdbRule::Argv(backup[0]).Out(Shell("Backup Manager currently enabled\n"))};
    Rescript(currentPhone);
    window->reglageappliinstall->setItemIndex(0);
    window->bt_actualfroyo->click();
    EXPECT_EQ(camelCase + dashed + backup, Sent());
    EXPECT_EQ(2, window->reglageappliinstall->itemIndex());
    EXPECT_TRUE(services.messages().isEmpty());
    Rescript(currentPhone);
    window->bt_actualfroyo->click();
    EXPECT_EQ(dashed + backup, Sent());
}

TEST_F(MainWindowTest, SettingsReadBackWithoutADeviceNamesNone)
{
    Open({DevicesRule("")});
    Rescript({FakeAdbRule::Argv({"shell", "pm", "getInstallLocation"}).Err("error: no devices/emulators found\n").Status(1),
              FakeAdbRule::Argv({"shell", "bmgr", "enabled"}).Err("error: no devices/emulators found\n").Status(1)});
    window->bt_actualfroyo->click();
    EXPECT_EQ((FakeAdb::Calls{{"shell", "pm", "getInstallLocation"}, {"shell", "bmgr", "enabled"}}), Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kInstallLocationUnknown)}, services.messages());
    EXPECT_EQ(1, window->reglagesave->itemIndex());
}

TEST_F(MainWindowTest, ApplyClaimsSuccessOnlyWhenThePhoneConfirmedBothWrites)
{
    const FakeAdb::Calls location = {{"-s", kSerial, "shell", "pm", "setInstallLocation", "2"}};
    const FakeAdb::Calls dashedLocation = {{"-s", kSerial, "shell", "pm", "set-install-location", "2"}};
    const FakeAdb::Calls backupOff = {{"-s", kSerial, "shell", "bmgr", "enable", "false"}};
    const std::string usage = "usage: bmgr [backup|restore|list|transport|run]\n       bmgr enable BOOL\n";
    const struct {
        const char* name;
        std::vector<FakeAdbRule> rules;
        FakeAdb::Calls sent;
        const char* caption;
        bool showsAnswer;
    } cases[] = {
        {"both confirmed", {FakeAdbRule::Argv(backupOff[0]).Out("Backup Manager now disabled\n"), FakeAdbRule::Default()},
         location + backupOff, texts::kCaptionApplied, false},
        {"bmgr refuses, exit 0", {FakeAdbRule::Argv(backupOff[0]).Err(usage), FakeAdbRule::Default()},
         location + backupOff, texts::kCaptionRefused, true},
        {"bmgr answers the other state", {FakeAdbRule::Argv(backupOff[0]).Out("Backup Manager now enabled\n"), FakeAdbRule::Default()},
         location + backupOff, texts::kCaptionRefused, true},
        {"pm refuses on stderr, exit 0",
         {FakeAdbRule::Argv(location[0]).Err("Error: install location has to be a number.\n"),
          FakeAdbRule::Argv(backupOff[0]).Out("Backup Manager now disabled\n")},
         location + backupOff, texts::kCaptionRefused, true},
        {"pm knows the dashed verb only",
         {FakeAdbRule::Argv(location[0]).Out("Unknown command: setInstallLocation\n").Status(255),
          FakeAdbRule::Argv(backupOff[0]).Out("Backup Manager now disabled\n"), FakeAdbRule::Default()},
         location + dashedLocation + backupOff, texts::kCaptionApplied, false},
        {"adb fails", {FakeAdbRule::Default().Err("error: device offline\n").Status(1)},
         location + backupOff, texts::kCaptionBadCommand, false},
    };
    for (const auto& c : cases) {
        Open(PhoneRules());
        window->reglageappliinstall->setItemIndex(2);
        window->reglagesave->setItemIndex(1);
        Rescript(c.rules);
        window->bt_appliquer->click();
        EXPECT_EQ(c.sent, Sent()) << c.name;
        EXPECT_EQ(QString::fromUtf8(c.caption), Caption()) << c.name;
        EXPECT_EQ(c.showsAnswer ? 1 : 0, services.messages().size()) << c.name;
    }
}

// The settings page reads the phone when the focus enters it from another
// control of the window, not when it comes back from another window (a
// message box closing, as after « Supprimer les temporaires », or the user
// returning from another program): that would replace the operation's caption
// and undo the choices not yet applied.
TEST_F(MainWindowTest, SettingsPageReadOnEnteringItNotOnTheFocusComingBack)
{
    const std::vector<FakeAdbRule> settings = {
        FakeAdbRule::Argv({"-s", kSerial, "shell", "pm", "getInstallLocation"}).Out("0[auto]\n"),
        FakeAdbRule::Argv({"-s", kSerial, "shell", "bmgr", "enabled"}).Out("Backup Manager currently enabled\n")};
    const FakeAdb::Calls read = {{"-s", kSerial, "shell", "pm", "getInstallLocation"},
                                 {"-s", kSerial, "shell", "bmgr", "enabled"}};
    Open(PhoneRules());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->bt_reboot->setFocus();

    Rescript(settings);
    window->PageControl2->setCurrentWidget(window->TabSheet5);
    window->bt_trash->setFocus();
    EXPECT_EQ(read, Sent());
    window->reglageappliinstall->setItemIndex(2); // chosen, not applied yet

    QWidget other;
    auto* field = new QLineEdit(&other);
    const struct {
        const char* what;
        bool throughNoFocus; // the focus leaves the program altogether on the way
    } returns[] = {{"a box closing", false}, {"back from another program", true}};
    for (const auto& r : returns) {
        Rescript(settings);
        window->setWindowTitle(QString::fromUtf8(texts::kCaptionBadCommand));
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other)) << r.what;
        field->setFocus();
        if (r.throughNoFocus)
            field->clearFocus();
        other.hide();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << r.what;
        window->bt_trash->setFocus();
        EXPECT_TRUE(Sent().empty()) << r.what;
        EXPECT_EQ(QString::fromUtf8(texts::kCaptionBadCommand), Caption()) << r.what;
        EXPECT_EQ(2, window->reglageappliinstall->itemIndex()) << r.what;
    }

    // Out to the other page and in again: read.
    Rescript(settings);
    window->PageControl2->setCurrentWidget(window->TabSheet1);
    window->bt_reboot->setFocus();
    window->PageControl2->setCurrentWidget(window->TabSheet5);
    window->bt_trash->setFocus();
    EXPECT_EQ(read, Sent());
    EXPECT_EQ(0, window->reglageappliinstall->itemIndex());
}

TEST_F(MainWindowTest, CommandPromptOpensInTheProgramFolder)
{
    Open({DevicesRule("")});
    window->CmdPath = "/usr/bin/xterm";
    window->bt_cmd->setEnabled(true);
    window->bt_cmd->click();
    EXPECT_EQ(QStringList{QString::fromStdString("interpreter:/usr/bin/xterm|" + folder.dir())}, services.log);
}
