// What only Windows has: command lines with blanks, the OEM code page, DOS
// programs through the command interpreter, and the program's resources.

#include "TempDir.hpp"
#include "TestChild.hpp"
#include "console/LineRules.hpp"
#include "platform/Platform.hpp"
#include "platform/win32/Win32Support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quoddle;
using namespace quoddle::test;
using Lines = std::vector<std::string>;

namespace {

// "<tmp>\with blanks\" holding the child, beside the decoy "<tmp>\with.exe"
// that Windows starts for an unquoted "<tmp>\with blanks\child.exe ..." when
// no application name is given.
struct FolderWithDecoy {
    TempDir dir{"blanks"};
    std::string folder = (dir.path() / "with blanks" / "").string();
    FolderWithDecoy()
    {
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(ChildDir() + ChildFileName(), folder + ChildFileName());
        std::filesystem::copy_file(ChildDir() + ChildFileName(), dir.path() / "with.exe");
    }
};

bool Contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST(Win32Runner, ProgramPathWithBlanksRunsThatProgramAndNotTheDecoy)
{
    FolderWithDecoy fixture;
    TSfcConsoleIOHandler runner;
    ASSERT_EQ(0, runner.Execute(ChildCommand(R"(args "two words" x)", fixture.folder)));
    EXPECT_EQ((Lines{fixture.folder + ChildFileName(), "args", "two words", "x"}), runner.Lines);
    EXPECT_EQ(0, runner.ExitStatus());

    // The trap is real: the same path unquoted, as a whole command line, starts
    // the decoy, which takes "blanks\..." for an action it does not know.
    std::string errors;
    platform::ChildCallbacks callbacks;
    callbacks.onRead = [&](platform::Stream stream, std::string_view bytes) {
        if (stream == platform::Stream::Error)
            errors.append(bytes);
    };
    EXPECT_EQ(99, platform::RunChild({"", fixture.folder + ChildFileName() + " args", ""}, callbacks));
    EXPECT_NE(std::string::npos, errors.find("unknown action blanks")) << errors;
}

TEST(Win32Runner, OutputThatIsNotUtf8IsReadInTheOemCodePage)
{
    const UINT oem = ::GetOEMCP();
    if (oem != 437 && oem != 850 && oem != 852 && oem != 858)
        GTEST_SKIP() << "0x82 is not \"e acute\" in OEM code page " << oem;
    EXPECT_EQ("R\xc3\xa9seau", platform::DecodeChildOutput("R\x82seau"));
    EXPECT_EQ("R\xc3\xa9seau", platform::DecodeChildOutput("R\xc3\xa9seau")); // UTF-8 stays
    EXPECT_EQ("caf\xe2\x94\x9c", platform::DecodeChildOutput("caf\xc3")); // a cut UTF-8 sequence is OEM text

    TSfcConsoleIOHandler runner;
    ASSERT_EQ(0, runner.Execute(ChildCommand(Out("R\x82seau\r\n") + " " + Err("\x82\n"))));
    EXPECT_EQ(Lines{"R\xc3\xa9seau"}, runner.Lines);
    EXPECT_EQ(Lines{"\xc3\xa9"}, runner.ErrorLines());
}

TEST(Win32Runner, DosProgramRunsThroughTheCommandInterpreterWithItsPathQuoted)
{
    FolderWithDecoy fixture;
    // A batch file that the header rules take for a DOS program: "MZ", and a
    // new-header offset (the bytes "xxxx" at 60) far beyond its end. The
    // interpreter runs it as a batch file, which shows the command line it got.
    std::string script = "MZ\r\n@echo off\r\nrem ";
    script.append(70 - script.size(), 'x');
    script += "\r\necho ran %~f0 %1 %2\r\n";
    const std::string batch = fixture.folder + "dos prog.bat";
    fixture.dir.write("with blanks/dos prog.bat", script);
    ASSERT_EQ(3, ExecutableKind(batch));

    TSfcConsoleIOHandler runner;
    TCommandInfo info;
    MakeCommandInfo(batch, R"(a "b c")", fixture.folder, "", info);
    ASSERT_EQ(0, runner.Execute(info));
    EXPECT_TRUE(Contains(runner.Lines, "ran " + batch + R"( a "b c")")) << JoinLines(runner.Lines);

    // A real DOS program cannot run on 64-bit Windows: the interpreter says so
    // on standard error and fails; the runner raises nothing.
    std::string dos(100, '\0');
    dos[0] = 'M';
    dos[1] = 'Z';
    dos[61] = 1; // new header at 256: beyond the file
    fixture.dir.write("with blanks/old tool.exe", dos);
    MakeCommandInfo(fixture.folder + "old tool.exe", "", fixture.folder, "", info);
    EXPECT_EQ(1, runner.Execute(info));
    EXPECT_NE(0, runner.ExitStatus());
}

TEST(Win32Platform, SystemFacts)
{
    EXPECT_TRUE(platform::IsWinNT());
    const auto cmd = platform::CommandInterpreterPath();
    EXPECT_TRUE(cmd.ends_with("\\system32\\cmd.exe")) << cmd;
    EXPECT_TRUE(std::filesystem::exists(cmd)) << cmd;
    const auto text = platform::SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(std::string::npos, text.find_first_of("\r\n")) << text;
    EXPECT_EQ(2, ExecutableKind(ChildDir() + ChildFileName()));
}

// The program's resources, compiled into a small GUI program that is read as
// data, never run (it asks for administrator rights).
TEST(Win32Resources, ManifestVersionAndIconAreInTheProgram)
{
    const std::string probe = ChildDir() + "quoddle_resource_probe.exe";
    EXPECT_EQ(1, ExecutableKind(probe));
    const std::wstring path = platform::win32::Widen(probe);

    HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, module) << ::GetLastError();
    HRSRC manifest = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(nullptr, manifest);
    const std::string text(static_cast<const char*>(::LockResource(::LoadResource(module, manifest))),
                           ::SizeofResource(module, manifest));
    EXPECT_NE(std::string::npos, text.find(R"(level="requireAdministrator")"));
    EXPECT_NE(std::string::npos, text.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"));
    EXPECT_NE(nullptr, ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14))); // RT_GROUP_ICON
    ::FreeLibrary(module);

    DWORD ignored = 0;
    std::vector<char> info(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(MAKELONG(6, 0), fixed->dwFileVersionMS); // 0.6
    EXPECT_EQ(0u, fixed->dwFileVersionLS);             // .0.0
    wchar_t* version = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\040C04B0\\FileVersion",
                                 reinterpret_cast<void**>(&version), &size));
    EXPECT_EQ(std::wstring(L"0.6.0.0"), std::wstring(version));
}
