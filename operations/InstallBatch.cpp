// Installing several package files at once: dropped on the window or picked
// together in the open dialog, split sets and bundles included.

#include "FrmMain.hpp"
#include "PackageFiles.hpp"
#include "Texts.hpp"
#include "widgets/Panel.hpp"
#include "windows/Services.hpp"
#include "windows/Waiting.hpp"

#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

#include <algorithm>

namespace quoddle {

void TFrmMain::FormDragDrop(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    if (const QString refusal = RefusalMessage(paths); !refusal.isEmpty()) {
        services().ShowInformation(refusal);
        return;
    }
    ShowInstallPanel(paths);
}

void TFrmMain::ShowInstallPanel(const QStringList& files)
{
    OpenDialog1.fileName = files.front();
    OpenDialog1.fileNames = files;
    const bool oneApk = files.size() == 1 && KindOfFile(files.front()) != PackageFileKind::Bundle;
    if (oneApk) {
        lbl_installfiles->hide();
    } else {
        const QString text = PanelFilesText(files);
        lbl_installfiles->setText(lbl_installfiles->fontMetrics().elidedText(text, Qt::ElideRight,
                                                                             lbl_installfiles->width()));
        lbl_installfiles->setToolTip(files.join(QLatin1Char('\n')));
        lbl_installfiles->show();
    }
    panel_install->show();
    panel_install->raise();
}

void TFrmMain::InstallSeveral(const char* options, const QStringList& files)
{
    // The dialog only offers files that exist; a drop may name one gone since.
    if (const QString refusal = RefusalMessage(files); !refusal.isEmpty()) {
        services().ShowInformation(refusal);
        return;
    }
    std::vector<std::pair<QString, InstallResult>> results;
    {
        // The wait cursor from the first file read to the last run; never over the message box,
        // whose clicks would wait behind it.
        BusyScope busy;
        std::vector<ApkFile> apks;
        QTemporaryDir opened; // the bundles' .apk files, for the length of the installs
        for (const QString& file : files) {
            if (KindOfFile(file) != PackageFileKind::Bundle) {
                apks.push_back(ReadApkFile(file));
                continue;
            }
            const QStringList inside = opened.isValid() ? ExtractBundle(file, opened.path()) : QStringList();
            const QString name = QFileInfo(file).fileName();
            if (inside.isEmpty())
                results.push_back({name, {texts::Tr(texts::kBundleUnreadable).arg(name), InstallOutcome::Failure}});
            for (const QString& apk : inside)
                apks.push_back(ReadApkFile(apk));
        }

        const std::vector<InstallGroup> groups = GroupByApplication(apks);
        QString failedCaption; // of the first run that did not install
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const InstallGroup& group = groups[i];
            if (groups.size() > 1)
                setWindowTitle(texts::Tr(texts::kInstallProgress)
                                   .arg(i + 1)
                                   .arg(groups.size())
                                   .arg(group.name));
            results.push_back({group.name, RunInstall(group.multiple ? InstallMultipleArgs(options, group.files)
                                                                     : InstallArgs(options, group.files.front().toStdString()))});
            if (results.back().second.outcome != InstallOutcome::Success && failedCaption.isEmpty())
                failedCaption = windowTitle();
        }
        // A later application's success does not hide an earlier one's failure.
        if (!failedCaption.isEmpty())
            setWindowTitle(failedCaption);
    }

    services().ShowInformation(results.size() == 1 ? OutcomeMessage(results.front().second) : BatchMessage(results));
    const bool allSucceeded = std::all_of(results.begin(), results.end(),
                                          [](const auto& r) { return r.second.outcome == InstallOutcome::Success; });
    if (allSucceeded)
        panel_install->hide();
}

} // namespace quoddle
