#include "LineRules.hpp"

namespace quoddle {

void LineSplitter::feed(std::string_view piece)
{
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
        // Copy the run of ordinary characters in one go.
        std::size_t end = i;
        while (end < n && piece[end] != '\r' && piece[end] != '\n' && piece[end] != '\0')
            ++end;
        line_.append(piece.data() + i, end - i);
        i = end;
        if (i == n)
            break;
        const char c = piece[i++];
        if (c == '\0') {
            stopped_ = true;
            break;
        }
        lines_.push_back(std::move(line_));
        line_.clear();
        afterCr_ = (c == '\r');
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
