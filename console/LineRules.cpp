#include "LineRules.hpp"

#include <algorithm>
#include <cstring>

namespace quoddle {

namespace {

// Where the next occurrence of one byte lies in a piece. Each search goes on
// from the last one found, so the piece is scanned once per byte value
// (memchr's vector speed) however many lines it holds.
class NextByte {
public:
    NextByte(std::string_view text, char c) : text_(text), c_(c) {}
    // The first position from i on holding the byte, or the piece's size.
    std::size_t from(std::size_t i)
    {
        if (!known_ || at_ < i) {
            const void* p = std::memchr(text_.data() + i, c_, text_.size() - i);
            at_ = p ? static_cast<std::size_t>(static_cast<const char*>(p) - text_.data()) : text_.size();
            known_ = true;
        }
        return at_;
    }

private:
    std::string_view text_;
    char c_;
    std::size_t at_ = 0;
    bool known_ = false;
};

} // namespace

void LineSplitter::feed(std::string_view piece)
{
    NextByte nextCr(piece, '\r'), nextLf(piece, '\n'), nextNul(piece, '\0');
    std::size_t i = 0;
    const std::size_t n = piece.size();
    while (i < n && !stopped_) {
        if (afterCr_) {
            const bool crcr = afterCrAfterCr_;
            afterCr_ = afterCrAfterCr_ = false;
            if (piece[i] == '\n') {
                sawCrCrLf_ = sawCrCrLf_ || crcr;
                ++i;
                continue;
            }
            if (piece[i] == '\r') {
                lines_.push_back(std::move(line_));
                line_.clear();
                afterCr_ = true;
                afterCrAfterCr_ = true;
                ++i;
                continue;
            }
        }
        const std::size_t end = std::min({nextCr.from(i), nextLf.from(i), nextNul.from(i)});
        if (end == n || piece[end] == '\0') {
            // The line goes on in the next piece, or the NUL ends the text here.
            line_.append(piece.data() + i, end - i);
            stopped_ = end < n;
            break;
        }
        if (line_.empty()) {
            lines_.emplace_back(piece.data() + i, end - i); // the common case: a whole line in this piece
        } else {
            line_.append(piece.data() + i, end - i);
            lines_.push_back(std::move(line_));
            line_.clear();
        }
        afterCr_ = piece[end] == '\r';
        i = end + 1;
    }
}

std::vector<std::string> LineSplitter::finish()
{
    if (!line_.empty())
        lines_.push_back(std::move(line_));
    line_.clear();
    afterCr_ = afterCrAfterCr_ = false;
    stopped_ = false;
    return std::move(lines_);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    LineSplitter splitter;
    splitter.feed(text);
    return splitter.finish();
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace quoddle
