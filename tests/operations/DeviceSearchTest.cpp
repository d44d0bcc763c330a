#include "MainWindowFixture.hpp"

#include "operations/DeviceSearch.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Panel.hpp"
#include "widgets/Picture.hpp"
#include "widgets/SpinEdit.hpp"
#include "widgets/TextListBox.hpp"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

using namespace quoddle;
using namespace quoddle::test;

namespace {

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

bool Connected(const TFrmMain& w)
{
    return !w.ImageErr->isVisibleTo(w.clientArea()) && w.ImageOk->isVisibleTo(w.clientArea())
        && !w.panelconnexion->isVisibleTo(w.clientArea()) && w.bt_reboot->isEnabled() && w.PageControl1->isEnabled();
}

bool Disconnected(const TFrmMain& w)
{
    return w.ImageErr->isVisibleTo(w.clientArea()) && !w.ImageOk->isVisibleTo(w.clientArea())
        && w.panelconnexion->isVisibleTo(w.clientArea()) && !w.bt_reboot->isEnabled() && !w.PageControl1->isEnabled()
        && !w.bt_cmd->isEnabled() && !w.bt_appliquer->isEnabled();
}

} // namespace

TEST(DeviceSerialOf, ReadsOnlyUsableDevices)
{
    const struct {
        const char* line;
        std::optional<QString> serial;
    } cases[] = {
        {"0123456789ABCDEF\tdevice", QStringLiteral("0123456789ABCDEF")},
        {"emulator-5554\tdevice \r", QStringLiteral("emulator-5554")},
        {"adb-XYZ (2)._adb-tls-connect._tcp\tdevice", QStringLiteral("adb-XYZ (2)._adb-tls-connect._tcp")},
        {"\tdevice", QString()},
        {"0123\toffline", std::nullopt},
        {"0123\tunauthorized", std::nullopt},
        {"0123\tno permissions (user in plugdev group; are your udev rules wrong?); see "
         "[http://developer.android.com/tools/device.html]",
         std::nullopt},
        {"mydevice-no-tab", std::nullopt},
        {"List of devices attached", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.serial, DeviceSerialOf(QString::fromUtf8(c.line))) << c.line;
}

TEST(WifiAddress, DropsBlanksAndLeadingZeros)
{
    EXPECT_EQ("192.168.1.6", WifiAddress(QStringLiteral("192.168.1  .6  ")));
    EXPECT_EQ("10.0.0.7", WifiAddress(QStringLiteral("010.000.00 .007")));
    EXPECT_EQ("...", WifiAddress(QStringLiteral("   .   .   .   ")));
}

TEST_F(MainWindowTest, OneDeviceIsSelectedAndReported)
{
    Open(PhoneRules());
    EXPECT_EQ(QStringList{QString::fromStdString(kSerial)}, Items(window->listdevices));
    EXPECT_EQ(0, window->listdevices->currentIndex());
    EXPECT_EQ(kSerial, window->CurrentDevice);
    EXPECT_TRUE(Connected(*window));
    EXPECT_EQ((FakeAdb::Calls{{"devices"}, Words({"-s", kSerial, "shell", "getprop", "ro.product.model", "&&", "getprop",
                                                  "ro.build.version.release", "&&", "getprop", "ro.baseband", "&&",
                                                  "getprop", "ro.build.description", "&&", "getprop", "ro.build.id",
                                                  "&&", "getprop", "ro.bootloader", "&&", "getprop",
                                                  "ro.com.google.gmsversion", "&&", "getprop", "ro.product.version"}),
                               Words({"-s", kSerial, "shell", "getprop", "gsm.version.baseband", "&&", "getprop",
                                      "gsm.sim.operator.alpha", "&&", "getprop", "gsm.operator.alpha", "&&", "getprop",
                                      "gsm.network.type"})}),
              Sent());
    EXPECT_EQ(12, window->list_infotel->count());
}

TEST_F(MainWindowTest, SearchCases)
{
    const struct {
        const char* name;
        std::string lines;
        QStringList items;
        bool connected;
        int reports; // report runs that followed
    } cases[] = {
        {"two_devices_first_selected", "AAA\tdevice\nBBB\tdevice\n", {"AAA", "BBB"}, true, 2},
        {"none", "", {}, false, 0},
        {"offline_not_listed", "AAA\toffline\n", {}, false, 0},
        {"no_permissions_not_listed",
         "AAA\tno permissions (missing udev rules? user is in the plugdev group); see "
         "[http://developer.android.com/tools/device.html]\n",
         {}, false, 0},
        {"line_without_tab_not_listed", "mydevice\n", {}, false, 0},
        {"empty_serial_ends_the_chain", "\tdevice\n", {""}, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open({DevicesRule(c.lines), FakeAdbRule::Default()});
        EXPECT_EQ(c.items, Items(window->listdevices));
        EXPECT_EQ(c.connected, Connected(*window));
        EXPECT_EQ(!c.connected, Disconnected(*window));
        EXPECT_EQ(static_cast<std::size_t>(1 + c.reports), Sent().size());
        adb.ClearJournal();
    }
}

TEST_F(MainWindowTest, NoDeviceKeepsTheEarlierSerial)
{
    Open(PhoneRules());
    Rescript({DevicesRule("")});
    window->SearchDevices();
    EXPECT_TRUE(Disconnected(*window));
    EXPECT_EQ(0, window->listdevices->count());
    EXPECT_EQ(kSerial, window->CurrentDevice);
}

TEST_F(MainWindowTest, PickingAnotherDeviceReportsIt)
{
    Open(std::vector{DevicesRule("AAA\tdevice\nBBB\tdevice\n")} + PhoneRules("AAA") + PhoneRules("BBB"));
    Rescript(PhoneRules("BBB"));
    window->listdevices->setCurrentIndex(1);
    window->listdevicesChange();
    EXPECT_EQ("BBB", window->CurrentDevice);
    ASSERT_EQ(2u, Sent().size());
    EXPECT_EQ("BBB", Sent()[0][1]);
}

TEST_F(MainWindowTest, WifiConnectsToTheAddressAsMeant)
{
    Open({DevicesRule("")});
    Rescript({FakeAdbRule::Argv({"connect", "192.168.1.6:5555"}).Out("connected to 192.168.1.6:5555\n"),
              DevicesRule("192.168.1.6:5555\tdevice\n"), FakeAdbRule::Default()});
    window->bt_connectwifi->click();
    const std::string adbPath = folder.dir() + FakeAdb::AdbFileName();
    EXPECT_EQ((QStringList{QString::fromStdString("detached:" + adbPath + "|tcpip 5555|" + folder.dir()),
                           QStringLiteral("sleep:5000")}),
              services.log);
    ASSERT_GE(Sent().size(), 2u);
    EXPECT_EQ((std::vector<std::string>{"connect", "192.168.1.6:5555"}), Sent()[0]);
    EXPECT_EQ(1, window->WifiMode);

    // Every later search repeats the Wi-Fi step, until the USB button.
    Rescript({DevicesRule(""), FakeAdbRule::Default()});
    window->SearchDevices();
    EXPECT_EQ(2, services.log.size());
    window->bt_connectusb->click();
    EXPECT_EQ(0, window->WifiMode);
    EXPECT_EQ(2, services.log.size());
}

TEST_F(MainWindowTest, FailedDevicesRunEmptiesTheListAndChangesNoState)
{
    Open(PhoneRules());
    std::filesystem::remove(folder.path() / FakeAdb::AdbFileName());
    window->Chercherletlphone1->trigger();
    EXPECT_EQ(1, services.errors().size());
    EXPECT_EQ(0, window->listdevices->count());
    EXPECT_TRUE(Connected(*window));
    EXPECT_EQ(kSerial, window->CurrentDevice);
}
