#pragma once
// The soak: every kind of operation of the main window, round after round,
// through its real handlers against fakephone via the real adb, each checked
// for what the user would see. Shared by the short soak test and the long
// soak under bench/, which read the process's resources (ProcessProbe.hpp)
// around it.

#include "ProcessProbe.hpp"
#include "e2e/AdbSession.hpp"
#include "operations/FrmMain.hpp"
#include "operations/Texts.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

#include <memory>
#include <string>

namespace quoddle::test {

class Soak {
public:
    // One round, in this order: the install comes before the refresh that
    // lists it and the removal that takes it away again.
    enum Kind { Search, Report, Install, Refresh, Removal, Reboot, RebootBootloader, RebootRecovery,
                Dial, Trash, SettingsRead, SettingsApply, kKinds };

    static const char* KindName(int kind)
    {
        static const char* const names[kKinds] = {"search",         "report",          "install",  "refresh",
                                                  "removal",        "reboot",          "bootloader", "recovery",
                                                  "dial",           "trash",           "settings read",
                                                  "settings apply"};
        return names[kind];
    }

    Soak()
    {
        session_ = std::make_unique<AdbSession>(AdbSessionOptions{});
        services_.appDir = session_->AppDir();
        apk_ = (session_->WorkDir() / "Mes applis" / "soak.apk").string();
        std::filesystem::create_directories(session_->WorkDir() / "Mes applis");
        WritePackageFile(apk_, "com.example.soak", 20000);
        window_ = std::make_unique<TFrmMain>();
        window_->ed_numero->setMaskedText(QStringLiteral("06-12-34-56-78"));
        window_->box_reinstall->setChecked(true);
    }

    int ServerPort() const { return session_->ServerPort(); }

    // Runs operation number n (of kind n % kKinds); returns what went wrong, or "".
    std::string Run(int n)
    {
        const int kind = n % kKinds;
        const bool odd = (n / kKinds) % 2 == 1;
        TFrmMain& w = *window_;
        services_.clear();
        w.setWindowTitle(QString());
        switch (kind) {
        case Search:
            w.Chercherletlphone1->trigger();
            break;
        case Report:
            w.bt_infotel->click();
            break;
        case Install:
            services_.fileAnswers = {QString::fromStdString(apk_)};
            w.bt_install->click();
            w.bt_installrom->click(); // "-r -f": in the phone's memory, so the grid lists it
            break;
        case Refresh:
            w.sBitBtn1->click();
            break;
        case Removal:
            w.StringGrid1->setRow(RowOf(QStringLiteral("com.example.soak")));
            (odd ? w.bt_desinstalltt : w.bt_desinstall)->click();
            break;
        case Reboot:
            w.bt_reboot->click();
            break;
        case RebootBootloader:
            w.btrebootloader->click();
            break;
        case RebootRecovery:
            w.bt_rebootrecovery->click();
            break;
        case Dial:
            w.bt_numeroter->click();
            break;
        case Trash:
            w.bt_trash->click();
            break;
        case SettingsRead:
            w.bt_actualfroyo->click();
            break;
        case SettingsApply:
            w.reglageappliinstall->setItemIndex(odd ? 2 : 1);
            w.reglagesave->setItemIndex(odd ? 1 : 0);
            w.bt_appliquer->click();
            break;
        }
        return Check(kind);
    }

private:
    int RowOf(const QString& package) const
    {
        for (int row = 1; row < window_->StringGrid1->rowCount(); ++row)
            if (window_->StringGrid1->cell(2, row) == package)
                return row;
        return 1;
    }

    // What the user sees after the operation, against what the phone must have answered.
    std::string Check(int kind) const
    {
        const TFrmMain& w = *window_;
        if (!services_.errors().isEmpty())
            return "error box: " + services_.errors().join(" | ").toStdString();
        if (!ChildrenNamed("adb").empty())
            return "an adb client is left as a child";
        const QString caption = w.windowTitle();
        const QStringList shown = services_.messages();
        const auto is = [](const QString& text, const char* expected) { return text == QString::fromUtf8(expected); };
        bool ok = true;
        switch (kind) {
        case Search:
        case Report:
            ok = w.CurrentDevice == session_->Serial()
                && w.list_infotel->items().value(2) == QStringLiteral("Modèle : Fake Phone One");
            break;
        case Install:
            ok = shown == QStringList{QString::fromUtf8(texts::kInstallSuccess)};
            break;
        case Refresh:
            ok = is(caption, texts::kCaptionSuccess) && RowOf(QStringLiteral("com.example.soak")) > 1;
            break;
        case Removal:
            ok = shown.size() == 1 && shown[0].startsWith(QString::fromUtf8(texts::kRemovalResultPrefix) + "Success");
            break;
        case Reboot:
        case RebootBootloader:
        case RebootRecovery:
        case Dial:
            ok = is(caption, texts::kCaptionSuccess);
            break;
        case Trash:
            // The folder is empty after the first round: rm says so, and the caption tells it.
            ok = shown.size() == 1 && (is(caption, texts::kCaptionApplied) || is(caption, texts::kCaptionBadCommand));
            break;
        case SettingsRead:
            ok = shown.isEmpty() && w.reglageappliinstall->itemIndex() >= 0;
            break;
        case SettingsApply:
            ok = is(caption, texts::kCaptionApplied);
            break;
        }
        return ok ? std::string() : std::string(KindName(kind)) + ": caption \"" + caption.toStdString() + "\", messages \""
                + shown.join(" | ").toStdString() + "\"";
    }

    // Declaration order: the session outlives the window and the services.
    std::unique_ptr<AdbSession> session_;
    RecordingServices services_;
    std::unique_ptr<TFrmMain> window_;
    std::string apk_;
};

} // namespace quoddle::test
