#include "support/MiniJson.hpp"

#include <gtest/gtest.h>

namespace json = quoddle::minijson;
using Kind = json::Value::Kind;

TEST(MiniJson, StringEscapesGiveTheirBytes)
{
    const struct {
        const char* json;
        std::string bytes;
    } cases[] = {
        {R"("a\r\r\nb")", "a\r\r\nb"},
        {R"("\u0000x")", std::string("\0x", 2)},
        {R"("\"\\\/\b\f\t")", "\"\\/\b\f\t"},
        {R"("R\u00e9seau")", "R\xc3\xa9seau"},
        {R"("\u20AC")", "\xe2\x82\xac"},
        {R"("\ud83d\ude00")", "\xf0\x9f\x98\x80"},
        {"\"R\xc3\xa9seau\"", "R\xc3\xa9seau"}, // raw UTF-8
        {"\"\x82t\xe9\"", "\x82t\xe9"},         // raw bytes that are not UTF-8
    };
    for (const auto& c : cases) {
        const json::Value v = json::Parse(c.json);
        EXPECT_EQ(Kind::String, v.kind) << c.json;
        EXPECT_EQ(c.bytes, v.text) << c.json;
    }
}

TEST(MiniJson, QuoteRoundTripsEveryByte)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string quoted = json::Quote(all);
    EXPECT_EQ(std::string::npos, quoted.find('\n')); // a journal line stays one line
    EXPECT_EQ(all, json::Parse(quoted).text);

    const std::vector<std::string> list = {"shell", "a b", "", "x\"y\\z"};
    const json::Value back = json::Parse(json::QuoteList(list));
    ASSERT_EQ(list.size(), back.items.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i], back.items[i].text);
}

TEST(MiniJson, ParsesObjectsArraysAndScalars)
{
    const json::Value v = json::Parse(" {\"rules\": [ {\"status\": 12, \"default\": true}, [], -3, null, false ] }\n");
    ASSERT_EQ(Kind::Object, v.kind);
    const json::Value* rules = v.find("rules");
    ASSERT_NE(nullptr, rules);
    ASSERT_EQ(5u, rules->items.size());
    const json::Value& rule = rules->items[0];
    EXPECT_EQ(12, rule.find("status")->number);
    EXPECT_TRUE(rule.find("default")->boolean);
    EXPECT_EQ(nullptr, rule.find("stdout"));
    EXPECT_EQ(Kind::Array, rules->items[1].kind);
    EXPECT_EQ(-3, rules->items[2].number);
    EXPECT_EQ(Kind::Null, rules->items[3].kind);
    EXPECT_EQ(Kind::Bool, rules->items[4].kind);
    EXPECT_FALSE(rules->items[4].boolean);
}

TEST(MiniJson, RejectsMalformedTextWithItsPlace)
{
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {"\"abc", "line 1, column 5: unterminated string"},
        {"{\"a\": 1,\n \"b\" 2}", "line 2, column 6: ':' expected"},
        {"[1, 2", "']' expected"},
        {"[1 2]", "']' expected"},
        {"{\"a\": 1} x", "text after the end"},
        {"\"a\nb\"", "control character"},
        {R"("\x")", "unknown escape"},
        {R"("\u12")", "four hex digits"},
        {R"("\ud83d")", "low one"},
        {R"("\ude00")", "low surrogate"},
        {"1.5", "whole numbers"},
        {"99999999999999999999", "too large"},
        {"{1: 2}", "member name expected"},
        {"", "value expected"},
        {"tru", "value expected"},
    };
    for (const auto& c : cases) {
        try {
            json::Parse(c.json);
            ADD_FAILURE() << "accepted: " << c.json;
        } catch (const json::ParseError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.message)) << c.json << " -> " << e.what();
        }
    }
    EXPECT_THROW(json::Parse(std::string(100, '[') + std::string(100, ']')), json::ParseError);
}
