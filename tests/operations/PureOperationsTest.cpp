// The argument-text builders and parsers of the phone operations, on tables of
// the shapes adb prints.

#include "operations/AdbArgs.hpp"
#include "operations/AppList.hpp"
#include "operations/InfoReport.hpp"
#include "operations/Install.hpp"
#include "operations/PhoneActions.hpp"
#include "support/RecordingServices.hpp"

#include <gtest/gtest.h>

using namespace quoddle;

TEST(DeviceArg, QuotesOnlySerialsThatNeedIt)
{
    EXPECT_EQ("-s 0123456789ABCDEF", DeviceArg("0123456789ABCDEF"));
    EXPECT_EQ("-s 192.168.1.6:5555", DeviceArg("192.168.1.6:5555"));
    EXPECT_EQ("-s ", DeviceArg(""));
    EXPECT_EQ(R"(-s "adb-XXXX (2)._adb-tls-connect._tcp")", DeviceArg("adb-XXXX (2)._adb-tls-connect._tcp"));
    EXPECT_EQ(R"(-s "a\"b")", DeviceArg(R"(a"b)"));
}

TEST(ProgramName, FieldBeforeApkElseLastField)
{
    const std::pair<const char*, const char*> cases[] = {
        {"com.example.notes-1.apk", "notes-1"}, {"notes.apk", "notes"}, {"com.example.notes-1.APK", "APK"},
        {"com.example.notes", "notes"},         {"readme", "readme"},   {".apk", ""},
    };
    for (const auto& [file, name] : cases)
        EXPECT_EQ(QString::fromUtf8(name), ProgramName(QString::fromUtf8(file))) << file;
}

TEST(ClassifyPackageLine, EveryShapeOfListing)
{
    struct Case {
        const char* line;
        PackageLine::Kind kind;
        const char* apk;
        const char* package;
        const char* program;
        const char* listText;
    };
    const Case cases[] = {
        {"package:/data/app/com.example.notes-1.apk=com.example.notes", PackageLine::UserApp,
         "com.example.notes-1.apk", "com.example.notes", "notes-1", ""},
        {"package:/data/app/~~Zm9v==/com.example.notes-YmFy==/base.apk=com.example.notes", PackageLine::UserApp,
         "~~Zm9v==/com.example.notes-YmFy==/base.apk", "com.example.notes", "notes", ""},
        {"package:/data/app/com.example.chess-2/base.apk=com.example.chess", PackageLine::UserApp,
         "com.example.chess-2/base.apk", "com.example.chess", "chess", ""},
        {"package:/data/app/noequals.apk", PackageLine::UserApp, "noequals.apk", "", "noequals", ""},
        // The first 18 characters go whatever they are; the file below /data/app/
        // is a.apk, a flat name, so the program name comes from column 1.
        {"xxpackage:/data/app/a.apk=p", PackageLine::UserApp, "p/a.apk", "p", "p/a", ""},
        // A folder per package but no package name to take the program from.
        {"package:/data/app/com.example.notes-1/base.apk", PackageLine::UserApp, "com.example.notes-1/base.apk", "",
         "notes-1/base", ""},
        {"package:/system/app/Browser.apk=com.android.browser", PackageLine::SystemApp, "", "", "",
         "Browser.apk=com.android.browser"},
        {"package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game", PackageLine::SdCardApp, "", "", "",
         "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game"},
        // The other system partitions: the path below the partition's root.
        {"package:/system/priv-app/Phone/Phone.apk=com.android.phone", PackageLine::SystemApp, "", "", "",
         "priv-app/Phone/Phone.apk=com.android.phone"},
        {"package:/system/framework/framework-res.apk=android", PackageLine::SystemApp, "", "", "",
         "framework/framework-res.apk=android"},
        {"package:/product/app/Chrome/Chrome.apk=com.android.chrome", PackageLine::SystemApp, "", "", "",
         "app/Chrome/Chrome.apk=com.android.chrome"},
        {"package:/system_ext/priv-app/SystemUI/SystemUI.apk=com.android.systemui", PackageLine::SystemApp, "", "", "",
         "priv-app/SystemUI/SystemUI.apk=com.android.systemui"},
        {"package:/vendor/app/Euicc/Euicc.apk=com.google.euicc", PackageLine::SystemApp, "", "", "",
         "app/Euicc/Euicc.apk=com.google.euicc"},
        {"package:/odm/app/Cam/Cam.apk=com.odm.cam", PackageLine::SystemApp, "", "", "", "app/Cam/Cam.apk=com.odm.cam"},
        {"package:/apex/com.android.permission/priv-app/Pc@1/Pc.apk=com.google.pc", PackageLine::SystemApp, "", "", "",
         "com.android.permission/priv-app/Pc@1/Pc.apk=com.google.pc"},
        // Adopted storage (Android 6 and later) is the SD card.
        {"package:/mnt/expand/0f3e/app/~~Zg==/com.example.game-Yw==/base.apk=com.example.game", PackageLine::SdCardApp,
         "", "", "", "package:/mnt/expand/0f3e/app/~~Zg==/com.example.game-Yw==/base.apk=com.example.game"},
        {"package:/systemx/app/A.apk=a", PackageLine::Ignored, "", "", "", ""},
        {"package:/sbin/a.apk=a", PackageLine::Ignored, "", "", "", ""},
        {"PACKAGE:/DATA/APP/x.apk=x", PackageLine::Ignored, "", "", "", ""},
        {"", PackageLine::Ignored, "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const PackageLine line = ClassifyPackageLine(QString::fromUtf8(c.line));
        EXPECT_EQ(c.kind, line.kind);
        EXPECT_EQ(QString::fromUtf8(c.apk), line.apk);
        EXPECT_EQ(QString::fromUtf8(c.package), line.packageName);
        EXPECT_EQ(QString::fromUtf8(c.program), line.program);
        EXPECT_EQ(QString::fromUtf8(c.listText), line.listText);
    }
}

TEST(InstallVerdict, ReadsEveryShapeOfInstall)
{
    struct Case {
        const char* name;
        int status;
        QStringList pane, errors;
        const char* verdict;
        InstallOutcome outcome;
    };
    const Case cases[] = {
        {"streamed_success", 0, {"Performing Streamed Install", "Success"}, {}, "Success", InstallOutcome::Success},
        {"old_phone_crcrlf", 0, {"Success", ""}, {}, "Success", InstallOutcome::Success},
        {"streamed_exists", 1, {"Performing Streamed Install"},
         {"adb: failed to install /tmp/a b.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]"},
         "adb: failed to install /tmp/a b.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]",
         InstallOutcome::AlreadyInstalled},
        {"current_phone_explains", 1, {"Performing Streamed Install"},
         {"adb: failed to install x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install "
          "com.example.notes without first uninstalling.]"},
         "adb: failed to install x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install "
         "com.example.notes without first uninstalling.]",
         InstallOutcome::AlreadyInstalled},
        {"legacy_push_exists", 0,
         {"Performing Push Install", "x.apk: 1 file pushed", "\tpkg: /data/local/tmp/x.apk",
          "Failure [INSTALL_FAILED_ALREADY_EXISTS]", ""},
         {}, "Failure [INSTALL_FAILED_ALREADY_EXISTS]", InstallOutcome::AlreadyInstalled},
        {"similar_code_is_other_failure", 1, {}, {"Failure [INSTALL_FAILED_ALREADY_EXISTSX]"},
         "Failure [INSTALL_FAILED_ALREADY_EXISTSX]", InstallOutcome::Failure},
        {"text_after_the_bracket", 0, {"Failure [INSTALL_FAILED_ALREADY_EXISTS] later", ""}, {},
         "Failure [INSTALL_FAILED_ALREADY_EXISTS] later", InstallOutcome::Failure},
        {"stdout_failure_with_prefix", 1, {"adb: failed to install x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]"}, {},
         "adb: failed to install x.apk: Failure [INSTALL_FAILED_ALREADY_EXISTS]", InstallOutcome::AlreadyInstalled},
        {"success_is_whole_line", 0, {"Performing Streamed Install", "Success!"}, {}, "Success!",
         InstallOutcome::Failure},
        {"invalid_apk", 1, {"Performing Streamed Install"},
         {"adb: failed to install x.apk: Failure [INSTALL_PARSE_FAILED_NOT_APK: Failed to parse]"},
         "adb: failed to install x.apk: Failure [INSTALL_PARSE_FAILED_NOT_APK: Failed to parse]",
         InstallOutcome::Failure},
        {"device_gone", 1, {"error: device 'X' not found"}, {"error: device 'X' not found"},
         "error: device 'X' not found", InstallOutcome::Failure},
        {"nothing_at_all", 1, {}, {}, "", InstallOutcome::NoAnswer},
        // adb 29 when the phone went away before the package manager spoke: status 0, not a word.
        {"silent_success", 0, {}, {}, "", InstallOutcome::NoAnswer},
        {"blank_lines_only", 0, {"", ""}, {}, "", InstallOutcome::NoAnswer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString verdict = InstallVerdict(c.status, c.pane, c.errors);
        EXPECT_EQ(QString::fromUtf8(c.verdict), verdict);
        EXPECT_EQ(c.outcome, ClassifyVerdict(verdict));
    }
}

TEST(InstallArgs, FileStaysOneArgumentWhateverItHolds)
{
    EXPECT_EQ(R"( install "C:\a b\x.apk")", InstallArgs("", R"(C:\a b\x.apk)"));
    EXPECT_EQ(R"( install -r -s "/tmp/My Apps/notes app.apk")", InstallArgs("-r -s ", "/tmp/My Apps/notes app.apk"));
    EXPECT_EQ(R"( install -r -f "/tmp/say \"hi\".apk")", InstallArgs("-r -f ", R"(/tmp/say "hi".apk)"));
    EXPECT_EQ(R"( install "/tmp/dir\\")", InstallArgs("", R"(/tmp/dir\)"));
}

TEST(PackageOfRow, ComponentElseApkWithoutExtension)
{
    EXPECT_EQ(QStringLiteral("com.example.notes"), PackageOfRow(QStringLiteral("x.apk"), QStringLiteral("com.example.notes")));
    EXPECT_EQ(QStringLiteral(" com.x "), PackageOfRow(QStringLiteral("x.apk"), QStringLiteral(" com.x ")));
    EXPECT_EQ(QStringLiteral("com.example.notes-1"), PackageOfRow(QStringLiteral("com.example.notes-1.apk"), QStringLiteral("  ")));
    EXPECT_EQ(QStringLiteral("apk"), PackageOfRow(QStringLiteral("apk"), QString()));
    EXPECT_EQ(QString(), PackageOfRow(QString(), QString()));
}

TEST(DialNumberText, TrimsOuterBlanksOnly)
{
    EXPECT_EQ(QStringLiteral("06-12-34-56-78"), DialNumberText(QStringLiteral("06-12-34-56-78")));
    EXPECT_EQ(QStringLiteral("06-  -  -  -"), DialNumberText(QStringLiteral("06-  -  -  -  ")));
    EXPECT_EQ(QStringLiteral("06-  -34-  -"), DialNumberText(QStringLiteral("06-  -34-  -  ")));
    EXPECT_EQ(std::nullopt, DialNumberText(QStringLiteral("  -  -  -  -  ")));
}

TEST(InfoReport, TwelveItemsInOrder)
{
    const QString text = ReportFirstText({"M", "2.2", "BB", "DESC", "FRF91", "BL", "", "PV"})
        + ReportSecondText({"GV", "OP", "NET", "LTE"});
    const QStringList items = text.split(QLatin1Char('\r'));
    EXPECT_EQ((QStringList{"INFORMATION SMARTPHONE : ", "", "Modèle : M", "Version d'Android : 2.2 Build FRF91 (Gms : )",
                           "Version de bande de base : BB", "Numéro de build : DESC", "Numéro logiciel : PV",
                           "Version Bootloader : BL", "Version gsm : GV", "Opérateur : OP", "Réseau utilisé : NET",
                           "Liaison réseau actuelle : LTE"}),
              items);
}
