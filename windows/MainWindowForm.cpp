#include "MainWindowForm.hpp"

#include "FormBuilder.hpp"
#include "OutputPane.hpp"
#include "resources/Pictures.hpp"
#include "widgets/Bevel.hpp"
#include "widgets/EffectLabel.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Panel.hpp"
#include "widgets/Picture.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/SpinEdit.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTabWidget>

#include <algorithm>

namespace quoddle {

namespace {

const FontSpec kTahomaBold11{"Tahoma", 11, true};
const FontSpec kTahomaBold13{"Tahoma", 13, true};
const FontSpec kNoteFont{"Tw Cen MT Condensed", 13, true, true};
const FontSpec kPanelMessageFont{"Tw Cen MT Condensed", 23, true, true};
const FontSpec kFieldLabelFont{"Tw Cen MT", 19, true, true};

GlyphButton* MakeGlyphButton(QWidget* parent, const char* name, const QRect& geometry, int tab,
                             const QString& caption, const char* glyph, const FontSpec& font = {})
{
    auto* button = Place(new GlyphButton(parent), name, geometry, tab);
    button->setText(caption);
    if (glyph)
        button->setGlyph(LoadPicture(QString::fromLatin1(glyph)));
    SetFont(button, font);
    SetSkinSection(button, "BUTTON");
    return button;
}

EffectLabel* MakeEffectLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                             const FontSpec& font, bool centredAndWrapped)
{
    auto* label = Place(new EffectLabel(parent), name, geometry);
    label->setText(text);
    SetFont(label, font);
    if (centredAndWrapped) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    } else {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    return label;
}

// The device list's drop-down rows: 16 pixels high, as the window data gives them.
class FixedRowHeightDelegate : public QStyledItemDelegate {
public:
    FixedRowHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(height_);
        return size;
    }

private:
    int height_;
};

// Typing a character into the device list drops its list down; the character
// then picks the first matching serial there, which becomes the list's text
// only when the user chooses it (Enter or a click), as with any other choice.
class DropDownWhenTyping : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* list = qobject_cast<QComboBox*>(watched);
        if (!list || event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !key->text().isEmpty() && key->text().front().isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (!typed)
            return false;
        list->showPopup();
        QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(list->view(), &forwarded);
        return true;
    }
};

QWidget* MakePage(QTabWidget* pages, const char* name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

TextListBox* MakeListBox(QWidget* parent, const char* name, const QRect& geometry, int tab)
{
    auto* list = Place(new TextListBox(parent), name, geometry, tab);
    list->setItemHeight(16);
    SetSkinSection(list, "EDIT");
    return list;
}

} // namespace

MainWindowForm::MainWindowForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Quoddle"));
    setWindowIcon(ProgramIcon());
    SetSkinSection(this, "FORM");
    SetFont(this, {"MS Shell Dlg 2", 11});
    createControls();
    // A fixed frame: the client area keeps its size below the menu bar.
    client_->setFixedSize(kClientWidth, kClientHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindowForm::~MainWindowForm() = default;

void MainWindowForm::showEvent(QShowEvent* event)
{
    if (!placed_) {
        // Centred on the desktop (all screens together) when first shown; on a
        // desktop too small for it, the title bar is kept within reach.
        placed_ = true;
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(desktop.center());
        frame.moveLeft(std::max(frame.left(), desktop.left()));
        frame.moveTop(std::max(frame.top(), desktop.top()));
        move(frame.topLeft());
    }
    QMainWindow::showEvent(event);
}

void MainWindowForm::createControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client_);
    QWidget* const w = client_;

    // The pictures and labels of the window itself lie behind every other control,
    // so they are created first.
    ImageErr = Place(new Picture(w), "ImageErr", {559, 1, 176, 340});
    ImageErr->setPixmap(LoadPicture(QStringLiteral("phone_err")));
    ImageOk = Place(new Picture(w), "ImageOk", {559, 1, 176, 340});
    ImageOk->setPixmap(LoadPicture(QStringLiteral("phone_ok")));
    for (Picture* picture : {ImageErr, ImageOk}) {
        picture->setCursor(Qt::PointingHandCursor);
        picture->setToolTip(tr("Cliquez pour rechercher de nouveau le téléphone"));
    }
    ImageOk->hide();
    lblParams = Place(new QLabel(tr("Paramètre  ne pas remettre adb :"), w), "lblParams", {744, 200, 189, 13});
    Label1 = Place(new QLabel(tr("(ex : devices, reboot...)"), w), "Label1", {752, 216, 129, 13});
    SetFont(lblParams, kTahomaBold11);
    SetFont(Label1, kTahomaBold11);

    // The upper page control.
    PageControl2 = Place(new QTabWidget(w), "PageControl2", {2, 14, 553, 345}, 8);
    TabSheet1 = MakePage(PageControl2, "TabSheet1", tr("Commandes de base"));
    TabSheet5 = MakePage(PageControl2, "TabSheet5", tr("Spécifiques"));

    QWidget* p = TabSheet1;
    bt_reboot = MakeGlyphButton(p, "bt_reboot", {8, 8, 112, 41}, 4, tr("Redémarrer le téléphone"), "power");
    btrebootloader = MakeGlyphButton(p, "btrebootloader", {8, 56, 112, 41}, 3,
                                     tr("Redémarrer en bootloader"), "power_warning");
    bt_rebootrecovery = MakeGlyphButton(p, "bt_rebootrecovery", {8, 104, 112, 41}, 7,
                                        tr("Redémarrer en recovery"), "power_warning");
    bt_install = MakeGlyphButton(p, "bt_install", {8, 176, 119, 41}, 2, tr("Installer une application"),
                                 "install_app");
    sBitBtn2 = MakeGlyphButton(p, "sBitBtn2", {8, 222, 121, 35}, 1, tr("Commander le téléphone"), "joystick");
    sBitBtn2->setEnabled(false);
    ed_numero = Place(new MaskEdit(p), "ed_numero", {9, 273, 141, 32}, 6);
    ed_numero->setEditMask(QStringLiteral("!99\\-99\\-99\\-99\\-99;1;_"));
    ed_numero->setMaskedText(QStringLiteral("  -  -  -  -  "));
    ed_numero->setMaxLength(14);
    SetFont(ed_numero, {"Tw Cen MT Condensed", 21, true});
    bt_numeroter = MakeGlyphButton(p, "bt_numeroter", {155, 270, 104, 38}, 5, tr("Numéroter"), "desk_phone");
    bt_numeroter->setToolTip(tr("Le téléphone ne doit pas être en veille !"));
    list_infotel = MakeListBox(p, "list_infotel", {224, 8, 289, 249}, 8);
    bt_cmd = MakeGlyphButton(p, "bt_cmd", {391, 264, 138, 41}, 0, tr("Taper ma propre commande..."), "console");

    p = TabSheet5;
    reglageappliinstall = Place(new RadioGroup(p), "reglageappliinstall", {16, 16, 321, 81}, 0);
    reglageappliinstall->setTitle(tr("Changer la manière dont seront stockées les données"));
    reglageappliinstall->setItems({tr("Mode Auto (défaut)"),
                                   tr("Forcer l'installation sur le téléphone"),
                                   tr("Forcer l'installation sur Micro SD")});
    reglageappliinstall->setItemIndex(0);
    bt_actualfroyo = MakeGlyphButton(p, "bt_actualfroyo", {342, 30, 56, 56}, 5, QString(), "refresh_grey");
    bt_appliquer = Place(new QPushButton(tr("Appliquer"), p), "bt_appliquer", {416, 24, 113, 65}, 1);
    SetFont(bt_appliquer, {"MS Shell Dlg 2", 19});
    SetSkinSection(bt_appliquer, "BUTTON");
    reglagesave = Place(new RadioGroup(p), "reglagesave", {16, 112, 321, 65}, 2);
    reglagesave->setTitle(tr("Modifier les paramètres de sauvegarde automatique"));
    reglagesave->setItems({tr("Activer la sauvegarde automatique"),
                           tr("Desactiver la sauvegarde automatique")});
    reglagesave->setItemIndex(0);
    bt_trash = MakeGlyphButton(p, "bt_trash", {352, 118, 169, 57}, 4,
                               tr("Supprimer les temporaires du dossier \"/data/local/tmp\""), "trash_full");
    sPanel1 = Place(new Panel(p), "sPanel1", {16, 196, 521, 105}, 3);
    SetSkinSection(sPanel1, "PANEL");
    sLabelFX1 = MakeEffectLabel(sPanel1, "sLabelFX1", {8, 4, 162, 24}, tr("Remarques importantes :"),
                                {"Arial", 13, true, true}, false);
    sLabelFX2 = MakeEffectLabel(sPanel1, "sLabelFX2", {32, 24, 462, 17},
                                tr("Attention, le fait de forcer le stockage des application sur SD peut "
                                               "empêcher le fonctionnement de "),
                                kNoteFont, false);
    sLabelFX3 = MakeEffectLabel(sPanel1, "sLabelFX3", {32, 38, 448, 17},
                                tr("certains programmes et widgets, notamment lors de laconnexion du "
                                               "téléphone en usb en mode "),
                                kNoteFont, false);
    sLabelFX4 = MakeEffectLabel(sPanel1, "sLabelFX4", {33, 54, 308, 17},
                                tr("\"lecteur de disque\" puisque la carte SD devient alors indisponible."),
                                kNoteFont, false);
    sLabelFX5 = MakeEffectLabel(sPanel1, "sLabelFX5", {32, 74, 361, 23},
                                tr("Désactiver la sauvegarde entraine la suppression des sauvegardes "
                                               "actuelles"),
                                kNoteFont, false);
    for (EffectLabel* note : {sLabelFX2, sLabelFX3, sLabelFX4, sLabelFX5})
        note->setShadow(1, 0);

    // The connection panel lies in front of the upper page control.
    panelconnexion = Place(new Panel(w), "panelconnexion", {16, 59, 529, 246}, 4);
    SetSkinSection(panelconnexion, "PANEL");
    p = panelconnexion;
    sLabelFX6 = MakeEffectLabel(p, "sLabelFX6", {8, 18, 256, 116},
                                tr("Veuillez connecter le téléphone sur le port USB en mode charger "
                                               "seulement débogage USB activé"),
                                kPanelMessageFont, true);
    sLabelFX7 = MakeEffectLabel(p, "sLabelFX7", {16, 136, 257, 49},
                                tr("( Menu -> Paramètres -> Applications -> Développement )"),
                                {"MS Shell Dlg 2", 15}, true);
    bt_connectusb = MakeGlyphButton(p, "bt_connectusb", {56, 184, 163, 40}, 1,
                                    tr("Vérifier la connexion USB"), "usb");
    Bevel1 = Place(new Bevel(p), "Bevel1", {276, 8, 9, 233});
    sLabelFX8 = MakeEffectLabel(p, "sLabelFX8", {280, 16, 241, 97},
                                tr("Veuillez lancer AdbWireless et reportez la configuration IP "
                                               "(débogage actif)"),
                                kPanelMessageFont, true);
    sLabel1 = Place(new QLabel(tr("Adresse IP :"), p), "sLabel1", {304, 119, 84, 22});
    sLabel2 = Place(new QLabel(tr("Port :"), p), "sLabel2", {350, 145, 38, 22});
    for (QLabel* label : {sLabel1, sLabel2}) {
        label->setToolTip(tr("(Ex : 192.168.1.6)"));
        SetFont(label, kFieldLabelFont);
        label->setProperty("skinSection", QStringLiteral("LABEL"));
    }
    ed_ip = Place(new MaskEdit(p), "ed_ip", {392, 120, 105, 21}, 3);
    ed_ip->setEditMask(QStringLiteral("999\\.999\\.999\\.999;1;_"));
    ed_ip->setMaskedText(QStringLiteral("192.168.1  .6  "));
    ed_ip->setMaxLength(15);
    ed_port = Place(new SpinEdit(p), "ed_port", {392, 146, 65, 22}, 2);
    ed_port->setRange(1, 99999);
    ed_port->setMaxLength(5);
    ed_port->setValue(5555);
    bt_connectwifi = MakeGlyphButton(p, "bt_connectwifi", {327, 187, 167, 40}, 0,
                                     tr("  Tester en Wifi avec    Adb Wireless"), "wifi");

    // Right of the pages: the device list under the phone picture.
    listdevices = Place(new QComboBox(w), "listdevices", {574, 352, 145, 22}, 3);
    listdevices->setEditable(false);
    listdevices->setItemDelegate(new FixedRowHeightDelegate(16, listdevices));
    listdevices->installEventFilter(new DropDownWhenTyping(listdevices));
    SetSkinSection(listdevices, "COMBOBOX");

    // The lower page control with the applications.
    PageControl1 = Place(new QTabWidget(w), "PageControl1", {16, 384, 713, 193}, 5);
    TabSheet2 = MakePage(PageControl1, "TabSheet2", tr("Appli classique"));
    TabSheet3 = MakePage(PageControl1, "TabSheet3", tr("Appli sur SD"));
    TabSheet4 = MakePage(PageControl1, "TabSheet4", tr("Appli. system"));
    StringGrid1 = Place(new StringGrid(TabSheet2), "StringGrid1", {8, 5, 545, 148}, 2);
    StringGrid1->setColCount(3);
    StringGrid1->setRowCount(2);
    StringGrid1->setColWidths({144, 199, 194});
    StringGrid1->setDefaultRowHeight(24);
    sBitBtn1 = MakeGlyphButton(TabSheet2, "sBitBtn1", {557, 16, 144, 41}, 3, tr("Actualiser liste"),
                               "refresh_blue", kTahomaBold13);
    bt_desinstalltt = MakeGlyphButton(TabSheet2, "bt_desinstalltt", {557, 64, 144, 41}, 1,
                                      tr("Désinstaller"), "uninstall", kTahomaBold13);
    bt_desinstall = MakeGlyphButton(TabSheet2, "bt_desinstall", {557, 110, 144, 41}, 0,
                                    tr("      Désinstaller       (garde les réglages)"), "uninstall_keep");
    listappautre = MakeListBox(TabSheet3, "listappautre", {8, 16, 513, 129}, 0);
    listapplisys = MakeListBox(TabSheet4, "listapplisys", {8, 12, 569, 137}, 0);
    // The row actions apply to several applications at once (Ctrl and Shift).
    listappautre->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listapplisys->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The filter of the three pages lies in the tab row, right of the tabs,
    // hidden until asked for: the pages keep their layout.
    ed_filtre = new QLineEdit(PageControl1);
    ed_filtre->setObjectName(QStringLiteral("ed_filtre"));
    ed_filtre->setGeometry(713 - 4 - 260, 0, 260, 20);
    ed_filtre->setClearButtonEnabled(true);
    ed_filtre->hide();

    // The install panel lies in front of everything it overlaps.
    panel_install = Place(new Panel(w), "panel_install", {128, 96, 321, 121}, 6);
    SetSkinSection(panel_install, "PANEL");
    bt_installsd = MakeGlyphButton(panel_install, "bt_installsd", {16, 30, 130, 50}, 0,
                                   tr("installer sur SD"), "microsd", kTahomaBold11);
    bt_installrom = MakeGlyphButton(panel_install, "bt_installrom", {176, 30, 130, 50}, 1,
                                    tr("Installer sur mémoire interne"), "memory_chip", kTahomaBold11);
    box_reinstall = Place(new QCheckBox(tr(" Il s'agit d'une réinstallation "), panel_install),
                          "box_reinstall", {37, 89, 266, 25}, 2);
    SetFont(box_reinstall, {"Tahoma", 16, true, true});
    SetSkinSection(box_reinstall, "CHECKBOX");
    sBitBtn4 = MakeGlyphButton(panel_install, "sBitBtn4", {299, 4, 18, 18}, 3, QString(), "close_small");
    lbl_installfiles = Place(new QLabel(panel_install), "lbl_installfiles", {8, 6, 287, 18});
    SetFont(lbl_installfiles, kTahomaBold11);
    lbl_installfiles->hide();
    // It floats over the pages: a soft shadow sets it off from what lies behind.
    auto* floating = new QGraphicsDropShadowEffect(panel_install);
    floating->setBlurRadius(18);
    floating->setOffset(0, 3);
    floating->setColor(QColor(0x1B, 0x2A, 0x3D, 90));
    panel_install->setGraphicsEffect(floating);
    panel_install->hide();

    // The hidden group and the hidden report button.
    bt_infotel = Place(new GlyphButton(w), "bt_infotel", {612, 168, 73, 65}, 7);
    bt_infotel->setText(tr("Info"));
    bt_infotel->setCursor(Qt::PointingHandCursor);
    SetSkinSection(bt_infotel, "BUTTON_HUGE");
    Memo = Place(new OutputPane(w), "Memo", {736, 8, 297, 65}, 1);
    txtParams = Place(new QLineEdit(w), "txtParams", {739, 164, 249, 21}, 2);
    BtnSend = Place(new QPushButton(tr("Send"), w), "BtnSend", {992, 160, 75, 25}, 0);
    for (QWidget* hidden : std::initializer_list<QWidget*>{bt_infotel, Memo, txtParams, BtnSend, lblParams, Label1})
        hidden->hide();

    // Stacking: pages behind the connection panel, the install panel in front of both.
    PageControl2->stackUnder(panelconnexion);
    panel_install->raise();

    // The menu bar.
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    Fichier1 = bar->addMenu(tr("&Fichier"));
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    Chercherletlphone1 = Fichier1->addAction(tr("&Chercher le téléphone"));
    Chercherletlphone1->setObjectName(QStringLiteral("Chercherletlphone1"));
    Quitter1 = Fichier1->addAction(tr("&Quitter"));
    Quitter1->setObjectName(QStringLiteral("Quitter1"));
    Apropos1 = bar->addAction(tr("&A propos"));
    Apropos1->setObjectName(QStringLiteral("Apropos1"));

    OpenDialog1.title = tr("Choisir l'application android à installer...");
    OpenDialog1.filter = tr("Applications Android") + QStringLiteral("|*.apk");
    OpenDialog1.defaultExtension = QStringLiteral("*.apk");

    ApplyTabOrder(client_);
}

} // namespace quoddle
