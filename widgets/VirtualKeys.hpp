#pragma once
// Windows virtual-key codes on every platform: the code that the same key
// gives on Windows, from a Qt key event.

#include <Qt>

class QKeyEvent;

namespace quoddle {

// From the Qt key and whether it came from the keypad; 0 when the key has no
// virtual-key code.
int VirtualKeyFromQtKey(int qtKey, bool keypad);

// The event's virtual-key code: the native one on Windows, the mapped one elsewhere.
int VirtualKeyCode(const QKeyEvent& event);

} // namespace quoddle
