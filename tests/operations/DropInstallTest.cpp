// Package files dropped on the main window or picked together in the open
// dialog: what the panel shows, what is refused, and the runs of a batch.

#include "MainWindowFixture.hpp"
#include "operations/Texts.hpp"
#include "support/ApkWriter.hpp"

#include "support/DropFiles.hpp"
#include "windows/Waiting.hpp"

#include <QCheckBox>
#include <QLabel>

#include <fstream>
#include <iterator>

namespace quoddle::test {
namespace {

class DropTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Open(PhoneRules());
        adb.ClearJournal();
        services.clear();
    }

    std::string Apk(const std::string& name, const TestApk& apk)
    {
        const std::string path = folder.dir() + "drop/" + name;
        std::filesystem::create_directories(folder.path() / "drop");
        WriteApkFile(path, apk);
        return path;
    }

    bool Drop(const std::vector<std::string>& paths, bool asWebAddresses = false)
    {
        return DropFiles(window.get(), paths, asWebAddresses);
    }

    bool PanelShown() const { return window->panel_install->isVisibleTo(window->clientArea()); }
    bool FilesShown() const { return window->lbl_installfiles->isVisibleTo(window->panel_install); }
};

TEST_F(DropTest, OneApkIsAsIfChosenInTheDialog)
{
    const std::string apk = Apk("notes app.apk", {"com.notes"});
    ASSERT_TRUE(Drop({apk}));
    EXPECT_TRUE(PanelShown());
    EXPECT_FALSE(FilesShown());
    EXPECT_EQ(QString::fromStdString(apk), window->OpenDialog1.fileName);
    EXPECT_EQ(FakeAdb::Calls{}, Sent());

    const std::vector<std::string> plain = {"-s", kSerial, "install", apk};
    Rescript({FakeAdbRule::Argv(plain).Out("Performing Streamed Install\nSuccess\n")});
    window->bt_installsd->click();
    EXPECT_EQ(FakeAdb::Calls{plain}, Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kInstallSuccess)}, services.messages());
    EXPECT_FALSE(PanelShown());
}

TEST_F(DropTest, SeveralFilesInstallOneRunPerApplicationWithThePanelsChoices)
{
    const std::string base = Apk("base.apk", {"com.notes", "", 3});
    const std::string hdpi = Apk("split_config.hdpi.apk", {"com.notes", "config.hdpi", 3});
    const std::string maps = Apk("maps.apk", {"com.maps", "", 9});
    ASSERT_TRUE(Drop({base, maps, hdpi}));
    EXPECT_TRUE(PanelShown());
    ASSERT_TRUE(FilesShown());
    EXPECT_TRUE(window->lbl_installfiles->text().startsWith(QStringLiteral("3 fichiers : base.apk, maps.apk")))
        << window->lbl_installfiles->text().toStdString();
    EXPECT_EQ(QString::fromStdString(base + "\n" + maps + "\n" + hdpi), window->lbl_installfiles->toolTip());

    window->box_reinstall->setChecked(true);
    const std::vector<std::string> notes = {"-s", kSerial, "install-multiple", "-r", "-f", base, hdpi};
    const std::vector<std::string> mapsRun = {"-s", kSerial, "install", "-r", "-f", maps};
    Rescript({FakeAdbRule::Argv(notes).Out("Success\n"),
              FakeAdbRule::Argv(mapsRun)
                  .Out("Performing Streamed Install\n")
                  .Err("adb: failed to install " + maps + ": Failure [INSTALL_FAILED_INVALID_APK: Split null was "
                                                          "defined multiple times]\n")
                  .Status(1)});
    QStringList captions;
    QObject::connect(window.get(), &QWidget::windowTitleChanged, [&](const QString& t) { captions << t; });
    bool busyWhenTold = true; // the wait cursor over the box would hold back the click that closes it
    services.onMessage = [&](const QString&) { busyWhenTold = IsBusy(); };
    window->bt_installrom->click();
    EXPECT_FALSE(busyWhenTold);
    EXPECT_EQ((FakeAdb::Calls{notes, mapsRun}), Sent());
    EXPECT_EQ(QStringList{QStringLiteral("Résultat des installations :\ncom.notes : Application installé avec succès !\n"
                                         "com.maps : ECHEC : adb: failed to install ") +
                          QString::fromStdString(maps) +
                          QStringLiteral(": Failure [INSTALL_FAILED_INVALID_APK: Split null was defined multiple times]")},
              services.messages());
    EXPECT_TRUE(captions.contains(QStringLiteral("Quoddle - Installation 1 sur 2 : com.notes"))) << captions.join('|').toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("Quoddle - Installation 2 sur 2 : com.maps")));
    EXPECT_TRUE(PanelShown()); // one failed

    // The same files from the open dialog, all going through: the panel hides.
    services.filesAnswers = {{QString::fromStdString(base), QString::fromStdString(hdpi)}};
    window->bt_install->click();
    EXPECT_TRUE(window->lbl_installfiles->text().startsWith(QStringLiteral("2 fichiers : base.apk, split_config")));
    Rescript({FakeAdbRule::Argv(notes).Out("Success\n")});
    window->bt_installrom->click();
    EXPECT_EQ(FakeAdb::Calls{notes}, Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kInstallSuccess)}, services.messages());
    EXPECT_FALSE(PanelShown());
}

// The caption after a batch: success only when every application went in,
// whichever of them the phone refused.
TEST_F(DropTest, TheCaptionAfterABatchTellsTheFailureOfAny)
{
    const std::string notes = Apk("notes.apk", {"com.notes"});
    const std::string maps = Apk("maps.apk", {"com.maps"});
    const std::vector<std::string> notesRun = {"-s", kSerial, "install", "-r", "-s", notes};
    const std::vector<std::string> mapsRun = {"-s", kSerial, "install", "-r", "-s", maps};
    const FakeAdbRule installed = FakeAdbRule::Default().Out("Performing Streamed Install\nSuccess\n");
    const struct {
        const char* name;
        std::vector<FakeAdbRule> rules;
        const char* caption;
    } cases[] = {
        {"both in", {installed}, texts::kCaptionSuccess},
        {"the first refused, exit 1",
         {FakeAdbRule::Argv(notesRun)
              .Out("Performing Streamed Install\n")
              .Err("adb: failed to install " + notes + ": Failure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\n")
              .Status(1),
          installed},
         texts::kCaptionBadCommand},
        {"the first refused, exit 0 (push install)",
         {FakeAdbRule::Argv(notesRun).Out("Performing Push Install\nFailure [INSTALL_FAILED_INSUFFICIENT_STORAGE]\n"),
          installed},
         texts::kCaptionRefused},
    };
    for (const auto& c : cases) {
        services.clear();
        ASSERT_TRUE(Drop({notes, maps})) << c.name;
        window->box_reinstall->setChecked(true);
        Rescript(c.rules);
        window->bt_installsd->click();
        EXPECT_EQ((FakeAdb::Calls{notesRun, mapsRun}), Sent()) << c.name;
        EXPECT_EQ(QString::fromUtf8(c.caption), Caption()) << c.name;
        EXPECT_EQ(1, services.messages().size()) << c.name;
    }
}

TEST_F(DropTest, WhatIsNoPackageFileIsRefusedAndNothingSent)
{
    const std::string apk = Apk("notes.apk", {"com.notes"});
    const std::string text = folder.write("drop/readme.txt", "hello").string();
    const std::string dir = (folder.path() / "drop" / "apps").string();
    std::filesystem::create_directories(dir);
    const std::string gone = folder.dir() + "drop/gone.apk";
    struct Case {
        const char* name;
        std::vector<std::string> paths;
        QString why;
    };
    const QString head = QString::fromUtf8(texts::kNothingSent) + '\n';
    const Case cases[] = {
        {"text_file", {text}, head + "readme.txt n'est pas un fichier d'application Android (.apk, .apks, .xapk)"},
        {"folder", {apk, dir}, head + "apps est un dossier, pas un fichier d'application"},
        {"vanished_before_the_drop", {gone, apk}, head + "gone.apk n'existe plus"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Drop(c.paths));
        EXPECT_EQ(QStringList{c.why}, services.messages());
        EXPECT_FALSE(PanelShown());
        services.clear();
    }
    EXPECT_FALSE(Drop({"notes.apk"}, true)); // a web address is no file: the drag is not taken
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
}

TEST_F(DropTest, AFileGoneSinceTheDropStopsTheBatchBeforeAnyRun)
{
    const std::string base = Apk("base.apk", {"com.notes"});
    const std::string hdpi = Apk("hdpi.apk", {"com.notes", "config.hdpi"});
    ASSERT_TRUE(Drop({base, hdpi}));
    std::filesystem::remove(hdpi);
    window->bt_installsd->click();
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kNothingSent) + QStringLiteral("\nhdpi.apk n'existe plus")},
              services.messages());
    EXPECT_TRUE(PanelShown());
}

TEST_F(DropTest, ABundleInstallsItsApkFilesInOneRun)
{
    const std::string base = Apk("base.apk", {"com.notes", "", 5});
    const std::string hdpi = Apk("hdpi.apk", {"com.notes", "config.hdpi", 5});
    const auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string bundle = folder.dir() + "drop/notes.apks";
    WriteZip(bundle, {{"toc.pb", "x"}, {"splits/base-master.apk", bytes(base)}, {"splits/base-hdpi.apk", bytes(hdpi)}});
    const std::string broken = folder.write("drop/broken.xapk", "not a zip").string();
    ASSERT_TRUE(Drop({bundle, broken}));
    EXPECT_TRUE(window->lbl_installfiles->text().startsWith(QStringLiteral("2 fichiers : notes.apks, broken.xapk")));

    Rescript({FakeAdbRule::Default().Out("Success\n")});
    window->bt_installsd->click();
    const FakeAdb::Calls calls = Sent();
    ASSERT_EQ(1u, calls.size());
    ASSERT_EQ(5u, calls[0].size());
    EXPECT_EQ("install-multiple", calls[0][2]);
    EXPECT_EQ("base-master.apk", std::filesystem::path(calls[0][3]).filename());
    EXPECT_EQ("base-hdpi.apk", std::filesystem::path(calls[0][4]).filename());
    EXPECT_FALSE(std::filesystem::exists(calls[0][3])); // the opened bundle is cleared away after
    EXPECT_EQ(QStringList{QStringLiteral("Résultat des installations :\n"
                                         "broken.xapk : ECHEC : broken.xapk ne contient aucun fichier .apk lisible\n"
                                         "com.notes : Application installé avec succès !")},
              services.messages());
    EXPECT_TRUE(PanelShown());
}

} // namespace
} // namespace quoddle::test
