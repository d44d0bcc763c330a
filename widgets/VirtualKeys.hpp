#pragma once
// Windows virtual-key codes on every platform: the code that the same key
// gives on Windows, from a Qt key event.

#include <Qt>

class QKeyEvent;

namespace quoddle {

// From the Qt key and whether it came from the keypad; 0 when the key has no
// virtual-key code. Punctuation keys whose code differs between layouts
// follow the US layout, then the French one where the US layout has no such key.
int VirtualKeyFromQtKey(int qtKey, bool keypad);

// Keys whose code goes by their place on the keyboard whatever the layout
// prints on them, from an XKB keycode (evdev code + 8): the main digit row
// gives '0' to '9' on Windows even where, as on a French keyboard, it types
// "&é\"'(-è_çà" unshifted. 0 for every other key.
int VirtualKeyFromKeyPlace(quint32 xkbKeycode);

// The event's virtual-key code: the native one on Windows; elsewhere from the
// key's place where that decides it (with XKB keycodes), else from the Qt key.
int VirtualKeyCode(const QKeyEvent& event);

} // namespace quoddle
