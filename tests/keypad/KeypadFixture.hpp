#pragma once
// The keypad shown over a main window whose folder holds the scripted adb,
// with a phone selected (which the key events name), and keys typed
// the way the window system delivers them: to whichever control has the focus.

#include "operations/MainWindowFixture.hpp"
#include "widgets/GlyphButton.hpp"
#include "windows/KeypadWindow.hpp"

#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <string>

namespace quoddle::test {

class KeypadTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Open(PhoneRules());
        ASSERT_EQ(kSerial, window->CurrentDevice);
        keypad = std::make_unique<Tfm_appli>(window.get());
        keypad->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(keypad.get()));
        Rescript({FakeAdbRule::Default()});
    }

    void TearDown() override { keypad.reset(); }

    // One key event from the window system, delivered at once.
    template <class Delivery = QWindowSystemInterface::SynchronousDelivery>
    void Deliver(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 bool autoRepeat = false)
    {
        QWindowSystemInterface::handleKeyEvent<Delivery>(keypad->windowHandle(), type, key, modifiers, QString(),
                                                         autoRepeat);
    }

    // A key pressed and released.
    void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Deliver(QEvent::KeyPress, key, modifiers);
        Deliver(QEvent::KeyRelease, key, modifiers);
    }

    GlyphButton* Focus(int buttonNumber)
    {
        GlyphButton* button = keypad->Button(buttonNumber);
        button->setFocus(Qt::OtherFocusReason);
        return button;
    }

    // What adb receives for these Android key codes, in order.
    static FakeAdb::Calls KeyEvents(std::initializer_list<int> androidKeys)
    {
        FakeAdb::Calls calls;
        for (int code : androidKeys)
            calls.push_back({"-s", kSerial, "shell", "input", "keyevent", std::to_string(code)});
        return calls;
    }

    std::unique_ptr<Tfm_appli> keypad;
};

} // namespace quoddle::test
