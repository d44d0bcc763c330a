// Which kind of program a file holds, from its headers: "MZ", the new-header
// offset at 60, "PE" there and the optional header's subsystem field.

#include "SfcConsoleIOHandler.hpp"
#include "platform/Platform.hpp"

#include <cstdio>
#include <cstring>
#include <memory>

namespace quoddle {

namespace {

const char* const kReadError = "Erreur de lecture du flux";

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads exactly `size` bytes at `offset`, or raises the read error.
void ReadAt(std::FILE* f, std::int64_t offset, unsigned char* into, std::size_t size)
{
    if (offset < 0 || std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0
        || std::fread(into, 1, size, f) != size)
        throw Error(kReadError);
}

std::int64_t FileSize(std::FILE* f)
{
    if (std::fseek(f, 0, SEEK_END) != 0)
        throw Error(kReadError);
    return static_cast<std::int64_t>(std::ftell(f));
}

} // namespace

std::uint8_t ExecutableKind(const std::string& fileName)
{
    // Only the headers are read, not the whole file: same answers, less work per run.
    File file(platform::OpenFileForReading(fileName));
    if (!file) {
        char message[1024];
        std::snprintf(message, sizeof message, "Impossible d'ouvrir le fichier %s", fileName.c_str());
        throw Error(message);
    }
    unsigned char header[64];
    const std::size_t got = std::fread(header, 1, sizeof header, file.get());
    if (platform::IsNativeExecutableHeader(std::string_view(reinterpret_cast<const char*>(header), got)))
        return 2;
    if (got < sizeof header)
        throw Error(kReadError);
    if (header[0] != 'M' || header[1] != 'Z')
        return 0;

    const std::int32_t newHeader = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(header[60]) | static_cast<std::uint32_t>(header[61]) << 8
        | static_cast<std::uint32_t>(header[62]) << 16 | static_cast<std::uint32_t>(header[63]) << 24);
    if (static_cast<std::int64_t>(newHeader) >= FileSize(file.get()) - 60)
        return 3;

    unsigned char signature[4];
    ReadAt(file.get(), newHeader, signature, sizeof signature);
    if (signature[0] != 'P' || signature[1] != 'E')
        return 0;

    unsigned char headers[248];
    ReadAt(file.get(), newHeader, headers, sizeof headers);
    const unsigned subsystem = headers[92] | headers[93] << 8;
    return subsystem == 2 ? 1 : subsystem == 3 ? 2 : 0;
}

} // namespace quoddle
