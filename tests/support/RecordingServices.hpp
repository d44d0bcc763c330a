#pragma once
// Services for tests: message boxes, dialogs, waits and starts are recorded,
// not performed. Dialog answers are queued by the test.

#include "windows/Services.hpp"

#include <QString>
#include <QStringList>

#include <functional>

#include <deque>
#include <ostream>

namespace quoddle::test {

class RecordingServices : public Services {
public:
    RecordingServices() { SetServices(this); }
    ~RecordingServices() override { SetServices(nullptr); }
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    // Everything done, in order: "info:TEXT", "error:TEXT", "question:TEXT", "open-file", "sleep:MS",
    // "detached:PROGRAM|ARGS|DIR", "interpreter:PATH|DIR", "url:URL", "end:PID".
    QStringList log;
    std::string appDir;
    std::deque<QString> fileAnswers; // answers of the open dialog, "" for cancel
    std::deque<bool> questionAnswers; // answers of yes/no questions; "Non" once they run out
    // Answers of the open dialog where several files may be picked, taken
    // before fileAnswers; an empty list for cancel.
    std::deque<QStringList> filesAnswers;
    bool detachedStartSucceeds = true;
    // Called when a message box would be shown (as if the user read it then).
    std::function<void(const QString&)> onMessage;
    // Called when a question is asked, before it is answered.
    std::function<void(const QString&)> onQuestion;

    QStringList messages() const { return filtered("info:"); }
    QStringList errors() const { return filtered("error:"); }
    QStringList questions() const { return filtered("question:"); }
    void clear() { log.clear(); }

    void ShowInformation(const QString& text) override
    {
        log << QStringLiteral("info:") + text;
        if (onMessage)
            onMessage(text);
    }
    void ShowError(const QString& text) override { log << QStringLiteral("error:") + text; }
    bool AskYesNo(const QString& text) override
    {
        log << QStringLiteral("question:") + text;
        if (onQuestion)
            onQuestion(text);
        if (questionAnswers.empty())
            return false;
        const bool answer = questionAnswers.front();
        questionAnswers.pop_front();
        return answer;
    }
    QString ChooseFileToOpen(const OpenFileRequest&) override
    {
        log << QStringLiteral("open-file");
        if (fileAnswers.empty())
            return {};
        QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    QStringList ChooseFilesToOpen(const OpenFileRequest& request) override
    {
        if (filesAnswers.empty())
            return Services::ChooseFilesToOpen(request);
        log << QStringLiteral("open-file");
        QStringList answer = filesAnswers.front();
        filesAnswers.pop_front();
        return answer;
    }
    void Sleep(unsigned milliseconds) override { log << QStringLiteral("sleep:%1").arg(milliseconds); }
    bool StartDetached(const std::string& program, const std::string& arguments, const std::string& workDir) override
    {
        log << QString::fromStdString("detached:" + program + "|" + arguments + "|" + workDir);
        return detachedStartSucceeds;
    }
    bool OpenCommandInterpreter(const std::string& interpreter, const std::string& folder) override
    {
        log << QString::fromStdString("interpreter:" + interpreter + "|" + folder);
        return true;
    }
    void OpenUrl(const QString& url) override { log << QStringLiteral("url:") + url; }
    bool EndProcess(std::uint32_t pid) override
    {
        log << QStringLiteral("end:%1").arg(pid);
        return true;
    }
    std::string AppDir() override { return appDir; }

private:
    QStringList filtered(const QString& prefix) const
    {
        QStringList result;
        for (const QString& entry : log) {
            if (entry.startsWith(prefix))
                result << entry.mid(prefix.size());
        }
        return result;
    }
};

} // namespace quoddle::test

// Readable QString in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *os << ']';
}
QT_END_NAMESPACE
