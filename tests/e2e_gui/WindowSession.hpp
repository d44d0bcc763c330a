#pragma once
// The main window against a fakephone through the real adb: the phones it is
// tried with (shell line endings, old and Android 11 package paths, with and
// without shell_v2) and a fixture that opens the window in a private adb
// session, with recorded message boxes and dialogs.

#include "e2e/AdbSession.hpp"
#include "operations/FrmMain.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quoddle::test {

struct PhoneKind {
    const char* name;
    const char* lineEnding; // "lf", "crlf" or "crcrlf"
    bool shellV2;           // shell_v2 and cmd; without them adb uses the legacy shell and push install
    bool android11;         // the android11 preset: new package paths, abb_exec installs

    bool crcrlf() const { return std::string(lineEnding) == "crcrlf"; }

    // fakephone's configuration; `more` adds members ("\"tmp_files\": [...]").
    std::string Config(const std::string& more = "") const
    {
        std::string config = android11 ? "{\"profile\": \"android11\""
                                       : std::string("{\"features\": ") + (shellV2 ? "[\"shell_v2\", \"cmd\"]" : "[]");
        config += std::string(", \"line_ending\": \"") + lineEnding + "\"";
        return config + (more.empty() ? "" : ", " + more) + "}";
    }

    // The service adb opens for a shell command (the session sets TERM=dumb).
    std::string Shell(const std::string& command) const
    {
        return (shellV2 ? "shell,v2,TERM=dumb,raw:" : "shell:") + command;
    }

    // The output pane's text for lines the phone's shell printed: each line
    // then CR LF, and an empty line after each one with CR CR LF ends.
    std::string PaneText(const std::vector<std::string>& lines) const
    {
        std::string text;
        for (const auto& line : lines)
            text += line + (crcrlf() ? "\r\n\r\n" : "\r\n");
        return text;
    }
};

inline const PhoneKind kPhoneKinds[] = {
    {"lf", "lf", true, false},
    {"crlf", "crlf", true, false},
    {"crcrlf", "crcrlf", true, false},
    {"lf_legacy", "lf", false, false},
    {"crcrlf_legacy", "crcrlf", false, false},
    {"android11_lf", "lf", true, true},
    {"android11_crlf", "crlf", true, true},
    {"android11_crcrlf", "crcrlf", true, true},
};

inline std::ostream& operator<<(std::ostream& os, const PhoneKind& kind) { return os << kind.name; }

inline std::string PhoneKindName(const ::testing::TestParamInfo<PhoneKind>& info) { return info.param.name; }

// The main window against one fakephone configured by the test (a profile of
// tests/fakephone/profiles, say), in a private adb session, with recorded
// message boxes and dialogs; one instance per `Param`.
template <class Param>
class ProfileWindow : public ::testing::TestWithParam<Param> {
protected:
    void OpenWith(const std::string& phoneConfig)
    {
        AdbSessionOptions options;
        options.phoneConfig = phoneConfig;
        session = std::make_unique<AdbSession>(options);
        services.appDir = session->AppDir();
        window = std::make_unique<TFrmMain>();
        ASSERT_EQ(session->Serial(), window->CurrentDevice);
    }

    // What reached the phone since the last call.
    std::vector<std::string> PhoneSaw() { return session->TakeJournal(); }
    // The message boxes shown since the last call.
    QStringList Messages()
    {
        QStringList shown = services.messages();
        services.clear();
        return shown;
    }
    QString Caption() const { return window->windowTitle(); }

    void TearDown() override
    {
        window.reset(); // before the session stops the server
        session.reset();
    }

    // Declaration order: the session outlives the window and the services.
    std::unique_ptr<AdbSession> session;
    RecordingServices services;
    std::unique_ptr<TFrmMain> window;
};

class WindowSession : public ProfileWindow<PhoneKind> {
protected:
    const PhoneKind& Kind() const { return GetParam(); }

    // Starts the session with this phone configuration and opens the window,
    // whose creation searches the devices and runs the report.
    void Open(const std::string& more = "") { OpenWith(Kind().Config(more)); }
};

using Journal = std::vector<std::string>;

} // namespace quoddle::test
