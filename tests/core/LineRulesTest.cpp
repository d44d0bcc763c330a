#include "console/LineRules.hpp"

#include <gtest/gtest.h>

using quoddle::JoinLines;
using quoddle::LineSplitter;
using quoddle::SplitLines;
using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Lines lines;
    bool crcrlf;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, GivesTheSameLinesWholeAndInEveryTwoPieces)
{
    const auto& c = GetParam();
    LineSplitter whole;
    whole.feed(c.text);
    EXPECT_EQ(c.crcrlf, whole.sawCrCrLf());
    EXPECT_EQ(c.lines, whole.finish());
    // A read may end anywhere, also between a CR and its LF.
    for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
        LineSplitter pieces;
        pieces.feed(std::string_view(c.text).substr(0, cut));
        pieces.feed(std::string_view(c.text).substr(cut));
        EXPECT_EQ(c.crcrlf, pieces.sawCrCrLf()) << "cut at " << cut;
        EXPECT_EQ(c.lines, pieces.finish()) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, SplitLinesTest, testing::Values(
    SplitCase{"empty", "", {}, false},
    SplitCase{"lf", "a\nb\n", {"a", "b"}, false},
    SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}, false},
    SplitCase{"lone_cr", "a\rb\r", {"a", "b"}, false},
    SplitCase{"crcrlf_gives_text_then_empty", "word\r\r\n", {"word", ""}, true},
    SplitCase{"crcrlf_twice", "a\r\r\nb\r\r\n", {"a", "", "b", ""}, true},
    SplitCase{"lf_then_cr_gives_empty", "a\n\rb", {"a", "", "b"}, false},
    SplitCase{"no_final_break", "a\nlast", {"a", "last"}, false},
    SplitCase{"two_breaks_empty_between", "a\n\nb", {"a", "", "b"}, false},
    SplitCase{"leading_break", "\na", {"", "a"}, false},
    SplitCase{"nul_ends_text", std::string("a\nb\0c\nd", 7), {"a", "b"}, false},
    SplitCase{"nul_right_after_break", std::string("a\r\0b", 4), {"a"}, false},
    SplitCase{"utf8_kept", "Mod\xc3\xa8le\n", {"Mod\xc3\xa8le"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JoinLines, PutsCrLfAfterEveryLineTheLastIncluded)
{
    EXPECT_EQ("", JoinLines({}));
    EXPECT_EQ("a\r\n\r\nb\r\n", JoinLines({"a", "", "b"}));
    EXPECT_EQ((Lines{"a", "", "b"}), SplitLines(JoinLines({"a", "", "b"})));
}
