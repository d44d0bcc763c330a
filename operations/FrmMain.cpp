// Command dispatch: the window's fields, RunCommand and its captions, creation,
// closing, and the wiring of every handler.

#include "FrmMain.hpp"

#include "AdbArgs.hpp"
#include "Texts.hpp"
#include "platform/Platform.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Picture.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/VirtualKeys.hpp"
#include "windows/HandlerGuard.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"
#include "windows/Waiting.hpp"
#include "windows/WindowInstances.hpp"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace quoddle {

TFrmMain* FrmMain = nullptr;

namespace {

// The caption after a run: from the exit status first, so that a command
// that succeeded without printing, or failed while printing on standard
// output, is told as it went.
const char* CaptionFor(std::uint8_t code, int exitStatus)
{
    if (exitStatus == 0)
        return texts::kCaptionSuccess;
    return code == kNoLines ? texts::kCaptionRunError : texts::kCaptionBadCommand;
}

// The local files a drag carries; empty when it carries anything else.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

TFrmMain::TFrmMain(QWidget* parent) : MainWindowForm(parent)
{
    FrmMain = this;
    setAcceptDrops(true); // package files dropped on the window
    wireHandlers();
    // An error in creation is shown; the window exists without the rest of it.
    Handle([this] { FormCreate(); });
}

TFrmMain::~TFrmMain()
{
    FormDestroy();
    if (FrmMain == this)
        FrmMain = nullptr;
}

std::string TFrmMain::AppDir() const { return services().AppDir(); }

template <class Signal>
void TFrmMain::Wire(const typename QtPrivate::FunctionPointer<Signal>::Object* sender, Signal signal,
                    void (TFrmMain::*handler)())
{
    connect(sender, signal, this, [this, handler] { Handle([this, handler] { (this->*handler)(); }); });
}

void TFrmMain::wireHandlers()
{
    Wire(BtnSend, &QPushButton::clicked, &TFrmMain::BtnSendClick);
    Wire(ImageErr, &Picture::clicked, &TFrmMain::ImageErrClick);
    Wire(listdevices, &QComboBox::activated, &TFrmMain::listdevicesChange);
    Wire(bt_connectusb, &QPushButton::clicked, &TFrmMain::bt_connectusbClick);
    Wire(bt_connectwifi, &QPushButton::clicked, &TFrmMain::bt_connectwifiClick);
    Wire(Chercherletlphone1, &QAction::triggered, &TFrmMain::Chercherletlphone1Click);
    Wire(bt_infotel, &QPushButton::clicked, &TFrmMain::bt_infotelClick);
    Wire(sBitBtn1, &QPushButton::clicked, &TFrmMain::sBitBtn1Click);
    Wire(bt_install, &QPushButton::clicked, &TFrmMain::bt_installClick);
    Wire(sBitBtn4, &QPushButton::clicked, &TFrmMain::sBitBtn4Click);
    Wire(bt_installsd, &QPushButton::clicked, &TFrmMain::bt_installsdClick);
    Wire(bt_installrom, &QPushButton::clicked, &TFrmMain::bt_installromClick);
    Wire(bt_desinstall, &QPushButton::clicked, &TFrmMain::bt_desinstallClick);
    Wire(bt_desinstalltt, &QPushButton::clicked, &TFrmMain::bt_desinstallttClick);
    Wire(bt_reboot, &QPushButton::clicked, &TFrmMain::bt_rebootClick);
    Wire(btrebootloader, &QPushButton::clicked, &TFrmMain::btrebootloaderClick);
    Wire(bt_rebootrecovery, &QPushButton::clicked, &TFrmMain::bt_rebootrecoveryClick);
    Wire(bt_trash, &QPushButton::clicked, &TFrmMain::bt_trashClick);
    Wire(bt_numeroter, &QPushButton::clicked, &TFrmMain::bt_numeroterClick);
    Wire(bt_cmd, &QPushButton::clicked, &TFrmMain::bt_cmdClick);
    Wire(sBitBtn2, &QPushButton::clicked, &TFrmMain::sBitBtn2Click);
    Wire(Quitter1, &QAction::triggered, &TFrmMain::Quitter1Click);
    Wire(Apropos1, &QAction::triggered, &TFrmMain::Apropos1Click);
    Wire(bt_actualfroyo, &QPushButton::clicked, &TFrmMain::bt_actualfroyoClick);
    Wire(bt_appliquer, &QPushButton::clicked, &TFrmMain::bt_appliquerClick);
    wireApplicationPages();
    // Key releases and focus entering the settings page come through the event filter.
    txtParams->installEventFilter(this);
    ed_numero->installEventFilter(this);
    // The page is entered when the focus moves into it from another control
    // of this window: not when it comes back from a message box, a dialog or
    // another program, which would read the phone again, replace the caption
    // of what was just done and undo choices not yet applied.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || now->window() != this)
            return;
        const auto inSettingsPage = [this](QWidget* w) { return w && (w == TabSheet5 || TabSheet5->isAncestorOf(w)); };
        QWidget* before = lastFocus_;
        lastFocus_ = now;
        if (inSettingsPage(now) && !inSettingsPage(before))
            Handle([this] { bt_actualfroyoClick(); });
    });
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const int code = VirtualKeyCode(*key);
            if (watched == txtParams)
                Handle([this, code] { txtParamsKeyUp(code); });
            else if (watched == ed_numero)
                Handle([this, code] { ed_numeroKeyUp(code); });
        }
    }
    return MainWindowForm::eventFilter(watched, event);
}

void TFrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TFrmMain::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalFiles(event->mimeData());
    // Nothing changes under a run under way.
    if (paths.isEmpty() || handlerDepth_ > 0 || IsBusy()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Handle([this, paths] { FormDragDrop(paths); });
}

void TFrmMain::RunCommand(const std::string& programPath, const std::string& dir)
{
    BusyScope busy;
    TCommandInfo info;
    MakeCommandInfo(programPath, AdbArgs, dir, AppDir(), info);
    lastRunSucceeded_ = false;
    const std::uint8_t code = ConsoleHandler->Execute(info);
    lastRunSucceeded_ = code != kNotExecutable && ConsoleHandler->ExitStatus() == 0;
    if (code != kNotExecutable)
        setWindowTitle(texts::Tr(CaptionFor(code, ConsoleHandler->ExitStatus())));
    Memo->setLines(ConsoleHandler->Lines);
}

bool TFrmMain::RunAnswered()
{
    // adb 29 ends a shell whose phone vanished with status 0 and not a word.
    if (!lastRunSucceeded_ || !ConsoleHandler->Lines.empty())
        return true;
    TellRunFailed();
    return false;
}

void TFrmMain::TellRunFailed()
{
    lastRunSucceeded_ = false;
    setWindowTitle(texts::Tr(texts::kCaptionRunError));
}

QString TFrmMain::ShellLine(int k) const
{
    return Memo->line(ConsoleHandler && ConsoleHandler->EndedLinesWithCrCrLf() ? 2 * k : k);
}

void TFrmMain::FormCreate()
{
    ConsoleHandler = std::make_unique<TSfcConsoleIOHandler>();
    ConsoleHandler->SetWhileWaiting(ProcessEventsExceptInput);
    CmdPath = platform::CommandInterpreterPath();
    AdbPath = AppDir() + kAdbFileName;
    CurrentDevice.clear();
    SearchDevices();
    StringGrid1->setCell(0, 0, texts::Tr(texts::kGridHeaderName));
    StringGrid1->setCell(1, 0, texts::Tr(texts::kGridHeaderApk));
    StringGrid1->setCell(2, 0, texts::Tr(texts::kGridHeaderPackage));
}

void TFrmMain::FormDestroy() { ConsoleHandler.reset(); }

void TFrmMain::FormClose()
{
    if (WifiMode == 1) {
        AdbArgs = "disconnect " + IpText() + ":" + PortText();
        RunCommand(AdbPath, AppDir());
    }
    AdbArgs = "usb";
    RunCommand(AdbPath, AppDir());
    AdbArgs = "kill-server";
    RunCommand(AdbPath, AppDir());
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    // A close asked for while a run, a wait or a handler is under way is acted
    // on once it has finished, so that the closing runs never start inside a run.
    if (handlerDepth_ > 0 || IsBusy()) {
        closePending_ = true;
        event->ignore();
        return;
    }
    ++handlerDepth_;
    const bool closed = RunGuarded([this] { FormClose(); });
    --handlerDepth_;
    closePending_ = false;
    if (closed)
        event->accept();
    else
        event->ignore(); // a failed run abandons the close
}

void TFrmMain::BtnSendClick()
{
    if (CurrentDevice.empty()) {
        services().ShowInformation(texts::Tr(texts::kNoDeviceSelected));
        return;
    }
    AdbArgs = DeviceArg(CurrentDevice) + " " + txtParams->text().toStdString();
    services().ShowInformation(QString::fromStdString(AdbArgs));
    RunCommand(AdbPath, AppDir());
}

void TFrmMain::txtParamsKeyUp(int key)
{
    if (key == 13)
        RunCommand(AdbPath, AppDir());
}

void TFrmMain::Quitter1Click() { close(); }

void TFrmMain::Apropos1Click()
{
    if (fm_apropos)
        fm_apropos->exec();
}

void TFrmMain::sBitBtn2Click()
{
    if (fm_appli)
        fm_appli->exec();
}

} // namespace quoddle
