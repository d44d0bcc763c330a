#pragma once
// The package installer's sessions, as adb's install-multiple drives them:
// install-create, install-write, install-commit and install-abandon, through
// "cmd package" (exec:, Android 7 to 9), "package" (abb_exec:, Android 10 on)
// or "pm" (exec:, Android 5 and 6). Also what a package file holds, for every
// install path of the phone.

#include "PhoneState.hpp"
#include "Services.hpp"
#include "Shell.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fakephone {

// What the package parser reads of a package file: a real .apk (a zip whose
// binary AndroidManifest.xml names package, split and android:versionCode),
// or a text file whose first line is "package=NAME" (a base package, version 0).
struct PackageFile {
    std::string package;
    std::string split;
    std::int64_t versionCode = 0;
};
std::optional<PackageFile> ReadPackageFile(const std::string& bytes);

// Records the install of `package` with these options; pm's verdict without
// its line end. `explained`: the refusal names its reason, as from Android 5 on.
std::string InstallNamed(PhoneState& phone, const std::string& package, const InstallOptions& options,
                         bool explained);

// Whether args (as exec: or abb_exec: split them) ask for a session verb.
bool IsInstallSessionCommand(const std::vector<std::string>& args);
// The service for such a command, or nullptr where the phone has no such
// service (before Android 5 there are neither sessions nor exec:).
std::unique_ptr<Service> OpenInstallSession(const std::vector<std::string>& args, PhoneState& phone);

} // namespace fakephone
