#pragma once
// What the benchmarks of the main window share: their services, and main().
// Nothing is shown, waited for or started, except that a message box can be
// handed to `onMessage`. The program's folder is a temporary one whose "adb"
// is a shell script, by default one that prints nothing: the window opens
// without a device. (Where a script cannot stand in for adb, the window's
// first search fails quietly; the benchmarks do not need it.)

#include "QtBenchMain.hpp"
#include "operations/FrmMain.hpp"
#include "windows/Services.hpp"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace quoddle::bench {

class BenchServices : public Services {
public:
    explicit BenchServices(const std::string& adbScript = "exit 0\n")
    {
#ifndef _WIN32
        const QString adb = folder_.filePath(QStringLiteral("adb"));
        std::ofstream(adb.toStdString()) << "#!/bin/sh\n" << adbScript;
        QFile::setPermissions(adb, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
        SetServices(this);
    }
    ~BenchServices() override { SetServices(nullptr); }
    BenchServices(const BenchServices&) = delete;
    BenchServices& operator=(const BenchServices&) = delete;

    // A file of the program's folder, for the script to print.
    std::string FilePath(const char* name) const { return folder_.filePath(QString::fromUtf8(name)).toStdString(); }

    std::function<void(const QString&)> onMessage;

    void ShowInformation(const QString& text) override
    {
        if (onMessage)
            onMessage(text);
    }
    void ShowError(const QString&) override {}
    bool AskYesNo(const QString&) override { return false; }
    QString ChooseFileToOpen(const OpenFileRequest&) override { return {}; }
    void Sleep(unsigned) override {}
    bool StartDetached(const std::string&, const std::string&, const std::string&) override { return false; }
    bool OpenCommandInterpreter(const std::string&, const std::string&) override { return false; }
    void OpenUrl(const QString&) override {}
    bool EndProcess(std::uint32_t) override { return false; }
    std::string AppDir() override { return QDir::toNativeSeparators(folder_.path() + QLatin1Char('/')).toStdString(); }

private:
    QTemporaryDir folder_;
};

// Made by RunWindowBenchmarks, for the benchmarks it runs.
inline BenchServices* services = nullptr;
inline TFrmMain* window = nullptr;

// main() of a window benchmark: the application (offscreen unless
// QT_QPA_PLATFORM says otherwise), the services with this adb script, the
// main window shown, then the benchmarks.
inline int RunWindowBenchmarks(int argc, char** argv, const std::string& adbScript = "exit 0\n")
{
    return RunWithApplication(argc, argv, [&] {
        BenchServices benchServices(adbScript);
        services = &benchServices;
        auto opened = std::make_unique<TFrmMain>();
        opened->show();
        QApplication::processEvents();
        window = opened.get();
        benchmark::RunSpecifiedBenchmarks();
    });
}

} // namespace quoddle::bench
