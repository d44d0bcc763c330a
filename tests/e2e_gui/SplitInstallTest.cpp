// Package files dropped on the main window and installed through the real
// adb: one .apk, a split set, a bundle, and a batch of several applications
// with a refusal among them; what reached the phone, what the user was told,
// and what the phone lists after.

#include "WindowSession.hpp"

#include "operations/Texts.hpp"
#include "support/ApkWriter.hpp"
#include "support/DropFiles.hpp"
#include "widgets/Panel.hpp"
#include "widgets/StringGrid.hpp"

#include <QCheckBox>
#include <QRegularExpression>

#include <fstream>
#include <iterator>

namespace quoddle::test {
namespace {

// The phones of this file, by the way adb 29 installs a split set on them:
// through "cmd package" (Android 9, and Android 11: adb 29 does not use
// abb_exec for install-multiple), through "pm" (Android 6, no cmd feature),
// and not at all (Android 2.2: no exec: service, no sessions).
struct SplitPhone {
    const char* name;
    PhoneKind kind;
    const char* sdk; // "" keeps the preset's
    const char* sessionTool; // what adb runs for the session verbs; "" where none can run
};

const SplitPhone kSplitPhones[] = {
    {"android9", kPhoneKinds[0], "28", "exec:cmd package"},
    {"android11", kPhoneKinds[5], "", "exec:cmd package"},
    {"android6", kPhoneKinds[3], "23", "exec:pm"},
    {"android2_2", kPhoneKinds[3], "", ""},
};

std::ostream& operator<<(std::ostream& os, const SplitPhone& phone) { return os << phone.name; }

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SplitInstall : public ::testing::TestWithParam<SplitPhone> {
protected:
    void SetUp() override
    {
        const SplitPhone& phone = GetParam();
        AdbSessionOptions options;
        const std::string sdk = *phone.sdk ? std::string("\"properties\": {\"ro.build.version.sdk\": \"") + phone.sdk + "\"}"
                                           : std::string();
        options.phoneConfig = phone.kind.Config(sdk);
        session = std::make_unique<AdbSession>(options);
        services.appDir = session->AppDir();
        window = std::make_unique<TFrmMain>();
        ASSERT_EQ(session->Serial(), window->CurrentDevice);
        folder = session->WorkDir() / "Mes applis";
        std::filesystem::create_directories(folder);
        session->TakeJournal();
    }

    void TearDown() override
    {
        window.reset();
        session.reset();
    }

    std::string Apk(const std::string& name, const TestApk& apk) const
    {
        const std::string path = (folder / name).string();
        WriteApkFile(path, apk);
        return path;
    }

    // What the phone saw for one split set of files of these sizes.
    Journal Session(const std::vector<std::string>& files, const std::string& options = "") const
    {
        const std::string tool = GetParam().sessionTool;
        std::uintmax_t total = 0;
        for (const auto& file : files)
            total += std::filesystem::file_size(file);
        Journal journal = {tool + " install-create -S " + std::to_string(total) + options};
        if (tool.empty())
            return {"exec:pm install-create -S " + std::to_string(total) + options};
        for (const auto& file : files)
            journal.push_back(tool + " install-write -S " + std::to_string(std::filesystem::file_size(file)) + " ID "
                              + std::filesystem::path(file).filename().string() + " -");
        journal.push_back(tool + " install-commit ID");
        return journal;
    }

    // The journal with the session ids, which the phone picks, written ID.
    Journal PhoneSaw()
    {
        Journal journal = session->TakeJournal();
        for (auto& line : journal) {
            for (const char* verb : {"install-write -S ", "install-commit "}) {
                const std::size_t at = line.find(verb);
                if (at == std::string::npos)
                    continue;
                std::size_t id = at + std::string(verb).size();
                if (std::string(verb) != "install-commit ")
                    id = line.find(' ', id) + 1;
                const std::size_t end = std::min(line.find(' ', id), line.size());
                line.replace(id, end - id, "ID");
            }
        }
        return journal;
    }

    QStringList Messages()
    {
        QStringList shown = services.messages();
        services.clear();
        return shown;
    }

    // The packages that the phone lists in internal memory, after a refresh.
    QStringList Listed()
    {
        window->sBitBtn1->click();
        session->TakeJournal();
        QStringList packages;
        for (int row = 1; row < window->StringGrid1->rowCount(); ++row)
            packages << window->StringGrid1->cell(2, row);
        return packages;
    }

    bool PanelShown() const { return window->panel_install->isVisibleTo(window->clientArea()); }
    bool Sessions() const { return *GetParam().sessionTool != '\0'; }

    std::unique_ptr<AdbSession> session;
    RecordingServices services;
    std::unique_ptr<TFrmMain> window;
    std::filesystem::path folder;
};

// The phones that have install sessions.
class SessionPhone : public SplitInstall {};

const QString kSuccess = QString::fromUtf8(texts::kInstallSuccess);

TEST_P(SplitInstall, OneDroppedApkInstallsAsTheOpenDialogsChoiceDoes)
{
    const std::string apk = Apk("bloc notes.apk", {"com.example.newapp", "", 1, 20000});
    ASSERT_TRUE(DropFiles(window.get(), {apk}));
    window->bt_installrom->click();
    const Journal saw = PhoneSaw();
    ASSERT_FALSE(saw.empty());
    // The single install's own services (see InstallRemovalTest), not a session.
    EXPECT_EQ(std::string::npos, saw.front().find("install-create")) << saw.front();
    EXPECT_EQ(QStringList{kSuccess}, Messages());
    EXPECT_TRUE(Listed().contains(QStringLiteral("com.example.newapp")));
}

TEST_P(SplitInstall, ASplitSetGoesInOneSession)
{
    const std::string base = Apk("base.apk", {"com.example.newapp", "", 4, 300000});
    const std::string hdpi = Apk("split_config.xxhdpi.apk", {"com.example.newapp", "config.xxhdpi", 4, 90000});
    const std::string arm = Apk("split_config.arm64_v8a.apk", {"com.example.newapp", "config.arm64_v8a", 4, 150000, true});
    ASSERT_TRUE(DropFiles(window.get(), {base, hdpi, arm}));
    window->bt_installrom->click();
    EXPECT_EQ(Session({base, hdpi, arm}), PhoneSaw());
    if (!Sessions()) {
        // An Android 2.2 phone has no session to open: told as a failure, never as a success.
        EXPECT_EQ(QStringList{QStringLiteral("ECHEC : adb: connect error for create: closed")}, Messages());
        EXPECT_TRUE(PanelShown());
        EXPECT_FALSE(Listed().contains(QStringLiteral("com.example.newapp")));
        return;
    }
    EXPECT_EQ(QStringList{kSuccess}, Messages());
    EXPECT_FALSE(PanelShown());
    EXPECT_TRUE(Listed().contains(QStringLiteral("com.example.newapp")));

    // Again without the reinstall box: already there. With it: "-r" and the location reach the session.
    ASSERT_TRUE(DropFiles(window.get(), {base, hdpi, arm}));
    window->bt_installsd->click();
    EXPECT_EQ(Session({base, hdpi, arm}), PhoneSaw());
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kInstallAlreadyThere)}, Messages());
    window->box_reinstall->setChecked(true);
    window->bt_installrom->click();
    EXPECT_EQ(Session({base, hdpi, arm}, " '-r' '-f'"), PhoneSaw());
    EXPECT_EQ(QStringList{kSuccess}, Messages());
}

TEST_P(SessionPhone, ABundleInstallsItsApkFilesInOneSession)
{
    const std::string base = Apk("b.apk", {"com.example.newapp", "", 2, 50000});
    const std::string fr = Apk("f.apk", {"com.example.newapp", "config.fr", 2, 1000});
    const std::string xapk = (folder / "newapp.xapk").string();
    WriteZip(xapk, {{"manifest.json", "{}"}, {"com.example.newapp.apk", Bytes(base)}, {"config.fr.apk", Bytes(fr)}});
    ASSERT_TRUE(DropFiles(window.get(), {xapk}));
    window->bt_installrom->click();
    const Journal saw = PhoneSaw();
    ASSERT_EQ(4u, saw.size());
    EXPECT_NE(std::string::npos, saw[1].find(" ID com.example.newapp.apk -")) << saw[1];
    EXPECT_NE(std::string::npos, saw[2].find(" ID config.fr.apk -")) << saw[2];
    EXPECT_EQ(QStringList{kSuccess}, Messages());
    EXPECT_TRUE(Listed().contains(QStringLiteral("com.example.newapp")));
}

TEST_P(SessionPhone, AMixedBatchTellsEachApplicationsVerdict)
{
    // A split set, an application already on the phone, and a split of another version than its base.
    const std::string base = Apk("base.apk", {"com.example.newapp", "", 4, 20000});
    const std::string hdpi = Apk("hdpi.apk", {"com.example.newapp", "config.hdpi", 4, 2000});
    const std::string notes = Apk("notes.apk", {"com.example.notes", "", 1, 5000});
    const std::string mapsBase = Apk("maps.apk", {"com.example.maps", "", 7, 8000});
    const std::string mapsSplit = Apk("maps_fr.apk", {"com.example.maps", "config.fr", 6, 1000});
    QStringList captions;
    QObject::connect(window.get(), &QWidget::windowTitleChanged, [&](const QString& t) { captions << t; });
    ASSERT_TRUE(DropFiles(window.get(), {base, notes, mapsBase, hdpi, mapsSplit}));
    window->bt_installrom->click();

    // The split set's session, the single install of notes.apk, the session of the other split set.
    const Journal saw = PhoneSaw();
    const Journal first = Session({base, hdpi});
    const Journal last = Session({mapsBase, mapsSplit});
    ASSERT_GT(saw.size(), first.size() + last.size());
    EXPECT_EQ(first, Journal(saw.begin(), saw.begin() + static_cast<long>(first.size())));
    EXPECT_EQ(last, Journal(saw.end() - static_cast<long>(last.size()), saw.end()));
    EXPECT_EQ(std::string::npos, saw[first.size()].find("install-create")) << saw[first.size()];

    const QStringList shown = Messages();
    ASSERT_EQ(1, shown.size()) << "one message for the batch";
    const QStringList lines = shown.front().split('\n');
    ASSERT_EQ(4, lines.size()) << shown.front().toStdString();
    EXPECT_EQ(QString::fromUtf8(texts::kInstallBatchHeader), lines[0]);
    EXPECT_EQ(QStringLiteral("com.example.newapp : ") + kSuccess, lines[1]);
    EXPECT_EQ(QStringLiteral("com.example.notes : ") + QString::fromUtf8(texts::kInstallAlreadyThere), lines[2]);
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^com\.example\.maps : ECHEC : Failure \[INSTALL_FAILED_INVALID_APK: )"
                                                  R"(/data/app/vmdl\d+\.tmp/maps_fr\.apk version code 6 inconsistent with 7\]$)"))
                    .match(lines[3])
                    .hasMatch())
        << lines[3].toStdString();
    for (const char* progress : {"1 sur 3 : com.example.newapp", "2 sur 3 : com.example.notes", "3 sur 3 : com.example.maps"})
        EXPECT_TRUE(captions.contains(QStringLiteral("Quoddle - Installation ") + QString::fromUtf8(progress)))
            << captions.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(PanelShown()); // two did not install
    const QStringList listed = Listed();
    EXPECT_TRUE(listed.contains(QStringLiteral("com.example.newapp")));
    EXPECT_FALSE(listed.contains(QStringLiteral("com.example.maps")));
}

std::string SplitPhoneName(const ::testing::TestParamInfo<SplitPhone>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Phones, SplitInstall, ::testing::ValuesIn(kSplitPhones), SplitPhoneName);
INSTANTIATE_TEST_SUITE_P(Phones, SessionPhone, ::testing::ValuesIn(kSplitPhones, kSplitPhones + 3), SplitPhoneName);

} // namespace
} // namespace quoddle::test
