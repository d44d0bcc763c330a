#include "TempDir.hpp"
#include "TestChild.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using quoddle::Error;
using quoddle::MakeCommandInfo;
using quoddle::TCommandInfo;
using quoddle::TSfcConsoleIOHandler;
using namespace quoddle::test;
using Lines = std::vector<std::string>;

struct RunCase {
    const char* name;
    std::string actions;
    int code;
    Lines lines;
    Lines errorLines;
    int status;
    bool crcrlf;
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class RunnerCases : public testing::TestWithParam<RunCase> {};

TEST_P(RunnerCases, GivesCodeLinesAndFacts)
{
    const auto& c = GetParam();
    TSfcConsoleIOHandler runner;
    EXPECT_EQ(c.code, runner.Execute(ChildCommand(c.actions)));
    EXPECT_EQ(c.lines, runner.Lines);
    EXPECT_EQ(c.errorLines, runner.ErrorLines());
    EXPECT_EQ(c.status, runner.ExitStatus());
    EXPECT_EQ(c.crcrlf, runner.EndedLinesWithCrCrLf());
}

INSTANTIATE_TEST_SUITE_P(Child, RunnerCases, testing::Values(
    RunCase{"output_line", Out("hello\n"), 0, {"hello"}, {}, 0, false},
    RunCase{"crcrlf_gives_word_and_empty_line", Out("word\r\r\n"), 0, {"word", ""}, {}, 0, true},
    RunCase{"last_line_without_break", Out("a\r\nlast"), 0, {"a", "last"}, {}, 0, false},
    RunCase{"error_only", Err("bad\n") + " exit:1", 1, {"bad"}, {"bad"}, 1, false},
    RunCase{"both_streams_keep_output", Out("out\n") + " " + Err("err\n"), 0, {"out"}, {"err"}, 0, false},
    RunCase{"nothing", "exit:0", 2, {}, {}, 0, false},
    RunCase{"nothing_failing", "exit:3", 2, {}, {}, 3, false},
    RunCase{"lone_break_gives_one_empty_line", Out("\n"), 0, {""}, {}, 0, false},
    RunCase{"split_reads", Out("ab") + " pause:30 " + Out("c\nd") + " pause:30 " + Out("e\n"), 0,
            {"abc", "de"}, {}, 0, false},
    RunCase{"read_ends_between_cr_and_lf", Out("a\r") + " pause:30 " + Out("\nb\r") + " pause:30 " + Out("\r\n"),
            0, {"a", "b", ""}, {}, 0, true},
    RunCase{"nul_cuts_rest_of_its_read_only", Out(std::string("a\0b\n", 4)) + " pause:30 " + Out("c\n"), 0,
            {"ac"}, {}, 0, false},
    RunCase{"utf8_kept", Out("R\xc3\xa9seau\n"), 0, {"R\xc3\xa9seau"}, {}, 0, false},
    RunCase{"install_failure_shape",
            Out("Performing Streamed Install\n") + " " +
                Err("adb: failed to install /tmp/x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]\n") + " exit:1",
            0, {"Performing Streamed Install"},
            {"adb: failed to install /tmp/x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]"}, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Runner, NotAnExecutableStartsNothingAndKeepsThePreviousLines)
{
    TempDir dir("run");
    dir.write("data", std::string(64, 'x'));
    TSfcConsoleIOHandler runner;
    ASSERT_EQ(0, runner.Execute(ChildCommand(Out("before\n") + " exit:4")));
    TCommandInfo info;
    MakeCommandInfo(dir.dir() + "data", Out("after\n"), dir.dir(), "", info);
    EXPECT_EQ(3, runner.Execute(info));
    EXPECT_EQ(Lines{"before"}, runner.Lines);
    EXPECT_EQ(4, runner.ExitStatus());
}

TEST(Runner, FailuresBeforeTheRunRaiseAndLeaveLinesAlone)
{
    TempDir dir("run");
    dir.write("short", "MZ");
    const std::string sep(1, quoddle::platform::PathSeparator());
    struct {
        std::string path;
        std::string message;
    } cases[] = {
        {dir.dir() + "missing", "Impossible d'ouvrir le fichier " + dir.dir() + "missing"},
        {dir.dir() + "no folder" + sep + "adb", "Impossible d'ouvrir le fichier " + dir.dir() + "no folder" + sep + "adb"},
        {dir.dir() + "short", "Erreur de lecture du flux"},
    };
    TSfcConsoleIOHandler runner;
    ASSERT_EQ(0, runner.Execute(ChildCommand(Out("kept\n"))));
    for (const auto& c : cases) {
        TCommandInfo info;
        const auto slash = c.path.find_last_of("/\\");
        MakeCommandInfo(c.path, "", c.path.substr(0, slash + 1), "", info);
        try {
            runner.Execute(info);
            ADD_FAILURE() << c.path << ": no error";
        } catch (const Error& e) {
            EXPECT_EQ(c.message, e.what());
        }
        EXPECT_EQ(Lines{"kept"}, runner.Lines);
    }
}

TEST(Runner, PathWithBlanksRunsThatProgramWithItsArguments)
{
    TempDir dir("run");
    const auto folder = dir.path() / "with blanks";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(ChildDir() + ChildFileName(), folder / ChildFileName());
    const auto blanksDir = (folder / "").string();
    TSfcConsoleIOHandler runner;
    ASSERT_EQ(0, runner.Execute(ChildCommand(R"(args "two words" a\"b cwd)", blanksDir)));
    ASSERT_EQ(5u, runner.Lines.size());
    EXPECT_EQ(blanksDir + ChildFileName(), runner.Lines[0]);
    EXPECT_EQ((Lines{"args", "two words", R"(a"b)", "cwd"}), Lines(runner.Lines.begin() + 1, runner.Lines.end()));
}

TEST(Runner, WorkingFolderIsTheOneGiven)
{
    TempDir dir("run");
    TCommandInfo info;
    MakeCommandInfo(ChildDir() + ChildFileName(), "cwd", ChildDir(), dir.path().string(), info);
    TSfcConsoleIOHandler runner;
    ASSERT_EQ(0, runner.Execute(info));
    EXPECT_EQ(std::filesystem::canonical(dir.path()), std::filesystem::canonical(runner.Lines.at(0)));
}

TEST(Runner, ManyMegabytesOnErrorBeforeOutputDoNotHang)
{
    TSfcConsoleIOHandler runner;
    const std::string line(1023, 'e');
    ASSERT_EQ(0, runner.Execute(ChildCommand("errrep:8192:" + Hex(line + "\n") + " " + Out("done\n"))));
    EXPECT_EQ(Lines{"done"}, runner.Lines);
    EXPECT_EQ(8192u, runner.ErrorLines().size());
}

TEST(Runner, WhileWaitingIsCalledDuringALongRun)
{
    TSfcConsoleIOHandler runner;
    int calls = 0;
    runner.SetWhileWaiting([&] { ++calls; });
    ASSERT_EQ(0, runner.Execute(ChildCommand("pause:200 " + Out("x\n"))));
    EXPECT_GE(calls, 3);
}

TEST(MakeCommandInfo, KeepsTheFileNameAndEndsTheFolder)
{
    const char sep = quoddle::platform::PathSeparator();
    const std::string s(1, sep);
    struct {
        std::string program, dir;
        std::string exeName, exeDir;
    } cases[] = {
        {"C:\\tools\\adb.exe", "C:\\tools\\", "adb.exe", "C:\\tools\\" + std::string(sep == '\\' ? "" : s)},
        {"C:adb.exe", "", "adb.exe", ""},
        {"/opt/quoddle/adb", "/opt/quoddle" + s, sep == '/' ? "adb" : "/opt/quoddle/adb", "/opt/quoddle" + s},
        {"adb", "dir", "adb", "dir" + s},
        {"adb", " \t\r ", "adb", ""},
        {"adb", " x ", "adb", " x " + s},
    };
    for (const auto& c : cases) {
        TCommandInfo info{"stale", "stale", "stale", "stale"};
        MakeCommandInfo(c.program, "devices", c.dir, "work", info);
        EXPECT_EQ(c.exeName, info.ExeName) << c.program;
        EXPECT_EQ(c.exeDir, info.ExeDir) << c.dir;
        EXPECT_EQ("devices", info.Params);
        EXPECT_EQ("work", info.WorkDir);
    }
}

TEST(Runner, EmptyExeNameRunsParamsAsTheWholeCommandLine)
{
    TCommandInfo info;
    info.Params = "\"" + ChildDir() + ChildFileName() + "\" " + Out("whole\n");
    TSfcConsoleIOHandler runner;
    EXPECT_EQ(0, runner.Execute(info));
    EXPECT_EQ(Lines{"whole"}, runner.Lines);
}
