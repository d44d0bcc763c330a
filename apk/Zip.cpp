#include "Zip.hpp"

#include <zip.h>

#include <cstdio>
#include <filesystem>

namespace apk {

std::unique_ptr<ZipArchive> ZipArchive::Open(const std::string& path)
{
    int error = 0;
    zip* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    return archive ? std::unique_ptr<ZipArchive>(new ZipArchive(archive)) : nullptr;
}

std::unique_ptr<ZipArchive> ZipArchive::FromBytes(std::string_view bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive && source)
        zip_source_free(source);
    zip_error_fini(&error);
    return archive ? std::unique_ptr<ZipArchive>(new ZipArchive(archive)) : nullptr;
}

ZipArchive::~ZipArchive() { zip_discard(archive_); }

std::vector<std::string> ZipArchive::Names() const
{
    std::vector<std::string> names;
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (name && *name && name[std::char_traits<char>::length(name) - 1] != '/')
            names.emplace_back(name);
    }
    return names;
}

namespace {

// Copies an entry in pieces to `sink`; false on a read error or past `limit` bytes.
template <class Sink>
bool CopyEntry(zip* archive, const std::string& name, std::size_t limit, Sink&& sink)
{
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    if (!file)
        return false;
    char buffer[64 * 1024];
    std::size_t total = 0;
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0 || (total += static_cast<std::size_t>(n)) > limit) {
            ok = false;
            break;
        }
        if (n == 0 || !sink(buffer, static_cast<std::size_t>(n))) {
            ok = n == 0;
            break;
        }
    }
    zip_fclose(file);
    return ok;
}

} // namespace

std::optional<std::string> ZipArchive::Read(const std::string& name, std::size_t limit) const
{
    std::string bytes;
    if (!CopyEntry(archive_, name, limit, [&](const char* data, std::size_t n) {
            bytes.append(data, n);
            return true;
        }))
        return std::nullopt;
    return bytes;
}

bool ZipArchive::ExtractTo(const std::string& name, const std::string& path) const
{
#ifdef _WIN32
    // Paths are UTF-8 here (libzip takes them so on Windows too); the C library wants them wide.
    const auto native = std::filesystem::path(std::u8string(path.begin(), path.end()));
    std::FILE* out = _wfopen(native.c_str(), L"wb");
#else
    std::FILE* out = std::fopen(path.c_str(), "wb");
#endif
    if (!out)
        return false;
    bool ok = CopyEntry(archive_, name, static_cast<std::size_t>(-1), [&](const char* data, std::size_t n) {
        return std::fwrite(data, 1, n, out) == n;
    });
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::error_code ignored;
        std::filesystem::remove(std::filesystem::path(std::u8string(path.begin(), path.end())), ignored);
    }
    return ok;
}

} // namespace apk
