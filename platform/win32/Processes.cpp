// The running processes, from the tool-help snapshot, and ending one.
// The tool-help functions are looked up in kernel32.dll when first needed;
// where they are missing no process is listed.

#include "Win32Support.hpp"

#include "platform/Platform.hpp"

#include <tlhelp32.h>

namespace quoddle::platform {

namespace {

struct ToolHelp {
    using CreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
    using WalkProcesses = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);
    CreateSnapshot createSnapshot = nullptr;
    WalkProcesses first = nullptr;
    WalkProcesses next = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name)
{
    // Through void(*)() so the compiler accepts the change of signature.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

const ToolHelp& ToolHelpFunctions()
{
    static const ToolHelp functions = [] {
        ToolHelp found;
        if (HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
            found.createSnapshot = Lookup<ToolHelp::CreateSnapshot>(kernel, "CreateToolhelp32Snapshot");
            found.first = Lookup<ToolHelp::WalkProcesses>(kernel, "Process32FirstW");
            found.next = Lookup<ToolHelp::WalkProcesses>(kernel, "Process32NextW");
        }
        return found;
    }();
    return functions;
}

} // namespace

std::optional<std::vector<ProcessEntry>> ListProcesses()
{
    const ToolHelp& toolHelp = ToolHelpFunctions();
    if (!toolHelp.createSnapshot || !toolHelp.first || !toolHelp.next)
        return std::nullopt;
    // Processes only: threads, modules and heaps would cost time and tell nothing here.
    win32::Handle snapshot(toolHelp.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid())
        return std::nullopt;
    std::vector<ProcessEntry> processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = toolHelp.first(snapshot.get(), &entry); more; more = toolHelp.next(snapshot.get(), &entry)) {
        std::wstring_view name(entry.szExeFile);
        if (const auto slash = name.find_last_of(L"\\/"); slash != std::wstring_view::npos)
            name.remove_prefix(slash + 1);
        processes.push_back({static_cast<std::uint32_t>(entry.th32ProcessID), win32::Narrow(name)});
        entry.dwSize = sizeof entry;
    }
    return processes;
}

bool EndProcess(std::uint32_t pid)
{
    win32::Handle process(::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid)));
    return process.valid() && ::TerminateProcess(process.get(), 0);
}

} // namespace quoddle::platform
