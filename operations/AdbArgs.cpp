#include "AdbArgs.hpp"

#include "platform/CommandLine.hpp"

namespace quoddle {

std::string DeviceArg(const std::string& serial)
{
    if (serial.find_first_of(" \t\"") == std::string::npos)
        return "-s " + serial;
    return "-s " + platform::QuoteArgument(serial);
}

std::string ChosenDevicePrefix(const std::string& serial)
{
    return serial.empty() ? std::string() : DeviceArg(serial) + " ";
}

} // namespace quoddle
