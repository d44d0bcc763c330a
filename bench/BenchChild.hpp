#pragma once
// The runner tests' child (tests/child), which the benchmarks run too.

#include <string>
#include <string_view>

#ifndef QUODDLE_TESTCHILD
#error "QUODDLE_TESTCHILD (the path of quoddle_testchild) comes from bench/CMakeLists.txt"
#endif

namespace quoddle::bench {

inline std::string ChildPath() { return QUODDLE_TESTCHILD; }

inline std::string ChildDir()
{
    const std::string path = ChildPath();
    return path.substr(0, path.rfind('/') + 1);
}

inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace quoddle::bench
