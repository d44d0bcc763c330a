// The phone information report.

#include "InfoReport.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "widgets/TextListBox.hpp"

namespace quoddle {

const char* const kReportFirstArgs =
    " shell getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && getprop "
    "ro.build.description && getprop ro.build.id && getprop ro.bootloader && getprop ro.com.google.gmsversion && "
    "getprop ro.product.version";
const char* const kReportSecondArgs =
    " shell getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop gsm.operator.alpha && "
    "getprop gsm.network.type";

QString ReportFirstText(const std::array<QString, 8>& v)
{
    // v: model, release, baseband, description, build id, bootloader, gms version, product version.
    return QStringLiteral("INFORMATION SMARTPHONE : \r\rModèle : ") + v[0] + QStringLiteral("\r")
        + QStringLiteral("Version d'Android : ") + v[1] + QStringLiteral(" Build ") + v[4]
        + QStringLiteral(" (Gms : ") + v[6] + QStringLiteral(")") + QStringLiteral("\r")
        + QStringLiteral("Version de bande de base : ") + v[2] + QStringLiteral("\r")
        + QStringLiteral("Numéro de build : ") + v[3] + QStringLiteral("\r")
        + QStringLiteral("Numéro logiciel : ") + v[7] + QStringLiteral("\r")
        + QStringLiteral("Version Bootloader : ") + v[5];
}

QString ReportSecondText(const std::array<QString, 4>& v)
{
    return QStringLiteral("\rVersion gsm : ") + v[0] + QStringLiteral("\rOpérateur : ") + v[1]
        + QStringLiteral("\rRéseau utilisé : ") + v[2] + QStringLiteral("\rLiaison réseau actuelle : ") + v[3];
}

void TFrmMain::bt_infotelClick()
{
    if (CurrentDevice.empty()) {
        if (!reportFromSearch_)
            SearchDevices();
        return;
    }
    AdbArgs = DeviceArg(CurrentDevice) + kReportFirstArgs;
    RunCommand(AdbPath, AppDir());
    const bool firstAnswered = RunAnswered();
    std::array<QString, 8> first;
    for (int k = 0; k < 8; ++k)
        first[static_cast<std::size_t>(k)] = ShellLine(k);
    QString report = ReportFirstText(first);

    AdbArgs = DeviceArg(CurrentDevice) + kReportSecondArgs;
    RunCommand(AdbPath, AppDir());
    // A phone lost during the first chain leaves no success caption behind the second.
    if (RunAnswered() && !firstAnswered)
        TellRunFailed();
    std::array<QString, 4> second;
    for (int k = 0; k < 4; ++k)
        second[static_cast<std::size_t>(k)] = ShellLine(k);
    report += ReportSecondText(second);

    list_infotel->setText(report);
}

} // namespace quoddle
