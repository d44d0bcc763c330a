// Keys released on the keypad reach the selected phone as "-s SERIAL shell
// input keyevent N"; keys the phone has no code for show their own.

#include "KeypadFixture.hpp"

#include "operations/Texts.hpp"
#include "windows/WindowInstances.hpp"

#include <QApplication>
#include <QTimer>

using namespace quoddle;
using namespace quoddle::test;

namespace {

constexpr int kButtonA = 23;      // "A": an ordinary button with a key handler
constexpr int kButtonNum = 64;    // "Num", just before "-" in the tab order
constexpr int kButtonMinus = 65;  // "-"
constexpr int kButtonSlash = 66;  // "/"
constexpr int kButtonPlus = 72;   // "+"

struct SentKeyCase {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int androidKey;
};
void PrintTo(const SentKeyCase& c, std::ostream* os) { *os << c.name; }

class KeyReleaseSends : public KeypadTest, public testing::WithParamInterface<SentKeyCase> {};

TEST_P(KeyReleaseSends, ItsPhoneKeyToTheSelectedDevice)
{
    const SentKeyCase& c = GetParam();
    Focus(kButtonA);
    Type(c.qtKey, c.modifiers);
    EXPECT_EQ(KeyEvents({c.androidKey}), Sent());
    EXPECT_EQ("-s " + kSerial + " shell input keyevent " + std::to_string(c.androidKey), window->AdbArgs);
    EXPECT_EQ(QStringList(), services.messages());
    EXPECT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption());
}

constexpr Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(KeyTable, KeyReleaseSends, testing::Values(
    SentKeyCase{"backspace_is_back_not_del", Qt::Key_Backspace, {}, 4},
    SentKeyCase{"tab", Qt::Key_Tab, {}, 61},
    SentKeyCase{"clear_keypad_5_without_num_lock", Qt::Key_Clear, kKeypad, 67},
    SentKeyCase{"return", Qt::Key_Return, {}, 66},
    SentKeyCase{"keypad_enter", Qt::Key_Enter, kKeypad, 66},
    SentKeyCase{"shift", Qt::Key_Shift, {}, 59},
    SentKeyCase{"alt", Qt::Key_Alt, {}, 57},
    SentKeyCase{"space", Qt::Key_Space, {}, 62},
    SentKeyCase{"page_up", Qt::Key_PageUp, {}, 24},
    SentKeyCase{"page_down", Qt::Key_PageDown, {}, 25},
    SentKeyCase{"home", Qt::Key_Home, {}, 3},
    SentKeyCase{"left", Qt::Key_Left, {}, 21},
    SentKeyCase{"up", Qt::Key_Up, {}, 19},
    SentKeyCase{"right", Qt::Key_Right, {}, 22},
    SentKeyCase{"down", Qt::Key_Down, {}, 20},
    SentKeyCase{"delete", Qt::Key_Delete, {}, 67},
    SentKeyCase{"keypad_0", Qt::Key_0, kKeypad, 7},
    SentKeyCase{"keypad_1", Qt::Key_1, kKeypad, 8},
    SentKeyCase{"keypad_2", Qt::Key_2, kKeypad, 9},
    SentKeyCase{"keypad_3", Qt::Key_3, kKeypad, 10},
    SentKeyCase{"keypad_4", Qt::Key_4, kKeypad, 11},
    SentKeyCase{"keypad_5_with_num_lock", Qt::Key_5, kKeypad, 12},
    SentKeyCase{"keypad_6", Qt::Key_6, kKeypad, 13},
    SentKeyCase{"keypad_7", Qt::Key_7, kKeypad, 14},
    SentKeyCase{"keypad_8", Qt::Key_8, kKeypad, 15},
    SentKeyCase{"keypad_9", Qt::Key_9, kKeypad, 16},
    SentKeyCase{"keypad_star", Qt::Key_Asterisk, kKeypad, 17},
    SentKeyCase{"keypad_slash", Qt::Key_Slash, kKeypad, 76},
    SentKeyCase{"keypad_8_without_num_lock_is_up", Qt::Key_Up, kKeypad, 19}),
    [](const auto& info) { return std::string(info.param.name); });

struct UnmappedKeyCase {
    const char* name;
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    const char* message;
};
void PrintTo(const UnmappedKeyCase& c, std::ostream* os) { *os << c.name; }

class UnmappedKeyRelease : public KeypadTest, public testing::WithParamInterface<UnmappedKeyCase> {};

TEST_P(UnmappedKeyRelease, ShowsItsCodeAndSendsNothing)
{
    const UnmappedKeyCase& c = GetParam();
    Focus(kButtonA);
    Type(c.qtKey, c.modifiers);
    EXPECT_EQ(QStringList{QString::fromLatin1(c.message)}, services.messages());
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(keypad->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Unmapped, UnmappedKeyRelease, testing::Values(
    UnmappedKeyCase{"letter_a", Qt::Key_A, {}, "65"},
    UnmappedKeyCase{"main_keyboard_5", Qt::Key_5, {}, "53"},
    UnmappedKeyCase{"f2", Qt::Key_F2, {}, "113"},
    UnmappedKeyCase{"control", Qt::Key_Control, {}, "17"},
    UnmappedKeyCase{"end", Qt::Key_End, {}, "35"},
    UnmappedKeyCase{"insert", Qt::Key_Insert, {}, "45"},
    UnmappedKeyCase{"keypad_plus", Qt::Key_Plus, kKeypad, "107"},
    UnmappedKeyCase{"keypad_minus", Qt::Key_Minus, kKeypad, "109"},
    UnmappedKeyCase{"keypad_point", Qt::Key_Period, kKeypad, "110"},
    UnmappedKeyCase{"main_keyboard_star", Qt::Key_Asterisk, {}, "220"},
    UnmappedKeyCase{"escape_does_not_close_the_window", Qt::Key_Escape, {}, "27"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeypadTest, WithoutASelectedDeviceTheEventNamesNone)
{
    window->CurrentDevice.clear();
    keypad->sBitBtn10->click();
    EXPECT_EQ((FakeAdb::Calls{{"shell", "input", "keyevent", "24"}}), Sent());
}

TEST_F(KeypadTest, OnlyTheVolumeButtonsActWhenClicked)
{
    keypad->sBitBtn10->click();
    keypad->sBitBtn9->click();
    EXPECT_EQ(KeyEvents({24, 25}), Sent());
    EXPECT_EQ(QStringLiteral("Commander le téléphone..."), keypad->windowTitle()); // runs tell on the main window

    Rescript({FakeAdbRule::Default()});
    for (int number = 1; number <= Tfm_appli::kButtonCount; ++number) {
        if (number != 9 && number != 10)
            keypad->Button(number)->click();
    }
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(QStringList(), services.messages());
}

TEST_F(KeypadTest, MinusAndPlusPassNoKeyOn)
{
    for (int number : {kButtonMinus, kButtonPlus}) {
        Focus(number);
        Type(Qt::Key_A);
        Type(Qt::Key_Home);
        Type(Qt::Key_5, Qt::KeypadModifier);
        EXPECT_EQ(keypad->Button(number), keypad->focusWidget());
    }
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(QStringList(), services.messages());
}

TEST_F(KeypadTest, TheButtonThatTabOrAnArrowFocusesHearsTheRelease)
{
    Focus(kButtonNum);
    Type(Qt::Key_Tab); // onto "-": its release is not heard
    EXPECT_EQ(keypad->Button(kButtonMinus), keypad->focusWidget());
    EXPECT_TRUE(Sent().empty());
    Type(Qt::Key_Tab); // onto "/"
    EXPECT_EQ(keypad->Button(kButtonSlash), keypad->focusWidget());
    EXPECT_EQ(KeyEvents({61}), Sent());

    Rescript({FakeAdbRule::Default()});
    for (int key : {Qt::Key_Up, Qt::Key_Left}) {
        Focus(kButtonSlash);
        Type(key); // back onto "-"
        EXPECT_EQ(keypad->Button(kButtonMinus), keypad->focusWidget());
    }
    Type(Qt::Key_Down); // on to "/"
    EXPECT_EQ(keypad->Button(kButtonSlash), keypad->focusWidget());
    Type(Qt::Key_Right);
    EXPECT_EQ(keypad->Button(67), keypad->focusWidget());
    EXPECT_EQ(KeyEvents({20, 22}), Sent());
}

TEST_F(KeypadTest, SpaceAndEnterOnAFocusedVolumeButtonAlsoClickIt)
{
    // Space clicks on release, after the key went out; Enter clicks on press, before.
    Focus(10);
    Type(Qt::Key_Space);
    EXPECT_EQ(KeyEvents({62, 24}), Sent());

    Rescript({FakeAdbRule::Default()});
    Focus(9);
    Type(Qt::Key_Return);
    EXPECT_EQ(KeyEvents({25, 66}), Sent());
}

TEST_F(KeypadTest, TheWindowHearsKeysWhenNoControlHasTheFocus)
{
    ASSERT_NE(nullptr, keypad->focusWidget());
    keypad->focusWidget()->clearFocus();
    ASSERT_EQ(nullptr, keypad->focusWidget());
    Type(Qt::Key_Home);
    EXPECT_EQ(KeyEvents({3}), Sent());
}

TEST_F(KeypadTest, KeysGoOutOnReleaseOnlyAndWithoutModifiers)
{
    Focus(kButtonA);
    // Home held with auto-repeat: one event, when it is let go.
    Deliver(QEvent::KeyPress, Qt::Key_Home);
    for (int i = 0; i < 3; ++i) {
        Deliver(QEvent::KeyRelease, Qt::Key_Home, Qt::NoModifier, true);
        Deliver(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier, true);
    }
    EXPECT_TRUE(Sent().empty());
    Deliver(QEvent::KeyRelease, Qt::Key_Home);
    EXPECT_EQ(KeyEvents({3}), Sent());

    // Shift held with Home: Home, then Shift, in the order of release.
    Rescript({FakeAdbRule::Default()});
    Deliver(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    Deliver(QEvent::KeyPress, Qt::Key_Home, Qt::ShiftModifier);
    Deliver(QEvent::KeyRelease, Qt::Key_Home, Qt::ShiftModifier);
    Deliver(QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_EQ(KeyEvents({3, 59}), Sent());
}

TEST_F(KeypadTest, FiveQuickReleasesGiveFiveRunsInOrder)
{
    // Each run takes a while; the releases behind it wait their turn.
    Rescript({FakeAdbRule::Default().DelayMs(60)});
    Focus(kButtonA);
    using Queued = QWindowSystemInterface::AsynchronousDelivery;
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Home, {}}, {Qt::Key_1, kKeypad}, {Qt::Key_2, kKeypad}, {Qt::Key_Backspace, {}}, {Qt::Key_Down, {}}};
    for (const auto& [key, modifiers] : keys) {
        Deliver<Queued>(QEvent::KeyPress, key, modifiers);
        Deliver<Queued>(QEvent::KeyRelease, key, modifiers);
    }
    for (int i = 0; i < 100 && Sent().size() < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(KeyEvents({3, 8, 9, 4, 20}), Sent());
}

TEST_F(KeypadTest, TheMainWindowShowsItModallyAgainAndAgain)
{
    EXPECT_FALSE(window->sBitBtn2->isEnabled());
    keypad->hide();
    fm_appli = keypad.get();
    for (int showing = 0; showing < 2; ++showing) {
        bool modalWhenShown = false;
        QTimer::singleShot(0, keypad.get(), [&] {
            modalWhenShown = keypad->isVisible() && QApplication::activeModalWidget() == keypad.get();
            Focus(kButtonA);
            Type(Qt::Key_Home);
            keypad->close();
        });
        window->sBitBtn2Click();
        EXPECT_TRUE(modalWhenShown);
        EXPECT_FALSE(keypad->isVisible());
    }
    fm_appli = nullptr;
    EXPECT_EQ(KeyEvents({3, 3}), Sent());
}

} // namespace
