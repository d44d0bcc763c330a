#pragma once
// Start-up behind the splash window: a stale adb is ended and the adb server
// started before the splash is first shown; closing it holds it five seconds.

#include "windows/SplashWindowForm.hpp"

#include <string>

namespace quoddle {

// Ends the first running process named `name` (any extension, any letter
// case) when `kill` is set, then waits half a second. Returns whether one was found.
bool KillProcessByName(const std::string& name, bool kill);

class TSplashScreen : public SplashWindowForm {
    Q_OBJECT
public:
    explicit TSplashScreen(QWidget* parent = nullptr);

    void FormCreate();
    void FormClose();

    // Set when the server could not be started: the program ends after start-up.
    bool quitRequested() const { return quitRequested_; }

private:
    bool quitRequested_ = false;
};

} // namespace quoddle
