#pragma once
// How captured text becomes lines and lines text.
//
// A line runs up to the next CR, LF or NUL. A CR is passed over together with
// an LF right after it, so CR LF, LF and CR each end one line; a break at the
// very end adds no empty line, and text after the last break still forms one.
// "text\r\r\n" thus gives "text" and an empty line. A NUL ends the text.
// Joining puts CR LF after every line, the last included.

#include <string>
#include <string_view>
#include <vector>

namespace quoddle {

// Splits text fed in pieces exactly as if it had been fed whole: a piece may
// end between a CR and its LF.
class LineSplitter {
public:
    void feed(std::string_view piece);
    // Ends the text and hands over its lines.
    std::vector<std::string> finish();
    // Whether a line so far was ended by CR CR LF (the text, then an empty line).
    bool sawCrCrLf() const { return sawCrCrLf_; }

private:
    std::vector<std::string> lines_;
    std::string line_;
    bool afterCr_ = false;       // the last character was a CR: an LF now is passed over
    bool afterCrAfterCr_ = false; // ... and the one before it was a CR too
    bool stopped_ = false;
    bool sawCrCrLf_ = false;
};

std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace quoddle
