// The scripted adb, run the way the program runs adb: through the runner.

#include "../core/TempDir.hpp"
#include "console/SfcConsoleIOHandler.hpp"
#include "fakeadb/FakeAdb.hpp"
#include "platform/Platform.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace quoddle;
using quoddle::test::FakeAdb;
using quoddle::test::FakeAdbRule;
using Lines = std::vector<std::string>;

namespace {

struct Captured {
    std::string out, err;
    int status = -1;
};

class FakeAdbRun : public testing::Test {
protected:
    void SetUp() override { FakeAdb::PlaceAs(dir.path()); }

    TCommandInfo Command(const std::string& params) const
    {
        TCommandInfo info;
        MakeCommandInfo(dir.dir() + FakeAdb::AdbFileName(), params, dir.dir(), dir.dir(), info);
        return info;
    }
    std::uint8_t Run(const std::string& params) { return runner.Execute(Command(params)); }

    // The exact bytes of both streams, below the runner's line rules.
    Captured RunRaw(const std::string& params) const
    {
        Captured c;
        platform::ChildCommand command{dir.dir() + FakeAdb::AdbFileName(), params, dir.dir()};
        platform::ChildCallbacks callbacks;
        callbacks.onRead = [&](platform::Stream s, std::string_view read) {
            (s == platform::Stream::Output ? c.out : c.err).append(read);
        };
        c.status = platform::RunChild(command, callbacks);
        return c;
    }

    test::TempDir dir{"fakeadb"};
    FakeAdb adb{dir.path()};
    TSfcConsoleIOHandler runner;
};

} // namespace

TEST_F(FakeAdbRun, PrintsTheScriptedBytesAndStatus)
{
    using namespace std::string_literals;
    const std::string out = "List of devices attached\r\r\n0123\tdevice\r\r\n\r\r\nR\xc3\xa9seau\0tail\x82"s;
    adb.Script({FakeAdbRule::Argv({"devices"}).Out(out).Err("warn\r\nno final break").Status(3)});

    const Captured raw = RunRaw("devices");
    EXPECT_EQ(out, raw.out);
    EXPECT_EQ("warn\r\nno final break", raw.err);
    EXPECT_EQ(3, raw.status);

    EXPECT_EQ(0, Run("devices"));
    EXPECT_EQ((Lines{"List of devices attached", "", "0123\tdevice", "", "", "", "R\xc3\xa9seau"}), runner.Lines);
    EXPECT_TRUE(runner.EndedLinesWithCrCrLf());
    EXPECT_EQ((Lines{"warn", "no final break"}), runner.ErrorLines());
    EXPECT_EQ(3, runner.ExitStatus());
}

TEST_F(FakeAdbRun, MatchesExactArgvJoinedArgsThenDefault)
{
    adb.Script({
        FakeAdbRule::Default().Out("default\n"), // listed first, tried last
        FakeAdbRule::Argv({"shell", "pm list packages"}).Out("one argument\n"),
        FakeAdbRule::Argv({"shell", "pm", "list", "packages"}).Out("three arguments\n"),
        FakeAdbRule::Args("-s 0123 get-state").Out("joined\n"),
        FakeAdbRule::Argv({}).Out("no arguments\n"),
    });
    const struct {
        const char* params;
        const char* line;
    } calls[] = {
        {"shell \"pm list packages\"", "one argument"},
        {"shell pm list packages", "three arguments"},
        {"-s 0123 get-state", "joined"},
        {"-s \"0123 get-state\"", "joined"},
        {"", "no arguments"},
        {"devices", "default"},
    };
    for (const auto& call : calls) {
        EXPECT_EQ(0, Run(call.params)) << call.params;
        EXPECT_EQ(Lines{call.line}, runner.Lines) << call.params;
    }
}

TEST_F(FakeAdbRun, UnknownArgumentsFailWithAClearMessage)
{
    adb.Script({FakeAdbRule::Argv({"devices"}).Out("List of devices attached\n")});
    EXPECT_EQ(1, Run("-s 0123 \"a b\""));
    EXPECT_EQ(1, runner.ExitStatus());
    ASSERT_EQ(1u, runner.Lines.size());
    EXPECT_EQ("fakeadb: no rule for [\"-s\",\"0123\",\"a b\"] (args \"-s 0123 a b\"), in "
                  + adb.ScriptPath().string(),
              runner.Lines[0]);
}

TEST_F(FakeAdbRun, LimitedRulesAnswerInSequence)
{
    const std::vector<FakeAdbRule> rules = {
        FakeAdbRule::Argv({"get-state"}).Out("unknown\n").Times(1),
        FakeAdbRule::Argv({"get-state"}).Out("offline\n").Times(2),
        FakeAdbRule::Argv({"get-state"}).Out("device\n"),
        FakeAdbRule::Argv({"reboot"}).Times(1).Status(0).Err("rebooting\n"),
    };
    adb.Script(rules);
    for (const char* expected : {"unknown", "offline", "offline", "device", "device"}) {
        Run("get-state");
        EXPECT_EQ(Lines{expected}, runner.Lines);
    }
    EXPECT_EQ(1, Run("reboot"));
    EXPECT_EQ(0, runner.ExitStatus());
    EXPECT_EQ(1, Run("reboot"));
    EXPECT_EQ(1, runner.ExitStatus());
    EXPECT_NE(std::string::npos, runner.Lines.at(0).find("every matching rule is used up"));

    adb.Script(rules); // a new script starts the counts afresh
    Run("get-state");
    EXPECT_EQ(Lines{"unknown"}, runner.Lines);
}

TEST_F(FakeAdbRun, OverlappingCallsShareTheCounts)
{
    adb.Script({FakeAdbRule::Default().Out("first\n").Times(1), FakeAdbRule::Default().Out("later\n")});
    std::vector<Captured> results(6);
    std::vector<std::thread> threads;
    for (auto& result : results)
        threads.emplace_back([&] { result = RunRaw("start-server"); });
    for (auto& t : threads)
        t.join();
    int first = 0;
    for (const auto& result : results)
        first += result.out == "first\n" ? 1 : 0;
    EXPECT_EQ(1, first);
    EXPECT_EQ(6u, adb.Journal().size());
}

TEST_F(FakeAdbRun, JournalsEveryCallAsItsArgv)
{
    std::filesystem::remove(adb.JournalPath()); // created by the first call
    adb.Script({FakeAdbRule::Argv({"devices"})});
    Run("devices");
    Run("-s 0123 shell \"getprop ro.product.model\" \"\" R\xc3\xa9seau");
    Run("install -r \"C:\\My Apps\\x.apk\"");
    EXPECT_EQ((FakeAdb::Calls{{"devices"},
                              {"-s", "0123", "shell", "getprop ro.product.model", "", "R\xc3\xa9seau"},
                              {"install", "-r", "C:\\My Apps\\x.apk"}}),
              adb.Journal());

    adb.ClearJournal();
    Run("kill-server");
    EXPECT_EQ((FakeAdb::Calls{{"kill-server"}}), adb.Journal());
}

TEST_F(FakeAdbRun, WaitsTheDelayBeforeAnswering)
{
    adb.Script({FakeAdbRule::Argv({"wait-for-device"}).DelayMs(300).Out("done\n")});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, Run("wait-for-device"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(Lines{"done"}, runner.Lines);
}

TEST_F(FakeAdbRun, BrokenFixtureSaysWhatIsWrong)
{
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"{\"rules\": [", "fakeadb-script.json: line 1, column 12: value expected"},
        {"[]", "an object with a \"rules\" array"},
        {"{\"rules\": [{\"argv\": [\"x\"], \"exit\": 1}]}", "rule 0: unknown key \"exit\""},
        {"{\"rules\": [{\"stdout\": \"x\"}]}", "rule 0: needs exactly one of"},
        {"{\"rules\": [{\"args\": \"x\", \"default\": true}]}", "rule 0: needs exactly one of"},
        {"{\"rules\": [{\"default\": true, \"status\": 256}]}", "\"status\" must be a whole number from 0 to 255"},
        {"{\"rules\": [{\"argv\": [1]}]}", "\"argv\" must be an array of strings"},
    };
    for (const auto& c : cases) {
        dir.write("fakeadb-script.json", c.script);
        EXPECT_EQ(1, Run("devices")) << c.script;
        EXPECT_EQ(2, runner.ExitStatus()) << c.script;
        ASSERT_EQ(1u, runner.Lines.size()) << c.script;
        EXPECT_NE(std::string::npos, runner.Lines[0].find(c.message)) << runner.Lines[0];
    }

#ifdef _WIN32
    _putenv_s("QUODDLE_FAKEADB_SCRIPT", "");
#else
    ::unsetenv("QUODDLE_FAKEADB_SCRIPT");
#endif
    EXPECT_EQ(1, Run("devices"));
    EXPECT_EQ(2, runner.ExitStatus());
    EXPECT_EQ(Lines{"fakeadb: QUODDLE_FAKEADB_SCRIPT is not set"}, runner.Lines);
    EXPECT_EQ(8u, adb.Journal().size()); // journaled all the same
}
