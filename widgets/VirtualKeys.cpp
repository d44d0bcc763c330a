#include "VirtualKeys.hpp"

#include <QGuiApplication>
#include <QKeyEvent>

#include <unordered_map>

namespace quoddle {

namespace {

// Keys whose code does not follow from a range. The OEM codes (186 and up)
// are those of the US layout; the French layout's own keys come after.
const std::unordered_map<int, int>& FixedKeys()
{
    static const std::unordered_map<int, int> keys = {
        {Qt::Key_Cancel, 3},        {Qt::Key_Backspace, 8},     {Qt::Key_Tab, 9},
        {Qt::Key_Backtab, 9},       {Qt::Key_Clear, 12},        {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},        {Qt::Key_Shift, 16},        {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18},          {Qt::Key_AltGr, 18},        {Qt::Key_Pause, 19},
        {Qt::Key_CapsLock, 20},     {Qt::Key_Escape, 27},       {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},       {Qt::Key_PageDown, 34},     {Qt::Key_End, 35},
        {Qt::Key_Home, 36},         {Qt::Key_Left, 37},         {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},        {Qt::Key_Down, 40},         {Qt::Key_Select, 41},
        {Qt::Key_Printer, 42},      {Qt::Key_Execute, 43},      {Qt::Key_Print, 44},
        {Qt::Key_SysReq, 44},       {Qt::Key_Insert, 45},       {Qt::Key_Delete, 46},
        {Qt::Key_Help, 47},         {Qt::Key_Meta, 91},         {Qt::Key_Super_L, 91},
        {Qt::Key_Super_R, 92},      {Qt::Key_Menu, 93},         {Qt::Key_Sleep, 95},
        {Qt::Key_NumLock, 144},     {Qt::Key_ScrollLock, 145},
        // Browser, volume, media and launch keys.
        {Qt::Key_Back, 166},        {Qt::Key_Forward, 167},     {Qt::Key_Refresh, 168},
        {Qt::Key_Stop, 169},        {Qt::Key_Search, 170},      {Qt::Key_Favorites, 171},
        {Qt::Key_HomePage, 172},    {Qt::Key_VolumeMute, 173},  {Qt::Key_VolumeDown, 174},
        {Qt::Key_VolumeUp, 175},    {Qt::Key_MediaNext, 176},   {Qt::Key_MediaPrevious, 177},
        {Qt::Key_MediaStop, 178},   {Qt::Key_MediaTogglePlayPause, 179}, {Qt::Key_MediaPlay, 179},
        {Qt::Key_MediaPause, 179},  {Qt::Key_LaunchMail, 180},  {Qt::Key_LaunchMedia, 181},
        {Qt::Key_Launch0, 182},     {Qt::Key_Explorer, 182},    {Qt::Key_Launch1, 183},
        {Qt::Key_Calculator, 183},  {Qt::Key_Play, 250},        {Qt::Key_Zoom, 251},
        // US layout: the punctuation keys, unshifted and shifted.
        {Qt::Key_Semicolon, 186},   {Qt::Key_Colon, 186},       {Qt::Key_Equal, 187},
        {Qt::Key_Plus, 187},        {Qt::Key_Comma, 188},       {Qt::Key_Less, 188},
        {Qt::Key_Minus, 189},       {Qt::Key_Underscore, 189},  {Qt::Key_Period, 190},
        {Qt::Key_Greater, 190},     {Qt::Key_Slash, 191},       {Qt::Key_Question, 191},
        {Qt::Key_QuoteLeft, 192},   {Qt::Key_AsciiTilde, 192},  {Qt::Key_BracketLeft, 219},
        {Qt::Key_BraceLeft, 219},   {Qt::Key_Backslash, 220},   {Qt::Key_Bar, 220},
        {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
        {Qt::Key_QuoteDbl, 222},
        // US layout: shifted digits, for when the key's place is not known.
        {Qt::Key_At, 50},           {Qt::Key_NumberSign, 51},   {Qt::Key_AsciiCircum, 54},
        {Qt::Key_Ampersand, 55},    {Qt::Key_ParenLeft, 57},
        // French layout: the letters of the digit row, and the keys the US layout lacks.
        {Qt::Key_Agrave, 48},       {Qt::Key_Eacute, 50},       {Qt::Key_Egrave, 55},
        {Qt::Key_Ccedilla, 57},     {Qt::Key_Dollar, 186},      {Qt::Key_sterling, 186},
        {Qt::Key_Ugrave, 192},      {Qt::Key_Percent, 192},     {Qt::Key_ParenRight, 219},
        {Qt::Key_degree, 219},      {Qt::Key_Asterisk, 220},    {Qt::Key_mu, 220},
        {Qt::Key_Dead_Circumflex, 221}, {Qt::Key_Dead_Diaeresis, 221}, {Qt::Key_twosuperior, 222},
        {Qt::Key_Exclam, 223},      {Qt::Key_section, 223},
    };
    return keys;
}

// Keypad keys, with Num Lock on or off (Qt reports the navigation key then,
// which takes its ordinary code below, as on Windows).
int KeypadVirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110; // the decimal key, whichever sign the layout gives it
    case Qt::Key_Slash: return 111;
    case Qt::Key_Clear: return 12; // keypad 5 without Num Lock
    default: return 0;
    }
}

// Platforms whose key events carry XKB keycodes as their native scan code.
bool HasXkbKeycodes()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

int VirtualKeyFromQtKey(int qtKey, bool keypad)
{
    if (keypad) {
        if (const int code = KeypadVirtualKey(qtKey))
            return code;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    const auto& fixed = FixedKeys();
    if (const auto it = fixed.find(qtKey); it != fixed.end())
        return it->second;
    return 0;
}

int VirtualKeyFromKeyPlace(quint32 xkbKeycode)
{
    constexpr quint32 kDigit1 = 10; // evdev KEY_1 (2) + 8; KEY_0 follows KEY_9
    constexpr quint32 kDigit0 = 19;
    constexpr quint32 kIsoExtraKey = 94; // evdev KEY_102ND: the "<>" key of ISO keyboards
    if (xkbKeycode >= kDigit1 && xkbKeycode < kDigit0)
        return 49 + static_cast<int>(xkbKeycode - kDigit1);
    if (xkbKeycode == kDigit0)
        return 48;
    if (xkbKeycode == kIsoExtraKey)
        return 226;
    return 0;
}

int VirtualKeyCode(const QKeyEvent& event)
{
#ifdef Q_OS_WIN
    if (event.nativeVirtualKey() != 0)
        return static_cast<int>(event.nativeVirtualKey());
#endif
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (!keypad && HasXkbKeycodes()) {
        if (const int code = VirtualKeyFromKeyPlace(event.nativeScanCode()))
            return code;
    }
    return VirtualKeyFromQtKey(event.key(), keypad);
}

} // namespace quoddle
