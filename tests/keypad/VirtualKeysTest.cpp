// The Windows virtual-key code that each key gives, as Windows itself would
// report it, from what Qt tells of the key elsewhere.

#include "widgets/VirtualKeys.hpp"

#include <QKeyEvent>
#include <gtest/gtest.h>

#include <string>

using namespace quoddle;

namespace {

struct KeyCase {
    const char* name;
    int qtKey;
    bool keypad;
    int virtualKey;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class VirtualKeyOfQtKey : public testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyOfQtKey, IsTheCodeWindowsGives)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(c.virtualKey, VirtualKeyFromQtKey(c.qtKey, c.keypad));
}

// Each keypad key with Num Lock on (digits, operators) and off (what Qt then
// reports: the navigation keys, and Clear for 5), then the main keyboard.
INSTANTIATE_TEST_SUITE_P(Keys, VirtualKeyOfQtKey, testing::Values(
    KeyCase{"keypad_0", Qt::Key_0, true, 96},
    KeyCase{"keypad_5", Qt::Key_5, true, 101},
    KeyCase{"keypad_9", Qt::Key_9, true, 105},
    KeyCase{"keypad_star", Qt::Key_Asterisk, true, 106},
    KeyCase{"keypad_plus", Qt::Key_Plus, true, 107},
    KeyCase{"keypad_minus", Qt::Key_Minus, true, 109},
    KeyCase{"keypad_point", Qt::Key_Period, true, 110},
    KeyCase{"keypad_comma_of_some_layouts", Qt::Key_Comma, true, 110},
    KeyCase{"keypad_slash", Qt::Key_Slash, true, 111},
    KeyCase{"keypad_enter", Qt::Key_Enter, true, 13},
    KeyCase{"keypad_5_without_num_lock", Qt::Key_Clear, true, 12},
    KeyCase{"keypad_8_without_num_lock", Qt::Key_Up, true, 38},
    KeyCase{"keypad_7_without_num_lock", Qt::Key_Home, true, 36},
    KeyCase{"keypad_9_without_num_lock", Qt::Key_PageUp, true, 33},
    KeyCase{"keypad_0_without_num_lock", Qt::Key_Insert, true, 45},
    KeyCase{"keypad_point_without_num_lock", Qt::Key_Delete, true, 46},
    KeyCase{"letter_a", Qt::Key_A, false, 65},
    KeyCase{"letter_z", Qt::Key_Z, false, 90},
    KeyCase{"main_0", Qt::Key_0, false, 48},
    KeyCase{"main_5", Qt::Key_5, false, 53},
    KeyCase{"main_9", Qt::Key_9, false, 57},
    KeyCase{"f1", Qt::Key_F1, false, 112},
    KeyCase{"f2", Qt::Key_F2, false, 113},
    KeyCase{"f24", Qt::Key_F24, false, 135},
    KeyCase{"shift", Qt::Key_Shift, false, 16},
    KeyCase{"control", Qt::Key_Control, false, 17},
    KeyCase{"alt", Qt::Key_Alt, false, 18},
    KeyCase{"alt_gr", Qt::Key_AltGr, false, 18},
    KeyCase{"backspace", Qt::Key_Backspace, false, 8},
    KeyCase{"tab", Qt::Key_Tab, false, 9},
    KeyCase{"shift_tab", Qt::Key_Backtab, false, 9},
    KeyCase{"return", Qt::Key_Return, false, 13},
    KeyCase{"pause", Qt::Key_Pause, false, 19},
    KeyCase{"caps_lock", Qt::Key_CapsLock, false, 20},
    KeyCase{"escape", Qt::Key_Escape, false, 27},
    KeyCase{"space", Qt::Key_Space, false, 32},
    KeyCase{"page_up", Qt::Key_PageUp, false, 33},
    KeyCase{"page_down", Qt::Key_PageDown, false, 34},
    KeyCase{"end", Qt::Key_End, false, 35},
    KeyCase{"home", Qt::Key_Home, false, 36},
    KeyCase{"left", Qt::Key_Left, false, 37},
    KeyCase{"up", Qt::Key_Up, false, 38},
    KeyCase{"right", Qt::Key_Right, false, 39},
    KeyCase{"down", Qt::Key_Down, false, 40},
    KeyCase{"print_screen", Qt::Key_Print, false, 44},
    KeyCase{"insert", Qt::Key_Insert, false, 45},
    KeyCase{"delete", Qt::Key_Delete, false, 46},
    KeyCase{"windows_key", Qt::Key_Super_L, false, 91},
    KeyCase{"context_menu", Qt::Key_Menu, false, 93},
    KeyCase{"num_lock", Qt::Key_NumLock, false, 144},
    KeyCase{"scroll_lock", Qt::Key_ScrollLock, false, 145},
    KeyCase{"volume_up", Qt::Key_VolumeUp, false, 175},
    // Main keyboard signs: not the keypad's codes.
    KeyCase{"main_star_french", Qt::Key_Asterisk, false, 220},
    KeyCase{"main_plus", Qt::Key_Plus, false, 187},
    KeyCase{"main_minus", Qt::Key_Minus, false, 189},
    KeyCase{"main_period", Qt::Key_Period, false, 190},
    KeyCase{"main_slash", Qt::Key_Slash, false, 191},
    KeyCase{"semicolon", Qt::Key_Semicolon, false, 186},
    KeyCase{"quote", Qt::Key_Apostrophe, false, 222},
    KeyCase{"french_u_grave", Qt::Key_Ugrave, false, 192},
    KeyCase{"french_circumflex", Qt::Key_Dead_Circumflex, false, 221},
    KeyCase{"french_e_acute_of_the_digit_row", Qt::Key_Eacute, false, 50},
    KeyCase{"no_code", Qt::Key_unknown, false, 0},
    KeyCase{"letter_flagged_as_keypad", Qt::Key_A, true, 65}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualKeyOfKeyPlace, TheDigitRowGivesDigitsWhateverTheLayoutTypes)
{
    // XKB keycodes 10..19 are the digit row, 1 to 0.
    EXPECT_EQ(49, VirtualKeyFromKeyPlace(10));
    EXPECT_EQ(53, VirtualKeyFromKeyPlace(14)); // "(" unshifted on a French keyboard
    EXPECT_EQ(57, VirtualKeyFromKeyPlace(18));
    EXPECT_EQ(48, VirtualKeyFromKeyPlace(19));
    EXPECT_EQ(226, VirtualKeyFromKeyPlace(94)); // the "<>" key of ISO keyboards
    // Letters, punctuation and the keypad go by what they type.
    EXPECT_EQ(0, VirtualKeyFromKeyPlace(9));  // Escape
    EXPECT_EQ(0, VirtualKeyFromKeyPlace(20)); // the key right of 0
    EXPECT_EQ(0, VirtualKeyFromKeyPlace(38)); // A on a US keyboard
    EXPECT_EQ(0, VirtualKeyFromKeyPlace(84)); // keypad 5
    EXPECT_EQ(0, VirtualKeyFromKeyPlace(0));
}

TEST(VirtualKeyOfEvent, TakesTheKeypadFromTheModifiers)
{
    // The test platform carries no XKB keycodes: the key alone decides.
    const QKeyEvent keypad5(QEvent::KeyRelease, Qt::Key_5, Qt::KeypadModifier);
    const QKeyEvent main5(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier);
    const QKeyEvent shiftedKeypadStar(QEvent::KeyRelease, Qt::Key_Asterisk, Qt::KeypadModifier | Qt::ShiftModifier);
    EXPECT_EQ(101, VirtualKeyCode(keypad5));
    EXPECT_EQ(53, VirtualKeyCode(main5));
    EXPECT_EQ(106, VirtualKeyCode(shiftedKeypadStar));
}

} // namespace
