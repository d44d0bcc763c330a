#include "AdbArgs.hpp"

#include "platform/CommandLine.hpp"

namespace quoddle {

std::string DeviceArg(const std::string& serial)
{
    if (serial.find_first_of(" \t\"") == std::string::npos)
        return "-s " + serial;
    return "-s " + platform::QuoteArgument(serial);
}

} // namespace quoddle
