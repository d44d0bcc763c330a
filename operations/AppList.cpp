// The installed application list: user applications in the grid, system and
// SD-card applications in their lists.

#include "AppList.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"

#include <QStringList>

#include <vector>

namespace quoddle {

namespace {
const QString kUserMarker = QStringLiteral("package:/data/app/");
const QString kSystemMarker = QStringLiteral("package:/system/app/");
const QString kSdCardMarker = QStringLiteral("package:/mnt/");
} // namespace

QString ProgramName(const QString& fileName)
{
    QString rest = fileName;
    while (rest.contains(QLatin1Char('.'))) {
        const QString kept = rest;
        rest = rest.mid(rest.indexOf(QLatin1Char('.')) + 1);
        if (rest == QLatin1String("apk"))
            return kept.left(kept.size() - 4);
    }
    return rest;
}

PackageLine ClassifyPackageLine(const QString& line)
{
    PackageLine result;
    if (const qsizetype marker = line.indexOf(kUserMarker); marker >= 0) {
        result.kind = PackageLine::UserApp;
        // The line's first 18 characters go, whatever stands there; the marker
        // is usually at its start.
        const QString entry = line.mid(kUserMarker.size());
        // The package name follows the last "=": since Android 11 the path holds "=" too.
        const qsizetype equals = entry.lastIndexOf(QLatin1Char('='));
        result.hasPackageName = equals >= 0;
        result.apk = result.hasPackageName ? entry.left(equals) : entry;
        result.packageName = result.hasPackageName ? entry.mid(equals + 1) : QString();
        // One folder per package (Android 5 and later): the file is base.apk in
        // a folder below /data/app/, and the package name tells the program.
        const QString belowDataApp = line.mid(marker + kUserMarker.size());
        const qsizetype fileEnd = belowDataApp.lastIndexOf(QLatin1Char('='));
        const bool inPackageFolder = belowDataApp.left(fileEnd < 0 ? belowDataApp.size() : fileEnd)
                                         .contains(QLatin1Char('/'));
        if (inPackageFolder && result.hasPackageName)
            result.program = result.packageName.section(QLatin1Char('.'), -1);
        else
            result.program = ProgramName(result.apk);
    } else if (line.contains(kSystemMarker)) {
        result.kind = PackageLine::SystemApp;
        result.listText = line.mid(kSystemMarker.size());
    } else if (line.contains(kSdCardMarker)) {
        result.kind = PackageLine::SdCardApp;
        result.listText = line;
    }
    return result;
}

void TFrmMain::sBitBtn1Click()
{
    if (!GuardDevice())
        return;
    AdbArgs = DeviceArg(CurrentDevice) + " shell pm list packages -f";
    RunCommand(AdbPath, AppDir());

    // Each refresh starts from the header and empty lists (refreshing twice
    // shows each application once); every user application gets a row of its
    // own, in listing order.
    std::vector<PackageLine> userApps;
    QStringList systemApps, sdCardApps;
    const int count = Memo->lineCount();
    for (int i = 0; i < count; ++i) {
        PackageLine entry = ClassifyPackageLine(Memo->line(i));
        switch (entry.kind) {
        case PackageLine::UserApp:
            userApps.push_back(std::move(entry));
            break;
        case PackageLine::SystemApp:
            systemApps.append(entry.listText);
            break;
        case PackageLine::SdCardApp:
            sdCardApps.append(entry.listText);
            break;
        case PackageLine::Ignored:
            break;
        }
    }

    StringGrid1->setUpdatesEnabled(false);
    StringGrid1->setRowCount(1);
    StringGrid1->setRowCount(1 + static_cast<int>(userApps.size()));
    int row = 1;
    for (const PackageLine& app : userApps) {
        StringGrid1->setCell(0, row, app.program);
        StringGrid1->setCell(1, row, app.apk);
        if (app.hasPackageName)
            StringGrid1->setCell(2, row, app.packageName);
        ++row;
    }
    StringGrid1->setUpdatesEnabled(true);
    listapplisys->clearItems();
    listapplisys->addItems(systemApps);
    listappautre->clearItems();
    listappautre->addItems(sdCardApps);
}

} // namespace quoddle
