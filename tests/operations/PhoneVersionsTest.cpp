// The rules per Android release and the readers of what the phone's tools
// answer, over recorded answers of each release.

#include "operations/PhoneActions.hpp"
#include "operations/PhoneAnswers.hpp"
#include "operations/PhoneVersions.hpp"

#include <gtest/gtest.h>

using namespace quoddle;

TEST(PhoneVersions, DialByServiceCallOnlyWhileTransactionTwoIsCallNumber)
{
    const struct {
        int sdk;
        bool serviceCall;
    } rows[] = {{0, true}, {8, true}, {10, true}, {17, true}, {18, false}, {19, false}, {28, false}, {34, false},
                {35, false}, {999, false}};
    for (const auto& row : rows)
        EXPECT_EQ(row.serviceCall, RulesForSdk(row.sdk).dialByServiceCall) << row.sdk;
}

TEST(PhoneVersions, ApiLevelFromGetprop)
{
    EXPECT_EQ(8, SdkFromAnswer(QStringLiteral("8")));
    EXPECT_EQ(34, SdkFromAnswer(QStringLiteral(" 34 ")));
    for (const char* answer : {"", "error: closed", "/system/bin/sh: getprop: not found", "0", "-3", "1000", "3x"})
        EXPECT_EQ(std::nullopt, SdkFromAnswer(QString::fromUtf8(answer))) << answer;
}

TEST(PhoneAnswers, UnknownVerbOfEveryPm)
{
    EXPECT_TRUE(IsUnknownVerb({QStringLiteral("Unknown command: getInstallLocation")}));
    EXPECT_TRUE(IsUnknownVerb({QStringLiteral("Error: unknown command 'getInstallLocation'"), QStringLiteral("usage: pm")}));
    EXPECT_FALSE(IsUnknownVerb({QStringLiteral("0[auto]")}));
    EXPECT_FALSE(IsUnknownVerb({QStringLiteral("error: more than one device/emulator")}));
    EXPECT_FALSE(IsUnknownVerb({}));
}

TEST(PhoneAnswers, WritesConfirmedOnlyByTheirAnswer)
{
    const QStringList usage = {QStringLiteral("usage: bmgr [backup|restore|list|transport|run]"),
                               QStringLiteral("       bmgr enable BOOL")};
    EXPECT_TRUE(BackupWriteConfirmed({QStringLiteral("Backup Manager now enabled")}, true));
    EXPECT_TRUE(BackupWriteConfirmed({QStringLiteral("Backup Manager now disabled"), QString()}, false));
    EXPECT_FALSE(BackupWriteConfirmed({QStringLiteral("Backup Manager now enabled")}, false));
    EXPECT_FALSE(BackupWriteConfirmed(QStringList{QStringLiteral("Unknown command")} + usage, false));
    EXPECT_FALSE(BackupWriteConfirmed(usage, true));
    EXPECT_FALSE(BackupWriteConfirmed({}, true));

    EXPECT_TRUE(SilentWriteConfirmed({}));
    EXPECT_TRUE(SilentWriteConfirmed({QString(), QString()}));
    EXPECT_FALSE(SilentWriteConfirmed({QStringLiteral("Error: install location has to be a number.")}));
}

TEST(PhoneAnswers, ServiceCallReplyWithoutException)
{
    const struct {
        QStringList reply;
        bool confirmed;
    } rows[] = {
        {{QStringLiteral("Result: Parcel(00000000    '....')")}, true},
        {{QStringLiteral("Result: Parcel(00000000    '....')"), QString()}, true},
        {{QStringLiteral("Result: Parcel(00000000 00000001   '........')")}, true},
        // A SecurityException: code -1, then its message.
        {{QStringLiteral("Result: Parcel("),
          QStringLiteral("  0x00000000: ffffffff 0000001e 00650050 006d0072 '........P.e.r.m.'"),
          QStringLiteral("  0x00000010: 00730069 00690073 006e006f 00440020 'i.s.s.i.o.n. .D.')")},
         false},
        {{QStringLiteral("Result: Parcel(ffffffff 00000000   '........')")}, false},
        {{QStringLiteral("Result: Parcel(Error: 0xffffffb6 \"Not a data message\")")}, false},
        {{QStringLiteral("service: Service phone does not exist")}, false},
        {{}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.confirmed, ServiceCallConfirmed(row.reply)) << row.reply.join(QLatin1Char('|')).toStdString();
}

TEST(PhoneAnswers, ActivityStartedWithoutError)
{
    const QString starting = QStringLiteral("Starting: Intent { act=android.intent.action.CALL dat=tel:xxxxxxxxxx }");
    EXPECT_TRUE(ActivityStartConfirmed({starting}));
    EXPECT_FALSE(ActivityStartConfirmed({starting, QStringLiteral("Error: Activity not started, unable to resolve Intent")}));
    EXPECT_FALSE(ActivityStartConfirmed(
        {starting, QStringLiteral("java.lang.SecurityException: Permission Denial: starting Intent")}));
    EXPECT_FALSE(ActivityStartConfirmed({QStringLiteral("/system/bin/sh: am: not found")}));
    EXPECT_FALSE(ActivityStartConfirmed({}));
}

TEST(PhoneActions, TelUriHoldsTheDigitsOnly)
{
    EXPECT_EQ("tel:0612345678", TelUri(QStringLiteral("06-12-34-56-78")));
    EXPECT_EQ("tel:06", TelUri(QStringLiteral("06-  -  -  -")));
    EXPECT_EQ("tel:0612", TelUri(QStringLiteral("06-  -12-  -")));
}
