// The simulated phone's tools answer as each release's own do: one row per
// release and command, with what it prints, its status and what it changed.

#include "PhoneState.hpp"
#include "Release.hpp"
#include "Shell.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fakephone {
namespace {

struct Row {
    const char* profile;
    const char* command;
    std::string out, err;
    int status;
};

std::string Head(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

TEST(Releases, ToolsAnswerAsTheirReleaseDoes)
{
    const std::string unknownCamel = "Error: unknown command 'getInstallLocation'\n";
    const Row rows[] = {
        // pm: camelCase install-location verbs on 2.2 only; Pm.java refuses
        // on standard error (exit 0 before 5.0), cmd package on standard output.
        {"android-2.2", "pm getInstallLocation", "0[auto]\n", "", 0},
        {"android-2.2", "pm get-install-location", "", "Error: unknown command 'get-install-location'\n", 0},
        {"android-4.4", "pm getInstallLocation", "", unknownCamel, 0},
        {"android-4.4", "pm get-install-location", "0[auto]\n", "", 0},
        {"android-9", "pm getInstallLocation", "Unknown command: getInstallLocation\n", "", 255},
        {"android-9", "pm get-install-location", "0[auto]\n", "", 0},
        {"android-14", "pm setInstallLocation 2", "Unknown command: setInstallLocation\n", "", 255},
        {"android-14", "pm set-install-location 7", "", "Error: install location has to be a number.\n", 1},
        {"android-14", "cmd package get-install-location", "0[auto]\n", "", 0},
        {"android-4.4", "cmd package get-install-location", "", "/system/bin/sh: cmd: not found\n", 127},
        // bmgr: the same on every release; complaints on standard error, exit 0.
        {"android-2.2", "bmgr disable", "", "Unknown command\n", 0},
        {"android-14", "bmgr disable", "", "Unknown command\n", 0},
        {"android-2.2", "bmgr enable", "", "usage: bmgr [backup|restore|list|transport|run]\n", 0},
        {"android-14", "bmgr enable", "", "usage: bmgr [--user <userId>] [backup|restore|list|transport|run]\n", 0},
        {"android-9", "bmgr enable false", "Backup Manager now disabled\n", "", 0},
        {"android-9", "bmgr enable yes", "Backup Manager now disabled\n", "", 0},
        {"android-4.4", "bmgr enable TRUE", "Backup Manager now enabled\n", "", 0},
        // service call phone 2: a void reply on every release.
        {"android-2.2", "service call phone 2 s16 0612345678", "Result: Parcel(00000000    '....')\n", "", 0},
        {"android-14", "service call phone 2 s16 0612345678", "Result: Parcel(00000000    '....')\n", "", 0},
        // am start: the intent it starts, the tel: digits hidden from 4.1.
        {"android-2.2", "am start -a android.intent.action.CALL -d tel:0612345678",
         "Starting: Intent { act=android.intent.action.CALL dat=tel:0612345678 }\n", "", 0},
        {"android-9", "am start -a android.intent.action.CALL -d tel:0612345678",
         "Starting: Intent { act=android.intent.action.CALL dat=tel:xxxxxxxxxx }\n", "", 0},
        {"android-14", "input keyevent 24", "", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.profile) + ": " + row.command);
        PhoneState phone(PhoneConfig::Preset(row.profile));
        const ShellResult r = RunShell(row.command, phone);
        EXPECT_EQ(row.out, Head(r.out));
        EXPECT_EQ(row.err, Head(r.err));
        EXPECT_EQ(row.status, r.status);
    }
}

TEST(Releases, OnlyOldPhonesDialTheNumberOfTransactionTwo)
{
    const struct {
        const char* profile;
        const char* command;
        std::vector<std::string> called;
    } rows[] = {
        {"android-2.2", "service call phone 2 s16 06-12-34-56-78", {"06-12-34-56-78"}},
        // From 4.3 the one string is taken for the calling package, the number is null.
        {"android-4.4", "service call phone 2 s16 06-12-34-56-78", {}},
        {"android-14", "service call phone 2 s16 06-12-34-56-78", {}},
        {"android-2.2", "service call phone 1 s16 0612345678", {}}, // dial() only shows the dialler
        {"android-2.2", "am start -a android.intent.action.CALL -d tel:0612345678", {"0612345678"}},
        {"android-4.4", "am start -a android.intent.action.CALL -d tel:0612345678", {"0612345678"}},
        {"android-14", "am start -a android.intent.action.CALL -d tel:0612345678", {"0612345678"}},
        {"android-14", "am start -a android.intent.action.DIAL -d tel:0612345678", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.profile) + ": " + row.command);
        PhoneState phone(PhoneConfig::Preset(row.profile));
        RunShell(row.command, phone);
        EXPECT_EQ(row.called, phone.callsPlaced);
    }
}

TEST(Releases, SettingsChangeOnlyWhenTheVerbIsTheRelease)
{
    for (const char* profile : {"android-2.2", "android-4.4", "android-9", "android-14"}) {
        SCOPED_TRACE(profile);
        PhoneState phone(PhoneConfig::Preset(profile));
        const bool camelCase = std::string(profile) == "android-2.2";
        RunShell(camelCase ? "pm set-install-location 2" : "pm setInstallLocation 2", phone);
        EXPECT_EQ(0, phone.installLocation);
        RunShell(camelCase ? "pm setInstallLocation 2" : "pm set-install-location 2", phone);
        EXPECT_EQ(2, phone.installLocation);
        RunShell("bmgr disable", phone);
        EXPECT_TRUE(phone.backupEnabled);
        RunShell("bmgr enable false", phone);
        EXPECT_FALSE(phone.backupEnabled);
        RunShell("input keyevent 24", phone);
        EXPECT_EQ(std::vector<int>{24}, phone.keyEvents);
    }
}

TEST(Releases, AlreadyInstalledVerdictOfEachRelease)
{
    const std::string shortVerdict = "Failure [INSTALL_FAILED_ALREADY_EXISTS]";
    const std::string longVerdict =
        "Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install com.example.notes without first uninstalling.]";
    const struct {
        const char* profile;
        std::string verdict;
    } rows[] = {{"android-2.2", shortVerdict}, {"android-4.4", shortVerdict}, {"android-9", longVerdict}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.profile);
        PhoneState phone(PhoneConfig::Preset(row.profile));
        EXPECT_EQ(row.verdict, InstallPackage(phone, "package=com.example.notes\n", {}));
        InstallOptions replace;
        replace.replace = true;
        EXPECT_EQ("Success", InstallPackage(phone, "package=com.example.notes\n", replace));
    }
}

TEST(Releases, ProfilesCarryTheirReleaseAndItsPackagePaths)
{
    const struct {
        const char* profile;
        int sdk;
        std::string systemPath; // where Settings lies
        bool shellV2;
    } rows[] = {
        {"android-2.2", 8, "/system/app/Settings.apk", false},
        {"android-4.4", 19, "/system/priv-app/Settings.apk", false},
        {"android-9", 28, "/system/priv-app/SettingsGoogle/SettingsGoogle.apk", true},
        {"android-14", 34, "/system/priv-app/SettingsGoogle/SettingsGoogle.apk", true},
        {"demo", 34, "/system/priv-app/Settings/Settings.apk", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.profile);
        PhoneState phone(PhoneConfig::Preset(row.profile));
        EXPECT_EQ(row.sdk, phone.sdk());
        EXPECT_EQ(row.shellV2, phone.hasFeature("shell_v2"));
        const Package* settings = phone.FindPackage("com.android.settings");
        ASSERT_NE(nullptr, settings);
        EXPECT_EQ(row.systemPath, settings->path);
        // Every package file lies on a system partition, in /data/app or on the SD card.
        for (const Package& p : phone.packages)
            EXPECT_TRUE(OnSystemPartition(p.path) || p.path.rfind("/data/app/", 0) == 0
                        || p.path.rfind("/mnt/", 0) == 0)
                << p.path;
    }
    EXPECT_THROW(PhoneConfig::Preset("../profiles/demo"), ConfigError);
}

} // namespace
} // namespace fakephone
