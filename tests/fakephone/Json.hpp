#pragma once
// A small JSON reader for the phone's configuration file: enough of RFC 8259
// to read objects, arrays, strings (with \u escapes), numbers, true, false
// and null. Object members keep their order, since package lists follow it.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fakephone {

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Json {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, Json>;

    Json() = default;

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    bool isString() const { return kind_ == Kind::String; }
    bool isArray() const { return kind_ == Kind::Array; }
    bool isObject() const { return kind_ == Kind::Object; }

    // Typed access; each raises JsonError naming `what` on a kind mismatch.
    bool asBool(std::string_view what) const;
    double asNumber(std::string_view what) const;
    const std::string& asString(std::string_view what) const;
    const std::vector<Json>& asArray(std::string_view what) const;
    const std::vector<Member>& asObject(std::string_view what) const;

    // The member of that name, or nullptr (also when this is no object).
    const Json* find(std::string_view name) const;

    static Json Parse(std::string_view text);

private:
    friend class JsonParser;
    Kind kind_ = Kind::Null;
    bool bool_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<Json> array_;
    std::vector<Member> object_;
};

} // namespace fakephone
