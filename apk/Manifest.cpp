#include "Manifest.hpp"

#include "Zip.hpp"

#include <vector>

namespace apk {

namespace {

// Chunk types and value types of Android's binary XML (ResourceTypes.h).
constexpr std::uint16_t kXmlType = 0x0003;
constexpr std::uint16_t kStringPoolType = 0x0001;
constexpr std::uint16_t kResourceMapType = 0x0180;
constexpr std::uint16_t kStartElementType = 0x0102;
constexpr std::uint32_t kUtf8Flag = 1u << 8;
constexpr std::uint32_t kNoIndex = 0xFFFFFFFF;
constexpr std::uint8_t kTypeString = 0x03;
constexpr std::uint8_t kTypeIntDec = 0x10;
constexpr std::uint8_t kTypeIntHex = 0x11;
constexpr std::uint32_t kVersionCodeId = 0x0101021b; // android:versionCode
constexpr std::size_t kManifestLimit = 8u << 20;

// Little-endian reads that fail, rather than read past the end.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}
    std::size_t size() const { return data_.size(); }
    bool has(std::size_t at, std::size_t n) const { return at <= data_.size() && n <= data_.size() - at; }
    std::optional<std::uint32_t> get(std::size_t at, std::size_t n) const
    {
        if (!has(at, n))
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < n; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[at + i])) << (8 * i);
        return value;
    }
    std::optional<std::uint32_t> u8(std::size_t at) const { return get(at, 1); }
    std::optional<std::uint32_t> u16(std::size_t at) const { return get(at, 2); }
    std::optional<std::uint32_t> u32(std::size_t at) const { return get(at, 4); }
    std::string_view view(std::size_t at, std::size_t n) const { return data_.substr(at, n); }

private:
    std::string_view data_;
};

void AppendUtf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The string pool: every string as UTF-8, whichever form the pool keeps.
std::optional<std::vector<std::string>> ReadStringPool(const Bytes& b, std::size_t chunk, std::size_t chunkSize)
{
    const auto headerSize = b.u16(chunk + 2);
    const auto count = b.u32(chunk + 8);
    const auto flags = b.u32(chunk + 16);
    const auto stringsStart = b.u32(chunk + 20);
    if (!headerSize || !count || !flags || !stringsStart || *count > chunkSize / 4)
        return std::nullopt;
    const bool utf8 = (*flags & kUtf8Flag) != 0;
    const std::size_t end = chunk + chunkSize;
    std::vector<std::string> strings;
    strings.reserve(*count);
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto offset = b.u32(chunk + *headerSize + 4 * std::size_t{i});
        if (!offset)
            return std::nullopt;
        std::size_t at = chunk + *stringsStart + *offset;
        std::string text;
        if (utf8) {
            // UTF-16 length, then UTF-8 length (one or two bytes each), then the bytes.
            std::size_t lengths[2] = {};
            for (auto& length : lengths) {
                const auto first = b.u8(at);
                if (!first)
                    return std::nullopt;
                length = *first;
                ++at;
                if (*first & 0x80) {
                    const auto second = b.u8(at++);
                    if (!second)
                        return std::nullopt;
                    length = ((*first & 0x7F) << 8) | *second;
                }
            }
            if (!b.has(at, lengths[1]) || at + lengths[1] > end)
                return std::nullopt;
            text = std::string(b.view(at, lengths[1]));
        } else {
            auto length = b.u16(at);
            if (!length)
                return std::nullopt;
            at += 2;
            std::size_t units = *length;
            if (units & 0x8000) {
                const auto low = b.u16(at);
                if (!low)
                    return std::nullopt;
                units = ((units & 0x7FFF) << 16) | *low;
                at += 2;
            }
            if (units > (end - std::min(end, at)) / 2)
                return std::nullopt;
            for (std::size_t k = 0; k < units; ++k) {
                std::uint32_t c = *b.u16(at + 2 * k);
                if (c >= 0xD800 && c < 0xDC00 && k + 1 < units) {
                    const std::uint32_t low = *b.u16(at + 2 * (k + 1));
                    if (low >= 0xDC00 && low < 0xE000) {
                        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                        ++k;
                    }
                }
                AppendUtf8(text, c);
            }
        }
        strings.push_back(std::move(text));
    }
    return strings;
}

} // namespace

std::optional<Manifest> ParseBinaryManifest(std::string_view xml)
{
    const Bytes b(xml);
    // The document's header gives its whole size: a cut file is refused.
    if (b.u16(0) != kXmlType || !b.u16(2) || b.u32(4) != b.size())
        return std::nullopt;
    std::vector<std::string> strings;
    std::vector<std::uint32_t> resourceIds;
    for (std::size_t chunk = *b.u16(2); b.has(chunk, 8);) {
        const std::uint32_t type = *b.u16(chunk);
        const std::uint32_t size = *b.u32(chunk + 4);
        if (size < 8 || !b.has(chunk, size))
            return std::nullopt;
        if (type == kStringPoolType) {
            auto pool = ReadStringPool(b, chunk, size);
            if (!pool)
                return std::nullopt;
            strings = std::move(*pool);
        } else if (type == kResourceMapType) {
            const std::uint32_t headerSize = *b.u16(chunk + 2);
            for (std::size_t at = chunk + headerSize; at + 4 <= chunk + size; at += 4)
                resourceIds.push_back(*b.u32(at));
        } else if (type == kStartElementType) {
            // The first element is <manifest>: read its attributes and stop.
            const std::size_t ext = chunk + *b.u16(chunk + 2);
            const auto name = b.u32(ext + 4);
            const auto attributeStart = b.u16(ext + 8);
            const auto attributeSize = b.u16(ext + 10);
            const auto attributeCount = b.u16(ext + 12);
            if (!name || !attributeStart || !attributeSize || !attributeCount || *attributeSize < 20
                || *name >= strings.size() || strings[*name] != "manifest")
                return std::nullopt;
            const auto text = [&](std::uint32_t index) -> std::string {
                return index < strings.size() ? strings[index] : std::string();
            };
            Manifest manifest;
            for (std::uint32_t i = 0; i < *attributeCount; ++i) {
                const std::size_t at = ext + *attributeStart + std::size_t{i} * *attributeSize;
                if (at + 20 > chunk + size)
                    return std::nullopt;
                const std::uint32_t attrName = *b.u32(at + 4);
                const std::uint32_t raw = *b.u32(at + 8);
                const std::uint32_t dataType = *b.u8(at + 15);
                const std::uint32_t data = *b.u32(at + 16);
                const std::string value = raw != kNoIndex ? text(raw) : dataType == kTypeString ? text(data) : "";
                const std::string attribute = text(attrName);
                const bool isVersionCode = attribute == "versionCode"
                    || (attrName < resourceIds.size() && resourceIds[attrName] == kVersionCodeId);
                if (isVersionCode && (dataType == kTypeIntDec || dataType == kTypeIntHex))
                    manifest.versionCode = data;
                else if (attribute == "package")
                    manifest.package = value;
                else if (attribute == "split")
                    manifest.split = value;
            }
            if (manifest.package.empty())
                return std::nullopt;
            return manifest;
        }
        chunk += size;
    }
    return std::nullopt;
}

namespace {

std::optional<Manifest> ManifestIn(const std::unique_ptr<ZipArchive>& archive)
{
    const auto xml = archive ? archive->Read("AndroidManifest.xml", kManifestLimit) : std::nullopt;
    return xml ? ParseBinaryManifest(*xml) : std::nullopt;
}

} // namespace

std::optional<Manifest> ReadManifest(std::string_view apkBytes) { return ManifestIn(ZipArchive::FromBytes(apkBytes)); }

std::optional<Manifest> ReadManifestOfFile(const std::string& path) { return ManifestIn(ZipArchive::Open(path)); }

} // namespace apk
