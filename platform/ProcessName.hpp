#pragma once
// Finding a running process by name, the way the stale adb is looked for at
// start-up: the executable's file name (what follows its last backslash or
// colon), letters a to z in capitals, without its extension (from the last
// dot on), compared with the wanted name in capitals. "ADB.EXE" and "adb.com"
// are "adb"; "adbx.exe" is not.

#include "Platform.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quoddle::platform {

// The name an executable is known by when processes are looked for.
std::string ProcessNameKey(std::string_view exeName);

bool ProcessNameMatches(std::string_view exeName, std::string_view wanted);

// The id of the first process in the list whose name matches, if any.
std::optional<std::uint32_t> FirstProcessNamed(const std::vector<ProcessEntry>& processes, std::string_view wanted);

} // namespace quoddle::platform
