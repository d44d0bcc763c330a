// Install files whose names hold blanks, quotes, accents and backslashes,
// one of them trailing: the path reaches adb as one argument, whole.

#include "FaultSession.hpp"

#include "widgets/StringGrid.hpp"

namespace quoddle::test {
namespace {

constexpr std::size_t kApkSize = 50000;

// How the phone's journal writes a service: a backslash as two.
std::string Journaled(std::string service)
{
    for (std::size_t at = 0; (at = service.find('\\', at)) != std::string::npos; at += 2)
        service.insert(at, "\\");
    return service;
}

// With and without shell_v2: the streamed install reads the file on the
// computer; the push install copies it under its own name to the phone.
class AwkwardNames : public FaultSession, public ::testing::WithParamInterface<bool> {
protected:
    bool Streamed() const { return GetParam(); }
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(Open(Streamed() ? R"({"features": ["shell_v2", "cmd"]})" : R"({"features": []})"));
        folder = session->WorkDir() / "Mes \"applis\" d'été\\";
        std::filesystem::create_directories(folder);
        PhoneSaw();
    }
    std::filesystem::path folder;
};

TEST_P(AwkwardNames, InstalledWholeAndRefusedWhole)
{
    const std::string name = "l'appli \\\"démo\\\" v2\\.apk";
    const std::string apk = (folder / name).string();
    WritePackageFile(apk, "com.example.newapp", kApkSize);
    Choose(apk);
    window->bt_installrom->click();
    EXPECT_EQ(QStringList{Text(texts::kInstallSuccess)}, Messages());
    // adb found the file: the phone received its size, or the copy under its name.
    const std::string pushed = "'/data/local/tmp/l'\\''appli \\\"démo\\\" v2\\.apk'";
    const Journal reached = Streamed() ? Journal{"exec:cmd package 'install' -S " + std::to_string(kApkSize)}
                                       : Journal{"sync:", Journaled("shell:pm 'install' " + pushed),
                                                 Journaled("shell:rm " + pushed + " </dev/null")};
    EXPECT_EQ(reached, PhoneSaw());

    // A name ending in a backslash reaches adb whole too; adb refuses it for
    // its extension, naming the whole path.
    const std::string trailing = (folder / "l'appli \"démo\" v2.apk\\").string();
    WritePackageFile(trailing, "com.example.other", kApkSize);
    Choose(trailing);
    window->bt_installrom->click();
    const QString refused = Streamed() ? QString::fromStdString("adb: filename doesn't end .apk or .apex: " + trailing)
                                       : QStringLiteral("adb: need APK file on command line");
    EXPECT_EQ(QStringList{Text(texts::kInstallFailurePrefix) + refused}, Messages());
    EXPECT_EQ(Journal{}, PhoneSaw());

    window->sBitBtn1->click();
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    EXPECT_EQ(QStringLiteral("com.example.newapp"), window->StringGrid1->cell(2, 3));
    ExpectNoAdbChild();
}

INSTANTIATE_TEST_SUITE_P(BothInstalls, AwkwardNames, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "streamed" : "push"); });

} // namespace
} // namespace quoddle::test
