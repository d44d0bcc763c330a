// The row actions through the real adb against fakephone: a system
// application disabled then enabled again, the mark following after each
// refresh, and a refusal told with the phone's own words, on Android 4.0
// (no --user), 4.4, 9 and 14.

#include "WindowSession.hpp"

#include "operations/AppActions.hpp"
#include "operations/Texts.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace quoddle::test {
namespace {

// A release's profile (tests/fakephone/profiles), and what its pm says when
// it refuses to disable a package it does not know.
struct Release {
    const char* name;
    const char* config;
    bool shellV2;    // Android 7 and later
    bool userOption; // disable-user --user: from 4.4
    const char* refusal;
};

std::ostream& operator<<(std::ostream& os, const Release& r) { return os << r.name; }

const Release kReleases[] = {
    // 4.0: the 4.4 phone with 4.0's API level; pm dies of the exception, telling only the log.
    {"android_4_0", R"({"profile": "android-4.4", "properties": {"ro.build.version.release": "4.0.4", )"
                    R"("ro.build.version.sdk": "15"}})",
     false, false, nullptr},
    {"android_4_4", R"({"profile": "android-4.4"})", false, true, nullptr},
    {"android_9", R"({"profile": "android-9"})", true, true,
     "Exception occurred while executing:\n"
     "java.lang.IllegalArgumentException: Unknown package: com.example.notes\n"
     "\tat com.android.server.pm.PackageManagerService.setEnabledSetting(PackageManagerService.java)"},
    {"android_14", R"({"profile": "android-14"})", true, true,
     "Exception occurred while executing 'disable-user':\n"
     "java.lang.IllegalArgumentException: Unknown package: com.example.notes\n"
     "\tat com.android.server.pm.PackageManagerService.setEnabledSetting(PackageManagerService.java)"},
};

class RowActions : public ProfileWindow<Release> {
protected:
    const Release& R() const { return this->GetParam(); }
    std::string Shell(const std::string& command) const
    {
        return (R().shellV2 ? "shell,v2,TERM=dumb,raw:" : "shell:") + command;
    }

    void Open() { OpenWith(R().config); }

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
    ASSERT_NO_FATAL_FAILURE(Open());
    window->sBitBtn1->click();
    PhoneSaw();
    TextListBox* system = window->listapplisys;
    ASSERT_LT(0, system->count());
    const QString package = PackageOfListItem(system->item(0)->text());
    const std::string name = package.toStdString();
    system->setCurrentRow(0);

    Act(system, "disable");
    EXPECT_EQ(Journal{Shell(R().userOption ? "pm disable-user --user 0 " + name : "pm disable-user " + name)},
              PhoneSaw());
    EXPECT_EQ(QStringList{Report(package + " : fait")}, Messages());
    window->sBitBtn1->click();
    EXPECT_EQ((Journal{Shell("pm list packages -f"), Shell("pm list packages -d")}), PhoneSaw());
    EXPECT_TRUE(system->isItemMarked(0)) << "learnt from the phone at refresh";

    system->setCurrentRow(0);
    Act(system, "enable");
    EXPECT_EQ(Journal{Shell("pm enable " + name)}, PhoneSaw());
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
    const QString refusal = R().refusal ? QString::fromUtf8(R().refusal) : QString::fromUtf8(texts::kRowActionNoAnswer);
    EXPECT_EQ(QStringList{Report(QString::fromUtf8(texts::kRowActionFailed).arg("com.example.notes", refusal))},
              Messages());
    EXPECT_FALSE(window->StringGrid1->isRowMarked(1));
}

TEST_P(RowActions, ClearDataAsksThenSaysSuccess)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    window->sBitBtn1->click();
    PhoneSaw();
    window->StringGrid1->setRow(1);
    Act(window->StringGrid1, "clearData");
    EXPECT_EQ(1, services.questions().size());
    EXPECT_EQ(Journal{Shell("pm clear com.example.notes")}, PhoneSaw());
    EXPECT_EQ(QStringList{Report("com.example.notes : fait")}, Messages());
}

INSTANTIATE_TEST_SUITE_P(Android, RowActions, ::testing::ValuesIn(kReleases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quoddle::test
