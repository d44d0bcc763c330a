#pragma once
// The one error type of the program: a failure carrying the message the user sees.
// The core raises it; only the UI's handler adapter catches it.

#include <stdexcept>
#include <string>

namespace quoddle {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace quoddle
