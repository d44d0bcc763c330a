#include "Win32Support.hpp"

#include "platform/Error.hpp"
#include "platform/Platform.hpp"

#include <algorithm>
#include <climits>

namespace quoddle::platform::win32 {

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(std::min<std::size_t>(utf8.size(), INT_MAX));
    const int count = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), count);
    return wide;
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int size = static_cast<int>(std::min<std::size_t>(utf16.size(), INT_MAX));
    const int count = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(count), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), count, nullptr, nullptr);
    return narrow;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        unsigned char low = 0x80, high = 0xbf; // allowed range of the second byte
        if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            if (lead == 0xe0)
                low = 0xa0; // overlong below U+0800
            if (lead == 0xed)
                high = 0x9f; // surrogates
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            if (lead == 0xf0)
                low = 0x90; // overlong below U+10000
            if (lead == 0xf4)
                high = 0x8f; // above U+10FFFF
        } else {
            return false;
        }
        if (n - i < length)
            return false;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high)
            return false;
        for (std::size_t k = 2; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < 0x80 || next > 0xbf)
                return false;
        }
        i += length;
    }
    return true;
}

std::string OemToUtf8(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int count = ::MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    ::MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), size, wide.data(), count);
    return Narrow(wide);
}

std::mutex& InheritableHandlesLock()
{
    static std::mutex lock;
    return lock;
}

void ThrowLastError()
{
    throw Error(SystemCallFailure(static_cast<int>(::GetLastError())));
}

} // namespace quoddle::platform::win32
