#include "Protocol.hpp"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace fakephone {

namespace {

bool ReadExactly(int socket, char* buffer, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::recv(socket, buffer, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        buffer += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteAll(int socket, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(socket, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::uint32_t ReadLe32(const char* p)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(p[i]);
    return value;
}

void AppendLe32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::optional<Message> ReadMessage(int socket)
{
    char header[24];
    if (!ReadExactly(socket, header, sizeof header))
        return std::nullopt;
    Message m;
    m.command = ReadLe32(header);
    m.arg0 = ReadLe32(header + 4);
    m.arg1 = ReadLe32(header + 8);
    const std::uint32_t length = ReadLe32(header + 12);
    const std::uint32_t magic = ReadLe32(header + 20);
    if (magic != (m.command ^ 0xFFFFFFFFu) || length > 16 * 1024 * 1024)
        return std::nullopt;
    m.data.resize(length);
    if (length > 0 && !ReadExactly(socket, m.data.data(), length))
        return std::nullopt;
    return m;
}

bool WriteMessage(int socket, std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1, std::string_view data)
{
    std::uint32_t checksum = 0;
    for (unsigned char c : data)
        checksum += c;
    std::string packet;
    packet.reserve(24 + data.size());
    AppendLe32(packet, command);
    AppendLe32(packet, arg0);
    AppendLe32(packet, arg1);
    AppendLe32(packet, static_cast<std::uint32_t>(data.size()));
    AppendLe32(packet, checksum);
    AppendLe32(packet, command ^ 0xFFFFFFFFu);
    packet.append(data);
    return WriteAll(socket, packet.data(), packet.size());
}

std::string CommandName(std::uint32_t command)
{
    std::string name;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((command >> (8 * i)) & 0xFF);
        name += (c >= ' ' && c <= '~') ? c : '?';
    }
    return name;
}

} // namespace fakephone
