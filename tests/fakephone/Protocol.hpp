#pragma once
// The ADB wire protocol as the device side sees it: 24-byte little-endian
// message headers (command, arg0, arg1, data length, data checksum, magic)
// followed by the data, over one TCP connection.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fakephone {

constexpr std::uint32_t Command(const char (&name)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(name[1])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(name[2])) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(name[3])) << 24;
}

inline constexpr std::uint32_t kConnect = Command("CNXN");
inline constexpr std::uint32_t kAuth = Command("AUTH");
inline constexpr std::uint32_t kOpen = Command("OPEN");
inline constexpr std::uint32_t kOkay = Command("OKAY");
inline constexpr std::uint32_t kWrite = Command("WRTE");
inline constexpr std::uint32_t kClose = Command("CLSE");

// Protocol version 0x01000001 lets both sides skip the data checksum; we
// still send it, for hosts of the older version.
inline constexpr std::uint32_t kProtocolVersion = 0x01000001;
inline constexpr std::uint32_t kMaxPayload = 256 * 1024;

// AUTH argument 0.
inline constexpr std::uint32_t kAuthToken = 1;

struct Message {
    std::uint32_t command = 0;
    std::uint32_t arg0 = 0;
    std::uint32_t arg1 = 0;
    std::string data;
};

// Reads one whole message; nullopt when the connection ended or sent
// something that is not a message.
std::optional<Message> ReadMessage(int socket);

// Writes one message; false when the connection is gone.
bool WriteMessage(int socket, std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1,
                  std::string_view data = {});

// The four letters of a command, for logs.
std::string CommandName(std::uint32_t command);

} // namespace fakephone
