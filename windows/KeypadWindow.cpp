#include "KeypadWindow.hpp"

#include "FormBuilder.hpp"
#include "HandlerGuard.hpp"
#include "Services.hpp"
#include "operations/FrmMain.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/VirtualKeys.hpp"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QWindow>

#include <algorithm>
#include <iterator>
#include <string>

namespace quoddle {

namespace {

// The phone's key for each PC key that has one: Windows virtual-key code and
// Android key code (android.view.KeyEvent numbering).
struct PhoneKey {
    std::uint16_t virtualKey;
    int androidKey;
};

constexpr PhoneKey kPhoneKeys[] = {
    {8, 4},     // Backspace: BACK
    {9, 61},    // Tab: TAB
    {12, 67},   // Clear (keypad 5 without Num Lock): DEL
    {13, 66},   // Enter: ENTER
    {16, 59},   // Shift: SHIFT_LEFT
    {18, 57},   // Alt: ALT_LEFT
    {32, 62},   // Space: SPACE
    {33, 24},   // Page Up: VOLUME_UP
    {34, 25},   // Page Down: VOLUME_DOWN
    {36, 3},    // Home: HOME
    {37, 21},   // Left: DPAD_LEFT
    {38, 19},   // Up: DPAD_UP
    {39, 22},   // Right: DPAD_RIGHT
    {40, 20},   // Down: DPAD_DOWN
    {46, 67},   // Delete: DEL
    {96, 7},    // keypad 0 .. 9: 0 .. 9
    {97, 8},    {98, 9},    {99, 10},   {100, 11},  {101, 12},
    {102, 13},  {103, 14},  {104, 15},  {105, 16},
    {106, 17},  // keypad *: STAR
    {111, 76},  // keypad /: SLASH
};

constexpr int kVolumeUpKey = 33;   // sent as Page Up
constexpr int kVolumeDownKey = 34; // sent as Page Down

struct KeypadButton {
    int number; // sBitBtn<number>
    const char* caption;
    QRect geometry;
    bool keyUpHandler = true;
};

// The window's buttons by group, as the window data places them.
constexpr KeypadButton kButtons[] = {
    // Phone function keys along the top.
    {1, "power", {104, 24, 49, 25}},
    {2, "clear", {176, 24, 49, 25}},
    {3, "search", {248, 24, 49, 25}},
    {4, "Sym", {416, 24, 49, 25}},
    {5, "focus", {472, 24, 49, 25}},
    {6, "notification", {528, 24, 49, 25}},
    {7, "Menu", {592, 24, 49, 25}},
    {8, "grave", {656, 24, 49, 25}},
    {11, "Headsethook player", {736, 24, 105, 25}},
    {12, "coma ,", {856, 24, 49, 25}},
    {10, "Volume +", {1024, 24, 57, 25}},
    {13, "envelope", {8, 32, 49, 25}},
    {9, "Volume-", {1024, 56, 57, 25}},
    {14, "explorer", {8, 64, 49, 25}},
    {15, "camera", {96, 64, 49, 25}},
    {16, "at @", {168, 64, 49, 25}},
    {17, "semicolon ;", {368, 104, 73, 25}},
    // Typing block, row by row.
    {18, "'", {208, 224, 41, 25}},
    {19, "\\", {424, 224, 49, 25}},
    {20, "=", {552, 224, 49, 25}},
    {21, "Retour", {616, 224, 49, 25}},
    {22, "TAB", {24, 256, 49, 25}},
    {23, "A", {80, 256, 41, 25}},
    {24, "Z", {128, 256, 41, 25}},
    {25, "E", {176, 256, 49, 25}},
    {26, "R", {232, 256, 49, 25}},
    {27, "T", {288, 256, 49, 25}},
    {28, "Y", {344, 256, 49, 25}},
    {29, "U", {400, 256, 49, 25}},
    {30, "I", {456, 256, 49, 25}},
    {31, "O", {512, 256, 49, 25}},
    {32, "P", {568, 256, 41, 25}},
    {33, "enter", {616, 256, 49, 25}},
    {34, "Q", {88, 288, 49, 25}},
    {35, "S", {144, 288, 49, 25}},
    {36, "D", {200, 288, 49, 25}},
    {37, "F", {256, 288, 49, 25}},
    {38, "G", {312, 288, 49, 25}},
    {39, "H", {368, 288, 49, 25}},
    {40, "J", {424, 288, 49, 25}},
    {41, "K", {480, 288, 49, 25}},
    {42, "L", {536, 288, 49, 25}},
    {43, "M", {592, 288, 49, 25}},
    {44, "Shift G", {48, 320, 49, 25}},
    {45, "W", {104, 320, 49, 25}},
    {46, "X", {160, 320, 49, 25}},
    {47, "C", {216, 320, 49, 25}},
    {48, "V", {272, 320, 49, 25}},
    {49, "B", {328, 320, 49, 25}},
    {50, "N", {384, 320, 49, 25}},
    {51, "Shift D", {624, 320, 49, 25}},
    {52, "alt left", {136, 352, 49, 25}},
    {57, "space", {192, 352, 281, 25}},
    {53, "alt droit", {480, 352, 49, 25}},
    {54, "period .", {632, 432, 49, 25}},
    // Direction block.
    {55, "del", {744, 248, 49, 25}},
    {56, "haut", {792, 288, 49, 25}},
    {58, "gauche", {736, 320, 49, 25}},
    {59, "centre", {792, 320, 49, 25}},
    {60, "droite", {848, 320, 49, 25}},
    {61, "bas", {792, 352, 49, 25}},
    // Phone block.
    {62, "APPEL", {960, 192, 49, 25}},
    {63, "Raccrocher", {1072, 192, 65, 25}},
    {64, "Num", {944, 232, 49, 25}},
    {66, "/", {1000, 232, 49, 25}},
    {67, "*", {1056, 232, 49, 25}},
    {65, "-", {1112, 232, 25, 25}, false},
    {68, "7", {944, 264, 49, 25}},
    {69, "8", {1000, 264, 49, 25}},
    {70, "9", {1056, 264, 49, 25}},
    {72, "+", {1112, 264, 25, 57}, false},
    {71, "4", {944, 296, 49, 25}},
    {73, "5", {1000, 296, 49, 25}},
    {74, "6", {1056, 296, 49, 25}},
    {75, "1", {944, 328, 49, 25}},
    {76, "2", {1000, 328, 49, 25}},
    {77, "3", {1056, 328, 49, 25}},
    {78, "0", {992, 360, 73, 25}},
    {79, "pound #", {1072, 360, 49, 25}},
};
static_assert(std::size(kButtons) == Tfm_appli::kButtonCount);

const FontSpec kWindowFont{"MS Sans Serif", 11};

// The frame of a sizeable window on Windows at 96 dpi, until the platform
// tells the real one.
constexpr QMargins kUsualFrame{8, 31, 8, 8};

// A caption wider than its button is drawn condensed, at the same height,
// until it fits: "notification" in a 49-pixel button does not fit otherwise.
void CondenseCaptionToFit(GlyphButton* button)
{
    const int room = button->width() - 2 * GlyphButton::kMargin;
    QFont font = button->font();
    const auto width = [&button](const QFont& f) { return QFontMetrics(f).horizontalAdvance(button->text()); };
    if (width(font) <= room)
        return;
    int stretch = font.stretch();
    if (stretch == QFont::AnyStretch) {
        // Stretch is absolute (100 a normal width): find the face's own by measuring.
        QFont normal = font;
        normal.setStretch(QFont::Unstretched);
        stretch = 100 * width(font) / std::max(1, width(normal));
    }
    constexpr int kNarrowest = 50;
    do {
        font.setStretch(--stretch);
    } while (width(font) > room && stretch > kNarrowest);
    button->setFont(font);
}

} // namespace

void SendPhoneKey(std::uint16_t key)
{
    const auto* const end = std::end(kPhoneKeys);
    const auto* const found =
        std::find_if(std::begin(kPhoneKeys), end, [key](const PhoneKey& k) { return k.virtualKey == key; });
    if (found == end) {
        services().ShowInformation(QString::number(key));
        return;
    }
    if (!FrmMain)
        return; // the keypad is only ever shown from the main window
    // To the selected phone; with none, to the only one adb sees.
    FrmMain->AdbArgs = FrmMain->DevicePrefix() + "shell input keyevent " + std::to_string(found->androidKey);
    FrmMain->RunCommand(FrmMain->AdbPath, FrmMain->AppDir());
}

Tfm_appli::Tfm_appli(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fm_appli"));
    setWindowTitle(QStringLiteral("Commander le téléphone..."));
    SetSkinSection(this, "FORM");
    SetFont(this, kWindowFont);

    for (const KeypadButton& row : kButtons) {
        const std::string name = "sBitBtn" + std::to_string(row.number);
        // Every button takes the focus; the tab order follows the designer's numbering.
        auto* button = Place(new GlyphButton(this), name.c_str(), row.geometry, row.number - 1);
        button->setText(QString::fromLatin1(row.caption));
        SetSkinSection(button, "BUTTON");
        CondenseCaptionToFit(button);
        if (row.keyUpHandler)
            button->installEventFilter(this);
        buttons_[static_cast<std::size_t>(row.number - 1)] = button;
    }
    ApplyTabOrder(this);
    sBitBtn9 = Button(9);
    sBitBtn10 = Button(10);
    sBitBtn57 = Button(57);
    sBitBtn65 = Button(65);
    sBitBtn72 = Button(72);
    sBitBtn57->setDefault(true);
    connect(sBitBtn9, &QPushButton::clicked, this, [this] { RunGuarded([this] { sBitBtn9Click(); }); });
    connect(sBitBtn10, &QPushButton::clicked, this, [this] { RunGuarded([this] { sBitBtn10Click(); }); });
    // Without an active control, the first in the tab order has the focus when shown.
    Button(1)->setFocus();

    resize(kOuterGeometry.size().shrunkBy(kUsualFrame));
    move(kOuterGeometry.topLeft()); // where designed: the dialog is not centred on its parent
}

void Tfm_appli::FormKeyUp(QObject* /*sender*/, std::uint16_t key, Qt::KeyboardModifiers /*shift*/)
{
    SendPhoneKey(key);
}

void Tfm_appli::sBitBtn9Click() { SendPhoneKey(kVolumeDownKey); }

void Tfm_appli::sBitBtn10Click() { SendPhoneKey(kVolumeUpKey); }

bool Tfm_appli::eventFilter(QObject* watched, QEvent* event)
{
    // Only the buttons with a key handler are watched. The release then goes on
    // to the button, so that Space still clicks it after the key was sent.
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const auto code = static_cast<std::uint16_t>(VirtualKeyCode(*key));
            const auto modifiers = key->modifiers();
            RunGuarded([&] { FormKeyUp(watched, code, modifiers); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfm_appli::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // No button cancels the window: Escape is a key like the others, sent on release.
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Buttons take Left and Right as a move of the focus; Up and Down move it the same way.
        focusNextPrevChild(event->key() == Qt::Key_Down);
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void Tfm_appli::keyReleaseEvent(QKeyEvent* event)
{
    // Without key preview, the window hears a key only when no control has the
    // focus; releases that a focused button leaves unhandled end here unheard.
    const QWidget* focused = focusWidget();
    if ((!focused || focused == this) && !event->isAutoRepeat()) {
        const auto code = static_cast<std::uint16_t>(VirtualKeyCode(*event));
        const auto modifiers = event->modifiers();
        RunGuarded([&] { FormKeyUp(this, code, modifiers); });
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void Tfm_appli::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitFrameToOuterGeometry();
}

void Tfm_appli::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    // Some window managers tell the frame only once they have framed the window.
    if (!frameKnown_ && isVisible())
        fitFrameToOuterGeometry();
}

void Tfm_appli::fitFrameToOuterGeometry()
{
    const QWindow* handle = windowHandle();
    if (!handle || frameKnown_)
        return;
    const QMargins frame = handle->frameMargins();
    if (frame.isNull())
        return;
    frameKnown_ = true;
    resize(kOuterGeometry.size().shrunkBy(frame));
    move(kOuterGeometry.topLeft());
}

} // namespace quoddle
