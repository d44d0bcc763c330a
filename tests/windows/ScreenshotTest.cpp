// Grabs the windows in their typical states to PNG files in the build folder
// (screenshots/), for a person to look at. Checked here as well: no caption is
// cut off by its box, whatever state the window is in.

#include "operations/MainWindowFixture.hpp"
#include "windows/AboutWindow.hpp"
#include "windows/ClippedCaptions.hpp"
#include "windows/SplashWindowForm.hpp"

#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

using namespace quoddle;
using namespace quoddle::test;

namespace {

QString ScreenshotPath(const QString& name)
{
    QDir().mkpath(QStringLiteral(QUODDLE_SCREENSHOT_DIR));
    return QStringLiteral(QUODDLE_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
}

void Shoot(QWidget* window, const QString& name)
{
    QApplication::processEvents();
    const QPixmap shot = window->grab();
    ASSERT_FALSE(shot.isNull()) << name.toStdString();
    EXPECT_TRUE(shot.save(ScreenshotPath(name))) << ScreenshotPath(name).toStdString();
}

const std::string kPackages = "package:/data/app/com.example.notes-1.apk=com.example.notes\n"
                              "package:/data/app/org.mozilla.firefox-2.apk=org.mozilla.firefox\n"
                              "package:/data/app/com.whatsapp-1.apk=com.whatsapp\n"
                              "package:/data/app/fr.meteo.app-1.apk=fr.meteo.app\n"
                              "package:/data/app/com.spotify.music-3.apk=com.spotify.music\n"
                              "package:/data/app/de.blinkt.openvpn-1.apk=de.blinkt.openvpn\n"
                              "package:/data/app/com.example.chess-1.apk=com.example.chess\n"
                              "package:/system/app/Browser.apk=com.android.browser\n"
                              "package:/system/app/Calculator.apk=com.android.calculator2\n"
                              "package:/system/app/Calendar.apk=com.android.calendar\n"
                              "package:/system/app/Camera.apk=com.android.camera\n"
                              "package:/system/app/Contacts.apk=com.android.contacts\n"
                              "package:/system/app/Gallery3D.apk=com.cooliris.media\n"
                              "package:/system/app/Mms.apk=com.android.mms\n"
                              "package:/system/app/Settings.apk=com.android.settings\n"
                              "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game\n"
                              "package:/mnt/asec/com.rovio.angrybirds-1/pkg.apk=com.rovio.angrybirds\n"
                              "package:/mnt/asec/net.osmand-2/pkg.apk=net.osmand\n";

class Screenshots : public MainWindowTest {
protected:
    void ShowMain()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void ExpectNothingClipped(QWidget* w, const char* state)
    {
        EXPECT_EQ(QStringList(), ClippedCaptions(w)) << state;
    }
};

} // namespace

TEST_F(Screenshots, MainWindowWithoutAPhone)
{
    Open({DevicesRule("")});
    ShowMain();
    ExpectNothingClipped(window.get(), "no phone");
    Shoot(window.get(), QStringLiteral("main_no_phone"));
    window->PageControl2->setCurrentWidget(window->TabSheet5);
    ExpectNothingClipped(window.get(), "no phone, settings page");
    Shoot(window.get(), QStringLiteral("main_no_phone_settings_page"));
}

TEST_F(Screenshots, MainWindowWithAPhoneAndEveryPage)
{
    Open(PhoneRules());
    Rescript({FakeAdbRule::Args("-s " + kSerial + " shell pm list packages -f").Out(kPackages)});
    window->sBitBtn1->click();
    ASSERT_GT(window->StringGrid1->rowCount(), 2);
    ShowMain();
    Shoot(window.get(), QStringLiteral("main_phone"));

    struct Page {
        QTabWidget* pages;
        QWidget* page;
        const char* file;
    };
    const Page pages[] = {
        {window->PageControl2, window->TabSheet1, "main_phone_TabSheet1_commandes"},
        {window->PageControl2, window->TabSheet5, "main_phone_TabSheet5_specifiques"},
        {window->PageControl1, window->TabSheet2, "main_phone_TabSheet2_appli_classique"},
        {window->PageControl1, window->TabSheet3, "main_phone_TabSheet3_appli_sd"},
        {window->PageControl1, window->TabSheet4, "main_phone_TabSheet4_appli_system"},
    };
    for (const Page& page : pages) {
        page.pages->setCurrentWidget(page.page);
        ExpectNothingClipped(window.get(), page.file);
        Shoot(window.get(), QString::fromLatin1(page.file));
    }
    // A selected row of the grid, as before an uninstall.
    window->PageControl1->setCurrentWidget(window->TabSheet2);
    window->StringGrid1->setRow(2);
    Shoot(window.get(), QStringLiteral("main_phone_grid_row_selected"));
}

TEST_F(Screenshots, MainWindowWithTheInstallPanel)
{
    Open({DevicesRule("")});
    services.fileAnswers.push_back(QString::fromStdString(folder.dir() + "notes.apk"));
    window->bt_installClick();
    ASSERT_TRUE(window->panel_install->isVisibleTo(window.get()));
    ShowMain();
    ExpectNothingClipped(window.get(), "install panel");
    Shoot(window.get(), QStringLiteral("main_install_panel"));
    window->box_reinstall->setChecked(true);
    Shoot(window.get(), QStringLiteral("main_install_panel_reinstall"));
}

TEST(ScreenshotsOfSmallWindows, AboutAndSplash)
{
    Tfm_apropos about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(QStringList(), ClippedCaptions(&about));
    Shoot(&about, QStringLiteral("about"));

    SplashWindowForm splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_EQ(QStringList(), ClippedCaptions(&splash));
    Shoot(&splash, QStringLiteral("splash"));
}

