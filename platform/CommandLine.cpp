#include "CommandLine.hpp"

namespace quoddle::platform {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}

std::vector<std::string> SplitCommandLine(std::string_view text, bool firstIsProgramName)
{
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = text.size();

    if (firstIsProgramName) {
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i < n) {
            std::string word;
            bool inQuote = false;
            for (; i < n; ++i) {
                const char c = text[i];
                if (c == '"') {
                    inQuote = !inQuote;
                    continue;
                }
                if (!inQuote && IsBlank(c))
                    break;
                word += c;
            }
            args.push_back(std::move(word));
        }
    }

    for (;;) {
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i >= n)
            break;
        std::string word;
        bool inQuote = false;
        while (i < n) {
            const char c = text[i];
            if (!inQuote && IsBlank(c))
                break;
            if (c == '\\') {
                std::size_t slashes = 0;
                while (i < n && text[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && text[i] == '"') {
                    word.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        word += '"';
                        ++i;
                    }
                    // an even count leaves the quote to group, below
                } else {
                    word.append(slashes, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (inQuote && i + 1 < n && text[i + 1] == '"') {
                    word += '"'; // "" inside quotes is one literal quote
                    i += 2;
                    continue;
                }
                inQuote = !inQuote;
                ++i;
                continue;
            }
            word += c;
            ++i;
        }
        args.push_back(std::move(word));
    }
    return args;
}

std::string QuoteArgument(std::string_view argument, bool alwaysQuote)
{
    const bool needsQuotes = alwaysQuote || argument.empty()
        || argument.find_first_of(" \t\"") != std::string_view::npos;
    if (!needsQuotes)
        return std::string(argument);

    std::string quoted = "\"";
    std::size_t slashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        if (c == '"') {
            quoted.append(slashes * 2 + 1, '\\'); // each backslash doubled, then \"
            quoted += '"';
        } else {
            quoted.append(slashes, '\\');
            quoted += c;
        }
        slashes = 0;
    }
    quoted.append(slashes * 2, '\\'); // they stand before the closing quote
    quoted += '"';
    return quoted;
}

} // namespace quoddle::platform
