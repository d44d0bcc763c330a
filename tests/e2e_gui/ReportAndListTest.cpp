// The information report that opening the window runs, and the application
// grid and lists after a refresh, through the real adb.

#include "WindowSession.hpp"

#include "operations/Texts.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QComboBox>
#include <QPushButton>

namespace quoddle::test {
namespace {

const std::string kReportFirst = "getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && "
                                 "getprop ro.build.description && getprop ro.build.id && getprop ro.bootloader && "
                                 "getprop ro.com.google.gmsversion && getprop ro.product.version";
const std::string kReportSecond = "getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop "
                                  "gsm.operator.alpha && getprop gsm.network.type";

QStringList Report(const PhoneKind& kind)
{
    if (kind.android11)
        return {"INFORMATION SMARTPHONE : ",
                "",
                "Modèle : Fake Phone Eleven",
                "Version d'Android : 11 Build RQ3A.211001.001 (Gms : 11_202109)",
                "Version de bande de base : g7250-00147-210811-B-7631946",
                "Numéro de build : fakephone11-user 11 RQ3A.211001.001 7641976 release-keys",
                "Numéro logiciel : 11.0.1",
                "Version Bootloader : s5-0.4-7617406",
                "Version gsm : g7250-00147-210811-B-7631946",
                "Opérateur : Free",
                "Réseau utilisé : Free",
                "Liaison réseau actuelle : LTE"};
    // An Android 2.2 phone has no ro.com.google.gmsversion.
    return {"INFORMATION SMARTPHONE : ",
            "",
            "Modèle : Fake Phone One",
            "Version d'Android : 2.2 Build FRF91 (Gms : )",
            "Version de bande de base : I9000XXJPO",
            "Numéro de build : fakephone-user 2.2 FRF91 43546 release-keys",
            "Numéro logiciel : 1.0.0",
            "Version Bootloader : I9000XXJPO",
            "Version gsm : I9000XXJPO",
            "Opérateur : Orange F",
            "Réseau utilisé : Orange F",
            "Liaison réseau actuelle : UMTS:3"};
}

QList<QStringList> GridRows(const StringGrid* grid)
{
    QList<QStringList> rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows.append({grid->cell(0, row), grid->cell(1, row), grid->cell(2, row)});
    return rows;
}

class ReportAndList : public WindowSession {};

TEST_P(ReportAndList, OpeningReportsOnThePhone)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(QStringList{QString::fromStdString(session->Serial())}, QStringList{window->listdevices->itemText(0)});
    EXPECT_EQ(1, window->listdevices->count());
    EXPECT_EQ(Report(Kind()), window->list_infotel->items());
    EXPECT_EQ((Journal{Kind().Shell(kReportFirst), Kind().Shell(kReportSecond)}), PhoneSaw());
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption());
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_P(ReportAndList, RefreshFillsTheGridAndListsOnce)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    PhoneSaw();
    const QList<QStringList> header = {{"Nom Prog", "APK", "Nom Composant"}};
    QList<QStringList> rows;
    QStringList system, sdCard;
    if (Kind().android11) {
        rows = header + QList<QStringList>{
            {"notes", "~~Zm9v==/com.example.notes-YmFy==/base.apk", "com.example.notes"},
            {"chess", "~~cXV4eA==/com.example.chess-Y29yZ2U=/base.apk", "com.example.chess"}};
        // Packages of the other system partitions show their path below the partition's root.
        system = {"app/Chrome/Chrome.apk=com.android.chrome", "priv-app/Settings/Settings.apk=com.android.settings",
                  "Calculator/Calculator.apk=com.android.calculator2"};
        sdCard = {"package:/mnt/expand/0f3e2a14-aa31-4c9b-9d63-7b7a1e0f3b55/app/~~Z2FtZQ==/com.example.game-c2Q=/"
                  "base.apk=com.example.game"};
    } else {
        rows = header + QList<QStringList>{{"notes-1", "com.example.notes-1.apk", "com.example.notes"},
                                           {"chess-2", "com.example.chess-2.apk", "com.example.chess"}};
        system = {"Browser.apk=com.android.browser", "Phone.apk=com.android.phone"};
        sdCard = {"package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game"};
    }
    for (int refresh = 0; refresh < 2; ++refresh) {
        window->sBitBtn1->click();
        Journal expected{Kind().Shell("pm list packages -f")};
        if (refresh == 0) // the phone's release, asked once
            expected.push_back(Kind().Shell("getprop ro.build.version.sdk"));
        if (Kind().android11) // Android 2.2 cannot list the disabled packages; 11 can
            expected.push_back(Kind().Shell("pm list packages -d"));
        EXPECT_EQ(expected, PhoneSaw());
        EXPECT_EQ(rows, GridRows(window->StringGrid1));
        EXPECT_EQ(system, window->listapplisys->items());
        EXPECT_EQ(sdCard, window->listappautre->items());
    }
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption());
}

INSTANTIATE_TEST_SUITE_P(EveryPhone, ReportAndList, ::testing::ValuesIn(kPhoneKinds), PhoneKindName);

} // namespace
} // namespace quoddle::test
