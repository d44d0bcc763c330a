#include "TempDir.hpp"
#include "TestChild.hpp"
#include "platform/Platform.hpp"
#include "platform/ProcessName.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

using namespace quoddle;
using namespace quoddle::test;

TEST(ProcessName, MatchesTheFileNameInCapitalsWithoutItsExtension)
{
    const struct {
        const char* exeName;
        bool matches;
    } rows[] = {
        {"adb.exe", true},
        {"ADB.EXE", true},
        {"adb.com", true},
        {"Adb", true},
        {R"(C:\Program Files\Android\adb.exe)", true},
        {"C:adb.exe", true},
        {"adbx.exe", false},
        {"xadb.exe", false},
        {"ad.exe", false},
        {"adb.exe.bak", false}, // only the last extension goes
        {"adb .exe", false},
        {"", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.matches, platform::ProcessNameMatches(row.exeName, "adb")) << row.exeName;
    EXPECT_TRUE(platform::ProcessNameMatches("ADB.EXE", "Adb"));
}

TEST(ProcessName, FirstMatchInListOrderWins)
{
    const std::vector<platform::ProcessEntry> processes = {
        {4, "System"}, {10, "adbx.exe"}, {12, "ADB.EXE"}, {13, "adb.com"}};
    EXPECT_EQ(12u, platform::FirstProcessNamed(processes, "adb"));
    EXPECT_EQ(std::nullopt, platform::FirstProcessNamed(processes, "fastboot"));
}

namespace {

using Processes = std::vector<platform::ProcessEntry>;

// The processes that this test started: not running before, named as our copies.
Processes OursNow(const std::set<std::uint32_t>& before, const std::set<std::string>& names)
{
    Processes ours;
    const auto all = platform::ListProcesses();
    if (!all)
        return ours;
    for (const auto& p : *all) {
        if (!before.count(p.pid) && names.count(p.exeName))
            ours.push_back(p);
    }
    return ours;
}

// Waits until `ready` holds for the list of our processes, or five seconds pass.
template <typename Ready>
Processes WaitFor(const std::set<std::uint32_t>& before, const std::set<std::string>& names, Ready ready)
{
    Processes ours;
    for (int tries = 0; tries < 500; ++tries) {
        ours = OursNow(before, names);
        if (ready(ours))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ours;
}

bool Lists(const Processes& processes, std::uint32_t pid)
{
    return std::any_of(processes.begin(), processes.end(), [&](const auto& p) { return p.pid == pid; });
}

} // namespace

// What start-up does with a stale adb (list, first match, end), on copies of
// the test child named like adb, and never on a process this test did not start.
TEST(ProcessName, ListAndEndFindsOnlyAdbNamedCopies)
{
    TempDir dir("names");
    const std::set<std::string> names = {"ADB.EXE", "adb.com", "adbx.exe"};
    for (const auto& name : names)
        std::filesystem::copy_file(ChildDir() + ChildFileName(), dir.path() / name);

    std::set<std::uint32_t> before;
    const auto running = platform::ListProcesses();
    ASSERT_TRUE(running.has_value());
    for (const auto& p : *running)
        before.insert(p.pid);
    // Whatever happens below, none of our copies is left running.
    struct EndOurs {
        const std::set<std::uint32_t>& before;
        const std::set<std::string>& names;
        ~EndOurs()
        {
            for (const auto& p : OursNow(before, names))
                platform::EndProcess(p.pid);
        }
    } endOurs{before, names};
    for (const auto& name : names)
        ASSERT_TRUE(platform::StartDetached(dir.dir() + name, "pause:10000", dir.path().string())) << name;

    Processes ours = WaitFor(before, names, [](const Processes& p) { return p.size() == 3; });
    ASSERT_EQ(3u, ours.size());

    std::set<std::string> ended;
    for (int round = 0; round < 2; ++round) {
        const auto pid = platform::FirstProcessNamed(ours, "adb");
        ASSERT_TRUE(pid.has_value()) << "round " << round;
        const auto match = std::find_if(ours.begin(), ours.end(), [&](const auto& p) { return p.pid == *pid; });
        ended.insert(match->exeName);
        ASSERT_TRUE(platform::EndProcess(*pid));
        ours = WaitFor(before, names, [&](const Processes& p) { return !Lists(p, *pid); });
        EXPECT_FALSE(Lists(ours, *pid)) << match->exeName << " still listed";
    }
    EXPECT_EQ((std::set<std::string>{"ADB.EXE", "adb.com"}), ended);
    EXPECT_EQ(std::nullopt, platform::FirstProcessNamed(ours, "adb"));

    // Only adbx.exe is left; end it too.
    ASSERT_EQ(1u, ours.size());
    EXPECT_EQ("adbx.exe", ours.front().exeName);
    EXPECT_TRUE(platform::EndProcess(ours.front().pid));
    EXPECT_TRUE(WaitFor(before, names, [](const Processes& p) { return p.empty(); }).empty());
}
