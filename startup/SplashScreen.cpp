#include "SplashScreen.hpp"

#include "operations/AdbArgs.hpp"
#include "operations/Texts.hpp"
#include "platform/Platform.hpp"
#include "platform/ProcessName.hpp"
#include "windows/HandlerGuard.hpp"
#include "windows/Services.hpp"

namespace quoddle {

bool KillProcessByName(const std::string& name, bool kill)
{
    const auto processes = platform::ListProcesses();
    if (!processes)
        return false;
    // Only the first match counts.
    const auto pid = platform::FirstProcessNamed(*processes, name);
    if (pid && kill) {
        services().EndProcess(*pid);
        services().Sleep(500);
    }
    return pid.has_value();
}

TSplashScreen::TSplashScreen(QWidget* parent) : SplashWindowForm(parent)
{
    RunGuarded([this] { FormCreate(); });
}

void TSplashScreen::FormCreate()
{
    std::exception_ptr killError;
    try {
        KillProcessByName("adb", true);
    } catch (...) {
        killError = std::current_exception(); // shown once the server start is issued
    }
    bool started = false;
    try {
        const std::string appDir = services().AppDir();
        started = services().StartDetached(appDir + kAdbFileName, "start-server", appDir);
    } catch (...) {
        started = false;
    }
    if (!started) {
        services().ShowInformation(texts::Tr(texts::kServerStartFailed));
        quitRequested_ = true;
    }
    if (killError)
        std::rethrow_exception(killError);
}

void TSplashScreen::FormClose() { services().Sleep(5000); }

} // namespace quoddle
