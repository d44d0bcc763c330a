// The phone information report.

#include "InfoReport.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "widgets/TextListBox.hpp"

#include <QCoreApplication>

namespace quoddle {

const char* const kReportFirstArgs =
    " shell getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && getprop "
    "ro.build.description && getprop ro.build.id && getprop ro.bootloader && getprop ro.com.google.gmsversion && "
    "getprop ro.product.version";
const char* const kReportSecondArgs =
    " shell getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop gsm.operator.alpha && "
    "getprop gsm.network.type";

namespace {
// The report's labels, in the language the program speaks.
QString Label(const char* text) { return QCoreApplication::translate("quoddle::InfoReport", text); }
} // namespace

QString ReportFirstText(const std::array<QString, 8>& v)
{
    // v: model, release, baseband, description, build id, bootloader, gms version, product version.
    return Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "INFORMATION SMARTPHONE : ")) + QStringLiteral("\r\r")
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Modèle : ")) + v[0] + QStringLiteral("\r")
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Version d'Android : ")) + v[1]
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", " Build ")) + v[4]
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", " (Gms : ")) + v[6] + QStringLiteral(")\r")
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Version de bande de base : ")) + v[2] + QStringLiteral("\r")
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Numéro de build : ")) + v[3] + QStringLiteral("\r")
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Numéro logiciel : ")) + v[7] + QStringLiteral("\r")
        + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Version Bootloader : ")) + v[5];
}

QString ReportSecondText(const std::array<QString, 4>& v)
{
    return QStringLiteral("\r") + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Version gsm : ")) + v[0]
        + QStringLiteral("\r") + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Opérateur : ")) + v[1]
        + QStringLiteral("\r") + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Réseau utilisé : ")) + v[2]
        + QStringLiteral("\r") + Label(QT_TRANSLATE_NOOP("quoddle::InfoReport", "Liaison réseau actuelle : "))
        + v[3];
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
