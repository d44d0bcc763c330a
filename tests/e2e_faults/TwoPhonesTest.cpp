// Two phones attached: the window lists both, and every operation reaches the
// one chosen in the list, never the other: the settings read-back, the backup
// write and the keypad's key events name it too, so adb does not refuse them
// ("more than one device/emulator").

#include "FaultSession.hpp"

#include "widgets/MaskEdit.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/KeypadWindow.hpp"

#include <QComboBox>

#include <algorithm>
#include <functional>

namespace quoddle::test {
namespace {

std::string Shell(const std::string& command) { return "shell,v2,TERM=dumb,raw:" + command; }

const Journal kReport = {
    Shell("getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && getprop "
          "ro.build.description && getprop ro.build.id && getprop ro.bootloader && getprop ro.com.google.gmsversion "
          "&& getprop ro.product.version"),
    Shell("getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop gsm.operator.alpha && getprop "
          "gsm.network.type"),
};

class TwoPhones : public FaultSession {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSession({}));
        session->AddPhone(R"({"properties": {"ro.product.model": "Fake Phone Two"}, "tmp_files": ["a.txt"]})");
        OpenWindow();
    }

    // Picks a phone in the list as the user does.
    void Pick(std::size_t phone)
    {
        const int index = window->listdevices->findText(QString::fromStdString(Serial(phone)));
        ASSERT_GE(index, 0);
        window->listdevices->setCurrentIndex(index);
        emit window->listdevices->activated(index);
    }

    // Runs an operation and checks that only `phone` saw it, as `expected`.
    void ExpectOnlyOn(std::size_t phone, const std::function<void()>& operation, const Journal& expected)
    {
        PhoneSaw(0);
        PhoneSaw(1);
        operation();
        EXPECT_EQ(expected, PhoneSaw(phone));
        EXPECT_EQ(Journal{}, PhoneSaw(1 - phone));
    }
};

TEST_F(TwoPhones, BothListedAndEveryOperationReachesTheChosenOne)
{
    // adb lists the phones sorted by serial; the first is chosen at start.
    std::vector<std::string> serials = {Serial(0), Serial(1)};
    std::sort(serials.begin(), serials.end());
    ASSERT_EQ(2, window->listdevices->count());
    EXPECT_EQ(QString::fromStdString(serials[0]), window->listdevices->itemText(0));
    EXPECT_EQ(QString::fromStdString(serials[1]), window->listdevices->itemText(1));
    EXPECT_EQ(serials[0], window->CurrentDevice);

    if (window->CurrentDevice == Serial(1)) // phone 1 listed first: pick the other one before
        ExpectOnlyOn(0, [this] { Pick(0); }, kReport);
    ExpectOnlyOn(1, [this] { Pick(1); }, kReport);
    EXPECT_EQ(Serial(1), window->CurrentDevice);
    ExpectOnlyOn(1, [this] { Pick(1); }, {}); // the selected one again: nothing is sent
    EXPECT_EQ(QStringLiteral("Modèle : Fake Phone Two"), window->list_infotel->items().value(2));

    const std::string apk = (session->WorkDir() / "new.apk").string();
    WritePackageFile(apk, "com.example.newapp", 5000);
    window->ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
    const struct {
        const char* name;
        std::function<void()> operation;
        Journal expected;
    } operations[] = {
        {"refresh", [this] { window->sBitBtn1->click(); },
         {Shell("pm list packages -f"), Shell("getprop ro.build.version.sdk")}}, // an Android 2.2 phone
        {"install", [&] { Choose(apk); window->bt_installrom->click(); }, {"exec:cmd package 'install' -S 5000"}},
        {"removal", [this] { window->StringGrid1->setRow(1); window->bt_desinstall->click(); },
         {Shell("pm uninstall -k com.example.notes")}},
        {"dial", [this] { window->bt_numeroter->click(); }, // the refresh learnt the release
         {Shell("service call phone 2 s16 06-12-34-56-78")}},
        {"trash", [this] { window->bt_trash->click(); }, {Shell("rm /data/local/tmp/*")}},
        {"reboot", [this] { window->bt_reboot->click(); }, {"reboot:"}},
    };
    for (const auto& o : operations) {
        SCOPED_TRACE(o.name);
        ExpectOnlyOn(1, o.operation, o.expected);
        EXPECT_NE(Text(texts::kCaptionBadCommand), Caption());
        EXPECT_NE(Text(texts::kCaptionRunError), Caption());
    }
    EXPECT_EQ((QStringList{Text(texts::kInstallSuccess), Text(texts::kRemovalResultPrefix) + "Success\r\n",
                           Text(texts::kTrashResultPrefix)}),
              Messages());
    EXPECT_EQ(QStringList{}, Errors());

    // The settings page and the keypad name the chosen phone as well.
    const struct {
        const char* name;
        std::function<void()> operation;
        Journal expected;
        const char* caption;
    } named[] = {
        {"read-back", [this] { window->bt_actualfroyo->click(); },
         {Shell("pm getInstallLocation"), Shell("bmgr enabled")}, texts::kCaptionSuccess},
        {"apply",
         [this] {
             window->reglageappliinstall->setItemIndex(1);
             window->reglagesave->setItemIndex(1);
             window->bt_appliquer->click();
         },
         {Shell("pm setInstallLocation 1"), Shell("bmgr enable false")}, texts::kCaptionApplied},
        {"keypad", [this] { Tfm_appli(window.get()).sBitBtn10->click(); }, {Shell("input keyevent 24")},
         texts::kCaptionSuccess},
        {"read-back after apply", [this] { window->bt_actualfroyo->click(); },
         {Shell("pm getInstallLocation"), Shell("bmgr enabled")}, texts::kCaptionSuccess},
    };
    for (const auto& o : named) {
        SCOPED_TRACE(o.name);
        ExpectOnlyOn(1, o.operation, o.expected);
        EXPECT_EQ(Text(o.caption), Caption());
    }
    EXPECT_EQ(1, window->reglageappliinstall->itemIndex());
    EXPECT_EQ(1, window->reglagesave->itemIndex());
    EXPECT_EQ(QStringList{}, Messages());

    // And back to the first phone.
    ExpectOnlyOn(0, [this] { Pick(0); }, kReport);
    EXPECT_EQ(QStringLiteral("Modèle : Fake Phone One"), window->list_infotel->items().value(2));
    ExpectNoAdbChild();
}

} // namespace
} // namespace quoddle::test
