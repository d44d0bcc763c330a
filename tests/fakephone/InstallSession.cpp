// Sources, by release:
// - Android 5.0-6.0: frameworks/base/cmds/pm/src/com/android/commands/pm/Pm.java
//   (runInstallCreate, runInstallWrite, runInstallCommit, runInstallAbandon).
// - Android 7.0-10: frameworks/base/services/core/java/com/android/server/pm/
//   PackageManagerShellCommand.java (runInstallCreate, doWriteSplit,
//   doCommitSession, doAbandonSession), the same texts as Pm.java.
// - Validation at commit: PackageInstallerSession.java, validateApkInstallLocked
//   and assertApkConsistentLocked (Android 7-10): a split name twice ("Split X
//   was defined multiple times"), another package or version code ("TAG package
//   P inconsistent with Q", "TAG version code V inconsistent with W", TAG being
//   the staged file, /data/app/vmdlID.tmp/NAME), no base ("Full install must
//   include a base package"); all INSTALL_FAILED_INVALID_APK. The verdict reads
//   "Failure [" + PackageManager.installStatusToString(code, message) + "]".
// - Already installed without -r: PackageManagerService.installPackageLI,
//   "INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install P without first uninstalling."
// - Before Android 5 (sdk 21) adbd has no exec: service and pm no sessions.
// What adb 29 sends (observed): "exec:pm install-create -S TOTAL 'OPT'" without
// the cmd feature, "exec:cmd package install-create -S TOTAL 'OPT'" with it,
// abb_exec:package\0install-create\0-S\0TOTAL\0OPT with abb_exec; then one
// install-write -S SIZE ID NAME - per file and install-commit ID.

#include "InstallSession.hpp"

#include "apk/Manifest.hpp"

#include <algorithm>
#include <map>

namespace fakephone {

namespace {

struct StagedFile {
    std::string name;
    std::string bytes;
};

struct Session {
    InstallOptions options;
    std::vector<StagedFile> files;
};

struct Sessions {
    std::map<int, Session> open;
    unsigned next = 0;
};

// Every phone's sessions; guarded by that phone's lock.
std::map<const PhoneState*, Sessions>& AllSessions()
{
    static std::map<const PhoneState*, Sessions> all;
    return all;
}

// Where the words start after "cmd package", "package" or "pm".
std::size_t VerbAt(const std::vector<std::string>& args)
{
    if (args.size() > 2 && args[0] == "cmd" && args[1] == "package")
        return 2;
    if (args.size() > 1 && (args[0] == "package" || args[0] == "pm"))
        return 1;
    return args.size();
}

std::string Arg(const std::vector<std::string>& args, std::size_t i) { return i < args.size() ? args[i] : ""; }

std::optional<long long> Number(const std::string& text)
{
    if (text.empty() || text.size() > 12 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return std::nullopt;
    return std::stoll(text);
}

std::optional<int> SessionId(const std::string& text)
{
    const auto n = Number(text);
    return n && *n <= 0x7FFFFFFF ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
}

std::string NoSuchSession(const std::string& id)
{
    // PackageInstallerService.openSessionInternal, as the shell command prints the exception.
    return "Exception occurred while executing:\njava.lang.SecurityException: Caller has no access to session " + id
        + "\n";
}

std::string Commit(PhoneState& phone, int id, const Session& session)
{
    const std::string stage = "/data/app/vmdl" + std::to_string(id) + ".tmp/";
    std::vector<std::string> splits;
    std::optional<PackageFile> first;
    for (const StagedFile& file : session.files) {
        const auto apk = ReadPackageFile(file.bytes);
        if (!apk)
            return "Failure [INSTALL_PARSE_FAILED_NOT_APK: Failed to parse " + stage + file.name + "]";
        if (std::find(splits.begin(), splits.end(), apk->split) != splits.end())
            return "Failure [INSTALL_FAILED_INVALID_APK: Split " + (apk->split.empty() ? "null" : apk->split)
                + " was defined multiple times]";
        splits.push_back(apk->split);
        if (!first)
            first = apk;
        if (apk->package != first->package)
            return "Failure [INSTALL_FAILED_INVALID_APK: " + stage + file.name + " package " + apk->package
                + " inconsistent with " + first->package + "]";
        if (apk->versionCode != first->versionCode)
            return "Failure [INSTALL_FAILED_INVALID_APK: " + stage + file.name + " version code "
                + std::to_string(apk->versionCode) + " inconsistent with " + std::to_string(first->versionCode) + "]";
    }
    if (!first)
        return "Failure [INSTALL_FAILED_INVALID_APK: No packages staged]";
    if (std::find(splits.begin(), splits.end(), "") == splits.end())
        return "Failure [INSTALL_FAILED_INVALID_APK: Full install must include a base package]";
    return InstallNamed(phone, first->package, session.options, true);
}

// install-write -S SIZE ID NAME -: the file joins the session. A second write
// of one name replaces the file, as in the session's stage folder.
std::string Write(PhoneState& phone, int id, const std::string& name, std::size_t size, std::string bytes)
{
    auto& open = AllSessions()[&phone].open;
    const auto session = open.find(id);
    if (session == open.end())
        return NoSuchSession(std::to_string(id));
    auto& files = session->second.files;
    const auto same = std::find_if(files.begin(), files.end(), [&](const StagedFile& f) { return f.name == name; });
    if (same != files.end())
        same->bytes = std::move(bytes);
    else
        files.push_back({name, std::move(bytes)});
    return "Success: streamed " + std::to_string(size) + " bytes\n";
}

} // namespace

std::optional<PackageFile> ReadPackageFile(const std::string& bytes)
{
    static const std::string marker = "package=";
    if (bytes.compare(0, marker.size(), marker) == 0) {
        std::string name = bytes.substr(marker.size(), bytes.find_first_of("\r\n") - marker.size());
        if (name.empty())
            return std::nullopt;
        return PackageFile{name, "", 0};
    }
    const auto manifest = apk::ReadManifest(bytes);
    if (!manifest)
        return std::nullopt;
    return PackageFile{manifest->package, manifest->split, manifest->versionCode};
}

std::string InstallNamed(PhoneState& phone, const std::string& package, const InstallOptions& options, bool explained)
{
    Package* existing = phone.FindPackage(package);
    if (existing && !options.replace) {
        if (explained)
            return "Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install " + package
                + " without first uninstalling.]";
        return "Failure [INSTALL_FAILED_ALREADY_EXISTS]";
    }
    const bool external = options.external || (!options.internal && phone.installLocation == 2);
    const std::string path = phone.InstallPath(package, external);
    if (existing)
        existing->path = path;
    else
        phone.packages.push_back({package, path});
    return "Success";
}

bool IsInstallSessionCommand(const std::vector<std::string>& args)
{
    const std::string verb = Arg(args, VerbAt(args));
    return verb == "install-create" || verb == "install-write" || verb == "install-commit"
        || verb == "install-abandon";
}

std::unique_ptr<Service> OpenInstallSession(const std::vector<std::string>& args, PhoneState& phone)
{
    std::lock_guard guard(phone.lock);
    if (phone.sdk() < 21)
        return nullptr;
    const std::size_t at = VerbAt(args);
    const std::string verb = args[at];
    Sessions& sessions = AllSessions()[&phone];
    if (verb == "install-create") {
        std::vector<std::string> rest;
        Session session;
        session.options = ParseInstallOptions(args, at + 1, rest);
        // Session ids look random on a phone; these are fixed, for the journal's sake.
        const int id = 1000000 + static_cast<int>((sessions.next++ * 7919u + 1234u) % 900000u);
        sessions.open[id] = std::move(session);
        return AnswerText("Success: created install session [" + std::to_string(id) + "]\n");
    }
    if (verb == "install-write") {
        // -S SIZE ID NAME [-]
        std::size_t i = at + 1;
        std::optional<std::size_t> size;
        if (Arg(args, i) == "-S" && Number(Arg(args, i + 1))) {
            size = static_cast<std::size_t>(*Number(Arg(args, i + 1)));
            i += 2;
        }
        const auto id = SessionId(Arg(args, i));
        const std::string name = Arg(args, i + 1);
        if (!size || !id || name.empty() || name.find('/') != std::string::npos)
            return AnswerText("Error: must specify a APK size\n");
        return ReceiveThenAnswer(*size, phone, [&phone, id = *id, name, size = *size](std::string bytes) {
            return Write(phone, id, name, size, std::move(bytes));
        });
    }
    const std::string idText = Arg(args, at + 1);
    const auto id = SessionId(idText);
    const auto session = id ? sessions.open.find(*id) : sessions.open.end();
    if (session == sessions.open.end())
        return AnswerText(NoSuchSession(idText));
    std::string verdict = "Success";
    if (verb == "install-commit")
        verdict = Commit(phone, *id, session->second);
    sessions.open.erase(session);
    return AnswerText(verdict + "\n");
}

} // namespace fakephone
