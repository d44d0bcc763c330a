#include "MainWindowFixture.hpp"

#include "core/TestChild.hpp"
#include "operations/Texts.hpp"
#include "platform/Platform.hpp"
#include "startup/SplashScreen.hpp"
#include "widgets/SpinEdit.hpp"

#include <QAction>
#include <QPushButton>
#include <qpa/qplatformwindow.h>

#include <thread>

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
#endif

using namespace quoddle;
using namespace quoddle::test;

TEST_F(MainWindowTest, ClosingRunsUsbThenKillServer)
{
    Open(PhoneRules() + std::vector{FakeAdbRule::Default()});
    adb.ClearJournal();
    window->show();
    window->Quitter1->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ((FakeAdb::Calls{{"usb"}, {"kill-server"}}), Sent());
}

TEST_F(MainWindowTest, ClosingAfterWifiDisconnectsFirst)
{
    Open({DevicesRule(""), FakeAdbRule::Default()});
    window->bt_connectwifi->click();
    adb.ClearJournal();
    window->show();
    window->close();
    EXPECT_EQ((FakeAdb::Calls{{"disconnect", "192.168.1.6:5555"}, {"usb"}, {"kill-server"}}), Sent());
}

TEST_F(MainWindowTest, AFailedClosingRunKeepsTheWindowOpen)
{
    Open(PhoneRules());
    window->show();
    std::filesystem::remove(folder.path() / FakeAdb::AdbFileName());
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(1, services.errors().size());
}

TEST_F(MainWindowTest, SplashEndsAStaleAdbAndStartsTheServer)
{
    // An "adb" of our own, so there is one to find.
    const auto fakeAdbDir = folder.path() / "stale";
    std::filesystem::create_directories(fakeAdbDir);
    std::filesystem::copy_file(ChildDir() + ChildFileName(), fakeAdbDir / "adb");
    ASSERT_TRUE(platform::StartDetached((fakeAdbDir / "adb").string(), "pause:3000", folder.dir()));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));

    TSplashScreen splash;
    ASSERT_EQ(3, services.log.size()) << services.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(services.log[0].startsWith(QStringLiteral("end:")));
    EXPECT_EQ(QStringLiteral("sleep:500"), services.log[1]);
    EXPECT_EQ(QString::fromStdString("detached:" + folder.dir() + FakeAdb::AdbFileName() + "|start-server|" +
                                     folder.dir()),
              services.log[2]);
    EXPECT_FALSE(splash.quitRequested());
    splash.FormClose();
    EXPECT_EQ(QStringLiteral("sleep:5000"), services.log.last());

    // Nothing was ended for real; our stand-in ends by itself after its pause.
}

TEST_F(MainWindowTest, FailedServerStartAsksToQuit)
{
    services.detachedStartSucceeds = false;
    TSplashScreen splash;
    EXPECT_TRUE(splash.quitRequested());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kServerStartFailed)}, services.messages());
}

namespace {
// What the X11 and Windows platforms do to a window's caption before showing it.
struct ShownCaption : QPlatformWindow {
    using QPlatformWindow::formatWindowTitle;
};
} // namespace

TEST(ApplicationTitle, LeavesTheWindowsCaptionsAsSet)
{
    SetApplicationTitle(QStringLiteral("Quoddle"));
    const QString caption = QString::fromUtf8(texts::kCaptionSuccess);
    EXPECT_EQ(caption, ShownCaption::formatWindowTitle(caption, QStringLiteral(" \u2014 ")));
    EXPECT_EQ(QStringLiteral("Quoddle"), ApplicationTitle());
    SetApplicationTitle(QString()); // back to the default title for the other tests
}

#ifndef _WIN32
TEST_F(MainWindowTest, AnAdbThatHasEndedIsNotTakenForARunningOne)
{
    // An adb server stays a zombie for a moment after "kill-server", until its parent collects it.
    const auto dir = folder.path() / "ended";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(ChildDir() + ChildFileName(), dir / "adb");
    const std::string program = (dir / "adb").string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t zombie = -1;
    ASSERT_EQ(0, ::posix_spawn(&zombie, program.c_str(), nullptr, nullptr, argv, environ));
    siginfo_t info{};
    ASSERT_EQ(0, ::waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT)); // ended, not collected

    KillProcessByName("adb", true);
    EXPECT_FALSE(services.log.contains(QStringLiteral("end:%1").arg(zombie))) << services.log.join(' ').toStdString();
    ::waitpid(zombie, nullptr, 0);
}
#endif
