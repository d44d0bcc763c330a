// The phone vanishing in the middle of a transfer, adb killed while a run is
// under way, and the adb server killed between two operations: what the user
// is told, and that the next operation works.

#include "FaultSession.hpp"

#include "widgets/MaskEdit.hpp"
#include "widgets/Picture.hpp"
#include "widgets/SpinEdit.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QAction>
#include <QComboBox>
#include <QTimer>

#include <signal.h>

namespace quoddle::test {
namespace {

constexpr std::size_t kApkSize = 300000;
constexpr int kPackageCount = 200;

std::string FaultConfig(const char* service, std::size_t afterBytes, const char* action)
{
    return std::string(R"("fault": {"service": ")") + service + R"(", "after_bytes": )" + std::to_string(afterBytes)
        + R"(, "action": ")" + action + "\"}";
}

std::string PackageName(int i) { return "com.example.app" + std::to_string(1000 + i); }

// kPackageCount user applications: a listing of about 12 KB.
std::string ManyPackages()
{
    std::string list = R"("packages": [)";
    for (int i = 0; i < kPackageCount; ++i)
        list += (i ? ", " : "") + std::string(R"({"name": ")") + PackageName(i) + R"(", "path": "/data/app/)"
            + PackageName(i) + R"(-1.apk"})";
    return list + "]";
}

int GridRowWith(const StringGrid* grid, const QString& package)
{
    for (int row = 1; row < grid->rowCount(); ++row)
        if (grid->cell(2, row) == package)
            return row;
    return -1;
}

// How a phone takes a package: the streamed install (exec:), Android 11's
// (abb_exec:), or the push install of phones without shell_v2 (sync:).
struct InstallRoad {
    const char* name;
    const char* config;
    const char* service;
    bool streamed;
};
const InstallRoad kInstallRoads[] = {
    {"streamed", R"("features": ["shell_v2", "cmd"])", "exec", true},
    {"android11", R"("profile": "android11")", "abb_exec", true},
    {"push", R"("features": [])", "sync", false},
};

class PhoneVanishes : public FaultSession, public ::testing::WithParamInterface<InstallRoad> {};

TEST_P(PhoneVanishes, InTheMiddleOfAnInstall)
{
    const InstallRoad& road = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open("{" + std::string(road.config) + ", " + FaultConfig(road.service, kApkSize / 3, "drop") + "}"));
    const std::string apk = (session->WorkDir() / "notes.apk").string();
    WritePackageFile(apk, "com.example.newapp", kApkSize);
    PhoneSaw();

    Choose(apk);
    window->bt_installrom->click();
    EXPECT_EQ(1u, PhoneSaw().size()) << "the install reached the phone";
    const QStringList told = Messages();
    ASSERT_EQ(1, told.size());
    // adb tells the failure: the streamed install on standard error, the push
    // install in the summary of its copy ("0 files pushed").
    const QString file = QString::fromStdString(apk);
    const QString expected = road.streamed ? QStringLiteral("ECHEC : adb: failed to install ") + file
                                           : QStringLiteral("ECHEC : ") + file + QStringLiteral(": 0 files pushed");
    EXPECT_TRUE(told[0].startsWith(expected)) << told[0].toStdString();
    EXPECT_EQ(Text(texts::kCaptionBadCommand), Caption());
    EXPECT_TRUE(InstallPanelShown()); // the file stays chosen for another try
    ExpectNoAdbChild();

    // adb connects again to the phone once it is back; the same install goes through.
    ASSERT_TRUE(session->WaitForState(Serial(), "device"));
    window->bt_installrom->click();
    EXPECT_EQ(QStringList{Text(texts::kInstallSuccess)}, Messages());
    window->sBitBtn1->click();
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    EXPECT_GT(GridRowWith(window->StringGrid1, QStringLiteral("com.example.newapp")), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryInstall, PhoneVanishes, ::testing::ValuesIn(kInstallRoads),
                         [](const auto& info) { return std::string(info.param.name); });

// With and without the shell protocol (legacy phones' output is one raw stream).
class ListingCut : public FaultSession, public ::testing::WithParamInterface<bool> {
protected:
    std::string Config(const char* action) const
    {
        return std::string("{\"features\": ") + (GetParam() ? R"(["shell_v2", "cmd"])" : "[]") + ", " + ManyPackages()
            + ", " + FaultConfig("shell", 5000, action) + "}";
    }
    // The grid shows the listing's first applications, in order; its last row
    // may hold a line that the cut split.
    void ExpectGridIsTheListingsStart() const
    {
        const StringGrid* grid = window->StringGrid1;
        EXPECT_GT(grid->rowCount(), 1);
        EXPECT_LT(grid->rowCount(), kPackageCount + 1);
        for (int row = 1; row + 1 < grid->rowCount(); ++row)
            EXPECT_EQ(QString::fromStdString(PackageName(row - 1)), grid->cell(2, row)) << "row " << row;
    }
    void ExpectWholeListing() const
    {
        EXPECT_EQ(kPackageCount + 1, window->StringGrid1->rowCount());
        EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    }
};

TEST_P(ListingCut, PhoneVanishesInTheMiddle)
{
    ASSERT_NO_FATAL_FAILURE(Open(Config("drop")));
    window->sBitBtn1->click();
    ExpectGridIsTheListingsStart();
    // adb 29 ends a shell whose phone vanished with status 0 and not a word:
    // the run cannot be told from a shorter listing, so the caption is the
    // ordinary one. The missing applications are the only sign.
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    ExpectNoAdbChild();

    ASSERT_TRUE(session->WaitForState(Serial(), "device"));
    window->sBitBtn1->click();
    ExpectWholeListing();
}

// The phone stops answering half-way: adb would wait for ever, and the user
// (here a timer) ends it. What had arrived stays; the caption tells the failure.
TEST_P(ListingCut, AdbKilledWhileItWaits)
{
    ASSERT_NO_FATAL_FAILURE(Open(Config("hang")));
    PhoneSaw();
    std::vector<pid_t> killed;
    std::optional<std::chrono::steady_clock::time_point> seen;
    QTimer killer;
    killer.setInterval(5);
    QObject::connect(&killer, &QTimer::timeout, [&] {
        const std::vector<pid_t> clients = ChildrenNamed("adb");
        if (!killed.empty() || clients.size() != 1)
            return;
        // Once the phone has the listing, long enough for its first part to reach adb.
        if (!seen && !PhoneSaw().empty())
            seen = std::chrono::steady_clock::now();
        if (!seen || std::chrono::steady_clock::now() - *seen < std::chrono::milliseconds(300))
            return;
        const auto stat = ReadProcessStat(clients[0]);
        if (stat && stat->state != 'Z' && ::kill(clients[0], SIGKILL) == 0)
            killed.push_back(clients[0]);
    });
    killer.start();
    window->sBitBtn1->click();
    killer.stop();

    ASSERT_EQ(1u, killed.size());
    ExpectNoAdbChild();
    ExpectGridIsTheListingsStart();
    EXPECT_EQ(Text(texts::kCaptionBadCommand), Caption());

    // The phone answers again: the report and the whole listing.
    window->bt_infotel->click();
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    EXPECT_EQ(QStringLiteral("Modèle : Fake Phone One"), window->list_infotel->items().value(2));
    window->sBitBtn1->click();
    ExpectWholeListing();
}

INSTANTIATE_TEST_SUITE_P(BothShells, ListingCut, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "shell_v2" : "legacy"); });

TEST_F(FaultSession, AdbServerKilledBetweenTwoOperations)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    const int port = session->ServerPort();
    const std::optional<pid_t> server = AdbServerOn(port);
    ASSERT_TRUE(server);
    ASSERT_EQ(0, ::kill(*server, SIGKILL)); // the private server this session started
    ASSERT_TRUE(WaitUntil([&] { return !AdbServerOn(port); }));
    PhoneSaw();

    // adb starts a server again, which has never heard of the phone.
    window->sBitBtn1->click();
    EXPECT_EQ(Text(texts::kCaptionBadCommand), Caption());
    EXPECT_EQ(1, window->StringGrid1->rowCount());
    EXPECT_EQ(Journal{}, PhoneSaw());
    const std::optional<pid_t> restarted = AdbServerOn(port);
    ASSERT_TRUE(restarted);
    EXPECT_NE(*server, *restarted);
    ExpectNoAdbChild();

    // A search finds no phone and shows the disconnected state.
    window->Chercherletlphone1->trigger();
    EXPECT_EQ(0, window->listdevices->count());
    EXPECT_FALSE(window->ImageErr->isHidden());

    // Connecting over the network reaches the phone again.
    window->ed_ip->setMaskedText(QStringLiteral("127.0  .0  .1  "));
    window->ed_port->setValue(session->PhonePort());
    window->bt_connectwifi->click();
    if (window->listdevices->count() == 0) {
        // Listed before its handshake ended: the next search finds it.
        ASSERT_TRUE(session->WaitForState(Serial(), "device"));
        window->Chercherletlphone1->trigger();
    }
    ASSERT_EQ(1, window->listdevices->count());
    EXPECT_EQ(Serial(), window->CurrentDevice);
    window->sBitBtn1->click();
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    EXPECT_EQ(3, window->StringGrid1->rowCount());
}

} // namespace
} // namespace quoddle::test
