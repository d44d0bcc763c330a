// Every argument text that reaches the phone (apart from installs), through
// the runner and the real adb, in every profile: the runner's result code and
// lines, and the one service the phone saw. Rows run in order against one
// phone, so later rows see what earlier ones changed.

#include "EndToEnd.hpp"

namespace quoddle::test {
namespace {

using Lines = std::vector<std::string>;

struct Row {
    std::string args;    // argument text; {S} stands for the phone's serial
    std::string command; // what the phone's shell runs; empty for a device service
    std::string service; // the device service, when `command` is empty
    Lines out;
    Lines err;
    int status = 0;
};

// A command for the phone's shell: its output lines, error lines and status.
Row Shell(std::string args, std::string command, Lines out = {}, Lines err = {}, int status = 0)
{
    return {std::move(args), std::move(command), "", std::move(out), std::move(err), status};
}

// A device service: adb prints its text on standard output and exits 0.
Row Service(std::string args, std::string service, Lines out = {})
{
    return {std::move(args), "", std::move(service), std::move(out), {}, 0};
}

const std::vector<Row>& Rows()
{
    static const std::string report1 = "getprop ro.product.model && getprop ro.build.version.release && getprop "
                                       "ro.baseband && getprop ro.build.description && getprop ro.build.id && getprop "
                                       "ro.bootloader && getprop ro.com.google.gmsversion && getprop ro.product.version";
    static const std::string report2 = "getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop "
                                       "gsm.operator.alpha && getprop gsm.network.type";
    static const std::string chain = "getprop ro.product.model && getprop ro.build.version.release && getprop "
                                     "ro.unset.prop && getprop ro.build.id";
    static const std::vector<Row> rows = {
        // An unset property prints an empty line.
        Shell("-s {S} shell " + chain, chain, {"Fake Phone One", "2.2", "", "FRF91"}),
        // The information report's two runs, as the program sends them.
        Shell("-s {S} shell " + report1, report1,
              {"Fake Phone One", "2.2", "I9000XXJPO", "fakephone-user 2.2 FRF91 43546 release-keys", "FRF91",
               "I9000XXJPO", "", "1.0.0"}),
        Shell("-s {S} shell " + report2, report2, {"I9000XXJPO", "Orange F", "Orange F", "UMTS:3"}),
        Shell("-s {S} shell pm list packages -f", "pm list packages -f",
              {"package:/data/app/com.example.notes-1.apk=com.example.notes",
               "package:/data/app/com.example.chess-2.apk=com.example.chess",
               "package:/system/app/Browser.apk=com.android.browser", "package:/system/app/Phone.apk=com.android.phone",
               "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game"}),
        Shell("-s {S} shell pm uninstall -k com.example.notes", "pm uninstall -k com.example.notes", {"Success"}),
        Shell("-s {S} shell pm uninstall com.example.chess", "pm uninstall com.example.chess", {"Success"}),
        Shell("-s {S} shell pm list packages -f", "pm list packages -f",
              {"package:/system/app/Browser.apk=com.android.browser", "package:/system/app/Phone.apk=com.android.phone",
               "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game"}),
        // pm's failure goes to standard output; only shell_v2 carries its status.
        Shell("-s {S} shell pm uninstall com.example.nosuch", "pm uninstall com.example.nosuch",
              {"Failure [DELETE_FAILED_INTERNAL_ERROR]"}, {}, 1),
        Shell("-s {S} shell rm /data/local/tmp/*", "rm /data/local/tmp/*"),
        Shell("-s {S} shell rm /data/local/tmp/*", "rm /data/local/tmp/*", {},
              {"rm: /data/local/tmp/*: No such file or directory"}, 1),
        // The quotes around the number are gone before adb sends the command.
        Shell("-s {S} shell service call phone 2 s16 \"06-12-34-56-78\"", "service call phone 2 s16 06-12-34-56-78",
              {"Result: Parcel(00000000    '....')"}),
        Shell("shell pm getInstallLocation", "pm getInstallLocation", {"0[auto]"}),
        Shell("-s {S} shell pm setInstallLocation 2", "pm setInstallLocation 2"),
        Shell("shell pm getInstallLocation", "pm getInstallLocation", {"2[external]"}),
        Shell("-s {S} shell pm setInstallLocation 1", "pm setInstallLocation 1"),
        Shell("shell pm getInstallLocation", "pm getInstallLocation", {"1[internal]"}),
        Shell("shell bmgr enabled", "bmgr enabled", {"Backup Manager currently enabled"}),
        // bmgr has no "disable" and its "enable" needs a BOOL: both refusals go to
        // standard error, and bmgr exits 0 (Bmgr.java, every release).
        Shell("shell bmgr disable", "bmgr disable", {},
              {"Unknown command", "usage: bmgr [backup|restore|list|transport|run]", "       bmgr backup PACKAGE",
               "       bmgr enable BOOL", "       bmgr enabled"}),
        Shell("shell bmgr enable false", "bmgr enable false", {"Backup Manager now disabled"}),
        Shell("shell bmgr enabled", "bmgr enabled", {"Backup Manager currently disabled"}),
        Shell("shell bmgr enable true", "bmgr enable true", {"Backup Manager now enabled"}),
        Shell("shell input keyevent 24", "input keyevent 24"),
        // A text typed by the user after "-s " and the serial.
        Shell("-s {S} shell nosuchtool --help", "nosuchtool --help", {}, {"/system/bin/sh: nosuchtool: not found"}, 127),
        // Device services answer in adb's own lines, LF whatever the phone's terminal does.
        Service("-s {S} reboot", "reboot:"),
        Service("-s {S} reboot-bootloader", "reboot:bootloader"),
        Service("-s {S} reboot recovery", "reboot:recovery"),
        Service("tcpip 5555", "tcpip:5555", {"restarting in TCP mode port: 5555"}),
        Service("usb", "usb:", {"restarting in USB mode"}),
    };
    return rows;
}

class PhoneCommands : public ::testing::TestWithParam<Profile> {};

TEST_P(PhoneCommands, GiveTheRunnerTheirLinesAndReachThePhoneAsOneService)
{
    const Profile& profile = GetParam();
    AdbSessionOptions options;
    options.phoneConfig = profile.Config("\"tmp_files\": [\"old.apk\", \"trace.txt\"]");
    AdbSession session(options);
    TSfcConsoleIOHandler runner;

    for (const Row& row : Rows()) {
        const std::string args = Replace(row.args, "{S}", session.Serial());
        SCOPED_TRACE(args);
        const Outcome expected = row.command.empty() ? AdbOutcome(row.out)
                                                     : ShellOutcome(profile, row.out, row.err, row.status);
        EXPECT_EQ(RunAdb(runner, session, args), expected);
        const std::string service = row.command.empty() ? row.service : profile.ShellService(row.command);
        EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{service});
    }
}

INSTANTIATE_TEST_SUITE_P(EveryProfile, PhoneCommands, ::testing::ValuesIn(kProfiles), ProfileName);

} // namespace
} // namespace quoddle::test
