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
#include <QPushButton>

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
        EXPECT_EQ(QStringList{"Browser.apk=com.android.browser"}, window->listapplisys->items());
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
    const struct {
        const char* field;
        FakeAdb::Calls sent;
    } cases[] = {
        {"06-12-34-56-78", {{"-s", kSerial, "shell", "service", "call", "phone", "2", "s16", "06-12-34-56-78"}}},
        {"06-  -  -  -  ", {{"-s", kSerial, "shell", "service", "call", "phone", "2", "s16", "06-  -  -  -"}}},
        {"  -  -  -  -  ", {}},
    };
    for (const auto& c : cases) {
        Rescript({FakeAdbRule::Default()});
        window->ed_numero->setMaskedText(QString::fromUtf8(c.field));
        window->bt_numeroter->click();
        window->ed_numeroKeyUp(65); // other keys do nothing
        window->ed_numeroKeyUp(13); // Enter dials again
        FakeAdb::Calls twice = c.sent;
        twice.insert(twice.end(), c.sent.begin(), c.sent.end());
        EXPECT_EQ(twice, Sent()) << c.field;
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
    const struct {
        std::string location, backup;
        int locationIndex, backupIndex;
        bool warned;
    } cases[] = {
        {"2[external]\n", "Backup Manager currently enabled\n", 2, 0, false},
        {"1[internal]\n", "Backup Manager currently disabled\n", 1, 1, false},
        {"", "error: no devices/emulators found\n", 1, 1, true},
    };
    for (const auto& c : cases) {
        Rescript({FakeAdbRule::Argv({"shell", "pm", "getInstallLocation"}).Out(Shell(c.location)),
                  FakeAdbRule::Argv({"shell", "bmgr", "enabled"}).Out(Shell(c.backup))});
        window->bt_actualfroyo->click();
        EXPECT_EQ((FakeAdb::Calls{{"shell", "pm", "getInstallLocation"}, {"shell", "bmgr", "enabled"}}), Sent());
        EXPECT_EQ(c.locationIndex, window->reglageappliinstall->itemIndex());
        EXPECT_EQ(c.backupIndex, window->reglagesave->itemIndex());
        EXPECT_EQ(c.warned ? 1 : 0, services.messages().size());
    }
}

TEST_F(MainWindowTest, ApplyWritesBothSettings)
{
    Open(PhoneRules());
    window->reglageappliinstall->setItemIndex(2);
    window->reglagesave->setItemIndex(1);
    Rescript({FakeAdbRule::Default()});
    window->bt_appliquer->click();
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "shell", "pm", "setInstallLocation", "2"}, {"shell", "bmgr", "disable"}}),
              Sent());
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionApplied), Caption());

    window->reglagesave->setItemIndex(0);
    Rescript({FakeAdbRule::Argv({"shell", "bmgr", "enable"}).Err("error: more than one device/emulator\n").Status(1),
              FakeAdbRule::Default()});
    window->bt_appliquer->click();
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionBadCommand), Caption());
}

TEST_F(MainWindowTest, CommandPromptOpensInTheProgramFolder)
{
    Open({DevicesRule("")});
    window->CmdPath = "/usr/bin/xterm";
    window->bt_cmd->setEnabled(true);
    window->bt_cmd->click();
    EXPECT_EQ(QStringList{QString::fromStdString("interpreter:/usr/bin/xterm|" + folder.dir())}, services.log);
}
