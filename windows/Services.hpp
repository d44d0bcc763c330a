#pragma once
// What the program does to the world outside its windows, behind one interface:
// message boxes, the open dialog, waits, detached starts, the command
// interpreter, web addresses, ending a process, and the program's folder.
// The application owns the real one; tests install a recorder.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

namespace quoddle {

struct OpenFileRequest {
    QString title;
    QString filter;        // Qt form: "Applications Android (*.apk *.apks *.xapk)"
    QString defaultSuffix; // without the dot
};

class Services {
public:
    virtual ~Services() = default;

    // Modal box, centred, one OK button, the application's title; no icon.
    // A long text scrolls in a bounded area inside it, so the box fits the screen.
    virtual void ShowInformation(const QString& text) = 0;
    // The same with an error icon.
    virtual void ShowError(const QString& text) = 0;
    // A question with "Oui" and "Non", "Non" the default; true for "Oui".
    virtual bool AskYesNo(const QString& text) = 0;
    // The chosen file's full path, or empty when cancelled.
    virtual QString ChooseFileToOpen(const OpenFileRequest& request) = 0;
    // The chosen files' full paths (one or more), or none when cancelled. By
    // default the one-file dialog's answer.
    virtual QStringList ChooseFilesToOpen(const OpenFileRequest& request);
    // Waits while the windows keep painting; user input waits its turn.
    virtual void Sleep(unsigned milliseconds) = 0;
    // Starts a program detached and hidden; false when the start failed.
    virtual bool StartDetached(const std::string& program, const std::string& arguments,
                               const std::string& workDir) = 0;
    // Opens the command interpreter in a folder; false when it cannot start.
    virtual bool OpenCommandInterpreter(const std::string& interpreter, const std::string& folder) = 0;
    virtual void OpenUrl(const QString& url) = 0;
    virtual bool EndProcess(std::uint32_t pid) = 0;
    // The executable's folder, ending in the path separator.
    virtual std::string AppDir() = 0;
};

// The services in force: the real ones unless a test installed others.
Services& services();
// Installs `replacement` (not owned); nullptr goes back to the real services.
void SetServices(Services* replacement);

// The title that message boxes carry: the one set by start-up once the
// windows exist; before that the executable's name up to its first dot, every
// letter after the first in lower case.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

} // namespace quoddle
