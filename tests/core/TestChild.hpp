#pragma once
// Runs the tests' child program through the runner.

#include "console/SfcConsoleIOHandler.hpp"
#include "platform/Platform.hpp"

#include <string>
#include <string_view>

namespace quoddle::test {

inline std::string ChildFileName()
{
#ifdef _WIN32
    return "quoddle_testchild.exe";
#else
    return "quoddle_testchild";
#endif
}

// The child lies beside the test program.
inline std::string ChildDir() { return platform::ExecutableDir(); }

inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

inline std::string Out(std::string_view bytes) { return "out:" + Hex(bytes); }
inline std::string Err(std::string_view bytes) { return "err:" + Hex(bytes); }

inline TCommandInfo ChildCommand(const std::string& actions, const std::string& dir = ChildDir())
{
    TCommandInfo info;
    MakeCommandInfo(dir + ChildFileName(), actions, dir, "", info);
    return info;
}

} // namespace quoddle::test
