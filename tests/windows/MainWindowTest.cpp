// The main window as a whole: its frame, what lies in front of what, the menu
// bar with its mnemonics, and the package-file dialog.

#include "operations/MainWindowFixture.hpp"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace quoddle;
using namespace quoddle::test;

namespace {

bool ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The control of the client area that a click at `point` (client coordinates) reaches.
QWidget* Hit(MainWindowForm& form, QPoint point) { return form.clientArea()->childAt(point); }

bool IsIn(const QWidget* hit, const QWidget* control) { return hit && (hit == control || control->isAncestorOf(hit)); }

QPoint CentreInClient(MainWindowForm& form, const QWidget* control)
{
    return control->mapTo(form.clientArea(), control->rect().center());
}

} // namespace

TEST(MainWindowFrame, FixedFrameWithoutMaximiseBoxAndTheClientAreaBelowTheMenu)
{
    MainWindowForm form;
    EXPECT_EQ(QStringLiteral("Quoddle"), form.windowTitle());
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::FramelessWindowHint);

    ASSERT_TRUE(ShowActive(&form));
    const int menuHeight = form.menuBar()->height();
    EXPECT_GT(menuHeight, 10);
    EXPECT_EQ(QRect(0, 0, 742, menuHeight), form.menuBar()->geometry());
    EXPECT_EQ(QRect(0, menuHeight, 742, 597), form.clientArea()->geometry());
    EXPECT_EQ(QSize(742, 597 + menuHeight), form.size());
    // Not resizable, by the user or otherwise.
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    form.resize(900, 800);
    QApplication::processEvents();
    EXPECT_EQ(QSize(742, 597 + menuHeight), form.size());
}

TEST(MainWindowFrame, OpensCentredOnTheDesktopWithItsTitleBarInReach)
{
    MainWindowForm form;
    ASSERT_TRUE(ShowActive(&form));
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    QRect centred = form.frameGeometry();
    centred.moveCenter(desktop.center());
    // (The test screen may be smaller than the window: then it keeps to the top left.)
    const QPoint expected(std::max(centred.left(), desktop.left()), std::max(centred.top(), desktop.top()));
    const QPoint offset = form.frameGeometry().topLeft() - expected;
    EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << ',' << offset.y();

    // Shown again after a hide, it stays where it was.
    form.move(desktop.topLeft() + QPoint(5, 7));
    const QPoint moved = form.pos();
    form.hide();
    form.show();
    EXPECT_EQ(moved, form.pos());
}

TEST(MainWindowStacking, PanelsInFrontOfThePagesAndThePicturesBehindAll)
{
    MainWindowForm form;
    ASSERT_TRUE(ShowActive(&form)); // pages get their places when first shown
    const QObjectList children = form.clientArea()->children();
    const auto place = [&](const QWidget* w) { return children.indexOf(w); };
    // Later siblings lie in front of earlier ones.
    EXPECT_GT(place(form.panelconnexion), place(form.PageControl2));
    EXPECT_GT(place(form.panel_install), place(form.panelconnexion));
    EXPECT_GT(place(form.panel_install), place(form.PageControl2));
    for (QWidget* behind : std::initializer_list<QWidget*>{form.ImageErr, form.ImageOk, form.lblParams, form.Label1}) {
        for (QObject* other : children) {
            auto* w = qobject_cast<QWidget*>(other);
            if (w && !qobject_cast<Picture*>(w) && !qobject_cast<QLabel*>(w))
                EXPECT_LT(place(behind), place(w)) << behind->objectName().toStdString() << " in front of "
                                                   << w->objectName().toStdString();
        }
    }

    // Where they overlap, clicks reach the connection panel; the tab row above
    // it and the page's controls below it stay within reach.
    EXPECT_TRUE(IsIn(Hit(form, {100, 150}), form.panelconnexion));
    EXPECT_TRUE(IsIn(Hit(form, CentreInClient(form, form.PageControl2->tabBar())), form.PageControl2->tabBar()));
    for (QWidget* below : std::initializer_list<QWidget*>{form.ed_numero, form.bt_numeroter, form.bt_cmd})
        EXPECT_TRUE(IsIn(Hit(form, CentreInClient(form, below)), below)) << below->objectName().toStdString();

    // The install panel, once shown, in front of both.
    form.panel_install->show();
    const QPoint overBoth(140, 110);
    ASSERT_TRUE(form.panelconnexion->geometry().contains(overBoth));
    EXPECT_TRUE(IsIn(Hit(form, overBoth), form.panel_install));
    EXPECT_TRUE(IsIn(Hit(form, CentreInClient(form, form.bt_installrom)), form.bt_installrom));

    // The report button lies over the phone picture.
    form.bt_infotel->show();
    EXPECT_TRUE(IsIn(Hit(form, CentreInClient(form, form.bt_infotel)), form.bt_infotel));
}

TEST_F(MainWindowTest, InstallPanelStaysInFrontAcrossSearches)
{
    Open({DevicesRule("")});
    services.fileAnswers.push_back(QString::fromStdString(folder.dir() + "notes.apk"));
    window->bt_installClick();
    window->ImageErrClick(); // a new search, still without a phone: the connection panel again
    ASSERT_TRUE(window->panelconnexion->isVisibleTo(window.get()));
    EXPECT_TRUE(IsIn(Hit(*window, {140, 110}), window->panel_install));
    window->sBitBtn4->click();
    EXPECT_TRUE(IsIn(Hit(*window, {140, 110}), window->panelconnexion));
}

TEST(MainMenu, ItemsInTheirPlacesWithMnemonicsOnly)
{
    MainWindowForm form;
    EXPECT_EQ(QStringLiteral("MainMenu1"), form.menuBar()->objectName());
    const QList<QAction*> bar = form.menuBar()->actions();
    ASSERT_EQ(2, bar.size());
    EXPECT_EQ(form.Fichier1->menuAction(), bar[0]);
    EXPECT_EQ(form.Apropos1, bar[1]);
    EXPECT_EQ(nullptr, form.Apropos1->menu()); // a command on the bar itself
    EXPECT_EQ((QList<QAction*>{form.Chercherletlphone1, form.Quitter1}), form.Fichier1->actions());

    const std::pair<QAction*, const char*> items[] = {
        {form.Fichier1->menuAction(), "&Fichier"},
        {form.Chercherletlphone1, "&Chercher le téléphone"},
        {form.Quitter1, "&Quitter"},
        {form.Apropos1, "&A propos"},
    };
    for (const auto& [action, text] : items) {
        SCOPED_TRACE(text);
        EXPECT_EQ(QString::fromUtf8(text), action->text());
        EXPECT_TRUE(action->shortcut().isEmpty());
        EXPECT_FALSE(action->isCheckable());
        EXPECT_TRUE(action->icon().isNull());
    }
    EXPECT_EQ(QStringLiteral("Fichier1"), form.Fichier1->objectName());
    EXPECT_EQ(QStringLiteral("Chercherletlphone1"), form.Chercherletlphone1->objectName());
    EXPECT_EQ(QStringLiteral("Quitter1"), form.Quitter1->objectName());
    EXPECT_EQ(QStringLiteral("Apropos1"), form.Apropos1->objectName());
}

TEST(MainMenu, AltFOpensTheFileMenuWhereALetterChoosesAndAltARunsAboutAtOnce)
{
    MainWindowForm form;
    ASSERT_TRUE(ShowActive(&form));
    QSignalSpy search(form.Chercherletlphone1, &QAction::triggered);
    QSignalSpy quit(form.Quitter1, &QAction::triggered);
    QSignalSpy about(form.Apropos1, &QAction::triggered);

    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(form.Fichier1->isVisible());
    EXPECT_EQ(0, search.count() + quit.count() + about.count());
    QTest::keyClick(form.Fichier1, Qt::Key_C);
    EXPECT_EQ(1, search.count());
    EXPECT_EQ(0, quit.count());
    QTRY_VERIFY(!form.Fichier1->isVisible());

    QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(1, about.count());
    EXPECT_FALSE(form.Fichier1->isVisible());
}

TEST(OpenDialog, SettingsAsTheWindowDataGivesThem)
{
    MainWindowForm form;
    EXPECT_EQ(QStringLiteral("Choisir l'application android à installer..."), form.OpenDialog1.title);
    EXPECT_EQ(QStringLiteral("Applications Android|*.apk"), form.OpenDialog1.filter);
    EXPECT_EQ(QStringLiteral("*.apk"), form.OpenDialog1.defaultExtension);
    EXPECT_EQ(QString(), form.OpenDialog1.fileName);
}

namespace {

// Answers the open dialog like the recorder, keeping what the window asked for.
class DialogRequestRecorder : public RecordingServices {
public:
    std::vector<OpenFileRequest> requests;
    QString ChooseFileToOpen(const OpenFileRequest& request) override
    {
        requests.push_back(request);
        return RecordingServices::ChooseFileToOpen(request);
    }
};

} // namespace

TEST(OpenDialog, TheRealDialogShowsOnlyPackageFilesAndRefusesAMissingFile)
{
    // What the install button asks for...
    TempDir folder("dialog");
    OpenFileRequest request;
    {
        DialogRequestRecorder recorder;
        recorder.appDir = folder.dir();
        FakeAdb adb(folder.path());
        FakeAdb::PlaceAs(folder.path());
        adb.Script({DevicesRule("")});
        TFrmMain window;
        window.bt_installClick();
        ASSERT_EQ(1u, recorder.requests.size());
        request = recorder.requests.front();
    }
    // ...as the real services show it.
    const QString existing = QString::fromStdString(folder.write("notes.apk", "package=com.example.notes\n").string());
    QString title, suffix;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool resizable = false, refusedMissing = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        mode = dialog->fileMode();
        resizable = dialog->isSizeGripEnabled();
        dialog->setDirectory(QString::fromStdString(folder.dir()));
        // A missing file is refused with a warning, and the dialog stays.
        QString warning;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warning = box->text();
                box->accept();
            }
        });
        dialog->selectFile(QStringLiteral("missing.apk"));
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        refusedMissing = dialog->isVisible() && warning.contains(QStringLiteral("missing.apk"));
        dialog->selectFile(existing);
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    });
    const QStringList chosen = services().ChooseFilesToOpen(request);
    EXPECT_EQ(QStringLiteral("Choisir l'application android à installer..."), title);
    EXPECT_EQ(QStringList{QStringLiteral("Applications Android (*.apk *.apks *.xapk)")}, filters);
    EXPECT_EQ(QStringLiteral("apk"), suffix);
    EXPECT_EQ(QFileDialog::ExistingFiles, mode); // several may be picked
    EXPECT_TRUE(resizable);
    EXPECT_TRUE(refusedMissing);
    EXPECT_EQ(QStringList{existing}, chosen);
}
