// The about window (its layout and which clicks close it) and the splash
// window's layout.

#include "LayoutTable.hpp"
#include "operations/MainWindowFixture.hpp"
#include "windows/AboutWindow.hpp"
#include "windows/SplashWindowForm.hpp"
#include "windows/WindowInstances.hpp"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace quoddle;
using namespace quoddle::test;

namespace {

using K = Kind;
using S = Start;

const FontEntry kDialogFont{"MS Sans Serif", 11};
const FontEntry kTitle{"Arial Black", 21, true, true};

// name, kind, parent, position, tab, caption, hint, font, state at creation, skin section
const std::vector<Control> kAboutWindow = {
    {"Image1", K::Picture, "fm_apropos", {8, 27, 133, 150}, -1, nullptr, "", kDialogFont, S::Shown, nullptr},
    {"sLabelFX1", K::EffectLabel, "fm_apropos", {160, 16, 257, 34}, -1, "Quoddle", "", kTitle, S::Shown, nullptr},
    {"sLabelFX2", K::EffectLabel, "fm_apropos", {160, 48, 257, 34}, -1, "V 0.6 Beta", "", kTitle, S::Shown, nullptr},
    {"sLabelFX3", K::EffectLabel, "fm_apropos", {160, 80, 257, 34}, -1, nullptr, "", kTitle, S::Shown, nullptr},
    {"Label1", K::Label, "fm_apropos", {184, 120, 229, 16}, -1, nullptr, "", {"MS Sans Serif", 13, true, true},
     S::Shown, nullptr},
    {"sLabelFX4", K::EffectLabel, "fm_apropos", {168, 144, 257, 49}, -1, nullptr, "", {"Arial Black", 11, true, true},
     S::Shown, nullptr},
};

const std::vector<Control> kSplashWindow = {
    {"sPanel1", K::Panel, "SplashScreen", {0, 0, 393, 161}, -1, nullptr, "", kDialogFont, S::Shown, "PANEL"},
    {"sLabelFX1", K::EffectLabel, "sPanel1", {24, 30, 345, 105}, -1,
     "Démarrage du serveur Adb pour communiquer avec le smartphone...", "", {"Lucida Sans", 24, true, true}, S::Shown,
     nullptr},
};

QPoint DesktopCentre() { return QGuiApplication::primaryScreen()->virtualGeometry().center(); }

bool ShowExposed(QWidget* window)
{
    window->show();
    return QTest::qWaitForWindowExposed(window);
}

} // namespace

TEST(AboutWindow, LayoutAsTheWindowDataGivesIt)
{
    Tfm_apropos about;
    EXPECT_EQ(QStringLiteral("fm_apropos"), about.objectName());
    ExpectLayout(kAboutWindow, &about, &about, kDialogFont);

    EXPECT_EQ(QStringLiteral("A propos..."), about.windowTitle());
    EXPECT_EQ(QSize(440, 200), about.size());
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(about.findChildren<QAbstractButton*>().isEmpty()); // no button at all

    about.ensurePolished();
    for (EffectLabel* label : {about.sLabelFX1, about.sLabelFX2, about.sLabelFX3, about.sLabelFX4}) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(label == about.sLabelFX4, label->wordWrap()); // only the notice wraps
        EXPECT_FALSE(label->text().isEmpty());
        EXPECT_EQ(QColor(0x21, 0x21, 0x21), label->palette().color(QPalette::WindowText));
    }
    EXPECT_EQ(QSize(133, 150), about.Image1->pixmap().deviceIndependentSize().toSize());

    // The link: the maker's web address, underlined in blue, under a hand.
    const QUrl address(about.Label1->text());
    EXPECT_TRUE(address.isValid() && address.scheme().startsWith(QLatin1String("http"))) << about.Label1->text().toStdString();
    EXPECT_TRUE(about.Label1->font().underline());
    EXPECT_EQ(QColor(Qt::blue), about.Label1->palette().color(QPalette::WindowText));
    EXPECT_EQ(Qt::PointingHandCursor, about.Label1->cursor().shape());
}

TEST(AboutWindow, AnyClickClosesItButOnTheLinkWhichOpensThePage)
{
    RecordingServices services;
    Tfm_apropos about;
    struct Target {
        const char* what;
        QWidget* widget;
        QPoint at; // in the widget; null: its centre
    };
    const Target closers[] = {
        {"background below the notice", &about, {150, 192}},
        {"background at the top right", &about, {432, 6}},
        {"mascot", about.Image1, {}},
        {"product name", about.sLabelFX1, {}},
        {"version", about.sLabelFX2, {}},
        {"author", about.sLabelFX3, {}},
        {"notice", about.sLabelFX4, {}},
    };
    for (const Target& target : closers) {
        SCOPED_TRACE(target.what);
        ASSERT_TRUE(ShowExposed(&about));
        QTest::mouseClick(target.widget, Qt::LeftButton, {}, target.at);
        EXPECT_FALSE(about.isVisible());
    }
    EXPECT_TRUE(services.log.isEmpty());

    ASSERT_TRUE(ShowExposed(&about));
    QTest::mouseClick(about.Label1, Qt::LeftButton);
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(QStringList{QStringLiteral("url:") + about.Label1->text()}, services.log);

    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    about.close(); // the close box
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutWindow, CentredAtFirstThenWhereItWasLast)
{
    Tfm_apropos about;
    ASSERT_TRUE(ShowExposed(&about));
    const QPoint offset = about.frameGeometry().center() - DesktopCentre();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << ',' << offset.y();

    about.move(about.pos() + QPoint(-40, 30));
    const QPoint moved = about.pos();
    QTest::mouseClick(about.sLabelFX1, Qt::LeftButton);
    ASSERT_FALSE(about.isVisible());
    ASSERT_TRUE(ShowExposed(&about));
    EXPECT_EQ(moved, about.pos());
    EXPECT_EQ(QStringLiteral("Quoddle"), about.sLabelFX1->text());
}

TEST_F(MainWindowTest, AltAShowsTheAboutWindowModallyUntilAClickClosesIt)
{
    Open({DevicesRule("")});
    Tfm_apropos about(window.get());
    fm_apropos = &about;
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    bool shownModal = false;
    QTimer::singleShot(0, [&] {
        shownModal = QApplication::activeModalWidget() == &about && about.isVisible();
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(150, 192));
    });
    QTimer::singleShot(2000, &about, [&] { about.hide(); }); // never hang the test
    QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
    fm_apropos = nullptr;
    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(services.errors().isEmpty());
}

TEST(SplashWindow, FramelessSizedToItsPanelWithTheMessageWrappedInItsBox)
{
    SplashWindowForm splash;
    EXPECT_EQ(QStringLiteral("SplashScreen"), splash.objectName());
    EXPECT_EQ(QStringLiteral("SplashScreen"), splash.windowTitle());
    ExpectLayout(kSplashWindow, &splash, &splash, kDialogFont);
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.isWindow());
    EXPECT_EQ(QSize(393, 161), splash.size());
    EXPECT_EQ(splash.minimumSize(), splash.maximumSize()); // the user cannot resize it
    EXPECT_TRUE(splash.findChildren<QWidget*>().size() == 2); // nothing that takes input

    ASSERT_TRUE(ShowExposed(&splash));
    const QPoint offset = splash.frameGeometry().center() - DesktopCentre();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << ',' << offset.y();
    EXPECT_EQ(splash.geometry(), splash.frameGeometry()); // no frame, no title bar

    EffectLabel* message = splash.sLabelFX1;
    EXPECT_TRUE(message->wordWrap());
    EXPECT_TRUE(message->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(message->alignment() & Qt::AlignVCenter);
    EXPECT_EQ(QColor(0x21, 0x21, 0x21), message->palette().color(QPalette::WindowText));
    const QRect needed = message->fontMetrics().boundingRect(message->contentsRect(), Qt::TextWordWrap | Qt::AlignCenter,
                                                             message->text());
    EXPECT_GT(needed.height(), message->fontMetrics().height()); // more than one line
    EXPECT_TRUE(message->contentsRect().contains(needed)) << needed.width() << 'x' << needed.height();
}
