// Reboots, dialling, the temporary folder and the storage and backup
// settings from the main window, through the real adb: what reached the
// phone, what the user was shown, the caption.

#include "WindowSession.hpp"

#include "operations/Texts.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/RadioGroup.hpp"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace quoddle::test {
namespace {

class Actions : public WindowSession {};

TEST_P(Actions, EachRebootReachesThePhone)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    PhoneSaw();
    const struct {
        QPushButton* button;
        const char* service;
    } cases[] = {
        {window->bt_reboot, "reboot:"},
        {window->btrebootloader, "reboot:bootloader"},
        {window->bt_rebootrecovery, "reboot:recovery"},
    };
    for (const auto& c : cases) {
        window->setWindowTitle(QString());
        c.button->click();
        EXPECT_EQ(Journal{c.service}, PhoneSaw());
        EXPECT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption()) << c.service;
    }
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_P(Actions, DialSendsTheNumberTextOnClickAndOnEnter)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    PhoneSaw();
    // The classic phone runs Android 2.2, where transaction 2 of the phone
    // service dials; the Android 11 one is called through am.
    const auto dial = [this](const std::string& field, const std::string& digits) {
        return Kind().android11 ? Kind().Shell("am start -a android.intent.action.CALL -d tel:" + digits)
                                : Kind().Shell("service call phone 2 s16 " + field);
    };
    const struct {
        const char* field;
        Journal sent;
    } cases[] = {
        {"06-12-34-56-78", {Kind().Shell("getprop ro.build.version.sdk"), dial("06-12-34-56-78", "0612345678")}},
        {"06-  -  -  -  ", {dial("06-  -  -  -", "06")}},
        {"  -  -  -  -  ", {}},
    };
    for (const auto& c : cases) {
        window->ed_numero->setMaskedText(QString::fromUtf8(c.field));
        window->bt_numeroter->click();
        EXPECT_EQ(c.sent, PhoneSaw()) << c.field;
        // Enter released in the field dials the same way; another key does nothing.
        QKeyEvent other(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(window->ed_numero, &other);
        QKeyEvent enter(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(window->ed_numero, &enter);
        Journal again = c.sent;
        if (!again.empty())
            again.erase(again.begin(), again.end() - 1); // the release is known by now
        EXPECT_EQ(again, PhoneSaw()) << c.field;
        if (!c.sent.empty()) {
            EXPECT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption()) << c.field;
        }
    }
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_P(Actions, TemporaryFolderShowsWhatThePhoneSaid)
{
    ASSERT_NO_FATAL_FAILURE(Open(R"("tmp_files": ["a.txt", "b.log"])"));
    PhoneSaw();
    const QString result = QString::fromUtf8(texts::kTrashResultPrefix);

    window->bt_trash->click();
    EXPECT_EQ(Journal{Kind().Shell("rm /data/local/tmp/*")}, PhoneSaw());
    EXPECT_EQ(QStringList{result}, Messages());
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionApplied), Caption());

    // Now empty: rm fails. With shell_v2 its status reaches adb, and the
    // caption of that failed run stays.
    window->bt_trash->click();
    EXPECT_EQ(Journal{Kind().Shell("rm /data/local/tmp/*")}, PhoneSaw());
    EXPECT_EQ(QStringList{result + QString::fromStdString(Kind().PaneText({"rm: /data/local/tmp/*: No such file or directory"}))},
              Messages());
    EXPECT_EQ(QString::fromUtf8(Kind().shellV2 ? texts::kCaptionBadCommand : texts::kCaptionApplied), Caption());
}

TEST_P(Actions, SettingsAreReadBackAndApplied)
{
    ASSERT_NO_FATAL_FAILURE(Open(R"("install_location": 2, "backup_enabled": false)"));
    PhoneSaw();
    // Android 2.2's pm knows getInstallLocation; Android 11's only the dashed
    // verbs, which the window uses once the phone has said so.
    const bool dashed = Kind().android11;
    const Journal readBack = {Kind().Shell(dashed ? "pm get-install-location" : "pm getInstallLocation"),
                              Kind().Shell("bmgr enabled")};
    const Journal firstReadBack = dashed ? Journal{Kind().Shell("pm getInstallLocation"), readBack[0], readBack[1]}
                                         : readBack;

    window->bt_actualfroyo->click();
    EXPECT_EQ(firstReadBack, PhoneSaw());
    EXPECT_EQ(2, window->reglageappliinstall->itemIndex());
    EXPECT_EQ(1, window->reglagesave->itemIndex());

    const std::string setLocation = dashed ? "pm set-install-location " : "pm setInstallLocation ";
    const struct {
        int location, backup;
        Journal sent;
    } cases[] = {
        {1, 0, {Kind().Shell(setLocation + "1"), Kind().Shell("bmgr enable true")}},
        {0, 1, {Kind().Shell(setLocation + "0"), Kind().Shell("bmgr enable false")}},
    };
    for (const auto& c : cases) {
        window->reglageappliinstall->setItemIndex(c.location);
        window->reglagesave->setItemIndex(c.backup);
        window->bt_appliquer->click();
        EXPECT_EQ(c.sent, PhoneSaw());
        EXPECT_EQ(QString::fromUtf8(texts::kCaptionApplied), Caption());
        // Another choice on screen, then the phone's own settings read back.
        window->reglageappliinstall->setItemIndex((c.location + 1) % 3);
        window->reglagesave->setItemIndex(1 - c.backup);
        window->bt_actualfroyo->click();
        EXPECT_EQ(readBack, PhoneSaw());
        EXPECT_EQ(c.location, window->reglageappliinstall->itemIndex());
        EXPECT_EQ(c.backup, window->reglagesave->itemIndex());
    }
    EXPECT_TRUE(Messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryPhone, Actions, ::testing::ValuesIn(kPhoneKinds), PhoneKindName);

} // namespace
} // namespace quoddle::test
