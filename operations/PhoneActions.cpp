// Phone actions: reboots, dialling, the temporary folder, the command prompt, quitting.

#include "PhoneActions.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
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
    services().ShowInformation(texts::Tr(texts::kTrashResultPrefix) + Memo->text());
    SetAppliedCaption();
}

void TFrmMain::bt_numeroterClick()
{
    if (!GuardDevice())
        return;
    const auto number = DialNumberText(ed_numero->maskedText());
    if (!number)
        return;
    AdbArgs = DeviceArg(CurrentDevice) + " shell service call phone " + "2" + " s16 \"" + number->toStdString() + "\"";
    RunCommand(AdbPath, AppDir());
}

void TFrmMain::ed_numeroKeyUp(int key)
{
    if (key == 13)
        bt_numeroterClick();
}

void TFrmMain::bt_cmdClick() { services().OpenCommandInterpreter(CmdPath, AppDir()); }

void TFrmMain::NoteRunOutcome()
{
    if (!lastRunSucceeded_ && failedRunCaption_.isEmpty())
        failedRunCaption_ = windowTitle();
}

void TFrmMain::SetAppliedCaption()
{
    // The caption claims success only when every run of the operation did succeed.
    setWindowTitle(failedRunCaption_.isEmpty() ? texts::Tr(texts::kCaptionApplied) : failedRunCaption_);
    failedRunCaption_.clear();
}

} // namespace quoddle
