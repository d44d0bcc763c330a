#pragma once
// Package files made by the tests: an .apk is a zip whose AndroidManifest.xml
// is compiled to Android's binary XML, as aapt writes it (string pool,
// resource map, namespace, <manifest> with package, android:versionCode and,
// for a split, split); a bundle (.apks, .xapk) is a zip of such files.

#include <zip.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quoddle::test {

struct TestApk {
    std::string package;
    std::string split;           // empty: a base package
    std::int64_t versionCode = 1;
    std::size_t padding = 0;     // bytes of a stored filler entry, to give the file a size
    bool utf8Strings = false;    // aapt2 writes UTF-8 pools, aapt UTF-16
};

namespace apkwriter {

inline void Put16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
inline void Chunk(std::string& out, std::uint16_t type, std::uint16_t headerSize, const std::string& body)
{
    Put16(out, type);
    Put16(out, headerSize);
    Put32(out, static_cast<std::uint32_t>(8 + body.size()));
    out += body;
}

inline std::string StringPool(const std::vector<std::string>& strings, bool utf8)
{
    std::string data;
    std::vector<std::uint32_t> offsets;
    for (const auto& s : strings) { // ASCII only: UTF-16 length = byte length
        offsets.push_back(static_cast<std::uint32_t>(data.size()));
        if (utf8) {
            data += static_cast<char>(s.size());
            data += static_cast<char>(s.size());
            data += s;
            data += '\0';
        } else {
            Put16(data, static_cast<std::uint32_t>(s.size()));
            for (char c : s)
                Put16(data, static_cast<unsigned char>(c));
            Put16(data, 0);
        }
    }
    while (data.size() % 4)
        data += '\0';
    std::string body;
    Put32(body, static_cast<std::uint32_t>(strings.size()));
    Put32(body, 0);                           // styles
    Put32(body, utf8 ? 1u << 8 : 0);          // flags
    Put32(body, static_cast<std::uint32_t>(28 + 4 * strings.size())); // strings start
    Put32(body, 0);                           // styles start
    for (auto o : offsets)
        Put32(body, o);
    body += data;
    std::string chunk;
    Chunk(chunk, 0x0001, 28, body);
    return chunk;
}

} // namespace apkwriter

// The binary AndroidManifest.xml of this package.
inline std::string BinaryManifest(const TestApk& apk)
{
    using namespace apkwriter;
    constexpr std::uint32_t none = 0xFFFFFFFF;
    // Attribute names with a resource id come first, as aapt orders them.
    std::vector<std::string> strings = {"versionCode", "android", "http://schemas.android.com/apk/res/android",
                                        "manifest", "package", apk.package, "split", apk.split};
    enum { kVersionCode, kPrefix, kUri, kManifest, kPackage, kPackageValue, kSplit, kSplitValue };
    std::string xml;
    xml += StringPool(strings, apk.utf8Strings);
    std::string map;
    Put32(map, 0x0101021b);
    Chunk(xml, 0x0180, 8, map);
    std::string ns;
    Put32(ns, 1);
    Put32(ns, none);
    Put32(ns, kPrefix);
    Put32(ns, kUri);
    Chunk(xml, 0x0100, 16, ns);

    struct Attribute { std::uint32_t ns, name, raw; std::uint8_t type; std::uint32_t data; };
    std::vector<Attribute> attributes = {
        {kUri, kVersionCode, none, 0x10, static_cast<std::uint32_t>(apk.versionCode)},
        {none, kPackage, kPackageValue, 0x03, kPackageValue},
    };
    if (!apk.split.empty())
        attributes.push_back({none, kSplit, kSplitValue, 0x03, kSplitValue});
    std::string element;
    Put32(element, 1);    // line
    Put32(element, none); // comment
    Put32(element, none); // ns
    Put32(element, kManifest);
    Put16(element, 20);   // attribute start
    Put16(element, 20);   // attribute size
    Put16(element, static_cast<std::uint32_t>(attributes.size()));
    Put16(element, 0);
    Put16(element, 0);
    Put16(element, 0);
    for (const auto& a : attributes) {
        Put32(element, a.ns);
        Put32(element, a.name);
        Put32(element, a.raw);
        Put16(element, 8);
        element += '\0';
        element += static_cast<char>(a.type);
        Put32(element, a.data);
    }
    Chunk(xml, 0x0102, 16, element);
    std::string end;
    Put32(end, 1);
    Put32(end, none);
    Put32(end, none);
    Put32(end, kManifest);
    Chunk(xml, 0x0103, 16, end);
    Chunk(xml, 0x0101, 16, ns);

    std::string file;
    Chunk(file, 0x0003, 8, xml);
    return file;
}

// Writes a zip of these entries (name, bytes), stored uncompressed.
inline void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries)
{
    int error = 0;
    zip* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("cannot create " + path);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add " + name + " to " + path);
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0) { // the buffers are read here
        zip_discard(archive);
        throw std::runtime_error("cannot write " + path);
    }
}

// An .apk with this manifest.
inline void WriteApkFile(const std::string& path, const TestApk& apk)
{
    const std::string padding(apk.padding, 'x');
    std::vector<std::pair<std::string, std::string>> entries = {{"AndroidManifest.xml", BinaryManifest(apk)}};
    if (apk.padding)
        entries.emplace_back("classes.dex", padding);
    WriteZip(path, entries);
}

} // namespace quoddle::test
