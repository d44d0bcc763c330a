#include "Services.hpp"

#include "MessageBoxes.hpp"
#include "Waiting.hpp"
#include "platform/Platform.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace quoddle {

namespace {

void ShowBox(QMessageBox::Icon icon, const QString& text)
{
    // A long text (a command's whole output) scrolls inside the box, which fits the screen.
    BuildMessageBox(icon, ApplicationTitle(), text, QApplication::activeWindow())->exec();
}

QStringList RunOpenDialog(const OpenFileRequest& request, QFileDialog::FileMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, QString(), request.filter);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    // Qt's own dialog speaks French with the rest of the program; a desktop's
    // native one would follow the desktop's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.resize(800, 520); // room for the name, size, type and date columns
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

class RealServices final : public Services {
public:
    void ShowInformation(const QString& text) override { ShowBox(QMessageBox::NoIcon, text); }
    void ShowError(const QString& text) override { ShowBox(QMessageBox::Critical, text); }

    bool AskYesNo(const QString& text) override
    {
        QMessageBox box(QMessageBox::Question, ApplicationTitle(), text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    QString ChooseFileToOpen(const OpenFileRequest& request) override
    {
        const QStringList files = RunOpenDialog(request, QFileDialog::ExistingFile);
        return files.isEmpty() ? QString() : files.constFirst();
    }

    QStringList ChooseFilesToOpen(const OpenFileRequest& request) override
    {
        return RunOpenDialog(request, QFileDialog::ExistingFiles);
    }

    void Sleep(unsigned milliseconds) override { WaitPainting(milliseconds); }

    bool StartDetached(const std::string& program, const std::string& arguments, const std::string& workDir) override
    {
        return platform::StartDetached(program, arguments, workDir);
    }

    bool OpenCommandInterpreter(const std::string& interpreter, const std::string& folder) override
    {
        return !interpreter.empty() && platform::StartDetached(interpreter, "", folder);
    }

    void OpenUrl(const QString& url) override { QDesktopServices::openUrl(QUrl(url)); }

    bool EndProcess(std::uint32_t pid) override { return platform::EndProcess(pid); }

    std::string AppDir() override { return platform::ExecutableDir(); }
};

RealServices realServices;
Services* current = &realServices;
QString applicationTitle;

} // namespace

QStringList Services::ChooseFilesToOpen(const OpenFileRequest& request)
{
    const QString file = ChooseFileToOpen(request);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

Services& services() { return *current; }

void SetServices(Services* replacement) { current = replacement ? replacement : &realServices; }

QString ApplicationTitle()
{
    if (!applicationTitle.isEmpty())
        return applicationTitle;
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName().section('.', 0, 0);
    return name.left(1) + name.mid(1).toLower();
}

void SetApplicationTitle(const QString& title)
{
    // Only the message boxes take it. Qt's display name is left alone: Qt would
    // append it to every window's caption ("... !!  — Quoddle").
    applicationTitle = title;
}

} // namespace quoddle
