// Phone actions: reboots, dialling, the temporary folder, the command prompt, quitting.

#include "PhoneActions.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "PhoneAnswers.hpp"
#include "PhoneVersions.hpp"
#include "Texts.hpp"
#include "widgets/MaskEdit.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"

namespace quoddle {

std::optional<QString> DialNumberText(const QString& fieldText)
{
    const bool hasDigit = std::any_of(fieldText.begin(), fieldText.end(), [](QChar c) { return c.isDigit(); });
    if (!hasDigit)
        return std::nullopt;
    qsizetype first = 0, last = fieldText.size();
    while (first < last && fieldText.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && fieldText.at(last - 1) == QLatin1Char(' '))
        --last;
    return fieldText.mid(first, last - first);
}

void TFrmMain::bt_rebootClick() { Reboot(" reboot"); }

void TFrmMain::btrebootloaderClick() { Reboot(" reboot-bootloader"); }

void TFrmMain::bt_rebootrecoveryClick() { Reboot(" reboot recovery"); }

void TFrmMain::Reboot(const char* command)
{
    if (!GuardDevice())
        return;
    AdbArgs = DeviceArg(CurrentDevice) + command;
    RunCommand(AdbPath, AppDir());
}

void TFrmMain::bt_trashClick()
{
    if (!GuardDevice())
        return;
    AdbArgs = DeviceArg(CurrentDevice) + " shell rm /data/local/tmp/*";
    failedRunCaption_.clear();
    RunCommand(AdbPath, AppDir());
    NoteRunOutcome();
    services().ShowInformation(QString::fromUtf8(texts::kTrashResultPrefix) + Memo->text());
    SetAppliedCaption();
}

std::string TelUri(const QString& number)
{
    std::string uri = "tel:";
    for (const QChar c : number)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            uri += static_cast<char>(c.unicode());
    return uri;
}

void TFrmMain::bt_numeroterClick()
{
    if (!GuardDevice())
        return;
    const auto number = DialNumberText(ed_numero->maskedText());
    if (!number)
        return;
    const std::optional<int> sdk = CurrentSdk();
    if (!sdk) {
        // Which way dials depends on the release: nothing is sent unknowingly.
        // A failed run has told why in the caption; an answer that is no
        // API level is shown.
        if (lastRunSucceeded_)
            TellRefusal();
        return;
    }
    // service and am both exit 0 when nothing was called: their answer tells.
    bool confirmed;
    if (RulesForSdk(*sdk).dialByServiceCall) {
        AdbArgs = DeviceArg(CurrentDevice) + " shell service call phone " + "2" + " s16 \"" + number->toStdString() + "\"";
        RunCommand(AdbPath, AppDir());
        confirmed = ServiceCallConfirmed(AnswerLines());
    } else {
        AdbArgs = DeviceArg(CurrentDevice) + " shell am start -a android.intent.action.CALL -d " + TelUri(*number);
        RunCommand(AdbPath, AppDir());
        confirmed = ActivityStartConfirmed(AnswerLines());
    }
    if (lastRunSucceeded_ && !confirmed)
        TellRefusal();
}

void TFrmMain::ed_numeroKeyUp(int key)
{
    if (key == 13)
        bt_numeroterClick();
}

void TFrmMain::bt_cmdClick() { services().OpenCommandInterpreter(CmdPath, AppDir()); }

void TFrmMain::NoteRunOutcome(bool confirmed)
{
    if (!failedRunCaption_.isEmpty())
        return;
    if (!lastRunSucceeded_) {
        failedRunCaption_ = windowTitle();
    } else if (!confirmed) {
        failedRunCaption_ = QString::fromUtf8(texts::kCaptionRefused);
        refusedAnswer_ = AnswerLines().join(QStringLiteral("\r\n"));
    }
}

void TFrmMain::SetAppliedCaption()
{
    // The caption claims success only when every run of the operation did
    // succeed and the phone said it did what was asked.
    setWindowTitle(failedRunCaption_.isEmpty() ? QString::fromUtf8(texts::kCaptionApplied) : failedRunCaption_);
    failedRunCaption_.clear();
    if (!refusedAnswer_.isEmpty())
        services().ShowInformation(QString::fromUtf8(texts::kRefusedPrefix) + refusedAnswer_);
    refusedAnswer_.clear();
}

void TFrmMain::TellRefusal()
{
    setWindowTitle(QString::fromUtf8(texts::kCaptionRefused));
    services().ShowInformation(QString::fromUtf8(texts::kRefusedPrefix) + AnswerLines().join(QStringLiteral("\r\n")));
}

QStringList TFrmMain::AnswerLines() const
{
    QStringList lines = Memo->lines();
    // Without standard output the pane holds standard error already.
    if (ConsoleHandler && ConsoleHandler->Lines != ConsoleHandler->ErrorLines())
        lines += OutputPane::FromUtf8Lines(ConsoleHandler->ErrorLines());
    return lines;
}

std::string TFrmMain::DevicePrefix() const
{
    return CurrentDevice.empty() ? std::string() : DeviceArg(CurrentDevice) + " ";
}

KnownPhone* TFrmMain::KnownCurrentPhone()
{
    return CurrentDevice.empty() ? nullptr : &knownPhones_[CurrentDevice];
}

std::optional<int> TFrmMain::CurrentSdk()
{
    KnownPhone* phone = KnownCurrentPhone();
    if (!phone)
        return std::nullopt;
    if (!phone->sdk) {
        AdbArgs = DeviceArg(CurrentDevice) + " shell getprop ro.build.version.sdk";
        RunCommand(AdbPath, AppDir());
        if (lastRunSucceeded_)
            phone->sdk = SdkFromAnswer(ShellLine(0));
    }
    return phone->sdk;
}

} // namespace quoddle
