#include "VirtualKeys.hpp"

#include <QKeyEvent>

#include <unordered_map>

namespace quoddle {

namespace {

// Keys whose code does not follow from a range.
const std::unordered_map<int, int>& FixedKeys()
{
    static const std::unordered_map<int, int> keys = {
        {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},         {Qt::Key_Backtab, 9},
        {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},     {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},    {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},   {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},         {Qt::Key_Home, 36},       {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},          {Qt::Key_Right, 39},      {Qt::Key_Down, 40},
        {Qt::Key_Select, 41},      {Qt::Key_Print, 44},      {Qt::Key_Execute, 43},
        {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},     {Qt::Key_Help, 47},
        {Qt::Key_Meta, 91},        {Qt::Key_Menu, 93},       {Qt::Key_Sleep, 95},
        {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},
        {Qt::Key_VolumeMute, 173}, {Qt::Key_VolumeDown, 174}, {Qt::Key_VolumeUp, 175},
        {Qt::Key_MediaNext, 176},  {Qt::Key_MediaPrevious, 177}, {Qt::Key_MediaStop, 178},
        {Qt::Key_MediaTogglePlayPause, 179}, {Qt::Key_MediaPlay, 179},
        {Qt::Key_Semicolon, 186},  {Qt::Key_Colon, 186},     {Qt::Key_Plus, 187},
        {Qt::Key_Equal, 187},      {Qt::Key_Comma, 188},     {Qt::Key_Less, 188},
        {Qt::Key_Minus, 189},      {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
        {Qt::Key_Greater, 190},    {Qt::Key_Slash, 191},     {Qt::Key_Question, 191},
        {Qt::Key_QuoteLeft, 192},  {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
        {Qt::Key_BraceLeft, 219},  {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},
        {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
        {Qt::Key_QuoteDbl, 222},
    };
    return keys;
}

// Keypad keys, with Num Lock on or off (Qt reports the navigation key then).
int KeypadVirtualKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    case Qt::Key_Clear: return 12; // keypad 5 without Num Lock
    default: return 0;
    }
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

int VirtualKeyCode(const QKeyEvent& event)
{
#ifdef Q_OS_WIN
    if (event.nativeVirtualKey() != 0)
        return static_cast<int>(event.nativeVirtualKey());
#endif
    return VirtualKeyFromQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

} // namespace quoddle
