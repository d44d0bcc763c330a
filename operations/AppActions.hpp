#pragma once
// The row actions of the application pages: what the phone's package manager
// offers by Android version, the argument texts, and how its answers read.

#include <QSet>
#include <QString>
#include <QStringList>

#include <string>

namespace quoddle {

// What `pm` takes, by the phone's ro.build.version.sdk (0: not known, none).
// From the package manager's own sources:
// - Android 2.2 and 2.3 (cmds/pm Pm.java): list packages [-f] only; enable and
//   disable, no clear, no disable-user; unknown verbs print "Error: unknown command".
// - Android 4.0 (API 14, Pm.java): clear, disable-user and list packages -d
//   arrive; disable-user takes no --user (it would read "--user" as the package).
// - Android 4.4 (API 19, Pm.java) and later, also as PackageManagerShellCommand
//   (Android 7 on): disable-user [--user USER_ID], enable [--user USER_ID].
struct PackageVerbs {
    bool clearData = false;    // pm clear PKG
    bool setEnabled = false;   // pm disable-user PKG, pm enable PKG
    bool userOption = false;   // pm disable-user --user 0 PKG
    bool listDisabled = false; // pm list packages -d
};
PackageVerbs PackageVerbsFor(int sdk);

enum class RowAction { Remove, RemoveKeepData, ClearData, Disable, Enable };

// The argument text after "-s SERIAL": " shell pm ...".
std::string RowActionArgs(RowAction action, const std::string& package, const PackageVerbs& verbs);

// Whether the phone did it. Success is a line the package manager prints only
// then ("Success"; "Package PKG new state: disabled-user" or "... enabled"),
// with exit status 0: a refusal can exit 0 with its reason ("Error: ...",
// "Failure [...]", a SecurityException) on either stream.
bool RowActionSucceeded(RowAction action, const QString& package, int exitStatus, const QStringList& lines);

// The names of "pm list packages" lines ("package:com.example.notes").
QSet<QString> ListedPackages(const QStringList& lines);

// The package of a system or SD-card list item: the text after its last "=".
QString PackageOfListItem(const QString& item);

// Package names are letters, digits, "_" and "." only; anything else would
// be read by the phone's shell, so it is never sent.
bool IsPackageName(const QString& name);

// The first number line of "getprop ro.build.version.sdk"; 0 when none.
int SdkFromLines(const QStringList& lines);

} // namespace quoddle
