#pragma once
// The main window against fakephone through the real adb, when things go
// wrong: a session whose phone configuration each test chooses, recorded
// message boxes, and the checks that no process is left behind: no adb
// client still a child of this process after a run, and the private adb
// server gone once the session has ended.

#include "ProcessProbe.hpp"
#include "e2e/AdbSession.hpp"
#include "operations/FrmMain.hpp"
#include "operations/Texts.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/Panel.hpp"

#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quoddle::test {

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
