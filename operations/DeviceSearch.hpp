#pragma once
// Reading "devices" and the Wi-Fi address.

#include <QString>

#include <optional>
#include <string>

namespace quoddle {

// The serial of a line of "devices" after its header, when the line names a
// usable device: its state, the text after the first tab, is "device"
// (trailing blanks and CR ignored). adb also lists "offline", "unauthorized"
// and, on Linux, "no permissions (...); see [http://developer.android.com/tools/device.html]",
// which take no command.
std::optional<QString> DeviceSerialOf(const QString& line);

// The IP field's 15 characters as an address: blanks removed and each group's
// leading zeros dropped ("192.168.1  .6  " gives "192.168.1.6").
std::string WifiAddress(const QString& ipText);

} // namespace quoddle
