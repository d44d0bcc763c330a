#pragma once
// Small helpers shared by the Win32 sources: owned handles, UTF-8 <-> UTF-16
// at the system calls, and the lock that keeps inheritable handles private to
// the one child they are meant for.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <mutex>
#include <string>
#include <string_view>

namespace quoddle::platform::win32 {

// A kernel handle closed when it goes out of scope. Both null and
// INVALID_HANDLE_VALUE mean "none", as the system's calls use either.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(other.release()) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE release()
    {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void reset(HANDLE handle = nullptr)
    {
        if (valid())
            ::CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Bytes in the system's OEM code page as UTF-8.
std::string OemToUtf8(std::string_view bytes);

// Held from the creation of a child's inheritable handles until they are
// closed after the child has started, so that a child started meanwhile by
// another thread of this process cannot inherit them (and keep the pipes
// open long after the child they belong to has ended).
std::mutex& InheritableHandlesLock();

// Raises the runner's "Erreur système" error for the calling thread's last error.
[[noreturn]] void ThrowLastError();

} // namespace quoddle::platform::win32
