// Storage and backup settings: read back from the phone and applied to it.

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "PhoneAnswers.hpp"
#include "Texts.hpp"
#include "widgets/RadioGroup.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"

namespace quoddle {

void TFrmMain::RunPmVerb(const char* camelCase, const char* dashed, const std::string& argument)
{
    // pm's verbs were setInstallLocation/getInstallLocation on Android 2.2; later
    // releases know the dashed ones only and say so. Once a phone has said it,
    // the dashed verb goes to it first for the rest of the session.
    KnownPhone* phone = KnownCurrentPhone();
    const bool knownDashed = phone && phone->dashedInstallLocation;
    AdbArgs = DevicePrefix() + "shell pm " + (knownDashed ? dashed : camelCase) + argument;
    RunCommand(AdbPath, AppDir());
    if (knownDashed || !IsUnknownVerb(AnswerLines()))
        return;
    AdbArgs = DevicePrefix() + "shell pm " + dashed + argument;
    RunCommand(AdbPath, AppDir());
    if (phone && lastRunSucceeded_ && !IsUnknownVerb(AnswerLines()))
        phone->dashedInstallLocation = true;
}

void TFrmMain::bt_actualfroyoClick()
{
    // Named to the selected phone; with none, adb picks the only one attached.
    RunPmVerb("getInstallLocation", "get-install-location");
    const QString location = Memo->line(0);
    const QChar first = location.isEmpty() ? QChar() : location.front();
    if (first >= QLatin1Char('0') && first <= QLatin1Char('2'))
        reglageappliinstall->setItemIndex(first.unicode() - '0');
    else
        services().ShowInformation(QString::fromUtf8(texts::kInstallLocationUnknown));

    AdbArgs = DevicePrefix() + "shell bmgr enabled";
    RunCommand(AdbPath, AppDir());
    reglagesave->setItemIndex(Memo->line(0).contains(QLatin1String("enabled")) ? 0 : 1);
}

void TFrmMain::bt_appliquerClick()
{
    if (!GuardDevice())
        return;
    failedRunCaption_.clear();
    refusedAnswer_.clear();
    RunPmVerb("setInstallLocation ", "set-install-location ", std::to_string(reglageappliinstall->itemIndex()));
    NoteRunOutcome(SilentWriteConfirmed(AnswerLines()));
    // bmgr has no "disable": "enable" takes true or false, and exits 0 even
    // when it refuses, so only its answer tells.
    const bool enable = reglagesave->itemIndex() != 1;
    AdbArgs = DeviceArg(CurrentDevice) + (enable ? " shell bmgr enable true" : " shell bmgr enable false");
    RunCommand(AdbPath, AppDir());
    NoteRunOutcome(BackupWriteConfirmed(AnswerLines(), enable));
    SetAppliedCaption();
}

} // namespace quoddle
