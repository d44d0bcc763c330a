#include "Json.hpp"

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
    if (value.kind != kind)
        throw JsonError(std::string(what) + " must be " + KindName(kind) + ", not " + KindName(value.kind));
}

} // namespace

Json ParseJson(std::string_view text)
{
    try {
        return quoddle::minijson::Parse(text);
    } catch (const quoddle::minijson::ParseError& e) {
        throw JsonError(std::string("JSON ") + e.what());
    }
}

bool AsBool(const Json& value, std::string_view what)
{
    Expect(value, Json::Kind::Bool, what);
    return value.boolean;
}

std::int64_t AsNumber(const Json& value, std::string_view what)
{
    Expect(value, Json::Kind::Number, what);
    return value.number;
}

const std::string& AsString(const Json& value, std::string_view what)
{
    Expect(value, Json::Kind::String, what);
    return value.text;
}

const std::vector<Json>& AsArray(const Json& value, std::string_view what)
{
    Expect(value, Json::Kind::Array, what);
    return value.items;
}

std::vector<JsonMember> AsObject(const Json& value, std::string_view what)
{
    Expect(value, Json::Kind::Object, what);
    std::vector<JsonMember> members;
    for (std::size_t i = 0; i < value.keys.size(); ++i)
        members.push_back({value.keys[i], value.items[i]});
    return members;
}

} // namespace fakephone
