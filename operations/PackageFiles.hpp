#pragma once
// The package files the user chose or dropped: which can be installed, what
// each .apk says it is, bundles opened into their .apk files, and the files
// grouped into applications, one install run each.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace quoddle {

enum class PackageFileKind { Apk, Bundle, Other };
// By the name's ending, in any case: .apk; .apks or .xapk (a zip of .apk files).
PackageFileKind KindOfFile(const QString& path);

// Why this path cannot be installed (a folder, a missing file, not a package
// file), shown after the file's name; empty when it can.
QString RefusalOf(const QString& path);
// The message for the refused paths, one line each; empty when none is.
QString RefusalMessage(const QStringList& paths);

struct ApkFile {
    QString path;
    QString package; // from its manifest; empty when the file is not a readable .apk
    QString split;   // empty for a base package
};
ApkFile ReadApkFile(const QString& path);

// The .apk files inside a bundle, written into `folder` (names kept unique,
// also beside files already there);
// empty when the bundle is no zip or holds none. A bundletool set keeps
// full-APK copies for old phones under standalones/: they are left out when
// the set has splits.
QStringList ExtractBundle(const QString& bundle, const QString& folder);

// One install run: one application's files.
struct InstallGroup {
    QString name;      // the package, or the file's name when it could not be read
    QStringList files;
    bool multiple = false; // "install-multiple": several files, or a lone split
};
// Files of one package go together, in the order first seen; a file whose
// package is unknown goes alone, so that the phone gives its own verdict.
std::vector<InstallGroup> GroupByApplication(const std::vector<ApkFile>& files);

// " install-multiple " with its options and every file quoted as one argument.
std::string InstallMultipleArgs(const char* options, const QStringList& files);

// The panel's line for several files, or a single bundle: how many and which.
QString PanelFilesText(const QStringList& files);

} // namespace quoddle
