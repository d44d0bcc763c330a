#pragma once
// The main window's logic: every phone operation writes an argument text into
// AdbArgs and calls RunCommand, which runs adb from the program's folder, tells
// the outcome in the caption and puts what adb printed into the output pane.

#include "Install.hpp"
#include "PhoneVersions.hpp"
#include "console/SfcConsoleIOHandler.hpp"
#include "windows/HandlerGuard.hpp"
#include "windows/MainWindowForm.hpp"

#include <QPointer>
#include <QSet>

#include <cstdint>
#include <map>
#include <optional>
#include <memory>
#include <string>

class QAbstractItemView;
class QMenu;
class QShortcut;

namespace quoddle {

enum class RowAction; // AppActions.hpp

class TFrmMain : public MainWindowForm {
    Q_OBJECT
public:
    explicit TFrmMain(QWidget* parent = nullptr);
    ~TFrmMain() override;

    std::string CmdPath;
    std::string AdbPath;
    std::string AdbArgs;
    std::string CurrentDevice;
    std::uint8_t WifiMode = 0;
    std::unique_ptr<TSfcConsoleIOHandler> ConsoleHandler;

    std::string AppDir() const;
    // "-s SERIAL " while a device is selected, else nothing: texts that may
    // also run without one (the settings read-back, the keypad's key events).
    std::string DevicePrefix() const;
    // Runs AdbArgs with the program `programPath` in folder `dir`.
    void RunCommand(const std::string& programPath, const std::string& dir);
    // Shell line k of the last run: line 2k when its lines ended in CR CR LF, line k otherwise.
    QString ShellLine(int k) const;

    // Device search and connection.
    void SearchDevices();
    void ApplyConnectedState(bool connected);
    std::string IpText() const;   // the Wi-Fi address as the user meant it
    std::string PortText() const; // the port field as shown

    // Event handlers, wired to the controls in the constructor.
    void FormCreate();
    void FormDestroy();
    void FormClose(); // a run that fails leaves the window open
    void BtnSendClick();
    void txtParamsKeyUp(int key);
    void ImageErrClick();
    void Chercherletlphone1Click();
    void bt_connectusbClick();
    void bt_connectwifiClick();
    void listdevicesChange();
    void bt_infotelClick();
    void sBitBtn1Click();
    // The grid and both application lists from the listing in the output pane.
    void ShowApplicationList();
    // After the listing: the phone's Android version (once per phone) and,
    // where the package manager can tell, the disabled packages, marked.
    // Without asking the phone, every mark goes.
    void LearnPackageStates(bool askThePhone);
    // The context menu of the selected rows of a page's view, its actions wired.
    std::unique_ptr<QMenu> ApplicationMenu(QAbstractItemView* view);
    // Asks, then runs the action once per package; one report at the end.
    void RunRowAction(RowAction action, const QStringList& packages);
    QStringList SelectedPackages(QAbstractItemView* view) const;
    // The filter field of the application pages (Ctrl+F; Escape closes it).
    void OpenFilter();
    void CloseFilter();
    const QSet<QString>& DisabledPackages() const { return disabledPackages_; }
    void bt_installClick();
    // Files dropped on the window: one .apk as if chosen in the open dialog;
    // several files, or a bundle, listed in the install panel; anything that
    // is no package file refused with a message.
    void FormDragDrop(const QStringList& paths);
    void sBitBtn4Click();
    void bt_installsdClick();
    void bt_installromClick();
    void bt_desinstallClick();
    void bt_desinstallttClick();
    void bt_rebootClick();
    void btrebootloaderClick();
    void bt_rebootrecoveryClick();
    void bt_trashClick();
    void bt_numeroterClick();
    void ed_numeroKeyUp(int key);
    void bt_cmdClick();
    void Quitter1Click();
    void Apropos1Click();
    void sBitBtn2Click();
    void bt_actualfroyoClick();
    void bt_appliquerClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Runs a handler guarded; a close asked for meanwhile is acted on after it.
    template <class Handler>
    void Handle(Handler&& handler)
    {
        ++handlerDepth_;
        RunGuarded(std::forward<Handler>(handler));
        if (--handlerDepth_ == 0 && closePending_) {
            closePending_ = false;
            close();
        }
    }
    template <class Signal>
    void Wire(const typename QtPrivate::FunctionPointer<Signal>::Object* sender, Signal signal,
              void (TFrmMain::*handler)());
    void wireHandlers();
    void wireApplicationPages();
    QList<QAbstractItemView*> ApplicationViews() const;
    // The rules of the selected phone's release as far as the session knows it
    // (the oldest release's until a refresh asked), asking nothing.
    const ReleaseRules& KnownRules() const;
    void CopyPackages(const QStringList& packages);
    void ApplyFilter(const QString& text);
    void ApplyDisabledMarks();
    // Every package the grid and the lists show.
    QSet<QString> PackagesShown() const;
    // Device guard: true when a device is selected; otherwise runs the search.
    bool GuardDevice();
    // Install with the reinstall option text when the box is ticked.
    void Install(const char* reinstallOptions);
    // The files chosen or dropped: kept for the install buttons, the panel shown.
    void ShowInstallPanel(const QStringList& files);
    // One install run of this argument text (after the device) and its verdict.
    InstallResult RunInstall(const std::string& installArgs);
    // Several files, or bundles: one run per application, then one message.
    void InstallSeveral(const char* options, const QStringList& files);
    void Uninstall(bool keepData);
    // One of the three reboots: " reboot", " reboot-bootloader", " reboot recovery".
    void Reboot(const char* command);
    // For a command that a working phone always answers (the report's getprop
    // chains, the package listing, the removal): a run that printed nothing at
    // all failed, whatever adb's exit status. False, and the caption says so,
    // when adb told success without a word.
    bool RunAnswered();
    // The caption of a run that failed without a word.
    void TellRunFailed();
    // Notes the outcome of the run just made for an operation of several runs;
    // `confirmed` is false when the phone's answer says it did not do it.
    void NoteRunOutcome(bool confirmed = true);
    // "Commandes appliquées..." when every run of the operation succeeded;
    // otherwise the caption of the first failed run, and the answer of a
    // phone that refused.
    void SetAppliedCaption();
    // Every line the last run printed, standard error's too: a tool may say on
    // standard error that it refused what its standard output announced.
    QStringList AnswerLines() const;
    // The refusal caption, and the phone's answer in a message.
    void TellRefusal();
    // What the session knows of the selected phone; nullptr without one.
    KnownPhone* KnownCurrentPhone();
    // The selected phone's API level, asked once per phone; nothing when unknown.
    std::optional<int> CurrentSdk();
    // pm's install-location verb `camelCase` with `argument`, or `dashed`
    // when the phone does not know the former.
    void RunPmVerb(const char* camelCase, const char* dashed, const std::string& argument = {});

    int handlerDepth_ = 0;
    bool closePending_ = false;
    bool reportFromSearch_ = false;
    int pickedDeviceIndex_ = -1;    // the device list's item last made CurrentDevice
    bool lastRunSucceeded_ = false; // the last run started adb and it exited 0
    QString failedRunCaption_;      // of the current operation, empty while all succeeded
    QSet<QString> disabledPackages_;
    int listGeneration_ = 0;    // counts refreshes
    std::string listedDevice_; // the phone whose applications the pages show
    QShortcut* filterEscape_ = nullptr;
    QString refusedAnswer_;         // what a phone answered when it refused
    QPointer<QWidget> lastFocus_;   // the control of this window that last had the focus
    std::map<std::string, KnownPhone> knownPhones_; // by serial, for the session
};

// The main window, once created.
extern TFrmMain* FrmMain;

} // namespace quoddle
