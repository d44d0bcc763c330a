#pragma once
// The row actions of the application pages: the argument texts and how the
// phone's package manager answers.

#include <QSet>
#include <QString>
#include <QStringList>

#include <string>

namespace quoddle {

struct ReleaseRules; // PhoneVersions.hpp: which of these verbs the phone's pm has

enum class RowAction { Remove, RemoveKeepData, ClearData, Disable, Enable };

// The argument text after "-s SERIAL": " shell pm ...", for a phone of these rules.
std::string RowActionArgs(RowAction action, const std::string& package, const ReleaseRules& rules);

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

} // namespace quoddle
