#pragma once
// A zip archive read with libzip: an .apk is one, and so are the bundles
// (.apks, .xapk) that hold a base .apk and its splits.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace apk {

// Paths are in the system's file-name encoding (UTF-8 on Windows).
class ZipArchive {
public:
    // nullptr when the file cannot be read or is not a zip.
    static std::unique_ptr<ZipArchive> Open(const std::string& path);
    // Over bytes in memory, which must outlive the archive.
    static std::unique_ptr<ZipArchive> FromBytes(std::string_view bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // The names of the file entries (not folders), in the archive's order.
    std::vector<std::string> Names() const;
    // An entry's bytes; nothing when it is missing, unreadable or larger than `limit`.
    std::optional<std::string> Read(const std::string& name, std::size_t limit) const;
    // Writes an entry to a new file; false when it could not.
    bool ExtractTo(const std::string& name, const std::string& path) const;

private:
    explicit ZipArchive(zip* archive) : archive_(archive) {}
    zip* archive_;
};

} // namespace apk
