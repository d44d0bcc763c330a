// Win32 implementation of the platform services (apart from RunChild and the
// process list, which have files of their own). Strings are UTF-8 at the
// interface and UTF-16 at the system calls.

#include "Win32Support.hpp"

#include "platform/CommandLine.hpp"
#include "platform/Error.hpp"
#include "platform/Platform.hpp"

#include <share.h>
#include <shellapi.h>

#include <tuple>

namespace quoddle::platform {

using win32::Narrow;
using win32::Widen;

namespace {

// Splits a command line into its first word (the program, by the runtime's
// program-name rule: quotes group, backslashes are literal) and the rest as written.
std::pair<std::string, std::string> SplitProgramFromArguments(std::string_view commandLine)
{
    std::size_t i = 0;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    std::string program;
    bool inQuote = false;
    for (; i < commandLine.size(); ++i) {
        const char c = commandLine[i];
        if (c == '"') {
            inQuote = !inQuote;
            continue;
        }
        if (!inQuote && (c == ' ' || c == '\t'))
            break;
        program += c;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    return {program, std::string(commandLine.substr(i))};
}

} // namespace

char PathSeparator() { return '\\'; }

std::string ExecutableDir()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            win32::ThrowLastError();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // cut short: try again with more room
    }
    return Narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

bool IsWinNT()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    // Deprecated for version checks, but the platform identifier is all that is asked here.
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL known = ::GetVersionExW(&version);
#if defined(__GNUC__) && !defined(_MSC_VER)
#pragma GCC diagnostic pop
#endif
    if (!known)
        return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsNativeExecutableHeader(std::string_view) { return false; }

std::string CommandInterpreterPath()
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = ::GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length > folder.size()) {
        folder.resize(length);
        length = ::GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    if (length == 0 || length > folder.size())
        return {};
    folder.resize(length);
    if (folder.back() == L'\\') // "C:\" when Windows lies at the root
        folder.pop_back();
    return Narrow(folder) + "\\system32\\cmd.exe";
}

void SleepMilliseconds(unsigned milliseconds) { ::Sleep(milliseconds); }

std::FILE* OpenFileForReading(const std::string& path)
{
    // Shared for reading only: a writer at work on the file is refused.
    return ::_wfsopen(Widen(path).c_str(), L"rb", _SH_DENYWR);
}

std::string DecodeChildOutput(std::string bytes)
{
    // Current adb writes UTF-8 to a pipe; older console programs write in the OEM code page.
    if (win32::IsValidUtf8(bytes))
        return bytes;
    return win32::OemToUtf8(bytes);
}

bool ChildOutputIsUtf8() { return false; }

bool StartDetached(const std::string& program, const std::string& arguments, const std::string& workDir)
{
    std::string file = program;
    std::string parameters = arguments;
    if (file.empty())
        std::tie(file, parameters) = SplitProgramFromArguments(arguments);
    if (file.empty())
        return false;
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = Widen(parameters);
    const std::wstring wideDir = Widen(workDir);
    // The default verb; a result above 32 means the start was issued.
    const HINSTANCE result = ::ShellExecuteW(nullptr, nullptr, wideFile.c_str(),
                                             wideParameters.empty() ? nullptr : wideParameters.c_str(),
                                             wideDir.empty() ? nullptr : wideDir.c_str(), SW_HIDE);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string SystemErrorText(int code)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || !text)
        return {};
    std::wstring message(text, length);
    ::LocalFree(text);
    // The system ends its texts with a line break, which the wording adds itself.
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    return Narrow(message);
}

} // namespace quoddle::platform
