#pragma once
// Windows command lines on every platform. Argument texts are written as they
// would be typed on a Windows command line; these turn such a text into argv
// by the Microsoft C runtime's rules, and quote one argument by the same rules.

#include <string>
#include <string_view>
#include <vector>

namespace quoddle::platform {

// Splits an argument text the way the Microsoft C runtime builds argv:
// blanks and tabs separate; double quotes group and are removed; 2n
// backslashes before a quote give n and the quote groups, 2n+1 give n and a
// literal quote; other backslashes are literal; "" inside quotes is a quote.
// With firstIsProgramName, the first word follows the runtime's program-name
// rule (quotes group, backslashes are always literal).
std::vector<std::string> SplitCommandLine(std::string_view text, bool firstIsProgramName = false);

// Quotes one argument so that SplitCommandLine gives it back whole.
// An argument without blank, tab or double quote (and not empty) stands as it
// is unless alwaysQuote is set.
std::string QuoteArgument(std::string_view argument, bool alwaysQuote = false);

} // namespace quoddle::platform
