#pragma once
// The main window's controls, laid out as the window data gives them. The
// behaviour lives in operations/ (TFrmMain derives from this form).

#include <QMainWindow>
#include <QStringList>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace quoddle {

class Bevel;
class EffectLabel;
class GlyphButton;
class MaskEdit;
class OutputPane;
class Panel;
class Picture;
class RadioGroup;
class SpinEdit;
class StringGrid;
class TextListBox;

// Settings of the package-file dialog.
struct OpenDialogSettings {
    QString title;
    QString filter;        // "Applications Android|*.apk" as the window data stores it
    QString defaultExtension;
    QString fileName;      // the last confirmed file, kept between installs
    QStringList fileNames; // every file of the last choice or drop (fileName is the first)
};

class MainWindowForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindowForm(QWidget* parent = nullptr);
    ~MainWindowForm() override;

    // Client area below the menu bar.
    static constexpr int kClientWidth = 742;
    static constexpr int kClientHeight = 597;

    // Direct children of the client area.
    QTabWidget* PageControl2 = nullptr;
    Panel* panelconnexion = nullptr;
    Picture* ImageErr = nullptr;
    Picture* ImageOk = nullptr;
    QComboBox* listdevices = nullptr;
    QTabWidget* PageControl1 = nullptr;
    Panel* panel_install = nullptr;
    GlyphButton* bt_infotel = nullptr;
    OutputPane* Memo = nullptr;
    QLineEdit* txtParams = nullptr;
    QPushButton* BtnSend = nullptr;
    QLabel* lblParams = nullptr;
    QLabel* Label1 = nullptr;

    // "Commandes de base"
    QWidget* TabSheet1 = nullptr;
    GlyphButton* bt_reboot = nullptr;
    GlyphButton* btrebootloader = nullptr;
    GlyphButton* bt_rebootrecovery = nullptr;
    GlyphButton* bt_install = nullptr;
    GlyphButton* sBitBtn2 = nullptr;
    MaskEdit* ed_numero = nullptr;
    GlyphButton* bt_numeroter = nullptr;
    TextListBox* list_infotel = nullptr;
    GlyphButton* bt_cmd = nullptr;

    // "Spécifiques"
    QWidget* TabSheet5 = nullptr;
    RadioGroup* reglageappliinstall = nullptr;
    GlyphButton* bt_actualfroyo = nullptr;
    QPushButton* bt_appliquer = nullptr;
    RadioGroup* reglagesave = nullptr;
    GlyphButton* bt_trash = nullptr;
    Panel* sPanel1 = nullptr;
    EffectLabel* sLabelFX1 = nullptr;
    EffectLabel* sLabelFX2 = nullptr;
    EffectLabel* sLabelFX3 = nullptr;
    EffectLabel* sLabelFX4 = nullptr;
    EffectLabel* sLabelFX5 = nullptr;

    // The connection panel.
    EffectLabel* sLabelFX6 = nullptr;
    EffectLabel* sLabelFX7 = nullptr;
    GlyphButton* bt_connectusb = nullptr;
    Bevel* Bevel1 = nullptr;
    EffectLabel* sLabelFX8 = nullptr;
    QLabel* sLabel1 = nullptr;
    MaskEdit* ed_ip = nullptr;
    QLabel* sLabel2 = nullptr;
    SpinEdit* ed_port = nullptr;
    GlyphButton* bt_connectwifi = nullptr;

    // The application pages.
    QWidget* TabSheet2 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    GlyphButton* sBitBtn1 = nullptr;
    GlyphButton* bt_desinstalltt = nullptr;
    GlyphButton* bt_desinstall = nullptr;
    QWidget* TabSheet3 = nullptr;
    TextListBox* listappautre = nullptr;
    QWidget* TabSheet4 = nullptr;
    TextListBox* listapplisys = nullptr;
    // Hidden until the user asks for it (Ctrl+F).
    QLineEdit* ed_filtre = nullptr;

    // The install panel.
    GlyphButton* bt_installsd = nullptr;
    GlyphButton* bt_installrom = nullptr;
    QCheckBox* box_reinstall = nullptr;
    GlyphButton* sBitBtn4 = nullptr;
    // Across the top of the panel, left of its close button: how many files
    // and which, when several were chosen or dropped (hidden for one .apk).
    QLabel* lbl_installfiles = nullptr;

    // The menu bar.
    QMenu* Fichier1 = nullptr;
    QAction* Chercherletlphone1 = nullptr;
    QAction* Quitter1 = nullptr;
    QAction* Apropos1 = nullptr;

    OpenDialogSettings OpenDialog1;

    // The client area: the parent of the controls above.
    QWidget* clientArea() const { return client_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    QWidget* client_ = nullptr;
    bool placed_ = false;
};

} // namespace quoddle
