#include "Json.hpp"

#include <cstdlib>

namespace fakephone {

namespace {

const char* KindName(Json::Kind kind)
{
    switch (kind) {
    case Json::Kind::Null: return "null";
    case Json::Kind::Bool: return "a boolean";
    case Json::Kind::Number: return "a number";
    case Json::Kind::String: return "a string";
    case Json::Kind::Array: return "an array";
    case Json::Kind::Object: return "an object";
    }
    return "?";
}

void Expect(const Json& value, Json::Kind kind, std::string_view what)
{
    if (value.kind() != kind)
        throw JsonError(std::string(what) + " must be " + KindName(kind) + ", not " + KindName(value.kind()));
}

void AppendUtf8(std::string& out, unsigned codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    Json document()
    {
        Json value = parseValue(0);
        skipBlanks();
        if (pos_ != text_.size())
            fail("unexpected text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& why) const
    {
        std::size_t line = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i)
            line += text_[i] == '\n';
        throw JsonError("JSON line " + std::to_string(line) + ": " + why);
    }

    void skipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n'
                                       || text_[pos_] == '\r'))
            ++pos_;
    }

    char peek()
    {
        skipBlanks();
        if (pos_ >= text_.size())
            fail("unexpected end of text");
        return text_[pos_];
    }

    void expect(char c)
    {
        if (peek() != c)
            fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    bool consumeWord(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    Json parseValue(int depth)
    {
        if (depth > 64)
            fail("nested too deeply");
        Json value;
        const char c = peek();
        if (c == '{') {
            value.kind_ = Json::Kind::Object;
            ++pos_;
            if (peek() == '}') {
                ++pos_;
                return value;
            }
            for (;;) {
                if (peek() != '"')
                    fail("expected a member name");
                std::string name = parseString();
                expect(':');
                value.object_.emplace_back(std::move(name), parseValue(depth + 1));
                if (peek() == ',') {
                    ++pos_;
                    continue;
                }
                expect('}');
                return value;
            }
        }
        if (c == '[') {
            value.kind_ = Json::Kind::Array;
            ++pos_;
            if (peek() == ']') {
                ++pos_;
                return value;
            }
            for (;;) {
                value.array_.push_back(parseValue(depth + 1));
                if (peek() == ',') {
                    ++pos_;
                    continue;
                }
                expect(']');
                return value;
            }
        }
        if (c == '"') {
            value.kind_ = Json::Kind::String;
            value.string_ = parseString();
            return value;
        }
        if (consumeWord("true") || consumeWord("false")) {
            value.kind_ = Json::Kind::Bool;
            value.bool_ = text_[pos_ - 4] == 't';
            return value;
        }
        if (consumeWord("null"))
            return value;
        if (c == '-' || (c >= '0' && c <= '9')) {
            const std::string rest(text_.substr(pos_, 64));
            char* end = nullptr;
            value.kind_ = Json::Kind::Number;
            value.number_ = std::strtod(rest.c_str(), &end);
            pos_ += static_cast<std::size_t>(end - rest.c_str());
            return value;
        }
        fail(std::string("unexpected character '") + c + "'");
    }

    unsigned parseHex4()
    {
        if (pos_ + 4 > text_.size())
            fail("short \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[pos_++];
            value <<= 4;
            if (h >= '0' && h <= '9')
                value |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                value |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                value |= static_cast<unsigned>(h - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return value;
    }

    std::string parseString()
    {
        ++pos_; // the opening quote
        std::string out;
        for (;;) {
            if (pos_ >= text_.size())
                fail("unterminated string");
            const char c = text_[pos_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                fail("unterminated string");
            const char e = text_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned codePoint = parseHex4();
                if (codePoint >= 0xD800 && codePoint < 0xDC00 && consumeWord("\\u")) {
                    const unsigned low = parseHex4();
                    if (low < 0xDC00 || low > 0xDFFF)
                        fail("bad surrogate pair");
                    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(out, codePoint);
                break;
            }
            default: fail(std::string("bad escape \\") + e);
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

Json Json::Parse(std::string_view text) { return JsonParser(text).document(); }

bool Json::asBool(std::string_view what) const
{
    Expect(*this, Kind::Bool, what);
    return bool_;
}

double Json::asNumber(std::string_view what) const
{
    Expect(*this, Kind::Number, what);
    return number_;
}

const std::string& Json::asString(std::string_view what) const
{
    Expect(*this, Kind::String, what);
    return string_;
}

const std::vector<Json>& Json::asArray(std::string_view what) const
{
    Expect(*this, Kind::Array, what);
    return array_;
}

const std::vector<Json::Member>& Json::asObject(std::string_view what) const
{
    Expect(*this, Kind::Object, what);
    return object_;
}

const Json* Json::find(std::string_view name) const
{
    for (const auto& [key, value] : object_)
        if (key == name)
            return &value;
    return nullptr;
}

} // namespace fakephone
