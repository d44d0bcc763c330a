#pragma once
// The remote keypad: keys released while it is active are sent to the phone
// as key events ("shell input keyevent N") through the main window's runs.
// Its face is a grid of buttons named after phone keys; only the two volume
// buttons act when clicked, the others pass on the key releases they receive.

#include <QDialog>
#include <QRect>

#include <array>
#include <cstdint>

namespace quoddle {

class GlyphButton;

// Sends the key with this Windows virtual-key code to the phone, or shows the
// code in a message box when the phone has no key for it.
void SendPhoneKey(std::uint16_t key);

class Tfm_appli : public QDialog {
    Q_OBJECT
public:
    static constexpr int kButtonCount = 79;
    // Where the window's frame goes when it is first shown.
    static constexpr QRect kOuterGeometry{198, 121, 1165, 563};

    explicit Tfm_appli(QWidget* parent = nullptr);

    // sBitBtn<number>, 1 to kButtonCount.
    GlyphButton* Button(int number) const { return buttons_.at(static_cast<std::size_t>(number - 1)); }

    GlyphButton* sBitBtn9 = nullptr;  // "Volume-"
    GlyphButton* sBitBtn10 = nullptr; // "Volume +"
    GlyphButton* sBitBtn57 = nullptr; // "space", the default button
    GlyphButton* sBitBtn65 = nullptr; // "-", no key handler
    GlyphButton* sBitBtn72 = nullptr; // "+", no key handler

    void FormKeyUp(QObject* sender, std::uint16_t key, Qt::KeyboardModifiers shift);
    void sBitBtn9Click();
    void sBitBtn10Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Sizes the window so that its frame, once the platform has told its
    // width, covers kOuterGeometry exactly.
    void fitFrameToOuterGeometry();

    std::array<GlyphButton*, kButtonCount> buttons_{};
    bool frameKnown_ = false;
};

} // namespace quoddle
