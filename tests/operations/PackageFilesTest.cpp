// Package files: the binary manifest read as the phone reads it, bundles
// opened, files grouped into applications, and what install-multiple is sent.

#include "apk/Manifest.hpp"
#include "core/TempDir.hpp"
#include "operations/Install.hpp"
#include "operations/PackageFiles.hpp"
#include "support/ApkWriter.hpp"
#include "support/RecordingServices.hpp"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace quoddle;
using namespace quoddle::test;

namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

} // namespace

TEST(BinaryManifest, ReadsPackageSplitAndVersionFromEitherStringForm)
{
    const TestApk cases[] = {
        {"com.example.notes", "", 7, 0, false},
        {"com.example.notes", "config.xxhdpi", 7, 0, true},
        {"org.fdroid.fdroid", "config.arm64_v8a", 1013051, 0, false},
        {"a", "", 2147483647, 0, true},
    };
    for (const TestApk& made : cases) {
        SCOPED_TRACE(made.package + "/" + made.split);
        const auto manifest = apk::ParseBinaryManifest(BinaryManifest(made));
        ASSERT_TRUE(manifest.has_value());
        EXPECT_EQ(made.package, manifest->package);
        EXPECT_EQ(made.split, manifest->split);
        EXPECT_EQ(made.versionCode, manifest->versionCode);
    }
}

TEST(BinaryManifest, ReadsWhatAndroidsOwnAaptCompiled)
{
    // Compressed, and compiled by aapt rather than by the tests' own writer.
    const ApkFile read = ReadApkFile(QStringLiteral(QUODDLE_TEST_DATA "/aapt-split.apk"));
    EXPECT_EQ(QStringLiteral("org.quoddle.sample"), read.package);
    EXPECT_EQ(QStringLiteral("config.xxhdpi"), read.split);
}

TEST(BinaryManifest, RefusesTextXmlAndEveryTruncationWithoutReadingPastTheEnd)
{
    EXPECT_FALSE(apk::ParseBinaryManifest(R"(<manifest package="com.example.notes"/>)"));
    EXPECT_FALSE(apk::ParseBinaryManifest(""));
    const std::string whole = BinaryManifest({"com.example.notes", "config.fr", 3});
    for (std::size_t n = 0; n < whole.size(); ++n) {
        // Cut inside the pool or the element: nothing comes back (the sanitizer would catch a read past it).
        const std::string cut = whole.substr(0, n);
        EXPECT_FALSE(apk::ParseBinaryManifest(cut)) << n;
    }
    std::string lying = whole; // a string pool claiming more strings than it holds
    lying[8 + 8] = '\x7F';
    lying[8 + 9] = '\x7F';
    EXPECT_FALSE(apk::ParseBinaryManifest(lying));
}

TEST(ReadApkFile, PackageFromARealApkNoneFromOtherFiles)
{
    TempDir folder("apkfile");
    const auto apk = folder.path() / "notes.apk";
    WriteApkFile(apk.string(), {"com.example.notes", "config.xxhdpi", 4, 5000});
    const ApkFile read = ReadApkFile(Q(apk));
    EXPECT_EQ(QStringLiteral("com.example.notes"), read.package);
    EXPECT_EQ(QStringLiteral("config.xxhdpi"), read.split);

    const auto text = folder.write("text.apk", "package=com.example.notes\n");
    EXPECT_EQ(QString(), ReadApkFile(Q(text)).package);
    const auto noManifest = folder.path() / "empty.apk";
    WriteZip(noManifest.string(), {{"classes.dex", "dex"}});
    EXPECT_EQ(QString(), ReadApkFile(Q(noManifest)).package);
    EXPECT_EQ(QString(), ReadApkFile(Q(folder.path() / "missing.apk")).package);
}

TEST(GroupByApplication, OneRunPerPackageInTheOrderFirstSeen)
{
    struct Case {
        const char* name;
        std::vector<ApkFile> files;
        std::vector<InstallGroup> groups;
    };
    const Case cases[] = {
        {"one_plain_apk", {{"/a/notes.apk", "com.notes", ""}}, {{"com.notes", {"/a/notes.apk"}, false}}},
        {"base_and_splits",
         {{"/a/base.apk", "com.notes", ""}, {"/a/hdpi.apk", "com.notes", "config.hdpi"}, {"/a/fr.apk", "com.notes", "config.fr"}},
         {{"com.notes", {"/a/base.apk", "/a/hdpi.apk", "/a/fr.apk"}, true}}},
        {"splits_before_base_and_interleaved",
         {{"/a/hdpi.apk", "com.notes", "config.hdpi"}, {"/b/maps.apk", "com.maps", ""}, {"/a/base.apk", "com.notes", ""}},
         {{"com.notes", {"/a/hdpi.apk", "/a/base.apk"}, true}, {"com.maps", {"/b/maps.apk"}, false}}},
        {"lone_split_still_a_session", {{"/a/hdpi.apk", "com.notes", "config.hdpi"}},
         {{"com.notes", {"/a/hdpi.apk"}, true}}},
        {"unreadable_files_alone",
         {{"/a/odd.apk", "", ""}, {"/a/odd2.apk", "", ""}, {"/a/notes.apk", "com.notes", ""}},
         {{"odd.apk", {"/a/odd.apk"}, false}, {"odd2.apk", {"/a/odd2.apk"}, false}, {"com.notes", {"/a/notes.apk"}, false}}},
        {"unreadable_named_like_a_package",
         {{"/a/com.notes", "", ""}, {"/a/n.apk", "com.notes", ""}},
         {{"com.notes", {"/a/com.notes"}, false}, {"com.notes", {"/a/n.apk"}, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto groups = GroupByApplication(c.files);
        ASSERT_EQ(c.groups.size(), groups.size());
        for (std::size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(c.groups[i].name, groups[i].name);
            EXPECT_EQ(c.groups[i].files, groups[i].files);
            EXPECT_EQ(c.groups[i].multiple, groups[i].multiple);
        }
    }
}

TEST(ExtractBundle, TheApkFilesOfApksAndXapkBundles)
{
    TempDir folder("bundle");
    const auto apkBytes = [&](const TestApk& made) {
        const auto path = folder.path() / "tmp.apk";
        WriteApkFile(path.string(), made);
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string baseApk = apkBytes({"com.notes", "", 3});
    const std::string hdpiApk = apkBytes({"com.notes", "config.hdpi", 3});
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> entries;
        QStringList extracted; // names in the output folder
    };
    const Case cases[] = {
        {"bundletool_set",
         {{"toc.pb", "toc"}, {"splits/base-master.apk", baseApk}, {"splits/base-hdpi.apk", hdpiApk},
          {"standalones/standalone-hdpi.apk", baseApk}},
         {"base-master.apk", "base-hdpi.apk"}},
        {"only_standalones", {{"standalones/standalone-hdpi.apk", baseApk}}, {"standalone-hdpi.apk"}},
        {"xapk", {{"manifest.json", "{}"}, {"icon.png", "png"}, {"com.notes.apk", baseApk}, {"config.hdpi.APK", hdpiApk},
                  {"Android/obb/com.notes/main.3.com.notes.obb", "obb"}},
         {"com.notes.apk", "config.hdpi.APK"}},
        {"same_name_twice_and_a_path_out", {{"a/base.apk", baseApk}, {"b/base.apk", hdpiApk}, {"../../evil.apk", baseApk}},
         {"base.apk", "2-base.apk", "evil.apk"}},
        {"no_apk_inside", {{"manifest.json", "{}"}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto bundle = folder.path() / (std::string(c.name) + ".apks");
        WriteZip(bundle.string(), c.entries);
        QTemporaryDir out;
        const QStringList extracted = ExtractBundle(Q(bundle), out.path());
        QStringList names;
        for (const QString& path : extracted) {
            EXPECT_EQ(out.path(), QFileInfo(path).absolutePath());
            names << QFileInfo(path).fileName();
        }
        EXPECT_EQ(c.extracted, names);
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), c.extracted.size());
    }
    // The extracted split reads as it was packed.
    QTemporaryDir out;
    const auto bundle = folder.path() / "bundletool_set.apks";
    const QStringList extracted = ExtractBundle(Q(bundle), out.path());
    ASSERT_EQ(2, extracted.size());
    EXPECT_EQ(QStringLiteral("config.hdpi"), ReadApkFile(extracted[1]).split);
    // A second bundle into the same folder keeps the first one's files.
    const QStringList again = ExtractBundle(Q(bundle), out.path());
    EXPECT_EQ((QStringList{QStringLiteral("2-base-master.apk"), QStringLiteral("2-base-hdpi.apk")}),
              QStringList({QFileInfo(again.value(0)).fileName(), QFileInfo(again.value(1)).fileName()}));
    EXPECT_EQ(4, QDir(out.path()).entryList(QDir::Files).size());
    // Not a zip at all.
    EXPECT_EQ(QStringList(), ExtractBundle(Q(folder.write("fake.xapk", "not a zip")), out.path()));
}

TEST(RefusalOf, OnlyExistingPackageFilesPass)
{
    TempDir folder("refusal");
    folder.write("notes.apk", "x");
    folder.write("NOTES.APK", "x");
    folder.write("set.apks", "x");
    folder.write("set.xapk", "x");
    folder.write("readme.txt", "x");
    std::filesystem::create_directories(folder.path() / "apps.apk");
    const std::pair<const char*, const char*> cases[] = {
        {"notes.apk", ""},
        {"NOTES.APK", ""},
        {"set.apks", ""},
        {"set.xapk", ""},
        {"readme.txt", "readme.txt n'est pas un fichier d'application Android (.apk, .apks, .xapk)"},
        {"apps.apk", "apps.apk est un dossier, pas un fichier d'application"},
        {"gone.apk", "gone.apk n'existe plus"},
    };
    for (const auto& [name, why] : cases)
        EXPECT_EQ(QString::fromUtf8(why), RefusalOf(Q(folder.path() / name))) << name;
    EXPECT_EQ(QStringLiteral("Rien n'a été envoyé au téléphone :\nreadme.txt n'est pas un fichier d'application Android "
                             "(.apk, .apks, .xapk)\ngone.apk n'existe plus"),
              RefusalMessage({Q(folder.path() / "notes.apk"), Q(folder.path() / "readme.txt"),
                              Q(folder.path() / "gone.apk")}));
    EXPECT_EQ(QString(), RefusalMessage({Q(folder.path() / "notes.apk")}));
}

TEST(InstallMultipleArgs, OptionsThenEveryFileAsOneArgument)
{
    EXPECT_EQ(R"( install-multiple "/tmp/a b/base.apk" "/tmp/a b/split \"x\".apk")",
              InstallMultipleArgs("", {QStringLiteral("/tmp/a b/base.apk"), QStringLiteral("/tmp/a b/split \"x\".apk")}));
    EXPECT_EQ(R"( install-multiple -r -s "C:\apps\base.apk" "C:\apps\hdpi.apk")",
              InstallMultipleArgs("-r -s ", {QStringLiteral(R"(C:\apps\base.apk)"), QStringLiteral(R"(C:\apps\hdpi.apk)")}));
}

TEST(InstallMultipleVerdict, ReadLikeTheSingleInstall)
{
    // adb 29: the commit's line on standard output, or its refusal on standard error after adb's own line.
    struct Case {
        const char* name;
        int status;
        QStringList pane, errors;
        InstallOutcome outcome;
        const char* message;
    };
    const Case cases[] = {
        {"committed", 0, {"Success"}, {}, InstallOutcome::Success, "Application installé avec succès !"},
        {"already_there", 1, {},
         {"adb: failed to finalize session", "Failure [INSTALL_FAILED_ALREADY_EXISTS: Attempt to re-install com.notes "
                                             "without first uninstalling.]"},
         InstallOutcome::AlreadyInstalled, "L'Application est déjà présente sur le téléphone !"},
        {"split_of_another_version", 1, {},
         {"adb: failed to finalize session",
          "Failure [INSTALL_FAILED_INVALID_APK: /data/app/vmdl1.tmp/hdpi.apk version code 2 inconsistent with 3]"},
         InstallOutcome::Failure,
         "ECHEC : Failure [INSTALL_FAILED_INVALID_APK: /data/app/vmdl1.tmp/hdpi.apk version code 2 inconsistent with 3]"},
        {"no_sessions_on_the_phone", 1, {}, {"adb: connect error for create: closed"}, InstallOutcome::Failure,
         "ECHEC : adb: connect error for create: closed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString verdict = InstallVerdict(c.status, c.pane, c.errors);
        const InstallResult result{verdict, ClassifyVerdict(verdict)};
        EXPECT_EQ(c.outcome, result.outcome);
        EXPECT_EQ(QString::fromUtf8(c.message), OutcomeMessage(result));
    }
}

TEST(BatchMessage, EachApplicationAndItsOutcome)
{
    EXPECT_EQ(QStringLiteral("Résultat des installations :\ncom.notes : Application installé avec succès !\n"
                             "odd.apk : ECHEC : Failure [INSTALL_PARSE_FAILED_NOT_APK]\n"
                             "com.maps : L'Application est déjà présente sur le téléphone !"),
              BatchMessage({{QStringLiteral("com.notes"), {QStringLiteral("Success"), InstallOutcome::Success}},
                            {QStringLiteral("odd.apk"),
                             {QStringLiteral("Failure [INSTALL_PARSE_FAILED_NOT_APK]"), InstallOutcome::Failure}},
                            {QStringLiteral("com.maps"), {QString(), InstallOutcome::AlreadyInstalled}}}));
}
