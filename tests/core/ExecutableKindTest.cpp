#include "TempDir.hpp"
#include "console/SfcConsoleIOHandler.hpp"

#include <gtest/gtest.h>

using quoddle::Error;
using quoddle::ExecutableKind;
using quoddle::test::TempDir;

namespace {

void Put32(std::string& bytes, std::size_t at, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff);
}

// An "MZ" file of `size` bytes whose new header lies at `newHeader`, with
// `signature` there and `subsystem` in the optional header.
std::string MakeImage(std::size_t size, std::int32_t newHeader, const char* signature = "PE\0\0",
                      int subsystem = 3)
{
    std::string bytes(size, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    Put32(bytes, 60, newHeader);
    if (newHeader >= 0 && static_cast<std::size_t>(newHeader) + 4 <= size)
        bytes.replace(static_cast<std::size_t>(newHeader), 4, signature, 4);
    if (newHeader >= 0 && static_cast<std::size_t>(newHeader) + 94 <= size) {
        bytes[static_cast<std::size_t>(newHeader) + 92] = static_cast<char>(subsystem & 0xff);
        bytes[static_cast<std::size_t>(newHeader) + 93] = static_cast<char>(subsystem >> 8);
    }
    return bytes;
}

struct KindCase {
    const char* name;
    std::string bytes;
    int kind; // -1: the read error
};

} // namespace

TEST(ExecutableKind, ReadsThePeHeaders)
{
    const KindCase cases[] = {
        {"data_file", std::string(64, 'x'), 0},
        {"console", MakeImage(512, 128, "PE\0\0", 3), 2},
        {"gui", MakeImage(512, 128, "PE\0\0", 2), 1},
        {"native_subsystem", MakeImage(512, 128, "PE\0\0", 1), 0},
        {"pe_bytes_after_signature_ignored", MakeImage(512, 128, "PEzz", 3), 2},
        {"new_exe_not_pe", MakeImage(512, 128, "NE\0\0", 3), 0},
        {"dos_header_points_past_end", MakeImage(200, 190), 3},
        {"dos_header_exactly_size_minus_60", MakeImage(200, 140), 3},
        {"dos_header_at_64_bytes", MakeImage(64, 0x4000), 3},
        {"pe_with_short_optional_header", MakeImage(300, 200, "PE\0\0"), -1},
        {"negative_new_header", MakeImage(512, -4), -1},
        {"shorter_than_64", std::string(63, 'x'), -1},
        {"empty", std::string(), -1},
    };
    TempDir dir("kind");
    for (const auto& c : cases) {
        const auto file = dir.write(c.name, c.bytes).string();
        if (c.kind < 0) {
            try {
                ExecutableKind(file);
                ADD_FAILURE() << c.name << ": no error";
            } catch (const Error& e) {
                EXPECT_STREQ("Erreur de lecture du flux", e.what()) << c.name;
            }
        } else {
            EXPECT_EQ(c.kind, ExecutableKind(file)) << c.name;
        }
    }
}

TEST(ExecutableKind, MissingFileCannotBeOpened)
{
    TempDir dir("kind");
    const auto missing = (dir.path() / "no such folder" / "adb").string();
    try {
        ExecutableKind(missing);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ("Impossible d'ouvrir le fichier " + missing, e.what());
    }
}

#ifndef _WIN32
TEST(ExecutableKind, ElfAndScriptsAreConsoleProgramsWhateverTheirLength)
{
    TempDir dir("kind");
    EXPECT_EQ(2, ExecutableKind(dir.write("script", "#!").string()));
    EXPECT_EQ(2, ExecutableKind(dir.write("elf", "\x7f" "ELF").string()));
    EXPECT_EQ(2, ExecutableKind("/proc/self/exe"));
}
#endif
