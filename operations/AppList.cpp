// The installed application list: user applications in the grid, system and
// SD-card applications in their lists.

#include "AppList.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"

#include <QStringList>
#include <QStringMatcher>

#include <vector>

namespace quoddle {

namespace {
// A listing holds thousands of lines; the markers are searched with matchers
// prepared once.
constexpr QStringView kUserMarkerText = u"package:/data/app/";
constexpr QStringView kSystemMarkerText = u"package:/system/app/";
const QStringMatcher kUserMarker(kUserMarkerText);
const QStringMatcher kSystemMarker(kSystemMarkerText);
const QStringMatcher kSdCardMarker(u"package:/mnt/");
// The other read-only partitions whose packages are the phone's own: on a
// current phone most of them lie outside /system/app/.
constexpr QStringView kSystemPartitionMarkers[] = {
    u"package:/system/", u"package:/product/", u"package:/system_ext/", u"package:/vendor/",
    u"package:/odm/",    u"package:/oem/",     u"package:/apex/",
};
} // namespace

QString ProgramName(const QString& fileName)
{
    // Cut one leading field at a time; the name is the kept text without its
    // ".apk" once what is left is exactly "apk", else the last field. The
    // cuts are positions in the file name, so no text is copied on the way.
    qsizetype rest = 0;
    for (qsizetype dot; (dot = fileName.indexOf(QLatin1Char('.'), rest)) >= 0;) {
        const qsizetype kept = rest;
        rest = dot + 1;
        if (QStringView(fileName).mid(rest) == QLatin1String("apk"))
            return fileName.mid(kept, fileName.size() - kept - 4);
    }
    return fileName.mid(rest);
}

PackageLine ClassifyPackageLine(const QString& line)
{
    PackageLine result;
    if (const qsizetype marker = kUserMarker.indexIn(line); marker >= 0) {
        const qsizetype markerSize = kUserMarkerText.size();
        result.kind = PackageLine::UserApp;
        // The line's first 18 characters go, whatever stands there; the marker
        // is usually at its start.
        const QStringView entry = QStringView(line).mid(markerSize);
        // The package name follows the last "=": since Android 11 the path holds "=" too.
        const qsizetype equals = entry.lastIndexOf(QLatin1Char('='));
        result.hasPackageName = equals >= 0;
        result.apk = (result.hasPackageName ? entry.left(equals) : entry).toString();
        if (result.hasPackageName)
            result.packageName = entry.mid(equals + 1).toString();
        // One folder per package (Android 5 and later): the file is base.apk in
        // a folder below /data/app/, and the package name tells the program.
        const QStringView belowDataApp = QStringView(line).mid(marker + markerSize);
        const qsizetype fileEnd = belowDataApp.lastIndexOf(QLatin1Char('='));
        const bool inPackageFolder = belowDataApp.left(fileEnd < 0 ? belowDataApp.size() : fileEnd)
                                         .contains(QLatin1Char('/'));
        if (inPackageFolder && result.hasPackageName)
            result.program = result.packageName.mid(result.packageName.lastIndexOf(QLatin1Char('.')) + 1);
        else
            result.program = ProgramName(result.apk);
    } else if (kSystemMarker.indexIn(line) >= 0) {
        result.kind = PackageLine::SystemApp;
        result.listText = line.mid(kSystemMarkerText.size());
    } else if (kSdCardMarker.indexIn(line) >= 0) {
        result.kind = PackageLine::SdCardApp;
        result.listText = line;
    } else {
        // Their path below the partition's root, "=" and the package name.
        for (const QStringView marker : kSystemPartitionMarkers) {
            const qsizetype at = line.indexOf(marker);
            if (at < 0)
                continue;
            result.kind = PackageLine::SystemApp;
            result.listText = line.mid(at + marker.size());
            break;
        }
    }
    return result;
}

void TFrmMain::sBitBtn1Click()
{
    if (!GuardDevice())
        return;
    AdbArgs = DeviceArg(CurrentDevice) + " shell pm list packages -f";
    RunCommand(AdbPath, AppDir());
    // A listing that printed nothing leaves the pages clean, as a failed one does.
    RunAnswered();
    ShowApplicationList();
    // The caption tells the listing's outcome; the questions after it are the
    // refresh's own business, and are not asked of a phone that failed it.
    const QString caption = windowTitle();
    LearnPackageStates(lastRunSucceeded_);
    setWindowTitle(caption);
}

void TFrmMain::ShowApplicationList()
{
    // Each refresh starts from the header and empty lists (refreshing twice
    // shows each application once); every user application gets a row of its
    // own, in listing order. A row without a package name leaves column 2 empty.
    const int count = Memo->lineCount();
    std::vector<QStringList> userApps;
    userApps.reserve(static_cast<std::size_t>(count));
    QStringList systemApps, sdCardApps;
    for (int i = 0; i < count; ++i) {
        PackageLine entry = ClassifyPackageLine(Memo->line(i));
        switch (entry.kind) {
        case PackageLine::UserApp:
            userApps.push_back({std::move(entry.program), std::move(entry.apk), std::move(entry.packageName)});
            break;
        case PackageLine::SystemApp:
            systemApps.append(std::move(entry.listText));
            break;
        case PackageLine::SdCardApp:
            sdCardApps.append(std::move(entry.listText));
            break;
        case PackageLine::Ignored:
            break;
        }
    }

    StringGrid1->setRowCount(1);
    StringGrid1->setRows(std::move(userApps));
    listapplisys->setItems(systemApps);
    listappautre->setItems(sdCardApps);
}

} // namespace quoddle
