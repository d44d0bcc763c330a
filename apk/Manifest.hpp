#pragma once
// What an .apk says of itself in its AndroidManifest.xml, compiled to
// Android's binary XML: the package name, the split name (empty for a base
// package) and the version code, as the phone's package parser reads them
// from the <manifest> element.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace apk {

struct Manifest {
    std::string package;     // com.example.notes
    std::string split;       // config.xxhdpi; empty for the base package
    std::int64_t versionCode = 0;
};

// The manifest element of a compiled AndroidManifest.xml; nothing when the
// bytes are not binary XML or name no package.
std::optional<Manifest> ParseBinaryManifest(std::string_view xml);

// The manifest of the .apk whose bytes these are (a zip).
std::optional<Manifest> ReadManifest(std::string_view apkBytes);
// The manifest of the .apk at this path.
std::optional<Manifest> ReadManifestOfFile(const std::string& path);

} // namespace apk
