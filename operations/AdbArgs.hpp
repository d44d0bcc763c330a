#pragma once
// Pieces shared by the argument texts of every operation.

#include <string>

namespace quoddle {

// The adb client's file name in the program's folder.
#ifdef _WIN32
inline constexpr const char* kAdbFileName = "adb.exe";
#else
inline constexpr const char* kAdbFileName = "adb";
#endif

// "-s " and the serial, which stands as it is unless it holds a blank or a
// double quote (wireless debugging names devices "adb-XXXX (2)._adb-tls-connect._tcp"):
// then it is quoted by the C runtime's rules so it reaches adb as one argument.
std::string DeviceArg(const std::string& serial);

} // namespace quoddle
