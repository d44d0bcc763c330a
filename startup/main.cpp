// Program entry: the splash while the adb server starts, then the windows in
// order, the application's title, and the message loop.

#include "SplashScreen.hpp"
#include "Translations.hpp"
#include "operations/FrmMain.hpp"
#include "resources/Pictures.hpp"
#include "resources/Skin.hpp"
#include "windows/AboutWindow.hpp"
#include "windows/KeypadWindow.hpp"
#include "windows/Services.hpp"
#include "windows/WindowInstances.hpp"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    using namespace quoddle;

    QApplication app(argc, argv);
    // Docks and task bars match the windows with the desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quoddle.Quoddle"));
    InstallTranslations(app, SystemLanguage());
    InitResources();
    ApplySkin(app);
    QApplication::setWindowIcon(ProgramIcon());

    auto splash = std::make_unique<TSplashScreen>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    splash->FormClose();
    splash->hide();

    TFrmMain mainWindow;
    Tfm_apropos about(&mainWindow);
    fm_apropos = &about;
    Tfm_appli keypad(&mainWindow);
    fm_appli = &keypad;
    SetApplicationTitle(QStringLiteral("Quoddle"));

    int status = 0;
    if (!splash->quitRequested()) {
        mainWindow.show();
        status = QApplication::exec();
    }
    fm_appli = nullptr;
    fm_apropos = nullptr;
    splash.reset();
    return status;
}
