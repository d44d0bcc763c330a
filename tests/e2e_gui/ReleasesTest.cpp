// Every button of the main window and the keypad against phones of Android
// 2.2, 4.4, 9 and 14 (tests/fakephone/profiles), through the real adb: what
// reaches the phone, the caption, the messages. And phones that refuse: the
// user is told, never "Commandes appliquées...".

#include "WindowSession.hpp"

#include "e2e/AdbSession.hpp"
#include "operations/FrmMain.hpp"
#include "operations/Texts.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/KeypadWindow.hpp"

#include <QComboBox>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quoddle::test {
namespace {

using Journal = std::vector<std::string>;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

struct Release {
    const char* profile;
    bool shellV2;              // Android 7 and later
    bool camelCasePm;          // pm getInstallLocation: Android 2.2 only
    bool dialByServiceCall;    // ITelephony.call(String number): until 4.2
    const char* androidItem;   // item 3 of the report
    QStringList systemApps;    // the "Appli. system" page

    std::string Shell(const std::string& command) const
    {
        return (shellV2 ? "shell,v2,TERM=dumb,raw:" : "shell:") + command;
    }
};

std::ostream& operator<<(std::ostream& os, const Release& r) { return os << r.profile; }

const Release kReleases[] = {
    {"android-2.2", false, true, true, "Version d'Android : 2.2 Build FRF91 (Gms : )",
     {"Browser.apk=com.android.browser", "Phone.apk=com.android.phone", "Settings.apk=com.android.settings",
      "framework/framework-res.apk=android"}},
    {"android-4.4", false, false, false, "Version d'Android : 4.4.4 Build KTU84P (Gms : 4.4_r5)",
     {"Browser.apk=com.android.browser", "Calculator.apk=com.android.calculator2",
      "priv-app/Settings.apk=com.android.settings", "priv-app/TeleService.apk=com.android.phone",
      "framework/framework-res.apk=android"}},
    {"android-9", true, false, false, "Version d'Android : 9 Build PQ3A.190801.002 (Gms : 9_201907)",
     {"Calculator/Calculator.apk=com.android.calculator2",
      "priv-app/SettingsGoogle/SettingsGoogle.apk=com.android.settings",
      "priv-app/TeleService/TeleService.apk=com.android.phone", "framework/framework-res.apk=android",
      "app/Chrome/Chrome.apk=com.android.chrome", "priv-app/Phonesky/Phonesky.apk=com.android.vending",
      "app/uceShimService/uceShimService.apk=com.qualcomm.qti.uceShimService"}},
    {"android-14", true, false, false, "Version d'Android : 14 Build UQ1A.240205.004 (Gms : 14_202401)",
     {"Calculator/Calculator.apk=com.android.calculator2",
      "priv-app/SettingsGoogle/SettingsGoogle.apk=com.android.settings", "framework/framework-res.apk=android",
      "app/Chrome/Chrome.apk=com.android.chrome", "priv-app/Phonesky/Phonesky.apk=com.android.vending",
      "priv-app/SystemUIGoogle/SystemUIGoogle.apk=com.android.systemui",
      "app/EuiccGoogle/EuiccGoogle.apk=com.google.android.euicc",
      "priv-app/TeleService/TeleService.apk=com.android.phone",
      "com.android.permission/priv-app/GooglePermissionController@340818022/GooglePermissionController.apk="
      "com.google.android.permissioncontroller"}},
};

class Releases : public ProfileWindow<Release> {
protected:
    const Release& R() const { return this->GetParam(); }

    void Open(const std::string& more = "")
    {
        ASSERT_NO_FATAL_FAILURE(OpenWith(std::string("{\"profile\": \"") + R().profile + "\""
                                         + (more.empty() ? "" : ", " + more) + "}"));
        session->TakeJournal();
    }

    // Runs the operation; what reached the phone, the caption and the messages shown.
    void Expect(const char* name, const std::function<void()>& operation, const Journal& sent, const char* caption,
                const QStringList& messages = {})
    {
        SCOPED_TRACE(name);
        window->setWindowTitle(QString());
        services.clear();
        operation();
        EXPECT_EQ(sent, session->TakeJournal());
        EXPECT_EQ(Text(caption), window->windowTitle());
        EXPECT_EQ(messages, services.messages());
    }

    std::string DialText() const
    {
        return R().dialByServiceCall ? R().Shell("service call phone 2 s16 06-12-34-56-78")
                                     : R().Shell("am start -a android.intent.action.CALL -d tel:0612345678");
    }
};

TEST_P(Releases, EveryButtonDoesWhatItsCaptionSays)
{
    ASSERT_NO_FATAL_FAILURE(Open(R"("tmp_files": ["a.txt"])"));
    EXPECT_EQ(Text(R().androidItem), window->list_infotel->items().value(3));

    // The refresh asks the release once, and from Android 4.0 the disabled packages.
    Journal refresh = {R().Shell("pm list packages -f"), R().Shell("getprop ro.build.version.sdk")};
    if (std::string(R().profile) != "android-2.2")
        refresh.push_back(R().Shell("pm list packages -d"));
    Expect("refresh", [this] { window->sBitBtn1->click(); }, refresh, texts::kCaptionSuccess);
    EXPECT_EQ(R().systemApps, window->listapplisys->items());
    EXPECT_EQ(1, window->listappautre->items().size());
    EXPECT_EQ(3, window->StringGrid1->rowCount());

    const std::string getLocation = R().camelCasePm ? "pm getInstallLocation" : "pm get-install-location";
    Journal firstRead = {R().Shell("pm getInstallLocation")};
    if (!R().camelCasePm)
        firstRead.push_back(R().Shell(getLocation));
    firstRead.push_back(R().Shell("bmgr enabled"));
    Expect("read-back", [this] { window->bt_actualfroyo->click(); }, firstRead, texts::kCaptionSuccess);
    EXPECT_EQ(0, window->reglageappliinstall->itemIndex());
    EXPECT_EQ(0, window->reglagesave->itemIndex());

    const std::string setLocation = R().camelCasePm ? "pm setInstallLocation 2" : "pm set-install-location 2";
    Expect("apply",
           [this] {
               window->reglageappliinstall->setItemIndex(2);
               window->reglagesave->setItemIndex(1);
               window->bt_appliquer->click();
           },
           {R().Shell(setLocation), R().Shell("bmgr enable false")}, texts::kCaptionApplied);
    // The phone changed as the caption says: read back, with the verb it knows.
    window->reglageappliinstall->setItemIndex(0);
    window->reglagesave->setItemIndex(0);
    Expect("read-back after apply", [this] { window->bt_actualfroyo->click(); },
           {R().Shell(getLocation), R().Shell("bmgr enabled")}, texts::kCaptionSuccess);
    EXPECT_EQ(2, window->reglageappliinstall->itemIndex());
    EXPECT_EQ(1, window->reglagesave->itemIndex());

    window->ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
    Expect("dial", [this] { window->bt_numeroter->click(); }, {DialText()}, texts::kCaptionSuccess); // release known
    Expect("dial again", [this] { window->bt_numeroter->click(); }, {DialText()}, texts::kCaptionSuccess);

    Expect("keypad", [this] { Tfm_appli(window.get()).sBitBtn10->click(); }, {R().Shell("input keyevent 24")},
           texts::kCaptionSuccess);
    Expect("trash", [this] { window->bt_trash->click(); }, {R().Shell("rm /data/local/tmp/*")}, texts::kCaptionApplied,
           {Text(texts::kTrashResultPrefix)});
    Expect("removal",
           [this] {
               window->StringGrid1->setRow(1);
               window->bt_desinstall->click();
           },
           {R().Shell("pm uninstall -k com.example.notes")}, texts::kCaptionSuccess,
           {Text(texts::kRemovalResultPrefix) + "Success\r\n"});
    Expect("reboot", [this] { window->bt_reboot->click(); }, {"reboot:"}, texts::kCaptionSuccess);
}

// Answer files for the phone: a command whose words begin with the key prints the file.
std::string AnswerFiles(const std::vector<std::pair<std::string, std::string>>& answers)
{
    const auto folder = std::filesystem::temp_directory_path() / ("quoddle-answers-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::string json = "\"answer_files\": {";
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const auto file = folder / ("answer" + std::to_string(i));
        std::ofstream(file, std::ios::binary) << answers[i].second;
        json += (i ? ", \"" : "\"") + answers[i].first + "\": \"" + file.string() + "\"";
    }
    return json + "}";
}

TEST_P(Releases, APhoneThatRefusesIsNeverShownAsSuccess)
{
    ASSERT_NO_FATAL_FAILURE(Open(AnswerFiles({
        // bmgr's usage, as when the BOOL is missing; a phone app that throws a
        // SecurityException; am that could not start the call.
        {"bmgr enable", "usage: bmgr [backup|restore|list|transport|run]\n       bmgr enable BOOL\n"},
        {"service call", "Result: Parcel(\n  0x00000000: ffffffff 0000001e 00650050 006d0072 '........P.e.r.m.'\n)\n"},
        {"am start", "Starting: Intent { act=android.intent.action.CALL dat=tel:xxxxxxxxxx }\n"
                     "Error: Activity not started, you do not have permission to access it.\n"},
    })));
    const auto refused = [this] {
        const QStringList shown = services.messages();
        return shown.size() == 1 && shown[0].startsWith(Text(texts::kRefusedPrefix));
    };
    const std::string setLocation = R().camelCasePm ? "pm setInstallLocation 1" : "pm set-install-location 1";
    // Learnt from the read-back, as when the page is entered.
    window->bt_actualfroyo->click();
    session->TakeJournal();
    window->reglageappliinstall->setItemIndex(1);
    window->reglagesave->setItemIndex(0);
    window->setWindowTitle(QString());
    services.clear();
    window->bt_appliquer->click();
    EXPECT_EQ((Journal{R().Shell(setLocation), R().Shell("bmgr enable true")}), session->TakeJournal());
    EXPECT_EQ(Text(texts::kCaptionRefused), window->windowTitle());
    EXPECT_TRUE(refused()) << services.messages().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(services.messages().value(0).contains(QStringLiteral("usage: bmgr")));

    services.clear();
    window->ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
    window->bt_numeroter->click();
    EXPECT_EQ((Journal{R().Shell("getprop ro.build.version.sdk"), DialText()}), session->TakeJournal());
    EXPECT_EQ(Text(texts::kCaptionRefused), window->windowTitle());
    EXPECT_TRUE(refused()) << services.messages().join(QStringLiteral(" | ")).toStdString();

    // pm refusing a removal or an install: before Android 7 with exit status 0,
    // after it with a status that adb passes on. Never the success caption.
    const char* const pmRefusal = R().shellV2 ? texts::kCaptionBadCommand : texts::kCaptionRefused;
    window->StringGrid1->setRow(1);
    window->StringGrid1->setCell(2, 1, QStringLiteral("com.example.nosuch"));
    window->bt_desinstalltt->click();
    EXPECT_EQ(Text(pmRefusal), window->windowTitle());

    const auto apk = session->WorkDir() / "notes.apk";
    std::ofstream(apk, std::ios::binary) << "package=com.example.notes\n";
    services.clear();
    services.fileAnswers = {QString::fromStdString(apk.string())};
    window->bt_install->click();
    window->bt_installrom->click();
    EXPECT_EQ(QStringList{Text(texts::kInstallAlreadyThere)}, services.messages());
    EXPECT_EQ(Text(pmRefusal), window->windowTitle());
}

// An Android 2.2 phone and an Android 14 one attached together: each gets the
// texts of its own release, learnt once for each serial, and nothing of the other's.
TEST(TwoReleases, EachPhoneGetsTheTextsOfItsRelease)
{
    AdbSessionOptions options;
    options.phoneConfig = R"({"profile": "android-2.2"})";
    AdbSession session(options);
    session.AddPhone(R"({"profile": "android-14"})");
    RecordingServices services;
    services.appDir = session.AppDir();
    TFrmMain window;
    ASSERT_EQ(2, window.listdevices->count());
    const Release& old = kReleases[0];
    const Release& current = kReleases[3];
    const auto pick = [&](std::size_t phone) {
        const int index = window.listdevices->findText(QString::fromStdString(session.Serial(phone)));
        window.listdevices->setCurrentIndex(index);
        emit window.listdevices->activated(index);
        session.TakeJournal(0);
        session.TakeJournal(1);
    };
    window.ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (std::size_t phone : {0u, 1u}) {
            const Release& r = phone == 0 ? old : current;
            SCOPED_TRACE(r.profile);
            pick(phone);
            window.bt_actualfroyo->click();
            window.bt_numeroter->click();
            Tfm_appli(&window).sBitBtn9->click();
            Journal expected;
            if (round == 0 && phone == 1)
                expected.push_back(r.Shell("pm getInstallLocation"));
            expected.push_back(r.Shell(phone == 0 ? "pm getInstallLocation" : "pm get-install-location"));
            expected.push_back(r.Shell("bmgr enabled"));
            if (round == 0)
                expected.push_back(r.Shell("getprop ro.build.version.sdk"));
            expected.push_back(phone == 0 ? r.Shell("service call phone 2 s16 06-12-34-56-78")
                                          : r.Shell("am start -a android.intent.action.CALL -d tel:0612345678"));
            expected.push_back(r.Shell("input keyevent 25"));
            EXPECT_EQ(expected, session.TakeJournal(phone));
            EXPECT_EQ(Journal{}, session.TakeJournal(1 - phone));
            EXPECT_EQ(Text(texts::kCaptionSuccess), window.windowTitle());
        }
    }
    EXPECT_EQ(QStringList{}, services.messages());
}

INSTANTIATE_TEST_SUITE_P(Android, Releases, ::testing::ValuesIn(kReleases),
                         [](const ::testing::TestParamInfo<Release>& info) {
                             std::string name = info.param.profile;
                             for (char& c : name)
                                 if (c == '-' || c == '.')
                                     c = '_';
                             return name;
                         });

} // namespace
} // namespace quoddle::test
