// Installs through the real adb: the streamed install of phones with the
// "cmd" feature, the push-then-pm install of phones without it, and an
// Android 11 phone that takes the install through abb_exec.

#include "EndToEnd.hpp"

#include <fstream>
#include <regex>

namespace quoddle::test {
namespace {

constexpr std::size_t kApkSize = 300027;

// A package file in a folder with a blank in its name, as users have them.
std::string WriteApk(const AdbSession& session, const std::string& package = "com.example.newapp")
{
    const auto folder = session.WorkDir() / "My Apps";
    std::filesystem::create_directories(folder);
    const auto path = folder / "notes app.apk";
    const std::string head = "package=" + package + "\n";
    std::ofstream(path, std::ios::binary) << head << std::string(kApkSize - head.size(), 'x');
    return path.string();
}

// The push install's progress line holds timings; it is checked against this
// pattern and then replaced by a placeholder for the comparison.
void ReplaceProgressLine(Outcome& o, const std::string& apk)
{
    ASSERT_GE(o.lines.size(), 2u);
    const std::regex progress(std::regex_replace(apk, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)")
                              + R"(: 1 file pushed, 0 skipped\. [0-9.]+ MB/s \(300027 bytes in [0-9.]+s\))");
    EXPECT_TRUE(std::regex_match(o.lines[1], progress)) << o.lines[1];
    o.lines[1] = "<progress>";
}

class Install : public ::testing::TestWithParam<Profile> {};

TEST_P(Install, StreamsOrPushesAndReportsTheVerdict)
{
    const Profile& profile = GetParam();
    AdbSessionOptions options;
    options.phoneConfig = profile.Config();
    AdbSession session(options);
    const std::string apk = WriteApk(session);
    const std::string s = "-s " + session.Serial();
    TSfcConsoleIOHandler runner;

    // The expected outcome for a verdict, and the services the phone sees.
    auto expect = [&](const std::string& flags, const std::string& verdict) {
        const std::string quotedFlags = flags.empty() ? "" : "'" + Replace(flags, " ", "' '") + "' ";
        if (profile.shellV2) {
            EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{"exec:cmd package 'install' " + quotedFlags + "-S "
                                                                      + std::to_string(kApkSize)});
            // A failure's verdict goes to standard error, after standard output's first line.
            return verdict == "Success"
                ? AdbOutcome({"Performing Streamed Install", "Success"})
                : AdbOutcome({"Performing Streamed Install"}, {"adb: failed to install " + apk + ": " + verdict}, 1);
        }
        const std::string pushed = "/data/local/tmp/notes app.apk";
        EXPECT_EQ(session.TakeJournal(),
                  (std::vector<std::string>{"sync:", "shell:pm 'install' " + quotedFlags + "'" + pushed + "'",
                                            "shell:rm '" + pushed + "' </dev/null"}));
        Outcome o = AdbOutcome({"Performing Push Install", "<progress>"});
        for (const auto& line : profile.ShellLines({"\tpkg: " + pushed, verdict}))
            o.lines.push_back(line);
        o.crcrlf = profile.crcrlf();
        return o;
    };
    auto install = [&](const std::string& flags, const std::string& verdict) {
        Outcome o = RunAdb(runner, session, s + " install " + (flags.empty() ? "" : flags + " ") + "\"" + apk + "\"");
        if (!profile.shellV2)
            ReplaceProgressLine(o, apk);
        EXPECT_EQ(o, expect(flags, verdict)) << "install " << flags;
    };
    auto listed = [&] {
        const std::vector<std::string> lines = RunAdb(runner, session, s + " shell pm list packages -f").lines;
        session.TakeJournal();
        return lines;
    };

    install("", "Success");
    install("", "Failure [INSTALL_FAILED_ALREADY_EXISTS]");
    install("-r -s", "Success");
    EXPECT_EQ(listed().at(profile.crcrlf() ? 10 : 5), "package:/mnt/asec/com.example.newapp-1/pkg.apk=com.example.newapp");
    install("-r -f", "Success");
    EXPECT_EQ(listed().at(profile.crcrlf() ? 10 : 5), "package:/data/app/com.example.newapp-1.apk=com.example.newapp");
}

TEST_P(Install, OfAMissingFileFailsBeforeTheInstallProper)
{
    const Profile& profile = GetParam();
    AdbSessionOptions options;
    options.phoneConfig = profile.Config();
    AdbSession session(options);
    const std::string missing = (session.WorkDir() / "gone.apk").string();
    TSfcConsoleIOHandler runner;

    const Outcome o = RunAdb(runner, session, "-s " + session.Serial() + " install -r -s \"" + missing + "\"");
    if (profile.shellV2) {
        EXPECT_EQ(o, AdbOutcome({"Performing Streamed Install"},
                                {"adb: failed to stat " + missing + ": No such file or directory"}, 1));
        EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{});
    } else {
        // The push path opens sync: first, then reports on standard output with status 255.
        EXPECT_EQ(o, AdbOutcome({"Performing Push Install",
                                 "adb: error: cannot stat '" + missing + "': No such file or directory"},
                                {}, 255));
        EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{"sync:"});
    }
}

INSTANTIATE_TEST_SUITE_P(EveryProfile, Install, ::testing::ValuesIn(kProfiles), ProfileName);

TEST(Android11Phone, ListsItsNewPathsAndInstallsThroughAbbExec)
{
    AdbSessionOptions options;
    options.phoneConfig = R"({"profile": "android11"})";
    AdbSession session(options);
    const std::string apk = WriteApk(session);
    const std::string s = "-s " + session.Serial();
    TSfcConsoleIOHandler runner;

    EXPECT_EQ(RunAdb(runner, session, s + " shell pm list packages -f").lines,
              (std::vector<std::string>{
                  "package:/data/app/~~Zm9v==/com.example.notes-YmFy==/base.apk=com.example.notes",
                  "package:/data/app/~~cXV4eA==/com.example.chess-Y29yZ2U=/base.apk=com.example.chess",
                  "package:/product/app/Chrome/Chrome.apk=com.android.chrome",
                  "package:/system/priv-app/Settings/Settings.apk=com.android.settings",
                  "package:/system/app/Calculator/Calculator.apk=com.android.calculator2",
                  "package:/mnt/expand/0f3e2a14-aa31-4c9b-9d63-7b7a1e0f3b55/app/~~Z2FtZQ==/com.example.game-c2Q=/"
                  "base.apk=com.example.game",
              }));
    session.TakeJournal();

    EXPECT_EQ(RunAdb(runner, session, s + " install \"" + apk + "\""),
              AdbOutcome({"Performing Streamed Install", "Success"}));
    EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{"abb_exec:package\\0install\\0-S\\0300027"});
    EXPECT_EQ(RunAdb(runner, session, s + " install \"" + apk + "\""),
              AdbOutcome({"Performing Streamed Install"},
                         {"adb: failed to install " + apk
                          + ": Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install com.example.newapp without "
                            "first uninstalling.]"},
                         1));
    EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{"abb_exec:package\\0install\\0-S\\0300027"});

    const std::vector<std::string> lines = RunAdb(runner, session, s + " shell pm list packages -f").lines;
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(std::regex_match(lines[6], std::regex(R"(package:/data/app/~~[A-Za-z0-9_-]{22}==/com\.example\.newapp-[A-Za-z0-9_-]{22}==/base\.apk=com\.example\.newapp)")))
        << lines[6];
}

} // namespace
} // namespace quoddle::test
