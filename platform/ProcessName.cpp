#include "ProcessName.hpp"

namespace quoddle::platform {

namespace {
std::string UpperAtoZ(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}
} // namespace

std::string ProcessNameKey(std::string_view exeName)
{
    if (const auto boundary = exeName.find_last_of("\\:"); boundary != std::string_view::npos)
        exeName.remove_prefix(boundary + 1);
    if (const auto dot = exeName.rfind('.'); dot != std::string_view::npos)
        exeName = exeName.substr(0, dot);
    return UpperAtoZ(exeName);
}

bool ProcessNameMatches(std::string_view exeName, std::string_view wanted)
{
    return ProcessNameKey(exeName) == UpperAtoZ(wanted);
}

std::optional<std::uint32_t> FirstProcessNamed(const std::vector<ProcessEntry>& processes, std::string_view wanted)
{
    for (const auto& process : processes) {
        if (ProcessNameMatches(process.exeName, wanted))
            return process.pid;
    }
    return std::nullopt;
}

} // namespace quoddle::platform
