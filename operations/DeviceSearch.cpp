// Device search and connection: "devices", the connected and disconnected
// states, and the Wi-Fi step.

#include "DeviceSearch.hpp"

#include "FrmMain.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Picture.hpp"
#include "widgets/Panel.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/SpinEdit.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTabWidget>

namespace quoddle {

namespace {
// Device lines read from one listing, at most.
constexpr int kMaxDeviceLine = 255;
} // namespace

std::optional<QString> DeviceSerialOf(const QString& line)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return std::nullopt;
    QString state = line.mid(tab + 1);
    while (!state.isEmpty() && (state.back() == QLatin1Char(' ') || state.back() == QLatin1Char('\r')))
        state.chop(1);
    if (state != QLatin1String("device"))
        return std::nullopt;
    return line.left(tab);
}

std::string WifiAddress(const QString& ipText)
{
    QStringList groups = ipText.split(QLatin1Char('.'));
    for (QString& group : groups) {
        group.remove(QLatin1Char(' '));
        while (group.size() > 1 && group.front() == QLatin1Char('0'))
            group.remove(0, 1);
    }
    return groups.join(QLatin1Char('.')).toStdString();
}

std::string TFrmMain::IpText() const { return WifiAddress(ed_ip->maskedText()); }

std::string TFrmMain::PortText() const { return ed_port->text().toStdString(); }

void TFrmMain::ApplyConnectedState(bool connected)
{
    ImageErr->setVisible(!connected);
    ImageOk->setVisible(connected);
    reglageappliinstall->setEnabled(connected);
    reglagesave->setEnabled(connected);
    bt_appliquer->setEnabled(connected);
    bt_reboot->setEnabled(connected);
    btrebootloader->setEnabled(connected);
    panelconnexion->setVisible(!connected);
    bt_trash->setEnabled(connected);
    bt_cmd->setEnabled(connected);
    PageControl1->setEnabled(connected);
}

void TFrmMain::SearchDevices()
{
    if (WifiMode == 1) {
        services().StartDetached(AdbPath, "tcpip " + PortText(), AppDir());
        services().Sleep(5000);
        AdbArgs = "connect " + IpText() + ":" + PortText();
        RunCommand(AdbPath, AppDir());
    }
    {
        const QSignalBlocker quiet(listdevices);
        listdevices->clear();
    }
    AdbArgs = "devices";
    RunCommand(AdbPath, AppDir());

    bool found = false;
    pickedDeviceIndex_ = -1;
    const int last = std::min(Memo->lineCount() - 1, kMaxDeviceLine);
    for (int i = 1; i <= last; ++i) {
        const auto serial = DeviceSerialOf(Memo->line(i));
        if (!serial)
            continue;
        ApplyConnectedState(true);
        found = true;
        // Selecting from the program is no pick by the user: listdevicesChange stays quiet.
        const QSignalBlocker quiet(listdevices);
        listdevices->addItem(*serial);
        listdevices->setCurrentIndex(0);
        CurrentDevice = listdevices->currentText().toStdString();
        pickedDeviceIndex_ = 0;
    }
    if (found) {
        // The report that follows never starts another search, so an empty
        // serial cannot make the two call each other without end.
        reportFromSearch_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{reportFromSearch_};
        bt_infotelClick();
        return;
    }
    ApplyConnectedState(false);
}

void TFrmMain::ImageErrClick() { SearchDevices(); }

void TFrmMain::Chercherletlphone1Click() { SearchDevices(); }

void TFrmMain::bt_connectusbClick()
{
    WifiMode = 0;
    SearchDevices();
}

void TFrmMain::bt_connectwifiClick()
{
    WifiMode = 1;
    SearchDevices();
}

void TFrmMain::listdevicesChange()
{
    // Only a change of the selected item counts; picking the one already selected runs nothing.
    if (listdevices->currentIndex() == pickedDeviceIndex_)
        return;
    pickedDeviceIndex_ = listdevices->currentIndex();
    CurrentDevice = listdevices->currentText().toStdString();
    bt_infotelClick();
}

bool TFrmMain::GuardDevice()
{
    if (!CurrentDevice.empty())
        return true;
    SearchDevices();
    return false;
}

} // namespace quoddle
