#include "PackageFiles.hpp"

#include "Texts.hpp"
#include "apk/Manifest.hpp"
#include "apk/Zip.hpp"
#include "platform/CommandLine.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace quoddle {

namespace {

// A path as apk/ takes it.
std::string Local(const QString& path)
{
#ifdef _WIN32
    return path.toUtf8().toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString FileName(const QString& path) { return QFileInfo(path).fileName(); }

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

PackageFileKind KindOfFile(const QString& path)
{
    if (path.endsWith(QLatin1String(".apk"), Qt::CaseInsensitive))
        return PackageFileKind::Apk;
    if (path.endsWith(QLatin1String(".apks"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".xapk"), Qt::CaseInsensitive))
        return PackageFileKind::Bundle;
    return PackageFileKind::Other;
}

QString RefusalOf(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? path : info.fileName();
    if (info.isDir())
        return QString::fromUtf8(texts::kRefusedFolder).arg(name);
    if (!info.exists())
        return QString::fromUtf8(texts::kRefusedMissing).arg(name);
    if (KindOfFile(path) == PackageFileKind::Other || !info.isFile())
        return QString::fromUtf8(texts::kRefusedNotPackage).arg(name);
    return {};
}

QString RefusalMessage(const QStringList& paths)
{
    QStringList lines;
    for (const QString& path : paths) {
        if (const QString why = RefusalOf(path); !why.isEmpty())
            lines << why;
    }
    return lines.isEmpty() ? QString() : QString::fromUtf8(texts::kNothingSent) + QLatin1Char('\n') + lines.join('\n');
}

ApkFile ReadApkFile(const QString& path)
{
    ApkFile file{path, {}, {}};
    if (const auto manifest = apk::ReadManifestOfFile(Local(path))) {
        file.package = QString::fromStdString(manifest->package);
        file.split = QString::fromStdString(manifest->split);
    }
    return file;
}

QStringList ExtractBundle(const QString& bundle, const QString& folder)
{
    const auto archive = apk::ZipArchive::Open(Local(bundle));
    if (!archive)
        return {};
    std::vector<std::string> apks, standalones;
    for (const std::string& name : archive->Names()) {
        std::string lower = name;
        for (char& c : lower)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (!EndsWith(lower, ".apk"))
            continue;
        (lower.rfind("standalones/", 0) == 0 ? standalones : apks).push_back(name);
    }
    if (apks.empty())
        apks = standalones;
    QStringList extracted;
    QSet<QString> used;
    for (const std::string& name : apks) {
        // Only the entry's own name is kept: a path inside the zip never leaves the folder.
        // Names stay unique, also beside another bundle's files: install-multiple names each file by its name.
        const QString own = FileName(QString::fromStdString(name));
        QString base = own;
        for (int n = 2; used.contains(base.toLower()) || QFileInfo::exists(QDir(folder).filePath(base)); ++n)
            base = QStringLiteral("%1-%2").arg(n).arg(own);
        used.insert(base.toLower());
        const QString target = QDir(folder).filePath(base);
        if (!archive->ExtractTo(name, Local(target)))
            return {};
        extracted << target;
    }
    return extracted;
}

std::vector<InstallGroup> GroupByApplication(const std::vector<ApkFile>& files)
{
    std::vector<InstallGroup> groups;
    std::vector<QString> packages; // of each group, empty for a file of unknown package
    for (const ApkFile& file : files) {
        auto at = file.package.isEmpty() ? packages.end() : std::find(packages.begin(), packages.end(), file.package);
        if (at == packages.end()) {
            groups.push_back({file.package.isEmpty() ? FileName(file.path) : file.package, {}, false});
            packages.push_back(file.package);
            at = packages.end() - 1;
        }
        InstallGroup& group = groups[static_cast<std::size_t>(at - packages.begin())];
        group.files << file.path;
        group.multiple = group.multiple || group.files.size() > 1 || !file.split.isEmpty();
    }
    return groups;
}

std::string InstallMultipleArgs(const char* options, const QStringList& files)
{
    std::string args = std::string(" install-multiple ") + options;
    for (qsizetype i = 0; i < files.size(); ++i)
        args += (i ? " " : "") + platform::QuoteArgument(files[i].toStdString(), true);
    return args;
}

QString PanelFilesText(const QStringList& files)
{
    QStringList names;
    for (const QString& file : files)
        names << FileName(file);
    if (files.size() == 1)
        return QString::fromUtf8(texts::kPanelOneFile).arg(names.front());
    return QString::fromUtf8(texts::kPanelFiles).arg(files.size()).arg(names.join(QStringLiteral(", ")));
}

} // namespace quoddle
