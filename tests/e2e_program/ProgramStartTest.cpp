// The real program, started as a user starts it, against the real adb and a
// simulated phone that the adb server finds by itself as emulator-5554.
// Checked from outside only: the window's title, what reached the phone, the
// adb server's port, and the fate of a process named adb left running.

#include "ProgramSession.hpp"

#include <gtest/gtest.h>

namespace quoddle::test {
namespace {

using namespace std::chrono_literals;

// The services the information report opens on the phone (fakephone's
// "classic" profile has shell_v2; the session sets TERM=dumb).
const std::vector<std::string> kReportServices = {
    "shell,v2,TERM=dumb,raw:getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && "
    "getprop ro.build.description && getprop ro.build.id && getprop ro.bootloader && getprop "
    "ro.com.google.gmsversion && getprop ro.product.version",
    "shell,v2,TERM=dumb,raw:getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop "
    "gsm.operator.alpha && getprop gsm.network.type",
};

// Runs xdotool on the session's display; true when it succeeded.
bool Xdotool(const ProgramSession& session, std::vector<std::string> args)
{
    args.insert(args.begin(), QUODDLE_XDOTOOL);
    const pid_t pid = StartChild(args, EnvironmentWith({{"DISPLAY", session.display()}}), {-1, -1, -1});
    return WaitChild(pid, 10s) == 0;
}

// Alt+F, then Q, in the main window; the program must then end well.
void CloseThroughTheMenu(ProgramSession& session, xcb_window_t window)
{
    ASSERT_TRUE(Xdotool(session, {"windowfocus", "--sync", std::to_string(window)}));
    ASSERT_TRUE(Xdotool(session, {"key", "alt+f"}));
    ASSERT_TRUE(session.watcher().WaitForShown([](const auto& s) { return s.popup(); }, 10s)) << "no menu opened";
    ASSERT_TRUE(Xdotool(session, {"key", "q"}));
    const auto status = session.program().WaitForExit(30s);
    ASSERT_TRUE(status) << "the program did not end; it printed:\n" << session.Log();
    EXPECT_EQ(0, *status) << session.Log();
}

TEST(ProgramStart, FindsThePhoneThenShutsDownThroughAdbWhenClosed)
{
    if (const auto why = WhyProgramCannotStart())
        GTEST_SKIP() << *why;
    ProgramSession session;

    // Start-up: the stale adb ended, the server started behind the splash, the
    // phone found and reported on, then the main window shown.
    const auto shown = session.watcher().WaitForShown(IsMainWindow, 60s);
    ASSERT_TRUE(shown) << "no main window; the program printed:\n" << session.Log();
    EXPECT_EQ("Quoddle - Commande executer avec succès !! ", shown->title);
    // The report's runs name the device by the serial the search selected
    // ("-s emulator-5554"); adb routes them to the phone only when that
    // serial is the one it lists, so their arrival shows that the device list
    // holds it, selected, and that the window went to its connected state.
    EXPECT_EQ(kReportServices, session.adb().TakeJournal());
    EXPECT_TRUE(LoopbackPortListening(session.adb().ServerPort())) << "the program's adb server is not running";

    // Close through the menu, as a user does: Alt+F opens "&Fichier", Q is "&Quitter".
    CloseThroughTheMenu(session, shown->window);
    if (testing::Test::HasFatalFailure())
        return;
    EXPECT_EQ(std::optional<bool>(true), session.program().DecoyEnded()) << "the stale adb was not ended";
    // "usb" reached the phone; "kill-server" stopped the server (its namespace still stands).
    EXPECT_EQ(std::vector<std::string>{"usb:"}, session.adb().TakeJournal());
    bool serverGone = false;
    for (int i = 0; i < 100 && !serverGone; ++i, std::this_thread::sleep_for(50ms))
        serverGone = !LoopbackPortListening(session.adb().ServerPort());
    EXPECT_TRUE(serverGone) << "the adb server still answers after the program ended";
}

TEST(ProgramStart, SpeaksEnglishOnAnEnglishDesktopAndItsMenuStillCloses)
{
    if (const auto why = WhyProgramCannotStart())
        GTEST_SKIP() << *why;
    ProgramSession session("{}", true, true, "en_US.UTF-8");

    const auto shown = session.watcher().WaitForShown(IsMainWindow, 60s);
    ASSERT_TRUE(shown) << "no main window; the program printed:\n" << session.Log();
    EXPECT_EQ("Quoddle - Command completed successfully!", shown->title);
    EXPECT_EQ(kReportServices, session.adb().TakeJournal()); // what reaches the phone is the same

    CloseThroughTheMenu(session, shown->window); // Alt+F opens "&File", Q is "&Quit"
}

TEST(ProgramStart, EndsAfterStartUpWhenTheServerCannotBeStarted)
{
    if (const auto why = WhyProgramCannotStart())
        GTEST_SKIP() << *why;
    ProgramSession session("{}", true, false); // no adb in the program's folder

    // Before the title is set, boxes carry the executable's name up to its first dot.
    const auto box = [](const WindowWatcher::Shown& s) {
        return s.kind == WindowWatcher::Kind::Dialog && s.title == "quoddle";
    };
    // The failed server start, then the failed first device search.
    const auto first = session.watcher().WaitForShown(box, 60s);
    ASSERT_TRUE(first) << "no message box; the program printed:\n" << session.Log();
    session.watcher().Close(first->window);
    const auto second = session.watcher().WaitForShown(
        [&](const WindowWatcher::Shown& s) { return box(s) && s.window != first->window; }, 60s);
    ASSERT_TRUE(second) << "no error box for the device search; the program printed:\n" << session.Log();
    session.watcher().Close(second->window);

    // The rest of start-up runs, then the quit request ends it: the main
    // window is never shown and no closing run is made.
    const auto status = session.program().WaitForExit(30s);
    ASSERT_TRUE(status) << "the program did not end; it printed:\n" << session.Log();
    EXPECT_EQ(0, *status);
    EXPECT_EQ(std::optional<bool>(true), session.program().DecoyEnded());
    for (const auto& shown : session.watcher().history())
        EXPECT_NE(WindowWatcher::Kind::Normal, shown.kind) << "a window was shown: " << shown.title;
    EXPECT_EQ(std::vector<std::string>{}, session.adb().TakeJournal());
    EXPECT_FALSE(LoopbackPortListening(session.adb().ServerPort()));
}

} // namespace
} // namespace quoddle::test
