#include "LookOutput.hpp"
#include "resources/Fonts.hpp"
#include "resources/Pictures.hpp"
#include "resources/Skin.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace quoddle {
namespace {

const QColor kListBackground(0xF0, 0xFF, 0xFF);
const QColor kLabelText(0x21, 0x21, 0x21);

template <class Widget>
Widget* Skinned(Widget* widget, const char* section)
{
    widget->setProperty("skinSection", QString::fromLatin1(section));
    return widget;
}

QColor CentreColour(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(Skin, TheApplicationWearsTheSkinSheetAndTheWindowFont)
{
    EXPECT_FALSE(SkinStyleSheet().isEmpty());
    EXPECT_EQ(qApp->styleSheet(), SkinStyleSheet());
    EXPECT_EQ(QApplication::font(), WindowFont(QStringLiteral("MS Shell Dlg 2"), 11));
}

TEST(Skin, EveryImageTheSheetNamesIsCompiledIn)
{
    const QString sheet = SkinStyleSheet();
    static const QRegularExpression url(QStringLiteral("url\\(([^)]+)\\)"));
    int count = 0;
    for (auto match = url.globalMatch(sheet); match.hasNext(); ++count) {
        const QString path = match.next().captured(1);
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    }
    EXPECT_GT(count, 0);
}

TEST(Skin, ListBoxesAndTheDeviceListAreAzureWithBlackText)
{
    QWidget window;
    window.resize(300, 200);
    auto* list = Skinned(new QListWidget(&window), "EDIT");
    list->setGeometry(0, 0, 140, 100);
    auto* combo = Skinned(new QComboBox(&window), "COMBOBOX");
    combo->setGeometry(150, 0, 145, 22);
    window.show();
    EXPECT_EQ(CentreColour(list), kListBackground);
    const QImage comboImage = combo->grab().toImage();
    EXPECT_EQ(comboImage.pixelColor(20, 11), kListBackground);
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(combo->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST(Skin, SkinnedLabelsAreDarkGrey)
{
    QWidget window;
    auto* label = Skinned(new QLabel(QStringLiteral("Adresse IP :"), &window), "LABEL");
    window.show();
    EXPECT_EQ(label->palette().color(QPalette::WindowText), kLabelText);
}

TEST(Skin, AControlKeepsTheWidthOfItsWindowFontUnderTheApplicationFont)
{
    // The application's font may be a condensed substitute; a control's own
    // font must not inherit that condensing.
    const QFont font = WindowFont(QStringLiteral("Tw Cen MT"), 19, true, true);
    QWidget window;
    auto* label = Skinned(new QLabel(QStringLiteral("Adresse IP :"), &window), "LABEL");
    label->setFont(font);
    window.show();
    EXPECT_EQ(QFontMetrics(label->font()).horizontalAdvance(label->text()),
              QFontMetrics(font).horizontalAdvance(label->text()));
    EXPECT_LE(label->sizeHint().width(), 84);
}

// Not a check: every skin section on plain Qt controls, for a person to look at.
TEST(Skin, GalleryForPeople)
{
    QWidget window;
    Skinned(&window, "FORM");
    window.setFixedSize(760, 470);

    auto* menu = new QMenuBar(&window);
    menu->setGeometry(0, 0, 760, 22);
    menu->addMenu(QStringLiteral("&Fichier"))->addAction(QStringLiteral("&Chercher le téléphone"));
    menu->addAction(QStringLiteral("&A propos"));

    auto* pages = new QTabWidget(&window);
    pages->setGeometry(10, 32, 430, 250);
    auto* page = new QWidget;
    pages->addTab(page, QStringLiteral("Commandes de base"));
    pages->addTab(new QWidget, QStringLiteral("Spécifiques"));
    const std::pair<const char*, const char*> buttons[] = {
        {"Redémarrer le téléphone", "power"},
        {"Redémarrer en bootloader", "power_warning"},
        {"Installer une application", "install_app"},
    };
    int y = 8;
    for (const auto& [caption, glyph] : buttons) {
        auto* button = Skinned(new QPushButton(QString::fromUtf8(caption), page), "BUTTON");
        button->setIcon(LoadPicture(QString::fromLatin1(glyph)));
        button->setIconSize(PictureSize(QString::fromLatin1(glyph)));
        button->setGeometry(8, y, 190, 41);
        y += 48;
    }
    auto* disabled = Skinned(new QPushButton(QStringLiteral("Commander le téléphone"), page), "BUTTON");
    disabled->setIcon(LoadPicture(QStringLiteral("joystick")));
    disabled->setIconSize(QSize(32, 32));
    disabled->setGeometry(8, y, 190, 41);
    disabled->setEnabled(false);
    auto* info = Skinned(new QListWidget(page), "EDIT");
    info->setGeometry(210, 8, 200, 150);
    info->addItems({QStringLiteral("Modèle : Pixel"), QStringLiteral("Android : 13"), QStringLiteral("Build : TQ3A")});
    info->setCurrentRow(1);
    auto* number = new QLineEdit(QStringLiteral("06-12-34-56-78"), page);
    number->setFont(WindowFont(QStringLiteral("Tw Cen MT Condensed"), 21, true));
    number->setGeometry(210, 168, 141, 32);

    auto* panel = Skinned(new QFrame(&window), "PANEL");
    panel->setGeometry(450, 32, 300, 160);
    auto* note = Skinned(new QLabel(QStringLiteral("Remarques importantes :"), panel), "LABEL");
    note->setFont(WindowFont(QStringLiteral("Arial"), 13, true, true));
    note->setGeometry(8, 4, 162, 24);
    auto* ipLabel = Skinned(new QLabel(QStringLiteral("Adresse IP :"), panel), "LABEL");
    ipLabel->setFont(WindowFont(QStringLiteral("Tw Cen MT"), 19, true, true));
    ipLabel->setGeometry(8, 40, 84, 22);
    auto* ip = new QLineEdit(QStringLiteral("192.168.1  .6  "), panel);
    ip->setGeometry(96, 41, 105, 21);
    auto* check = Skinned(new QCheckBox(QStringLiteral(" Il s'agit d'une réinstallation "), panel), "CHECKBOX");
    check->setFont(WindowFont(QStringLiteral("Tahoma"), 16, true, true));
    check->setGeometry(8, 72, 266, 25);
    check->setChecked(true);
    auto* closeButton = Skinned(new QPushButton(panel), "BUTTON");
    closeButton->setIcon(LoadPicture(QStringLiteral("close_small")));
    closeButton->setGeometry(278, 4, 18, 18);
    auto* huge = Skinned(new QPushButton(QStringLiteral("Info"), panel), "BUTTON_HUGE");
    huge->setGeometry(8, 104, 73, 48);
    auto* devices = Skinned(new QComboBox(panel), "COMBOBOX");
    devices->addItem(QStringLiteral("emulator-5554"));
    devices->setGeometry(96, 110, 145, 22);

    auto* group = new QGroupBox(QStringLiteral("Modifier les paramètres de sauvegarde automatique"), &window);
    group->setGeometry(450, 200, 300, 72);
    auto* on = new QRadioButton(QStringLiteral("Activer la sauvegarde automatique"), group);
    on->setGeometry(10, 22, 280, 20);
    on->setChecked(true);
    (new QRadioButton(QStringLiteral("Desactiver la sauvegarde automatique"), group))->setGeometry(10, 44, 280, 20);

    auto* grid = new QTableWidget(3, 3, &window);
    grid->setGeometry(10, 292, 560, 160);
    grid->setHorizontalHeaderLabels({QStringLiteral("Nom Prog"), QStringLiteral("APK"), QStringLiteral("Nom Composant")});
    grid->verticalHeader()->hide();
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Horloge")));
    grid->setItem(0, 1, new QTableWidgetItem(QStringLiteral("/data/app/clock.apk")));
    grid->setItem(0, 2, new QTableWidgetItem(QStringLiteral("com.example.clock")));
    grid->selectRow(0);
    auto* refresh = Skinned(new QPushButton(QStringLiteral("Actualiser liste"), &window), "BUTTON");
    refresh->setFont(WindowFont(QStringLiteral("Tahoma"), 13, true));
    refresh->setIcon(LoadPicture(QStringLiteral("refresh_blue")));
    refresh->setIconSize(QSize(32, 32));
    refresh->setGeometry(580, 300, 170, 41);
    auto* spinArrow = new QToolButton(&window);
    spinArrow->setArrowType(Qt::UpArrow);
    spinArrow->setGeometry(580, 352, 16, 11);

    window.show();
    EXPECT_TRUE(window.grab().save(test::LookOutputPath(QStringLiteral("skin-gallery.png"))));
}

} // namespace
} // namespace quoddle
