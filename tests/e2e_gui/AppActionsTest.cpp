// The row actions through the real adb against fakephone: a system
// application disabled then enabled again, the mark following after each
// refresh, and a refusal told with the phone's own words. On Android 4.0
// (legacy shell, no --user) and Android 14 (shell_v2).

#include "WindowSession.hpp"

#include "operations/AppActions.hpp"
#include "operations/Texts.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QAction>
#include <QMenu>

namespace quoddle::test {
namespace {

class RowActions : public WindowSession {
protected:
    bool Android14() const { return Kind().android11; }
    // Android 4.0 for the old presets, Android 14 for the current one.
    std::string Release() const
    {
        return Android14() ? R"("properties": {"ro.build.version.release": "14", "ro.build.version.sdk": "34"})"
                           : R"("properties": {"ro.build.version.release": "4.0.4", "ro.build.version.sdk": "15"})";
    }

    // Answers "Oui" and picks the action from the row's menu.
    void Act(QAbstractItemView* view, const char* action)
    {
        services.questionAnswers = {true};
        std::unique_ptr<QMenu> menu = window->ApplicationMenu(view);
        QAction* chosen = menu->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_TRUE(chosen && chosen->isVisible() && chosen->isEnabled()) << action;
        chosen->trigger();
    }
    QString Report(const QString& line) const { return QString::fromUtf8(texts::kRowActionReport) + "\n" + line; }
};

TEST_P(RowActions, DisableThenRefreshMarksItEnableClearsItARefusalShowsTheAnswer)
{
    ASSERT_NO_FATAL_FAILURE(Open(Release()));
    window->sBitBtn1->click();
    PhoneSaw();
    TextListBox* system = window->listapplisys;
    ASSERT_LT(0, system->count());
    const QString package = PackageOfListItem(system->item(0)->text());
    const std::string name = package.toStdString();
    system->setCurrentRow(0);

    Act(system, "disable");
    EXPECT_EQ(Journal{Kind().Shell(Android14() ? "pm disable-user --user 0 " + name : "pm disable-user " + name)},
              PhoneSaw());
    EXPECT_EQ(QStringList{Report(package + " : fait")}, Messages());
    window->sBitBtn1->click();
    EXPECT_EQ((Journal{Kind().Shell("pm list packages -f"), Kind().Shell("pm list packages -d")}), PhoneSaw());
    EXPECT_TRUE(system->isItemMarked(0)) << "learnt from the phone at refresh";

    system->setCurrentRow(0);
    Act(system, "enable");
    EXPECT_EQ(Journal{Kind().Shell("pm enable " + name)}, PhoneSaw());
    EXPECT_EQ(QStringList{Report(package + " : fait")}, Messages());
    window->sBitBtn1->click();
    PhoneSaw();
    EXPECT_FALSE(system->isItemMarked(0));

    // Removed by its button, the application is still listed until the next
    // refresh; disabling it then is refused by the phone.
    window->StringGrid1->setRow(1);
    window->bt_desinstalltt->click();
    PhoneSaw();
    Messages();
    Act(window->StringGrid1, "disable");
    PhoneSaw();
    const QString refusal = Android14()
        ? "Exception occurred while executing 'disable-user':\n"
          "java.lang.IllegalArgumentException: Unknown package: com.example.notes\n"
          "\tat com.android.server.pm.PackageManagerService.setEnabledSetting(PackageManagerService.java)"
        : QString::fromUtf8(texts::kRowActionNoAnswer); // 4.0's pm dies of it, telling only the log
    EXPECT_EQ(QStringList{Report(QString::fromUtf8(texts::kRowActionFailed).arg("com.example.notes", refusal))},
              Messages());
    EXPECT_FALSE(window->StringGrid1->isRowMarked(1));
}

TEST_P(RowActions, ClearDataAsksThenSaysSuccess)
{
    ASSERT_NO_FATAL_FAILURE(Open(Release()));
    window->sBitBtn1->click();
    PhoneSaw();
    window->StringGrid1->setRow(1);
    Act(window->StringGrid1, "clearData");
    EXPECT_EQ(1, services.questions().size());
    EXPECT_EQ(Journal{Kind().Shell("pm clear com.example.notes")}, PhoneSaw());
    EXPECT_EQ(QStringList{Report("com.example.notes : fait")}, Messages());
}

const PhoneKind kReleases[] = {
    {"android4_lf_legacy", "lf", false, false},
    {"android4_crcrlf_legacy", "crcrlf", false, false},
    {"android14_lf", "lf", true, true},
    {"android14_crcrlf", "crcrlf", true, true},
};

INSTANTIATE_TEST_SUITE_P(Releases, RowActions, ::testing::ValuesIn(kReleases), PhoneKindName);

} // namespace
} // namespace quoddle::test
