// Storage and backup settings: read back from the phone and applied to it.

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "Texts.hpp"
#include "widgets/RadioGroup.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"

namespace quoddle {

void TFrmMain::bt_actualfroyoClick()
{
    AdbArgs = "shell pm getInstallLocation";
    RunCommand(AdbPath, AppDir());
    const QString location = Memo->line(0);
    const QChar first = location.isEmpty() ? QChar() : location.front();
    if (first >= QLatin1Char('0') && first <= QLatin1Char('2'))
        reglageappliinstall->setItemIndex(first.unicode() - '0');
    else
        services().ShowInformation(texts::Tr(texts::kInstallLocationUnknown));

    AdbArgs = "shell bmgr enabled";
    RunCommand(AdbPath, AppDir());
    reglagesave->setItemIndex(Memo->line(0).contains(QLatin1String("enabled")) ? 0 : 1);
}

void TFrmMain::bt_appliquerClick()
{
    if (!GuardDevice())
        return;
    failedRunCaption_.clear();
    AdbArgs = DeviceArg(CurrentDevice) + " shell pm setInstallLocation "
        + std::to_string(reglageappliinstall->itemIndex());
    RunCommand(AdbPath, AppDir());
    NoteRunOutcome();
    AdbArgs = reglagesave->itemIndex() == 1 ? "shell bmgr disable" : "shell bmgr enable";
    RunCommand(AdbPath, AppDir());
    NoteRunOutcome();
    SetAppliedCaption();
}

} // namespace quoddle
