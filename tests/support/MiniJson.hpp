#pragma once
// The little JSON that the test fixtures share: a strict parser (fakeadb's
// scripts and journal lines, fakephone's configuration) and a string writer.
//
// Whole numbers only (statuses, delays, counts). Strings are byte strings:
// escapes give their bytes (\u0000 a NUL, \u00e9 the UTF-8 of é, surrogate
// pairs one 4-byte sequence) and bytes from 0x80 up are copied as they stand,
// so a script may hold raw bytes that are not UTF-8 (an OEM code page, say).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quoddle::minijson {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::int64_t number = 0;
    std::string text;
    std::vector<Value> items;      // an array's values, or an object's values
    std::vector<std::string> keys; // an object's keys, beside items

    // An object's member, or null when absent (the first one if repeated).
    const Value* find(std::string_view key) const
    {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key)
                return &items[i];
        return nullptr;
    }
};

class ParseError : public std::runtime_error {
public:
    ParseError(const std::string& message, std::size_t offset) : std::runtime_error(message), offset(offset) {}
    std::size_t offset; // byte offset of the fault in the text
};

namespace detail {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Value document()
    {
        Value v = value(0);
        skipBlanks();
        if (pos_ != text_.size())
            fail("text after the end of the value");
        return v;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        // Line and column help whoever wrote the script by hand.
        std::size_t line = 1, column = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i, ++column)
            if (text_[i] == '\n')
                ++line, column = 0;
        throw ParseError("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what, pos_);
    }

    void skipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n'
                                       || text_[pos_] == '\r'))
            ++pos_;
    }

    bool take(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    void expect(char c)
    {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != c)
            fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    Value value(int depth)
    {
        if (depth > 64)
            fail("nested too deeply");
        skipBlanks();
        if (pos_ >= text_.size())
            fail("value expected");
        Value v;
        const char c = text_[pos_];
        if (c == '{') {
            v.kind = Value::Kind::Object;
            ++pos_;
            skipBlanks();
            if (take("}"))
                return v;
            do {
                skipBlanks();
                if (pos_ >= text_.size() || text_[pos_] != '"')
                    fail("member name expected");
                v.keys.push_back(quoted());
                expect(':');
                v.items.push_back(value(depth + 1));
                skipBlanks();
            } while (take(","));
            expect('}');
        } else if (c == '[') {
            v.kind = Value::Kind::Array;
            ++pos_;
            skipBlanks();
            if (take("]"))
                return v;
            do
                v.items.push_back(value(depth + 1));
            while ((skipBlanks(), take(",")));
            expect(']');
        } else if (c == '"') {
            v.kind = Value::Kind::String;
            v.text = quoted();
        } else if (take("true") || take("false")) {
            v.kind = Value::Kind::Bool;
            v.boolean = c == 't';
        } else if (take("null")) {
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            v.kind = Value::Kind::Number;
            v.number = number();
        } else {
            fail("value expected");
        }
        return v;
    }

    std::int64_t number()
    {
        const bool negative = take("-");
        if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9')
            fail("digit expected");
        std::int64_t n = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            if (n > (INT64_MAX - 9) / 10)
                fail("number too large");
            n = n * 10 + (text_[pos_++] - '0');
        }
        if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E'))
            fail("only whole numbers are accepted");
        return negative ? -n : n;
    }

    unsigned hex4()
    {
        unsigned code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            const char h = pos_ < text_.size() ? text_[pos_] : '\0';
            const int digit = h >= '0' && h <= '9' ? h - '0'
                : h >= 'a' && h <= 'f'             ? h - 'a' + 10
                : h >= 'A' && h <= 'F'             ? h - 'A' + 10
                                                   : -1;
            if (digit < 0)
                fail("four hex digits expected after \\u");
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return code;
    }

    static void appendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // At the opening quote; returns the string's bytes.
    std::string quoted()
    {
        ++pos_;
        std::string out;
        for (;;) {
            if (pos_ >= text_.size())
                fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c < 0x20)
                fail("control character in a string: write it as an escape (\\n, \\r, \\u0000...)");
            if (c != '\\') {
                out += static_cast<char>(c);
                ++pos_;
                continue;
            }
            ++pos_;
            const char e = pos_ < text_.size() ? text_[pos_++] : '\0';
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
                unsigned code = hex4();
                if (code >= 0xD800 && code < 0xDC00) {
                    if (!take("\\u"))
                        fail("a high surrogate must be followed by a low one");
                    const unsigned low = hex4();
                    if (low < 0xDC00 || low >= 0xE000)
                        fail("a high surrogate must be followed by a low one");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xDC00 && code < 0xE000) {
                    fail("a low surrogate without a high one");
                }
                appendUtf8(out, code);
                break;
            }
            default:
                --pos_;
                fail("unknown escape");
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace detail

// Parses one JSON value filling the whole text (blanks around it allowed).
// Raises ParseError with line and column.
inline Value Parse(std::string_view text) { return detail::Parser(text).document(); }

// The bytes as a JSON string, quotes included. Control characters are escaped;
// every other byte, UTF-8 or not, stands as it is.
inline std::string Quote(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += digits[c >> 4];
                out += digits[c & 15];
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

// An array of strings as one JSON line (no break): how the journal holds an argv.
inline std::string QuoteList(const std::vector<std::string>& list)
{
    std::string out = "[";
    for (std::size_t i = 0; i < list.size(); ++i)
        out += (i ? "," : "") + Quote(list[i]);
    return out + "]";
}

} // namespace quoddle::minijson
