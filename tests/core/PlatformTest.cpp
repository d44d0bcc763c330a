#include "TempDir.hpp"
#include "TestChild.hpp"
#include "platform/Platform.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace quoddle;
using namespace quoddle::test;

TEST(Platform, ExecutableDirEndsInTheSeparatorAndHoldsTheChild)
{
    const auto dir = platform::ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(platform::PathSeparator(), dir.back());
    EXPECT_TRUE(std::filesystem::exists(dir + ChildFileName()));
}

TEST(Platform, SystemCallFailureWording)
{
    EXPECT_EQ("Un appel à une fonction du système d'exploitation a échoué", platform::SystemCallFailure(0));
    const auto text = platform::SystemCallFailure(2);
    EXPECT_EQ(0u, text.rfind("Erreur système.  Code : 2.\r\n", 0)) << text;
    EXPECT_GT(text.size(), std::string("Erreur système.  Code : 2.\r\n").size());
}

TEST(Platform, DetachedStartRunsAndIsListedAndEnded)
{
    TempDir dir("detached");
    // A copy under a name of its own, so that only our child is ever ended
    // (tests run side by side and start the same child program).
    const std::string ownName =
        dir.path().filename().string() + std::filesystem::path(ChildFileName()).extension().string();
    std::filesystem::copy_file(ChildDir() + ChildFileName(), dir.path() / ownName);
    ASSERT_TRUE(platform::StartDetached((dir.path() / ownName).string(), "pause:3000", dir.path().string()));
    EXPECT_FALSE(platform::StartDetached(dir.dir() + "missing", "", dir.path().string()));

    std::uint32_t pid = 0;
    for (int tries = 0; tries < 100 && pid == 0; ++tries) {
        const auto processes = platform::ListProcesses();
        ASSERT_TRUE(processes.has_value());
#ifndef _WIN32 // Windows lists them in its own order
        EXPECT_TRUE(std::is_sorted(processes->begin(), processes->end(),
                                   [](const auto& a, const auto& b) { return a.pid < b.pid; }));
#endif
        for (const auto& p : *processes) {
            if (p.exeName == ownName)
                pid = p.pid;
        }
        if (pid == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_NE(0u, pid);
    EXPECT_TRUE(platform::EndProcess(pid));
}

#ifndef _WIN32
namespace {
std::size_t OpenDescriptors()
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                  std::filesystem::directory_iterator()));
}
} // namespace

TEST(Platform, ThousandRunsLeaveNoDescriptorAndNoChild)
{
    TSfcConsoleIOHandler runner;
    runner.Execute(ChildCommand(Out("warm\n")));
    const auto before = OpenDescriptors();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(i % 2 == 0 ? 0 : 1,
                  runner.Execute(ChildCommand(i % 2 == 0 ? Out("line\n") : Err("oops\n") + " exit:2")));
    }
    EXPECT_EQ(before, OpenDescriptors());
    int status = 0;
    errno = 0;
    EXPECT_EQ(-1, ::waitpid(-1, &status, WNOHANG));
    EXPECT_EQ(ECHILD, errno);
}

TEST(Platform, GuiAndDosProgramsFailTheWayTheySay)
{
    TempDir dir("kinds");
    std::string gui(512, '\0');
    gui[0] = 'M';
    gui[1] = 'Z';
    gui[60] = static_cast<char>(128);
    gui.replace(128, 2, "PE");
    gui[128 + 92] = 2;
    dir.write("gui.exe", gui);
    std::string dos(100, '\0');
    dos[0] = 'M';
    dos[1] = 'Z';
    dos[61] = 1; // new header at 256: beyond the file
    dir.write("dos.exe", dos);
    std::filesystem::permissions(dir.path() / "gui.exe", std::filesystem::perms::owner_all);

    TSfcConsoleIOHandler runner;
    TCommandInfo info;
    MakeCommandInfo(dir.dir() + "gui.exe", "", dir.dir(), "", info);
    try {
        runner.Execute(info);
        ADD_FAILURE() << "a PE program ran here";
    } catch (const Error& e) {
        EXPECT_EQ(0u, std::string(e.what()).rfind("Erreur système.  Code : 8.\r\n", 0)) << e.what();
    }
    MakeCommandInfo(dir.dir() + "dos.exe", "", dir.dir(), "", info);
    try {
        runner.Execute(info);
        ADD_FAILURE() << "a DOS program ran here";
    } catch (const Error& e) {
        EXPECT_STREQ("Erreur Commande DOS diponible seulement sous XP/NT", e.what());
    }
}

TEST(Platform, CommandInterpreterIsFoundFromTerminal)
{
    ::setenv("TERMINAL", "sh -c", 1);
    EXPECT_EQ("sh", std::filesystem::path(platform::CommandInterpreterPath()).filename().string());
    ::unsetenv("TERMINAL");
}
#endif
