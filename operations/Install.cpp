// Install and removal of applications.

#include "Install.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "PackageFiles.hpp"
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

QString OutcomeMessage(const InstallResult& result)
{
    switch (result.outcome) {
    case InstallOutcome::Success:
        return texts::Tr(texts::kInstallSuccess);
    case InstallOutcome::AlreadyInstalled:
        return texts::Tr(texts::kInstallAlreadyThere);
    case InstallOutcome::Failure:
    case InstallOutcome::NoAnswer:
        break;
    }
    return texts::Tr(texts::kInstallFailurePrefix) + result.verdict;
}

QString BatchMessage(const std::vector<std::pair<QString, InstallResult>>& results)
{
    QString message = texts::Tr(texts::kInstallBatchHeader);
    for (const auto& [name, result] : results)
        message += QLatin1Char('\n') + texts::Tr(texts::kInstallBatchLine).arg(name, OutcomeMessage(result));
    return message;
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
    const QStringList files = services().ChooseFilesToOpen(
        {OpenDialog1.title, texts::Tr(texts::kPackageFilesFilter), QStringLiteral("apk")});
    if (files.isEmpty() || files.front().isEmpty())
        return;
    ShowInstallPanel(files);
}

void TFrmMain::sBitBtn4Click() { panel_install->hide(); }

void TFrmMain::bt_installsdClick() { Install("-r -s "); }

void TFrmMain::bt_installromClick() { Install("-r -f "); }

void TFrmMain::Install(const char* reinstallOptions)
{
    if (!GuardDevice())
        return;
    const char* options = box_reinstall->isChecked() ? reinstallOptions : "";
    // The list belongs to the file name it was chosen with.
    const QStringList files = !OpenDialog1.fileNames.isEmpty() && OpenDialog1.fileNames.front() == OpenDialog1.fileName
        ? OpenDialog1.fileNames
        : QStringList{OpenDialog1.fileName};
    if (files.size() > 1 || KindOfFile(files.front()) == PackageFileKind::Bundle) {
        InstallSeveral(options, files);
        return;
    }
    const InstallResult result = RunInstall(InstallArgs(options, OpenDialog1.fileName.toStdString()));
    services().ShowInformation(OutcomeMessage(result));
    if (result.outcome == InstallOutcome::Success)
        panel_install->hide();
}

InstallResult TFrmMain::RunInstall(const std::string& installArgs)
{
    AdbArgs = DeviceArg(CurrentDevice) + installArgs;
    RunCommand(AdbPath, AppDir());
    const QString verdict = InstallVerdict(ConsoleHandler->ExitStatus(), Memo->lines(),
                                           OutputPane::FromUtf8Lines(ConsoleHandler->ErrorLines()));
    const InstallOutcome outcome = ClassifyVerdict(verdict);
    if (outcome == InstallOutcome::NoAnswer)
        TellRunFailed();
    // An old phone's pm refuses with exit status 0: the verdict tells.
    else if (lastRunSucceeded_ && outcome != InstallOutcome::Success)
        setWindowTitle(texts::Tr(texts::kCaptionRefused));
    return {verdict, outcome};
}

void TFrmMain::bt_desinstallClick() { Uninstall(true); }

void TFrmMain::bt_desinstallttClick() { Uninstall(false); }

void TFrmMain::Uninstall(bool keepData)
{
    if (!GuardDevice())
        return;
    const int row = StringGrid1->row();
    // The filter may hide every row, the selected one too: what is not shown is not removed.
    if (!StringGrid1->filter().isEmpty() && !StringGrid1->isRowShown(row))
        return;
    const QString package = PackageOfRow(StringGrid1->cell(1, row), StringGrid1->cell(2, row));
    AdbArgs = DeviceArg(CurrentDevice) + " shell pm uninstall " + (keepData ? "-k " : "") + package.toStdString();
    RunCommand(AdbPath, AppDir());
    const bool answered = RunAnswered(); // pm uninstall always prints "Success" or "Failure [...]"
    services().ShowInformation(texts::Tr(texts::kRemovalResultPrefix) + Memo->text());
    // pm says "Success" or "Failure [...]", before Android 5 with exit status 0.
    if (answered && lastRunSucceeded_ && !Memo->lines().contains(QStringLiteral("Success")))
        setWindowTitle(texts::Tr(texts::kCaptionRefused));
}

} // namespace quoddle
