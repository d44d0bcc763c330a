// Install and removal of applications.

#include "Install.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "Texts.hpp"
#include "platform/CommandLine.hpp"
#include "widgets/Panel.hpp"
#include "widgets/StringGrid.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"

#include <QCheckBox>

namespace quoddle {

namespace {

QString LastNonEmpty(const QStringList& lines)
{
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (!it->isEmpty())
            return *it;
    }
    return {};
}

} // namespace

std::string InstallArgs(const char* options, const std::string& file)
{
    return std::string(" install ") + options + platform::QuoteArgument(file, true);
}

QString InstallVerdict(int exitStatus, const QStringList& paneLines, const QStringList& errorLines)
{
    if (exitStatus != 0) {
        const QString error = LastNonEmpty(errorLines);
        if (!error.isEmpty())
            return error;
    }
    return LastNonEmpty(paneLines);
}

InstallOutcome ClassifyVerdict(const QString& verdict)
{
    if (verdict.isEmpty())
        return InstallOutcome::NoAnswer;
    // adb puts its own prefix before the package manager's words.
    QString words = verdict;
    if (const qsizetype at = verdict.indexOf(QLatin1String("Failure [")); at > 0)
        words = verdict.mid(at);
    if (words == QLatin1String("Success"))
        return InstallOutcome::Success;
    // A current phone explains: "Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install ...]".
    if (words == QLatin1String("Failure [INSTALL_FAILED_ALREADY_EXISTS]")
        || words.startsWith(QLatin1String("Failure [INSTALL_FAILED_ALREADY_EXISTS:")))
        return InstallOutcome::AlreadyInstalled;
    return InstallOutcome::Failure;
}

QString PackageOfRow(const QString& apkCell, const QString& componentCell)
{
    for (const QChar c : componentCell) {
        if (c > QLatin1Char(' '))
            return componentCell;
    }
    return apkCell.size() < 4 ? apkCell : apkCell.left(apkCell.size() - 4);
}

void TFrmMain::bt_installClick()
{
    const QString file = services().ChooseFileToOpen(
        {OpenDialog1.title, QStringLiteral("Applications Android (*.apk)"), QStringLiteral("apk")});
    if (file.isEmpty())
        return;
    OpenDialog1.fileName = file;
    panel_install->show();
    panel_install->raise();
}

void TFrmMain::sBitBtn4Click() { panel_install->hide(); }

void TFrmMain::bt_installsdClick() { Install("-r -s "); }

void TFrmMain::bt_installromClick() { Install("-r -f "); }

void TFrmMain::Install(const char* reinstallOptions)
{
    if (!GuardDevice())
        return;
    AdbArgs = DeviceArg(CurrentDevice)
        + InstallArgs(box_reinstall->isChecked() ? reinstallOptions : "", OpenDialog1.fileName.toStdString());
    RunCommand(AdbPath, AppDir());

    const QString verdict = InstallVerdict(ConsoleHandler->ExitStatus(), Memo->lines(),
                                           OutputPane::FromUtf8Lines(ConsoleHandler->ErrorLines()));
    switch (ClassifyVerdict(verdict)) {
    case InstallOutcome::Success:
        services().ShowInformation(QString::fromUtf8(texts::kInstallSuccess));
        panel_install->hide();
        break;
    case InstallOutcome::AlreadyInstalled:
        services().ShowInformation(QString::fromUtf8(texts::kInstallAlreadyThere));
        break;
    case InstallOutcome::NoAnswer:
        TellRunFailed();
        [[fallthrough]];
    case InstallOutcome::Failure:
        services().ShowInformation(QString::fromUtf8(texts::kInstallFailurePrefix) + verdict);
        break;
    }
}

void TFrmMain::bt_desinstallClick() { Uninstall(true); }

void TFrmMain::bt_desinstallttClick() { Uninstall(false); }

void TFrmMain::Uninstall(bool keepData)
{
    if (!GuardDevice())
        return;
    const int row = StringGrid1->row();
    const QString package = PackageOfRow(StringGrid1->cell(1, row), StringGrid1->cell(2, row));
    AdbArgs = DeviceArg(CurrentDevice) + " shell pm uninstall " + (keepData ? "-k " : "") + package.toStdString();
    RunCommand(AdbPath, AppDir());
    RunAnswered(); // pm uninstall always prints "Success" or "Failure [...]"
    services().ShowInformation(QString::fromUtf8(texts::kRemovalResultPrefix) + Memo->text());
}

} // namespace quoddle
