#pragma once
// The phone's configuration file is read with the tests' JSON reader
// (support/MiniJson.hpp); these add the kind checks that name the faulty
// entry. Object members keep their order, since package lists follow it.

#include "support/MiniJson.hpp"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fakephone {

using Json = quoddle::minijson::Value;

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole text as one value; malformed text raises JsonError with its place.
Json ParseJson(std::string_view text);

// Typed access; each raises JsonError naming `what` on a kind mismatch.
bool AsBool(const Json& value, std::string_view what);
std::int64_t AsNumber(const Json& value, std::string_view what);
const std::string& AsString(const Json& value, std::string_view what);
const std::vector<Json>& AsArray(const Json& value, std::string_view what);

struct JsonMember {
    const std::string& name;
    const Json& value;
};
// An object's members in their order.
std::vector<JsonMember> AsObject(const Json& value, std::string_view what);

} // namespace fakephone
