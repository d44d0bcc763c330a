#pragma once
// The main window against fakephone through the real adb, when things go
// wrong: a session whose phone configuration each test chooses, recorded
// message boxes, and the checks that no process is left behind: no adb
// client still a child of this process after a run, and the private adb
// server gone once the session has ended.

#include "e2e/AdbSession.hpp"
#include "e2e_program/Processes.hpp"
#include "operations/FrmMain.hpp"
#include "operations/Texts.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/Panel.hpp"

#include <QPushButton>

#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quoddle::test {

// Children of this process named `name`, zombies included: a run must have
// reaped its child by the time it returns.
inline std::vector<pid_t> ChildrenNamed(const std::string& name)
{
    std::vector<pid_t> children;
    if (DIR* dir = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(dir)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (end == entry->d_name || *end != '\0')
                continue;
            const auto stat = ReadProcessStat(static_cast<pid_t>(pid));
            if (stat && stat->parent == ::getpid() && stat->name == name)
                children.push_back(static_cast<pid_t>(pid));
        }
        ::closedir(dir);
    }
    return children;
}

// The live adb server of this port: the process whose command line is
// "adb -L tcp:PORT fork-server server ...".
inline std::optional<pid_t> AdbServerOn(int port)
{
    const std::string spec = "tcp:" + std::to_string(port);
    std::optional<pid_t> found;
    if (DIR* dir = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(dir)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (end == entry->d_name || *end != '\0')
                continue;
            std::ifstream file("/proc/" + std::string(entry->d_name) + "/cmdline", std::ios::binary);
            std::vector<std::string> args;
            for (std::string arg; std::getline(file, arg, '\0');)
                args.push_back(arg);
            bool server = false, ours = false;
            for (const auto& arg : args) {
                server = server || arg == "fork-server";
                ours = ours || arg == spec;
            }
            const auto stat = ReadProcessStat(static_cast<pid_t>(pid));
            if (server && ours && stat && stat->state != 'Z')
                found = static_cast<pid_t>(pid);
        }
        ::closedir(dir);
    }
    return found;
}

// Waits until `done()` holds, at most `timeout`.
template <class Condition>
bool WaitUntil(Condition done, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A package file for fakephone: its first line names the package.
inline void WritePackageFile(const std::filesystem::path& path, const std::string& package, std::size_t size)
{
    const std::string head = "package=" + package + "\n";
    std::ofstream(path, std::ios::binary) << head << std::string(size > head.size() ? size - head.size() : 0, 'x');
}

class FaultSession : public ::testing::Test {
protected:
    // Starts the session with this phone configuration (JSON) and opens the
    // window, whose creation searches the devices and runs the report.
    void Open(const std::string& phoneConfig = "{}")
    {
        AdbSessionOptions options;
        options.phoneConfig = phoneConfig;
        StartSession(options);
        OpenWindow();
    }
    void StartSession(const AdbSessionOptions& options)
    {
        session = std::make_unique<AdbSession>(options);
        services.appDir = session->AppDir();
        serverPort_ = session->ServerPort();
    }
    void OpenWindow() { window = std::make_unique<TFrmMain>(); }

    std::string Serial(std::size_t phone = 0) const { return session->Serial(phone); }
    std::string AdbPath() const { return session->AppDir() + "adb"; }
    // What reached the phone since the last call.
    std::vector<std::string> PhoneSaw(std::size_t phone = 0) { return session->TakeJournal(phone); }
    // The message boxes (information) and error boxes shown since the last call.
    QStringList Messages() { return Take("info:"); }
    QStringList Errors() { return Take("error:"); }
    QString Caption() const { return window->windowTitle(); }
    static QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

    // Picks a file in the open dialog; the install panel shows.
    void Choose(const std::string& file)
    {
        services.fileAnswers = {QString::fromStdString(file)};
        window->bt_install->click();
    }
    bool InstallPanelShown() const { return window->panel_install->isVisibleTo(window->clientArea()); }

    // Every run so far has reaped its adb client.
    void ExpectNoAdbChild() const
    {
        EXPECT_EQ(std::vector<pid_t>{}, ChildrenNamed("adb")) << "an adb client is left as a child";
    }

    void TearDown() override
    {
        window.reset(); // before the session stops the server
        ExpectNoAdbChild();
        session.reset();
        if (serverPort_ != 0) {
            EXPECT_TRUE(WaitUntil([this] { return !AdbServerOn(serverPort_); }, std::chrono::seconds(5)))
                << "the adb server of port " << serverPort_ << " still runs";
        }
        ExpectNoAdbChild();
    }

    // Declaration order: the session outlives the window and the services.
    std::unique_ptr<AdbSession> session;
    RecordingServices services;
    std::unique_ptr<TFrmMain> window;

private:
    QStringList Take(const QString& prefix)
    {
        QStringList taken, kept;
        for (const QString& entry : services.log) {
            if (entry.startsWith(prefix))
                taken << entry.mid(prefix.size());
            else
                kept << entry;
        }
        services.log = kept;
        return taken;
    }

    int serverPort_ = 0;
};

using Journal = std::vector<std::string>;

} // namespace quoddle::test
