// The main window's controls as the window data lays them out, checked
// against a freshly created form (before any operation changes its states).

#include "LayoutTable.hpp"
#include "windows/MainWindowForm.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <map>

using namespace quoddle;
using namespace quoddle::test;

namespace {

using K = Kind;
using S = Start;

const FontEntry kWindowFont{"MS Shell Dlg 2", 11};
const FontEntry kTahomaBold11{"Tahoma", 11, true};
const FontEntry kTahomaBold13{"Tahoma", 13, true};
const FontEntry kNote{"Tw Cen MT Condensed", 13, true, true};
const FontEntry kMessage{"Tw Cen MT Condensed", 23, true, true};
const FontEntry kFieldLabel{"Tw Cen MT", 19, true, true};
const FontEntry kSameFont{};

const char* const kPhoneHint = "Cliquez pour rechercher de nouveau le téléphone";
const char* const kAddressHint = "(Ex : 192.168.1.6)";

// name, kind, parent, position, tab, caption, hint, font, state at creation, skin section
const std::vector<Control> kMainWindow = {
    // Direct children of the window.
    {"PageControl2", K::PageControl, "FrmMain", {2, 14, 553, 345}, 8, nullptr, "", kSameFont, S::Shown, nullptr},
    {"panelconnexion", K::Panel, "FrmMain", {16, 59, 529, 246}, 4, nullptr, "", kSameFont, S::Shown, "PANEL"},
    {"ImageErr", K::Picture, "FrmMain", {559, 1, 176, 340}, -1, nullptr, kPhoneHint, kSameFont, S::Shown, nullptr},
    {"ImageOk", K::Picture, "FrmMain", {559, 1, 176, 340}, -1, nullptr, kPhoneHint, kSameFont, S::Hidden, nullptr},
    {"listdevices", K::DropDown, "FrmMain", {574, 352, 145, 22}, 3, "", "", kSameFont, S::Shown, "COMBOBOX"},
    {"PageControl1", K::PageControl, "FrmMain", {16, 384, 713, 193}, 5, nullptr, "", kSameFont, S::Shown, nullptr},
    {"panel_install", K::Panel, "FrmMain", {128, 96, 321, 121}, 6, nullptr, "", kSameFont, S::Hidden, "PANEL"},
    {"bt_infotel", K::GlyphButton, "FrmMain", {612, 168, 73, 65}, 7, "Info", "", kSameFont, S::Hidden, "BUTTON_HUGE"},
    {"Memo", K::Memo, "FrmMain", {736, 8, 297, 65}, 1, nullptr, "", kSameFont, S::Hidden, nullptr},
    {"txtParams", K::Edit, "FrmMain", {739, 164, 249, 21}, 2, "", "", kSameFont, S::Hidden, nullptr},
    {"BtnSend", K::StandardButton, "FrmMain", {992, 160, 75, 25}, 0, "Send", "", kSameFont, S::Hidden, nullptr},
    {"lblParams", K::Label, "FrmMain", {744, 200, 189, 13}, -1, "Paramètre  ne pas remettre adb :", "", kTahomaBold11,
     S::Hidden, nullptr},
    {"Label1", K::Label, "FrmMain", {752, 216, 129, 13}, -1, "(ex : devices, reboot...)", "", kTahomaBold11, S::Hidden,
     nullptr},

    // Page "Commandes de base".
    {"bt_reboot", K::GlyphButton, "TabSheet1", {8, 8, 112, 41}, 4, "Redémarrer le téléphone", "", kSameFont, S::Shown,
     "BUTTON"},
    {"btrebootloader", K::GlyphButton, "TabSheet1", {8, 56, 112, 41}, 3, "Redémarrer en bootloader", "", kSameFont,
     S::Shown, "BUTTON"},
    {"bt_rebootrecovery", K::GlyphButton, "TabSheet1", {8, 104, 112, 41}, 7, "Redémarrer en recovery", "", kSameFont,
     S::Shown, "BUTTON"},
    {"bt_install", K::GlyphButton, "TabSheet1", {8, 176, 119, 41}, 2, "Installer une application", "", kSameFont,
     S::Shown, "BUTTON"},
    {"sBitBtn2", K::GlyphButton, "TabSheet1", {8, 222, 121, 35}, 1, "Commander le téléphone", "", kSameFont,
     S::Disabled, "BUTTON"},
    {"ed_numero", K::MaskEdit, "TabSheet1", {9, 273, 141, 32}, 6, "  -  -  -  -  ", "",
     {"Tw Cen MT Condensed", 21, true}, S::Shown, nullptr},
    {"bt_numeroter", K::GlyphButton, "TabSheet1", {155, 270, 104, 38}, 5, "Numéroter",
     "Le téléphone ne doit pas être en veille !", kSameFont, S::Shown, "BUTTON"},
    {"list_infotel", K::ListBox, "TabSheet1", {224, 8, 289, 249}, 8, nullptr, "", kSameFont, S::Shown, "EDIT"},
    {"bt_cmd", K::GlyphButton, "TabSheet1", {391, 264, 138, 41}, 0, "Taper ma propre commande...", "", kSameFont,
     S::Shown, "BUTTON"},

    // Page "Spécifiques".
    {"reglageappliinstall", K::RadioGroup, "TabSheet5", {16, 16, 321, 81}, 0,
     "Changer la manière dont seront stockées les données", "", kSameFont, S::Shown, nullptr},
    {"bt_actualfroyo", K::GlyphButton, "TabSheet5", {342, 30, 56, 56}, 5, "", "", kSameFont, S::Shown, "BUTTON"},
    {"bt_appliquer", K::SkinnedButton, "TabSheet5", {416, 24, 113, 65}, 1, "Appliquer", "", {"MS Shell Dlg 2", 19},
     S::Shown, "BUTTON"},
    {"reglagesave", K::RadioGroup, "TabSheet5", {16, 112, 321, 65}, 2,
     "Modifier les paramètres de sauvegarde automatique", "", kSameFont, S::Shown, nullptr},
    {"bt_trash", K::GlyphButton, "TabSheet5", {352, 118, 169, 57}, 4,
     "Supprimer les temporaires du dossier \"/data/local/tmp\"", "", kSameFont, S::Shown, "BUTTON"},
    {"sPanel1", K::Panel, "TabSheet5", {16, 196, 521, 105}, 3, nullptr, "", kSameFont, S::Shown, "PANEL"},

    // The notes in sPanel1.
    {"sLabelFX1", K::EffectLabel, "sPanel1", {8, 4, 162, 24}, -1, "Remarques importantes :", "",
     {"Arial", 13, true, true}, S::Shown, nullptr},
    {"sLabelFX2", K::EffectLabel, "sPanel1", {32, 24, 462, 17}, -1,
     "Attention, le fait de forcer le stockage des application sur SD peut empêcher le fonctionnement de ", "", kNote,
     S::Shown, nullptr},
    {"sLabelFX3", K::EffectLabel, "sPanel1", {32, 38, 448, 17}, -1,
     "certains programmes et widgets, notamment lors de laconnexion du téléphone en usb en mode ", "", kNote,
     S::Shown, nullptr},
    {"sLabelFX4", K::EffectLabel, "sPanel1", {33, 54, 308, 17}, -1,
     "\"lecteur de disque\" puisque la carte SD devient alors indisponible.", "", kNote, S::Shown, nullptr},
    {"sLabelFX5", K::EffectLabel, "sPanel1", {32, 74, 361, 23}, -1,
     "Désactiver la sauvegarde entraine la suppression des sauvegardes actuelles", "", kNote, S::Shown, nullptr},

    // The connection panel.
    {"sLabelFX6", K::EffectLabel, "panelconnexion", {8, 18, 256, 116}, -1,
     "Veuillez connecter le téléphone sur le port USB en mode charger seulement débogage USB activé", "", kMessage,
     S::Shown, nullptr},
    {"sLabelFX7", K::EffectLabel, "panelconnexion", {16, 136, 257, 49}, -1,
     "( Menu -> Paramètres -> Applications -> Développement )", "", {"MS Shell Dlg 2", 15}, S::Shown, nullptr},
    {"bt_connectusb", K::GlyphButton, "panelconnexion", {56, 184, 163, 40}, 1, "Vérifier la connexion USB", "",
     kSameFont, S::Shown, "BUTTON"},
    {"Bevel1", K::Bevel, "panelconnexion", {276, 8, 9, 233}, -1, nullptr, "", kSameFont, S::Shown, nullptr},
    {"sLabelFX8", K::EffectLabel, "panelconnexion", {280, 16, 241, 97}, -1,
     "Veuillez lancer AdbWireless et reportez la configuration IP (débogage actif)", "", kMessage, S::Shown, nullptr},
    {"sLabel1", K::SkinnedLabel, "panelconnexion", {304, 119, 84, 22}, -1, "Adresse IP :", kAddressHint, kFieldLabel,
     S::Shown, nullptr},
    {"ed_ip", K::MaskEdit, "panelconnexion", {392, 120, 105, 21}, 3, "192.168.1  .6  ", "", kSameFont, S::Shown,
     nullptr},
    {"sLabel2", K::SkinnedLabel, "panelconnexion", {350, 145, 38, 22}, -1, "Port :", kAddressHint, kFieldLabel,
     S::Shown, nullptr},
    {"ed_port", K::SpinEdit, "panelconnexion", {392, 146, 65, 22}, 2, "5555", "", kSameFont, S::Shown, nullptr},
    {"bt_connectwifi", K::GlyphButton, "panelconnexion", {327, 187, 167, 40}, 0,
     "  Tester en Wifi avec    Adb Wireless", "", kSameFont, S::Shown, "BUTTON"},

    // Page "Appli classique" and the two list pages.
    {"StringGrid1", K::Grid, "TabSheet2", {8, 5, 545, 148}, 2, nullptr, "", kSameFont, S::Shown, nullptr},
    {"sBitBtn1", K::GlyphButton, "TabSheet2", {557, 16, 144, 41}, 3, "Actualiser liste", "", kTahomaBold13, S::Shown,
     "BUTTON"},
    {"bt_desinstalltt", K::GlyphButton, "TabSheet2", {557, 64, 144, 41}, 1, "Désinstaller", "", kTahomaBold13,
     S::Shown, "BUTTON"},
    {"bt_desinstall", K::GlyphButton, "TabSheet2", {557, 110, 144, 41}, 0,
     "      Désinstaller       (garde les réglages)", "", kSameFont, S::Shown, "BUTTON"},
    {"listappautre", K::ListBox, "TabSheet3", {8, 16, 513, 129}, 0, nullptr, "", kSameFont, S::Shown, "EDIT"},
    {"listapplisys", K::ListBox, "TabSheet4", {8, 12, 569, 137}, 0, nullptr, "", kSameFont, S::Shown, "EDIT"},

    // The install panel.
    {"bt_installsd", K::GlyphButton, "panel_install", {16, 30, 130, 50}, 0, "installer sur SD", "", kTahomaBold11,
     S::Shown, "BUTTON"},
    {"bt_installrom", K::GlyphButton, "panel_install", {176, 30, 130, 50}, 1, "Installer sur mémoire interne", "",
     kTahomaBold11, S::Shown, "BUTTON"},
    {"box_reinstall", K::CheckBox, "panel_install", {37, 89, 266, 25}, 2, " Il s'agit d'une réinstallation ", "",
     {"Tahoma", 16, true, true}, S::Shown, "CHECKBOX"},
    {"sBitBtn4", K::GlyphButton, "panel_install", {299, 4, 18, 18}, 3, "", "", kSameFont, S::Shown, "BUTTON"},
};

class MainLayout : public testing::Test {
protected:
    MainWindowForm form;
    template <class W>
    W* Named(const char* name) const
    {
        return form.findChild<W*>(QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(MainLayout, EveryControlAsTheWindowDataGivesIt)
{
    ExpectLayout(kMainWindow, &form, form.clientArea(), kWindowFont);
}

TEST_F(MainLayout, PagesInOrderWithTheirCaptionsAndTheFirstActive)
{
    struct Page {
        const char* control;
        std::vector<std::pair<const char*, const char*>> pages; // name, caption
        const char* active;
    };
    const Page pageControls[] = {
        {"PageControl2", {{"TabSheet1", "Commandes de base"}, {"TabSheet5", "Spécifiques"}}, "TabSheet1"},
        {"PageControl1",
         {{"TabSheet2", "Appli classique"}, {"TabSheet3", "Appli sur SD"}, {"TabSheet4", "Appli. system"}},
         "TabSheet2"},
    };
    for (const Page& p : pageControls) {
        SCOPED_TRACE(p.control);
        auto* pages = Named<QTabWidget>(p.control);
        ASSERT_NE(nullptr, pages);
        ASSERT_EQ(int(p.pages.size()), pages->count());
        for (int i = 0; i < pages->count(); ++i) {
            EXPECT_EQ(QString::fromLatin1(p.pages[i].first), pages->widget(i)->objectName());
            EXPECT_EQ(QString::fromUtf8(p.pages[i].second), pages->tabText(i));
        }
        EXPECT_EQ(QString::fromLatin1(p.active), pages->currentWidget()->objectName());
        EXPECT_EQ(QTabWidget::North, pages->tabPosition());
    }
}

TEST_F(MainLayout, RadioGroupsListTheirItemsInOrderWithTheFirstSelected)
{
    const std::map<const char*, QStringList> items = {
        {"reglageappliinstall",
         {"Mode Auto (défaut)", "Forcer l'installation sur le téléphone", "Forcer l'installation sur Micro SD"}},
        {"reglagesave", {"Activer la sauvegarde automatique", "Desactiver la sauvegarde automatique"}},
    };
    for (const auto& [name, expected] : items) {
        SCOPED_TRACE(name);
        auto* group = Named<RadioGroup>(name);
        EXPECT_EQ(expected, group->items());
        EXPECT_EQ(0, group->itemIndex());
        // One column, top to bottom, inside the frame.
        for (int i = 0; i + 1 < expected.size(); ++i)
            EXPECT_LT(group->button(i)->geometry().bottom(), group->button(i + 1)->geometry().top() + 1);
        EXPECT_LE(group->button(int(expected.size()) - 1)->geometry().bottom(), group->height());
    }
}

TEST_F(MainLayout, FieldsTakeTheirMasksLimitsAndStartingValues)
{
    EXPECT_EQ(QStringLiteral("!99\\-99\\-99\\-99\\-99;1;_"), form.ed_numero->editMask());
    EXPECT_EQ(14, form.ed_numero->maxLength());
    EXPECT_EQ(QStringLiteral("999\\.999\\.999\\.999;1;_"), form.ed_ip->editMask());
    EXPECT_EQ(15, form.ed_ip->maxLength());
    EXPECT_EQ(1, form.ed_port->minimum());
    EXPECT_EQ(99999, form.ed_port->maximum());
    EXPECT_EQ(5, form.ed_port->maxLength());
    EXPECT_EQ(5555, form.ed_port->value());
    EXPECT_FALSE(form.box_reinstall->isChecked());
    EXPECT_FALSE(form.listdevices->isEditable());
    EXPECT_EQ(0, form.listdevices->count());
    EXPECT_EQ(-1, form.listdevices->currentIndex());
    EXPECT_EQ(QString(), form.Memo->toPlainText());
    EXPECT_EQ(QPlainTextEdit::NoWrap, form.Memo->lineWrapMode());
    EXPECT_EQ(Qt::ScrollBarAlwaysOn, form.Memo->verticalScrollBarPolicy());
}

TEST_F(MainLayout, ListsShowOneSelectableItemPerSixteenPixelRowOnAzure)
{
    form.show();
    for (const char* name : {"list_infotel", "listappautre", "listapplisys"}) {
        SCOPED_TRACE(name);
        auto* list = Named<TextListBox>(name);
        EXPECT_TRUE(list->items().isEmpty());
        list->setText(QStringLiteral("b\r\na\r\nc"));
        EXPECT_EQ((QStringList{"b", "a", "c"}), list->items()); // kept in the order given
        EXPECT_EQ(16, list->visualItemRect(list->item(1)).height());
        // The report selects one line; the application lists several, for the row actions.
        EXPECT_EQ(std::string(name) == "list_infotel" ? QAbstractItemView::SingleSelection
                                                      : QAbstractItemView::ExtendedSelection,
                  list->selectionMode());
        EXPECT_EQ(QColor(0xF0, 0xFF, 0xFF), list->palette().color(QPalette::Base));
        EXPECT_EQ(QColor(Qt::black), list->palette().color(QPalette::Text));
    }
    form.listdevices->addItem(QStringLiteral("0123456789ABCDEF"));
    EXPECT_EQ(QColor(0xF0, 0xFF, 0xFF), form.listdevices->palette().color(QPalette::Base));
    EXPECT_EQ(16, form.listdevices->view()->sizeHintForRow(0));
}

TEST_F(MainLayout, TypingIntoTheDeviceListDropsItDownAndOnlyAChoiceChangesIt)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QComboBox* list = form.listdevices;
    list->addItems({QStringLiteral("0123456789ABCDEF"), QStringLiteral("emulator-5554")});
    list->setCurrentIndex(0);
    QSignalSpy chosen(list, &QComboBox::activated);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_E);
    QTRY_VERIFY(list->view()->isVisible());
    EXPECT_EQ(1, list->view()->currentIndex().row()); // picked in the open list...
    EXPECT_EQ(QStringLiteral("0123456789ABCDEF"), list->currentText()); // ...not yet chosen
    EXPECT_EQ(0, chosen.count());
    QTest::keyClick(list->view(), Qt::Key_Return);
    QTRY_VERIFY(!list->view()->isVisible());
    EXPECT_EQ(QStringLiteral("emulator-5554"), list->currentText());
    EXPECT_EQ(1, chosen.count());
}

TEST_F(MainLayout, GridHasAFixedHeaderAndThreeDraggableColumns)
{
    StringGrid* grid = form.StringGrid1;
    EXPECT_EQ(3, grid->colCount());
    EXPECT_EQ(2, grid->rowCount());
    EXPECT_EQ((QList<int>{144, 199, 194}), (QList<int>{grid->colWidth(0), grid->colWidth(1), grid->colWidth(2)}));
    EXPECT_EQ(24, grid->defaultRowHeight());
    EXPECT_EQ(QAbstractItemView::SelectRows, grid->selectionBehavior());
    EXPECT_EQ(QAbstractItemView::ExtendedSelection, grid->selectionMode()); // Ctrl and Shift add rows
    EXPECT_EQ(QAbstractItemView::NoEditTriggers, grid->editTriggers());
    EXPECT_FALSE(grid->horizontalHeader()->isHidden()); // the fixed header row
    EXPECT_EQ(QHeaderView::Interactive, grid->horizontalHeader()->sectionResizeMode(0));
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
    EXPECT_TRUE(grid->showGrid());
}

TEST_F(MainLayout, EffectLabelsCastTheirShadowsInDarkGrey)
{
    form.show();
    for (EffectLabel* label : form.findChildren<EffectLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        const bool note = QStringList{"sLabelFX2", "sLabelFX3", "sLabelFX4", "sLabelFX5"}.contains(label->objectName());
        EXPECT_EQ(note ? 1 : 4, label->shadowBlurPasses());
        EXPECT_EQ(note ? 0 : 1, label->shadowOffset());
        EXPECT_EQ(QColor(0x21, 0x21, 0x21), label->palette().color(QPalette::WindowText));
        const bool message = QStringList{"sLabelFX6", "sLabelFX7", "sLabelFX8"}.contains(label->objectName());
        EXPECT_EQ(message, label->wordWrap());
        EXPECT_EQ(message, (label->alignment() & Qt::AlignHCenter) != 0);
    }
    for (QLabel* label : {form.sLabel1, form.sLabel2})
        EXPECT_EQ(QColor(0x21, 0x21, 0x21), label->palette().color(QPalette::WindowText));
}

TEST_F(MainLayout, PicturesAndGlyphsAtTheirSizesWithAHandOverThePhone)
{
    const std::map<const char*, int> glyphSide = {
        {"sBitBtn4", 16},          {"bt_connectusb", 25},     {"bt_reboot", 32},      {"btrebootloader", 32},
        {"bt_rebootrecovery", 32}, {"sBitBtn2", 32},          {"bt_cmd", 32},         {"sBitBtn1", 32},
        {"bt_desinstalltt", 32},   {"bt_desinstall", 32},     {"bt_install", 36},     {"bt_numeroter", 36},
        {"bt_connectwifi", 38},    {"bt_trash", 48},          {"bt_actualfroyo", 48}, {"bt_installsd", 48},
        {"bt_installrom", 48},
    };
    for (GlyphButton* button : form.findChildren<GlyphButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        if (button == form.bt_infotel) {
            EXPECT_TRUE(button->glyph().isNull());
            continue;
        }
        const auto found = std::find_if(glyphSide.begin(), glyphSide.end(), [&](const auto& entry) {
            return button->objectName() == QLatin1String(entry.first);
        });
        ASSERT_NE(glyphSide.end(), found) << "a glyph button the window data does not have";
        EXPECT_EQ(QSize(found->second, found->second), button->glyphSize());
        EXPECT_FALSE(button->glyph().isNull());
    }
    // The two reboot variants share one image.
    EXPECT_EQ(form.btrebootloader->glyph().pixmap(32).toImage(), form.bt_rebootrecovery->glyph().pixmap(32).toImage());
    for (Picture* phone : {form.ImageErr, form.ImageOk}) {
        EXPECT_EQ(QSize(176, 340), phone->pixmap().deviceIndependentSize().toSize());
        EXPECT_EQ(Qt::PointingHandCursor, phone->cursor().shape());
    }
    EXPECT_EQ(Qt::PointingHandCursor, form.bt_infotel->cursor().shape());
    EXPECT_NE(form.ImageErr->pixmap().toImage(), form.ImageOk->pixmap().toImage());
}

TEST_F(MainLayout, TabOrderAmongSiblingsFollowsTheirTabPlaces)
{
    // Walk the window's focus ring once and note, per parent, the order in
    // which the controls that take the focus come; it must be the order of
    // their tab places (the ring has no start: compared from the first place).
    std::map<QString, std::vector<std::pair<int, QString>>> expected;
    for (const Control& c : kMainWindow) {
        auto* w = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        const bool takesFocus = c.kind == Kind::PageControl || c.kind == Kind::RadioGroup
            || (w->focusPolicy() & Qt::TabFocus);
        if (c.tab >= 0 && takesFocus)
            expected[QString::fromLatin1(c.parent)].emplace_back(c.tab, QString::fromLatin1(c.name));
    }
    std::map<QString, QStringList> seen;
    QWidget* w = &form;
    for (int guard = 0; guard < 2000; ++guard) {
        w = w->nextInFocusChain();
        if (w == &form)
            break;
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        // A control of the table, a page control's tab bar or a radio group's item.
        QString name = w->objectName();
        QWidget* parent = w->parentWidget();
        if (auto* pages = qobject_cast<QTabWidget*>(parent); pages && pages->tabBar() == w)
            name = parent->objectName();
        else if (qobject_cast<RadioGroup*>(parent))
            name = parent->objectName();
        const auto row = std::find_if(kMainWindow.begin(), kMainWindow.end(),
                                      [&](const Control& c) { return name == QLatin1String(c.name); });
        if (row != kMainWindow.end() && !seen[QString::fromLatin1(row->parent)].contains(name))
            seen[QString::fromLatin1(row->parent)] << name;
    }
    for (auto& [parent, controls] : expected) {
        SCOPED_TRACE(parent.toStdString());
        std::sort(controls.begin(), controls.end());
        QStringList names;
        for (const auto& entry : controls)
            names << entry.second;
        QStringList ring = seen[parent];
        const qsizetype first = ring.indexOf(names.front());
        if (first > 0)
            ring = ring.mid(first) + ring.mid(0, first);
        EXPECT_EQ(names, ring);
    }
}

TEST_F(MainLayout, TabKeyVisitsTheShownControlsInTheirOrder)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const auto walk = [this](QWidget* start, int steps, Qt::KeyboardModifiers modifiers) {
        start->setFocus();
        QStringList visited;
        for (int i = 0; i < steps; ++i) {
            visited << OwningControl(QApplication::focusWidget(), kMainWindow);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        }
        return visited;
    };
    // From the device list: the connection panel, the lower pages, the upper
    // pages, round to the start; hidden controls, the disabled joystick button
    // and the pages not shown are passed over.
    const QStringList forward = {"listdevices",  "bt_connectwifi", "bt_connectusb",     "ed_port",      "ed_ip",
                                 "PageControl1", "bt_desinstall",  "bt_desinstalltt",   "StringGrid1",  "sBitBtn1",
                                 "PageControl2", "bt_cmd",         "bt_install",        "btrebootloader", "bt_reboot",
                                 "bt_numeroter", "ed_numero",      "bt_rebootrecovery", "list_infotel", "listdevices"};
    EXPECT_EQ(forward, walk(form.listdevices, int(forward.size()), Qt::NoModifier));
    QStringList backward = forward;
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, walk(form.listdevices, int(backward.size()), Qt::ShiftModifier));

    form.PageControl2->setCurrentWidget(form.TabSheet5);
    const QStringList settings = {"PageControl2", "reglageappliinstall", "bt_appliquer", "reglagesave",
                                  "bt_trash",     "bt_actualfroyo",      "listdevices"};
    EXPECT_EQ(settings, walk(form.PageControl2->tabBar(), int(settings.size()), Qt::NoModifier));
}
