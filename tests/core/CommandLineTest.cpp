#include "platform/CommandLine.hpp"

#include <gtest/gtest.h>

using quoddle::platform::QuoteArgument;
using quoddle::platform::SplitCommandLine;
using Words = std::vector<std::string>;

struct SplitRow {
    const char* text;
    Words words;
};

// Microsoft's documented examples ("Parsing C++ command-line arguments"),
// then the argument texts the program itself writes.
const SplitRow kSplitRows[] = {
    {R"("abc" d e)", {"abc", "d", "e"}},
    {R"(a\\b d"e f"g h)", {R"(a\\b)", "de fg", "h"}},
    {R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}},
    {R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
    {R"(a"b"" c d)", {R"(ab" c d)"}},
    {R"(install -r -s "C:\a b\x.apk")", {"install", "-r", "-s", R"(C:\a b\x.apk)"}},
    {R"(-s 0123 shell service call phone 2 s16 "06-12-34-56-78")",
     {"-s", "0123", "shell", "service", "call", "phone", "2", "s16", "06-12-34-56-78"}},
    {"connect 192.168.1  .6  :5555", {"connect", "192.168.1", ".6", ":5555"}},
    {"  \t lead and trail \t ", {"lead", "and", "trail"}},
    {R"("" x)", {"", "x"}},
    {R"(tail\)", {R"(tail\)"}},
    {R"("open quote)", {"open quote"}},
    {"", {}},
};

TEST(SplitCommandLine, FollowsTheMicrosoftRuntimeRules)
{
    for (const auto& row : kSplitRows)
        EXPECT_EQ(row.words, SplitCommandLine(row.text)) << "text: " << row.text;
}

TEST(SplitCommandLine, ProgramNameKeepsItsBackslashes)
{
    EXPECT_EQ((Words{R"(C:\Program Files\adb.exe)", R"(a"b)"}),
              SplitCommandLine(R"("C:\Program Files\adb.exe" a\"b)", true));
    EXPECT_EQ((Words{R"(dir\)", "x"}), SplitCommandLine(R"(dir\ x)", true));
}

TEST(QuoteArgument, EveryArgumentComesBackWhole)
{
    const std::string samples[] = {
        "plain", "", "two words", R"(C:\a b\x.apk)", R"(ends in backslash\)", R"(ends in two\\)",
        R"(has "quotes" inside)", R"(slash before quote\")", "tab\there", R"(/home/é à/"x"\)",
        "adb-XXXX (2)._adb-tls-connect._tcp",
    };
    for (const auto& s : samples) {
        EXPECT_EQ(Words{s}, SplitCommandLine(QuoteArgument(s))) << QuoteArgument(s);
        EXPECT_EQ(Words{s}, SplitCommandLine(QuoteArgument(s, true))) << QuoteArgument(s, true);
        EXPECT_EQ((Words{"x", s, "y"}), SplitCommandLine("x " + QuoteArgument(s) + " y"));
    }
}

TEST(QuoteArgument, LeavesPlainWordsAloneUnlessAskedToQuote)
{
    EXPECT_EQ("emulator-5554", QuoteArgument("emulator-5554"));
    EXPECT_EQ(R"("emulator-5554")", QuoteArgument("emulator-5554", true));
    EXPECT_EQ(R"("a b\\")", QuoteArgument(R"(a b\)"));
    EXPECT_EQ(R"("say \"hi\"")", QuoteArgument(R"(say "hi")"));
}
